// Building binary resource data: little-endian (Windows) and big-endian
// numbers, UTF-16 strings, alignment.
#ifndef VARDO_RESOURCES_RC_BYTES_H
#define VARDO_RESOURCES_RC_BYTES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vardo::rc {

class ByteWriter {
 public:
  void U8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void BigU16(std::uint32_t v) {
    U8(v >> 8);
    U8(v);
  }
  void BigU32(std::uint32_t v) {
    BigU16(v >> 16);
    BigU16(v);
  }
  void Bytes(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  void Bytes(const std::vector<std::uint8_t> &b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
  }
  // UTF-16 units followed by a NUL unit.
  void String16(std::u16string_view s) {
    for (char16_t c : s) U16(c);
    U16(0);
  }
  void Align(std::size_t n) {
    while (bytes_.size() % n != 0) U8(0);
  }
  std::size_t Size() const { return bytes_.size(); }
  std::vector<std::uint8_t> &Data() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace vardo::rc

#endif
