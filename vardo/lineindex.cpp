#include "vardo/lineindex.h"

#include <stdlib.h>
#include <string.h>

#include "vardo/bytescan.h"
#include "vardo/tablebuffer.h"

namespace {

struct Lines {
  CsvLine *lines;
  size_t count, capacity;

  bool Add(size_t start, size_t end, size_t next) {
    if (count == capacity) {
      size_t grown = capacity + capacity / 2;
      CsvLine *more = static_cast<CsvLine *>(ResizeTableBuffer(lines, grown * sizeof(CsvLine)));
      if (!more) return false;
      lines = more;
      capacity = grown;
    }
    lines[count++] = CsvLine{start, end, next};
    return true;
  }
};

// The line rules on a text with plain units, 64 bytes at a time. A quote
// toggles the quoted section unless a backslash stands right before it:
// such a quote is the second byte of a backslash-quote pair, and the two
// quotes of a "" pair toggle twice, which changes nothing. Line breaks
// outside quotes end lines; the LF of a CR LF belongs to the CR and is
// passed over as lying before the next line's start.
bool SplitPlainText(const unsigned char *s, size_t length, Lines *out) {
  size_t lineStart = 0;
  uint64_t quotedBefore = 0;  // all ones when the block starts inside quotes
  uint64_t backslashBefore = 0;  // bit 63 of the block before
  unsigned char tail[64];
  for (size_t base = 0; base < length; base += 64) {
    const unsigned char *block = s + base;
    size_t n = length - base;
    if (n < 64) {
      memset(tail, 0, sizeof tail);
      memcpy(tail, block, n);
      block = tail;
    }
    ByteMasks4 m = MatchBlock(block, '"', '\\', '\n', '\r');
    uint64_t toggles = m.a & ~((m.b << 1) | backslashBefore);
    uint64_t inside = PrefixXor(toggles) ^ quotedBefore;
    quotedBefore = (inside >> 63) ? ~0ull : 0;
    backslashBefore = m.b >> 63;
    uint64_t ends = (m.c | m.d) & ~inside;
    while (ends) {
      size_t at = base + static_cast<size_t>(__builtin_ctzll(ends));
      ends &= ends - 1;
      if (at < lineStart) continue;  // the LF of a CR LF
      size_t next = (s[at] == '\r' && at + 1 < length && s[at + 1] == '\n') ? at + 2 : at + 1;
      if (at > lineStart && !out->Add(lineStart, at, next)) return false;
      lineStart = next;
    }
  }
  if (lineStart < length && !out->Add(lineStart, length, length)) return false;
  return true;
}

}  // namespace

BOOL BuildLineIndex(const char *text, size_t length, BOOL plainUnits, LineIndex *index) {
  index->lines = NULL;
  index->count = 0;
  // A first guess from the length keeps reallocation rare for ordinary
  // tables; it grows by half when the lines are shorter than guessed.
  size_t capacity = length / 64 + 16;
  CsvLine *lines = static_cast<CsvLine *>(AllocateTableBuffer(capacity * sizeof(CsvLine)));
  if (!lines) return FALSE;
  if (plainUnits) {
    Lines found = {lines, 0, capacity};
    if (!SplitPlainText(reinterpret_cast<const unsigned char *>(text), length, &found)) {
      FreeTableBuffer(found.lines);
      return FALSE;
    }
    index->lines = found.lines;
    index->count = found.count;
    return TRUE;
  }
  size_t count = 0;
  size_t pos = 0;
  CsvLine line;
  while (CsvNextRecordLine(text, length, &pos, &line, plainUnits)) {
    if (count == capacity) {
      size_t grown = capacity + capacity / 2;
      CsvLine *more = static_cast<CsvLine *>(ResizeTableBuffer(lines, grown * sizeof(CsvLine)));
      if (!more) {
        FreeTableBuffer(lines);
        return FALSE;
      }
      lines = more;
      capacity = grown;
    }
    lines[count++] = line;
  }
  index->lines = lines;
  index->count = count;
  return TRUE;
}

void FreeLineIndex(LineIndex *index) {
  FreeTableBuffer(index->lines);
  index->lines = NULL;
  index->count = 0;
}
