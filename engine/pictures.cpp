#include "pictures.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>

#include "VardoEngine.h"
#include "vplatform/paths.h"

namespace {

namespace fs = std::filesystem;

uint32_t Big32(const std::string &b, size_t at) {
  return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
         (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}
uint32_t Big16(const std::string &b, size_t at) {
  return (uint32_t(uint8_t(b[at])) << 8) | uint8_t(b[at + 1]);
}
uint32_t Little16(const std::string &b, size_t at) {
  return uint8_t(b[at]) | (uint32_t(uint8_t(b[at + 1])) << 8);
}

// The size in a JPEG's first start-of-frame segment.
bool JpegSize(const std::string &b, double *width, double *height) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (uint8_t(b[at]) != 0xFF) return false;
    const uint8_t marker = uint8_t(b[at + 1]);
    if (marker == 0xFF) {
      ++at;  // fill byte
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    const uint32_t length = Big16(b, at + 2);
    if (length < 2) return false;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > b.size()) return false;
      *height = Big16(b, at + 5);
      *width = Big16(b, at + 7);
      return *width > 0 && *height > 0;
    }
    at += 2 + length;
  }
  return false;
}

bool ParseSvg(const std::string &bytes, pugi::xml_document *doc) {
  if (!doc->load_buffer(bytes.data(), bytes.size(), pugi::parse_default)) return false;
  const char *name = doc->document_element().name();
  const char *colon = std::strrchr(name, ':');
  return std::strcmp(colon ? colon + 1 : name, "svg") == 0;
}

// A length attribute of the SVG root in its own units; 0 for none or %.
double SvgLength(pugi::xml_attribute attribute) {
  const char *text = attribute.value();
  char *end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || (end && *end == '%') || !(value > 0)) return 0;
  return value;
}

}  // namespace

PictureFormat SniffPicture(const std::string &b) {
  if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && b.compare(12, 4, "IHDR") == 0)
    return kPng;
  if (b.size() >= 4 && uint8_t(b[0]) == 0xFF && uint8_t(b[1]) == 0xD8 && uint8_t(b[2]) == 0xFF)
    return kJpeg;
  if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0))
    return kGif;
  pugi::xml_document doc;
  if (b.find("<svg") != std::string::npos && ParseSvg(b, &doc)) return kSvg;
  return kNotAPicture;
}

const char *PictureMimeType(PictureFormat format) {
  switch (format) {
    case kPng: return "image/png";
    case kJpeg: return "image/jpeg";
    case kGif: return "image/gif";
    case kSvg: return "image/svg+xml";
    default: return "application/octet-stream";
  }
}

bool PictureSize(const std::string &b, PictureFormat format, double *width, double *height) {
  switch (format) {
    case kPng:
      *width = Big32(b, 16);
      *height = Big32(b, 20);
      return *width > 0 && *height > 0;
    case kJpeg: return JpegSize(b, width, height);
    case kGif:
      *width = Little16(b, 6);
      *height = Little16(b, 8);
      return *width > 0 && *height > 0;
    case kSvg: {
      pugi::xml_document doc;
      if (!ParseSvg(b, &doc)) return false;
      pugi::xml_node root = doc.document_element();
      *width = SvgLength(root.attribute("width"));
      *height = SvgLength(root.attribute("height"));
      if (*width > 0 && *height > 0) return true;
      double box[4];
      if (std::sscanf(root.attribute("viewBox").value(), "%lf%*[ ,]%lf%*[ ,]%lf%*[ ,]%lf", &box[0],
                      &box[1], &box[2], &box[3]) == 4 &&
          box[2] > 0 && box[3] > 0) {
        *width = box[2];
        *height = box[3];
        return true;
      }
      return false;
    }
    default: return false;
  }
}

bool ResolvePicturePath(const std::string &src, const std::string &folder, bool anyPath,
                        std::string *path, const char **kind, std::string *detail) {
  std::string name = src;
  if (name.size() >= 7 && strncasecmp(name.c_str(), "file://", 7) == 0) name.erase(0, 7);
  if (name.empty()) {
    *kind = kVardoProblemMissingPicture;
    *detail = "the picture's path is empty";
    return false;
  }
  // A Windows path as the data holds it: its drive through the drive table,
  // its backslashes as slashes.
  const bool drive =
      name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
  std::replace(name.begin(), name.end(), '\\', '/');
  fs::path base = folder.empty() ? fs::current_path() : fs::path(folder);
  fs::path target;
  if (drive) {
    const std::string root = vplat::DriveMapping(name[0]);
    if (root.empty()) {
      *kind = kVardoProblemMissingPicture;
      *detail = "\"" + src + "\" is on a drive that names no folder here";
      return false;
    }
    std::string rest = name.substr(2);
    while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
    target = fs::path(root) / rest;
  } else {
    target = fs::path(name).is_absolute() ? fs::path(name) : base / name;
  }
  std::error_code ec;
  // Symbolic links and ".." resolved, so that neither leads out unseen.
  const fs::path real = fs::weakly_canonical(target, ec);
  const fs::path realBase = fs::weakly_canonical(base, ec);
  *path = real.empty() ? target.string() : real.string();
  if (!anyPath) {
    const fs::path relative = real.lexically_relative(realBase);
    const bool inside =
        !real.empty() && !relative.empty() && *relative.begin() != ".." && relative != ".";
    if (!inside) {
      *kind = kVardoProblemPictureOutside;
      *detail = "\"" + src + "\" lies outside the picture folder " + realBase.string() +
                " (allow it with --any-picture-path)";
      return false;
    }
  }
  return true;
}

bool ReadPicture(const std::string &path, std::string *bytes, PictureFormat *format,
                 const char **kind, std::string *detail) {
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    *kind = kVardoProblemMissingPicture;
    *detail = path + " does not exist";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  const auto size = fs::file_size(path, ec);
  if (!in || ec || !fs::is_regular_file(path, ec) || size > (256u << 20)) {
    *kind = kVardoProblemMissingPicture;
    *detail = path + " cannot be read";
    return false;
  }
  bytes->assign(static_cast<size_t>(size), '\0');
  in.read(bytes->data(), static_cast<std::streamsize>(size));
  if (!in) {
    *kind = kVardoProblemMissingPicture;
    *detail = path + " cannot be read";
    return false;
  }
  *format = SniffPicture(*bytes);
  if (*format == kNotAPicture) {
    *kind = kVardoProblemNotAPicture;
    *detail = path + " is not a PNG, JPEG, GIF or SVG picture";
    return false;
  }
  return true;
}

AIRealRect AlignInCell(const AIRealRect &frame, const CellLayout &cell, double w, double h) {
  const double cellWidth = cell.width > 0 ? cell.width : frame.right - frame.left;
  const double cellHeight = cell.height > 0 ? cell.height : frame.top - frame.bottom;
  const double left = frame.left + (cell.align == CellLayout::kCenter  ? (cellWidth - w) / 2
                                    : cell.align == CellLayout::kRight ? cellWidth - w
                                                                       : 0);
  const double top = frame.top - (cell.valign == CellLayout::kMiddle   ? (cellHeight - h) / 2
                                  : cell.valign == CellLayout::kBottom ? cellHeight - h
                                                                       : 0);
  return AIRealRect{left, top, left + w, top - h};
}

AIRealRect FitPicture(const AIRealRect &frame, const CellLayout &cell, double width,
                      double height) {
  const double cellWidth = cell.width > 0 ? cell.width : frame.right - frame.left;
  const double cellHeight = cell.height > 0 ? cell.height : frame.top - frame.bottom;
  if (!(width > 0) || !(height > 0)) {
    width = cellWidth;
    height = cellHeight;
  }
  const double scale = std::min(cellWidth / width, cellHeight / height);
  return AlignInCell(frame, cell, width * scale, height * scale);
}
