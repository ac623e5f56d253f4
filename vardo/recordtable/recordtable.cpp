#include "vardo/recordtable/recordtable.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "vardo/recordtable/csvsyntax.h"
#include "vardo/recordtable/jisconvert.h"
#include "vardo/recordtable/lineindex.h"
#include "vardo/recordtable/recordtable_seams.h"
#include "vardo/recordtable/tablebuffer.h"
#include "vardo/recordtable/textencoding.h"

namespace {

enum IndexState { kIndexNone, kIndexBuilt, kIndexFailed };

struct RecordTable {
  char *text;     // NUL-terminated at text[length], or NULL: no table
  size_t length;  // bytes before the first NUL

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

  // The bytes of the file the text was made from, before the first NUL:
  // the text itself when they needed no conversion, a kept copy when they
  // did; NULL when the text did not come from bytes as they were read, or
  // was changed since. A load that reads these same bytes keeps the table.
  char *source;
  size_t sourceLength;
  // The file the source was last found in: what its handle told just
  // before the bytes were read, and the system time then. Meaningful only
  // with a source and when sourceFileKnown.
  bool sourceFileKnown;
  BY_HANDLE_FILE_INFORMATION sourceFile;
  ULONGLONG sourceReadAt;
  unsigned long version;  // changes with every new text

  int lastOutcome;
  int lastEncoding;
  int lastSetOutcome;
  size_t allocationLimit;
};

RecordTable g_table = {NULL, 0,  kIndexNone,  {NULL, 0},  -1,         {0, 0, 0}, NULL,  0,
                       0,    {}, {},          {},         NULL,       0,         false, {},
                       0,    0,  CSV_LOAD_OK, TEXT_ASCII, CSV_SET_OK, (size_t)-1};

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

void ForgetSource() {
  if (g_table.source != g_table.text) FreeTableBuffer(g_table.source);
  g_table.source = NULL;
  g_table.sourceLength = 0;
  g_table.sourceFileKnown = false;
}

// Takes ownership of text (NULL for an absent table).
void ReplaceText(char *text, size_t length) {
  ForgetDerived();
  ForgetSource();
  FreeTableBuffer(g_table.text);
  g_table.text = text;
  g_table.length = text ? length : 0;
  ++g_table.version;
}

BOOL BuildIndex() { return BuildLineIndex(g_table.text, g_table.length, &g_table.index); }

// How many lines a scan without the index takes at a time.
const size_t kScanBatch = 64;

BOOL LocateRecord(LONG record, CsvLine *line) {
  if (g_table.indexState == kIndexNone)
    g_table.indexState = BuildIndex() ? kIndexBuilt : kIndexFailed;
  if (g_table.indexState == kIndexBuilt) {
    if (static_cast<size_t>(record) >= g_table.index.count) return FALSE;
    *line = IndexedLine(&g_table.index, g_table.text, g_table.length, static_cast<size_t>(record));
    return TRUE;
  }
  // Without memory for the index, scan from the start as often as asked.
  CsvLine batch[kScanBatch];
  size_t pos = 0, before = 0;
  while (pos < g_table.length) {
    size_t n = CsvScanLines(g_table.text, g_table.length, pos, batch, kScanBatch, &pos);
    if (static_cast<size_t>(record) - before < n) {
      *line = batch[record - before];
      return TRUE;
    }
    before += n;
  }
  return FALSE;
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
  g_table.fieldCount =
      CsvSplitFields(g_table.raw, g_table.rawLength, g_table.spans, CSV_MAX_FIELDS);
  g_table.selectedLine = line;
  g_table.selected = record;
  return TRUE;
}

// Classifies and converts bytes[0, size) (NUL-terminated at size) and makes
// the result the table, remembering the bytes as its source; takes
// ownership of bytes.
SHORT AdoptLoadedBytes(char *bytes, size_t size) {
  size_t length = strnlen(bytes, size);
  bytes[length] = '\0';
  int encoding = DetectTextEncodingOf(bytes, length);
  g_table.lastEncoding = encoding;

  char *text = NULL;
  size_t textLength = 0;
  switch (encoding) {
    case TEXT_ASCII:
    case TEXT_UTF8:
      text = bytes;
      textLength = length;
      break;
    case TEXT_SHIFTJIS: text = ShiftJisToUtf8(bytes, length, &textLength); break;
    case TEXT_EUCJP:
    case TEXT_ISO2022JP: {
      char *sjis = AllocateText(2 * length + 1);
      if (sjis) {
        size_t sjisLength = encoding == TEXT_EUCJP ? EucJpToShiftJis(bytes, length, sjis)
                                                   : Iso2022JpToShiftJis(bytes, length, sjis);
        text = ShiftJisToUtf8(sjis, sjisLength, &textLength);
        FreeTableBuffer(sjis);
      }
      break;
    }
    default:  // control bytes or undecided
      FreeTableBuffer(bytes);
      ReplaceText(NULL, 0);
      g_table.lastOutcome = CSV_LOAD_REJECTED;
      return 0;
  }
  if (!text) {
    FreeTableBuffer(bytes);
    ReplaceText(NULL, 0);
    g_table.lastOutcome = CSV_LOAD_OUT_OF_MEMORY;
    return 0;
  }
  ReplaceText(text, textLength);
  g_table.source = bytes;
  g_table.sourceLength = length;
  g_table.lastOutcome = CSV_LOAD_OK;
  return 1;
}

const UINT kIoPiece = 1u << 30;

// The most bytes a file may have: what a LONG file position reaches.
const size_t kMaxFile = 0x7FFFFFFF;

// A larger buffer for the bytes read so far, or NULL (p is then kept).
char *GrowText(char *p, size_t bytes) {
  if (bytes > g_table.allocationLimit) return NULL;
  return static_cast<char *>(ResizeTableBuffer(p, bytes));
}

// Reads the open file to its end into a new buffer (*bytes, *size bytes and
// a NUL after them). Returns CSV_LOAD_OK, or CSV_LOAD_INCOMPLETE with what
// came before a read error; CSV_LOAD_TOO_LARGE or CSV_LOAD_OUT_OF_MEMORY
// with no buffer.
int ReadWholeFile(HFILE file, char **bytes, size_t *size) {
  *bytes = NULL;
  *size = 0;
  size_t capacity;  // bytes the buffer holds before its NUL
  LONG end = _llseek(file, 0, FILE_END);
  if (end != HFILE_ERROR && _llseek(file, 0, FILE_BEGIN) == 0) {
    capacity = static_cast<size_t>(end);
  } else if (end == HFILE_ERROR && GetLastError() == ERROR_INVALID_PARAMETER) {
    return CSV_LOAD_TOO_LARGE;  // its end lies past what a LONG reaches
  } else {
    // A pipe or another stream that cannot seek: read it to its end.
    capacity = 64 * 1024;
  }
  char *buffer = AllocateText(capacity + 1);
  if (!buffer) return CSV_LOAD_OUT_OF_MEMORY;
  size_t got = 0;
  int outcome = CSV_LOAD_OK;
  for (;;) {
    if (got == capacity) {
      // Full: one byte more, into the NUL's place, tells whether the file
      // ends here (it may have grown, or not have told its size).
      UINT n = _lread(file, buffer + got, 1);
      if (n == 0) break;
      if (n == static_cast<UINT>(HFILE_ERROR)) {
        outcome = CSV_LOAD_INCOMPLETE;
        break;
      }
      got += n;
      if (got > kMaxFile) {
        FreeTableBuffer(buffer);
        return CSV_LOAD_TOO_LARGE;
      }
      size_t grown = capacity < kMaxFile / 2 ? 2 * capacity + 64 * 1024 : kMaxFile;
      char *more = GrowText(buffer, grown + 1);
      if (!more) {
        FreeTableBuffer(buffer);
        return CSV_LOAD_OUT_OF_MEMORY;
      }
      buffer = more;
      capacity = grown;
      continue;
    }
    UINT want = capacity - got < kIoPiece ? static_cast<UINT>(capacity - got) : kIoPiece;
    UINT n = _lread(file, buffer + got, want);
    if (n == static_cast<UINT>(HFILE_ERROR)) {
      outcome = CSV_LOAD_INCOMPLETE;
      break;
    }
    if (n == 0) break;
    got += n;
  }
  buffer[got] = '\0';
  *bytes = buffer;
  *size = got;
  return outcome;
}

ULONGLONG Ticks(const FILETIME &t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// How long before a read a file must have been last written for its time
// to tell that it did not change since: a write within the same tick of the
// file clock as the one before it leaves the time as it was. A time with a
// fraction of a second comes from a fine clock (a tick of the system's
// clock, a few milliseconds); a whole second may come from a coarse one
// (two seconds on FAT).
const ULONGLONG kSecond = 10000000ull;
ULONGLONG SettledAfter(ULONGLONG written) {
  return written % kSecond != 0 ? kSecond / 10 : 4 * kSecond;
}

// Whether info names the file the source was found in, unchanged since:
// the same file (not another moved over its name), its size, and a last
// write that was settled before the source was read.
bool SameSettledFile(const BY_HANDLE_FILE_INFORMATION &info) {
  const BY_HANDLE_FILE_INFORMATION &known = g_table.sourceFile;
  return g_table.source && g_table.sourceFileKnown &&
         info.dwVolumeSerialNumber == known.dwVolumeSerialNumber &&
         info.nFileIndexHigh == known.nFileIndexHigh && info.nFileIndexLow == known.nFileIndexLow &&
         info.nFileSizeHigh == known.nFileSizeHigh && info.nFileSizeLow == known.nFileSizeLow &&
         Ticks(info.ftLastWriteTime) == Ticks(known.ftLastWriteTime) &&
         Ticks(known.ftLastWriteTime) + SettledAfter(Ticks(known.ftLastWriteTime)) <
             g_table.sourceReadAt;
}

void RememberSourceFile(bool known, const BY_HANDLE_FILE_INFORMATION &info, FILETIME readAt) {
  g_table.sourceFileKnown = known;
  g_table.sourceFile = info;
  g_table.sourceReadAt = Ticks(readAt);
}

// Whether the open file holds exactly the bytes the table was made from,
// compared piece by piece as it is read, so that an unchanged file costs no
// buffer of its size. Leaves the file at its start when it answers false;
// a file that cannot seek is never compared.
bool FileHoldsSource(HFILE file) {
  if (!g_table.source) return false;
  LONG end = _llseek(file, 0, FILE_END);
  bool same = end != HFILE_ERROR && static_cast<size_t>(end) == g_table.sourceLength &&
              _llseek(file, 0, FILE_BEGIN) == 0;
  char piece[64 * 1024];
  size_t at = 0;
  while (same) {
    UINT n = _lread(file, piece, sizeof piece);
    if (n == static_cast<UINT>(HFILE_ERROR)) {
      same = false;  // the full read that follows meets the error and tells it
    } else if (n == 0) {
      break;
    } else {
      same = n <= g_table.sourceLength - at && memcmp(piece, g_table.source + at, n) == 0;
      at += n;
    }
  }
  if (same && at == g_table.sourceLength) return true;
  if (end != HFILE_ERROR) _llseek(file, 0, FILE_BEGIN);
  return false;
}

}  // namespace

SHORT LoadCsvFile(LPCSTR path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    g_table.lastOutcome = CSV_LOAD_CANNOT_OPEN;
    return 0;
  }
  // A batch run loads the same file for every document. When the file is
  // the one the table was made from, unchanged, the table is kept with what
  // was derived from it: known by what its handle tells where that settles
  // it, else by its bytes.
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  BY_HANDLE_FILE_INFORMATION info = {};
  const bool known =
      GetFileInformationByHandle(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file)), &info);
  if (known && SameSettledFile(info)) {
    _lclose(file);
    g_table.lastOutcome = CSV_LOAD_OK;
    return 1;
  }
  if (FileHoldsSource(file)) {
    _lclose(file);
    RememberSourceFile(known, info, now);
    g_table.lastOutcome = CSV_LOAD_OK;
    return 1;
  }
  char *bytes = NULL;
  size_t size = 0;
  int outcome = ReadWholeFile(file, &bytes, &size);
  _lclose(file);  // sets no last error when it succeeds, so a read's stays
  if (!bytes) {
    ReplaceText(NULL, 0);
    g_table.lastOutcome = outcome;
    return 0;
  }
  SHORT taken = AdoptLoadedBytes(bytes, size);
  if (taken && outcome == CSV_LOAD_INCOMPLETE) g_table.lastOutcome = CSV_LOAD_INCOMPLETE;
  if (taken && outcome == CSV_LOAD_OK) RememberSourceFile(known, info, now);
  return taken;
}

SHORT LoadCsvBytes(const char *bytes, size_t length) {
  char *copy = AllocateText(length + 1);
  if (!copy) {
    ReplaceText(NULL, 0);
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
  ReplaceText(copy, length);
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
    CsvLine batch[kScanBatch];
    for (size_t pos = 0; pos < g_table.length;)
      count += CsvScanLines(g_table.text, g_table.length, pos, batch, kScanBatch, &pos);
  }
  return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(count);
}

LPCSTR PeekField(LONG record, LONG column, size_t *length) {
  if (!SelectRecord(record) || column < 0 || column >= g_table.fieldCount) return NULL;
  const CsvFieldSpan &span = g_table.spans[column];
  char *value = g_table.value;
  size_t n = CsvDecodeField(g_table.raw, span.start, span.end, value);
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

namespace {

BOOL RefuseSet(int outcome) {
  g_table.lastSetOutcome = outcome;
  return FALSE;
}

}  // namespace

BOOL SetField(LONG record, LONG column, LPCSTR value) {
  if (!value || !SelectRecord(record)) return RefuseSet(CSV_SET_NO_RECORD);
  const CsvLine &line = g_table.selectedLine;
  // Rebuilt from what the window holds, the line would lose the rest.
  if (line.end - line.start > CSV_LINE_WINDOW) return RefuseSet(CSV_SET_LINE_CUT);
  if (column < 0 || column >= g_table.fieldCount) return RefuseSet(CSV_SET_NO_FIELD);
  int style = CsvLineEndingStyle(g_table.text, g_table.length);
  const char *ending = CsvLineEnding(style);
  size_t endingLength = strlen(ending);

  // The value between quotes, then any backslashes that end it: before the
  // closing quote they would escape it and run the line into the next.
  // Outside quotes each is written twice, and a pair reads as one. A value
  // of backslashes only needs no quotes at all.
  size_t valueLength = strlen(value);
  size_t body = CsvValueBody(value, valueLength);
  char *quoted = NULL;
  if (body == valueLength) {
    quoted = QuoteFieldValue(value, style);
  } else {
    char *front = static_cast<char *>(malloc(body + 1));
    if (!front) return RefuseSet(CSV_SET_OUT_OF_MEMORY);
    memcpy(front, value, body);
    front[body] = '\0';
    quoted = QuoteFieldValue(front, style);
    free(front);
  }
  if (!quoted) return RefuseSet(CSV_SET_OUT_OF_MEMORY);
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
    return RefuseSet(CSV_SET_TOO_LONG);
  }

  size_t after = g_table.length - line.next;
  size_t length = line.start + lineLength + (after ? endingLength + after : 0);
  char *text = AllocateText(length + 1);
  if (!text) {
    free(quoted);
    return RefuseSet(CSV_SET_OUT_OF_MEMORY);
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
  free(quoted);
  ReplaceText(text, length);
  g_table.lastSetOutcome = CSV_SET_OK;
  return TRUE;
}

BOOL SaveCsvFile(LPCSTR path) {
  if (!g_table.text || !path) return FALSE;
  return SaveWholeFileA(path, g_table.text, g_table.length);
}

void ClearRecordTable(void) { ReplaceText(NULL, 0); }

LPCSTR GetRecordTableText(size_t *length) {
  if (length) *length = g_table.length;
  return g_table.text;
}

unsigned long GetRecordTableVersion(void) { return g_table.version; }

int GetLastLoadOutcome(void) { return g_table.lastOutcome; }

int GetLastLoadEncoding(void) { return g_table.lastEncoding; }

int GetLastSetOutcome(void) { return g_table.lastSetOutcome; }

void SetRecordTableAllocationLimit(size_t bytes) { g_table.allocationLimit = bytes; }
