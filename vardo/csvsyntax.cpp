#include "vardo/csvsyntax.h"

#include <stdlib.h>
#include <string.h>

#include "vardo/bytescan.h"

namespace {

// Byte classes of the line scan. Everything that is not special is stepped
// over a byte at a time, so the scan loops over runs of ordinary bytes.
enum : unsigned char { kOrdinary, kEnd, kLf, kCr, kQuote, kBackslash, kLead };

struct LineClasses {
  unsigned char of[256];
  constexpr LineClasses() : of() {
    for (int b = 0; b < 256; ++b) of[b] = b >= 0xC0 ? kLead : kOrdinary;
    of[0] = kEnd;
    of[static_cast<unsigned char>('\n')] = kLf;
    of[static_cast<unsigned char>('\r')] = kCr;
    of[static_cast<unsigned char>('"')] = kQuote;
    of[static_cast<unsigned char>('\\')] = kBackslash;
  }
};
constexpr LineClasses kLine;

// Byte classes of the field scan.
enum : unsigned char { kFieldOrdinary, kFieldComma, kFieldQuote, kFieldBackslash, kFieldLead };

struct FieldClasses {
  unsigned char of[256];
  constexpr FieldClasses() : of() {
    for (int b = 0; b < 256; ++b) of[b] = b >= 0xC0 ? kFieldLead : kFieldOrdinary;
    of[static_cast<unsigned char>(',')] = kFieldComma;
    of[static_cast<unsigned char>('"')] = kFieldQuote;
    of[static_cast<unsigned char>('\\')] = kFieldBackslash;
  }
};
constexpr FieldClasses kField;

inline bool IsFieldEscape(unsigned char b) {
  return b == 'r' || b == 'n' || b == 't' || b == '\\' || b == '"';
}

inline char DecodeEscape(unsigned char b) {
  switch (b) {
    case 'r': return '\r';
    case 'n': return '\n';
    case 't': return '\t';
    default: return static_cast<char>(b);  // backslash or quote
  }
}

inline size_t UnitAt(const unsigned char *s, size_t pos, size_t limit) {
  size_t n = CsvUnitLength(s[pos]);
  return n <= limit - pos ? n : limit - pos;
}

}  // namespace

BOOL CsvHasPlainUnits(const char *text, size_t length) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  for (size_t p = 0; p < length;) {
    if (s[p] < 0xC0) {
      ++p;
      continue;
    }
    size_t n = CsvUnitLength(s[p]);
    if (n > length - p) return FALSE;
    for (size_t k = 1; k < n; ++k)
      if ((s[p + k] & 0xC0) != 0x80) return FALSE;
    p += n;
  }
  return TRUE;
}

namespace {

// The line scan of a text with plain units: only line breaks, quotes and
// backslashes matter, and inside quotes only the last two.
void ScanPlainLine(const unsigned char *s, size_t length, size_t pos, CsvLine *line) {
  bool quoted = false;
  size_t p = pos;
  line->start = pos;
  for (;;) {
    p = quoted ? FindAnyOf(s, p, length, '"', '\\', '"', '\\')
               : FindAnyOf(s, p, length, '\n', '\r', '"', '\\');
    if (p >= length) {
      line->end = line->next = length;
      return;
    }
    switch (s[p]) {
      case '\n':
        line->end = p;
        line->next = p + 1;
        return;
      case '\r':
        line->end = p;
        line->next = (p + 1 < length && s[p + 1] == '\n') ? p + 2 : p + 1;
        return;
      case '"':
        if (p + 1 < length && s[p + 1] == '"') {
          p += 2;
        } else {
          quoted = !quoted;
          ++p;
        }
        break;
      default:  // backslash
        p += (p + 1 < length && s[p + 1] == '"') ? 2 : 1;
        break;
    }
  }
}

}  // namespace

void CsvScanLine(const char *text, size_t length, size_t pos, CsvLine *line, BOOL plainUnits) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  if (plainUnits) {
    ScanPlainLine(s, length, pos, line);
    return;
  }
  bool quoted = false;
  size_t p = pos;
  line->start = pos;
  for (;;) {
    // A run of ordinary bytes ends at the latest at the end of the text,
    // whose class is kEnd when the text is NUL-terminated there; the bound
    // keeps the scan inside the text when it is not.
    while (p < length && kLine.of[s[p]] == kOrdinary) ++p;
    if (p >= length) {
      line->end = line->next = length;
      return;
    }
    switch (kLine.of[s[p]]) {
      case kEnd:  // a NUL inside the bounds still ends the text
        line->end = line->next = p;
        return;
      case kLf:
        if (!quoted) {
          line->end = p;
          line->next = p + 1;
          return;
        }
        ++p;
        break;
      case kCr:
        if (!quoted) {
          line->end = p;
          line->next = (p + 1 < length && s[p + 1] == '\n') ? p + 2 : p + 1;
          return;
        }
        ++p;
        break;
      case kQuote:
        if (p + 1 < length && s[p + 1] == '"') {
          p += 2;
        } else {
          quoted = !quoted;
          ++p;
        }
        break;
      case kBackslash:
        p += (p + 1 < length && s[p + 1] == '"') ? 2 : 1;
        break;
      default:  // kLead
        p += UnitAt(s, p, length);
        break;
    }
  }
}

BOOL CsvNextRecordLine(const char *text, size_t length, size_t *pos, CsvLine *line,
                       BOOL plainUnits) {
  for (;;) {
    CsvScanLine(text, length, *pos, line, plainUnits);
    *pos = line->next;
    if (line->end > line->start) return TRUE;
    if (line->next == line->start) return FALSE;  // nothing left
  }
}

size_t CsvCollectLineWindow(const char *text, size_t start, size_t end, char *window) {
  // The same steps as the line scan, copying each unit or pair only if it
  // fits whole; nothing in [start, end) can end the line, so the quote
  // state does not matter here.
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  size_t used = 0;
  size_t p = start;
  while (p < end) {
    size_t n;
    unsigned char b = s[p];
    if (b >= 0xC0) {
      n = UnitAt(s, p, end);
    } else if ((b == '"' || b == '\\') && p + 1 < end && s[p + 1] == '"') {
      n = 2;
    } else {
      n = 1;
    }
    if (n <= CSV_LINE_WINDOW - used) {
      memcpy(window + used, s + p, n);
      used += n;
    }
    p += n;
  }
  window[used] = '\0';
  return used;
}

namespace {

// Of the 64 positions of a block with backslashes at b, those right after a
// run of backslashes of odd length: the field rules pair a run up from its
// start (\\ is an escape) and an odd run's last backslash takes the byte
// after it. Adding a run's start bit to b carries through the run to the
// position after it; that position's parity against the start's gives the
// run's length. *oddCarry (0 or 1) says the block before ended inside a run
// of odd length so far, and is updated for the next block.
inline uint64_t AfterOddBackslashRuns(uint64_t b, uint64_t *oddCarry) {
  const uint64_t even = 0x5555555555555555ull, odd = ~even;
  uint64_t starts = b & ~(b << 1);
  // A run that began in the block before counts as begun at an odd bit when
  // its part there was odd, at an even one otherwise.
  uint64_t carriedOdd = *oddCarry & b & 1;
  uint64_t evenStarts = starts & even & ~carriedOdd;
  uint64_t oddStarts = (starts & odd) | carriedOdd;
  uint64_t afterEven = (b + evenStarts) & ~b, afterOdd = (b + oddStarts) & ~b;
  uint64_t after = (afterEven & odd) | (afterOdd & even);
  after |= *oddCarry & ~b & 1;  // an odd run ended with the block before
  uint64_t carry = 0;
  if (b >> 63) {
    uint64_t zeros = ~b;
    unsigned start = zeros ? 64u - static_cast<unsigned>(__builtin_clzll(zeros)) : 0u;
    carry = start & 1u;  // the run's length in this block, 64 - start, is odd
    if (start == 0) carry ^= *oddCarry;
  }
  *oddCarry = carry;
  return after;
}

// The field rules on a raw line with plain units, 64 bytes at a time: a
// quote toggles unless an odd run of backslashes stands before it (the two
// quotes of "" toggle twice, which changes nothing), and commas outside
// quotes end fields.
int SplitPlainFields(const unsigned char *s, size_t length, CsvFieldSpan *spans, int max) {
  int count = 0;
  size_t fieldStart = 0;
  uint64_t quotedBefore = 0, oddCarry = 0;
  unsigned char tail[64];
  for (size_t base = 0; base < length; base += 64) {
    const unsigned char *block = s + base;
    if (length - base < 64) {
      memset(tail, 0, sizeof tail);
      memcpy(tail, block, length - base);
      block = tail;
    }
    ByteMasks4 m = MatchBlock(block, '"', '\\', ',', ',');
    uint64_t escaped = AfterOddBackslashRuns(m.b, &oddCarry);
    uint64_t inside = PrefixXor(m.a & ~escaped) ^ quotedBefore;
    quotedBefore = (inside >> 63) ? ~0ull : 0;
    for (uint64_t commas = m.c & ~inside; commas; commas &= commas - 1) {
      size_t at = base + static_cast<size_t>(__builtin_ctzll(commas));
      if (count < max) {
        spans[count].start = static_cast<uint16_t>(fieldStart);
        spans[count].end = static_cast<uint16_t>(at);
      }
      ++count;
      fieldStart = at + 1;
    }
  }
  // A comma at the very end of the line opens no further field.
  if (count == 0 || fieldStart < length) {
    if (count < max) {
      spans[count].start = static_cast<uint16_t>(fieldStart);
      spans[count].end = static_cast<uint16_t>(length);
    }
    ++count;
  }
  return count;
}

}  // namespace

int CsvSplitFields(const char *raw, size_t length, CsvFieldSpan *spans, int max, BOOL plainUnits) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(raw);
  if (plainUnits) return SplitPlainFields(s, length, spans, max);
  bool quoted = false;
  size_t p = 0;
  size_t fieldStart = 0;
  int count = 0;
  for (;;) {
    while (p < length && kField.of[s[p]] == kFieldOrdinary) ++p;
    if (p >= length) break;
    switch (kField.of[s[p]]) {
      case kFieldLead:
        p += UnitAt(s, p, length);
        break;
      case kFieldQuote:
        if (p + 1 < length && s[p + 1] == '"') {
          p += 2;
        } else {
          quoted = !quoted;
          ++p;
        }
        break;
      case kFieldBackslash:
        p += (p + 1 < length && IsFieldEscape(s[p + 1])) ? 2 : 1;
        break;
      default:  // comma
        if (quoted) {
          ++p;
          break;
        }
        if (count < max) {
          spans[count].start = static_cast<uint16_t>(fieldStart);
          spans[count].end = static_cast<uint16_t>(p);
        }
        ++count;
        ++p;
        // A comma at the very end of the line opens no further field.
        if (p >= length) return count;
        fieldStart = p;
        break;
    }
  }
  if (count < max) {
    spans[count].start = static_cast<uint16_t>(fieldStart);
    spans[count].end = static_cast<uint16_t>(length);
  }
  return count + 1;
}

size_t CsvDecodeField(const char *raw, size_t start, size_t end, char *out, BOOL plainUnits) {
  // Within a field's bounds a comma is always inside quotes, so the quote
  // state only decides which quotes vanish: a lone quote toggles and is
  // dropped, "" gives one quote, escapes are decoded everywhere.
  const unsigned char *s = reinterpret_cast<const unsigned char *>(raw);
  size_t used = 0;
  size_t p = start;
  while (p < end) {
    size_t run = p;
    if (plainUnits)
      run = FindAnyOf(s, p, end, '"', '\\', '"', '\\');
    else
      while (run < end && s[run] != '"' && s[run] != '\\' && s[run] < 0xC0) ++run;
    memcpy(out + used, s + p, run - p);
    used += run - p;
    p = run;
    if (p >= end) break;
    unsigned char b = s[p];
    if (b >= 0xC0) {
      size_t n = UnitAt(s, p, end);
      memcpy(out + used, s + p, n);
      used += n;
      p += n;
    } else if (b == '"') {
      if (p + 1 < end && s[p + 1] == '"') {
        out[used++] = '"';
        p += 2;
      } else {
        ++p;
      }
    } else if (p + 1 < end && IsFieldEscape(s[p + 1])) {
      out[used++] = DecodeEscape(s[p + 1]);
      p += 2;
    } else {
      out[used++] = '\\';
      ++p;
    }
  }
  out[used] = '\0';
  return used;
}

int CsvLineEndingStyle(const char *text, size_t length) {
  const char *cr = static_cast<const char *>(memchr(text, '\r', length));
  if (cr) {
    for (const char *p = cr; p; ) {
      size_t at = static_cast<size_t>(p - text);
      if (at + 1 < length && p[1] == '\n') return LINE_ENDING_CRLF;
      p = static_cast<const char *>(memchr(p + 1, '\r', length - at - 1));
    }
    return LINE_ENDING_CR;
  }
  if (memchr(text, '\n', length)) return LINE_ENDING_LF;
  return LINE_ENDING_CRLF;
}

const char *CsvLineEnding(int style) {
  switch (style) {
    case LINE_ENDING_CR: return "\r";
    case LINE_ENDING_LF: return "\n";
    default: return "\r\n";
  }
}

LPSTR QuoteFieldValue(LPCSTR value, int style) {
  if (!value) return NULL;
  const unsigned char *s = reinterpret_cast<const unsigned char *>(value);
  size_t length = strlen(value);
  // Every byte grows to at most two; three per byte leaves room as well.
  char *out = static_cast<char *>(malloc(3 * length + 1));
  if (!out) return NULL;
  const char *ending = CsvLineEnding(style);
  size_t endingLength = strlen(ending);
  size_t used = 0;
  size_t p = 0;
  bool afterBackslash = false;
  while (p < length) {
    unsigned char b = s[p];
    if (b >= 0xC0) {
      size_t n = UnitAt(s, p, length);
      memcpy(out + used, s + p, n);
      used += n;
      p += n;
      afterBackslash = false;
      continue;
    }
    if (b == '\r' || b == '\n') {
      memcpy(out + used, ending, endingLength);
      used += endingLength;
      p += (b == '\r' && p + 1 < length && s[p + 1] == '\n') ? 2 : 1;
    } else if (b == '"') {
      out[used++] = afterBackslash ? '\\' : '"';
      out[used++] = '"';
      ++p;
    } else if (b == '\\' && p + 1 < length && IsFieldEscape(s[p + 1])) {
      out[used++] = '\\';
      out[used++] = '\\';
      ++p;
    } else {
      out[used++] = static_cast<char>(b);
      ++p;
    }
    afterBackslash = b == '\\';
  }
  out[used] = '\0';
  return out;
}

BOOL CsvMeasureValue(LPCSTR value, size_t *length, size_t *body) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(value);
  size_t n = strlen(value);
  size_t bodyEnd = 0;
  for (size_t p = 0; p < n;) {
    size_t unit = s[p] >= 0xC0 ? CsvUnitLength(s[p]) : 1;
    if (unit > n - p) return FALSE;
    p += unit;
    if (unit > 1 || s[p - 1] != '\\') bodyEnd = p;
  }
  *length = n;
  *body = bodyEnd;
  return TRUE;
}
