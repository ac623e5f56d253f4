/* GDI on the headless screen: device contexts, pens, brushes, fonts and the
 * drawing calls the plug-ins make, plus the user32 painting helpers that
 * belong with them (GetDC, BeginPaint, FillRect, DrawText, system colours).
 *
 * Every device context draws into one in-memory 32-bit screen surface the
 * size of the screen (SM_CXSCREEN x SM_CYSCREEN). Only the MM_TEXT mapping
 * mode exists: one logical unit is one pixel, shifted by the viewport
 * origin. Fonts exist by their metrics only (see docs/screen.md for the
 * metric model); text is drawn as one solid box per visible character.
 *
 * Failure: calls given an unknown HDC or object fail the way GDI reports it
 * (FALSE, NULL, 0 or CLR_INVALID, as each contract says) and change nothing.
 * Usable from C and C++. */
#ifndef VARDO_WIN_WINGDI_H
#define VARDO_WIN_WINGDI_H

#include "types.h"

/* ---- Colours ---------------------------------------------------------- */

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR (0xFFFFFFFFL)
#define HGDI_ERROR ((HANDLE)-1)

/* ---- Object kinds (GetObjectType) ------------------------------------- */

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC 10

/* ---- Stock objects (GetStockObject) ----------------------------------- */

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17

/* ---- Pens and brushes -------------------------------------------------- */

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
#define PS_STYLE_MASK 0x0000000F

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2

typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth; /* only x is used: the width in pixels */
  COLORREF lopnColor;
} LOGPEN, *PLOGPEN, *LPLOGPEN;

typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH, *PLOGBRUSH, *LPLOGBRUSH;

/* ---- Mix modes (SetROP2) and background modes ------------------------- */

#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16

#define TRANSPARENT 1
#define OPAQUE 2

/* Region complexity (GetClipBox) */
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

/* ---- Device capabilities (GetDeviceCaps) ------------------------------ */

#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define RASTERCAPS 38
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define VREFRESH 116
#define DESKTOPVERTRES 117
#define DESKTOPHORZRES 118

#define DT_RASDISPLAY 1

/* ---- Fonts ------------------------------------------------------------- */

#define LF_FACESIZE 32

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_ULTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_DEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_ULTRABOLD 800
#define FW_HEAVY 900
#define FW_BLACK 900

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define MAC_CHARSET 77
#define SHIFTJIS_CHARSET 128
#define HANGEUL_CHARSET 129
#define HANGUL_CHARSET 129
#define JOHAB_CHARSET 130
#define GB2312_CHARSET 134
#define CHINESEBIG5_CHARSET 136
#define GREEK_CHARSET 161
#define TURKISH_CHARSET 162
#define VIETNAMESE_CHARSET 163
#define HEBREW_CHARSET 177
#define ARABIC_CHARSET 178
#define BALTIC_CHARSET 186
#define RUSSIAN_CHARSET 204
#define THAI_CHARSET 222
#define EASTEUROPE_CHARSET 238
#define OEM_CHARSET 255

#define OUT_DEFAULT_PRECIS 0
#define OUT_STRING_PRECIS 1
#define OUT_CHARACTER_PRECIS 2
#define OUT_STROKE_PRECIS 3
#define OUT_TT_PRECIS 4
#define OUT_DEVICE_PRECIS 5
#define OUT_RASTER_PRECIS 6
#define OUT_TT_ONLY_PRECIS 7
#define OUT_OUTLINE_PRECIS 8

#define CLIP_DEFAULT_PRECIS 0
#define CLIP_CHARACTER_PRECIS 1
#define CLIP_STROKE_PRECIS 2

#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define CLEARTYPE_QUALITY 5

#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE (0 << 4)
#define FF_ROMAN (1 << 4)
#define FF_SWISS (2 << 4)
#define FF_MODERN (3 << 4)
#define FF_SCRIPT (4 << 4)
#define FF_DECORATIVE (5 << 4)

/* tmPitchAndFamily bits; TMPF_FIXED_PITCH set means a *variable* pitch
 * font, as on Windows. */
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_DEVICE 0x08
#define TMPF_TRUETYPE 0x04

typedef struct tagLOGFONTA {
  LONG lfHeight; /* < 0: character (em) height; > 0: cell height; 0: default */
  LONG lfWidth;  /* average character width, 0 for the default */
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *PLOGFONTA, *LPLOGFONTA;

typedef struct tagLOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW, *PLOGFONTW, *LPLOGFONTW;

typedef struct tagTEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICW, *PTEXTMETRICW, *LPTEXTMETRICW;

typedef struct tagTEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICA, *PTEXTMETRICA, *LPTEXTMETRICA;

/* ---- Painting ---------------------------------------------------------- */

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;  /* TRUE: the background is still to be erased by the caller */
  RECT rcPaint; /* the update rectangle, client coordinates */
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;

/* ---- DrawText flags ---------------------------------------------------- */

#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_INTERNAL 0x00001000
#define DT_EDITCONTROL 0x00002000
#define DT_PATH_ELLIPSIS 0x00004000
#define DT_END_ELLIPSIS 0x00008000
#define DT_MODIFYSTRING 0x00010000
#define DT_RTLREADING 0x00020000
#define DT_WORD_ELLIPSIS 0x00040000
#define DT_HIDEPREFIX 0x00100000
#define DT_PREFIXONLY 0x00200000

VPLAT_EXTERN_C_BEGIN

/* ---- Device contexts --------------------------------------------------- */

/* A device context for hwnd's client area (origin at the client's top-left
 * corner on the screen, drawing clipped to the client rectangle), or for
 * the whole screen when hwnd is NULL. The DC starts with BLACK_PEN,
 * WHITE_BRUSH, SYSTEM_FONT, R2_COPYPEN, black text on an OPAQUE white
 * background and a zero viewport origin. Returns NULL for an unknown hwnd.
 * Release it with ReleaseDC. The position is recomputed on every call, so
 * a window that moves keeps its DC tracking it; a hidden window draws
 * nothing. */
VPLAT_API HDC WINAPI GetDC(HWND hWnd);
/* As GetDC, but for the whole window rectangle (GetWindowRect) including
 * its non-client part; hwnd NULL gives the screen. */
VPLAT_API HDC WINAPI GetWindowDC(HWND hWnd);
/* Frees a DC from GetDC/GetWindowDC. Returns 1 when released, 0 for an
 * unknown DC or one from BeginPaint. Objects still selected into it stay
 * the caller's (one deleted while selected is freed now). */
VPLAT_API int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
/* Prepares hwnd for painting: takes the update rectangle (client
 * coordinates, into lpPaint->rcPaint), sends WM_ERASEBKGND with the new DC
 * when an erase is due (fErase tells whether the window left the erasing
 * to the caller, i.e. answered 0), validates the window and returns a
 * client-area DC clipped to the update rectangle. NULL for an unknown
 * window. Pair with EndPaint. */
VPLAT_API HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
/* Frees the DC from BeginPaint. Always TRUE for a DC BeginPaint gave. */
VPLAT_API BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *lpPaint);

/* Selects a pen, brush or font into the DC. Returns the object of the same
 * kind that was selected before, or NULL when the DC or object is unknown
 * (nothing changes then). */
VPLAT_API HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
/* The pen, brush or font selected now (uType: OBJ_PEN/OBJ_BRUSH/OBJ_FONT);
 * NULL otherwise. */
VPLAT_API HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type);

/* Mix mode for pen drawing (lines, Rectangle); returns the previous one,
 * or 0 for an unknown DC or a mode outside R2_BLACK..R2_WHITE. */
VPLAT_API int WINAPI SetROP2(HDC hdc, int rop2);
VPLAT_API int WINAPI GetROP2(HDC hdc);
/* Text and background colours; return the previous colour or CLR_INVALID. */
VPLAT_API COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
VPLAT_API COLORREF WINAPI GetTextColor(HDC hdc);
VPLAT_API COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
VPLAT_API COLORREF WINAPI GetBkColor(HDC hdc);
/* TRANSPARENT or OPAQUE; returns the previous mode, 0 on failure. */
VPLAT_API int WINAPI SetBkMode(HDC hdc, int mode);
VPLAT_API int WINAPI GetBkMode(HDC hdc);

/* Viewport origin: device point = logical point + origin. lppt (may be
 * NULL) receives the previous origin. FALSE for an unknown DC. */
VPLAT_API BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
VPLAT_API BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppt);

/* The part of the DC that drawing can reach now, in logical coordinates:
 * SIMPLEREGION, or NULLREGION with an empty rectangle (hidden window,
 * empty update rectangle); ERROR for an unknown DC. */
VPLAT_API int WINAPI GetClipBox(HDC hdc, LPRECT lprect);

/* HORZRES/VERTRES are the screen size, LOGPIXELSX/Y the screen DPI
 * (vplat::SetScreenDpi), BITSPIXEL 32, PLANES 1; 0 for unknown indices or
 * an unknown DC. */
VPLAT_API int WINAPI GetDeviceCaps(HDC hdc, int index);

/* ---- Objects ----------------------------------------------------------- */

/* A cosmetic pen; width 0 or 1 draws one pixel wide. NULL for an unknown
 * style. Free with DeleteObject. */
VPLAT_API HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color);
VPLAT_API HPEN WINAPI CreatePenIndirect(const LOGPEN *plpen);
/* A solid brush. Free with DeleteObject. */
VPLAT_API HBRUSH WINAPI CreateSolidBrush(COLORREF color);
/* Stock objects are never freed; DeleteObject on them succeeds and does
 * nothing. NULL for an unknown index (DEFAULT_PALETTE included: there are
 * no palettes). */
VPLAT_API HGDIOBJ WINAPI GetStockObject(int i);
/* Frees a pen, brush or font. An object still selected into a DC is freed
 * once the last DC lets go of it (it stays usable there until then), and
 * the call returns TRUE, as on NT. FALSE for an unknown handle. */
VPLAT_API BOOL WINAPI DeleteObject(HGDIOBJ ho);
/* OBJ_PEN, OBJ_BRUSH, OBJ_FONT or OBJ_DC; 0 for an unknown handle. */
VPLAT_API DWORD WINAPI GetObjectType(HGDIOBJ h);
/* Copies the object's LOGPEN, LOGBRUSH or LOGFONTW into pv and returns the
 * bytes written; with pv NULL returns the size needed. 0 for an unknown
 * handle or a buffer too small. */
VPLAT_API int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv);
/* As GetObjectW; a font gives a LOGFONTA with the face name in the ANSI
 * code page. */
VPLAT_API int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv);

/* A font by metrics only (docs/screen.md): height, width, weight, italic,
 * underline, strike-out, charset, pitch and face name are kept; the other
 * fields are stored and reported back unchanged. The A forms convert the
 * face name from the ANSI code page. Free with DeleteObject. NULL when
 * lplf is NULL. */
VPLAT_API HFONT WINAPI CreateFontIndirectW(const LOGFONTW *lplf);
VPLAT_API HFONT WINAPI CreateFontIndirectA(const LOGFONTA *lplf);
VPLAT_API HFONT WINAPI CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                   int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                   DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                   DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName);
VPLAT_API HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                   int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                   DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                   DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);

/* ---- Lines and shapes -------------------------------------------------- */

/* Moves the current position; lppt (may be NULL) receives the old one. */
VPLAT_API BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
VPLAT_API BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
/* Draws from the current position to (x, y) with the pen under the mix
 * mode, leaving out the end point, and moves the position there. */
VPLAT_API BOOL WINAPI LineTo(HDC hdc, int x, int y);
/* Lines through cpt points (each segment without its end point, so a
 * closed path touches every pixel once); the current position is neither
 * used nor changed. FALSE when cpt < 2. */
VPLAT_API BOOL WINAPI Polyline(HDC hdc, const POINT *apt, int cpt);
/* Outline with the pen and inside with the brush, both under the mix mode;
 * the right and bottom edges are excluded. */
VPLAT_API BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom);

/* ---- Rectangle helpers (user32) ---------------------------------------- */

/* Fills [left, right) x [top, bottom) with the brush, ignoring the mix
 * mode. hbr may also be a system colour index + 1. Nonzero on success. */
VPLAT_API int WINAPI FillRect(HDC hDC, const RECT *lprc, HBRUSH hbr);
/* One-pixel border inside the rectangle with the brush, ignoring the mix
 * mode. Nonzero on success. */
VPLAT_API int WINAPI FrameRect(HDC hDC, const RECT *lprc, HBRUSH hbr);
/* Inverts every pixel of the rectangle. */
VPLAT_API BOOL WINAPI InvertRect(HDC hDC, const RECT *lprc);
/* Inverts every other pixel of the rectangle's one-pixel border, so a
 * second call removes it. */
VPLAT_API BOOL WINAPI DrawFocusRect(HDC hDC, const RECT *lprc);

/* A shared brush of GetSysColor's colour (COLOR_* and GetSysColor are in
 * winuser.h), never freed (DeleteObject ignores it);
 * NULL for an unknown index. */
VPLAT_API HBRUSH WINAPI GetSysColorBrush(int nIndex);

/* ---- Text -------------------------------------------------------------- */

/* Metrics of the selected font. FALSE for an unknown DC. */
VPLAT_API BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm);
/* Width and height of c UTF-16 units of text in the selected font. */
VPLAT_API BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl);
/* Text with its cell's top-left corner at (x, y): an OPAQUE background
 * fills the text's extent with the background colour; each visible
 * character is a solid box in the text colour. Ignores the mix mode. */
VPLAT_API BOOL WINAPI TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c);
/* Lays text out in the rectangle (line breaks, DT_WORDBREAK, DT_SINGLELINE,
 * alignment, '&' prefixes, DT_EXPANDTABS) and draws it as TextOutW does,
 * clipped to the rectangle unless DT_NOCLIP; with DT_CALCRECT draws
 * nothing and sets the rectangle's right and bottom to the text's extent.
 * cchText -1 means NUL-terminated. Returns the text height (with
 * DT_VCENTER or DT_BOTTOM: the offset from lprc->top to the text's
 * bottom), 0 on failure. */
VPLAT_API int WINAPI DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format);

/* ANSI forms: the text (c / cchText bytes) is converted from the ANSI code
 * page first, so a double-byte character counts as one wide character. */
VPLAT_API BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm);
VPLAT_API BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
VPLAT_API BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
VPLAT_API int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);

VPLAT_EXTERN_C_END

/* Generic names, as <windows.h> maps them: the W forms when UNICODE is
 * defined, else the A forms. */
#ifndef VPLAT_NO_GENERIC_NAMES
#ifndef VPLAT_AW
#ifdef UNICODE
#define VPLAT_AW(name) name##W
#else
#define VPLAT_AW(name) name##A
#endif
#endif
typedef VPLAT_AW(LOGFONT) LOGFONT;
typedef VPLAT_AW(PLOGFONT) PLOGFONT;
typedef VPLAT_AW(LPLOGFONT) LPLOGFONT;
typedef VPLAT_AW(TEXTMETRIC) TEXTMETRIC;
typedef VPLAT_AW(PTEXTMETRIC) PTEXTMETRIC;
typedef VPLAT_AW(LPTEXTMETRIC) LPTEXTMETRIC;
#define CreateFont VPLAT_AW(CreateFont)
#define CreateFontIndirect VPLAT_AW(CreateFontIndirect)
#define GetObject VPLAT_AW(GetObject)
#define GetTextMetrics VPLAT_AW(GetTextMetrics)
#define GetTextExtentPoint32 VPLAT_AW(GetTextExtentPoint32)
#define TextOut VPLAT_AW(TextOut)
#define DrawText VPLAT_AW(DrawText)
#endif

#endif
