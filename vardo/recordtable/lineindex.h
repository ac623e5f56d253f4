// Where each record line of a table text lies, found in one pass.
//
// Derived from the text alone and thrown away whenever the text changes,
// so it can never disagree with it; its only purpose is that record n is
// found without rescanning the n lines before it. Eight bytes a record:
// where its line starts and ends, as 32-bit offsets (the terminator after
// it is read from the text).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "vardo/recordtable/csvsyntax.h"

struct LineIndex {
  uint32_t *bounds;  // start and end of each record line, in pairs, in order
  size_t count;
};

// Splits the whole text into record lines with CsvScanLines. Returns FALSE
// (and an empty index) when memory runs out or the text is longer than a
// 32-bit offset reaches; the caller then scans instead.
BOOL BuildLineIndex(const char *text, size_t length, LineIndex *index);

// Record line n (< index->count) of text[0, length), the text the index was
// built from.
CsvLine IndexedLine(const LineIndex *index, const char *text, size_t length, size_t n);

// Releases the index and leaves it empty.
void FreeLineIndex(LineIndex *index);
