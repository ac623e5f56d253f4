// UTF-16 from the text engine to UTF-8.
#include "utf16toutf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Utf16ToUtf8, ConvertsUntilTheNulOrABrokenPair) {
  struct {
    const char *name;
    std::u16string units;
    std::string expected;
  } cases[] = {
      {"empty", u"", ""},
      {"ASCII and CR", u"A\rb", "A\rb"},
      {"two-byte forms", u"\u00E9\u07FF", "\xC3\xA9\xDF\xBF"},
      {"three-byte forms", u"\u0800\u4FA1\uFFFF", "\xE0\xA0\x80\xE4\xBE\xA1\xEF\xBF\xBF"},
      {"a surrogate pair is one four-byte character", u"x\U0001F600y", "x\xF0\x9F\x98\x80y"},
      {"the highest code point", u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {"high surrogate before a plain unit ends it",
       u"ab\xD83D"
       u"cd",
       "ab"},
      {"high surrogate at the end ends it", u"ab\xD83D", "ab"},
      {"a lone low surrogate ends it",
       u"ab\xDE00"
       u"cd",
       "ab"},
      {"two high surrogates end it", u"a\xD83D\xD83D\xDE00", "a"},
  };
  for (const auto &c : cases) {
    char out[32];
    const size_t length =
        Utf16ToUtf8(reinterpret_cast<const WCHAR *>(c.units.c_str()), out, sizeof out);
    EXPECT_EQ(std::string(out), c.expected) << c.name;
    EXPECT_EQ(length, c.expected.size()) << c.name;
  }
}

TEST(Utf16ToUtf8, StopsBeforeACharacterThatWouldNotFit) {
  // Six bytes of room: "ab" and one three-byte character fit, the next
  // character's bytes are not split.
  char out[7 + 4];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Utf16ToUtf8(u"ab\u4FA1\u4FA1", out, 7), 5u);
  EXPECT_STREQ(out, "ab\xE4\xBE\xA1");
  for (size_t i = 7; i < sizeof out; ++i) EXPECT_EQ(out[i], '#');
}

TEST(Utf16ToUtf8, FourThousandUnitsAlwaysFitTheWorkArea) {
  // Three bytes for each unit of the Basic Multilingual Plane is the most.
  std::u16string units(4000, u'\uFFFF');
  char out[12001];
  EXPECT_EQ(Utf16ToUtf8(units.c_str(), out, sizeof out), 12000u);
}

}  // namespace
