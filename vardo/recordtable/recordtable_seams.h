// Entry points of the record table for tests, fuzzing and benchmarks, which
// drive it without files or with memory made scarce.
#pragma once

#include <stddef.h>

#include <windows.h>

// Loads the table from length bytes exactly as LoadCsvFile does once it has
// read a file of those bytes.
SHORT LoadCsvBytes(const char *bytes, size_t length);

// Makes text[0, length) the table text as it is, without classifying or
// converting it; text must hold no NUL byte. Returns FALSE when memory runs
// out (the table is then absent).
BOOL SetRecordTableText(const char *text, size_t length);

// Makes every table text allocation of more than `bytes` bytes fail, as on a
// machine without that much memory; (size_t)-1 lifts the limit.
void SetRecordTableAllocationLimit(size_t bytes);
