#include "vplatform/pipl.h"

#include <cstring>

namespace vplat {
namespace {

std::uint32_t ReadBig32(const std::uint8_t *p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         p[3];
}

bool Fail(std::string *error, std::string message, std::size_t offset) {
  if (error != nullptr) *error = message + " at byte " + std::to_string(offset);
  return false;
}

}  // namespace

const PiplProperty *Pipl::Find(std::uint32_t vendor, std::uint32_t key) const {
  for (const PiplProperty &p : properties)
    if (p.vendor == vendor && p.key == key) return &p;
  return nullptr;
}

bool ParsePipl(const void *bytes, std::size_t size, Pipl *out, std::string *error) {
  const auto *p = static_cast<const std::uint8_t *>(bytes);
  if (p == nullptr || size < 12)
    return Fail(error, "property list shorter than its 12-byte header", 0);
  Pipl pipl;
  pipl.versionMajor = ReadBig32(p);
  pipl.versionMinor = ReadBig32(p + 4);
  const std::uint32_t count = ReadBig32(p + 8);
  std::size_t at = 12;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (size - at < 16)
      return Fail(
          error,
          "property " + std::to_string(i + 1) + " of " + std::to_string(count) + " is cut short",
          at);
    PiplProperty prop;
    prop.vendor = ReadBig32(p + at);
    prop.key = ReadBig32(p + at + 4);
    prop.id = ReadBig32(p + at + 8);
    prop.length = ReadBig32(p + at + 12);
    at += 16;
    const std::size_t padded = (std::size_t(prop.length) + 3) / 4 * 4;
    if (padded > size - at)
      return Fail(error, "property " + std::to_string(i + 1) + " data runs past the end", at);
    prop.data = p + at;
    for (std::size_t k = prop.length; k < padded; ++k)
      if (p[at + k] != 0)
        return Fail(error, "property " + std::to_string(i + 1) + " padding is not zero", at + k);
    at += padded;
    pipl.properties.push_back(prop);
  }
  if (at != size)
    return Fail(error, std::to_string(size - at) + " bytes after the last property", at);
  if (out != nullptr) *out = std::move(pipl);
  return true;
}

std::string_view PiplPropertyText(const PiplProperty &property) {
  const void *nul = std::memchr(property.data, 0, property.length);
  if (nul == nullptr) return {};
  return std::string_view(reinterpret_cast<const char *>(property.data),
                          static_cast<const std::uint8_t *>(nul) - property.data);
}

}  // namespace vplat
