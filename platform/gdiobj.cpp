// Pens, brushes, stock objects and their lifetime.
//
// Handles are numbers that are never reused, so a stale handle is simply
// unknown. An object deleted while selected into a DC stays alive until
// the last DC deselects it or is released.
#include "gdiobjects.h"

#include <vplatform/screen.h>

#include <cstring>
#include <unordered_map>

namespace vplat::gdi {
namespace {

struct Table {
  std::unordered_map<uintptr_t, GdiObject> objects;
  uintptr_t next = 0x10000;
  HGDIOBJ stock[DEFAULT_GUI_FONT + 1] = {};
};

HGDIOBJ Insert(Table &t, const GdiObject &object) {
  uintptr_t key = t.next;
  t.next += 4;
  t.objects.emplace(key, object);
  return reinterpret_cast<HGDIOBJ>(key);
}

GdiObject StockPen(UINT style, COLORREF color) {
  GdiObject o;
  o.type = OBJ_PEN;
  o.permanent = true;
  o.pen.lopnStyle = style;
  o.pen.lopnColor = color;
  return o;
}

GdiObject StockBrush(UINT style, COLORREF color) {
  GdiObject o;
  o.type = OBJ_BRUSH;
  o.permanent = true;
  o.brush.lbStyle = style;
  o.brush.lbColor = color;
  return o;
}

GdiObject StockFont(LONG height, LONG weight, BYTE pitch, const char *face) {
  GdiObject o;
  o.type = OBJ_FONT;
  o.permanent = true;
  o.font.lfHeight = height;
  o.font.lfWeight = weight;
  o.font.lfCharSet = DEFAULT_CHARSET;
  o.font.lfPitchAndFamily = pitch;
  for (size_t i = 0; face[i] && i + 1 < LF_FACESIZE; ++i) o.font.lfFaceName[i] = face[i];
  return o;
}

Table &Objects() {
  static Table table = [] {
    Table t;
    t.stock[WHITE_BRUSH] = Insert(t, StockBrush(BS_SOLID, RGB(255, 255, 255)));
    t.stock[LTGRAY_BRUSH] = Insert(t, StockBrush(BS_SOLID, RGB(192, 192, 192)));
    t.stock[GRAY_BRUSH] = Insert(t, StockBrush(BS_SOLID, RGB(128, 128, 128)));
    t.stock[DKGRAY_BRUSH] = Insert(t, StockBrush(BS_SOLID, RGB(64, 64, 64)));
    t.stock[BLACK_BRUSH] = Insert(t, StockBrush(BS_SOLID, RGB(0, 0, 0)));
    t.stock[NULL_BRUSH] = Insert(t, StockBrush(BS_NULL, 0));
    t.stock[WHITE_PEN] = Insert(t, StockPen(PS_SOLID, RGB(255, 255, 255)));
    t.stock[BLACK_PEN] = Insert(t, StockPen(PS_SOLID, RGB(0, 0, 0)));
    t.stock[NULL_PEN] = Insert(t, StockPen(PS_NULL, 0));
    t.stock[OEM_FIXED_FONT] =
        Insert(t, StockFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal"));
    t.stock[ANSI_FIXED_FONT] =
        Insert(t, StockFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier"));
    t.stock[ANSI_VAR_FONT] =
        Insert(t, StockFont(12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"));
    t.stock[SYSTEM_FONT] = Insert(t, StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"));
    t.stock[DEVICE_DEFAULT_FONT] =
        Insert(t, StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"));
    t.stock[SYSTEM_FIXED_FONT] =
        Insert(t, StockFont(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys"));
    t.stock[DEFAULT_GUI_FONT] =
        Insert(t, StockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"));
    return t;
  }();
  return table;
}

}  // namespace

GdiObject *FindObject(HGDIOBJ h) {
  Table &t = Objects();
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
  return it == t.objects.end() ? nullptr : &it->second;
}

HGDIOBJ AddObject(const GdiObject &object) { return Insert(Objects(), object); }

void Retain(HGDIOBJ h) {
  if (GdiObject *o = FindObject(h)) ++o->selections;
}

void Release(HGDIOBJ h) {
  GdiObject *o = FindObject(h);
  if (!o) return;
  if (o->selections > 0) --o->selections;
  if (o->selections == 0 && o->deletePending)
    Objects().objects.erase(reinterpret_cast<uintptr_t>(h));
}

}  // namespace vplat::gdi

using vplat::gdi::AddObject;
using vplat::gdi::FindObject;
using vplat::gdi::GdiObject;

extern "C" HPEN WINAPI CreatePenIndirect(const LOGPEN *plpen) {
  if (!plpen) return nullptr;
  UINT style = plpen->lopnStyle;
  if (style > PS_INSIDEFRAME) return nullptr;  // end caps and joins are ExtCreatePen's
  GdiObject o;
  o.type = OBJ_PEN;
  o.pen = *plpen;
  o.pen.lopnStyle = style;
  o.pen.lopnColor &= 0x00FFFFFF;
  if (o.pen.lopnWidth.x < 0) o.pen.lopnWidth.x = 0;
  o.pen.lopnWidth.y = 0;
  return static_cast<HPEN>(AddObject(o));
}

extern "C" HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
  LOGPEN lp{};
  lp.lopnStyle = static_cast<UINT>(iStyle);
  lp.lopnWidth.x = cWidth;
  lp.lopnColor = color;
  return CreatePenIndirect(&lp);
}

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  GdiObject o;
  o.type = OBJ_BRUSH;
  o.brush.lbStyle = BS_SOLID;
  o.brush.lbColor = color & 0x00FFFFFF;
  return static_cast<HBRUSH>(AddObject(o));
}

extern "C" HGDIOBJ WINAPI GetStockObject(int i) {
  auto &t = vplat::gdi::Objects();
  if (i < 0 || i > DEFAULT_GUI_FONT) return nullptr;
  return t.stock[i];
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  GdiObject *o = FindObject(ho);
  if (!o) return FALSE;
  if (o->permanent) return TRUE;
  if (o->selections > 0) {
    o->deletePending = true;
    return TRUE;
  }
  vplat::gdi::Objects().objects.erase(reinterpret_cast<uintptr_t>(ho));
  return TRUE;
}

extern "C" int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
  const GdiObject *o = FindObject(h);
  if (!o) return 0;
  const void *from = nullptr;
  int size = 0;
  switch (o->type) {
    case OBJ_PEN:
      from = &o->pen;
      size = sizeof(LOGPEN);
      break;
    case OBJ_BRUSH:
      from = &o->brush;
      size = sizeof(LOGBRUSH);
      break;
    case OBJ_FONT:
      from = &o->font;
      size = sizeof(LOGFONTW);
      break;
    default: return 0;
  }
  if (!pv) return size;
  if (c < size) return 0;
  std::memcpy(pv, from, static_cast<size_t>(size));
  return size;
}

namespace vplat {

size_t LiveGdiObjectCount() {
  size_t count = 0;
  for (const auto &entry : gdi::Objects().objects) {
    if (!entry.second.permanent) ++count;
  }
  return count;
}

}  // namespace vplat
