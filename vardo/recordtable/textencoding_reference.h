// The encoding classification written out plainly, test by test, for
// checking the fast one in tests and fuzzing.
#pragma once

#include <stddef.h>

#include <string>

namespace reference {

inline bool In(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

inline int DetectTextEncoding(const std::string &text) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text.c_str());
  long L = static_cast<long>(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  for (long i = 0; i < L; ++i)
    if (In(s[i], 0x01, 0x06) || s[i] == 0x7F || s[i] == 0xFF) return 0;
  bool plain = true;
  for (long i = 0; i < L; ++i)
    if (s[i] == 0x1B || s[i] >= 0x80) plain = false;
  if (plain) return 1;
  for (long k = 0; k < L - 2; ++k) {
    if (s[k] != 0x1B) continue;
    unsigned char a = s[k + 1], b = s[k + 2];
    if ((a == '$' && (b == '@' || b == 'B')) || (a == '(' && (b == 'B' || b == 'J' || b == 'I')))
      return 2;
    if (k < L - 3 && a == '$' && b == '(' && s[k + 3] == 'D') return 2;
    if (k < L - 5 && a == '&' && b == '@' && s[k + 3] == 0x1B && s[k + 4] == '$' && s[k + 5] == 'B')
      return 2;
  }
  long sjis = 0, euc = 0, utf8 = 0;
  for (long i = 0; i < L - 1;) {
    if ((In(s[i], 0x81, 0x9F) || In(s[i], 0xE0, 0xFC)) &&
        (In(s[i + 1], 0x40, 0x7E) || In(s[i + 1], 0x80, 0xFC))) {
      sjis += 2;
      i += 2;
    } else {
      i += 1;
    }
  }
  for (long i = 0; i < L - 1;) {
    if ((In(s[i], 0xA1, 0xFE) && In(s[i + 1], 0xA1, 0xFE)) ||
        (s[i] == 0x8E && In(s[i + 1], 0xA1, 0xDF))) {
      euc += 2;
      i += 2;
    } else if (i < L - 2 && s[i] == 0x8F && In(s[i + 1], 0xA1, 0xFE) && In(s[i + 2], 0xA1, 0xFE)) {
      euc += 3;
      i += 3;
    } else {
      i += 1;
    }
  }
  for (long i = 0; i < L - 1;) {
    if (In(s[i], 0xC0, 0xDF) && In(s[i + 1], 0x80, 0xBF)) {
      utf8 += 2;
      i += 2;
    } else if (i < L - 2 && In(s[i], 0xE0, 0xEF) && In(s[i + 1], 0x80, 0xBF) &&
               In(s[i + 2], 0x80, 0xBF)) {
      utf8 += 3;
      i += 3;
    } else {
      i += 1;
    }
  }
  if (euc > sjis && euc > utf8) return 3;
  if (sjis > euc && sjis > utf8) return 4;
  if (utf8 > euc && utf8 > sjis) return 5;
  return -1;
}

}  // namespace reference
