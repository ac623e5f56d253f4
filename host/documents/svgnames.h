// XML namespaces of document files and the prefixes a file binds them to.
// Inkscape's and our own namespaces are found by URI on the root element,
// whatever prefix the file chose; a namespace the file lacks gets its usual
// prefix (or a free variant of it) and is declared on the root when saving
// puts something in it.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace vhost::svg {

inline constexpr char kSvgNamespace[] = "http://www.w3.org/2000/svg";
inline constexpr char kInkscapeNamespace[] = "http://www.inkscape.org/namespaces/inkscape";
inline constexpr char kSodipodiNamespace[] = "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd";
inline constexpr char kXlinkNamespace[] = "http://www.w3.org/1999/xlink";
// Our own: document features SVG has no word for.
inline constexpr char kVardoNamespace[] = "urn:vardo:document:1";
// String tags whose values are plain text, one attribute per tag.
inline constexpr char kTagNamespace[] = "urn:vardo:tag:1";
// String tags whose values are not plain text, percent-escaped.
inline constexpr char kTagBytesNamespace[] = "urn:vardo:tag-bytes:1";

class Names {
 public:
  // Reads the root's declarations.
  void Resolve(pugi::xml_node root);
  // Declares on the root each of our namespaces that was used and is not
  // declared yet.
  void DeclareUsed(pugi::xml_node root);

  enum Space { kInkscape, kSodipodi, kXlink, kVardo, kTag, kTagBytes, kSpaceCount };
  // "prefix:local" in the namespace, marking it used (for writing).
  std::string Qualified(Space space, std::string_view local);
  // The same name for reading: leaves the namespace unmarked.
  std::string Lookup(Space space, std::string_view local) const {
    return prefixes_[space] + ":" + std::string(local);
  }
  const std::string &Prefix(Space space) const { return prefixes_[space]; }
  // The name of an SVG element with the file's prefix for SVG, if any.
  std::string SvgElement(std::string_view local) const;
  // The local name when `node` is an SVG element, else empty.
  std::string_view SvgLocalName(pugi::xml_node node) const;

 private:
  std::string prefixes_[kSpaceCount];
  bool declared_[kSpaceCount] = {};
  bool used_[kSpaceCount] = {};
  std::string svgPrefix_;     // empty: SVG is the default namespace
  bool svgIsDefault_ = true;  // unprefixed names are SVG
};

}  // namespace vhost::svg
