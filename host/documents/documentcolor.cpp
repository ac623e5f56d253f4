#include "documentcolor.h"

#include <algorithm>
#include <cmath>

#include "svggeometry.h"
#include "svgstyle.h"

namespace vhost {

Color Color::Gray(double black) {
  Color color;
  color.kind = kGray;
  color.c[0] = black;
  return color;
}

Color Color::Cmyk(double c, double m, double y, double k) {
  Color color;
  color.kind = kCMYK;
  color.c[0] = c;
  color.c[1] = m;
  color.c[2] = y;
  color.c[3] = k;
  return color;
}

Color Color::Rgb(double r, double g, double b) {
  Color color;
  color.kind = kRGB;
  color.c[0] = r;
  color.c[1] = g;
  color.c[2] = b;
  return color;
}

Color Color::Custom(const CustomColor *custom, double tint) {
  Color color;
  color.kind = kCustom;
  color.custom = custom;
  color.tint = tint;
  return color;
}

namespace {

int Components(Color::Kind kind) {
  switch (kind) {
    case Color::kGray: return 1;
    case Color::kCMYK: return 4;
    case Color::kRGB: return 3;
    case Color::kCustom: return 0;
  }
  return 0;
}

void CmykToRgb(const double cmyk[4], double rgb[3]) {
  for (int i = 0; i < 3; ++i) rgb[i] = (1 - cmyk[i]) * (1 - cmyk[3]);
}

}  // namespace

bool Color::operator==(const Color &other) const {
  if (kind != other.kind) return false;
  if (kind == kCustom) {
    // Two documents' colours are alike when their definitions are.
    const bool same =
        custom == other.custom || (custom && other.custom && custom->name == other.custom->name &&
                                   custom->kind == other.custom->kind &&
                                   std::equal(custom->c, custom->c + 4, other.custom->c));
    return same && tint == other.tint;
  }
  return std::equal(c, c + Components(kind), other.c);
}

void Color::Display(double rgb[3]) const {
  switch (kind) {
    case kGray: rgb[0] = rgb[1] = rgb[2] = 1 - c[0]; break;
    case kCMYK: CmykToRgb(c, rgb); break;
    case kRGB: std::copy(c, c + 3, rgb); break;
    case kCustom: {
      if (!custom) {
        rgb[0] = rgb[1] = rgb[2] = 0;
        break;
      }
      double scaled[4];
      for (int i = 0; i < 4; ++i) scaled[i] = custom->c[i] * tint;
      if (custom->kind == CustomColor::kCMYK) {
        CmykToRgb(scaled, rgb);
      } else {
        std::copy(scaled, scaled + 3, rgb);
      }
      break;
    }
  }
  for (int i = 0; i < 3; ++i) rgb[i] = std::clamp(rgb[i], 0.0, 1.0);
}

std::string Color::CssHex() const {
  double rgb[3];
  Display(rgb);
  auto byte = [](double v) { return static_cast<int>(std::lround(v * 255)); };
  return svg::FormatCssColor({byte(rgb[0]), byte(rgb[1]), byte(rgb[2])});
}

bool Color::CssExact() const {
  if (kind != kRGB) return false;
  for (int i = 0; i < 3; ++i) {
    if (c[i] < 0 || c[i] > 1 || std::round(c[i] * 255) / 255 != c[i]) return false;
  }
  return true;
}

std::string Color::ExactForm() const {
  using svg::FormatNumber;
  switch (kind) {
    case kGray: return "gray " + FormatNumber(c[0]);
    case kCMYK:
      return "cmyk " + FormatNumber(c[0]) + " " + FormatNumber(c[1]) + " " + FormatNumber(c[2]) +
             " " + FormatNumber(c[3]);
    case kRGB:
      return "rgb " + FormatNumber(c[0]) + " " + FormatNumber(c[1]) + " " + FormatNumber(c[2]);
    case kCustom:
      return "spot " + FormatNumber(tint) + " " + (custom ? custom->name : std::string());
  }
  return {};
}

AIColor Color::ToAIColor() const {
  AIColor color{};
  switch (kind) {
    case kGray:
      color.kind = kGrayColor;
      color.c.g.gray = c[0];
      break;
    case kCMYK:
      color.kind = kFourColor;
      color.c.f = {c[0], c[1], c[2], c[3]};
      break;
    case kRGB:
      color.kind = kThreeColor;
      color.c.rgb = {c[0], c[1], c[2]};
      break;
    case kCustom:
      color.kind = kCustomColor;
      color.c.c.color = custom ? custom->handle : nullptr;
      color.c.c.tint = tint;
      break;
  }
  return color;
}

bool ParseExactColorWith(std::string_view text,
                         const CustomColor *(*find)(void *, std::string_view), void *context,
                         Color *out) {
  text = svg::Trim(text);
  size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return false;
  const std::string_view word = text.substr(0, blank);
  std::string_view rest = text.substr(blank + 1);
  auto numbers = [&](int count, double *values) {
    for (int i = 0; i < count; ++i) {
      if (!svg::ReadNumber(rest, &values[i]) || values[i] < 0 || values[i] > 1) return false;
    }
    return true;
  };
  Color color;
  if (word == "spot") {
    double tint;
    if (!numbers(1, &tint) || rest.empty() || rest.front() != ' ') return false;
    const CustomColor *custom = find(context, rest.substr(1));
    if (!custom) return false;
    *out = Color::Custom(custom, tint);
    return true;
  }
  if (word == "gray") {
    color.kind = Color::kGray;
  } else if (word == "cmyk") {
    color.kind = Color::kCMYK;
  } else if (word == "rgb") {
    color.kind = Color::kRGB;
  } else {
    return false;
  }
  if (!numbers(Components(color.kind), color.c) || !svg::Trim(rest).empty()) return false;
  *out = color;
  return true;
}

}  // namespace vhost
