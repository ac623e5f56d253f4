#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

std::string Str(const RECT &r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

}  // namespace

TEST(Rect, IntersectUnionSubtract) {
  struct Case {
    RECT a, b;
    BOOL interOk;
    RECT inter;
    RECT uni;
    BOOL subOk;
    RECT sub;
  } cases[] = {
      // overlapping corners: subtraction leaves a, not a rectangle
      {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, {0, 0, 15, 15}, TRUE, {0, 0, 10, 10}},
      // b covers the bottom half across the full width
      {{0, 0, 10, 10}, {-1, 5, 11, 20}, TRUE, {0, 5, 10, 10}, {-1, 0, 11, 20}, TRUE, {0, 0, 10, 5}},
      // b covers the left part over the full height
      {{0, 0, 10, 10}, {0, 0, 4, 10}, TRUE, {0, 0, 4, 10}, {0, 0, 10, 10}, TRUE, {4, 0, 10, 10}},
      // touching edges do not intersect (right/bottom are outside)
      {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, {0, 0, 20, 10}, TRUE, {0, 0, 10, 10}},
      // b swallows a
      {{2, 2, 4, 4}, {0, 0, 10, 10}, TRUE, {2, 2, 4, 4}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},
      // an empty operand is ignored by the union
      {{3, 3, 3, 9}, {1, 1, 2, 2}, FALSE, {0, 0, 0, 0}, {1, 1, 2, 2}, FALSE, {3, 3, 3, 9}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(Str(c.a) + " vs " + Str(c.b));
    RECT r{99, 99, 99, 99};
    EXPECT_EQ(IntersectRect(&r, &c.a, &c.b), c.interOk);
    EXPECT_TRUE(EqualRect(&r, &c.inter)) << Str(r);
    EXPECT_TRUE(UnionRect(&r, &c.a, &c.b));
    EXPECT_TRUE(EqualRect(&r, &c.uni)) << Str(r);
    EXPECT_EQ(SubtractRect(&r, &c.a, &c.b), c.subOk);
    EXPECT_TRUE(EqualRect(&r, &c.sub)) << Str(r);
  }
}

TEST(Rect, PointsEdgesAndMoves) {
  RECT r;
  SetRect(&r, 10, 20, 30, 40);
  EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
  EXPECT_FALSE(PtInRect(&r, POINT{30, 25}));
  EXPECT_FALSE(PtInRect(&r, POINT{15, 40}));
  OffsetRect(&r, -10, 5);
  InflateRect(&r, 2, -3);
  RECT want{-2, 28, 22, 42};
  EXPECT_TRUE(EqualRect(&r, &want)) << Str(r);
  SetRectEmpty(&r);
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
  EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
}

TEST(MulDiv, RoundsHalfAwayFromZeroAndReportsOverflow) {
  struct {
    int a, b, c, want;
  } cases[] = {
      {10, 3, 4, 8},    // 7.5 -> 8
      {-10, 3, 4, -8},  // -7.5 -> -8
      {10, -3, -4, 8},  // signs cancel
      {5, 1, 3, 2},     // 1.67 -> 2
      {4, 1, 3, 1},     // 1.33 -> 1
      {7, 0, 3, 0},
      {1, 1, 0, -1},                  // no denominator
      {0x40000000, 4, 1, -1},         // does not fit an int
      {0x40000000, 4, 2, -1},         // 2^31 is one too many
      {-0x40000000, 4, 2, INT_MIN},   // but fits on the negative side
      {46341, 46341, 2, 1073744141},  // the product needs 64 bits
  };
  for (const auto &c : cases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}
