// Area text broken into lines with the real faces: fontconfig finds a face
// from its family name, FreeType and HarfBuzz give the advances, ICU's line
// breaker with the strict Japanese rules ("ja@lb=strict") says where a line
// may end. Every line is then given an explicit position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ASTypes.h"

// What the layout needs of a run of characters.
struct LayoutStyle {
  std::string face;       // family name, UTF-8
  double size = 12;       // points
  double leading = 14.4;  // points between this line's baseline and the last
  double horizontalScale = 1;
  int32_t tracking = 0;  // 1/1000 em, after each character
};

struct LayoutRun {
  size_t start = 0, end = 0;  // UTF-16 units
  LayoutStyle style;
};

// The face a family name leads to. `found` is false when fontconfig has no
// face of that family (a generic family, "sans-serif" and the like, is
// always found); `family` is then the default face's, which is used instead.
struct FaceMatch {
  std::string family;
  bool found = false;
};
FaceMatch MatchFace(const std::string &family);

struct TextLine {
  size_t start = 0;     // the line's first unit
  double x = 0, y = 0;  // its baseline's start, artwork coordinates
};

struct AreaLayout {
  std::vector<TextLine> lines;
  // The text does not fit: lines below the box, or a word wider than it.
  bool overflow = false;
};

// Lays `text` (CR paragraph ends) out in `box` (artwork coordinates, y up):
// runs give every unit its style (they cover the text in order). Each
// paragraph begins a line; a line ends at the last break opportunity that
// keeps it within the box's width (trailing blanks hang outside), or after
// the first word when even that is wider. The first baseline lies the
// largest ascent of its line below the box's top, each next one its line's
// largest leading below the last. Nothing is dropped: text that does not
// fit is laid out on past the box and flagged.
void LayOutAreaText(const std::u16string &text, const std::vector<LayoutRun> &runs,
                    const AIRealRect &box, AreaLayout *out);

// The advance of every unit of `text` as LayOutAreaText measures it
// (points; the second unit of a surrogate pair 0), for tests and callers
// that measure alike.
std::vector<double> MeasureUnits(const std::u16string &text, const std::vector<LayoutRun> &runs);
