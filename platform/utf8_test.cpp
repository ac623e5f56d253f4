#include <vplatform/utf8.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Well-formed text of every sequence length, and the ill-formed forms each
// conversion must replace or refuse.
const std::string kEveryLength = "a\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x98\x80";  // a é 表 😀
const std::u16string kEveryLengthUtf16 = u"a\u00E9\u8868\U0001F600";

TEST(Utf8, RoundTripsEverySequenceLength) {
  EXPECT_EQ(vplat::Utf16FromUtf8(kEveryLength), kEveryLengthUtf16);
  EXPECT_EQ(vplat::StrictUtf16FromUtf8(kEveryLength), kEveryLengthUtf16);
  EXPECT_EQ(vplat::Utf8FromUtf16(kEveryLengthUtf16), kEveryLength);
  // Long enough for the sixteen-at-a-time paths, with text after them.
  const std::string longer = std::string(40, 'x') + kEveryLength + std::string(20, 'y');
  EXPECT_EQ(vplat::Utf8FromUtf16(vplat::Utf16FromUtf8(longer)), longer);
  EXPECT_EQ(vplat::Utf16FromUtf8(""), u"");
  EXPECT_EQ(vplat::Utf8FromUtf16(u""), "");
}

TEST(Utf8, IllFormedInputIsReplacedOrRefused) {
  const struct {
    const char *name;
    std::string utf8;
    std::u16string lenient;
  } cases[] = {
      {"stray continuation byte",
       "a\x80"
       "b",
       u"a\uFFFDb"},
      {"cut sequence is one replacement",
       "\xE8\xA1"
       "b",
       u"\uFFFDb"},
      {"cut by the end", "a\xF0\x9F\x98", u"a\uFFFD"},
      {"overlong form", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(vplat::Utf16FromUtf8(c.utf8), c.lenient);
    EXPECT_FALSE(vplat::StrictUtf16FromUtf8(c.utf8).has_value());
  }
}

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(vplat::Utf8FromUtf16(std::u16string{u'a', char16_t(0xD83D)}), "a\xEF\xBF\xBD");
  EXPECT_EQ(vplat::Utf8FromUtf16(std::u16string{char16_t(0xDE00), char16_t(0xD83D), u'b'}),
            "\xEF\xBF\xBD\xEF\xBF\xBD"
            "b");
}

}  // namespace
