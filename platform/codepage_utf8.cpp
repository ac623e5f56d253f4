// UTF-8 to and from UTF-16.
//
// Malformed UTF-8 decodes the way the Unicode Standard recommends (chapter
// 3, "U+FFFD Substitution of Maximal Subparts"): each maximal subpart of an
// ill-formed sequence (the longest start of a well-formed sequence, or else
// one byte) becomes one U+FFFD, and decoding resumes after it.
#include "codepage_ascii.h"
#include "codepage_convert.h"

#include <cstring>

namespace vplat::codepage {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Writes bytes b0 b1 b2 at d (and, on little-endian machines, one more
// byte of no meaning after them).
inline void Store4(uint8_t *d, uint32_t b0, uint32_t b1, uint32_t b2) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  uint32_t word = b0 | b1 << 8 | b2 << 16;
  std::memcpy(d, &word, 4);
#else
  d[0] = static_cast<uint8_t>(b0);
  d[1] = static_cast<uint8_t>(b1);
  d[2] = static_cast<uint8_t>(b2);
#endif
}

template <bool kWrite>
Result Decode(const uint8_t *s, size_t n, char16_t *d, size_t cap, bool strict) {
  size_t i = 0, o = 0;
  while (i < n) {
    unsigned b = s[i];
    if (b < 0x80) {
      if (n - i >= 16 && (!kWrite || cap - o >= 16)) {
        size_t k = kWrite ? WidenAscii16(s + i, d + o) : CountAscii16(s + i);
        i += k;
        o += k;
        continue;
      }
      if (kWrite) {
        if (o == cap) return {o, Status::kBufferTooSmall, false};
        d[o] = static_cast<char16_t>(b);
      }
      o++;
      i++;
      continue;
    }
    // Length and the range of the second byte, from Unicode's table of
    // well-formed byte sequences; the later bytes are always 0x80-0xBF.
    size_t len;
    unsigned lo = 0x80, hi = 0xBF;
    uint32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;  // no encoded surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
      len = 0;  // a continuation byte, C0, C1 or F5-FF: never valid here
      cp = 0;
    }
    size_t got = 1;
    while (got < len && i + got < n && s[i + got] >= lo && s[i + got] <= hi) {
      cp = cp << 6 | (s[i + got] & 0x3F);
      got++;
      lo = 0x80;
      hi = 0xBF;
    }
    i += got;
    if (got != len) {
      if (strict) return {o, Status::kInvalidChar, false};
      cp = kReplacement;
    }
    if (cp < 0x10000) {
      if (kWrite) {
        if (o == cap) return {o, Status::kBufferTooSmall, false};
        d[o] = static_cast<char16_t>(cp);
      }
      o++;
    } else {
      if (kWrite) {
        if (cap - o < 2) return {o, Status::kBufferTooSmall, false};
        d[o] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        d[o + 1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      }
      o += 2;
    }
  }
  return {o, Status::kOk, false};
}

// Encoding runs a fast loop while at least 16 units remain and there is
// room for 16 bytes: from an ASCII unit, 16 units at a time while they are
// ASCII; from any other unit below the surrogates, its two or three bytes.
// Surrogates and the end of the text go through the careful
// per-character path, which also checks the output capacity.
template <bool kWrite>
Result Encode(const char16_t *s, size_t n, uint8_t *d, size_t cap, bool strict) {
  size_t i = 0, o = 0;
  while (i < n) {
    while (n - i >= 16 && (!kWrite || cap - o >= 16)) {
      uint32_t c = s[i];
      if (c < 0x80) {
        size_t k = kWrite ? NarrowAscii16(s + i, d + o) : CountAscii16(s + i);
        i += k;
        o += k;
        continue;
      }
      if ((c & 0xF800) == 0xD800) break;
      // One four-byte store (there is room for it) instead of two or three.
      if (c >= 0x800) {
        if (kWrite) Store4(d + o, 0xE0 | c >> 12, 0x80 | (c >> 6 & 0x3F), 0x80 | (c & 0x3F));
        o += 3;
      } else {
        if (kWrite) Store4(d + o, 0xC0 | c >> 6, 0x80 | (c & 0x3F), 0);
        o += 2;
      }
      i++;
    }
    if (i == n) break;

    uint32_t c = s[i];
    if (c < 0x80) {
      if (n - i >= 16 && (!kWrite || cap - o >= 16)) {
        size_t k = kWrite ? NarrowAscii16(s + i, d + o) : CountAscii16(s + i);
        i += k;
        o += k;
        continue;
      }
      if (kWrite) {
        if (o == cap) return {o, Status::kBufferTooSmall, false};
        d[o] = static_cast<uint8_t>(c);
      }
      o++;
      i++;
      continue;
    }
    i++;
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i < n && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (s[i] - 0xDC00);
        i++;
      } else {
        if (strict) return {o, Status::kInvalidChar, false};
        c = kReplacement;  // a lone surrogate
      }
    }
    uint8_t bytes[4];
    size_t len;
    if (c < 0x800) {
      bytes[0] = static_cast<uint8_t>(0xC0 | c >> 6);
      bytes[1] = static_cast<uint8_t>(0x80 | (c & 0x3F));
      len = 2;
    } else if (c < 0x10000) {
      bytes[0] = static_cast<uint8_t>(0xE0 | c >> 12);
      bytes[1] = static_cast<uint8_t>(0x80 | (c >> 6 & 0x3F));
      bytes[2] = static_cast<uint8_t>(0x80 | (c & 0x3F));
      len = 3;
    } else {
      bytes[0] = static_cast<uint8_t>(0xF0 | c >> 18);
      bytes[1] = static_cast<uint8_t>(0x80 | (c >> 12 & 0x3F));
      bytes[2] = static_cast<uint8_t>(0x80 | (c >> 6 & 0x3F));
      bytes[3] = static_cast<uint8_t>(0x80 | (c & 0x3F));
      len = 4;
    }
    if (kWrite) {
      if (cap - o < len) return {o, Status::kBufferTooSmall, false};
      for (size_t j = 0; j < len; j++) d[o + j] = bytes[j];
    }
    o += len;
  }
  return {o, Status::kOk, false};
}

}  // namespace

Result Utf8ToUtf16(const uint8_t *src, size_t n, char16_t *dst, size_t cap, bool strict) {
  return dst ? Decode<true>(src, n, dst, cap, strict) : Decode<false>(src, n, nullptr, 0, strict);
}

Result Utf16ToUtf8(const char16_t *src, size_t n, uint8_t *dst, size_t cap, bool strict) {
  return dst ? Encode<true>(src, n, dst, cap, strict) : Encode<false>(src, n, nullptr, 0, strict);
}

}  // namespace vplat::codepage
