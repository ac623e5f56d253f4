#include "gdi_testing.h"

#include <string>

namespace {

class GdiText : public ScreenTest {
 protected:
  void Use(LONG height, LONG width = 0) {
    if (font) {
      SelectObject(hdc, GetStockObject(SYSTEM_FONT));
      DeleteObject(font);
    }
    font = CreateFontW(height, width, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"X");
    SelectObject(hdc, font);
  }
  void TearDown() override {
    SelectObject(hdc, GetStockObject(SYSTEM_FONT));
    if (font) DeleteObject(font);
    ScreenTest::TearDown();
  }
  SIZE Extent(const std::u16string &s) {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32W(hdc, s.data(), static_cast<int>(s.size()), &size));
    return size;
  }
  RECT Calc(const std::u16string &s, RECT r, UINT format) {
    DrawTextW(hdc, s.data(), static_cast<int>(s.size()), &r, format | DT_CALCRECT);
    return r;
  }
  HFONT font = nullptr;
};

// A negative height asks for the character size, a positive one for the
// cell; the rest of the model follows from the height.
TEST_F(GdiText, MetricsFollowTheRequestedHeight) {
  struct Case {
    LONG lfHeight;
    LONG height, ascent, descent, internalLeading, ave, max;
  } cases[] = {
      {-12, 14, 11, 3, 2, 6, 12},  {-13, 16, 13, 3, 3, 7, 13}, {14, 14, 11, 3, 2, 6, 12},
      {-20, 24, 19, 5, 4, 10, 20}, {0, 14, 11, 3, 2, 6, 12},
  };
  for (const Case &c : cases) {
    Use(c.lfHeight);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(hdc, &tm));
    EXPECT_EQ(tm.tmHeight, c.height) << c.lfHeight;
    EXPECT_EQ(tm.tmAscent, c.ascent) << c.lfHeight;
    EXPECT_EQ(tm.tmDescent, c.descent) << c.lfHeight;
    EXPECT_EQ(tm.tmInternalLeading, c.internalLeading) << c.lfHeight;
    EXPECT_EQ(tm.tmAveCharWidth, c.ave) << c.lfHeight;
    EXPECT_EQ(tm.tmMaxCharWidth, c.max) << c.lfHeight;
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  }
  for (LONG h = 1; h <= 200; ++h) {
    Use(h);
    TEXTMETRICW tm{};
    GetTextMetricsW(hdc, &tm);
    ASSERT_EQ(tm.tmHeight, h);
    Use(-h);
    GetTextMetricsW(hdc, &tm);
    ASSERT_EQ(tm.tmHeight - tm.tmInternalLeading, h);
    ASSERT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  }
}

TEST_F(GdiText, ExtentsAddNarrowAndWideAdvances) {
  Use(-12);  // narrow 6, wide 12, cell 14
  struct Case {
    std::u16string text;
    LONG cx;
  } cases[] = {
      {u"", 0},
      {u"abc", 18},
      {u"日本語", 36},
      {u"ｱｲ", 12},            // half-width katakana is narrow
      {u"Ａ1", 18},           // full-width Latin is wide
      {u"x\U0002000By", 24},  // a surrogate pair is one wide character
  };
  for (const Case &c : cases) {
    SIZE s = Extent(c.text);
    EXPECT_EQ(s.cx, c.cx) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(s.cy, 14);
  }
  Use(-12, 5);  // an explicit width sets the narrow advance, twice that for wide
  EXPECT_EQ(Extent(u"a日").cx, 15);
}

// The ANSI forms read code page 932: a double-byte character is one wide
// character, and face names survive the trip through UTF-16.
TEST_F(GdiText, AnsiFormsDecodeTheAnsiCodePage) {
  Use(-12);
  const char text[] =
      "\x93\xfa\x96\x7b"
      "ab";  // 日本ab
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32A(hdc, text, 6, &size));
  EXPECT_EQ(size.cx, 2 * 12 + 2 * 6);
  RECT r{0, 0, 300, 100};
  EXPECT_EQ(DrawTextA(hdc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE), 14);
  EXPECT_EQ(r.right, 36);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(hdc, &tm));
  EXPECT_EQ(tm.tmHeight, 14);

  const char face[] = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
  HFONT jp = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
  LOGFONTW w{};
  ASSERT_EQ(GetObjectW(jp, sizeof w, &w), static_cast<int>(sizeof w));
  EXPECT_EQ(std::u16string(w.lfFaceName), u"ＭＳ ゴシック");
  LOGFONTA a{};
  ASSERT_EQ(GetObjectA(jp, sizeof a, &a), static_cast<int>(sizeof a));
  EXPECT_STREQ(a.lfFaceName, face);
  EXPECT_EQ(a.lfCharSet, SHIFTJIS_CHARSET);
  DeleteObject(jp);
}

TEST_F(GdiText, DrawTextMeasuresLinesPrefixesAndWordBreaks) {
  Use(-12);
  const RECT box{10, 20, 10 + 6 * 7, 200};  // seven narrow characters wide
  struct Case {
    std::u16string text;
    UINT format;
    LONG width, height;
  } cases[] = {
      {u"abcd", DT_SINGLELINE, 24, 14},
      {u"a\nbb\r\nccc", 0, 18, 42},
      {u"a\nb", DT_SINGLELINE, 18, 14},
      {u"&File", 0, 24, 14},
      {u"a&&b", 0, 18, 14},
      {u"&File", DT_NOPREFIX, 30, 14},
      {u"aaa bbb ccc", DT_WORDBREAK, 42, 28},
      {u"aaa bbb ccc", 0, 66, 14},
      {u"abcdefghij k", DT_WORDBREAK, 60, 28},  // a long word stays whole
      {u"日本語日本語", DT_WORDBREAK, 36, 28},  // breaks between ideographs
      {u"a\tb", DT_EXPANDTABS, 54, 14},
  };
  for (const Case &c : cases) {
    RECT r = Calc(c.text, box, c.format);
    std::string name(c.text.begin(), c.text.end());
    EXPECT_EQ(r.left, box.left) << name;
    EXPECT_EQ(r.top, box.top) << name;
    EXPECT_EQ(r.right - r.left, c.width) << name;
    EXPECT_EQ(r.bottom - r.top, c.height) << name;
  }
}

TEST_F(GdiText, DrawTextPlacesTextInsideTheRectangleOnly) {
  Use(-12);
  vplat::ClearScreen(RGB(0, 0, 0));
  SetTextColor(hdc, RGB(255, 255, 255));
  SetBkMode(hdc, TRANSPARENT);
  RECT r{50, 50, 110, 80};           // 60 x 30
  std::u16string text = u"centred";  // 42 wide, 14 high
  int result = DrawTextW(hdc, text.data(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(result, (30 - 14) / 2 + 14);
  int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (Px(x, y)) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  // Boxes sit inside the character cells of the centred line.
  EXPECT_GE(minX, 50 + 9);
  EXPECT_LT(maxX, 50 + 9 + 42);
  EXPECT_GE(minY, 50 + 8);
  EXPECT_LT(maxY, 50 + 8 + 14);

  // Text wider than its rectangle is clipped to it.
  vplat::ClearScreen(RGB(0, 0, 0));
  RECT narrow{50, 50, 62, 64};
  DrawTextW(hdc, u"long long text", -1, &narrow, DT_SINGLELINE);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (Px(x, y)) {
        ASSERT_TRUE(x >= 50 && x < 62 && y >= 50 && y < 64) << x << "," << y;
      }
  EXPECT_EQ(Px(51, 55), RGB(255, 255, 255));
}

TEST_F(GdiText, TextOutFillsTheBackgroundOnlyWhenOpaque) {
  Use(-12);
  PaintPattern();
  const std::vector<COLORREF> before = vplat::CopyScreenPixels();
  const COLORREF ink = RGB(1, 2, 3), paper = RGB(250, 251, 252);
  SetTextColor(hdc, ink);
  EXPECT_EQ(SetBkColor(hdc, paper), RGB(255, 255, 255));
  EXPECT_EQ(GetBkMode(hdc), OPAQUE);
  ASSERT_TRUE(TextOutW(hdc, 100, 100, u"a b", 3));
  EXPECT_EQ(Px(100, 100), paper);  // cell corner: background
  EXPECT_EQ(Px(117, 113), paper);  // last pixel of the 18 x 14 extent
  EXPECT_EQ(Px(118, 113), before[113 * kWidth + 118]);
  EXPECT_EQ(Px(102, 105), ink);    // inside the first box
  EXPECT_EQ(Px(108, 105), paper);  // the space has no box

  EXPECT_EQ(SetBkMode(hdc, TRANSPARENT), OPAQUE);
  ASSERT_TRUE(TextOutW(hdc, 100, 150, u"a b", 3));
  EXPECT_EQ(Px(100, 150), before[150 * kWidth + 100]);
  EXPECT_EQ(Px(108, 155), before[155 * kWidth + 108]);
  EXPECT_EQ(Px(102, 155), ink);
  EXPECT_EQ(SetBkMode(hdc, 7), 0);
}

}  // namespace
