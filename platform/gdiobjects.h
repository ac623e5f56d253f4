// The table of pens, brushes and fonts (internal to the platform library).
#ifndef VARDO_PLATFORM_GDIOBJECTS_H
#define VARDO_PLATFORM_GDIOBJECTS_H

#include <windows.h>

namespace vplat::gdi {

struct GdiObject {
  DWORD type = 0;          // OBJ_PEN, OBJ_BRUSH or OBJ_FONT
  bool permanent = false;  // stock and system-colour objects outlive DeleteObject
  bool deletePending = false;
  int selections = 0;  // how many DCs have it selected
  LOGPEN pen{};
  LOGBRUSH brush{};
  LOGFONTW font{};
};

// The live object behind h, or nullptr.
GdiObject *FindObject(HGDIOBJ h);
// Adds an object and returns its new handle (never reused).
HGDIOBJ AddObject(const GdiObject &object);
// A DC selects h / lets go of it; letting go of a deleted object frees it.
void Retain(HGDIOBJ h);
void Release(HGDIOBJ h);

}  // namespace vplat::gdi

#endif
