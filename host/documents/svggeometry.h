// Geometry of SVG art: affine transforms as the `transform` attribute writes
// them, and the bounding boxes of shapes, exact for every shape and path
// command (curve and arc extremes included). Coordinates here are SVG user
// units with y growing downward; the document turns them into artwork
// coordinates.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vhost::svg {

struct Point {
  double x = 0, y = 0;
};

// x' = a x + c y + e, y' = b x + d y + f (the order of SVG's matrix()).
struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  static Matrix Translate(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
  // This after `inner`: (*this * inner).Apply(p) == Apply(inner.Apply(p)).
  Matrix operator*(const Matrix &inner) const;
  Point Apply(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  // False (and *out untouched) for a singular matrix.
  bool Invert(Matrix *out) const;
  bool IsIdentity(double epsilon = 1e-12) const;
};

// The smallest box holding what was added; empty until something is.
struct Box {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool empty = true;

  void Add(Point p);
  void Add(const Box &other);
};

// Parses a transform list (matrix, translate, scale, rotate, skewX, skewY,
// separated by blanks or commas). An empty text is the identity. On a syntax
// error returns false and stores the identity, as SVG renderers then ignore
// the attribute.
bool ParseTransform(std::string_view text, Matrix *out);
// "translate(x,y)" for a pure translation, "matrix(a,b,c,d,e,f)" otherwise,
// empty for the identity.
std::string FormatTransform(const Matrix &m);

// The shortest text that reads back as the same double ("12", "0.1",
// "1e-07"); -0 is written as 0.
std::string FormatNumber(double value);
// The same written into [first, last); returns its length, 0 when it does
// not fit (64 bytes always do).
size_t FormatNumberInto(double value, char *first, char *last);
// Reads one SVG number (sign, digits, fraction, exponent) from the front of
// `text`, skipping blanks and one comma before it; advances `text` past it.
bool ReadNumber(std::string_view &text, double *value);

// Bounds, after applying `m`, of the shapes SVG offers. Each adds to *box.
void AddRectBounds(double x, double y, double width, double height, const Matrix &m, Box *box);
void AddEllipseBounds(double cx, double cy, double rx, double ry, const Matrix &m, Box *box);
void AddPointBounds(const std::vector<Point> &points, const Matrix &m, Box *box);
// Path data: every command of SVG 1.1. Bézier extremes and arc extremes are
// found exactly. On malformed data, keeps the bounds of what came before the
// error (as renderers draw up to it) and returns false.
bool AddPathBounds(std::string_view d, const Matrix &m, Box *box);
// A points list ("x1,y1 x2,y2 ..."); an odd trailing number is dropped.
bool ParsePoints(std::string_view text, std::vector<Point> *points);

}  // namespace vhost::svg
