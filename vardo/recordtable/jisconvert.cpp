#include "vardo/recordtable/jisconvert.h"

#include <stdlib.h>
#include <string.h>

#include <windows.h>

#include "vardo/recordtable/tablebuffer.h"

namespace {

inline bool In(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

// JIS X 0208 row/cell bytes (both 0x21-0x7E) to their Shift-JIS pair.
inline void PutJis(unsigned j1, unsigned j2, unsigned char *out) {
  out[0] = static_cast<unsigned char>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
  if (j1 & 1)
    out[1] = static_cast<unsigned char>(j2 + (j2 >= 0x60 ? 0x20 : 0x1F));
  else
    out[1] = static_cast<unsigned char>(j2 + 0x7E);
}

inline void PutReplacement(unsigned char *out) {
  out[0] = SJIS_REPLACEMENT_LEAD;
  out[1] = SJIS_REPLACEMENT_TRAIL;
}

}  // namespace

size_t EucJpToShiftJis(const char *src, size_t length, char *dst) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(src);
  unsigned char *out = reinterpret_cast<unsigned char *>(dst);
  size_t used = 0;
  size_t i = 0;
  while (i < length) {
    unsigned char a = s[i];
    if (a < 0x80) {
      out[used++] = a;
      ++i;
      continue;
    }
    unsigned char b = i + 1 < length ? s[i + 1] : 0;
    if (a == 0x8E && In(b, 0xA1, 0xDF)) {  // half-width katakana
      out[used++] = b;
      i += 2;
    } else if (a == 0x8F && In(b, 0xA1, 0xFE) && i + 2 < length && In(s[i + 2], 0xA1, 0xFE)) {
      PutReplacement(out + used);  // JIS X 0212 has no Shift-JIS form
      used += 2;
      i += 3;
    } else if (In(a, 0xA1, 0xFE) && In(b, 0xA1, 0xFE)) {
      PutJis(a - 0x80u, b - 0x80u, out + used);
      used += 2;
      i += 2;
    } else {
      // A byte that begins no valid sequence stands alone: the byte after
      // it (perhaps a comma or a line break) is read on its own.
      PutReplacement(out + used);
      used += 2;
      ++i;
    }
  }
  out[used] = '\0';
  return used;
}

size_t Iso2022JpToShiftJis(const char *src, size_t length, char *dst) {
  enum Mode { kAscii, kRoman, kKatakana, kKanji, kSupplement };
  const unsigned char *s = reinterpret_cast<const unsigned char *>(src);
  unsigned char *out = reinterpret_cast<unsigned char *>(dst);
  Mode mode = kAscii;
  size_t used = 0;
  size_t i = 0;
  auto at = [&](size_t k) -> unsigned char { return k < length ? s[k] : 0; };
  while (i < length) {
    unsigned char a = s[i];
    if (a == 0x1B) {
      unsigned char b = at(i + 1), c = at(i + 2);
      if (b == '$' && (c == '@' || c == 'B')) {
        mode = kKanji;
        i += 3;
        continue;
      }
      if (b == '$' && c == '(' && at(i + 3) == 'D') {
        mode = kSupplement;
        i += 4;
        continue;
      }
      if (b == '&' && c == '@' && at(i + 3) == 0x1B && at(i + 4) == '$' && at(i + 5) == 'B') {
        mode = kKanji;  // JIS X 0208-1990, announced
        i += 6;
        continue;
      }
      if (b == '(' && (c == 'B' || c == 'J' || c == 'I')) {
        mode = c == 'B' ? kAscii : c == 'J' ? kRoman : kKatakana;
        i += 3;
        continue;
      }
      out[used++] = a;  // not an escape we know: kept as a byte
      ++i;
      continue;
    }
    if (a < 0x21 || a > 0x7E) {  // spaces, line breaks, 8-bit bytes
      out[used++] = a;
      ++i;
      continue;
    }
    switch (mode) {
      case kAscii:
      case kRoman:  // JIS X 0201 Roman: code page 932 reads 5C and 7E as it does
        out[used++] = a;
        ++i;
        break;
      case kKatakana:
        if (a <= 0x5F) {
          out[used++] = static_cast<unsigned char>(a + 0x80);
        } else {
          PutReplacement(out + used);
          used += 2;
        }
        ++i;
        break;
      case kKanji:
      case kSupplement: {
        unsigned char b = at(i + 1);
        if (In(b, 0x21, 0x7E)) {
          if (mode == kKanji)
            PutJis(a, b, out + used);
          else
            PutReplacement(out + used);
          i += 2;
        } else {
          PutReplacement(out + used);  // half a character
          ++i;
        }
        used += 2;
        break;
      }
    }
  }
  out[used] = '\0';
  return used;
}

char *ShiftJisToUtf8(const char *src, size_t length, size_t *outLength) {
  // Converted in pieces so that the UTF-16 step needs a small buffer and
  // each call stays within int. A piece ends after a byte below 0x40, which
  // code page 932 never uses as a lead or trail byte.
  const size_t kPiece = 1 << 20;
  const unsigned char *s = reinterpret_cast<const unsigned char *>(src);
  // One Shift-JIS byte gives at most one UTF-16 unit and three UTF-8 bytes.
  char *out = static_cast<char *>(AllocateTableBuffer(3 * length + 1));
  WCHAR *wide =
      static_cast<WCHAR *>(malloc(sizeof(WCHAR) * (length < kPiece ? length + 1 : kPiece)));
  if (!out || !wide) {
    FreeTableBuffer(out);
    free(wide);
    return NULL;
  }
  size_t used = 0;
  size_t pos = 0;
  while (pos < length) {
    size_t end = length;
    if (length - pos > kPiece) {
      end = pos + kPiece;
      while (end > pos && s[end - 1] >= 0x40) --end;
      if (end == pos) {  // no safe place inside: take the rest of the run
        end = pos + kPiece;
        while (end < length && s[end - 1] >= 0x40) ++end;
      }
    }
    size_t piece = end - pos;
    if (piece > kPiece) {
      // A run of more than kPiece bytes without a single byte below 0x40:
      // grow the UTF-16 buffer for it.
      WCHAR *grown = static_cast<WCHAR *>(realloc(wide, sizeof(WCHAR) * piece));
      if (!grown) break;
      wide = grown;
    }
    int units = MultiByteToWideChar(932, 0, src + pos, static_cast<int>(piece), wide,
                                    static_cast<int>(piece));
    if (units <= 0) break;
    int bytes = WideCharToMultiByte(
        CP_UTF8, 0, wide, units, out + used,
        static_cast<int>(3 * length - used < 0x7FFFFFFF ? 3 * length - used : 0x7FFFFFFF), NULL,
        NULL);
    if (bytes <= 0) break;
    used += static_cast<size_t>(bytes);
    pos = end;
  }
  free(wide);
  if (pos < length) {
    FreeTableBuffer(out);
    return NULL;
  }
  out[used] = '\0';
  char *shrunk = static_cast<char *>(ResizeTableBuffer(out, used + 1));
  if (shrunk) out = shrunk;
  *outLength = used;
  return out;
}
