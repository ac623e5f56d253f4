// Transforms and exact shape bounds.
#include "svggeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vhost::svg {
namespace {

TEST(SvgGeometry, ParsesTransformLists) {
  struct {
    const char *text;
    bool ok;
    double x, y;  // where (1, 2) goes
  } cases[] = {
      {"", true, 1, 2},
      {"translate(10)", true, 11, 2},
      {"translate(10,20)", true, 11, 22},
      {"translate(10 -2e1)", true, 11, -18},
      {"scale(2)", true, 2, 4},
      {"scale(2,3)", true, 2, 6},
      {"rotate(90)", true, -2, 1},
      {"rotate(90 10 10)", true, 18, 1},
      {"matrix(1,0,0,1,5,6)", true, 6, 8},
      {"skewX(45)", true, 3, 2},
      {"skewY(45)", true, 1, 3},
      {"translate(10,0) scale(2)", true, 12, 4},  // the rightmost applies first
      {" translate(1,1) , rotate(180) ", true, 0, -1},
      {"translate(", false, 1, 2},
      {"spin(3)", false, 1, 2},
      {"scale(1,2,3)", false, 1, 2},
  };
  for (const auto &c : cases) {
    Matrix m;
    EXPECT_EQ(ParseTransform(c.text, &m), c.ok) << c.text;
    Point p = m.Apply({1, 2});
    EXPECT_NEAR(p.x, c.x, 1e-9) << c.text;
    EXPECT_NEAR(p.y, c.y, 1e-9) << c.text;
  }
}

TEST(SvgGeometry, FormatsTransformsAndNumbersToReadBack) {
  EXPECT_EQ(FormatTransform(Matrix{}), "");
  EXPECT_EQ(FormatTransform(Matrix::Translate(5, -2.5)), "translate(5,-2.5)");
  EXPECT_EQ(FormatTransform(Matrix{2, 0, 0, 2, 1, 1}), "matrix(2,0,0,2,1,1)");
  for (double v : {0.1, 1.0 / 3, 14.4, -0.0, 1e-7, 123456789.125}) {
    std::string_view text;
    const std::string written = FormatNumber(v);
    text = written;
    double back;
    ASSERT_TRUE(ReadNumber(text, &back)) << written;
    EXPECT_EQ(back, v) << written;
  }
  EXPECT_EQ(FormatNumber(-0.0), "0");
  Matrix m{2, 1, -1, 3, 4, 5}, inverse;
  ASSERT_TRUE(m.Invert(&inverse));
  EXPECT_TRUE((m * inverse).IsIdentity(1e-12));
  EXPECT_FALSE((Matrix{1, 2, 2, 4, 0, 0}).Invert(&inverse));
}

TEST(SvgGeometry, PathBoundsAreExact) {
  struct {
    const char *d;
    bool ok;
    double minX, minY, maxX, maxY;
  } cases[] = {
      {"M 0 0 L 10 20", true, 0, 0, 10, 20},
      {"M0,0 10,20 -5,3", true, -5, 0, 10, 20},  // pairs after a moveto are linetos
      {"m 10 10 h 5 v -20 z m 1 1 l 1 1", true, 10, -10, 15, 12},
      {"M0 0 C 0 10 10 10 10 0", true, 0, 0, 10, 7.5},  // the curve's peak, not its control points
      {"M0 0 Q 5 10 10 0", true, 0, 0, 10, 5},
      {"M0 0 C 0 10 10 10 10 0 S 20 -10 20 0", true, 0, -7.5, 20, 7.5},
      {"M0 0 Q 5 10 10 0 T 20 0", true, 0, -5, 20, 5},
      {"M0 0 A 10 10 0 0 1 20 0", true, 0, -10, 20, 0},  // upper half circle
      {"M0 0 A 10 5 0 1 0 20 0", true, 0, 0, 20, 5},     // lower half ellipse
      {"M0 0 a 1 1 0 0 0 20 0", true, 0, 0, 20, 10},     // radii scaled up to fit
      {"M0 0 A 10 10 0 0110 10", true, 0, 0, 10, 10},    // flags run into the next number
      {"M0 0 A 0 5 0 0 1 20 0", true, 0, 0, 20, 0},      // a zero radius is a line
      {"M 0 0 L 10 10 L", false, 0, 0, 10, 10},          // what came before the error counts
      {"L 10 10", false, 0, 0, 0, 0},
  };
  for (const auto &c : cases) {
    Box box;
    EXPECT_EQ(AddPathBounds(c.d, Matrix{}, &box), c.ok) << c.d;
    if (box.empty) {
      EXPECT_EQ(c.maxX - c.minX, 0) << c.d;
      continue;
    }
    EXPECT_NEAR(box.minX, c.minX, 1e-9) << c.d;
    EXPECT_NEAR(box.minY, c.minY, 1e-9) << c.d;
    EXPECT_NEAR(box.maxX, c.maxX, 1e-9) << c.d;
    EXPECT_NEAR(box.maxY, c.maxY, 1e-9) << c.d;
  }
}

TEST(SvgGeometry, ShapesTurnWithTheirTransform) {
  Matrix quarter;
  ASSERT_TRUE(ParseTransform("rotate(90)", &quarter));
  Box ellipse;
  AddEllipseBounds(0, 0, 10, 5, quarter, &ellipse);
  EXPECT_NEAR(ellipse.minX, -5, 1e-9);
  EXPECT_NEAR(ellipse.maxY, 10, 1e-9);

  Matrix eighth;
  ASSERT_TRUE(ParseTransform("rotate(45)", &eighth));
  Box circle, arcs;
  AddEllipseBounds(0, 0, 10, 10, eighth, &circle);
  // The same circle as two arcs: their extremes turn with them.
  ASSERT_TRUE(AddPathBounds("M -10 0 A 10 10 0 0 1 10 0 A 10 10 0 0 1 -10 0", eighth, &arcs));
  EXPECT_NEAR(arcs.minX, circle.minX, 1e-9);
  EXPECT_NEAR(arcs.maxY, circle.maxY, 1e-9);
  EXPECT_NEAR(circle.maxX, 10, 1e-9);

  Box square;
  AddRectBounds(0, 0, 10, 10, eighth, &square);
  EXPECT_NEAR(square.maxY, 10 * std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(square.minX, -5 * std::sqrt(2.0), 1e-9);

  std::vector<Point> points;
  EXPECT_TRUE(ParsePoints("0,0 10,5 -3 8", &points));
  EXPECT_EQ(points.size(), 3u);
  EXPECT_FALSE(ParsePoints("0,0 x", &points));
}

}  // namespace
}  // namespace vhost::svg
