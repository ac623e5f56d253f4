// Fonts by metrics only: a font is its LOGFONTW, and every size the
// platform reports follows from the height by the rules below, so layout
// is deterministic and the same on every machine.
//
//   lfHeight < 0:  em = -lfHeight, height = em + round(em / 5)
//   lfHeight > 0:  height = lfHeight, em = height - round(height / 6)
//   lfHeight = 0:  as lfHeight = -12
//   descent = round(height / 5), ascent = height - descent
//   internal leading = height - em
//   narrow advance = lfWidth if given, else ceil(em / 2)
//   wide advance   = 2 * lfWidth if given, else em
// So a negative height asks for the character size and a positive one for
// the cell, as on Windows.
#include "fontmetrics.h"
#include "gdiobjects.h"

#include <algorithm>

using vplat::gdi::GdiObject;

namespace vplat::gdi {

FontMetrics MetricsOf(const LOGFONTW &font) {
  FontMetrics m;
  LONG h = font.lfHeight;
  if (h == 0) h = -12;
  h = std::clamp<LONG>(h, -16384, 16384);  // keeps -h and the sums below in range
  if (h < 0) {
    m.em = -h;
    m.height = m.em + (m.em + 2) / 5;
  } else {
    m.height = h;
    m.em = h - (h + 3) / 6;
  }
  if (m.em < 1) m.em = 1;
  if (m.height < m.em) m.height = m.em;
  m.descent = (m.height + 2) / 5;
  m.ascent = m.height - m.descent;
  if (font.lfWidth > 0) {
    m.narrow = font.lfWidth;
    m.wide = 2 * font.lfWidth;
  } else {
    m.narrow = (m.em + 1) / 2;
    m.wide = m.em;
  }
  return m;
}

bool IsWideChar(WCHAR c) {
  unsigned u = c;
  return (u >= 0x1100 && u <= 0x115F) ||  // Hangul Jamo initials
         (u >= 0x2E80 && u <= 0x303E) ||  // CJK radicals, symbols, punctuation
         (u >= 0x3041 && u <= 0x33FF) ||  // kana, CJK compatibility
         (u >= 0x3400 && u <= 0x4DBF) ||  // CJK extension A
         (u >= 0x4E00 && u <= 0x9FFF) ||  // CJK unified ideographs
         (u >= 0xA000 && u <= 0xA4CF) ||  // Yi
         (u >= 0xAC00 && u <= 0xD7A3) ||  // Hangul syllables
         (u >= 0xF900 && u <= 0xFAFF) ||  // CJK compatibility ideographs
         (u >= 0xFE30 && u <= 0xFE4F) ||  // CJK compatibility forms
         (u >= 0xFF00 && u <= 0xFF60) ||  // full-width forms
         (u >= 0xFFE0 && u <= 0xFFE6);    // full-width signs
}

int CharAdvance(const FontMetrics &m, const WCHAR *text, int count, int i, int *units) {
  unsigned u = text[i];
  if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 &&
      text[i + 1] <= 0xDFFF) {
    *units = 2;
    return m.wide;  // supplementary planes: mostly ideographs and emoji
  }
  *units = 1;
  return IsWideChar(text[i]) ? m.wide : m.narrow;
}

int TextWidth(const FontMetrics &m, const WCHAR *text, int count) {
  int width = 0;
  for (int i = 0; i < count;) {
    int units = 1;
    width += CharAdvance(m, text, count, i, &units);
    i += units;
  }
  return width;
}

}  // namespace vplat::gdi

extern "C" HFONT WINAPI CreateFontIndirectW(const LOGFONTW *lplf) {
  if (!lplf) return nullptr;
  GdiObject o;
  o.type = OBJ_FONT;
  o.font = *lplf;
  o.font.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(vplat::gdi::AddObject(o));
}

extern "C" HFONT WINAPI CreateFontIndirectA(const LOGFONTA *lplf) {
  if (!lplf) return nullptr;
  LOGFONTW w{};
  w.lfHeight = lplf->lfHeight;
  w.lfWidth = lplf->lfWidth;
  w.lfEscapement = lplf->lfEscapement;
  w.lfOrientation = lplf->lfOrientation;
  w.lfWeight = lplf->lfWeight;
  w.lfItalic = lplf->lfItalic;
  w.lfUnderline = lplf->lfUnderline;
  w.lfStrikeOut = lplf->lfStrikeOut;
  w.lfCharSet = lplf->lfCharSet;
  w.lfOutPrecision = lplf->lfOutPrecision;
  w.lfClipPrecision = lplf->lfClipPrecision;
  w.lfQuality = lplf->lfQuality;
  w.lfPitchAndFamily = lplf->lfPitchAndFamily;
  int n = 0;
  while (n < LF_FACESIZE && lplf->lfFaceName[n]) ++n;
  if (n > 0) {
    int got = MultiByteToWideChar(CP_ACP, 0, lplf->lfFaceName, n, w.lfFaceName, LF_FACESIZE - 1);
    w.lfFaceName[got > 0 ? got : 0] = 0;
  }
  return CreateFontIndirectW(&w);
}

namespace {

template <typename LogFont>
LogFont FontRecord(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                   DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                   DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
                   DWORD iPitchAndFamily) {
  LogFont lf{};
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = static_cast<BYTE>(bItalic);
  lf.lfUnderline = static_cast<BYTE>(bUnderline);
  lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(iCharSet);
  lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  lf.lfQuality = static_cast<BYTE>(iQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  return lf;
}

}  // namespace

extern "C" HFONT WINAPI CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                    int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                    DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                    DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName) {
  LOGFONTW lf = FontRecord<LOGFONTW>(cHeight, cWidth, cEscapement, cOrientation, cWeight, bItalic,
                                     bUnderline, bStrikeOut, iCharSet, iOutPrecision,
                                     iClipPrecision, iQuality, iPitchAndFamily);
  for (int i = 0; pszFaceName && pszFaceName[i] && i + 1 < LF_FACESIZE; ++i)
    lf.lfFaceName[i] = pszFaceName[i];
  return CreateFontIndirectW(&lf);
}

extern "C" HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                    int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                    DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                    DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
  LOGFONTA lf = FontRecord<LOGFONTA>(cHeight, cWidth, cEscapement, cOrientation, cWeight, bItalic,
                                     bUnderline, bStrikeOut, iCharSet, iOutPrecision,
                                     iClipPrecision, iQuality, iPitchAndFamily);
  for (int i = 0; pszFaceName && pszFaceName[i] && i + 1 < LF_FACESIZE; ++i)
    lf.lfFaceName[i] = pszFaceName[i];
  return CreateFontIndirectA(&lf);
}
