// GetSysColorBrush: one shared brush per system colour index, made on
// first use from GetSysColor and never freed.
#include "gdiobjects.h"

extern "C" HBRUSH WINAPI GetSysColorBrush(int nIndex) {
  constexpr int kCount = COLOR_MENUBAR + 1;
  static HGDIOBJ brushes[kCount] = {};
  if (nIndex < 0 || nIndex >= kCount || nIndex == 25) return nullptr;  // 25 is unused
  if (!brushes[nIndex]) {
    vplat::gdi::GdiObject o;
    o.type = OBJ_BRUSH;
    o.permanent = true;
    o.brush.lbStyle = BS_SOLID;
    o.brush.lbColor = GetSysColor(nIndex);
    brushes[nIndex] = vplat::gdi::AddObject(o);
  }
  return static_cast<HBRUSH>(brushes[nIndex]);
}
