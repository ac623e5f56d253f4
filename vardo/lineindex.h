// Where each record line of a table text lies, found in one pass.
//
// Derived from the text alone and thrown away whenever the text changes,
// so it can never disagree with it; its only purpose is that record n is
// found without rescanning the n lines before it.
#pragma once

#include <stddef.h>

#include "vardo/csvsyntax.h"

struct LineIndex {
  CsvLine *lines;  // one per record line, in order
  size_t count;
};

// Splits the whole text into record lines with CsvScanLines. Returns FALSE
// (and an empty index) when memory runs out; the caller then scans instead.
BOOL BuildLineIndex(const char *text, size_t length, LineIndex *index);

// Releases the index and leaves it empty.
void FreeLineIndex(LineIndex *index);
