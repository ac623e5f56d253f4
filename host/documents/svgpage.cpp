#include "svgpage.h"

#include <cctype>
#include <cmath>
#include <string>

#include "svggeometry.h"
#include "svgstyle.h"

namespace vhost::svg {

namespace {

// The length in points when it carries an absolute unit; 0 otherwise.
double AbsolutePoints(std::string_view text) {
  text = Trim(text);
  std::string_view rest = text;
  double value = 0;
  if (!ReadNumber(rest, &value) || !(value > 0)) return 0;
  std::string unit(Trim(rest));
  for (char &c : unit) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (unit == "q") return value * 72 / 101.6;  // quarter millimetres
  if (unit != "pt" && unit != "pc" && unit != "mm" && unit != "cm" && unit != "in") return 0;
  double pixels = 0;
  if (!ParseLength(text, 16, 0, &pixels)) return 0;
  return pixels * 72 / 96;
}

}  // namespace

double PageScale(pugi::xml_node root) {
  std::string_view viewBox = root.attribute("viewBox").value();
  double box[4];
  int n = 0;
  while (n < 4 && ReadNumber(viewBox, &box[n])) ++n;
  if (n != 4) return 1;
  double scale = 0;
  if (const double width = AbsolutePoints(root.attribute("width").value());
      width > 0 && box[2] > 0) {
    scale = width / box[2];
  } else if (const double height = AbsolutePoints(root.attribute("height").value());
             height > 0 && box[3] > 0) {
    scale = height / box[3];
  }
  if (!(scale > 0) || !std::isfinite(scale) || std::abs(scale - 1) < 0.001) return 1;
  return scale;
}

}  // namespace vhost::svg
