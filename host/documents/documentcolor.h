// Colours of document text: gray, four-colour (CMYK), three-colour (RGB) and
// custom (spot) colours, each as exact components, with the sRGB that stands
// for them on screen and in SVG viewers.
#pragma once

#include <string>
#include <string_view>

#include "AIColor.h"
#include "AICustomColor.h"

namespace vhost {

// A named colour the document defines. Lives as long as its document; the
// handle is registered while it does.
struct CustomColor {
  enum Kind { kCMYK, kRGB } kind = kCMYK;
  std::string name;  // UTF-8, unique within the document
  double c[4] = {};  // cyan, magenta, yellow, black or red, green, blue
  AICustomColorHandle handle = nullptr;
};

struct Color {
  enum Kind { kGray, kCMYK, kRGB, kCustom } kind = kRGB;
  // Gray: c[0] is the amount of black (0 white, 1 black). CMYK: c[0..3].
  // RGB: c[0..2]. Components are 0 to 1.
  double c[4] = {};
  const CustomColor *custom = nullptr;  // kCustom only
  // kCustom only: the fraction of the definition applied, each component
  // of the definition being multiplied by it (1 is the full colour).
  double tint = 1;

  static Color Gray(double black);
  static Color Cmyk(double c, double m, double y, double k);
  static Color Rgb(double r, double g, double b);
  static Color Custom(const CustomColor *color, double tint);

  // Same kind and the same components; for kCustom the same tint and a
  // colour of the same name and definition.
  bool operator==(const Color &other) const;

  // What a screen shows: CMYK as (1-c)(1-k), ..., gray as 1 - black, a
  // custom colour as its definition times the tint. Components 0 to 1.
  void Display(double rgb[3]) const;
  // The display colour as "#rrggbb".
  std::string CssHex() const;
  // Whether "#rrggbb" alone carries the colour exactly (RGB in 1/255 steps).
  bool CssExact() const;

  // The exact form kept beside CSS: "gray 0.5", "cmyk 0 1 1 0",
  // "rgb 0.2 0.3 0.4", "spot 0.5 NAME" (tint, then the name to the end).
  std::string ExactForm() const;

  // The host's view of the colour.
  AIColor ToAIColor() const;
};

// Reads ExactForm()'s text. `findCustom` resolves a spot colour's name; an
// unknown name, bad numbers or a component outside 0..1 fail.
template <typename FindCustom>
bool ParseExactColor(std::string_view text, FindCustom findCustom, Color *out);

// Implementation detail of ParseExactColor.
bool ParseExactColorWith(std::string_view text,
                         const CustomColor *(*find)(void *, std::string_view), void *context,
                         Color *out);

template <typename FindCustom>
bool ParseExactColor(std::string_view text, FindCustom findCustom, Color *out) {
  return ParseExactColorWith(
      text,
      [](void *context, std::string_view name) -> const CustomColor * {
        return (*static_cast<FindCustom *>(context))(name);
      },
      &findCustom, out);
}

}  // namespace vhost
