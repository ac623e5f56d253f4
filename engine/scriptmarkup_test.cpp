// The parser's tree for what the table of rendered scripts (engine_test)
// does not show: elements, their cells and attributes, and odd input.
#include "scriptmarkup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "scriptrender.h"

namespace {

ScriptTree Parse(const std::string &script) { return ParseScript(script.data(), script.size()); }

TEST(ScriptMarkup, PictureElementInItsTable) {
  const ScriptTree tree = Parse(
      "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=120.3 HEIGHT=80 ALIGN=CENTER "
      "VALIGN=MIDDLE><IMG SRC=\"file://C:\\photos\\[photo]>x\"></TD></TR></TABLE></BODY></HTML>");
  EXPECT_TRUE(tree.problems.empty());
  ASSERT_EQ(tree.nodes[0].children.size(), 1u);
  const ScriptNode &img = tree.nodes[tree.nodes[0].children[0]];
  ASSERT_EQ(img.kind, ScriptNode::kPicture);
  ASSERT_NE(FindAttribute(img, "SRC"), nullptr);
  EXPECT_EQ(*FindAttribute(img, "SRC"), "file://C:\\photos\\[photo]>x");
  EXPECT_DOUBLE_EQ(img.cell.width, 120.3);
  EXPECT_DOUBLE_EQ(img.cell.height, 80);
  EXPECT_EQ(img.cell.align, CellLayout::kCenter);
  EXPECT_EQ(img.cell.valign, CellLayout::kMiddle);
}

TEST(ScriptMarkup, BarcodeAttributesAreKeptForTheirDrawer) {
  const ScriptTree tree = Parse(
      "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=AUTO ENCODEMODE=AUTO SHOWHRTEXT=TRUE "
      "CELLSIZE=0.5 "
      "DATA=\"[barcode_data]\" ITEM=\"a b\"></BODY></HTML>");
  EXPECT_TRUE(tree.problems.empty());
  const ScriptNode &code = tree.nodes[tree.nodes[0].children.at(0)];
  ASSERT_EQ(code.kind, ScriptNode::kBarcode);
  ASSERT_EQ(code.attributes.size(), 8u);
  EXPECT_EQ(*FindAttribute(code, "TYPE"), "QRCODE");
  EXPECT_EQ(*FindAttribute(code, "DATA"), "[barcode_data]");
  EXPECT_EQ(*FindAttribute(code, "ITEM"), "a b");
}

TEST(ScriptMarkup, UnquotedFaceRunsToTheNextAttribute) {
  const ScriptTree tree = Parse("<font face=IPA Pゴシック size=12pt fill_color=#000000FF>x</font>");
  EXPECT_TRUE(tree.problems.empty());
  const ScriptNode &font = tree.nodes[tree.nodes[0].children.at(0)];
  ASSERT_EQ(font.kind, ScriptNode::kFont);
  EXPECT_EQ(font.style.face, "IPA Pゴシック");
  EXPECT_DOUBLE_EQ(font.style.size, 12);
  EXPECT_EQ(font.style.fill.kind, kFourColor);
  EXPECT_DOUBLE_EQ(font.style.fill.c.f.black, 1);
}

TEST(ScriptMarkup, TextThatOnlyLooksLikeMarkupIsText) {
  struct {
    const char *script;
    size_t problems;
  } cases[] = {
      {"a < b > c", 0}, {"<3", 0},     {"x<y", 1},           {"<font", 1}, {"<img>", 1},
      {"[]", 1},        {"[a\rb]", 1}, {"<IMG SRC=\"x>", 1}, {"</TD>", 0}, {"<font size=1pt>", 1},
  };
  for (const auto &c : cases) EXPECT_EQ(Parse(c.script).problems.size(), c.problems) << c.script;
}

TEST(ScriptMarkup, DeepNestingAndLongInputRender) {
  std::string script;
  for (int i = 0; i < 3000; ++i) script += "<font size=" + std::to_string(1 + i % 50) + ">";
  script += "x";
  const ScriptTree tree = Parse(script);
  RenderedScript out;
  RenderScript(tree, nullptr, nullptr, &out);
  EXPECT_EQ(out.text, u"x");
  ASSERT_EQ(out.runs.size(), 1u);
  EXPECT_DOUBLE_EQ(out.runs[0].style.size, 1 + 2999 % 50);
}

}  // namespace
