// The older comment forms: each form on plain text, then on frames whose
// scripts are kept in their own text or in "VRTag", where font mark-up
// comes first.
#include "legacymarkup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scripttags.h"
#include "testing/scripttagstest.h"

namespace {

std::string Convert(const std::string &text) {
  char buffer[SCRIPT_WORK_AREA_SIZE];
  std::strcpy(buffer, text.c_str());
  ConvertCommentForms(buffer);
  return buffer;
}

const char kImage[] = "<HTML><BODY><IMG SRC=\"file://[vardo:image]\"></BODY></HTML>";

TEST(ConvertCommentForms, EachFormAndTheOrderOfTheRules) {
  struct {
    const char *name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"field", "A<!--price-->B", "A[price]B"},
      {"field with multi-byte name", "<!--\xE4\xBE\xA1\xE6\xA0\xBC-->\xE5\x86\x86",
       "[\xE4\xBE\xA1\xE6\xA0\xBC]\xE5\x86\x86"},
      {"picture with the [Path] form", "<!--vardo:image=[Path]-->", kImage},
      {"picture, bare", "x<!--vardo:image-->y", std::string("x") + kImage + "y"},
      {"picture with a suffix", "<!--vardo:image7-->",
       "<HTML><BODY><IMG SRC=\"file://[vardo:image7]\"></BODY></HTML>"},
      {"barcode", "<!--vardo:barcode TYPE=CODE39-->",
       "<HTML><BODY><BARCODE TYPE=CODE39></BODY></HTML>"},
      {"field inside a barcode comment is quoted, and the first --> closes the barcode",
       "<!--vardo:barcode TYPE=CODE39 DATA=<!--code-->-->",
       "<HTML><BODY><BARCODE TYPE=CODE39 DATA=\"[code></BODY></HTML>]"},
      {"a --> with nothing open", "a-->b", "a]b"},
      {"picture never closed stays open", "<!--vardo:image_x",
       "<HTML><BODY><IMG SRC=\"file://[vardo:image_x"},
      {"a picture comment closes before a field could", "<!--vardo:imageA--><!--b-->",
       "<HTML><BODY><IMG SRC=\"file://[vardo:imageA]\"></BODY></HTML>[b]"},
      {"picture and barcode both open: the picture closes first",
       "<!--vardo:imageP<!--vardo:barcode Q-->-->",
       "<HTML><BODY><IMG SRC=\"file://[vardo:imageP<HTML><BODY><BARCODE "
       "Q]\"></BODY></HTML>></BODY></HTML>"},
      {"case matters", "<!--VARDO:IMAGE-->", "[VARDO:IMAGE]"},
      {"barcode needs its blank", "<!--vardo:barcode-->", "[vardo:barcode]"},
      {"a truncated comment opening is plain text", "a<!-b", "a<!-b"},
      {"a sequence cut short by the end is copied as far as it goes", "ab\xE4\xBE", "ab\xE4\xBE"},
  };
  for (const auto &c : cases) EXPECT_EQ(Convert(c.text), c.expected) << c.name;
}

TEST(ConvertCommentForms, ExpansionPastTheWorkAreaKeepsTheFirst4000Bytes) {
  // 18 bytes become 59: 4000 bytes of bare picture comments would need more
  // than 13000 bytes, past the 12000-byte work area.
  std::string text, unbounded;
  while (text.size() + 18 <= SCRIPT_TEXT_MAX) {
    text += "<!--vardo:image-->";
    unbounded += kImage;
  }
  ASSERT_GT(unbounded.size(), static_cast<size_t>(SCRIPT_WORK_AREA_MAX));
  EXPECT_EQ(Convert(text), unbounded.substr(0, SCRIPT_TEXT_MAX));
}

class LegacyScript : public ScriptTagsTest {};

TEST_F(LegacyScript, FrameTextAndVRTagAreConverted) {
  Open("tags.svg");
  EXPECT_EQ(ReadScript("comment").script, "A[price]B");
  // The frame's own text is shorter than the tag's script: past its end
  // every character has the style of the text's end, so no font mark-up.
  EXPECT_EQ(ReadScript("vrtag").script,
            "<HTML><BODY><IMG SRC=\"file://[vardo:image7]\"></BODY></HTML>");
}

TEST_F(LegacyScript, FontMarkupComesBeforeTheCommentForms) {
  Open("styles.svg");
  // "x<!--yy-->zb" with z in 10 pt: the comment is left untagged, then
  // converted to a field.
  char text[SCRIPT_TEXT_SIZE] = "x<!--yy-->zb";
  ConvertLegacyMarkup(text, RangeOf("comment"));
  EXPECT_STREQ(text,
               "x[yy]<font face=Serif size=10pt fill_color=#000000FF>z</font>"
               "<font face=Serif size=12pt fill_color=#000000FF>b</font>");
}

}  // namespace
