// Device contexts: creation, attributes, selected objects and where each
// one lands on the screen.
//
// Every DC is a view of the one screen surface. A window DC recomputes its
// place from the window on every drawing call rather than caching it, so a
// DC kept across a window move draws where the window now is. Sibling and
// child windows do not clip each other: nothing here keeps their pixels
// apart, and the plug-ins only draw outlines over whole windows.
#include "dc.h"

#include <vplatform/screen.h>

#include "gdiobjects.h"

#include <algorithm>
#include <unordered_map>

namespace vplat::gdi {
namespace {

struct DcTable {
  std::unordered_map<uintptr_t, DeviceContext> dcs;
  uintptr_t next = 0x40000000;
};

DcTable &Dcs() {
  static DcTable table;
  return table;
}

RECT Intersect(const RECT &a, const RECT &b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace

DeviceContext *FindDc(HDC hdc) {
  auto &t = Dcs();
  auto it = t.dcs.find(reinterpret_cast<uintptr_t>(hdc));
  if (it == t.dcs.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

HDC CreateDc(HWND hwnd, DcArea area) {
  if (hwnd && !IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  DeviceContext dc;
  dc.hwnd = hwnd;
  dc.area = hwnd ? area : DcArea::Screen;
  dc.pen = GetStockObject(BLACK_PEN);
  dc.brush = GetStockObject(WHITE_BRUSH);
  dc.font = GetStockObject(SYSTEM_FONT);
  Retain(dc.pen);
  Retain(dc.brush);
  Retain(dc.font);
  auto &t = Dcs();
  uintptr_t key = t.next;
  t.next += 4;
  t.dcs.emplace(key, dc);
  return reinterpret_cast<HDC>(key);
}

void DestroyDc(HDC hdc) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return;
  Release(dc->pen);
  Release(dc->brush);
  Release(dc->font);
  Dcs().dcs.erase(reinterpret_cast<uintptr_t>(hdc));
}

bool OpenCanvas(HDC hdc, DeviceContext **out, Canvas *canvas) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return false;
  *out = dc;
  Surface &screen = Screen();
  RECT area{0, 0, screen.width, screen.height};
  POINT origin{0, 0};
  if (dc->area != DcArea::Screen) {
    if (!IsWindow(dc->hwnd) || !IsWindowVisible(dc->hwnd)) {
      area = RECT{0, 0, 0, 0};
    } else if (dc->area == DcArea::Client) {
      RECT client{};
      GetClientRect(dc->hwnd, &client);
      ClientToScreen(dc->hwnd, &origin);
      if (dc->fromBeginPaint) client = Intersect(client, dc->paintRect);
      area = RECT{origin.x + client.left, origin.y + client.top, origin.x + client.right,
                  origin.y + client.bottom};
    } else {
      GetWindowRect(dc->hwnd, &area);
      origin = POINT{area.left, area.top};
    }
  }
  canvas->surface = &screen;
  canvas->dx = origin.x + dc->viewportOrg.x;
  canvas->dy = origin.y + dc->viewportOrg.y;
  canvas->clip = Intersect(area, RECT{0, 0, screen.width, screen.height});
  return true;
}

}  // namespace vplat::gdi

using vplat::gdi::DcArea;
using vplat::gdi::DeviceContext;
using vplat::gdi::FindDc;

extern "C" HDC WINAPI GetDC(HWND hWnd) { return vplat::gdi::CreateDc(hWnd, DcArea::Client); }

extern "C" HDC WINAPI GetWindowDC(HWND hWnd) { return vplat::gdi::CreateDc(hWnd, DcArea::Window); }

extern "C" int WINAPI ReleaseDC(HWND, HDC hDC) {
  DeviceContext *dc = FindDc(hDC);
  if (!dc || dc->fromBeginPaint) return 0;
  vplat::gdi::DestroyDc(hDC);
  return 1;
}

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext *dc = FindDc(hdc);
  vplat::gdi::GdiObject *o = vplat::gdi::FindObject(h);
  if (!dc || !o) return nullptr;
  HGDIOBJ *slot = nullptr;
  switch (o->type) {
    case OBJ_PEN: slot = &dc->pen; break;
    case OBJ_BRUSH: slot = &dc->brush; break;
    case OBJ_FONT: slot = &dc->font; break;
    default: return nullptr;
  }
  HGDIOBJ previous = *slot;
  vplat::gdi::Retain(h);
  *slot = h;
  vplat::gdi::Release(previous);
  return previous;
}

extern "C" HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    default: return nullptr;
  }
}

extern "C" DWORD WINAPI GetObjectType(HGDIOBJ h) {
  if (const vplat::gdi::GdiObject *o = vplat::gdi::FindObject(h)) return o->type;
  if (FindDc(static_cast<HDC>(h))) return OBJ_DC;
  return 0;
}

extern "C" int WINAPI SetROP2(HDC hdc, int rop2) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  int previous = dc->rop2;
  dc->rop2 = rop2;
  return previous;
}

extern "C" int WINAPI GetROP2(HDC hdc) {
  DeviceContext *dc = FindDc(hdc);
  return dc ? dc->rop2 : 0;
}

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->textColor;
  dc->textColor = color & 0x00FFFFFF;
  return previous;
}

extern "C" COLORREF WINAPI GetTextColor(HDC hdc) {
  DeviceContext *dc = FindDc(hdc);
  return dc ? dc->textColor : CLR_INVALID;
}

extern "C" COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->bkColor;
  dc->bkColor = color & 0x00FFFFFF;
  return previous;
}

extern "C" COLORREF WINAPI GetBkColor(HDC hdc) {
  DeviceContext *dc = FindDc(hdc);
  return dc ? dc->bkColor : CLR_INVALID;
}

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

extern "C" int WINAPI GetBkMode(HDC hdc) {
  DeviceContext *dc = FindDc(hdc);
  return dc ? dc->bkMode : 0;
}

extern "C" BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->viewportOrg;
  dc->viewportOrg = POINT{x, y};
  return TRUE;
}

extern "C" BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppt) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->viewportOrg;
  return TRUE;
}

extern "C" int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
  DeviceContext *dc;
  vplat::gdi::Canvas canvas;
  if (!lprect || !vplat::gdi::OpenCanvas(hdc, &dc, &canvas)) return ERROR;
  const RECT &c = canvas.clip;
  if (c.right <= c.left || c.bottom <= c.top) {
    *lprect = RECT{0, 0, 0, 0};
    return NULLREGION;
  }
  *lprect = RECT{c.left - canvas.dx, c.top - canvas.dy, c.right - canvas.dx, c.bottom - canvas.dy};
  return SIMPLEREGION;
}

extern "C" int WINAPI GetDeviceCaps(HDC hdc, int index) {
  if (!FindDc(hdc)) return 0;
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  int dpi = vplat::GetScreenDpi();
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return (width * 254 + dpi * 5) / (dpi * 10);  // millimetres, rounded
    case VERTSIZE: return (height * 254 + dpi * 5) / (dpi * 10);
    case HORZRES:
    case DESKTOPHORZRES: return width;
    case VERTRES:
    case DESKTOPVERTRES: return height;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;  // more than a palette can list, as for any true-colour display
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    default: return 0;
  }
}

namespace vplat {

size_t LiveDcCount() { return gdi::Dcs().dcs.size(); }

}  // namespace vplat
