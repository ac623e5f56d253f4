// Code page 932 to and from UTF-16, by table lookup.
//
// Decoding runs a fast loop while at least 17 input bytes and 16 output
// units remain: from an ASCII byte, 16 bytes at a time while they are
// ASCII; from any other byte, one character by a lookup in kDecode. (A
// branch-free step, its length computed rather than branched on, measured
// slower: each character then waits for the one before.)
// Anything unusual (an undefined sequence, a byte a strict conversion
// refuses) and the end of the text go through the careful per-character
// path, which also checks the output capacity.
#include "codepage_ascii.h"
#include "codepage_convert.h"
#include "codepage_cp932_tables.h"

namespace vplat::codepage {
namespace {

using cp932::kDecode;
using cp932::kEncode;
using cp932::kEncodePage;
using cp932::kLeadRow;

// What an undefined sequence decodes to: the code page's Unicode default
// character, KATAKANA MIDDLE DOT.
constexpr char16_t kUnicodeDefault = 0x30FB;

// 0xA0 and 0xFD-0xFF have a private-use meaning but are undefined in the
// code page, so a strict conversion refuses them.
inline bool IsUndefinedSingle(unsigned b) { return b == 0xA0 || b >= 0xFD; }

template <bool kWrite>
Result Decode(const uint8_t *s, size_t n, char16_t *d, size_t cap, bool strict) {
  size_t i = 0, o = 0;
  while (i < n) {
    while (n - i > 16 && (!kWrite || cap - o >= 16)) {
      unsigned b = s[i];
      if (b < 0x80) {
        size_t k = kWrite ? WidenAscii16(s + i, d + o) : CountAscii16(s + i);
        i += k;
        o += k;
        continue;
      }
      unsigned row = kLeadRow[b];
      char16_t w;
      if (row) {
        w = kDecode[row][s[i + 1]];
        if (w == 0) break;
        i += 2;
      } else {
        w = kDecode[0][b];
        if (strict && IsUndefinedSingle(b)) break;
        i++;
      }
      if (kWrite) d[o] = w;
      o++;
    }
    if (i == n) break;

    unsigned b = s[i];
    char16_t w;
    unsigned row = kLeadRow[b];
    if (row == 0) {
      if (strict && IsUndefinedSingle(b)) return {o, Status::kInvalidChar, false};
      w = kDecode[0][b];
      i++;
    } else if (i + 1 < n && kDecode[row][s[i + 1]] != 0) {
      w = kDecode[row][s[i + 1]];
      i += 2;
    } else {
      // An undefined pair is taken whole; a lead byte followed by a byte
      // that cannot be a trail byte (or by nothing) stands alone, so that
      // the next byte (a NUL, a quote, a line break) keeps its meaning.
      if (strict) return {o, Status::kInvalidChar, false};
      w = kUnicodeDefault;
      i += (i + 1 < n && IsCp932Trail(s[i + 1])) ? 2 : 1;
    }
    if (kWrite) {
      if (o == cap) return {o, Status::kBufferTooSmall, false};
      d[o] = w;
    }
    o++;
  }
  return {o, Status::kOk, false};
}

inline char16_t DecodeCode(unsigned mb) {
  return mb < 0x100 ? kDecode[0][mb] : kDecode[kLeadRow[mb >> 8]][mb & 0xFF];
}

template <bool kWrite>
Result Encode(const char16_t *s, size_t n, uint8_t *d, size_t cap, bool noBestFit,
              DefaultChar def) {
  size_t i = 0, o = 0;
  bool usedDefault = false;
  while (i < n) {
    char16_t c = s[i];
    if (c < 0x80) {
      if (n - i >= 16 && (!kWrite || cap - o >= 16)) {
        size_t k = kWrite ? NarrowAscii16(s + i, d + o) : CountAscii16(s + i);
        i += k;
        o += k;
        continue;
      }
      if (kWrite) {
        if (o == cap) return {o, Status::kBufferTooSmall, usedDefault};
        d[o] = static_cast<uint8_t>(c);
      }
      o++;
      i++;
      continue;
    }
    unsigned mb = kEncode[kEncodePage[c >> 8]][c & 0xFF];
    if (mb != 0 && noBestFit && DecodeCode(mb) != c) mb = 0;
    i++;
    uint8_t bytes[2];
    size_t len;
    if (mb == 0) {
      // Surrogates have no 932 form either: each half becomes a default
      // character, as any other unmappable unit does.
      usedDefault = true;
      bytes[0] = def.bytes[0];
      bytes[1] = def.bytes[1];
      len = def.length;
    } else if (mb < 0x100) {
      bytes[0] = static_cast<uint8_t>(mb);
      len = 1;
    } else {
      bytes[0] = static_cast<uint8_t>(mb >> 8);
      bytes[1] = static_cast<uint8_t>(mb);
      len = 2;
    }
    if (kWrite) {
      if (cap - o < len) return {o, Status::kBufferTooSmall, usedDefault};
      d[o] = bytes[0];
      if (len == 2) d[o + 1] = bytes[1];
    }
    o += len;
  }
  return {o, Status::kOk, usedDefault};
}

}  // namespace

Result Cp932ToUtf16(const uint8_t *src, size_t n, char16_t *dst, size_t cap, bool strict) {
  return dst ? Decode<true>(src, n, dst, cap, strict) : Decode<false>(src, n, nullptr, 0, strict);
}

Result Utf16ToCp932(const char16_t *src, size_t n, uint8_t *dst, size_t cap, bool noBestFit,
                    DefaultChar defaultChar) {
  return dst ? Encode<true>(src, n, dst, cap, noBestFit, defaultChar)
             : Encode<false>(src, n, nullptr, 0, noBestFit, defaultChar);
}

}  // namespace vplat::codepage
