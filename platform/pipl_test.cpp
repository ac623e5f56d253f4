#include "vplatform/pipl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A property list with the given properties, written out word by word.
std::vector<std::uint8_t> Words(std::initializer_list<std::uint32_t> words) {
  std::vector<std::uint8_t> b;
  for (std::uint32_t w : words)
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(w >> shift));
  return b;
}

TEST(Pipl, ParsesPropertiesAndTheirData) {
  const auto bytes =
      Words({1, 0, 2, vplat::FourCC("ADBE"), vplat::FourCC("ivrs"), 0, 4, 2, vplat::FourCC("ADBE"),
             vplat::FourCC("pinm"), 0, 6, 0x56617264, 0x6F000000});  // "Vard" "o\0" + padding
  vplat::Pipl pipl;
  std::string error;
  ASSERT_TRUE(vplat::ParsePipl(bytes.data(), bytes.size(), &pipl, &error)) << error;
  EXPECT_EQ(pipl.versionMajor, 1u);
  EXPECT_EQ(pipl.versionMinor, 0u);
  ASSERT_EQ(pipl.properties.size(), 2u);
  const vplat::PiplProperty *ivrs = pipl.Find(vplat::FourCC("ADBE"), vplat::FourCC("ivrs"));
  ASSERT_NE(ivrs, nullptr);
  EXPECT_EQ(ivrs->length, 4u);
  EXPECT_EQ(ivrs->data[3], 2);
  const vplat::PiplProperty *name = pipl.Find(vplat::FourCC("ADBE"), vplat::FourCC("pinm"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(vplat::PiplPropertyText(*name), "Vardo");
  EXPECT_EQ(pipl.Find(vplat::FourCC("ADBE"), vplat::FourCC("kind")), nullptr);
}

TEST(Pipl, RejectsMalformedLists) {
  const std::uint32_t adbe = vplat::FourCC("ADBE"), key = vplat::FourCC("kind");
  struct Case {
    const char *what;
    std::vector<std::uint8_t> bytes;
    const char *message;
  };
  const Case cases[] = {
      {"short header", Words({1, 0}), "shorter than its 12-byte header at byte 0"},
      {"count above the properties", Words({1, 0, 2, adbe, key, 0, 0}),
       "property 2 of 2 is cut short at byte 28"},
      {"data past the end", Words({1, 0, 1, adbe, key, 0, 8, 0}),
       "property 1 data runs past the end at byte 28"},
      {"unpadded length past the end", Words({1, 0, 1, adbe, key, 0, 5, 0}), "runs past the end"},
      {"padding not zero", Words({1, 0, 1, adbe, key, 0, 3, 0x41424301}),
       "padding is not zero at byte 31"},
      {"bytes after the last", Words({1, 0, 0, 7}), "4 bytes after the last property at byte 12"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_FALSE(vplat::ParsePipl(c.bytes.data(), c.bytes.size(), nullptr, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

}  // namespace
