// Finding the next of a few given bytes, sixteen bytes at a time where the
// processor allows, for the scans of the table text. Nothing is read at or
// beyond `end`.
#pragma once

#include <stddef.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first position in [p, end) holding a, b, c or d; end if none.
// Repeat a byte to look for fewer than four.
inline size_t FindAnyOf(const unsigned char *s, size_t p, size_t end, unsigned char a,
                        unsigned char b, unsigned char c, unsigned char d) {
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a)), vb = _mm_set1_epi8(static_cast<char>(b));
  const __m128i vc = _mm_set1_epi8(static_cast<char>(c)), vd = _mm_set1_epi8(static_cast<char>(d));
  while (end - p >= 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + p));
    __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)),
                               _mm_or_si128(_mm_cmpeq_epi8(v, vc), _mm_cmpeq_epi8(v, vd)));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (mask) return p + static_cast<size_t>(__builtin_ctz(mask));
    p += 16;
  }
#else
  const unsigned long long ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  auto zeroes = [&](unsigned long long v) { return (v - ones) & ~v & highs; };
  while (end - p >= 8) {
    unsigned long long w;
    memcpy(&w, s + p, 8);
    // The lowest flagged byte is always a true match (little-endian).
    unsigned long long hit = zeroes(w ^ (a * ones)) | zeroes(w ^ (b * ones)) |
                             zeroes(w ^ (c * ones)) | zeroes(w ^ (d * ones));
    if (hit) return p + static_cast<size_t>(__builtin_ctzll(hit) / 8);
    p += 8;
  }
#endif
  while (p < end && s[p] != a && s[p] != b && s[p] != c && s[p] != d) ++p;
  return p;
}

#include <stdint.h>

// Bit k of each mask: whether byte k of the 64 at s equals a, b, c or d.
struct ByteMasks4 {
  uint64_t a, b, c, d;
};

inline ByteMasks4 MatchBlock(const unsigned char *s, unsigned char a, unsigned char b,
                             unsigned char c, unsigned char d) {
  ByteMasks4 m = {0, 0, 0, 0};
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a)), vb = _mm_set1_epi8(static_cast<char>(b));
  const __m128i vc = _mm_set1_epi8(static_cast<char>(c)), vd = _mm_set1_epi8(static_cast<char>(d));
  for (int k = 0; k < 4; ++k) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 16 * k));
    int shift = 16 * k;
    m.a |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, va))))
           << shift;
    m.b |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vb))))
           << shift;
    m.c |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vc))))
           << shift;
    m.d |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vd))))
           << shift;
  }
#else
  for (int k = 0; k < 64; ++k) {
    uint64_t bit = 1ull << k;
    if (s[k] == a) m.a |= bit;
    if (s[k] == b) m.b |= bit;
    if (s[k] == c) m.c |= bit;
    if (s[k] == d) m.d |= bit;
  }
#endif
  return m;
}

// Bit k set where an odd number of bits at or below k are set in x.
inline uint64_t PrefixXor(uint64_t x) {
  x ^= x << 1;
  x ^= x << 2;
  x ^= x << 4;
  x ^= x << 8;
  x ^= x << 16;
  x ^= x << 32;
  return x;
}
