// Font mark-up from the styling of frames in testdata/styles.svg: every
// frame there has the same base style (that of its text's end), and its
// other characters differ from it in one attribute each.
#include "fontmarkup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scripttags.h"
#include "testing/scripttagstest.h"

namespace {

// The base style's tag.
const std::string B = "<font face=Serif size=12pt fill_color=#000000FF>";
// The base style at another size.
std::string At(const char *size) {
  return std::string("<font face=Serif size=") + size + " fill_color=#000000FF>";
}

class FontMarkup : public ScriptTagsTest {
 protected:
  void SetUp() override {
    ScriptTagsTest::SetUp();
    Open("styles.svg");
  }

  // Gives the frame one character per letter of `pattern`: 'B' in 14 pt,
  // anything else in the base style.
  void StyleUnits(const std::string &id, const std::string &pattern) {
    vhost::TextStory &story = *Art(id)->Story();
    vhost::CharFeatures base = story.FeaturesAt(story.Size() - 1), big = base;
    big.size = 14;
    story.Replace(0, story.Size(), std::u16string(pattern.size(), u'a'), base);
    for (size_t i = 0; i < pattern.size(); ++i) {
      if (pattern[i] == 'B') story.SetFeatures(i, i + 1, big);
    }
  }

  std::string Markup(const std::string &id, const std::string &script) {
    char text[SCRIPT_WORK_AREA_SIZE];
    std::strcpy(text, script.c_str());
    InsertFontMarkup(text, RangeOf(id));
    return text;
  }
};

TEST_F(FontMarkup, RunsAndAttributes) {
  struct {
    const char *frame;
    std::string script;
    std::string expected;
  } cases[] = {
      {"uniform", "abc", "abc"},
      // Once tagging has begun, every run is tagged, the base style too.
      {"first", "ab", At("14pt") + "a</font>" + B + "b</font>"},
      {"second", "ab", "a" + At("14pt") + "b</font>"},
      // The tag closes before the paragraph end.
      {"paragraph", "a\rb", At("14pt") + "a</font>\r" + B + "b</font>"},
      // ... and before CR LF (a script from an older tag may hold one).
      {"crlf", "a\r\nb", At("14pt") + "a</font>\r\n" + B + "b</font>"},
      {"leading", "ab",
       "<font face=Serif size=12pt leading=14.4pt fill_color=#000000FF>a</font>" + B + "b</font>"},
      {"scale", "ab",
       "<font face=Serif size=12pt scale=(80,100) fill_color=#000000FF>a</font>" + B + "b</font>"},
      {"shift", "ab",
       "<font face=Serif size=12pt baselineshift=-2pt fill_color=#000000FF>a</font>" + B +
           "b</font>"},
      {"tracking", "ab",
       "<font face=Serif size=12pt tracking=50 fill_color=#000000FF>a</font>" + B + "b</font>"},
      {"stroke", "ab",
       "<font face=Serif size=12pt linewidth=0.5pt fill_color=#000000FF "
       "stroke_color=#FF000000>a</font>" +
           B + "b</font>"},
      // Gray as black, four-colour, three-colour, a four-colour custom colour
      // at tint 0.5, a three-colour one at full tint, no fill.
      {"colours", "gkrstnb",
       "<font face=Serif size=12pt fill_color=#0000004D>g</font>"
       "<font face=Serif size=12pt fill_color=#00FFFF00>k</font>"
       "<font face=Serif size=12pt fill_color=#336699>r</font>"
       "<font face=Serif size=12pt fill_color=#00808000>s</font>"
       "<font face=Serif size=12pt fill_color=#1A334D>t</font>"
       "<font face=Serif size=12pt>n</font>" +
           B + "b</font>"},
      {"longname", "ab",
       "<font face=Abcdefghij Klmnopqrst Uvwxyzabcd Efghijklmn Opqrstuvwx Yzabcdef size=12pt "
       "fill_color=#000000FF>a</font>" +
           B + "b</font>"},
      // Nothing is tagged inside a comment; the walk counts the comment's
      // characters, so z is read at its own place.
      {"comment", "x<!--yy-->zb", "x<!--yy-->" + At("10pt") + "z</font>" + B + "b</font>"},
      // The emoji is two units of the frame's text: a is read at unit 2.
      {"astral",
       "\xF0\x9F\x98\x80"
       "ab",
       At("14pt") + "\xF0\x9F\x98\x80</font>" + At("10pt") + "a</font>" + B + "b</font>"},
      // A script longer than the frame's text: past the end, the style of
      // the text's end.
      {"first", "abcdef", At("14pt") + "a</font>" + B + "bcdef</font>"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Markup(c.frame, c.script), c.expected) << c.frame << ": " << c.script;
}

TEST_F(FontMarkup, CommentsNestAndAStrayCloseStopsTaggingUntilBalanced) {
  // "<!--<!---->x-->y": x (unit 11) is still inside the outer comment, y
  // (unit 15) is not.
  StyleUnits("uniform", "NNNNNNNNNNNBBBBBBBBN");
  EXPECT_EQ(Markup("uniform", "<!--<!---->x-->y"), "<!--<!---->x-->" + At("14pt") + "y</font>");
  // "-->a<!--b": after the stray close the depth is below 0, so a (unit 3)
  // is not looked at; "<!--" brings the depth back to 0 for b (unit 8).
  StyleUnits("uniform", "NNNBNNNNNN");
  EXPECT_EQ(Markup("uniform", "-->a<!--b"), "-->a<!--b");
}

TEST_F(FontMarkup, ReadCharAttributesOfAnEmptyRangeAndOfTheEnd) {
  ATE::ITextRange range = RangeOf("stroke");
  CharAttributes a;
  range.SetEnd(0);
  ReadCharAttributes(range, &a);
  EXPECT_STREQ(a.fontName, "Serif");
  EXPECT_EQ(a.size, 1200);
  EXPECT_EQ(a.leading, 0);
  EXPECT_EQ(a.lineWidth, 50);
  EXPECT_EQ(a.horizontalScale, 10000);
  EXPECT_EQ(a.verticalScale, 10000);
  EXPECT_STREQ(a.fillColour, "#000000FF");
  EXPECT_STREQ(a.strokeColour, "#FF000000");
  CharAttributes end;
  range.SetEnd(2);
  range.SetStart(2);
  ReadCharAttributes(range, &end);
  EXPECT_EQ(end.lineWidth, 0) << "no stroke, so no line width";
  EXPECT_STREQ(end.strokeColour, "");
  EXPECT_FALSE(SameCharAttributes(&a, &end));
}

TEST(FormatPaintColour, KindsWithoutAFormLeaveTheTextAlone) {
  struct {
    const char *name;
    AIColor colour;
    const char *expected;
  } cases[] = {
      {"gray", {kGrayColor, {.g = {1}}}, "#000000FF"},
      {"four-colour, components rounded",
       {kFourColor, {.f = {0.5, 0.25, 1.0 / 255, 0}}},
       "#80400100"},
      {"three-colour above 1 is FF", {kThreeColor, {.rgb = {1.5, 0, 0.999}}}, "#FF00FF"},
      {"pattern", {kPattern, {}}, "untouched"},
      {"gradient", {kGradient, {}}, "untouched"},
      {"none", {kNoneColor, {}}, "untouched"},
  };
  for (const auto &c : cases) {
    char text[CHAR_COLOUR_SIZE] = "untouched";
    FormatPaintColour(&c.colour, text);
    EXPECT_STREQ(text, c.expected) << c.name;
  }
}

TEST_F(FontMarkup, OutputPastTheWorkAreaIsDroppedAndTheResultIsTheUnboundedOnesStart) {
  // 4000 characters of alternating style: every one opens a tag of about 50
  // bytes, far more than the 12000-byte work area holds.
  std::string pattern, unbounded;
  for (size_t i = 0; i < 4000; ++i) {
    const bool big = i % 2 == 0;
    pattern += big ? 'B' : 'N';
    unbounded += (i > 0 ? "</font>" : "") + (big ? At("14pt") : B) + "a";
  }
  unbounded += "</font>";
  StyleUnits("uniform", pattern);
  const std::string script(4000, 'a');
  ASSERT_GT(unbounded.size(), static_cast<size_t>(SCRIPT_WORK_AREA_MAX));
  EXPECT_EQ(Markup("uniform", script), unbounded.substr(0, SCRIPT_TEXT_MAX));
}

}  // namespace
