#include "vardo/recordtable/textencoding.h"

#include <stdint.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The three scores, computed on blocks of 64 positions at once. For each
// block, bit j of a mask tells whether the byte at position base + j is in
// a class; "1" and "2" masks tell it of the byte one and two positions
// further on, so a pair or triple starting at each position is a few ANDs.
// Positions past the end of the text belong to no class, which keeps every
// sequence inside the text (positions i < length - 1, i < length - 2).
//
// Which of the overlapping pairs a scan counts follows from its rule "count
// and step over both, else step one": within a run of consecutive pair
// starts it counts the first, third, fifth ... (GreedyPairs). The UTF-8
// scan never steps over the start of another sequence (it steps over
// continuation bytes only), so every UTF-8 sequence counts. The EUC-JP scan
// also steps over three bytes after 8F triples; blocks that hold one are
// walked position by position.
struct ClassMasks {
  uint64_t sjisLead, sjisTrail, euc, kana, x8e, x8f, lead2, lead3, cont;
};

enum : uint16_t {
  kSjisLead = 1 << 0,   // 81-9F, E0-FC
  kSjisTrail = 1 << 1,  // 40-7E, 80-FC
  kEuc = 1 << 2,        // A1-FE
  kKana = 1 << 3,       // A1-DF
  kX8E = 1 << 4,
  kX8F = 1 << 5,
  kLead2 = 1 << 6,  // C0-DF
  kLead3 = 1 << 7,  // E0-EF
  kCont = 1 << 8,   // 80-BF
};

struct ScoreClasses {
  uint16_t of[256];
  constexpr ScoreClasses() : of() {
    for (int b = 0; b < 256; ++b) {
      uint16_t c = 0;
      if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) c |= kSjisLead;
      if ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC)) c |= kSjisTrail;
      if (b >= 0xA1 && b <= 0xFE) c |= kEuc;
      if (b >= 0xA1 && b <= 0xDF) c |= kKana;
      if (b == 0x8E) c |= kX8E;
      if (b == 0x8F) c |= kX8F;
      if (b >= 0xC0 && b <= 0xDF) c |= kLead2;
      if (b >= 0xE0 && b <= 0xEF) c |= kLead3;
      if (b >= 0x80 && b <= 0xBF) c |= kCont;
      of[b] = c;
    }
  }
};
constexpr ScoreClasses kScore;

// Masks of the n (< 64) bytes at s, one byte at a time.
ClassMasks MasksOfBytes(const unsigned char *s, size_t n) {
  ClassMasks m = {};
  for (size_t j = 0; j < n; ++j) {
    uint64_t bit = 1ull << j;
    uint16_t c = kScore.of[s[j]];
    if (c & kSjisLead) m.sjisLead |= bit;
    if (c & kSjisTrail) m.sjisTrail |= bit;
    if (c & kEuc) m.euc |= bit;
    if (c & kKana) m.kana |= bit;
    if (c & kX8E) m.x8e |= bit;
    if (c & kX8F) m.x8f |= bit;
    if (c & kLead2) m.lead2 |= bit;
    if (c & kLead3) m.lead3 |= bit;
    if (c & kCont) m.cont |= bit;
  }
  return m;
}

#if defined(__SSE2__)
// Bit k of the result: whether byte k of the 64 at v lies in [lo, hi].
inline uint64_t RangeMask(const __m128i v[4], unsigned char lo, unsigned char hi) {
  const __m128i low = _mm_set1_epi8(static_cast<char>(lo));
  const __m128i span = _mm_set1_epi8(static_cast<char>(hi - lo));
  uint64_t mask = 0;
  for (int k = 0; k < 4; ++k) {
    __m128i d = _mm_sub_epi8(v[k], low);
    __m128i in = _mm_cmpeq_epi8(_mm_min_epu8(d, span), d);
    mask |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(in))) << (16 * k);
  }
  return mask;
}

ClassMasks MasksOfBlock(const unsigned char *s) {
  __m128i v[4];
  for (int k = 0; k < 4; ++k) v[k] = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 16 * k));
  ClassMasks m;
  m.sjisLead = RangeMask(v, 0x81, 0x9F) | RangeMask(v, 0xE0, 0xFC);
  m.sjisTrail = RangeMask(v, 0x40, 0x7E) | RangeMask(v, 0x80, 0xFC);
  m.euc = RangeMask(v, 0xA1, 0xFE);
  m.kana = RangeMask(v, 0xA1, 0xDF);
  m.x8e = RangeMask(v, 0x8E, 0x8E);
  m.x8f = RangeMask(v, 0x8F, 0x8F);
  m.lead2 = RangeMask(v, 0xC0, 0xDF);
  m.lead3 = RangeMask(v, 0xE0, 0xEF);
  m.cont = RangeMask(v, 0x80, 0xBF);
  return m;
}
#else
ClassMasks MasksOfBlock(const unsigned char *s) { return MasksOfBytes(s, 64); }
#endif

ClassMasks MasksAt(const unsigned char *s, size_t length, size_t base) {
  if (base >= length) return ClassMasks{};
  if (length - base >= 64) return MasksOfBlock(s + base);
  return MasksOfBytes(s + base, length - base);
}

// Of the pair starts P, those a greedy scan counts: in each run of
// consecutive starts, the first, the third ... A run's start is even or odd;
// adding its start bit clears exactly the runs that start at even bits.
inline uint64_t GreedyPairs(uint64_t p) {
  const uint64_t even = 0x5555555555555555ull;
  uint64_t starts = p & ~(p << 1);
  uint64_t evenRuns = p & ~(p + (starts & even));
  return (evenRuns & even) | (p & ~evenRuns & ~even);
}

inline int Count(uint64_t m) { return __builtin_popcountll(m); }

struct Scores {
  long sjis = 0, euc = 0, utf8 = 0;
};

// Whether the 64 bytes at base are all inside the text and plain ASCII.
inline bool AsciiBlock(const unsigned char *s, size_t length, size_t base) {
  if (base >= length || length - base < 64) return false;
  uint64_t w[8];
  memcpy(w, s + base, 64);
  return !((w[0] | w[1] | w[2] | w[3] | w[4] | w[5] | w[6] | w[7]) & 0x8080808080808080ull);
}

Scores ScoreText(const unsigned char *s, size_t length) {
  Scores sc;
  unsigned sjisSkip = 0, eucSkip = 0;  // leading positions of the block stepped over
  size_t base = 0;
  ClassMasks cur = MasksAt(s, length, 0);
  while (base < length) {
    ClassMasks nxt = MasksAt(s, length, base + 64);
    auto ahead1 = [](uint64_t a, uint64_t b) { return (a >> 1) | (b << 63); };
    auto ahead2 = [](uint64_t a, uint64_t b) { return (a >> 2) | (b << 62); };
    uint64_t trail1 = ahead1(cur.sjisTrail, nxt.sjisTrail);
    uint64_t euc1 = ahead1(cur.euc, nxt.euc), euc2 = ahead2(cur.euc, nxt.euc);
    uint64_t kana1 = ahead1(cur.kana, nxt.kana);
    uint64_t cont1 = ahead1(cur.cont, nxt.cont), cont2 = ahead2(cur.cont, nxt.cont);

    uint64_t sjisPairs = GreedyPairs(cur.sjisLead & trail1 & ~((1ull << sjisSkip) - 1));
    sc.sjis += 2 * Count(sjisPairs);
    sjisSkip = static_cast<unsigned>(sjisPairs >> 63);

    uint64_t keep = ~((1ull << eucSkip) - 1);
    uint64_t eucPairs = ((cur.euc & euc1) | (cur.x8e & kana1)) & keep;
    uint64_t eucTriples = cur.x8f & euc1 & euc2 & keep;
    if (!eucTriples) {
      uint64_t counted = GreedyPairs(eucPairs);
      sc.euc += 2 * Count(counted);
      eucSkip = static_cast<unsigned>(counted >> 63);
    } else {
      unsigned j = eucSkip;
      while (j < 64) {
        if ((eucPairs >> j) & 1) {
          sc.euc += 2;
          j += 2;
        } else if ((eucTriples >> j) & 1) {
          sc.euc += 3;
          j += 3;
        } else {
          ++j;
        }
      }
      eucSkip = j - 64;
    }

    uint64_t utf8Pairs = cur.lead2 & cont1, utf8Triples = cur.lead3 & cont1 & cont2;
    sc.utf8 += 2 * Count(utf8Pairs) + 3 * Count(utf8Triples);

    base += 64;
    if (AsciiBlock(s, length, base)) {
      // Plain ASCII begins no sequence: what began before it has been
      // counted with its masks, and nothing carries past it.
      do base += 64;
      while (AsciiBlock(s, length, base));
      sjisSkip = eucSkip = 0;
      nxt = MasksAt(s, length, base);
    }
    cur = nxt;
  }
  return sc;
}

// Whether [0, length) has a control byte (01-06, 7F, FF), and whether it
// has an ESC or a byte of 0x80 or above; eight bytes at a time.
void FindControlAndHighBytes(const unsigned char *s, size_t length, bool *control,
                             bool *escOrHigh) {
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
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  bool control = false, escOrHigh = false;
  FindControlAndHighBytes(s, length, &control, &escOrHigh);
  if (control) return TEXT_CONTROL_BYTES;
  if (!escOrHigh) return TEXT_ASCII;
  if (HasIso2022JpEscape(s, length)) return TEXT_ISO2022JP;
  if (length < 2) return TEXT_UNDECIDED;  // no pair to score
  Scores sc = ScoreText(s, length);
  if (sc.euc > sc.sjis && sc.euc > sc.utf8) return TEXT_EUCJP;
  if (sc.sjis > sc.euc && sc.sjis > sc.utf8) return TEXT_SHIFTJIS;
  if (sc.utf8 > sc.euc && sc.utf8 > sc.sjis) return TEXT_UTF8;
  return TEXT_UNDECIDED;
}

int DetectTextEncoding(LPCSTR text) {
  if (!text) return TEXT_ASCII;
  return DetectTextEncodingOf(text, strlen(text));
}
