#include "vardo/recordtable/csvsyntax.h"

#include <stdlib.h>
#include <string.h>

#include "vardo/recordtable/bytescan.h"

namespace {

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

}  // namespace

// The line rules 64 bytes at a time. A quote toggles the quoted section
// unless a backslash stands right before it: such a quote is the second
// byte of a backslash-quote pair, and the two quotes of a "" pair toggle
// twice, which changes nothing. Line breaks outside quotes end lines; the LF
// of a CR LF belongs to the CR and is passed over as lying before the next
// line's start. A line starts outside quotes and after a terminator, so
// nothing carries into the first block.
size_t CsvScanLines(const char *text, size_t length, size_t pos, CsvLine *lines, size_t max,
                    size_t *next) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  size_t count = 0;
  size_t lineStart = pos;
  if (max == 0) {
    *next = pos;
    return 0;
  }
  uint64_t quotedBefore = 0;     // all ones when the block starts inside quotes
  uint64_t backslashBefore = 0;  // bit 63 of the block before
  unsigned char tail[64];
  for (size_t base = pos; base < length; base += 64) {
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
      size_t after = (s[at] == '\r' && at + 1 < length && s[at + 1] == '\n') ? at + 2 : at + 1;
      if (at > lineStart) {
        lines[count++] = CsvLine{lineStart, at, after};
        if (count == max) {
          *next = after;
          return count;
        }
      }
      lineStart = after;
    }
  }
  if (lineStart < length) lines[count++] = CsvLine{lineStart, length, length};
  *next = length;
  return count;
}

size_t CsvCollectLineWindow(const char *text, size_t start, size_t end, char *window) {
  // The same steps as the line rules, copying each unit or pair only if it
  // fits whole; nothing in [start, end) can end the line, so the quote
  // state does not matter here.
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  size_t used = 0;
  size_t p = start;
  while (p < end) {
    size_t n;
    unsigned char b = s[p];
    if (b >= 0xC0) {
      n = CsvUnitLength(s, p, end);
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

}  // namespace

// The field rules 64 bytes at a time: a quote toggles unless an odd run of
// backslashes stands before it (the two quotes of "" toggle twice, which
// changes nothing), and commas outside quotes end fields.
int CsvSplitFields(const char *raw, size_t length, CsvFieldSpan *spans, int max) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(raw);
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

size_t CsvDecodeField(const char *raw, size_t start, size_t end, char *out) {
  // Within a field's bounds a comma is always inside quotes, so the quote
  // state only decides which quotes vanish: a lone quote toggles and is
  // dropped, "" gives one quote, escapes are decoded everywhere.
  const unsigned char *s = reinterpret_cast<const unsigned char *>(raw);
  size_t used = 0;
  size_t p = start;
  while (p < end) {
    size_t run = FindAnyOf(s, p, end, '"', '\\', '"', '\\');
    memcpy(out + used, s + p, run - p);
    used += run - p;
    p = run;
    if (p >= end) break;
    if (s[p] == '"') {
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
    for (const char *p = cr; p;) {
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

size_t CsvValueBody(const char *value, size_t length) {
  while (length > 0 && value[length - 1] == '\\') --length;
  return length;
}
