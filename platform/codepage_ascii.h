// Runs of ASCII, 16 units at a time: the common case on the CSV load path.
// Internal to the platform.
#ifndef VARDO_PLATFORM_CODEPAGE_ASCII_H
#define VARDO_PLATFORM_CODEPAGE_ASCII_H

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vplat::codepage {

// Reads s[0..15], writes them widened to d[0..15] and returns how many of
// them, from the first, are below 0x80 (only those are meant to be kept).
inline size_t WidenAscii16(const uint8_t *s, char16_t *d) {
#if defined(__SSE2__)
  __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
  __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i *>(d), _mm_unpacklo_epi8(v, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i *>(d + 8), _mm_unpackhi_epi8(v, zero));
  unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
  return high ? static_cast<size_t>(__builtin_ctz(high)) : 16;
#else
  size_t k = 0;
  while (k < 16 && s[k] < 0x80) k++;
  for (size_t j = 0; j < 16; j++) d[j] = s[j];
  return k;
#endif
}

// How many of s[0..15], from the first, are below 0x80.
inline size_t CountAscii16(const uint8_t *s) {
#if defined(__SSE2__)
  unsigned high = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(s))));
  return high ? static_cast<size_t>(__builtin_ctz(high)) : 16;
#else
  size_t k = 0;
  while (k < 16 && s[k] < 0x80) k++;
  return k;
#endif
}

// Reads s[0..15], writes their low bytes to d[0..15] and returns how many
// of them, from the first, are below U+0080.
inline size_t NarrowAscii16(const char16_t *s, uint8_t *d) {
#if defined(__SSE2__)
  __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
  __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 8));
  __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  __m128i zero = _mm_setzero_si128();
  __m128i asciiA = _mm_cmpeq_epi16(_mm_and_si128(a, notAscii), zero);
  __m128i asciiB = _mm_cmpeq_epi16(_mm_and_si128(b, notAscii), zero);
  unsigned ascii = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(asciiA, asciiB)));
  _mm_storeu_si128(reinterpret_cast<__m128i *>(d), _mm_packus_epi16(a, b));
  unsigned other = ~ascii & 0xFFFFu;
  return other ? static_cast<size_t>(__builtin_ctz(other)) : 16;
#else
  size_t k = 0;
  while (k < 16 && s[k] < 0x80) k++;
  for (size_t j = 0; j < 16; j++) d[j] = static_cast<uint8_t>(s[j]);
  return k;
#endif
}

// How many of s[0..15], from the first, are below U+0080.
inline size_t CountAscii16(const char16_t *s) {
#if defined(__SSE2__)
  __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
  __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 8));
  __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  __m128i zero = _mm_setzero_si128();
  __m128i asciiA = _mm_cmpeq_epi16(_mm_and_si128(a, notAscii), zero);
  __m128i asciiB = _mm_cmpeq_epi16(_mm_and_si128(b, notAscii), zero);
  unsigned ascii = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(asciiA, asciiB)));
  unsigned other = ~ascii & 0xFFFFu;
  return other ? static_cast<size_t>(__builtin_ctz(other)) : 16;
#else
  size_t k = 0;
  while (k < 16 && s[k] < 0x80) k++;
  return k;
#endif
}

}  // namespace vplat::codepage

#endif
