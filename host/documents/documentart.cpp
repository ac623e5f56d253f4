#include "documentart.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document.h"
#include "documenthandles.h"
#include "svggeometry.h"
#include "svgstyle.h"
#include "svgtags.h"
#include "svgtext.h"

namespace vhost {

namespace {

double LengthAttribute(pugi::xml_node node, const char *name) {
  double value = 0;
  if (!svg::ParseLength(node.attribute(name).value(), 16, 0, &value)) return 0;
  return value;
}

bool SameMatrix(const svg::Matrix &x, const svg::Matrix &y) {
  return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d && x.e == y.e && x.f == y.f;
}

// Path bounds, remembered for long data. A plug-in's timer measures every
// record slot several times a second, and a barcode's path holds thousands
// of numbers; the bounds follow from the data and the transform alone, so
// the latest results are kept by both, the oldest giving way.
void AddPathBoundsRemembered(std::string_view d, const svg::Matrix &m, svg::Box *box) {
  constexpr size_t kLongData = 512;
  constexpr size_t kEntries = 64;
  if (d.size() < kLongData) {
    svg::AddPathBounds(d, m, box);
    return;
  }
  struct Entry {
    size_t hash = 0;
    std::string data;
    svg::Matrix m;
    svg::Box box;
  };
  thread_local Entry entries[kEntries];
  thread_local size_t oldest = 0;
  // A fingerprint of the length and the ends picks the candidates; the
  // whole data is then compared, which costs less than hashing all of it.
  const size_t hash = std::hash<std::string_view>{}(d.substr(0, 128)) ^
                      (std::hash<std::string_view>{}(d.substr(d.size() - 128)) * 31) ^ d.size();
  for (const Entry &entry : entries) {
    if (entry.hash == hash && SameMatrix(entry.m, m) && entry.data == d) {
      box->Add(entry.box);
      return;
    }
  }
  Entry &entry = entries[oldest];
  oldest = (oldest + 1) % kEntries;
  entry.hash = hash;
  entry.data.assign(d);
  entry.m = m;
  entry.box = svg::Box{};
  svg::AddPathBounds(d, m, &entry.box);
  box->Add(entry.box);
}

// Geometry of one shape or image element in its parent's space after `m`
// (the element's own transform is part of `m`).
void AddShapeBounds(pugi::xml_node node, std::string_view local, const svg::Matrix &m,
                    svg::Box *box) {
  auto length = [&](const char *name) { return LengthAttribute(node, name); };
  if (local == "rect" || local == "image") {
    const double width = length("width"), height = length("height");
    if (width > 0 && height > 0)
      svg::AddRectBounds(length("x"), length("y"), width, height, m, box);
  } else if (local == "circle") {
    const double r = length("r");
    if (r > 0) svg::AddEllipseBounds(length("cx"), length("cy"), r, r, m, box);
  } else if (local == "ellipse") {
    const double rx = length("rx"), ry = length("ry");
    if (rx > 0 && ry > 0) svg::AddEllipseBounds(length("cx"), length("cy"), rx, ry, m, box);
  } else if (local == "line") {
    svg::AddPointBounds({{length("x1"), length("y1")}, {length("x2"), length("y2")}}, m, box);
  } else if (local == "polyline" || local == "polygon") {
    std::vector<svg::Point> points;
    svg::ParsePoints(node.attribute("points").value(), &points);
    svg::AddPointBounds(points, m, box);
  } else if (local == "path") {
    AddPathBoundsRemembered(node.attribute("d").value(), m, box);
  }
}

// The root's user units to points, y turned upward.
AIRealRect ToArtwork(const svg::Box &box, double scale) {
  if (box.empty) return AIRealRect{0, 0, 0, 0};
  return AIRealRect{box.minX * scale, -box.minY * scale, box.maxX * scale, -box.maxY * scale};
}

// The shapes an area text flows into: the elements its shape-inside names.
std::vector<pugi::xml_node> AreaShapes(const Document &doc, pugi::xml_node text) {
  std::vector<pugi::xml_node> shapes;
  auto value = svg::OwnProperty(text, "shape-inside");
  if (!value) return shapes;
  std::string_view rest = *value;
  for (size_t at; (at = rest.find("url(")) != std::string_view::npos;) {
    rest.remove_prefix(at + 4);
    const size_t close = rest.find(')');
    if (close == std::string_view::npos) break;
    std::string_view reference = svg::Trim(rest.substr(0, close));
    if (!reference.empty() && (reference.front() == '\'' || reference.front() == '"')) {
      reference = reference.substr(1, reference.size() >= 2 ? reference.size() - 2 : 0);
    }
    if (!reference.empty() && reference.front() == '#') {
      if (pugi::xml_node shape = doc.ElementById(reference.substr(1))) shapes.push_back(shape);
    }
    rest.remove_prefix(close + 1);
  }
  return shapes;
}

// Text bounds with `m`, the frame's transform to the root.
void AddTextBounds(const Art &art, const svg::Matrix &m, svg::Box *box) {
  Document &doc = art.Doc();
  const std::vector<pugi::xml_node> shapes = AreaShapes(doc, art.Node());
  if (!shapes.empty()) {
    for (pugi::xml_node shape : shapes) {
      svg::Matrix own;
      svg::ParseTransform(shape.attribute("transform").value(), &own);
      AddShapeBounds(shape, doc.Names().SvgLocalName(shape), m * own, box);
    }
    return;
  }
  const svg::Point anchor = svg::TextAnchorPoint(art.Node());
  const TextLayout layout =
      LayOutPointText(*art.Story(), anchor.x, anchor.y, svg::TextAnchorOf(art.Node()), doc.Scale());
  svg::AddRectBounds(layout.left, layout.top, layout.right - layout.left,
                     layout.bottom - layout.top, m, box);
}

// The art's own geometry with `m`, its transform to the root; a group has
// none of its own.
void AddOwnBounds(const Art &art, const svg::Matrix &m, svg::Box *box) {
  switch (art.Type()) {
    case kTextFrameArt: AddTextBounds(art, m, box); break;
    case kPathArt:
    case kPlacedArt:
      AddShapeBounds(art.Node(), art.Doc().Names().SvgLocalName(art.Node()), m, box);
      break;
    default: break;
  }
}

}  // namespace

void ForEachBounds(const Art &top,
                   const std::function<void(const Art &, const AIRealRect &)> &visit) {
  // Without recursion, and with each transform built from its parent's, so
  // that the work grows with the art's count and not with its depth.
  struct Pending {
    const Art *art;
    svg::Matrix m;
    svg::Box box;
    const Art *next;  // the next child to take in
  };
  std::vector<Pending> stack;
  stack.push_back({&top, top.Doc().TransformToRoot(top.Node()), {}, top.FirstChildInFile()});
  while (!stack.empty()) {
    Pending &p = stack.back();
    if (p.art->Type() == kGroupArt && p.next) {
      const Art *child = p.next;
      p.next = child->NextInFile();
      svg::Matrix own;
      svg::ParseTransform(child->Node().attribute("transform").value(), &own);
      stack.push_back({child, p.m * own, {}, child->FirstChildInFile()});  // p is stale from here
      continue;
    }
    AddOwnBounds(*p.art, p.m, &p.box);
    const Pending done = std::move(stack.back());
    stack.pop_back();
    if (visit) visit(*done.art, ToArtwork(done.box, top.Doc().Scale()));
    if (!stack.empty()) stack.back().box.Add(done.box);
  }
}

Art::Art(Document &doc, pugi::xml_node node, ASInt16 type) : doc_(doc), node_(node), type_(type) {
  handle_ = static_cast<AIArtHandle>(RegisterHandle(HandleKind::kArt, this));
}

Art::~Art() { UnregisterHandle(handle_); }

uint32_t Art::Low32() const { return vhost::Low32(handle_); }

std::string Art::Id() const { return node_.attribute("id").value(); }

bool Art::IsWithin(const Art *other) const {
  for (const Art *a = this; a; a = a->parent_) {
    if (a == other) return true;
  }
  return false;
}

void Art::SetLocked(bool locked) {
  locked_ = locked;
  svg::Names &names = doc_.Names();
  node_.remove_attribute(names.Lookup(svg::Names::kSodipodi, "insensitive").c_str());
  if (locked)
    node_.append_attribute(names.Qualified(svg::Names::kSodipodi, "insensitive").c_str())
        .set_value("true");
}

void Art::SetHidden(bool hidden) {
  hidden_ = hidden;
  svg::StyleDeclarations style(node_.attribute("style").value());
  if (hidden) {
    style.Set("display", "none");
  } else {
    style.Remove("display");
    if (std::string_view(node_.attribute("display").value()) == "none")
      node_.remove_attribute("display");
  }
  // In place, so that the attribute keeps its position in the file.
  if (style.Empty()) {
    node_.remove_attribute("style");
  } else {
    if (!node_.attribute("style")) node_.append_attribute("style");
    node_.attribute("style").set_value(style.ToString().c_str());
  }
}

ASInt32 Art::UserAttributes() const {
  return (selected_ ? kArtSelected : 0) | (locked_ ? kArtLocked : 0) | (hidden_ ? kArtHidden : 0);
}

const std::string *Art::Tag(const std::string &name) const {
  auto it = tags_.find(name);
  return it == tags_.end() ? nullptr : &it->second;
}

bool Art::SetTag(const std::string &name, const std::string &value) {
  if (name.empty()) return false;
  svg::Names &names = doc_.Names();
  const std::string encoded = svg::EncodeTagName(name);
  node_.remove_attribute(names.Lookup(svg::Names::kTag, encoded).c_str());
  node_.remove_attribute(names.Lookup(svg::Names::kTagBytes, encoded).c_str());
  if (svg::IsPlainTagValue(value)) {
    node_.append_attribute(names.Qualified(svg::Names::kTag, encoded).c_str())
        .set_value(value.c_str());
  } else {
    node_.append_attribute(names.Qualified(svg::Names::kTagBytes, encoded).c_str())
        .set_value(svg::EscapeTagBytes(value).c_str());
  }
  tags_[name] = value;
  return true;
}

bool Art::RemoveTag(const std::string &name) {
  if (!tags_.erase(name)) return false;
  svg::Names &names = doc_.Names();
  const std::string encoded = svg::EncodeTagName(name);
  node_.remove_attribute(names.Lookup(svg::Names::kTag, encoded).c_str());
  node_.remove_attribute(names.Lookup(svg::Names::kTagBytes, encoded).c_str());
  return true;
}

bool Art::AreaBox(AIRealRect *box) const {
  if (type_ != kTextFrameArt || AreaShapes(doc_, node_).empty()) return false;
  svg::Box b;
  AddTextBounds(*this, doc_.TransformToRoot(node_), &b);
  *box = ToArtwork(b, doc_.Scale());
  return true;
}

AIRealRect Art::Bounds() const {
  AIRealRect bounds{0, 0, 0, 0};
  ForEachBounds(*this, [&](const Art &art, const AIRealRect &box) {
    if (&art == this) bounds = box;
  });
  return bounds;
}

}  // namespace vhost
