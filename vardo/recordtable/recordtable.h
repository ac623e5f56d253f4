// The record table: the data-merge plug-in's copy of one CSV file.
//
// One global table, held as a single NUL-terminated UTF-8 text. The first
// non-empty line is record 0, the header row, whose fields name the
// columns; the data records follow as 1, 2, 3 ... Columns count from 0.
// Files in 7-bit ASCII, ISO-2022-JP, EUC-JP, Shift-JIS or UTF-8 are
// recognised by content (see textencoding.h) and converted on loading; the
// table always holds and writes UTF-8.
//
// The text is the only state that matters. To keep reading a whole table
// linear, the table remembers where its lines lie and where the fields of
// the last record read lie; both are derived from the text and dropped
// whenever the text changes.
//
// All functions run on the user-interface thread, one at a time. Strings
// returned are allocated with malloc() and released by the caller with
// free().
#pragma once

#include <stddef.h>

#include <windows.h>

// Loads the file at path (ANSI code page) into the table. A file that
// cannot seek (a pipe) is read to its end.
// Returns non-zero when the file was taken. Returns 0 and
// - leaves the table as it was when the file cannot be opened;
// - leaves the table absent when the file holds control bytes, its encoding
//   is undecided, it is larger than 2 GiB - 1 bytes (what a LONG file
//   position reaches), or memory runs out.
// A read error ends the text after the bytes actually read (the file is
// taken; GetLastLoadOutcome tells). Bytes after the first NUL of the file
// are never seen.
// The file is read whole every time. When its bytes are those the table
// was last made from, and the table was not changed since, the table is
// kept as it is, with its version and what was derived from it.
SHORT LoadCsvFile(LPCSTR path);

// The number of record lines, the header row included; 0 without a table.
LONG CountRecords(void);

// The value of field `column` of record `record`, as a new string; NULL
// without a table, or when the record or the field does not exist (a field
// that does not exist differs from an empty one). An empty header field
// reads as "@" and the column number ("@1").
LPSTR GetField(LONG record, LONG column);

// The same value as GetField, without allocating: a NUL-terminated string
// in the table's own buffer, valid until the next call into the table;
// *length (if given) receives its length. For readers of whole tables.
LPCSTR PeekField(LONG record, LONG column, size_t *length);

// Writes value (UTF-8) into field `column` of record `record`, quoted, and
// rebuilds the text; GetField then reads the value back as given, its line
// breaks in the table's style (a value made only of quotes, backslashes
// ending it aside, reads one quote longer). Returns TRUE when the table
// changed; FALSE, leaving it unchanged, without a table, when the record or
// field does not exist, when the record's line is longer than the line
// window (32,767 bytes: rebuilt from what the window holds, it would lose
// the rest), when the rebuilt line would not fit the window, or when memory
// runs out. GetLastSetOutcome tells which.
BOOL SetField(LONG record, LONG column, LPCSTR value);

// Writes the table text as it is held (UTF-8, no byte-order mark) to the
// file at path (ANSI code page) with SaveWholeFileA: readers see the old
// file or the new one, a failed save leaves the old file as it was, a link
// is saved through, the file keeps its owner and mode. Returns TRUE when
// the file was written; FALSE (last error set by the save) without a table
// or when any step fails.
BOOL SaveCsvFile(LPCSTR path);

// Makes the table absent, as at start-up.
void ClearRecordTable(void);

// The table text and its length, or NULL when the table is absent. Valid
// until the next call that changes the table.
LPCSTR GetRecordTableText(size_t *length);

// A number that changes whenever the table's text does: every load that
// does not keep the table, every field set, clearing. For callers that redo
// work only for a new text.
unsigned long GetRecordTableVersion(void);

// How the last LoadCsvFile ended, for callers that explain a refusal. After
// CSV_LOAD_CANNOT_OPEN and CSV_LOAD_INCOMPLETE the last error is the file
// call's.
enum {
  CSV_LOAD_OK = 0,
  CSV_LOAD_CANNOT_OPEN = 1,  // the table was left as it was
  CSV_LOAD_REJECTED = 2,     // control bytes or undecided encoding
  CSV_LOAD_OUT_OF_MEMORY = 3,
  CSV_LOAD_TOO_LARGE = 4,   // more than 2 GiB - 1 bytes
  CSV_LOAD_INCOMPLETE = 5,  // taken, but a read failed: the text ends early
};
int GetLastLoadOutcome(void);

// Why the last SetField refused, or CSV_SET_OK when it set the field.
enum {
  CSV_SET_OK = 0,
  CSV_SET_NO_RECORD = 1,  // no table, or no such record
  CSV_SET_NO_FIELD = 2,
  CSV_SET_LINE_CUT = 3,  // the record's line is longer than the window
  CSV_SET_TOO_LONG = 4,  // the value would make it so
  CSV_SET_OUT_OF_MEMORY = 5,
};
int GetLastSetOutcome(void);

// The encoding class (TEXT_* of textencoding.h) that the last load found;
// meaningless when the file could not be opened or read into memory.
int GetLastLoadEncoding(void);
