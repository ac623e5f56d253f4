// Text on the headless screen: metrics from the font model in gdifont.cpp,
// glyphs drawn as solid boxes so that pictures show where text went.
#include "dc.h"
#include "fontmetrics.h"
#include "gdiobjects.h"

#include <vplatform/screen.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vplat::gdi {
namespace {

const LOGFONTW &SelectedFont(const DeviceContext &dc) {
  static const LOGFONTW fallback{};
  const GdiObject *font = FindObject(dc.font);
  return font && font->type == OBJ_FONT ? font->font : fallback;
}

bool IsBlank(WCHAR c) { return c <= 0x20 || c == 0xA0 || c == 0x3000; }

// Text cell at logical (x, y): the background when opaque, then a box in
// the text colour inside each visible character's cell.
void DrawRun(Canvas &canvas, const DeviceContext &dc, const FontMetrics &m, int x, int y,
             const WCHAR *text, int count) {
  int width = TextWidth(m, text, count);
  if (dc.bkMode == OPAQUE) canvas.Fill(RECT{x, y, x + width, y + m.height}, dc.bkColor, R2_COPYPEN);
  int top = y + (m.height - m.em);
  int bottom = y + m.ascent;
  for (int i = 0; i < count;) {
    int units = 1;
    int advance = CharAdvance(m, text, count, i, &units);
    if (!IsBlank(text[i])) {
      int inset = advance >= 3 ? 1 : 0;
      canvas.Fill(RECT{x + inset, top, x + advance - inset, bottom}, dc.textColor, R2_COPYPEN);
    }
    x += advance;
    i += units;
  }
}

std::u16string StripPrefixes(const WCHAR *text, int count, UINT format) {
  std::u16string out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (!(format & DT_NOPREFIX) && text[i] == u'&') {
      if (i + 1 == count) break;  // a lone '&' at the end shows nothing
      ++i;                        // "&x" shows x (underlined on Windows), "&&" one '&'
    }
    out.push_back(text[i]);
  }
  return out;
}

std::u16string ExpandTabs(const std::u16string &line, const FontMetrics &m) {
  std::u16string out;
  int stop = 8 * m.narrow;
  for (char16_t c : line) {
    if (c != u'\t') {
      out.push_back(c);
      continue;
    }
    int width = TextWidth(m, out.data(), static_cast<int>(out.size()));
    int spaces = (stop - width % stop) / m.narrow;
    out.append(static_cast<size_t>(std::max(1, spaces)), u' ');
  }
  return out;
}

// Breaks one paragraph into lines no wider than maxWidth where it can: at
// spaces (which the break swallows) and before wide characters. A word
// wider than the rectangle stays whole on its own line.
void Wrap(const std::u16string &text, int maxWidth, const FontMetrics &m,
          std::vector<std::u16string> *lines) {
  const WCHAR *p = text.data();
  int n = static_cast<int>(text.size());
  int start = 0;
  for (;;) {
    int width = 0, i = start, breakAt = -1;
    while (i < n) {
      if (p[i] == u' ' || (i > start && IsWideChar(p[i]))) breakAt = i;
      int units = 1;
      int advance = CharAdvance(m, p, n, i, &units);
      if (width + advance > maxWidth && p[i] != u' ' && breakAt >= 0) break;
      width += advance;
      i += units;
    }
    if (i >= n) {
      lines->push_back(text.substr(static_cast<size_t>(start)));
      return;
    }
    int end = breakAt;
    while (end > start && p[end - 1] == u' ') --end;
    lines->push_back(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    start = breakAt;
    while (start < n && p[start] == u' ') ++start;
    if (start >= n) return;
  }
}

}  // namespace
}  // namespace vplat::gdi

using namespace vplat::gdi;

extern "C" BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc || !lptm) return FALSE;
  const LOGFONTW &font = SelectedFont(*dc);
  FontMetrics m = MetricsOf(font);
  *lptm = TEXTMETRICW{};
  lptm->tmHeight = m.height;
  lptm->tmAscent = m.ascent;
  lptm->tmDescent = m.descent;
  lptm->tmInternalLeading = m.height - m.em;
  lptm->tmExternalLeading = 0;
  lptm->tmAveCharWidth = m.narrow;
  lptm->tmMaxCharWidth = m.wide;
  lptm->tmWeight = font.lfWeight ? font.lfWeight : FW_NORMAL;
  lptm->tmDigitizedAspectX = vplat::GetScreenDpi();
  lptm->tmDigitizedAspectY = vplat::GetScreenDpi();
  lptm->tmFirstChar = 0x20;
  lptm->tmLastChar = 0xFFFC;
  lptm->tmDefaultChar = 0x1F;
  lptm->tmBreakChar = 0x20;
  lptm->tmItalic = font.lfItalic;
  lptm->tmUnderlined = font.lfUnderline;
  lptm->tmStruckOut = font.lfStrikeOut;
  lptm->tmPitchAndFamily =
      static_cast<BYTE>((font.lfPitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE |
                        ((font.lfPitchAndFamily & 3) == FIXED_PITCH ? 0 : TMPF_FIXED_PITCH));
  lptm->tmCharSet = font.lfCharSet;
  return TRUE;
}

extern "C" BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
  FontMetrics m = MetricsOf(SelectedFont(*dc));
  psizl->cx = c > 0 ? TextWidth(m, lpString, c) : 0;
  psizl->cy = m.height;
  return TRUE;
}

extern "C" BOOL WINAPI TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
  DeviceContext *dc;
  Canvas canvas;
  if (c < 0 || (c > 0 && !lpString) || !OpenCanvas(hdc, &dc, &canvas)) return FALSE;
  if (c > 0) DrawRun(canvas, *dc, MetricsOf(SelectedFont(*dc)), x, y, lpString, c);
  return TRUE;
}

extern "C" int WINAPI DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  DeviceContext *dc;
  Canvas canvas;
  if (!lprc || !lpchText || !OpenCanvas(hdc, &dc, &canvas)) return 0;
  if (cchText < 0) {
    cchText = 0;
    while (lpchText[cchText]) ++cchText;
  }
  if (cchText == 0) {
    if (format & DT_CALCRECT) {
      lprc->right = lprc->left;
      lprc->bottom = lprc->top;
    }
    return 0;
  }
  FontMetrics m = MetricsOf(SelectedFont(*dc));
  std::u16string text = StripPrefixes(lpchText, cchText, format);
  bool single = format & DT_SINGLELINE;

  std::vector<std::u16string> lines;
  size_t from = 0;
  for (;;) {
    size_t end = single ? text.size() : text.find_first_of(u"\r\n", from);
    if (end == std::u16string::npos) end = text.size();
    std::u16string para = text.substr(from, end - from);
    if (format & DT_EXPANDTABS) para = ExpandTabs(para, m);
    if ((format & DT_WORDBREAK) && !single)
      Wrap(para, lprc->right - lprc->left, m, &lines);
    else
      lines.push_back(para);
    if (end >= text.size()) break;
    from = end + 1;
    if (text[end] == u'\r' && from < text.size() && text[from] == u'\n') ++from;
  }

  int total = static_cast<int>(lines.size()) * m.height;
  int widest = 0;
  for (const auto &line : lines)
    widest = std::max(widest, TextWidth(m, line.data(), static_cast<int>(line.size())));
  if (format & DT_CALCRECT) {
    lprc->right = lprc->left + widest;
    lprc->bottom = lprc->top + total;
    return total;
  }

  int y = lprc->top;
  if (single && (format & DT_VCENTER)) y = lprc->top + (lprc->bottom - lprc->top - total) / 2;
  if (single && (format & DT_BOTTOM)) y = lprc->bottom - total;
  int result = (single && (format & (DT_VCENTER | DT_BOTTOM))) ? y - lprc->top + total : total;

  if (!(format & DT_NOCLIP)) {
    RECT r{lprc->left + canvas.dx, lprc->top + canvas.dy, lprc->right + canvas.dx,
           lprc->bottom + canvas.dy};
    canvas.clip =
        RECT{std::max(canvas.clip.left, r.left), std::max(canvas.clip.top, r.top),
             std::min(canvas.clip.right, r.right), std::min(canvas.clip.bottom, r.bottom)};
    if (canvas.clip.right < canvas.clip.left) canvas.clip.right = canvas.clip.left;
    if (canvas.clip.bottom < canvas.clip.top) canvas.clip.bottom = canvas.clip.top;
  }
  for (const auto &line : lines) {
    int n = static_cast<int>(line.size());
    int width = TextWidth(m, line.data(), n);
    int x = lprc->left;
    if (format & DT_CENTER)
      x = lprc->left + (lprc->right - lprc->left - width) / 2;
    else if (format & DT_RIGHT)
      x = lprc->right - width;
    DrawRun(canvas, *dc, m, x, y, line.data(), n);
    y += m.height;
  }
  return result;
}
