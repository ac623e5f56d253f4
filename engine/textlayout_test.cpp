// Area text layout with the installed Japanese face (IPAGothic: every
// full-width character 1 em, every ASCII character 1/2 em).
#include "textlayout.h"

#include <gtest/gtest.h>

#include "scriptrender.h"

namespace {

const double kSize = 10;  // points: 1 em is 10 pt

std::vector<LayoutRun> OneRun(const std::u16string &text, double size = kSize) {
  LayoutStyle style;
  style.face = "IPAGothic";
  style.size = size;
  style.leading = size * 1.2;
  return {{0, text.size(), style}};
}

// The lines of `text` in a box `ems` wide and tall enough, joined by '|'.
std::string Lines(const std::string &utf8, double ems, bool *overflow = nullptr) {
  std::u16string text;
  AppendUtf16(utf8, &text);
  AreaLayout layout;
  LayOutAreaText(text, OneRun(text), AIRealRect{0, 1000, ems * kSize, 0}, &layout);
  std::string out;
  for (size_t k = 0; k < layout.lines.size(); ++k) {
    const size_t end = k + 1 < layout.lines.size() ? layout.lines[k + 1].start : text.size();
    if (k) out += "|";
    out += Utf8(text.substr(layout.lines[k].start, end - layout.lines[k].start));
  }
  if (overflow) *overflow = layout.overflow;
  return out;
}

TEST(TextLayout, AdvancesAreTheFacesOwn) {
  EXPECT_TRUE(MatchFace("IPAGothic").found);
  std::u16string text;
  AppendUtf16("東京a", &text);
  const std::vector<double> advances = MeasureUnits(text, OneRun(text));
  ASSERT_EQ(advances.size(), 3u);
  EXPECT_NEAR(advances[0], 10, 1e-9);
  EXPECT_NEAR(advances[1], 10, 1e-9);
  EXPECT_NEAR(advances[2], 5, 1e-9);
  // Tracking adds after each character; horizontal scale widens the em.
  std::vector<LayoutRun> runs = OneRun(text);
  runs[0].style.tracking = 100;
  runs[0].style.horizontalScale = 0.5;
  EXPECT_NEAR(MeasureUnits(text, runs)[0], 5 + 1, 1e-9);
}

TEST(TextLayout, AJapaneseAddressBreaksAtTheBoxWidth) {
  // Seven characters fit in 7.5 em, not eight.
  EXPECT_EQ(Lines("東京都千代田区千代田一丁目一番地", 7.5), "東京都千代田区|千代田一丁目一|番地");
  EXPECT_EQ(Lines("東京都千代田区千代田一丁目一番地", 8), "東京都千代田区千|代田一丁目一番地");
}

TEST(TextLayout, StrictJapaneseRules) {
  // A character that may not begin a line takes the one before it along;
  // one that may not end a line moves to the next. The box is 5 em wide.
  struct {
    const char *text;
    const char *lines;
  } cases[] = {
      {"あいうえお、かき", "あいうえ|お、かき"},
      {"あいうえお。かき", "あいうえ|お。かき"},
      {"あいうえお，かき", "あいうえ|お，かき"},
      {"あいうえお．かき", "あいうえ|お．かき"},
      {"あいうえお・かき", "あいうえ|お・かき"},
      {"あいうえおーかき", "あいうえ|おーかき"},
      {"あいうえお」かき", "あいうえ|お」かき"},
      {"あいうえお』かき", "あいうえ|お』かき"},
      {"あいうえお）かき", "あいうえ|お）かき"},
      {"あいうえお】かき", "あいうえ|お】かき"},
      {"あいうえお〉かき", "あいうえ|お〉かき"},
      {"あいうえお》かき", "あいうえ|お》かき"},
      {"あいうえおっかき", "あいうえ|おっかき"},
      {"あいうえおゃかき", "あいうえ|おゃかき"},
      {"あいうえおァかき", "あいうえ|おァかき"},
      {"あいうえ「かきく", "あいうえ|「かきく"},
      {"あいうえ『かきく", "あいうえ|『かきく"},
      {"あいうえ（かきく", "あいうえ|（かきく"},
      {"あいうえ【かきく", "あいうえ|【かきく"},
      {"あいうえ〈かきく", "あいうえ|〈かきく"},
      {"あいうえ《かきく", "あいうえ|《かきく"},
      // Latin words are not split; the blank after a word hangs.
      {"ab cdefgh ij", "ab cdefgh |ij"},
      {"ab cdefghij kl", "ab |cdefghij |kl"},
      {"あいう Vardo", "あいう |Vardo"},
  };
  for (const auto &c : cases) EXPECT_EQ(Lines(c.text, 5), c.lines) << c.text;
}

TEST(TextLayout, ParagraphsBeginLinesAndBaselinesFollowTheLeading) {
  std::u16string text;
  AppendUtf16("あいう\r\rえ", &text);
  AreaLayout layout;
  LayOutAreaText(text, OneRun(text), AIRealRect{10, 100, 60, 0}, &layout);
  ASSERT_EQ(layout.lines.size(), 3u);
  EXPECT_EQ(layout.lines[0].start, 0u);
  EXPECT_EQ(layout.lines[1].start, 4u);
  EXPECT_EQ(layout.lines[2].start, 5u);
  EXPECT_DOUBLE_EQ(layout.lines[0].x, 10);
  EXPECT_LT(layout.lines[0].y, 100);
  EXPECT_GT(layout.lines[0].y, 100 - kSize);
  EXPECT_NEAR(layout.lines[0].y - layout.lines[1].y, 12, 1e-9);
  EXPECT_NEAR(layout.lines[1].y - layout.lines[2].y, 12, 1e-9);
  EXPECT_FALSE(layout.overflow);
}

TEST(TextLayout, TextThatDoesNotFitIsKeptAndFlagged) {
  bool overflow = false;
  EXPECT_EQ(Lines("abcdefghijkl", 2, &overflow), "abcdefghijkl");
  EXPECT_TRUE(overflow);
  std::u16string text;
  AppendUtf16("あいうえおかきくけこ", &text);
  AreaLayout layout;
  LayOutAreaText(text, OneRun(text), AIRealRect{0, 20, 20, 0}, &layout);  // two lines' room
  EXPECT_EQ(layout.lines.size(), 5u);
  EXPECT_TRUE(layout.overflow);
}

TEST(TextLayout, AMissingFaceIsReplacedByTheDefault) {
  const FaceMatch missing = MatchFace("No Such Face Anywhere");
  EXPECT_FALSE(missing.found);
  EXPECT_FALSE(missing.family.empty());
  EXPECT_NE(missing.family, "No Such Face Anywhere");
  EXPECT_TRUE(MatchFace("sans-serif").found);
}

}  // namespace
