#include "gdi_testing.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Reference checksums written out from their definitions, bit by bit, so
// that the check does not lean on the code under test.
uint32_t BitwiseCrc32(const uint8_t *p, size_t n) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

uint32_t SimpleAdler32(const std::vector<uint8_t> &data) {
  uint64_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return static_cast<uint32_t>((b << 16) | a);
}

uint32_t Be32(const std::vector<uint8_t> &d, size_t at) {
  return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) |
         d[at + 3];
}

class Screen : public ScreenTest {};

TEST(ScreenReference, ChecksumsMatchPublishedCheckValues) {
  const std::string nine = "123456789", wiki = "Wikipedia";
  EXPECT_EQ(BitwiseCrc32(reinterpret_cast<const uint8_t *>(nine.data()), nine.size()), 0xCBF43926u);
  EXPECT_EQ(SimpleAdler32(std::vector<uint8_t>(wiki.begin(), wiki.end())), 0x11E60398u);
}

TEST_F(Screen, PngFileIsValidAndHoldsTheScreenPixels) {
  // 200 x 120 RGB rows make 72,120 bytes: more than one stored block.
  vplat::SetScreenSize(200, 120);
  PaintPattern();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  RECT r{199, 119, 200, 120};
  FillRect(hdc, &r, brush);
  DeleteObject(brush);
  const std::string path = ::testing::TempDir() + "vardo_screen_test.png";
  ASSERT_TRUE(vplat::SaveScreenPng(path));
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> png((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
  std::remove(path.c_str());

  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GE(png.size(), 8u);
  ASSERT_TRUE(std::equal(signature, signature + 8, png.begin()));

  std::vector<std::string> types;
  std::vector<uint8_t> ihdr, zlib;
  size_t at = 8;
  while (at + 12 <= png.size()) {
    uint32_t length = Be32(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    std::string type(png.begin() + at + 4, png.begin() + at + 8);
    ASSERT_EQ(Be32(png, at + 8 + length), BitwiseCrc32(&png[at + 4], 4 + length)) << type;
    std::vector<uint8_t> data(png.begin() + at + 8, png.begin() + at + 8 + length);
    if (type == "IHDR") ihdr = data;
    if (type == "IDAT") zlib.insert(zlib.end(), data.begin(), data.end());
    types.push_back(type);
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  ASSERT_GE(types.size(), 3u);
  EXPECT_EQ(types.front(), "IHDR");
  EXPECT_EQ(types.back(), "IEND");
  ASSERT_EQ(ihdr.size(), 13u);
  EXPECT_EQ(Be32(ihdr, 0), 200u);
  EXPECT_EQ(Be32(ihdr, 4), 120u);
  EXPECT_EQ(ihdr[8], 8);  // bit depth
  EXPECT_EQ(ihdr[9], 2);  // truecolour
  EXPECT_EQ(ihdr[10], 0);
  EXPECT_EQ(ihdr[11], 0);
  EXPECT_EQ(ihdr[12], 0);

  // zlib: deflate method, header check, no preset dictionary.
  ASSERT_GE(zlib.size(), 6u);
  EXPECT_EQ(zlib[0] & 0x0F, 8);
  EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);
  EXPECT_EQ(zlib[1] & 0x20, 0);
  std::vector<uint8_t> raw;
  size_t z = 2;
  int blocks = 0;
  for (bool last = false; !last;) {
    ASSERT_LE(z + 5, zlib.size());
    last = zlib[z] & 1;
    ASSERT_EQ((zlib[z] >> 1) & 3, 0) << "not a stored block";
    uint16_t len = static_cast<uint16_t>(zlib[z + 1] | (zlib[z + 2] << 8));
    uint16_t nlen = static_cast<uint16_t>(zlib[z + 3] | (zlib[z + 4] << 8));
    ASSERT_EQ(len, static_cast<uint16_t>(~nlen));
    ASSERT_LE(z + 5 + len, zlib.size());
    raw.insert(raw.end(), zlib.begin() + z + 5, zlib.begin() + z + 5 + len);
    z += 5 + len;
    ++blocks;
  }
  EXPECT_GE(blocks, 2);
  ASSERT_EQ(z + 4, zlib.size());
  EXPECT_EQ(Be32(zlib, z), SimpleAdler32(raw));

  ASSERT_EQ(raw.size(), 120u * (1 + 200 * 3));
  const std::vector<COLORREF> pixels = vplat::CopyScreenPixels();
  ASSERT_EQ(pixels.size(), 200u * 120);
  for (int y = 0; y < 120; ++y) {
    const uint8_t *row = &raw[y * (1 + 200 * 3)];
    ASSERT_EQ(row[0], 0) << "filter of row " << y;
    for (int x = 0; x < 200; ++x) {
      COLORREF p = pixels[y * 200 + x];
      ASSERT_EQ(RGB(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]), p) << x << "," << y;
    }
  }
  EXPECT_EQ(pixels.back(), RGB(1, 2, 3));
}

TEST_F(Screen, SavingToAnUnwritablePlaceFails) {
  EXPECT_FALSE(vplat::SaveScreenPng("/nonexistent-directory/screen.png"));
}

TEST_F(Screen, PixelsChecksumClearingAndResizing) {
  EXPECT_EQ(vplat::GetScreenPixel(-1, 0), CLR_INVALID);
  EXPECT_EQ(vplat::GetScreenPixel(0, kHeight), CLR_INVALID);
  vplat::ClearScreen(RGB(10, 20, 30));
  EXPECT_EQ(vplat::GetScreenPixel(kWidth - 1, kHeight - 1), RGB(10, 20, 30));
  const uint64_t sum = vplat::ScreenChecksum();
  RECT one{7, 9, 8, 10};
  FillRect(hdc, &one, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_NE(vplat::ScreenChecksum(), sum);
  FillRect(hdc, &one, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_NE(vplat::ScreenChecksum(), sum);
  HBRUSH back = CreateSolidBrush(RGB(10, 20, 30));
  FillRect(hdc, &one, back);
  DeleteObject(back);
  EXPECT_EQ(vplat::ScreenChecksum(), sum);

  // A new screen size gives a new, black screen that DCs draw into at once.
  vplat::SetScreenSize(100, 50);
  const std::vector<COLORREF> resized = vplat::CopyScreenPixels();
  ASSERT_EQ(resized.size(), 5000u);
  EXPECT_EQ(std::count(resized.begin(), resized.end(), 0u), 5000);
  RECT corner{99, 49, 120, 60};
  FillRect(hdc, &corner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(vplat::GetScreenPixel(99, 49), RGB(255, 255, 255));
  EXPECT_EQ(vplat::GetScreenPixel(100, 49), CLR_INVALID);
}

TEST_F(Screen, DeviceCapsDescribeTheScreen) {
  EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 96);
  ASSERT_TRUE(vplat::SetScreenDpi(144));
  EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 144);
  EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 144);
  EXPECT_FALSE(vplat::SetScreenDpi(0));
  EXPECT_EQ(vplat::GetScreenDpi(), 144);
  EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), kWidth);
  EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), kHeight);
  EXPECT_EQ(GetDeviceCaps(hdc, HORZSIZE), 56);  // 320 px at 144 dpi = 56.4 mm
  vplat::SetScreenSize(1024, 768);
  EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 1024);
  EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 768);
  EXPECT_EQ(GetDeviceCaps(hdc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(hdc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(reinterpret_cast<HDC>(0x77), LOGPIXELSX), 0);
  vplat::SetScreenDpi(96);
}

}  // namespace
