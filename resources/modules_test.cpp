#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/modules.h"
#include "vplatform/pipl.h"

namespace vardo::resources {
namespace {

using testing::ResourceBytes;
using testing::ScriptModule;

// Words and text of a property list, big-endian as the layout demands.
struct Expected {
  std::vector<std::uint8_t> bytes;
  Expected &Word(std::uint32_t w) {
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes.push_back(static_cast<std::uint8_t>(w >> shift));
    return *this;
  }
  Expected &Code(const char (&c)[5]) {
    bytes.insert(bytes.end(), c, c + 4);
    return *this;
  }
  Expected &Raw(const char *text, std::size_t n) {
    bytes.insert(bytes.end(), text, text + n);
    return *this;
  }
};

// Each module's property list: version 1.0, four properties, each with
// vendor 'ADBE', its key, id 0, length and data padded to 4.
TEST(ScriptModules, PropertyListsHaveTheirFixedLayout) {
  struct Case {
    const char *module;
    std::uint32_t nameLength;  // the name with its NUL, rounded up to 4
    const char *paddedName;
  };
  const Case cases[] = {
      {"Vardo", 8, "Vardo\0\0\0"},
      {"VardoScript", 12, "VardoScript\0"},
      {"VardoSequencer", 16, "VardoSequencer\0\0"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.module);
    HMODULE module = ScriptModule(c.module);
    ASSERT_NE(module, nullptr);
    Expected e;
    e.Word(1).Word(0).Word(4);
    e.Code("ADBE").Code("ivrs").Word(0).Word(4).Word(2);
    e.Code("ADBE").Code("wx86").Word(0).Word(0);
    e.Code("ADBE").Code("kind").Word(0).Word(4).Code("SPEA");
    e.Code("ADBE").Code("pinm").Word(0).Word(c.nameLength).Raw(c.paddedName, c.nameLength);
    const std::vector<std::uint8_t> bytes = ResourceBytes(module, "PIPL", "PLUGIN");
    EXPECT_EQ(bytes, e.bytes);

    vplat::Pipl pipl;
    std::string error;
    ASSERT_TRUE(vplat::ParsePipl(bytes.data(), bytes.size(), &pipl, &error)) << error;
    const vplat::PiplProperty *name = pipl.Find(vplat::FourCC("ADBE"), vplat::FourCC("pinm"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(vplat::PiplPropertyText(*name), c.module);
  }
}

TEST(ScriptModules, EachCarriesA32PixelIconAndAnAsInvokerManifest) {
  for (const char *name : {"Vardo", "VardoScript", "VardoSequencer"}) {
    SCOPED_TRACE(name);
    HMODULE module = ScriptModule(name);
    ASSERT_NE(module, nullptr);
    // Group directory: reserved 0, type 1, one entry of 32 x 32 naming RT_ICON 1.
    const std::vector<std::uint8_t> group =
        ResourceBytes(module, RT_GROUP_ICON, MAKEINTRESOURCEA(1));
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(group[2], 1);
    EXPECT_EQ(group[4], 1);
    EXPECT_EQ(group[6], 32);
    EXPECT_EQ(group[7], 32);
    EXPECT_EQ(group[18] | (group[19] << 8), 1);
    const std::vector<std::uint8_t> image = ResourceBytes(module, RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(image.size(), 40u);
    EXPECT_EQ(image.size(),
              std::size_t(group[14] | (group[15] << 8) | (group[16] << 16) | (group[17] << 24)));
    EXPECT_EQ(image[0], 40);  // BITMAPINFOHEADER
    EXPECT_EQ(image[4], 32);  // width
    EXPECT_EQ(image[8], 64);  // height of the colour and mask bitmaps together

    const std::vector<std::uint8_t> manifest =
        ResourceBytes(module, RT_MANIFEST, MAKEINTRESOURCEA(ISOLATIONAWARE_MANIFEST_RESOURCE_ID));
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace vardo::resources
