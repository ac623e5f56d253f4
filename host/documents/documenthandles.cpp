#include "documenthandles.h"

#include <unordered_map>

namespace vhost {

namespace {

struct Entry {
  HandleKind kind;
  void *object;
};

// Host state is single-threaded (the UI thread), as the platform's is.
std::unordered_map<uint32_t, Entry> &Table() {
  static std::unordered_map<uint32_t, Entry> table;
  return table;
}

uint32_t gNextSerial = 1;

// The high half only makes handles look like the pointers they stand in
// for; lookups go by the low half.
constexpr uintptr_t kHighTag = uintptr_t(0x5644) << 32;

}  // namespace

void *RegisterHandle(HandleKind kind, void *object) {
  const uint32_t serial = gNextSerial++;
  Table()[serial] = Entry{kind, object};
  return reinterpret_cast<void *>(kHighTag | (uintptr_t(kind) << 48) | serial);
}

void UnregisterHandle(void *handle) { Table().erase(Low32(handle)); }

void *LookUpHandle(HandleKind kind, const void *handle) {
  if (!handle) return nullptr;
  const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if ((value & ~uintptr_t(0xFFFFFFFF)) != (kHighTag | (uintptr_t(kind) << 48))) return nullptr;
  return LookUpLow32(kind, Low32(handle));
}

void *LookUpLow32(HandleKind kind, uint32_t low32) {
  auto it = Table().find(low32);
  if (it == Table().end() || it->second.kind != kind) return nullptr;
  return it->second.object;
}

size_t LiveHandleCount() { return Table().size(); }

}  // namespace vhost
