#include "vardo/recordtable/lineindex.h"

#include <stdlib.h>

#include "vardo/recordtable/tablebuffer.h"

BOOL BuildLineIndex(const char *text, size_t length, LineIndex *index) {
  index->bounds = NULL;
  index->count = 0;
  if (length > UINT32_MAX) return FALSE;
  // A first guess from the length keeps reallocation rare for ordinary
  // tables; it grows by half when the lines are shorter than guessed.
  size_t capacity = length / 64 + 16;
  uint32_t *bounds = static_cast<uint32_t *>(AllocateTableBuffer(2 * capacity * sizeof(uint32_t)));
  if (!bounds) return FALSE;
  const size_t kBatch = 256;
  CsvLine batch[kBatch];
  size_t count = 0;
  for (size_t pos = 0; pos < length;) {
    size_t n = CsvScanLines(text, length, pos, batch, kBatch, &pos);
    if (count + n > capacity) {
      size_t grown = capacity + capacity / 2 + kBatch;
      uint32_t *more =
          static_cast<uint32_t *>(ResizeTableBuffer(bounds, 2 * grown * sizeof(uint32_t)));
      if (!more) {
        FreeTableBuffer(bounds);
        return FALSE;
      }
      bounds = more;
      capacity = grown;
    }
    for (size_t i = 0; i < n; ++i) {
      bounds[2 * (count + i)] = static_cast<uint32_t>(batch[i].start);
      bounds[2 * (count + i) + 1] = static_cast<uint32_t>(batch[i].end);
    }
    count += n;
  }
  index->bounds = bounds;
  index->count = count;
  return TRUE;
}

CsvLine IndexedLine(const LineIndex *index, const char *text, size_t length, size_t n) {
  CsvLine line = {index->bounds[2 * n], index->bounds[2 * n + 1], 0};
  // The terminator, as CsvScanLines found it: CR LF, CR, LF, or the end.
  size_t end = line.end;
  if (end >= length)
    line.next = end;
  else
    line.next = text[end] == '\r' && end + 1 < length && text[end + 1] == '\n' ? end + 2 : end + 1;
  return line;
}

void FreeLineIndex(LineIndex *index) {
  FreeTableBuffer(index->bounds);
  index->bounds = NULL;
  index->count = 0;
}
