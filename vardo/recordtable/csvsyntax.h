// The line and field rules of the record table's CSV text.
//
// The text is UTF-8 (or 7-bit ASCII) and holds no NUL byte. It is read in
// units: a byte that begins a multi-byte sequence forms one unit with the
// continuation bytes its value announces when they are all there; a lead
// byte without them stands alone, and so does every other byte. A unit thus
// only ever joins bytes of 0x80 and above, which are never syntax: quotes,
// separators, backslashes and line breaks are seen as themselves wherever
// they stand, even right after a damaged sequence, and the scans below look
// for those bytes alone. Units matter where a line is cut to the line
// window, which takes a unit only whole. Every scan is bounded by an
// explicit length.
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

// The bytes that lead byte b announces for its unit: 1 below 0xC0, 2 for
// C0-DF, 3 for E0-EF, 4 for F0-F7, 5 for F8-FB, 6 for FC-FF.
inline size_t CsvLeadLength(unsigned char b) {
  if (b < 0xC0) return 1;
  if (b < 0xE0) return 2;
  if (b < 0xF0) return 3;
  if (b < 0xF8) return 4;
  if (b < 0xFC) return 5;
  return 6;
}

// Bytes in the unit at s[pos] of s[0, limit): what its lead byte announces
// when every announced continuation byte (80-BF) is there before limit,
// else 1.
inline size_t CsvUnitLength(const unsigned char *s, size_t pos, size_t limit) {
  size_t n = CsvLeadLength(s[pos]);
  if (n > limit - pos) return 1;
  for (size_t k = 1; k < n; ++k)
    if ((s[pos + k] & 0xC0) != 0x80) return 1;
  return n;
}

// One line of the text: raw bytes [start, end), the terminator [end, next).
struct CsvLine {
  size_t start;
  size_t end;
  size_t next;
};

// Splits text[0, length) from pos, which starts a line, into lines and
// stores the record lines (those not empty) in lines[], at most max of
// them. Returns how many it stored; *next receives where the scan stopped:
// after the terminator of the last line stored when max were stored, else
// length. Sixty-four bytes at a time; this one scan serves the line index
// and every other walk over the lines.
size_t CsvScanLines(const char *text, size_t length, size_t pos, CsvLine *lines, size_t max,
                    size_t *next);

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
int CsvSplitFields(const char *raw, size_t length, CsvFieldSpan *spans, int max);

// Writes the value of field raw[start, end) into out (end - start + 1 bytes
// suffice), NUL-terminated; returns its length.
size_t CsvDecodeField(const char *raw, size_t start, size_t end, char *out);

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
// CsvValueBody). Returns a new NUL-terminated string that the caller
// releases with free(), or NULL when memory runs out or value is NULL.
LPSTR QuoteFieldValue(LPCSTR value, int style);

// The length of value[0, length) before the run of backslashes that ends
// it. Those backslashes cannot stand before a closing quote, which they
// would escape; the writer puts them after it.
size_t CsvValueBody(const char *value, size_t length);
