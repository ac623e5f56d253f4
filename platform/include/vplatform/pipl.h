// Reading a plug-in property list ("PIPL" resource, name "PLUGIN").
//
// Layout, all numbers 32-bit big-endian: the list version (two words,
// major and minor), the property count, then the properties, each a vendor
// code, a key, a property id, the data length and the data padded with zero
// bytes to a multiple of 4. Four-character codes are read as big-endian
// words, so 'ADBE' is 0x41444245.
//
// ParsePipl only checks the structure; which version and which keys a host
// demands is the host's policy.
#ifndef VARDO_VPLATFORM_PIPL_H
#define VARDO_VPLATFORM_PIPL_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "../win/types.h"

namespace vplat {

// The big-endian word of a four-character code: FourCC("ADBE") == 0x41444245.
constexpr std::uint32_t FourCC(const char (&code)[5]) {
  return (std::uint32_t(std::uint8_t(code[0])) << 24) |
         (std::uint32_t(std::uint8_t(code[1])) << 16) |
         (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

struct PiplProperty {
  std::uint32_t vendor = 0;
  std::uint32_t key = 0;
  std::uint32_t id = 0;
  // Points into the parsed bytes; `length` is the declared length, without
  // the padding.
  const std::uint8_t *data = nullptr;
  std::uint32_t length = 0;
};

struct Pipl {
  std::uint32_t versionMajor = 0;
  std::uint32_t versionMinor = 0;
  std::vector<PiplProperty> properties;

  // The first property with this vendor and key, or nullptr.
  VPLAT_API const PiplProperty *Find(std::uint32_t vendor, std::uint32_t key) const;
};

// Parses `size` bytes. On success fills *out (pointing into `bytes`, which
// must outlive it) and returns true. On failure returns false and, when
// `error` is given, says what is wrong and at which byte offset: too short
// for its header, a property running past the end, padding that is not
// zero, or bytes left after the last property.
VPLAT_API bool ParsePipl(const void *bytes, std::size_t size, Pipl *out, std::string *error);

// The NUL-terminated text of a property's data (e.g. the 'pinm' name); empty
// when the data holds no NUL.
VPLAT_API std::string_view PiplPropertyText(const PiplProperty &property);

}  // namespace vplat

#endif
