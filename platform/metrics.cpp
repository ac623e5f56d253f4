// Screen size, system metrics and system colours. The sizes are the
// classic Windows metrics, fixed; only the screen size changes (through
// automation).
#include <vplatform/input.h>

#include "window_internal.h"

namespace {

constexpr SIZE kDefaultScreen{1920, 1080};

SIZE &Screen() {
  static SIZE s = kDefaultScreen;
  return s;
}

constexpr COLORREF Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

}  // namespace

namespace vplat {

void SetScreenSize(int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  Screen() = SIZE{width, height};
  wm::Desktop()->rect = RECT{0, 0, width, height};
  wm::ClampCursorToScreen();
}

SIZE GetScreenSize() { return Screen(); }

}  // namespace vplat

namespace vplat::wm {
SIZE ScreenSize() { return Screen(); }
}  // namespace vplat::wm

extern "C" int WINAPI GetSystemMetrics(int index) {
  SIZE s = Screen();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXMAXIMIZED: return s.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CYMAXIMIZED: return s.cy;
    case SM_CYFULLSCREEN: return s.cy - 19;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_SWAPBUTTON: return 0;
    case SM_CMONITORS:
    case SM_MOUSEPRESENT: return 1;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    default: return 0;
  }
}

extern "C" DWORD WINAPI GetSysColor(int index) {
  static const COLORREF colors[] = {
      Rgb(0xC8, 0xC8, 0xC8),  // COLOR_SCROLLBAR
      Rgb(0x00, 0x00, 0x00),  // COLOR_BACKGROUND
      Rgb(0x99, 0xB4, 0xD1),  // COLOR_ACTIVECAPTION
      Rgb(0xBF, 0xCD, 0xDB),  // COLOR_INACTIVECAPTION
      Rgb(0xF0, 0xF0, 0xF0),  // COLOR_MENU
      Rgb(0xFF, 0xFF, 0xFF),  // COLOR_WINDOW
      Rgb(0x64, 0x64, 0x64),  // COLOR_WINDOWFRAME
      Rgb(0x00, 0x00, 0x00),  // COLOR_MENUTEXT
      Rgb(0x00, 0x00, 0x00),  // COLOR_WINDOWTEXT
      Rgb(0x00, 0x00, 0x00),  // COLOR_CAPTIONTEXT
      Rgb(0xB4, 0xB4, 0xB4),  // COLOR_ACTIVEBORDER
      Rgb(0xF4, 0xF7, 0xFC),  // COLOR_INACTIVEBORDER
      Rgb(0xAB, 0xAB, 0xAB),  // COLOR_APPWORKSPACE
      Rgb(0x00, 0x78, 0xD7),  // COLOR_HIGHLIGHT
      Rgb(0xFF, 0xFF, 0xFF),  // COLOR_HIGHLIGHTTEXT
      Rgb(0xF0, 0xF0, 0xF0),  // COLOR_BTNFACE
      Rgb(0xA0, 0xA0, 0xA0),  // COLOR_BTNSHADOW
      Rgb(0x6D, 0x6D, 0x6D),  // COLOR_GRAYTEXT
      Rgb(0x00, 0x00, 0x00),  // COLOR_BTNTEXT
      Rgb(0x00, 0x00, 0x00),  // COLOR_INACTIVECAPTIONTEXT
      Rgb(0xFF, 0xFF, 0xFF),  // COLOR_BTNHIGHLIGHT
      Rgb(0x69, 0x69, 0x69),  // COLOR_3DDKSHADOW
      Rgb(0xE3, 0xE3, 0xE3),  // COLOR_3DLIGHT
      Rgb(0x00, 0x00, 0x00),  // COLOR_INFOTEXT
      Rgb(0xFF, 0xFF, 0xE1),  // COLOR_INFOBK
      Rgb(0x00, 0x00, 0x00),  // 25: unused
      Rgb(0x00, 0x66, 0xCC),  // COLOR_HOTLIGHT
      Rgb(0xB9, 0xD1, 0xEA),  // COLOR_GRADIENTACTIVECAPTION
      Rgb(0xD7, 0xE4, 0xF2),  // COLOR_GRADIENTINACTIVECAPTION
      Rgb(0x33, 0x99, 0xFF),  // COLOR_MENUHILIGHT
      Rgb(0xF0, 0xF0, 0xF0),  // COLOR_MENUBAR
  };
  if (index < 0 || index >= static_cast<int>(sizeof colors / sizeof colors[0])) return 0;
  return colors[index];
}
