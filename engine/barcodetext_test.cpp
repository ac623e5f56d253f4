// Text lines as outlines: glyphs follow one another by their advances.
#include "barcodetext.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

double Width(const Outline &o) {
  double left = 1e9, right = -1e9;
  for (const auto &[x, y] : o.points) left = std::min(left, x), right = std::max(right, x);
  return right - left;
}

TEST(BarcodeText, GlyphsFollowOneAnotherByTheirAdvances) {
  for (const char *family : {"OCR B", "sans-serif"}) {
    Outline one, two;
    const double advance = OutlineText("8", family, 10, 0, 0, &one);
    EXPECT_NEAR(OutlineText("88", family, 10, 0, 0, &two), 2 * advance, 1e-9) << family;
    // A digit is some 0.5 to 0.7 em wide in these faces.
    EXPECT_GT(advance, 3) << family;
    EXPECT_LT(advance, 10) << family;
    EXPECT_NEAR(Width(two), Width(one) + advance, 1e-6) << family;
    // Drawn from its start and baseline, y downward: the ink stands on the
    // baseline (a round glyph dips a little below it) and rises above it.
    Outline moved;
    OutlineText("8", family, 10, 5, 20, &moved);
    double top = 1e9, bottom = -1e9;
    for (const auto &[x, y] : moved.points) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_NEAR(bottom, 20, 0.3) << family;
    EXPECT_LT(top, 20 - 5) << family;
  }
}

}  // namespace
