#include "documentpaths.h"

#include <cstdio>

#include "svggeometry.h"

namespace vhost {

namespace {

bool WellFormed(const VardoPathShape &shape) {
  if (!shape.ops || shape.opCount <= 0 || !shape.points || shape.ops[0] != 'M') return false;
  for (ASInt32 i = 0; i < shape.opCount; ++i) {
    const char op = shape.ops[i];
    if (op != 'M' && op != 'L' && op != 'C' && op != 'Z') return false;
  }
  return true;
}

// The shape's path data in the user space `toParent` leads to. A barcode
// brings thousands of points, so the numbers go straight into the text.
std::string PathData(const VardoPathShape &shape, const svg::Matrix &toParent, double scale) {
  std::string d;
  d.reserve(static_cast<size_t>(shape.opCount) * 40);
  char number[64];
  auto append = [&](double value) {
    d += ' ';
    d.append(number, svg::FormatNumberInto(value, number, number + sizeof number));
  };
  size_t point = 0;
  for (ASInt32 i = 0; i < shape.opCount; ++i) {
    const char op = shape.ops[i];
    if (!d.empty()) d += ' ';
    d += op;
    for (int k = op == 'C' ? 3 : op == 'Z' ? 0 : 1; k > 0; --k) {
      const AIRealPoint &p = shape.points[point++];
      const svg::Point q = toParent.Apply({p.h / scale, -p.v / scale});
      append(q.x);
      append(q.y);
    }
  }
  return d;
}

}  // namespace

Art *PlacePathsAbove(Art &art, const VardoPathShape *shapes, int count) {
  if (!shapes || count <= 0) return nullptr;
  for (int i = 0; i < count; ++i) {
    if (!WellFormed(shapes[i])) return nullptr;
  }
  Document &doc = art.Doc();
  std::string error;
  Art *group = doc.NewArt("g", kPlaceAbove, art, &error);
  if (!group) return nullptr;
  svg::Matrix toGroup;
  doc.TransformToRoot(group->Node()).Invert(&toGroup);
  Art *last = nullptr;
  for (int i = 0; i < count; ++i) {
    Art *path = last ? doc.NewArt("path", kPlaceAbove, *last, &error)
                     : doc.NewArt("path", kPlaceInsideOnTop, *group, &error);
    if (!path) {
      doc.Dispose(*group);
      return nullptr;
    }
    char fill[8];
    std::snprintf(fill, sizeof fill, "#%06x", static_cast<unsigned>(shapes[i].rgb & 0xFFFFFF));
    pugi::xml_node node = path->Node();
    node.append_attribute("d").set_value(PathData(shapes[i], toGroup, doc.Scale()).c_str());
    node.append_attribute("fill").set_value(fill);
    // Own paint, so that nothing the group inherits strokes the shapes.
    node.append_attribute("stroke").set_value("none");
    last = path;
  }
  return group;
}

}  // namespace vhost
