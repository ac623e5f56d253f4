#include "svggeometry.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vhost::svg {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }

void SkipBlanks(std::string_view &text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
}

// Blanks, then at most one comma and the blanks after it.
void SkipSeparator(std::string_view &text) {
  SkipBlanks(text);
  if (!text.empty() && text.front() == ',') {
    text.remove_prefix(1);
    SkipBlanks(text);
  }
}

// An arc flag is a single 0 or 1 and may run straight into the next number.
bool ReadFlag(std::string_view &text, bool *flag) {
  SkipSeparator(text);
  if (text.empty() || (text.front() != '0' && text.front() != '1')) return false;
  *flag = text.front() == '1';
  text.remove_prefix(1);
  return true;
}

// Extremes of a cubic Bézier on one axis, for t strictly inside (0, 1).
void CubicExtremes(double p0, double p1, double p2, double p3, double out[2], int *count) {
  *count = 0;
  const double d0 = p1 - p0, d1 = p2 - p1, d2 = p3 - p2;
  const double a = d0 - 2 * d1 + d2, b = 2 * (d1 - d0), c = d0;
  auto keep = [&](double t) {
    if (t > 0 && t < 1) out[(*count)++] = t;
  };
  if (std::fabs(a) < 1e-12) {
    if (std::fabs(b) > 1e-12) keep(-c / b);
    return;
  }
  const double disc = b * b - 4 * a * c;
  if (disc < 0) return;
  const double root = std::sqrt(disc);
  keep((-b + root) / (2 * a));
  keep((-b - root) / (2 * a));
}

Point CubicAt(Point p0, Point p1, Point p2, Point p3, double t) {
  const double u = 1 - t;
  const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
  return {w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
          w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y};
}

// A cubic whose control points are already transformed.
void AddCubic(Point p0, Point p1, Point p2, Point p3, Box *box) {
  box->Add(p0);
  box->Add(p3);
  double ts[2];
  int n = 0;
  CubicExtremes(p0.x, p1.x, p2.x, p3.x, ts, &n);
  for (int i = 0; i < n; ++i) box->Add(CubicAt(p0, p1, p2, p3, ts[i]));
  CubicExtremes(p0.y, p1.y, p2.y, p3.y, ts, &n);
  for (int i = 0; i < n; ++i) box->Add(CubicAt(p0, p1, p2, p3, ts[i]));
}

// A quadratic is the cubic with control points 2/3 of the way to its one.
void AddQuadratic(Point p0, Point q, Point p2, Box *box) {
  Point c1{p0.x + 2.0 / 3 * (q.x - p0.x), p0.y + 2.0 / 3 * (q.y - p0.y)};
  Point c2{p2.x + 2.0 / 3 * (q.x - p2.x), p2.y + 2.0 / 3 * (q.y - p2.y)};
  AddCubic(p0, c1, c2, p2, box);
}

double AngleBetween(double ux, double uy, double vx, double vy) {
  return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

// Whether angle `a` lies on the arc that starts at `start` and sweeps by
// `sweep` (either sign).
bool OnArc(double a, double start, double sweep) {
  double offset = sweep >= 0 ? a - start : start - a;
  offset = std::fmod(offset, 2 * kPi);
  if (offset < 0) offset += 2 * kPi;
  return offset <= std::fabs(sweep) + 1e-12;
}

// An elliptical arc from p1 to p2 in local coordinates, bounds after `m`.
void AddArc(Point p1, double rx, double ry, double rotationDegrees, bool largeArc, bool sweepFlag,
            Point p2, const Matrix &m, Box *box) {
  box->Add(m.Apply(p1));
  box->Add(m.Apply(p2));
  if (p1.x == p2.x && p1.y == p2.y) return;
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  if (rx == 0 || ry == 0) return;  // a straight line: its ends suffice
  const double phi = rotationDegrees * kPi / 180;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double dx = (p1.x - p2.x) / 2, dy = (p1.y - p2.y) / 2;
  const double x1 = cosPhi * dx + sinPhi * dy;
  const double y1 = -sinPhi * dx + cosPhi * dy;
  const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  double coef = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
  if (largeArc == sweepFlag) coef = -coef;
  const double cxp = coef * rx * y1 / ry, cyp = -coef * ry * x1 / rx;
  const double cx = cosPhi * cxp - sinPhi * cyp + (p1.x + p2.x) / 2;
  const double cy = sinPhi * cxp + cosPhi * cyp + (p1.y + p2.y) / 2;
  const double start = AngleBetween(1, 0, (x1 - cxp) / rx, (y1 - cyp) / ry);
  double sweep = AngleBetween((x1 - cxp) / rx, (y1 - cyp) / ry, (-x1 - cxp) / rx, (-y1 - cyp) / ry);
  if (!sweepFlag && sweep > 0) sweep -= 2 * kPi;
  if (sweepFlag && sweep < 0) sweep += 2 * kPi;
  // After m the arc is c' + u cos t + v sin t; each axis peaks where its
  // derivative vanishes.
  const Point c = m.Apply({cx, cy});
  const double ux = (m.a * cosPhi + m.c * sinPhi) * rx, uy = (m.b * cosPhi + m.d * sinPhi) * rx;
  const double vx = (-m.a * sinPhi + m.c * cosPhi) * ry, vy = (-m.b * sinPhi + m.d * cosPhi) * ry;
  for (double base : {std::atan2(vx, ux), std::atan2(vy, uy)}) {
    for (double t : {base, base + kPi}) {
      if (OnArc(t, start, sweep)) {
        box->Add(Point{c.x + ux * std::cos(t) + vx * std::sin(t),
                       c.y + uy * std::cos(t) + vy * std::sin(t)});
      }
    }
  }
}

}  // namespace

Matrix Matrix::operator*(const Matrix &o) const {
  return {a * o.a + c * o.b, b * o.a + d * o.b,     a * o.c + c * o.d,
          b * o.c + d * o.d, a * o.e + c * o.f + e, b * o.e + d * o.f + f};
}

bool Matrix::Invert(Matrix *out) const {
  const double det = a * d - b * c;
  if (std::fabs(det) < 1e-300) return false;
  const double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
  *out = {ia, ib, ic, id, -(ia * e + ic * f), -(ib * e + id * f)};
  return true;
}

bool Matrix::IsIdentity(double eps) const {
  return std::fabs(a - 1) <= eps && std::fabs(b) <= eps && std::fabs(c) <= eps &&
         std::fabs(d - 1) <= eps && std::fabs(e) <= eps && std::fabs(f) <= eps;
}

void Box::Add(Point p) {
  if (empty) {
    minX = maxX = p.x;
    minY = maxY = p.y;
    empty = false;
    return;
  }
  minX = std::min(minX, p.x);
  maxX = std::max(maxX, p.x);
  minY = std::min(minY, p.y);
  maxY = std::max(maxY, p.y);
}

void Box::Add(const Box &other) {
  if (other.empty) return;
  Add(Point{other.minX, other.minY});
  Add(Point{other.maxX, other.maxY});
}

size_t FormatNumberInto(double value, char *first, char *last) {
  if (value == 0) value = 0;  // no "-0"
  auto result = std::to_chars(first, last, value);
  return result.ec == std::errc() ? static_cast<size_t>(result.ptr - first) : 0;
}

std::string FormatNumber(double value) {
  char buffer[64];
  return std::string(buffer, FormatNumberInto(value, buffer, buffer + sizeof buffer));
}

bool ReadNumber(std::string_view &text, double *value) {
  SkipSeparator(text);
  size_t i = 0;
  auto digit = [&](size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool any = false;
  while (digit(i)) ++i, any = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (digit(i)) ++i, any = true;
  }
  if (!any) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t k = i + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (digit(k)) {
      while (digit(k)) ++k;
      i = k;
    }
  }
  // from_chars takes no leading '+'.
  std::string_view number = text.substr(0, i);
  if (number.front() == '+') number.remove_prefix(1);
  double v = 0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), v);
  if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range) return false;
  *value = v;
  text.remove_prefix(i);
  return true;
}

bool ParseTransform(std::string_view text, Matrix *out) {
  Matrix total;
  *out = Matrix{};
  SkipSeparator(text);
  while (!text.empty()) {
    size_t open = text.find('(');
    if (open == std::string_view::npos) return false;
    std::string_view name = text.substr(0, open);
    while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
    text.remove_prefix(open + 1);
    double v[6];
    int n = 0;
    for (;;) {
      SkipBlanks(text);
      if (!text.empty() && text.front() == ')') break;
      if (n == 6 || !ReadNumber(text, &v[n])) return false;
      ++n;
    }
    text.remove_prefix(1);
    Matrix step;
    const double deg = kPi / 180;
    if (name == "matrix" && n == 6) {
      step = {v[0], v[1], v[2], v[3], v[4], v[5]};
    } else if (name == "translate" && (n == 1 || n == 2)) {
      step = Matrix::Translate(v[0], n == 2 ? v[1] : 0);
    } else if (name == "scale" && (n == 1 || n == 2)) {
      step = {v[0], 0, 0, n == 2 ? v[1] : v[0], 0, 0};
    } else if (name == "rotate" && (n == 1 || n == 3)) {
      const double cs = std::cos(v[0] * deg), sn = std::sin(v[0] * deg);
      step = {cs, sn, -sn, cs, 0, 0};
      if (n == 3) step = Matrix::Translate(v[1], v[2]) * step * Matrix::Translate(-v[1], -v[2]);
    } else if (name == "skewX" && n == 1) {
      step = {1, 0, std::tan(v[0] * deg), 1, 0, 0};
    } else if (name == "skewY" && n == 1) {
      step = {1, std::tan(v[0] * deg), 0, 1, 0, 0};
    } else {
      return false;
    }
    total = total * step;
    SkipSeparator(text);
  }
  *out = total;
  return true;
}

std::string FormatTransform(const Matrix &m) {
  if (m.IsIdentity(0)) return {};
  if (m.a == 1 && m.b == 0 && m.c == 0 && m.d == 1) {
    return "translate(" + FormatNumber(m.e) + "," + FormatNumber(m.f) + ")";
  }
  std::string out = "matrix(";
  const double v[6] = {m.a, m.b, m.c, m.d, m.e, m.f};
  for (int i = 0; i < 6; ++i) out += (i ? "," : "") + FormatNumber(v[i]);
  return out + ")";
}

void AddRectBounds(double x, double y, double width, double height, const Matrix &m, Box *box) {
  for (Point p :
       {Point{x, y}, Point{x + width, y}, Point{x, y + height}, Point{x + width, y + height}}) {
    box->Add(m.Apply(p));
  }
}

void AddEllipseBounds(double cx, double cy, double rx, double ry, const Matrix &m, Box *box) {
  const Point c = m.Apply({cx, cy});
  const double hx = std::hypot(m.a * rx, m.c * ry), hy = std::hypot(m.b * rx, m.d * ry);
  box->Add(Point{c.x - hx, c.y - hy});
  box->Add(Point{c.x + hx, c.y + hy});
}

void AddPointBounds(const std::vector<Point> &points, const Matrix &m, Box *box) {
  for (Point p : points) box->Add(m.Apply(p));
}

bool ParsePoints(std::string_view text, std::vector<Point> *points) {
  points->clear();
  double x = 0, y = 0;
  while (ReadNumber(text, &x)) {
    if (!ReadNumber(text, &y)) break;
    points->push_back({x, y});
  }
  SkipBlanks(text);
  return text.empty();
}

bool AddPathBounds(std::string_view d, const Matrix &m, Box *box) {
  Point current, subpathStart, lastControl;
  char previous = 0;  // the last command, for the reflections of S and T
  char command = 0;
  SkipBlanks(d);
  while (!d.empty()) {
    char ch = d.front();
    if (std::isalpha(static_cast<unsigned char>(ch))) {
      command = ch;
      d.remove_prefix(1);
    } else if (command == 0) {
      return false;
    } else if (command == 'M') {
      command = 'L';  // pairs after a moveto are linetos
    } else if (command == 'm') {
      command = 'l';
    } else if (command == 'Z' || command == 'z') {
      return false;  // numbers after a closepath
    }
    // Path data begins with a moveto, or is in error from the start.
    if (previous == 0 && command != 'M' && command != 'm') return false;
    const bool relative = std::islower(static_cast<unsigned char>(command));
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
    auto point = [&](Point *p) {
      if (!ReadNumber(d, &p->x) || !ReadNumber(d, &p->y)) return false;
      if (relative) p->x += current.x, p->y += current.y;
      return true;
    };
    Point p, c1, c2;
    switch (upper) {
      case 'M':
        if (!point(&p)) return false;
        current = subpathStart = p;
        box->Add(m.Apply(p));
        break;
      case 'L':
        if (!point(&p)) return false;
        box->Add(m.Apply(current));
        box->Add(m.Apply(p));
        current = p;
        break;
      case 'H': {
        double x;
        if (!ReadNumber(d, &x)) return false;
        p = {relative ? current.x + x : x, current.y};
        box->Add(m.Apply(current));
        box->Add(m.Apply(p));
        current = p;
        break;
      }
      case 'V': {
        double y;
        if (!ReadNumber(d, &y)) return false;
        p = {current.x, relative ? current.y + y : y};
        box->Add(m.Apply(current));
        box->Add(m.Apply(p));
        current = p;
        break;
      }
      case 'C':
        if (!point(&c1) || !point(&c2) || !point(&p)) return false;
        AddCubic(m.Apply(current), m.Apply(c1), m.Apply(c2), m.Apply(p), box);
        lastControl = c2;
        current = p;
        break;
      case 'S':
        c1 = (previous == 'C' || previous == 'S')
                 ? Point{2 * current.x - lastControl.x, 2 * current.y - lastControl.y}
                 : current;
        if (!point(&c2) || !point(&p)) return false;
        AddCubic(m.Apply(current), m.Apply(c1), m.Apply(c2), m.Apply(p), box);
        lastControl = c2;
        current = p;
        break;
      case 'Q':
        if (!point(&c1) || !point(&p)) return false;
        AddQuadratic(m.Apply(current), m.Apply(c1), m.Apply(p), box);
        lastControl = c1;
        current = p;
        break;
      case 'T':
        c1 = (previous == 'Q' || previous == 'T')
                 ? Point{2 * current.x - lastControl.x, 2 * current.y - lastControl.y}
                 : current;
        if (!point(&p)) return false;
        AddQuadratic(m.Apply(current), m.Apply(c1), m.Apply(p), box);
        lastControl = c1;
        current = p;
        break;
      case 'A': {
        double rx, ry, rotation;
        bool large, sweep;
        if (!ReadNumber(d, &rx) || !ReadNumber(d, &ry) || !ReadNumber(d, &rotation) ||
            !ReadFlag(d, &large) || !ReadFlag(d, &sweep) || !point(&p)) {
          return false;
        }
        AddArc(current, rx, ry, rotation, large, sweep, p, m, box);
        current = p;
        break;
      }
      case 'Z': current = subpathStart; break;
      default: return false;
    }
    previous = upper;
    SkipSeparator(d);
  }
  return true;
}

}  // namespace vhost::svg
