// A minimal PNG writer (internal to the platform library): 8-bit RGB,
// filter type 0 on every row, zlib stream of stored deflate blocks.
#ifndef VARDO_PLATFORM_PNG_H
#define VARDO_PLATFORM_PNG_H

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vplat::png {

// The whole file for width x height COLORREF pixels, top row first.
std::vector<uint8_t> Encode(int width, int height, const COLORREF *pixels);

// CRC-32 as PNG chunks use it (ISO 3309 polynomial, reflected); pass the
// previous result to continue a running sum.
uint32_t Crc32(const uint8_t *data, size_t size, uint32_t crc = 0);

// Adler-32 as zlib streams end with it; pass the previous result to
// continue (start from 1).
uint32_t Adler32(const uint8_t *data, size_t size, uint32_t adler = 1);

}  // namespace vplat::png

#endif
