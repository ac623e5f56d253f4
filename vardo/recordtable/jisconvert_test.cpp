#include "vardo/recordtable/jisconvert.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "vardo/recordtable/tablebuffer.h"

namespace {

std::string FromEuc(const std::string &in) {
  std::string out(2 * in.size() + 1, '\xEE');
  size_t n = EucJpToShiftJis(in.data(), in.size(), out.data());
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

std::string FromIso(const std::string &in) {
  std::string out(2 * in.size() + 1, '\xEE');
  size_t n = Iso2022JpToShiftJis(in.data(), in.size(), out.data());
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

std::string ToUtf8(const std::string &sjis) {
  size_t n = 0;
  char *utf8 = ShiftJisToUtf8(sjis.data(), sjis.size(), &n);
  EXPECT_NE(utf8, nullptr);
  if (!utf8) return "<failed>";
  std::string out(utf8, n);
  EXPECT_EQ(utf8[n], '\0');
  FreeTableBuffer(utf8);
  return out;
}

const std::string kGeta = "\x81\xAC";  // the replacement character 〓

struct ConvertCase {
  const char *what;
  std::string in;
  std::string sjis;
};

TEST(EucJpToShiftJis, ConvertsPairsKatakanaAndReplacesTheRest) {
  const ConvertCase cases[] = {
      {"ASCII is copied", "a,b\r\n", "a,b\r\n"},
      {"JIS X 0208 by arithmetic: あ 表 ソ", "\xA4\xA2\xC9\xBD\xA5\xBD",
       "\x82\xA0\x95\x5C\x83\x5C"},
      {"first and last rows", "\xA1\xA1\xF4\xA6", "\x81\x40\xEA\xA4"},
      {"half-width katakana ｱ", "\x8E\xB1", "\xB1"},
      {"JIS X 0212 becomes one replacement", "\x8F\xB0\xA1,x", kGeta + ",x"},
      {"a lone lead keeps the comma after it", "\xA4,\xA4\n", kGeta + "," + kGeta + "\n"},
      {"8E without katakana",
       "\x8E"
       "a",
       kGeta + "a"},
      {"a lead cut by the end", "a\xA4", "a" + kGeta},
      {"8F cut by the end", "\x8F\xB0", kGeta + kGeta},
  };
  for (const ConvertCase &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FromEuc(c.in), c.sjis);
  }
}

TEST(Iso2022JpToShiftJis, ConvertsEveryEscapeDetectionAccepts) {
  const ConvertCase cases[] = {
      {"ESC $ B and ESC ( B", "a\x1B$B$\"I=\x1B(Bb",
       "a\x82\xA0\x95\x5C"
       "b"},
      {"ESC $ @ is the older set, same codes", "\x1B$@$\"\x1B(B", "\x82\xA0"},
      {"ESC ( J returns to one-byte mode", "\x1B$B$\"\x1B(J,x\n", "\x82\xA0,x\n"},
      {"ESC ( I: half-width katakana", "\x1B(I1\x5F\x1B(Bz",
       "\xB1\xDF"
       "z"},
      {"a katakana-mode byte outside the set", "\x1B(I`\x1B(B", kGeta},
      {"ESC & @ ESC $ B", "\x1B&@\x1B$B$\"\x1B(B", "\x82\xA0"},
      {"JIS X 0212 pairs become one replacement", "\x1B$(D0!0!\x1B(B.", kGeta + kGeta + "."},
      {"line breaks and spaces pass in two-byte mode", "\x1B$B$\" $\"\r\n",
       "\x82\xA0 \x82\xA0\r\n"},
      {"half a pair before a line break", "\x1B$B$\n$\"", kGeta + "\n\x82\xA0"},
      {"half a pair at the end", "\x1B$B$", kGeta},
      {"an unknown escape is kept as a byte", "\x1B(Zab", "\x1B(Zab"},
      {"an escape cut by the end", "ab\x1B$", "ab\x1B$"},
  };
  for (const ConvertCase &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FromIso(c.in), c.sjis);
  }
}

TEST(ShiftJisToUtf8, ConvertsThroughCodePage932) {
  EXPECT_EQ(ToUtf8(""), "");
  EXPECT_EQ(ToUtf8("a\x82\xA0\x95\x5C\xB1"), "a\xE3\x81\x82\xE8\xA1\xA8\xEF\xBD\xB1");
  EXPECT_EQ(ToUtf8(kGeta), "\xE3\x80\x93");
}

TEST(ShiftJisToUtf8, GrowsThreefoldForHalfWidthKatakana) {
  // Each one-byte katakana takes three bytes in UTF-8: more than twice the
  // input, and across several of the conversion's pieces.
  std::string sjis;
  for (int i = 0; i < 800000; ++i) sjis += (i % 10 == 9) ? "\n" : "\xB1\xB2";
  std::string utf8 = ToUtf8(sjis);
  size_t lines = 800000 / 10, katakana = sjis.size() - lines;
  ASSERT_EQ(utf8.size(), 3 * katakana + lines);
  EXPECT_EQ(utf8.substr(0, 6), "\xEF\xBD\xB1\xEF\xBD\xB2");
  EXPECT_EQ(utf8.substr(utf8.size() - 7), "\xEF\xBD\xB1\xEF\xBD\xB2\n");
}

TEST(ShiftJisToUtf8, KeepsCharactersWholeAcrossPieces) {
  // Two-byte characters only, with a line break every few thousand: the
  // pieces must end at a line break, never between lead and trail bytes.
  std::string sjis;
  for (int line = 0; line < 600; ++line) {
    for (int i = 0; i < 3001; ++i) sjis += "\x95\x5C";
    sjis += "\n";
  }
  std::string utf8 = ToUtf8(sjis);
  std::string expectedLine;
  for (int i = 0; i < 3001; ++i) expectedLine += "\xE8\xA1\xA8";
  expectedLine += "\n";
  ASSERT_EQ(utf8.size(), 600 * expectedLine.size());
  for (int line = 0; line < 600; ++line)
    ASSERT_EQ(utf8.compare(line * expectedLine.size(), expectedLine.size(), expectedLine), 0)
        << "line " << line;
}

}  // namespace
