#include "svgnames.h"

#include <cstring>
#include <map>

namespace vhost::svg {

namespace {

struct Known {
  const char *uri;
  const char *prefix;
};

const Known kKnown[Names::kSpaceCount] = {
    {kInkscapeNamespace, "inkscape"}, {kSodipodiNamespace, "sodipodi"},
    {kXlinkNamespace, "xlink"},       {kVardoNamespace, "vardo"},
    {kTagNamespace, "vardotag"},      {kTagBytesNamespace, "vardotagx"},
};

// Whether names written with `prefix` read back: a name begins with a
// letter, an underscore or a byte of a multi-byte character. A declaration
// such as xmlns:3d="..." is taken by the parser, but 3d:role is not.
bool Usable(const std::string &prefix) {
  const unsigned char first = prefix.empty() ? 0 : static_cast<unsigned char>(prefix[0]);
  return (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z') || first == '_' ||
         first >= 0x80;
}

}  // namespace

void Names::Resolve(pugi::xml_node root) {
  std::map<std::string, std::string> byPrefix;  // prefix -> URI
  std::string defaultUri;
  bool hasDefault = false;
  for (pugi::xml_attribute attribute : root.attributes()) {
    const char *name = attribute.name();
    if (std::strcmp(name, "xmlns") == 0) {
      defaultUri = attribute.value();
      hasDefault = true;
    } else if (std::strncmp(name, "xmlns:", 6) == 0 && Usable(name + 6)) {
      byPrefix[name + 6] = attribute.value();
    }
  }
  // A file without any SVG declaration is read as SVG all the same.
  svgIsDefault_ = !hasDefault || defaultUri == kSvgNamespace;
  svgPrefix_.clear();
  for (const auto &[prefix, uri] : byPrefix) {
    if (uri == kSvgNamespace && !svgIsDefault_) svgPrefix_ = prefix;
  }
  for (int space = 0; space < kSpaceCount; ++space) {
    declared_[space] = false;
    used_[space] = false;
    prefixes_[space].clear();
    for (const auto &[prefix, uri] : byPrefix) {
      if (uri == kKnown[space].uri) {
        prefixes_[space] = prefix;
        declared_[space] = true;
        break;
      }
    }
    if (declared_[space]) continue;
    std::string prefix = kKnown[space].prefix;
    for (int n = 1; byPrefix.count(prefix); ++n) prefix = kKnown[space].prefix + std::to_string(n);
    prefixes_[space] = prefix;
    byPrefix[prefix] = kKnown[space].uri;  // keep later choices apart
  }
}

void Names::DeclareUsed(pugi::xml_node root) {
  for (int space = 0; space < kSpaceCount; ++space) {
    if (!used_[space] || declared_[space]) continue;
    const std::string name = "xmlns:" + prefixes_[space];
    if (!root.attribute(name.c_str()))
      root.append_attribute(name.c_str()).set_value(kKnown[space].uri);
    declared_[space] = true;
  }
}

std::string Names::Qualified(Space space, std::string_view local) {
  used_[space] = true;
  return prefixes_[space] + ":" + std::string(local);
}

std::string Names::SvgElement(std::string_view local) const {
  if (svgPrefix_.empty()) return std::string(local);
  return svgPrefix_ + ":" + std::string(local);
}

std::string_view Names::SvgLocalName(pugi::xml_node node) const {
  if (node.type() != pugi::node_element) return {};
  std::string_view name = node.name();
  const size_t colon = name.find(':');
  if (colon == std::string_view::npos) return svgIsDefault_ ? name : std::string_view{};
  if (!svgPrefix_.empty() && name.substr(0, colon) == svgPrefix_) return name.substr(colon + 1);
  return {};
}

}  // namespace vhost::svg
