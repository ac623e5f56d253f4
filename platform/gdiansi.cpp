// The ANSI forms of the text and font calls: the text is converted from the
// ANSI code page and measured or drawn by the UTF-16 form, so a double-byte
// character is one (wide) character, as on a Japanese system.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::u16string Widen(LPCSTR text, int count) {
  if (count <= 0) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text, count, nullptr, 0);
  std::u16string wide(static_cast<size_t>(n > 0 ? n : 0), u'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, count, wide.data(), n);
  return wide;
}

}  // namespace

extern "C" BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  if (c < 0 || (c > 0 && !lpString)) return FALSE;
  std::u16string wide = Widen(lpString, c);
  return GetTextExtentPoint32W(hdc, wide.data(), static_cast<int>(wide.size()), psizl);
}

extern "C" BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (c < 0 || (c > 0 && !lpString)) return FALSE;
  std::u16string wide = Widen(lpString, c);
  return TextOutW(hdc, x, y, wide.data(), static_cast<int>(wide.size()));
}

extern "C" int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  if (!lpchText) return 0;
  if (cchText < 0) cchText = static_cast<int>(std::strlen(lpchText));
  std::u16string wide = Widen(lpchText, cchText);
  return DrawTextW(hdc, wide.data(), static_cast<int>(wide.size()), lprc, format);
}

extern "C" BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  TEXTMETRICW w;
  if (!lptm || !GetTextMetricsW(hdc, &w)) return FALSE;
  lptm->tmHeight = w.tmHeight;
  lptm->tmAscent = w.tmAscent;
  lptm->tmDescent = w.tmDescent;
  lptm->tmInternalLeading = w.tmInternalLeading;
  lptm->tmExternalLeading = w.tmExternalLeading;
  lptm->tmAveCharWidth = w.tmAveCharWidth;
  lptm->tmMaxCharWidth = w.tmMaxCharWidth;
  lptm->tmWeight = w.tmWeight;
  lptm->tmOverhang = w.tmOverhang;
  lptm->tmDigitizedAspectX = w.tmDigitizedAspectX;
  lptm->tmDigitizedAspectY = w.tmDigitizedAspectY;
  lptm->tmFirstChar = 0x20;
  lptm->tmLastChar = 0xFF;
  lptm->tmDefaultChar = 0x1F;
  lptm->tmBreakChar = 0x20;
  lptm->tmItalic = w.tmItalic;
  lptm->tmUnderlined = w.tmUnderlined;
  lptm->tmStruckOut = w.tmStruckOut;
  lptm->tmPitchAndFamily = w.tmPitchAndFamily;
  lptm->tmCharSet = w.tmCharSet;
  return TRUE;
}

extern "C" int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
  if (GetObjectType(h) != OBJ_FONT) return GetObjectW(h, c, pv);
  if (!pv) return sizeof(LOGFONTA);
  if (c < static_cast<int>(sizeof(LOGFONTA))) return 0;
  LOGFONTW w;
  if (!GetObjectW(h, sizeof w, &w)) return 0;
  LOGFONTA a{};
  a.lfHeight = w.lfHeight;
  a.lfWidth = w.lfWidth;
  a.lfEscapement = w.lfEscapement;
  a.lfOrientation = w.lfOrientation;
  a.lfWeight = w.lfWeight;
  a.lfItalic = w.lfItalic;
  a.lfUnderline = w.lfUnderline;
  a.lfStrikeOut = w.lfStrikeOut;
  a.lfCharSet = w.lfCharSet;
  a.lfOutPrecision = w.lfOutPrecision;
  a.lfClipPrecision = w.lfClipPrecision;
  a.lfQuality = w.lfQuality;
  a.lfPitchAndFamily = w.lfPitchAndFamily;
  int n =
      WideCharToMultiByte(CP_ACP, 0, w.lfFaceName, -1, a.lfFaceName, LF_FACESIZE, nullptr, nullptr);
  if (n <= 0)
    a.lfFaceName[0] = 0;  // a name too long for 32 bytes is dropped, not cut mid-character
  std::memcpy(pv, &a, sizeof a);
  return sizeof a;
}
