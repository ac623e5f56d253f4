// The metric model that stands in for real fonts (internal to the platform
// library). docs/screen.md describes it for the rest of the project.
#ifndef VARDO_PLATFORM_FONTMETRICS_H
#define VARDO_PLATFORM_FONTMETRICS_H

#include <windows.h>

namespace vplat::gdi {

struct FontMetrics {
  int em = 0;      // character height (the size a negative lfHeight asks for)
  int height = 0;  // cell height: em plus internal leading
  int ascent = 0;
  int descent = 0;
  int narrow = 0;  // advance of every character that is not wide
  int wide = 0;    // advance of East Asian wide and full-width characters
};

FontMetrics MetricsOf(const LOGFONTW &font);

// Whether c (a BMP code unit) is drawn wide: CJK ideographs, kana, Hangul,
// full-width forms and the like.
bool IsWideChar(WCHAR c);

// Advance of the character starting at text[i] and how many units it
// takes (a surrogate pair is one wide character).
int CharAdvance(const FontMetrics &m, const WCHAR *text, int count, int i, int *units);

// Width of count UTF-16 units.
int TextWidth(const FontMetrics &m, const WCHAR *text, int count);

}  // namespace vplat::gdi

#endif
