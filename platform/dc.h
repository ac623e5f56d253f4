// Device contexts (internal to the platform library).
#ifndef VARDO_PLATFORM_DC_H
#define VARDO_PLATFORM_DC_H

#include "raster.h"

namespace vplat::gdi {

enum class DcArea { Screen, Client, Window };

struct DeviceContext {
  HWND hwnd = nullptr;
  DcArea area = DcArea::Screen;
  bool fromBeginPaint = false;
  RECT paintRect{};  // BeginPaint DCs: the update rectangle, client coordinates
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  int rop2 = R2_COPYPEN;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  POINT position{};
  POINT viewportOrg{};
};

// The DC behind hdc, or nullptr (last error ERROR_INVALID_HANDLE).
DeviceContext *FindDc(HDC hdc);
// A new DC with default attributes; nullptr for an unknown window.
HDC CreateDc(HWND hwnd, DcArea area);
// Lets go of the DC's objects and forgets it.
void DestroyDc(HDC hdc);
// Where the DC draws right now. False only for an unknown DC; a DC whose
// window is hidden or gone gets an empty clip.
bool OpenCanvas(HDC hdc, DeviceContext **dc, Canvas *canvas);

}  // namespace vplat::gdi

#endif
