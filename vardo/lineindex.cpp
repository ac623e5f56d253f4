#include "vardo/lineindex.h"

#include <stdlib.h>

BOOL BuildLineIndex(const char *text, size_t length, LineIndex *index) {
  index->lines = NULL;
  index->count = 0;
  // A first guess from the length keeps reallocation rare for ordinary
  // tables; it grows by half when the lines are shorter than guessed.
  size_t capacity = length / 64 + 16;
  CsvLine *lines = static_cast<CsvLine *>(malloc(capacity * sizeof(CsvLine)));
  if (!lines) return FALSE;
  size_t count = 0;
  size_t pos = 0;
  for (;;) {
    count += CsvScanLines(text, length, pos, lines + count, capacity - count, &pos);
    if (pos >= length) break;
    size_t grown = capacity + capacity / 2;
    CsvLine *more = static_cast<CsvLine *>(realloc(lines, grown * sizeof(CsvLine)));
    if (!more) {
      free(lines);
      return FALSE;
    }
    lines = more;
    capacity = grown;
  }
  index->lines = lines;
  index->count = count;
  return TRUE;
}

void FreeLineIndex(LineIndex *index) {
  free(index->lines);
  index->lines = NULL;
  index->count = 0;
}
