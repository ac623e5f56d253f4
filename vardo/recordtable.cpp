#include "vardo/recordtable.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "vardo/csvsyntax.h"
#include "vardo/jisconvert.h"
#include "vardo/lineindex.h"
#include "vardo/recordtable_seams.h"
#include "vardo/tablebuffer.h"
#include "vardo/textencoding.h"

namespace {

enum IndexState { kIndexNone, kIndexBuilt, kIndexFailed };

struct RecordTable {
  char *text;     // NUL-terminated at text[length], or NULL: no table
  size_t length;  // bytes before the first NUL
  BOOL plainUnits;  // known of the text: see CsvHasPlainUnits

  // Derived from text, dropped by ForgetDerived whenever text changes.
  IndexState indexState;
  LineIndex index;
  LONG selected;  // record whose fields are split below, or -1
  CsvLine selectedLine;
  const char *raw;  // its raw line: inside text, or window for long lines
  size_t rawLength;
  int fieldCount;
  CsvFieldSpan spans[CSV_MAX_FIELDS];
  char window[CSV_LINE_WINDOW + 1];
  char value[CSV_LINE_WINDOW + 16];  // the last value peeked at

  int lastOutcome;
  int lastEncoding;
  size_t allocationLimit;
};

RecordTable g_table = {NULL, 0, FALSE, kIndexNone, {NULL, 0}, -1, {0, 0, 0}, NULL, 0, 0, {}, {}, {},
                       CSV_LOAD_OK, TEXT_ASCII, (size_t)-1};

char *AllocateText(size_t bytes) {
  if (bytes > g_table.allocationLimit) return NULL;
  return static_cast<char *>(AllocateTableBuffer(bytes));
}

void ForgetDerived() {
  FreeLineIndex(&g_table.index);
  g_table.indexState = kIndexNone;
  g_table.selected = -1;
  g_table.raw = NULL;
  g_table.rawLength = 0;
  g_table.fieldCount = 0;
}

// Takes ownership of text (NULL for an absent table). plainUnits: whether
// the text is known to have plain units; FALSE is always safe.
void ReplaceText(char *text, size_t length, BOOL plainUnits) {
  ForgetDerived();
  FreeTableBuffer(g_table.text);
  g_table.text = text;
  g_table.length = text ? length : 0;
  g_table.plainUnits = text ? plainUnits : FALSE;
}

BOOL BuildIndex() {
  return BuildLineIndex(g_table.text, g_table.length, g_table.plainUnits, &g_table.index);
}

BOOL LocateRecord(LONG record, CsvLine *line) {
  if (g_table.indexState == kIndexNone)
    g_table.indexState = BuildIndex() ? kIndexBuilt : kIndexFailed;
  if (g_table.indexState == kIndexBuilt) {
    if (static_cast<size_t>(record) >= g_table.index.count) return FALSE;
    *line = g_table.index.lines[record];
    return TRUE;
  }
  // Without memory for the index, scan from the start as often as asked.
  size_t pos = 0;
  for (LONG n = 0;; ++n) {
    if (!CsvNextRecordLine(g_table.text, g_table.length, &pos, line, g_table.plainUnits))
      return FALSE;
    if (n == record) return TRUE;
  }
}

// Splits record `record` into fields, unless it is the one split last.
BOOL SelectRecord(LONG record) {
  if (!g_table.text || record < 0) return FALSE;
  if (g_table.selected == record) return TRUE;
  CsvLine line;
  if (!LocateRecord(record, &line)) return FALSE;
  if (line.end - line.start > CSV_LINE_WINDOW) {
    g_table.rawLength = CsvCollectLineWindow(g_table.text, line.start, line.end, g_table.window);
    g_table.raw = g_table.window;
  } else {
    g_table.raw = g_table.text + line.start;
    g_table.rawLength = line.end - line.start;
  }
  g_table.fieldCount = CsvSplitFields(g_table.raw, g_table.rawLength, g_table.spans, CSV_MAX_FIELDS,
                                      g_table.plainUnits);
  g_table.selectedLine = line;
  g_table.selected = record;
  return TRUE;
}

// Classifies and converts bytes[0, size) (NUL-terminated at size) and makes
// the result the table; takes ownership of bytes.
SHORT AdoptLoadedBytes(char *bytes, size_t size) {
  size_t length = strnlen(bytes, size);
  bytes[length] = '\0';
  BOOL plainUnits = FALSE;
  int encoding = DetectTextEncodingWithUnits(bytes, length, &plainUnits);
  g_table.lastEncoding = encoding;

  char *text = NULL;
  size_t textLength = 0;
  switch (encoding) {
    case TEXT_ASCII:
    case TEXT_UTF8:
      text = bytes;
      textLength = length;
      bytes = NULL;
      break;
    case TEXT_SHIFTJIS:
      text = ShiftJisToUtf8(bytes, length, &textLength);
      plainUnits = TRUE;  // converted text is well-formed UTF-8
      break;
    case TEXT_EUCJP:
    case TEXT_ISO2022JP: {
      char *sjis = AllocateText(2 * length + 1);
      if (sjis) {
        size_t sjisLength = encoding == TEXT_EUCJP ? EucJpToShiftJis(bytes, length, sjis)
                                                   : Iso2022JpToShiftJis(bytes, length, sjis);
        text = ShiftJisToUtf8(sjis, sjisLength, &textLength);
        plainUnits = TRUE;
        FreeTableBuffer(sjis);
      }
      break;
    }
    default:  // control bytes or undecided
      FreeTableBuffer(bytes);
      ReplaceText(NULL, 0, FALSE);
      g_table.lastOutcome = CSV_LOAD_REJECTED;
      return 0;
  }
  FreeTableBuffer(bytes);
  if (!text) {
    ReplaceText(NULL, 0, FALSE);
    g_table.lastOutcome = CSV_LOAD_OUT_OF_MEMORY;
    return 0;
  }
  ReplaceText(text, textLength, plainUnits);
  g_table.lastOutcome = CSV_LOAD_OK;
  return 1;
}

const UINT kIoPiece = 1u << 30;

}  // namespace

SHORT LoadCsvFile(LPCSTR path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    g_table.lastOutcome = CSV_LOAD_CANNOT_OPEN;
    return 0;
  }
  LONG end = _llseek(file, 0, FILE_END);
  size_t size = end > 0 ? static_cast<size_t>(end) : 0;
  _llseek(file, 0, FILE_BEGIN);
  char *bytes = AllocateText(size + 1);
  if (!bytes) {
    _lclose(file);
    ReplaceText(NULL, 0, FALSE);
    g_table.lastOutcome = CSV_LOAD_OUT_OF_MEMORY;
    return 0;
  }
  size_t got = 0;
  while (got < size) {
    UINT want = size - got < kIoPiece ? static_cast<UINT>(size - got) : kIoPiece;
    UINT n = _lread(file, bytes + got, want);
    if (n == static_cast<UINT>(HFILE_ERROR) || n == 0) break;
    got += n;
  }
  bytes[got] = '\0';
  _lclose(file);
  return AdoptLoadedBytes(bytes, got);
}

SHORT LoadCsvBytes(const char *bytes, size_t length) {
  char *copy = AllocateText(length + 1);
  if (!copy) {
    ReplaceText(NULL, 0, FALSE);
    g_table.lastOutcome = CSV_LOAD_OUT_OF_MEMORY;
    return 0;
  }
  if (length) memcpy(copy, bytes, length);
  copy[length] = '\0';
  return AdoptLoadedBytes(copy, length);
}

BOOL SetRecordTableText(const char *text, size_t length) {
  char *copy = AllocateText(length + 1);
  if (copy) {
    if (length) memcpy(copy, text, length);
    copy[length] = '\0';
  }
  ReplaceText(copy, length, copy ? CsvHasPlainUnits(copy, length) : FALSE);
  return copy != NULL;
}

LONG CountRecords(void) {
  if (!g_table.text) return 0;
  if (g_table.indexState == kIndexNone)
    g_table.indexState = BuildIndex() ? kIndexBuilt : kIndexFailed;
  size_t count = 0;
  if (g_table.indexState == kIndexBuilt) {
    count = g_table.index.count;
  } else {
    size_t pos = 0;
    CsvLine line;
    while (CsvNextRecordLine(g_table.text, g_table.length, &pos, &line, g_table.plainUnits))
      ++count;
  }
  return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(count);
}

LPCSTR PeekField(LONG record, LONG column, size_t *length) {
  if (!SelectRecord(record) || column < 0 || column >= g_table.fieldCount) return NULL;
  const CsvFieldSpan &span = g_table.spans[column];
  char *value = g_table.value;
  size_t n = CsvDecodeField(g_table.raw, span.start, span.end, value, g_table.plainUnits);
  // A lone quote is what a quoted empty field ("") leaves behind.
  if (n == 1 && value[0] == '"') value[n = 0] = '\0';
  if (n == 0 && record == 0)
    n = static_cast<size_t>(snprintf(value, 16, "@%d", static_cast<int>(column)));
  if (length) *length = n;
  return value;
}

LPSTR GetField(LONG record, LONG column) {
  size_t length = 0;
  LPCSTR peeked = PeekField(record, column, &length);
  if (!peeked) return NULL;
  char *value = static_cast<char *>(malloc(length + 1));
  if (value) memcpy(value, peeked, length + 1);
  return value;
}

BOOL SetField(LONG record, LONG column, LPCSTR value) {
  if (!value || !SelectRecord(record) || column < 0 || column >= g_table.fieldCount) return FALSE;
  int style = CsvLineEndingStyle(g_table.text, g_table.length);
  const char *ending = CsvLineEnding(style);
  size_t endingLength = strlen(ending);

  // The value between quotes, then any backslashes that end it: before the
  // closing quote they would escape it and run the line into the next.
  // Outside quotes each is written twice, and a pair reads as one. A value
  // of backslashes only needs no quotes at all.
  size_t valueLength = 0, body = 0;
  if (!CsvMeasureValue(value, &valueLength, &body)) return FALSE;
  char *quoted = NULL;
  if (body == valueLength) {
    quoted = QuoteFieldValue(value, style);
  } else {
    char *front = static_cast<char *>(malloc(body + 1));
    if (!front) return FALSE;
    memcpy(front, value, body);
    front[body] = '\0';
    quoted = QuoteFieldValue(front, style);
    free(front);
  }
  if (!quoted) return FALSE;
  size_t quotedLength = strlen(quoted);
  size_t quotes = body == 0 && valueLength > 0 ? 0 : 2;
  size_t backslashes = 2 * (valueLength - body);
  size_t fieldLength = quotes + quotedLength + backslashes;

  // The new raw line: the bytes before the field, the field, and what
  // followed the field's comma when anything did.
  const CsvFieldSpan &span = g_table.spans[column];
  const char *raw = g_table.raw;
  size_t before = span.start;
  size_t restStart = static_cast<size_t>(span.end) + 1;
  size_t rest = restStart < g_table.rawLength ? g_table.rawLength - restStart : 0;
  size_t lineLength = before + fieldLength + (rest ? 1 + rest : 0);
  if (lineLength > CSV_LINE_WINDOW) {
    // The line could no longer be read whole; refuse rather than lose it.
    free(quoted);
    return FALSE;
  }

  const CsvLine &line = g_table.selectedLine;
  size_t after = g_table.length - line.next;
  size_t length = line.start + lineLength + (after ? endingLength + after : 0);
  char *text = AllocateText(length + 1);
  if (!text) {
    free(quoted);
    return FALSE;
  }
  char *out = text;
  memcpy(out, g_table.text, line.start);
  out += line.start;
  memcpy(out, raw, before);
  out += before;
  if (quotes) *out++ = '"';
  memcpy(out, quoted, quotedLength);
  out += quotedLength;
  if (quotes) *out++ = '"';
  memset(out, '\\', backslashes);
  out += backslashes;
  if (rest) {
    *out++ = ',';
    memcpy(out, raw + restStart, rest);
    out += rest;
  }
  if (after) {
    memcpy(out, ending, endingLength);
    out += endingLength;
    memcpy(out, g_table.text + line.next, after);
    out += after;
  }
  *out = '\0';
  BOOL plainUnits = g_table.plainUnits && CsvHasPlainUnits(quoted, quotedLength);
  free(quoted);
  ReplaceText(text, length, plainUnits);
  return TRUE;
}

BOOL SaveCsvFile(LPCSTR path) {
  if (!g_table.text || !path) return FALSE;
  // Written beside the target and moved over it once complete, so the old
  // file survives a create, write or close that fails.
  static const char kSuffix[] = ".vardo-saving";
  size_t pathLength = strlen(path);
  char *temporary = static_cast<char *>(malloc(pathLength + sizeof kSuffix));
  if (!temporary) return FALSE;
  memcpy(temporary, path, pathLength);
  memcpy(temporary + pathLength, kSuffix, sizeof kSuffix);

  BOOL written = FALSE;
  HFILE file = _lcreat(temporary, 0);
  if (file != HFILE_ERROR) {
    written = TRUE;
    size_t done = 0;
    while (done < g_table.length) {
      UINT want = g_table.length - done < kIoPiece ? static_cast<UINT>(g_table.length - done)
                                                  : kIoPiece;
      UINT n = _lwrite(file, g_table.text + done, want);
      if (n != want) {
        written = FALSE;
        break;
      }
      done += n;
    }
    if (_lclose(file) == HFILE_ERROR) written = FALSE;
    if (written) written = MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING);
    if (!written) DeleteFileA(temporary);
  }
  free(temporary);
  return written;
}

void ClearRecordTable(void) { ReplaceText(NULL, 0, FALSE); }

LPCSTR GetRecordTableText(size_t *length) {
  if (length) *length = g_table.length;
  return g_table.text;
}

int GetLastLoadOutcome(void) { return g_table.lastOutcome; }

int GetLastLoadEncoding(void) { return g_table.lastEncoding; }

void SetRecordTableAllocationLimit(size_t bytes) { g_table.allocationLimit = bytes; }
