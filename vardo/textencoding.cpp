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

// Byte tables of the three scores.
enum : unsigned char {
  kSjisLead = 1,    // 81-9F, E0-FC
  kSjisTrail = 2,   // 40-7E, 80-FC
  kEucByte = 4,     // A1-FE
  kEucKana = 8,     // A1-DF
  kUtf8Lead2 = 16,  // C0-DF
  kUtf8Lead3 = 32,  // E0-EF
  kUtf8Cont = 64,   // 80-BF
};

struct ScoreClasses {
  unsigned char of[256];
  constexpr ScoreClasses() : of() {
    for (int b = 0; b < 256; ++b) {
      unsigned char c = 0;
      if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) c |= kSjisLead;
      if ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC)) c |= kSjisTrail;
      if (b >= 0xA1 && b <= 0xFE) c |= kEucByte;
      if (b >= 0xA1 && b <= 0xDF) c |= kEucKana;
      if (b >= 0xC0 && b <= 0xDF) c |= kUtf8Lead2;
      if (b >= 0xE0 && b <= 0xEF) c |= kUtf8Lead3;
      if (b >= 0x80 && b <= 0xBF) c |= kUtf8Cont;
      of[b] = c;
    }
  }
};
constexpr ScoreClasses kScore;

// One step of each score at its own position; each returns how far its
// scan moves (1 when nothing was counted) and adds to its score. The
// caller guarantees that s[i + 2] may be read.
inline size_t StepShiftJis(const unsigned char *s, size_t i, long *score) {
  size_t m = (kScore.of[s[i]] & kSjisLead) & (kScore.of[s[i + 1]] >> 1);
  *score += static_cast<long>(2 * m);
  return 1 + m;
}

inline size_t StepEucJp(const unsigned char *s, size_t i, long *score) {
  unsigned char a = s[i];
  unsigned b = kScore.of[s[i + 1]], c = kScore.of[s[i + 2]];
  size_t pair = ((kScore.of[a] & b & kEucByte) | ((a == 0x8E) & (b >> 3))) != 0;
  size_t triple = (pair ^ 1) & (a == 0x8F) & (b >> 2) & (c >> 2) & 1;
  *score += static_cast<long>(2 * pair + 3 * triple);
  return 1 + pair + 2 * triple;
}

inline size_t StepUtf8(const unsigned char *s, size_t i, long *score, bool *brokenUnit) {
  unsigned a = kScore.of[s[i]], b = kScore.of[s[i + 1]], c = kScore.of[s[i + 2]];
  size_t pair = (a >> 4) & (b >> 6) & 1;
  size_t triple = (pair ^ 1) & (a >> 5) & (b >> 6) & (c >> 6) & 1;
  *brokenUnit |= (s[i] >= 0xC0) && !(pair | triple);
  *score += static_cast<long>(2 * pair + 3 * triple);
  return 1 + pair + 2 * triple;
}

struct Scores {
  long sjis = 0, euc = 0, utf8 = 0;
  bool brokenUnit = false;  // a UTF-8 lead byte not followed by its sequence
};

// The three scans side by side over positions i < length - 1, each
// skipping what it counted. Plain ASCII begins no sequence, so a stretch of
// it moves every scan that stands in it to its end at once.
Scores ScoreText(const unsigned char *s, size_t length) {
  Scores sc;
  size_t is = 0, ie = 0, iu = 0;
  size_t stop = length - 2;  // below it s[i + 2] is inside the text (length >= 2)
  while (is < stop && ie < stop && iu < stop) {
    size_t low = is < ie ? (is < iu ? is : iu) : (ie < iu ? ie : iu);
    if (s[low] < 0x80) {
      size_t run = SkipAscii(s, low, stop);
      if (is < run) is = run;
      if (ie < run) ie = run;
      if (iu < run) iu = run;
      continue;
    }
    is += StepShiftJis(s, is, &sc.sjis);
    ie += StepEucJp(s, ie, &sc.euc);
    iu += StepUtf8(s, iu, &sc.utf8, &sc.brokenUnit);
  }
  // The last positions, with the bounds of each test spelt out.
  size_t last = length - 1;
  for (; is < last; ++is) {
    unsigned char a = s[is], b = s[is + 1];
    if ((In(a, 0x81, 0x9F) || In(a, 0xE0, 0xFC)) && (In(b, 0x40, 0x7E) || In(b, 0x80, 0xFC))) {
      sc.sjis += 2;
      ++is;
    }
  }
  while (ie < last) {
    unsigned char a = s[ie], b = s[ie + 1];
    if ((In(a, 0xA1, 0xFE) && In(b, 0xA1, 0xFE)) || (a == 0x8E && In(b, 0xA1, 0xDF))) {
      sc.euc += 2;
      ie += 2;
    } else if (ie < length - 2 && a == 0x8F && In(b, 0xA1, 0xFE) && In(s[ie + 2], 0xA1, 0xFE)) {
      sc.euc += 3;
      ie += 3;
    } else {
      ++ie;
    }
  }
  while (iu < last) {
    unsigned char a = s[iu], b = s[iu + 1];
    if (In(a, 0xC0, 0xDF) && In(b, 0x80, 0xBF)) {
      sc.utf8 += 2;
      iu += 2;
    } else if (iu < length - 2 && In(a, 0xE0, 0xEF) && In(b, 0x80, 0xBF) &&
               In(s[iu + 2], 0x80, 0xBF)) {
      sc.utf8 += 3;
      iu += 3;
    } else {
      if (a >= 0xC0) sc.brokenUnit = true;
      ++iu;
    }
  }
  if (iu == last && s[last] >= 0xC0) sc.brokenUnit = true;  // cut by the end
  return sc;
}

// Whether [0, length) has a control byte (01-06, 7F, FF), and whether it
// has an ESC or a byte of 0x80 or above; eight bytes at a time.
void FindControlAndHighBytes(const unsigned char *s, size_t length, bool *control, bool *escOrHigh) {
  const uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  auto hasZero = [&](uint64_t v) { return (v - ones) & ~v & highs; };
  uint64_t high = 0, esc = 0;
  size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    uint64_t w;
    memcpy(&w, s + i, 8);
    // Bytes 01-06: below 7 once the top bit is cleared and not zero (the
    // text holds no NUL); 7F; FF. Checked byte by byte when suspected.
    uint64_t low7 = w & ~highs;
    uint64_t below7 = (low7 + (0x79 * ones)) ^ highs;  // top bit set where low7 < 7
    uint64_t suspect = (below7 & ~w & highs) | hasZero(w ^ (0x7F * ones)) | hasZero(~w);
    if (suspect) {
      for (size_t k = i; k < i + 8; ++k)
        if (kFlags.of[s[k]] & kControl) {
          *control = true;
          return;
        }
    }
    high |= w & highs;
    esc |= hasZero(w ^ (0x1B * ones));
  }
  unsigned char seen = (high || esc) ? kEscOrHigh : 0;
  for (; i < length; ++i) seen |= kFlags.of[s[i]];
  *control = (seen & kControl) != 0;
  *escOrHigh = (seen & kEscOrHigh) != 0;
}

}  // namespace

int DetectTextEncodingOf(const char *text, size_t length) {
  return DetectTextEncodingWithUnits(text, length, NULL);
}

int DetectTextEncodingWithUnits(const char *text, size_t length, BOOL *wholeUnits) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  if (wholeUnits) *wholeUnits = FALSE;
  bool control = false, escOrHigh = false;
  FindControlAndHighBytes(s, length, &control, &escOrHigh);
  if (control) return TEXT_CONTROL_BYTES;
  if (!escOrHigh) {
    if (wholeUnits) *wholeUnits = TRUE;
    return TEXT_ASCII;
  }
  if (HasIso2022JpEscape(s, length)) return TEXT_ISO2022JP;
  if (length < 2) return TEXT_UNDECIDED;  // no pair to score

  Scores sc = ScoreText(s, length);
  if (sc.euc > sc.sjis && sc.euc > sc.utf8) return TEXT_EUCJP;
  if (sc.sjis > sc.euc && sc.sjis > sc.utf8) return TEXT_SHIFTJIS;
  if (sc.utf8 > sc.euc && sc.utf8 > sc.sjis) {
    if (wholeUnits) *wholeUnits = !sc.brokenUnit;
    return TEXT_UTF8;
  }
  return TEXT_UNDECIDED;
}

int DetectTextEncoding(LPCSTR text) {
  if (!text) return TEXT_ASCII;
  return DetectTextEncodingOf(text, strlen(text));
}
