#include "document.h"

#include <vplatform/savefile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "documenthandles.h"
#include "documentpictures.h"
#include "svgpage.h"
#include "svgstyle.h"
#include "svgtags.h"
#include "svgtext.h"

namespace vhost {

namespace {

constexpr unsigned kParseOptions =
    pugi::parse_full | pugi::parse_ws_pcdata;  // whitespace kept, so a saved file keeps its layout

ASInt16 ArtTypeOf(std::string_view local) {
  if (local == "g") return kGroupArt;
  if (local == "text") return kTextFrameArt;
  if (local == "image") return kPlacedArt;
  if (local == "path" || local == "rect" || local == "circle" || local == "ellipse" ||
      local == "line" || local == "polyline" || local == "polygon") {
    return kPathArt;
  }
  if (local == "use" || local == "switch" || local == "a" || local == "foreignObject" ||
      local == "flowRoot") {
    return kUnknownArt;
  }
  return -1;  // not art: definitions, metadata, descriptions, foreign elements
}

bool IsBlankText(pugi::xml_node node) {
  if (node.type() != pugi::node_pcdata) return false;
  for (const char *p = node.value(); *p; ++p) {
    if (!std::strchr(" \t\r\n", *p)) return false;
  }
  return true;
}

pugi::xml_node FirstChildElement(pugi::xml_node node) {
  pugi::xml_node child = node.first_child();
  while (child && child.type() != pugi::node_element) child = child.next_sibling();
  return child;
}

pugi::xml_node NextSiblingElement(pugi::xml_node node) {
  pugi::xml_node next = node.next_sibling();
  while (next && next.type() != pugi::node_element) next = next.next_sibling();
  return next;
}

// The element after `node` in document order, staying inside `top`; null
// after the last. Walks without recursion, so no depth can exhaust the stack.
pugi::xml_node NextElement(pugi::xml_node node, pugi::xml_node top) {
  if (pugi::xml_node child = FirstChildElement(node)) return child;
  for (pugi::xml_node n = node; n && n != top; n = n.parent()) {
    if (pugi::xml_node next = NextSiblingElement(n)) return next;
  }
  return {};
}

// How deep the elements below `root` nest, `root` itself counting 1.
int NestingDepth(pugi::xml_node root) {
  int deepest = 0;
  int depth = 1;
  pugi::xml_node node = root;
  for (;;) {
    deepest = std::max(deepest, depth);
    if (pugi::xml_node child = FirstChildElement(node)) {
      node = child;
      ++depth;
      continue;
    }
    for (;;) {
      if (node == root) return deepest;
      if (pugi::xml_node next = NextSiblingElement(node)) {
        node = next;
        break;
      }
      node = node.parent();
      --depth;
    }
  }
}

// The first element below `root` (itself included) that carries one attribute
// twice, and that attribute's name; a null node when there is none. XML does
// not allow it, and the parser keeps both, so that which one counts would
// depend on the reader: the document is refused instead.
pugi::xml_node RepeatedAttribute(pugi::xml_node root, std::string_view *name) {
  std::vector<std::string_view> names;
  for (pugi::xml_node node = root; node; node = NextElement(node, root)) {
    names.clear();
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
      names.emplace_back(a.name());
    }
    if (names.size() < 2) continue;
    std::sort(names.begin(), names.end());
    auto twice = std::adjacent_find(names.begin(), names.end());
    if (twice != names.end()) {
      *name = *twice;
      return node;
    }
  }
  return {};
}

// The line of `offset` in `text`, counted from 1.
long LineAt(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
}

}  // namespace

std::string Layer::Name() const {
  svg::Names &names = group->Doc().Names();
  pugi::xml_node node = group->Node();
  if (pugi::xml_attribute label =
          node.attribute(names.Lookup(svg::Names::kInkscape, "label").c_str())) {
    return label.value();
  }
  return node.attribute("id").value();
}

Document::Document() {
  handle_ = static_cast<AIDocumentHandle>(RegisterHandle(HandleKind::kDocument, this));
  view_.handle = static_cast<AIDocumentViewHandle>(RegisterHandle(HandleKind::kView, &view_));
}

Document::~Document() {
  for (Layer &layer : layers_) UnregisterHandle(layer.handle);
  for (auto &color : colors_) UnregisterHandle(color->handle);
  arts_.clear();
  UnregisterHandle(view_.handle);
  UnregisterHandle(handle_);
}

std::unique_ptr<Document> Document::Load(const std::string &path, std::string *error,
                                         ASErr *status) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    *error = path + ": is a folder, not a file";
    if (status) *status = kAIDocumentFileMissingErr;
    return nullptr;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": " + std::strerror(errno);
    if (status) *status = kAIDocumentFileMissingErr;
    return nullptr;
  }
  // Read in one piece of the file's size where it has one, so that the
  // bytes are held once and not copied on the way.
  std::string bytes;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0 && in) {
    bytes.resize(static_cast<size_t>(size));
    in.read(bytes.data(), size);
    bytes.resize(static_cast<size_t>(in.gcount()));
  }
  in.clear();
  std::ostringstream rest;  // what a pipe gives, or a file that grew meanwhile
  rest << in.rdbuf();
  if (in.bad()) {
    *error = path + ": cannot be read: " + std::strerror(errno);
    if (status) *status = kAIDocumentFileMissingErr;
    return nullptr;
  }
  if (rest.tellp() > 0) bytes += rest.str();
  std::string why;
  std::unique_ptr<Document> doc = Parse(bytes, &why);
  if (!doc) {
    *error = path + ": " + why;
    if (status) *status = kAIDocumentFormatErr;
    return nullptr;
  }
  doc->path_ = path;
  return doc;
}

std::unique_ptr<Document> Document::Parse(std::string_view svg, std::string *error) {
  std::unique_ptr<Document> doc(new Document);
  pugi::xml_parse_result result = doc->dom_.load_buffer(svg.data(), svg.size(), kParseOptions);
  if (!result) {
    *error = "not well-formed XML: " + std::string(result.description()) + " at line " +
             std::to_string(LineAt(svg, static_cast<size_t>(result.offset)));
    return nullptr;
  }
  // Every walk over the document is then bounded, and the ones that
  // recurse cannot exhaust the stack.
  const int depth = NestingDepth(doc->dom_.document_element());
  if (depth > kMaxNesting) {
    *error = "its elements nest " + std::to_string(depth) + " deep; a document may nest at most " +
             std::to_string(kMaxNesting) + " deep";
    return nullptr;
  }
  std::string_view repeated;
  if (pugi::xml_node node = RepeatedAttribute(doc->dom_.document_element(), &repeated)) {
    const ptrdiff_t offset = node.offset_debug();
    *error = "not well-formed XML: attribute " + std::string(repeated) + " given twice on <" +
             node.name() + ">";
    if (offset >= 0)
      *error += " at line " + std::to_string(LineAt(svg, static_cast<size_t>(offset)));
    return nullptr;
  }
  if (!doc->Build(error)) return nullptr;
  return doc;
}

bool Document::Build(std::string *error) {
  pugi::xml_node root = dom_.document_element();
  names_.Resolve(root);
  if (names_.SvgLocalName(root) != "svg") {
    *error = "not an SVG document (the root element is <" + std::string(root.name()) + ">)";
    return false;
  }
  IndexIds(root);
  ReadCustomColors();

  // The page, in user units: the viewBox, else width and height.
  std::string_view viewBox = root.attribute("viewBox").value();
  double box[4];
  int n = 0;
  while (n < 4 && svg::ReadNumber(viewBox, &box[n])) ++n;
  double width = 0, height = 0;
  scale_ = svg::PageScale(root);
  if (n == 4) {
    page_ = {box[0] * scale_, -box[1] * scale_, (box[0] + box[2]) * scale_,
             -(box[1] + box[3]) * scale_};
  } else if (svg::ParseLength(root.attribute("width").value(), 16, 0, &width) &&
             svg::ParseLength(root.attribute("height").value(), 16, 0, &height)) {
    page_ = {0, 0, width, -height};
  }
  view_.bounds = page_;

  const std::string groupmode = names_.Lookup(svg::Names::kInkscape, "groupmode");
  for (pugi::xml_node child : root.children()) {
    if (names_.SvgLocalName(child) != "g" ||
        std::strcmp(child.attribute(groupmode.c_str()).value(), "layer")) {
      continue;
    }
    Art *group = ReadArt(child, nullptr);
    group->layerGroup_ = true;
    layers_.push_back(
        {group, static_cast<AILayerHandle>(RegisterHandle(HandleKind::kLayer, group))});
  }
  if (layers_.empty()) {
    // A drawing without layers is one layer: its root.
    Art *group = ReadArt(root, nullptr, kGroupArt);
    group->layerGroup_ = true;
    layers_.push_back(
        {group, static_cast<AILayerHandle>(RegisterHandle(HandleKind::kLayer, group))});
  }
  return true;
}

void Document::IndexIds(pugi::xml_node top) {
  if (top.type() != pugi::node_element) return;
  for (pugi::xml_node node = top; node; node = NextElement(node, top)) {
    if (pugi::xml_attribute id = node.attribute("id")) ids_.emplace(id.value(), node);
  }
}

void Document::UnindexIds(pugi::xml_node top) {
  if (top.type() != pugi::node_element) return;
  for (pugi::xml_node node = top; node; node = NextElement(node, top)) {
    if (pugi::xml_attribute id = node.attribute("id")) {
      auto it = ids_.find(id.value());
      if (it != ids_.end() && it->second == node) ids_.erase(it);
    }
  }
}

pugi::xml_node Document::ElementById(std::string_view id) const {
  auto it = ids_.find(std::string(id));
  return it == ids_.end() ? pugi::xml_node() : it->second;
}

std::string Document::FreshId(const std::string &base) const {
  // Each base remembers the suffix it reached, so the thousandth copy of an
  // element costs what the first did; a suffix taken meanwhile by an id of
  // the file itself is still skipped.
  int &next = nextIdSuffix_[base];
  for (int n = next > 0 ? next : 1;; ++n) {
    std::string id = base + "-" + std::to_string(n);
    if (!ids_.count(id)) {
      next = n + 1;
      return id;
    }
  }
}

void Document::ReadCustomColors() {
  const std::string element = names_.Lookup(svg::Names::kVardo, "custom-color");
  std::vector<pugi::xml_node> found;
  const pugi::xml_node root = dom_.document_element();
  for (pugi::xml_node n = NextElement(root, root); n; n = NextElement(n, root)) {
    if (element == n.name()) found.push_back(n);
  }
  for (pugi::xml_node node : found) {
    const std::string name = node.attribute("name").value();
    if (name.empty() || FindCustomColor(name)) continue;
    CustomColor::Kind kind = CustomColor::kCMYK;
    std::string_view values = node.attribute("cmyk").value();
    int count = 4;
    if (!node.attribute("cmyk")) {
      kind = CustomColor::kRGB;
      values = node.attribute("rgb").value();
      count = 3;
    }
    double c[4] = {};
    int n = 0;
    while (n < count && svg::ReadNumber(values, &c[n])) ++n;
    if (n != count) continue;
    auto color = std::make_unique<CustomColor>();
    color->kind = kind;
    color->name = name;
    std::copy(c, c + 4, color->c);
    color->handle =
        static_cast<AICustomColorHandle>(RegisterHandle(HandleKind::kCustomColor, color.get()));
    colors_.push_back(std::move(color));
  }
}

CustomColor *Document::FindCustomColor(std::string_view name) const {
  for (const auto &color : colors_) {
    if (color->name == name) return color.get();
  }
  return nullptr;
}

const CustomColor *Document::CustomColorForText(std::string_view name) const {
  return FindCustomColor(name);
}

CustomColor *Document::DefineCustomColor(const std::string &name, CustomColor::Kind kind,
                                         const double *components) {
  CustomColor *color = FindCustomColor(name);
  if (!color) {
    colors_.push_back(std::make_unique<CustomColor>());
    color = colors_.back().get();
    color->name = name;
    color->handle =
        static_cast<AICustomColorHandle>(RegisterHandle(HandleKind::kCustomColor, color));
  }
  color->kind = kind;
  const int count = kind == CustomColor::kCMYK ? 4 : 3;
  std::fill(color->c, color->c + 4, 0.0);
  std::copy(components, components + count, color->c);

  // The definition in the file: replace any of that name, else add one to
  // the root's first <defs>.
  pugi::xml_node root = dom_.document_element();
  const std::string element = names_.Qualified(svg::Names::kVardo, "custom-color");
  pugi::xml_node defs;
  for (pugi::xml_node child : root.children()) {
    if (names_.SvgLocalName(child) == "defs") {
      defs = child;
      break;
    }
  }
  if (!defs) {
    defs = root.prepend_child(names_.SvgElement("defs").c_str());
    IndexIds(defs);
  }
  pugi::xml_node node;
  for (pugi::xml_node child : defs.children()) {
    if (element == child.name() && name == child.attribute("name").value()) node = child;
  }
  if (!node) {
    node = defs.append_child(element.c_str());
    node.append_attribute("name").set_value(name.c_str());
  }
  node.remove_attribute("cmyk");
  node.remove_attribute("rgb");
  std::string values;
  for (int i = 0; i < count; ++i) values += (i ? " " : "") + svg::FormatNumber(color->c[i]);
  node.append_attribute(kind == CustomColor::kCMYK ? "cmyk" : "rgb").set_value(values.c_str());
  return color;
}

Art *Document::ReadArt(pugi::xml_node node, Art *parent, ASInt16 type) {
  Art *top = ReadOneArt(node, parent, type);
  // The art inside groups, depth first in file order: each entry is a group
  // and the next of its child elements to read.
  std::vector<std::pair<Art *, pugi::xml_node>> groups;
  if (top && top->type_ == kGroupArt) groups.emplace_back(top, node.first_child());
  while (!groups.empty()) {
    auto &[group, child] = groups.back();
    if (!child) {
      groups.pop_back();
      continue;
    }
    const pugi::xml_node current = child;
    child = child.next_sibling();
    if (current.type() != pugi::node_element) continue;
    Art *art = ReadOneArt(current, group, -1);
    if (art && art->type_ == kGroupArt) groups.emplace_back(art, current.first_child());
  }
  return top;
}

Art *Document::ReadOneArt(pugi::xml_node node, Art *parent, ASInt16 type) {
  if (type < 0) type = ArtTypeOf(names_.SvgLocalName(node));
  if (type < 0) return nullptr;
  Art *art = new Art(*this, node, type);
  arts_[art->Low32()].reset(art);
  artByNode_[node.internal_object()] = art;
  art->locked_ =
      std::strcmp(
          node.attribute(names_.Lookup(svg::Names::kSodipodi, "insensitive").c_str()).value(),
          "true") == 0;
  art->hidden_ = svg::OwnProperty(node, "display") == std::optional<std::string>("none");
  ReadTags(*art);
  if (type == kTextFrameArt) {
    art->story_ = std::make_shared<TextStory>();
    svg::TextContext context{
        &names_, [this](std::string_view name) { return CustomColorForText(name); }, scale_};
    svg::ReadTextStory(node, context, art->story_.get());
    art->writtenVersion_ = art->story_->Version();
  }
  if (parent) LinkLast(art, parent);
  return art;
}

void Document::ReadTags(Art &art) {
  const std::string plain = names_.Prefix(svg::Names::kTag) + ":";
  const std::string bytes = names_.Prefix(svg::Names::kTagBytes) + ":";
  for (pugi::xml_attribute attribute : art.node_.attributes()) {
    std::string_view name = attribute.name();
    if (name.rfind(bytes, 0) == 0) {
      art.tags_.emplace(svg::DecodeTagName(name.substr(bytes.size())),
                        svg::UnescapeTagBytes(attribute.value()));
    }
  }
  // The readable form wins over an escaped one of the same name.
  for (pugi::xml_attribute attribute : art.node_.attributes()) {
    std::string_view name = attribute.name();
    if (name.rfind(plain, 0) == 0)
      art.tags_[svg::DecodeTagName(name.substr(plain.size()))] = attribute.value();
  }
}

void Document::LinkLast(Art *art, Art *parent) {
  art->parent_ = parent;
  art->prevInFile_ = parent->lastInFile_;
  art->nextInFile_ = nullptr;
  if (parent->lastInFile_) {
    parent->lastInFile_->nextInFile_ = art;
  } else {
    parent->firstInFile_ = art;
  }
  parent->lastInFile_ = art;
}

void Document::Unlink(Art *art) {
  Art *parent = art->parent_;
  if (!parent) return;
  (art->prevInFile_ ? art->prevInFile_->nextInFile_ : parent->firstInFile_) = art->nextInFile_;
  (art->nextInFile_ ? art->nextInFile_->prevInFile_ : parent->lastInFile_) = art->prevInFile_;
  art->parent_ = art->prevInFile_ = art->nextInFile_ = nullptr;
}

void Document::Forget(Art *top) {
  std::vector<Art *> gone{top};
  for (size_t i = 0; i < gone.size(); ++i) {
    for (Art *child = gone[i]->firstInFile_; child; child = child->nextInFile_)
      gone.push_back(child);
  }
  for (Art *art : gone) {
    artByNode_.erase(art->node_.internal_object());
    arts_.erase(art->Low32());  // destroys it, and its handle with it
  }
}

Layer *Document::NthLayer(size_t n) const {
  if (n >= layers_.size()) return nullptr;
  return const_cast<Layer *>(&layers_[layers_.size() - 1 - n]);
}

Art *Document::FindArtById(std::string_view id) const {
  pugi::xml_node node = ElementById(id);
  auto it = artByNode_.find(node.internal_object());
  return node && it != artByNode_.end() ? it->second : nullptr;
}

Art *Document::FindArtByLow32(uint32_t low32) const {
  auto it = arts_.find(low32);
  return it == arts_.end() ? nullptr : it->second.get();
}

void Document::ForEachArt(const std::function<void(Art &, int)> &visit) const {
  for (size_t n = 0; n < layers_.size(); ++n) {
    Art *top = NthLayer(n)->group;
    int depth = 0;
    for (Art *art = top; art;) {
      visit(*art, depth);
      if (art->FirstChild()) {
        art = art->FirstChild();
        ++depth;
        continue;
      }
      while (art != top && !art->Sibling()) {
        art = art->Parent();
        --depth;
      }
      art = art == top ? nullptr : art->Sibling();
    }
  }
}

svg::Matrix Document::TransformToRoot(pugi::xml_node node) const {
  svg::Matrix m;
  pugi::xml_node root = dom_.document_element();
  for (pugi::xml_node n = node; n && n != root && n.type() == pugi::node_element; n = n.parent()) {
    svg::Matrix own;
    svg::ParseTransform(n.attribute("transform").value(), &own);
    m = own * m;
  }
  return m;
}

bool Document::Place(pugi::xml_node node, ASInt16 paintOrder, Art &prep, Art **parent,
                     std::string *error, pugi::xml_node *placed, const pugi::xml_node *copyFrom) {
  if (&prep.doc_ != this) {
    *error = "the reference art belongs to another document";
    return false;
  }
  auto insert = [&](pugi::xml_node into, pugi::xml_node after, pugi::xml_node before) {
    if (copyFrom) {
      if (after) return into.insert_copy_after(*copyFrom, after);
      if (before) return into.insert_copy_before(*copyFrom, before);
      return into.append_copy(*copyFrom);
    }
    if (after) return into.insert_child_after(node.name(), after);
    if (before) return into.insert_child_before(node.name(), before);
    return into.append_child(node.name());
  };
  pugi::xml_node prepNode = prep.node_;
  // A placement that nests the document past the limit would save a file
  // that no longer opens.
  auto fits = [&](pugi::xml_node into) {
    int depth = copyFrom ? NestingDepth(*copyFrom) : 1;
    for (pugi::xml_node n = into; n && n.type() == pugi::node_element; n = n.parent()) ++depth;
    if (depth <= kMaxNesting) return true;
    *error = "placed there, the art would nest " + std::to_string(depth) +
             " deep; a document may nest at most " + std::to_string(kMaxNesting) + " deep";
    return false;
  };
  switch (paintOrder) {
    case kPlaceAbove:
    case kPlaceBelow: {
      if (!prep.parent_) {
        *error = "art cannot be placed beside a layer's group";
        return false;
      }
      if (!fits(prepNode.parent())) return false;
      *parent = prep.parent_;
      pugi::xml_node into = prepNode.parent();
      pugi::xml_node indent = prepNode.previous_sibling();
      if (paintOrder == kPlaceAbove) {
        *placed = insert(into, prepNode, {});
        // Keep the file's indentation: the new element gets the blank text
        // that stands before its reference.
        if (IsBlankText(indent)) into.insert_copy_before(indent, *placed);
      } else {
        *placed = insert(into, {}, prepNode);
        if (IsBlankText(indent)) into.insert_copy_after(indent, *placed);
      }
      return true;
    }
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom:
      if (prep.type_ != kGroupArt) {
        *error = "art can be placed inside a group only";
        return false;
      }
      if (!fits(prepNode)) return false;
      *parent = &prep;
      if (paintOrder == kPlaceInsideOnBottom && prep.firstInFile_) {
        *placed = insert(prepNode, {}, prep.firstInFile_->node_);
      } else {
        *placed = insert(prepNode, {}, {});
      }
      return true;
    default: *error = "unknown paint order " + std::to_string(paintOrder); return false;
  }
}

// Makes art of an element just placed in the DOM and links it where it
// lies among its parent's art.
Art *Document::Adopt(pugi::xml_node placed, Art *parent) {
  Art *art = ReadArt(placed, nullptr);
  Art *before = nullptr;  // the art element just before it in the file
  for (pugi::xml_node n = placed.previous_sibling(); n && !before; n = n.previous_sibling()) {
    auto it = artByNode_.find(n.internal_object());
    if (it != artByNode_.end()) before = it->second;
  }
  art->parent_ = parent;
  art->prevInFile_ = before;
  art->nextInFile_ = before ? before->nextInFile_ : parent->firstInFile_;
  (art->nextInFile_ ? art->nextInFile_->prevInFile_ : parent->lastInFile_) = art;
  (before ? before->nextInFile_ : parent->firstInFile_) = art;
  return art;
}

Art *Document::Duplicate(Art &art, ASInt16 paintOrder, Art &prep, std::string *error) {
  if (art.layerGroup_) {
    *error = "a layer's group cannot be copied";
    return nullptr;
  }
  if (&art.doc_ != this) {
    *error = "the art belongs to another document";
    return nullptr;
  }
  const svg::Matrix oldParent = TransformToRoot(art.node_.parent());
  Art *parent = nullptr;
  pugi::xml_node placed;
  if (!Place(art.node_, paintOrder, prep, &parent, error, &placed, &art.node_)) return nullptr;

  // Fresh ids through the copy.
  for (pugi::xml_node n = placed; n; n = NextElement(n, placed)) {
    if (pugi::xml_attribute id = n.attribute("id")) {
      const std::string fresh = FreshId(id.value());
      id.set_value(fresh.c_str());
      ids_.emplace(fresh, n);
    }
  }

  // Same place on the page under its new parent.
  const svg::Matrix newParent = TransformToRoot(placed.parent());
  svg::Matrix inverse;
  if (newParent.Invert(&inverse)) {
    svg::Matrix own;
    svg::ParseTransform(placed.attribute("transform").value(), &own);
    const svg::Matrix adjusted = inverse * oldParent * own;
    const svg::Matrix unchanged = own;
    bool same = true;
    const double a[6] = {adjusted.a, adjusted.b, adjusted.c, adjusted.d, adjusted.e, adjusted.f};
    const double b[6] = {unchanged.a, unchanged.b, unchanged.c,
                         unchanged.d, unchanged.e, unchanged.f};
    for (int i = 0; i < 6; ++i) same = same && std::abs(a[i] - b[i]) < 1e-9;
    if (!same) {
      const std::string text = svg::FormatTransform(adjusted);
      placed.remove_attribute("transform");
      if (!text.empty()) placed.append_attribute("transform").set_value(text.c_str());
    }
  }

  Art *copy = Adopt(placed, parent);
  // The model of the copy is the original's (its stories may be ahead of
  // the DOM): copy them over, pairwise through the two trees.
  std::vector<std::pair<const Art *, Art *>> pairs{{&art, copy}};
  for (size_t i = 0; i < pairs.size(); ++i) {
    const Art &from = *pairs[i].first;
    Art &to = *pairs[i].second;
    if (from.story_) {
      to.story_ = std::make_shared<TextStory>(*from.story_);
      to.writtenVersion_ = from.writtenVersion_;
    }
    to.tags_ = from.tags_;
    const Art *f = from.firstInFile_;
    Art *t = to.firstInFile_;
    for (; f && t; f = f->nextInFile_, t = t->nextInFile_) pairs.emplace_back(f, t);
  }
  return copy;
}

Art *Document::NewArt(std::string_view element, ASInt16 paintOrder, Art &prep, std::string *error) {
  if (ArtTypeOf(element) < 0) {
    *error = "<" + std::string(element) + "> is not art";
    return nullptr;
  }
  pugi::xml_document scratch;
  pugi::xml_node model = scratch.append_child(names_.SvgElement(element).c_str());
  Art *parent = nullptr;
  pugi::xml_node placed;
  if (!Place(model, paintOrder, prep, &parent, error, &placed, nullptr)) return nullptr;
  return Adopt(placed, parent);
}

bool Document::Dispose(Art &art) {
  if (art.layerGroup_ || &art.doc_ != this) return false;
  pugi::xml_node node = art.node_;
  pugi::xml_node parent = node.parent();
  Unlink(&art);
  Forget(&art);
  UnindexIds(node);
  pugi::xml_node indent = node.previous_sibling();
  if (IsBlankText(indent)) parent.remove_child(indent);
  parent.remove_child(node);
  return true;
}

std::vector<Art *> Document::Selection() const {
  std::vector<Art *> selected;
  ForEachArt([&](Art &art, int) {
    if (art.Selected()) selected.push_back(&art);
  });
  return selected;
}

void Document::DeselectAll() {
  for (auto &[serial, art] : arts_) art->selected_ = false;
}

void Document::WriteStories() {
  svg::TextContext context{
      &names_, [this](std::string_view name) { return CustomColorForText(name); }, scale_};
  for (auto &[serial, art] : arts_) {
    if (art->story_ && art->story_->Version() != art->writtenVersion_) {
      svg::WriteTextStory(*art->story_, context, art->node_);
      art->writtenVersion_ = art->story_->Version();
    }
  }
}

std::string Document::Serialize() {
  WriteStories();
  names_.DeclareUsed(dom_.document_element());
  // Written as UTF-8 whatever the file was read from.
  for (pugi::xml_node node : dom_.children()) {
    if (node.type() == pugi::node_declaration && node.attribute("encoding")) {
      node.attribute("encoding").set_value("UTF-8");
    }
  }
  std::ostringstream out;
  dom_.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

bool Document::Save(const std::string &path, std::string *error) {
  RelinkPictures(*this, std::filesystem::absolute(path).parent_path().string());
  const std::string text = Serialize();
  if (int e = vplat::SaveFile(path, text.data(), text.size())) {
    *error = path + ": " + std::strerror(e);
    return false;
  }
  return true;
}

}  // namespace vhost
