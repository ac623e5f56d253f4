#include "gdi_testing.h"

#include <cstring>

namespace {

class GdiObjects : public ScreenTest {};

TEST_F(GdiObjects, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  HFONT font = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Test");
  ASSERT_NE(pen, nullptr);
  ASSERT_NE(brush, nullptr);
  ASSERT_NE(font, nullptr);

  // A new DC starts with the stock black pen, white brush and system font.
  EXPECT_EQ(SelectObject(hdc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(hdc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(hdc, font), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), pen);
  EXPECT_EQ(SelectObject(hdc, GetStockObject(NULL_PEN)), pen);
  EXPECT_EQ(SelectObject(hdc, GetStockObject(NULL_BRUSH)), brush);
  EXPECT_EQ(SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT)), font);

  // Unknown objects and DCs change nothing.
  EXPECT_EQ(SelectObject(hdc, reinterpret_cast<HGDIOBJ>(0x999)), nullptr);
  EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(0x999), pen), nullptr);
  EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), GetStockObject(NULL_PEN));

  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(font));
}

TEST_F(GdiObjects, DeleteObjectFreesUnselectedObjectsAndIgnoresStockOnes) {
  HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_FALSE(DeleteObject(brush));

  for (int stock : {WHITE_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT}) {
    HGDIOBJ h = GetStockObject(stock);
    EXPECT_TRUE(DeleteObject(h)) << stock;
    EXPECT_NE(GetObjectType(h), 0u) << stock;
  }
  HBRUSH sys = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_TRUE(DeleteObject(sys));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(sys, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetSysColorBrush(99), nullptr);
  EXPECT_EQ(GetStockObject(DEFAULT_PALETTE), nullptr);
}

TEST_F(GdiObjects, ObjectDeletedWhileSelectedLivesUntilDeselected) {
  const COLORREF color = RGB(10, 200, 30);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(hdc, pen);
  EXPECT_TRUE(DeleteObject(pen));
  MoveToEx(hdc, 0, 0, nullptr);
  LineTo(hdc, 3, 0);
  EXPECT_EQ(vplat::GetScreenPixel(1, 0), color);  // still drawing with it
  EXPECT_EQ(SelectObject(hdc, old), pen);
  EXPECT_EQ(GetObjectType(pen), 0u);

  // Releasing the DC lets go of it as well.
  HDC other = GetDC(nullptr);
  HBRUSH brush = CreateSolidBrush(color);
  SelectObject(other, brush);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(ReleaseDC(nullptr, other), 1);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(ReleaseDC(nullptr, other), 0);

  // Selected into two DCs: freed only when both have let go.
  HDC second = GetDC(nullptr);
  HBRUSH shared = CreateSolidBrush(color);
  HGDIOBJ first = SelectObject(hdc, shared);
  SelectObject(second, shared);
  DeleteObject(shared);
  ReleaseDC(nullptr, second);
  EXPECT_NE(GetObjectType(shared), 0u);
  SelectObject(hdc, first);
  EXPECT_EQ(GetObjectType(shared), 0u);
}

TEST_F(GdiObjects, GetObjectDescribesPensBrushesAndFonts) {
  HPEN pen = CreatePen(PS_DOT, 3, RGB(1, 2, 3));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectW(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
  ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObjectW(pen, sizeof lp - 1, &lp), 0);

  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(GetStockObject(NULL_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));

  LOGFONTA in{};
  in.lfHeight = -13;
  in.lfWeight = FW_SEMIBOLD;
  in.lfItalic = 1;
  in.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(in.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&in);
  LOGFONTW out{};
  ASSERT_EQ(GetObjectW(font, sizeof out, &out), static_cast<int>(sizeof out));
  EXPECT_EQ(out.lfHeight, -13);
  EXPECT_EQ(out.lfWeight, FW_SEMIBOLD);
  EXPECT_EQ(out.lfItalic, 1);
  EXPECT_EQ(out.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(std::u16string(out.lfFaceName), u"Arial");

  EXPECT_EQ(CreatePen(7, 1, 0), nullptr);
  EXPECT_EQ(CreatePen(PS_SOLID | 0x20, 1, 0), nullptr);
  EXPECT_EQ(GetObjectW(reinterpret_cast<HGDIOBJ>(0x999), sizeof lp, &lp), 0);
  DeleteObject(pen);
  DeleteObject(font);
}

}  // namespace
