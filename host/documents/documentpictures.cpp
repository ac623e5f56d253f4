#include "documentpictures.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "svggeometry.h"

namespace vhost {

namespace {

std::string Base64(const unsigned char *bytes, size_t size) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  for (size_t i = 0; i < size; i += 3) {
    const uint32_t n = (uint32_t(bytes[i]) << 16) |
                       (i + 1 < size ? uint32_t(bytes[i + 1]) << 8 : 0) |
                       (i + 2 < size ? uint32_t(bytes[i + 2]) : 0);
    out += kDigits[(n >> 18) & 63];
    out += kDigits[(n >> 12) & 63];
    out += i + 1 < size ? kDigits[(n >> 6) & 63] : '=';
    out += i + 2 < size ? kDigits[n & 63] : '=';
  }
  return out;
}

// A path as a URL reference: bytes other than unreserved characters and
// '/' percent-encoded.
std::string UrlPath(const std::string &path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// The bytes UrlPath encoded.
std::string UrlDecode(std::string_view text) {
  auto digit = [](char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : -1;
  };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && digit(text[i + 1]) >= 0 &&
        digit(text[i + 2]) >= 0) {
      out += static_cast<char>(digit(text[i + 1]) * 16 + digit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The link's href as seen from `folder`: relative when there is a folder,
// else a file: URL.
std::string HrefFor(const std::string &linkPath, const std::string &folder) {
  namespace fs = std::filesystem;
  if (folder.empty())
    return "file://" + UrlPath(fs::absolute(linkPath).lexically_normal().string());
  const fs::path relative = fs::absolute(linkPath).lexically_normal().lexically_relative(
      fs::absolute(folder).lexically_normal());
  if (relative.empty())
    return "file://" + UrlPath(fs::absolute(linkPath).lexically_normal().string());
  return UrlPath(relative.generic_string());
}

std::string FolderOf(const Document &doc) {
  if (doc.Path().empty()) return {};
  return std::filesystem::absolute(doc.Path()).parent_path().string();
}

void SetAttribute(pugi::xml_node node, const std::string &name, const std::string &value) {
  pugi::xml_attribute attribute = node.attribute(name.c_str());
  if (!attribute) attribute = node.append_attribute(name.c_str());
  attribute.set_value(value.c_str());
}

// The picture's type by its first bytes; a renderer needs it to decode a
// data: URL. SVG is the rest (the host links SVG pictures as text).
const char *PictureType(const std::string &bytes) {
  if (bytes.rfind("\x89PNG", 0) == 0) return "image/png";
  if (bytes.rfind("\xFF\xD8\xFF", 0) == 0) return "image/jpeg";
  if (bytes.rfind("GIF8", 0) == 0) return "image/gif";
  if (bytes.rfind("RIFF", 0) == 0 && bytes.compare(8, 4, "WEBP") == 0) return "image/webp";
  return "image/svg+xml";
}

// A picture's bytes as the value of an href.
std::string DataUrl(const char *mimeType, const void *bytes, size_t size) {
  return std::string("data:") + mimeType + ";base64," +
         Base64(static_cast<const unsigned char *>(bytes), size);
}

}  // namespace

Art *PlacePictureAbove(Art &art, const char *linkPath, const void *data, size_t size,
                       const char *mimeType, const AIRealRect &bounds) {
  Document &doc = art.Doc();
  std::string error;
  Art *image = doc.NewArt("image", kPlaceAbove, art, &error);
  if (!image) return nullptr;
  // From points on the page to the parent's user space.
  svg::Matrix toParent;
  doc.TransformToRoot(image->Node().parent()).Invert(&toParent);
  const double scale = doc.Scale();
  const svg::Point a = toParent.Apply({bounds.left / scale, -bounds.top / scale});
  const svg::Point b = toParent.Apply({bounds.right / scale, -bounds.bottom / scale});
  pugi::xml_node node = image->Node();
  svg::Names &names = doc.Names();
  SetAttribute(node, "x", svg::FormatNumber(std::min(a.x, b.x)));
  SetAttribute(node, "y", svg::FormatNumber(std::min(a.y, b.y)));
  SetAttribute(node, "width", svg::FormatNumber(std::abs(b.x - a.x)));
  SetAttribute(node, "height", svg::FormatNumber(std::abs(b.y - a.y)));
  SetAttribute(node, "preserveAspectRatio", "none");
  const std::string href = names.Qualified(svg::Names::kXlink, "href");
  if (linkPath) {
    const std::string absolute = std::filesystem::absolute(linkPath).lexically_normal().string();
    // Percent-encoded like the href: a file's name may hold any bytes.
    SetAttribute(node, names.Qualified(svg::Names::kVardo, "link"), UrlPath(absolute));
    SetAttribute(node, href, HrefFor(absolute, FolderOf(doc)));
  } else {
    SetAttribute(node, href, DataUrl(mimeType, data, size));
  }
  return image;
}

void RelinkPictures(Document &doc, const std::string &folder) {
  svg::Names &names = doc.Names();
  const std::string link = names.Lookup(svg::Names::kVardo, "link");
  const std::string href = names.Lookup(svg::Names::kXlink, "href");
  doc.ForEachArt([&](Art &art, int) {
    if (art.Type() != kPlacedArt) return;
    pugi::xml_attribute path = art.Node().attribute(link.c_str());
    if (!path) return;
    SetAttribute(art.Node(), href, HrefFor(UrlDecode(path.value()), folder));
  });
}

int EmbedLinkedPictures(Document &doc, std::vector<std::string> *unread) {
  svg::Names &names = doc.Names();
  const std::string link = names.Lookup(svg::Names::kVardo, "link");
  const std::string href = names.Lookup(svg::Names::kXlink, "href");
  int embedded = 0;
  doc.ForEachArt([&](Art &art, int) {
    if (art.Type() != kPlacedArt) return;
    pugi::xml_attribute path = art.Node().attribute(link.c_str());
    if (!path) return;
    const std::string file = UrlDecode(path.value());
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) bytes.clear();
    if (bytes.empty()) {
      if (unread) unread->push_back(file);
      return;
    }
    SetAttribute(art.Node(), href, DataUrl(PictureType(bytes), bytes.data(), bytes.size()));
    ++embedded;
  });
  return embedded;
}

}  // namespace vhost
