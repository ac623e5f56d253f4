// Between the panel's text (CR LF line breaks, UTF-16) and a script (CR
// paragraph ends, UTF-8).
#include "vardoscript/paneltext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Show(const std::string &script) {
  WCHAR text[PANEL_TEXT_SIZE];
  const int length = ScriptToPanelText(script.c_str(), text);
  EXPECT_EQ(std::u16string(text).size(), static_cast<size_t>(length));
  return text;
}

std::string Take(const std::u16string &text) {
  char script[SCRIPT_TEXT_SIZE];
  PanelTextToScript(text.c_str(), script);
  return script;
}

TEST(PanelText, LineEndsEitherWay) {
  struct {
    const char *name;
    std::string script;    // as shown from
    std::u16string shown;  // what the panel shows
    std::string readBack;  // the panel's text read back
  } cases[] = {
      {"empty", "", u"", ""},
      {"CR", "a\rb", u"a\r\nb", "a\rb"},
      {"LF", "a\nb", u"a\r\nb", "a\rb"},
      {"CR LF", "a\r\nb", u"a\r\nb", "a\rb"},
      {"LF CR is two line ends", "a\n\rb", u"a\r\n\r\nb", "a\r\rb"},
      {"line ends at both ends", "\r\n\rx\n", u"\r\n\r\nx\r\n", "\r\rx\r"},
      {"multi-byte and beyond the BMP", "\xE4\xBE\xA1\r\xF0\x9F\x98\x80", u"\u4FA1\r\n\U0001F600",
       "\xE4\xBE\xA1\r\xF0\x9F\x98\x80"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Show(c.script), c.shown) << c.name;
    EXPECT_EQ(Take(c.shown), c.readBack) << c.name;
  }
}

TEST(PanelText, WhatShowingPutsThereReadsBackWhole) {
  // A 4000-byte script of line ends is shown as 8000 units.
  const std::string lineEnds(4000, '\r');
  EXPECT_EQ(Take(Show(lineEnds)), lineEnds);
  std::u16string pairs;
  for (int i = 0; i < 3999; ++i) pairs += u"\r\n";
  // Units past the 8000th are not read; a pair the limit would split is
  // left out.
  EXPECT_EQ(Take(pairs + u"\r\ntail"), lineEnds);
  EXPECT_EQ(Take(pairs + u"a\U0001F600"), std::string(3999, '\r') + "a");
}

TEST(PanelText, AScriptReadBackIsCutTo4000BytesOnACharacterBoundary) {
  // 2000 three-byte characters: 6000 bytes, of which 1333 whole characters fit.
  std::string expected;
  for (int i = 0; i < 1333; ++i) expected += "\xE4\xBE\xA1";
  EXPECT_EQ(Take(std::u16string(2000, u'\u4FA1')), expected);
}

TEST(PanelText, EveryUnitOfA4000ByteScriptCanDoubleWhenShown) {
  const std::u16string shown = Show(std::string(4000, '\n'));
  EXPECT_EQ(shown.size(), 8000u);
  EXPECT_EQ(shown.substr(0, 4), u"\r\n\r\n");
}

}  // namespace
