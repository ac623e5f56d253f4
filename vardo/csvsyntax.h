// The line and field rules of the record table's CSV text.
//
// The text is UTF-8 (or 7-bit ASCII), scanned in units: a byte that begins
// a multi-byte sequence forms one unit with the bytes its value announces,
// and a unit is never looked into for quotes, separators, backslashes or
// line breaks. Every scan here is bounded by an explicit length; a unit
// announced past that length is cut there, so nothing is ever read beyond
// the text.
//
// Lines: quotes toggle a quoted section in which CR and LF belong to the
// line; "" and \" are stepped over as pairs and toggle nothing. A line's
// raw text is every byte up to its terminator (LF, CR LF, CR or the end).
// Lines whose raw text is empty are not records.
//
// Fields: the raw line is split at commas outside quoted sections. Reading
// a field drops lone quotes, turns "" into one quote and decodes the
// backslash escapes \r \n \t \\ \" everywhere.
//
// The line window: a record line is examined through a window of
// CSV_LINE_WINDOW bytes. For a longer line only the bytes that fit the
// window (whole units, whole pairs) take part in its fields.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <windows.h>

#define CSV_LINE_WINDOW 32767

// Line-ending styles of a table, as chosen for rebuilt lines.
enum { LINE_ENDING_CRLF = 0, LINE_ENDING_CR = 1, LINE_ENDING_LF = 2 };

// Bytes in the unit that begins with lead byte b (1 for bytes below 0xC0).
inline size_t CsvUnitLength(unsigned char b) {
  if (b < 0xC0) return 1;
  if (b < 0xE0) return 2;
  if (b < 0xF0) return 3;
  if (b < 0xF8) return 4;
  if (b < 0xFC) return 5;
  return 6;
}

// Whether every byte of 0xC0 or above in text[0, length) is followed by
// the whole unit it announces, all of 0x80-0xBF (as in well-formed UTF-8).
// In such a text no unit hides a special byte, so the scans below may look
// for the special bytes alone; the plainUnits arguments say so.
BOOL CsvHasPlainUnits(const char *text, size_t length);

// One line of the text: raw bytes [start, end), the terminator [end, next).
struct CsvLine {
  size_t start;
  size_t end;
  size_t next;
};

// Splits the line that begins at pos of text[0, length). The line may be
// empty (start == end); at the end of the text start == end == next.
void CsvScanLine(const char *text, size_t length, size_t pos, CsvLine *line, BOOL plainUnits);

// From *pos, skips empty lines and splits the next record line into *line;
// *pos moves past its terminator. Returns FALSE when the text ends first.
BOOL CsvNextRecordLine(const char *text, size_t length, size_t *pos, CsvLine *line,
                       BOOL plainUnits);

// Copies what the line window holds of the raw line text[start, end) into
// window (CSV_LINE_WINDOW + 1 bytes), NUL-terminated; returns its length.
size_t CsvCollectLineWindow(const char *text, size_t start, size_t end, char *window);

// A field of a raw line: its bytes [start, end); end is the comma that
// closed it, or the raw line's length for the last field.
struct CsvFieldSpan {
  uint16_t start;
  uint16_t end;
};

// Most fields a raw line of the window's size can hold.
#define CSV_MAX_FIELDS (CSV_LINE_WINDOW / 2 + 1)

// Splits raw[0, length) (length <= CSV_LINE_WINDOW) into fields, storing
// at most max spans; returns the number of fields.
int CsvSplitFields(const char *raw, size_t length, CsvFieldSpan *spans, int max, BOOL plainUnits);

// Writes the value of field raw[start, end) into out (end - start + 1 bytes
// suffice), NUL-terminated; returns its length.
size_t CsvDecodeField(const char *raw, size_t start, size_t end, char *out, BOOL plainUnits);

// The table's line-ending style: CR LF if the text holds a CR LF pair, else
// CR if it holds a CR, else LF if it holds an LF, else CR LF.
int CsvLineEndingStyle(const char *text, size_t length);

// The bytes of a line ending in the given style.
const char *CsvLineEnding(int style);

// Quotes a UTF-8 value for writing between quotes in a line: each quote is
// doubled and CR LF, CR and LF become the style's line ending; everything
// else is copied, backslashes too, except where the reading rules would
// take a backslash as the start of an escape: a backslash followed by r, n,
// t, a backslash or a quote is written as two, and a quote right after a
// backslash as backslash-quote (a doubled quote there would leave the
// backslash pairing with its first half and the quotes open). So the value
// reads back as it was, the value being free of trailing backslashes (see
// CsvMeasureValue). Returns a new NUL-terminated string that the caller
// releases with free(), or NULL when memory runs out or value is NULL.
LPSTR QuoteFieldValue(LPCSTR value, int style);

// Measures a value about to be written into a field: *length receives its
// length and *body the length before the run of backslashes that ends it.
// Those backslashes cannot stand before a closing quote, which they would
// escape; the writer puts them after it. Returns FALSE when the value's last
// multi-byte unit runs past its end: written, it would swallow the closing
// quote and the bytes after it.
BOOL CsvMeasureValue(LPCSTR value, size_t *length, size_t *body);
