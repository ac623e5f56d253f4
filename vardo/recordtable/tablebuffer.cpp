#include "vardo/recordtable/tablebuffer.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const size_t kHugePage = 2u << 20;

// Stands before every buffer; its size keeps the buffer aligned for any type.
struct alignas(16) Header {
  size_t mapped;  // bytes mapped from the header on; 0 for a malloc block
  size_t size;    // bytes asked for
};

Header *HeaderOf(void *buffer) { return static_cast<Header *>(buffer) - 1; }

void *MapBuffer(size_t bytes) {
  if (bytes > SIZE_MAX - sizeof(Header) - 2 * kHugePage) return NULL;
  size_t length = (sizeof(Header) + bytes + kHugePage - 1) & ~(kHugePage - 1);
  // Mapped one huge page longer than needed, so that an aligned start lies
  // inside; the unaligned ends go back at once.
  size_t reserve = length + kHugePage;
  void *at = mmap(NULL, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (at == MAP_FAILED) return NULL;
  uintptr_t start = reinterpret_cast<uintptr_t>(at);
  uintptr_t aligned = (start + kHugePage - 1) & ~(uintptr_t)(kHugePage - 1);
  if (aligned > start) munmap(at, aligned - start);
  size_t after = reserve - (aligned - start) - length;
  if (after) munmap(reinterpret_cast<void *>(aligned + length), after);
  // Only advice: without huge pages the buffer simply has small ones.
  madvise(reinterpret_cast<void *>(aligned), length, MADV_HUGEPAGE);
  Header *header = reinterpret_cast<Header *>(aligned);
  header->mapped = length;
  header->size = bytes;
  return header + 1;
}

}  // namespace

void *AllocateTableBuffer(size_t bytes) {
  if (bytes >= TABLE_BUFFER_MAPPED) return MapBuffer(bytes);
  if (bytes > SIZE_MAX - sizeof(Header)) return NULL;
  Header *header = static_cast<Header *>(malloc(sizeof(Header) + bytes));
  if (!header) return NULL;
  header->mapped = 0;
  header->size = bytes;
  return header + 1;
}

void *ResizeTableBuffer(void *buffer, size_t bytes) {
  if (!buffer) return AllocateTableBuffer(bytes);
  if (bytes > SIZE_MAX - 2 * kHugePage) return NULL;
  Header *header = HeaderOf(buffer);
  if (header->mapped) {
    // A size the mapping still holds keeps it, less the whole pages of its
    // tail that are no longer needed.
    size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_t keep = (sizeof(Header) + bytes + page - 1) & ~(page - 1);
    if (keep >= sizeof(Header) + bytes && keep <= header->mapped) {
      if (keep < header->mapped)
        munmap(reinterpret_cast<char *>(header) + keep, header->mapped - keep);
      header->mapped = keep;
      header->size = bytes;
      return buffer;
    }
  } else if (bytes < TABLE_BUFFER_MAPPED) {
    Header *moved = static_cast<Header *>(realloc(header, sizeof(Header) + bytes));
    if (!moved) return NULL;
    moved->size = bytes;
    return moved + 1;
  }
  // Across the threshold, or a mapping that grows: a new buffer and a copy.
  void *grown = AllocateTableBuffer(bytes);
  if (!grown) return NULL;
  memcpy(grown, buffer, header->size < bytes ? header->size : bytes);
  FreeTableBuffer(buffer);
  return grown;
}

void FreeTableBuffer(void *buffer) {
  if (!buffer) return;
  Header *header = HeaderOf(buffer);
  if (header->mapped) {
    munmap(header, header->mapped);
  } else {
    free(header);
  }
}
