// PNG writer for screen pictures. Stored (uncompressed) deflate blocks keep
// it short and obviously right; the files are debugging aids, not assets.
#include "png.h"

#include <array>

namespace vplat::png {
namespace {

const std::array<uint32_t, 256> &CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void PutBe32(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

// Length, type, data, CRC over type and data.
void PutChunk(std::vector<uint8_t> &out, const char type[4], const std::vector<uint8_t> &data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + typeAt, 4 + data.size()));
}

// zlib header, stored deflate blocks of at most 65535 bytes, Adler-32.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t> &raw) {
  std::vector<uint8_t> z;
  z.reserve(raw.size() + raw.size() / 65535 * 5 + 16);
  z.push_back(0x78);  // deflate, 32 KiB window
  z.push_back(0x01);  // no dictionary, fastest; 0x7801 is a multiple of 31
  size_t at = 0;
  do {
    size_t len = raw.size() - at;
    if (len > 65535) len = 65535;
    bool last = at + len == raw.size();
    z.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00
    z.push_back(static_cast<uint8_t>(len));
    z.push_back(static_cast<uint8_t>(len >> 8));
    z.push_back(static_cast<uint8_t>(~len));
    z.push_back(static_cast<uint8_t>(~len >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + len));
    at += len;
  } while (at < raw.size());
  PutBe32(z, Adler32(raw.data(), raw.size()));
  return z;
}

}  // namespace

uint32_t Crc32(const uint8_t *data, size_t size, uint32_t crc) {
  const auto &table = CrcTable();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(const uint8_t *data, size_t size, uint32_t adler) {
  uint32_t a = adler & 0xFFFF;
  uint32_t b = adler >> 16;
  while (size > 0) {
    // 5552 bytes is the most that cannot overflow b before the modulo.
    size_t n = size < 5552 ? size : 5552;
    size -= n;
    while (n--) {
      a += *data++;
      b += a;
    }
    a %= 65521;
    b %= 65521;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> Encode(int width, int height, const COLORREF *pixels) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * 3));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    const COLORREF *row = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      raw.push_back(GetRValue(row[x]));
      raw.push_back(GetGValue(row[x]));
      raw.push_back(GetBValue(row[x]));
    }
  }

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBe32(ihdr, static_cast<uint32_t>(width));
  PutBe32(ihdr, static_cast<uint32_t>(height));
  ihdr.push_back(8);  // bit depth
  ihdr.push_back(2);  // colour type: truecolour
  ihdr.push_back(0);  // compression: deflate
  ihdr.push_back(0);  // filter method 0
  ihdr.push_back(0);  // no interlace
  PutChunk(out, "IHDR", ihdr);
  PutChunk(out, "IDAT", ZlibStored(raw));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace vplat::png
