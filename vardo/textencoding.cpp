#include "vardo/textencoding.h"

#include <stdint.h>
#include <string.h>

namespace {

enum : unsigned char { kControl = 1, kEscOrHigh = 2 };

struct ByteFlags {
  unsigned char of[256];
  constexpr ByteFlags() : of() {
    for (int b = 0x01; b <= 0x06; ++b) of[b] = kControl;
    of[0x7F] = kControl;
    of[0xFF] = kControl | kEscOrHigh;
    of[0x1B] = kEscOrHigh;
    for (int b = 0x80; b < 0xFF; ++b) of[b] = kEscOrHigh;
  }
};
constexpr ByteFlags kFlags;

inline bool In(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

// Every scored sequence begins with a byte of 0x80 or above, so a scan may
// jump over plain ASCII without changing what it counts.
inline size_t SkipAscii(const unsigned char *s, size_t i, size_t end) {
  while (i + 8 <= end) {
    uint64_t word;
    memcpy(&word, s + i, 8);
    if (word & 0x8080808080808080ull) break;
    i += 8;
  }
  while (i < end && s[i] < 0x80) ++i;
  return i;
}

bool HasIso2022JpEscape(const unsigned char *s, size_t length) {
  if (length < 3) return false;
  const void *hit = s;
  for (size_t k = 0; (hit = memchr(s + k, 0x1B, length - k)) != nullptr; ++k) {
    k = static_cast<size_t>(static_cast<const unsigned char *>(hit) - s);
    if (k >= length - 2) return false;
    unsigned char a = s[k + 1], b = s[k + 2];
    if ((a == '$' && (b == '@' || b == 'B')) || (a == '(' && (b == 'B' || b == 'J' || b == 'I')))
      return true;
    if (length > 3 && k < length - 3 && a == '$' && b == '(' && s[k + 3] == 'D') return true;
    if (length > 5 && k < length - 5 && a == '&' && b == '@' && s[k + 3] == 0x1B &&
        s[k + 4] == '$' && s[k + 5] == 'B')
      return true;
    if (k + 1 >= length) break;
  }
  return false;
}

long ShiftJisScore(const unsigned char *s, size_t length) {
  long score = 0;
  size_t last = length - 1;  // positions i < length - 1
  for (size_t i = SkipAscii(s, 0, last); i < last; i = SkipAscii(s, i, last)) {
    unsigned char a = s[i], b = s[i + 1];
    if ((In(a, 0x81, 0x9F) || In(a, 0xE0, 0xFC)) && (In(b, 0x40, 0x7E) || In(b, 0x80, 0xFC))) {
      score += 2;
      i += 2;
    } else {
      ++i;
    }
  }
  return score;
}

long EucJpScore(const unsigned char *s, size_t length) {
  long score = 0;
  size_t last = length - 1;
  for (size_t i = SkipAscii(s, 0, last); i < last; i = SkipAscii(s, i, last)) {
    unsigned char a = s[i], b = s[i + 1];
    if ((In(a, 0xA1, 0xFE) && In(b, 0xA1, 0xFE)) || (a == 0x8E && In(b, 0xA1, 0xDF))) {
      score += 2;
      i += 2;
    } else if (i < length - 2 && a == 0x8F && In(b, 0xA1, 0xFE) && In(s[i + 2], 0xA1, 0xFE)) {
      score += 3;
      i += 3;
    } else {
      ++i;
    }
  }
  return score;
}

long Utf8Score(const unsigned char *s, size_t length) {
  long score = 0;
  size_t last = length - 1;
  for (size_t i = SkipAscii(s, 0, last); i < last; i = SkipAscii(s, i, last)) {
    unsigned char a = s[i], b = s[i + 1];
    if (In(a, 0xC0, 0xDF) && In(b, 0x80, 0xBF)) {
      score += 2;
      i += 2;
    } else if (i < length - 2 && In(a, 0xE0, 0xEF) && In(b, 0x80, 0xBF) &&
               In(s[i + 2], 0x80, 0xBF)) {
      score += 3;
      i += 3;
    } else {
      ++i;
    }
  }
  return score;
}

}  // namespace

int DetectTextEncodingOf(const char *text, size_t length) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  unsigned char seen = 0;
  for (size_t i = 0; i < length; ++i) {
    seen |= kFlags.of[s[i]];
    if (seen & kControl) return TEXT_CONTROL_BYTES;
  }
  if (!(seen & kEscOrHigh)) return TEXT_ASCII;
  if (HasIso2022JpEscape(s, length)) return TEXT_ISO2022JP;
  if (length < 2) return TEXT_UNDECIDED;  // no pair to score

  long sjis = ShiftJisScore(s, length);
  long euc = EucJpScore(s, length);
  long utf8 = Utf8Score(s, length);
  if (euc > sjis && euc > utf8) return TEXT_EUCJP;
  if (sjis > euc && sjis > utf8) return TEXT_SHIFTJIS;
  if (utf8 > euc && utf8 > sjis) return TEXT_UTF8;
  return TEXT_UNDECIDED;
}

int DetectTextEncoding(LPCSTR text) {
  if (!text) return TEXT_ASCII;
  return DetectTextEncodingOf(text, strlen(text));
}
