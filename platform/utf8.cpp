#include <vplatform/utf8.h>

#include "codepage_convert.h"

namespace vplat {
namespace {

// Every conversion writes into a buffer sized for the most its input can
// give, so it runs once and never stops for room: a UTF-8 byte gives at most
// one UTF-16 unit, a UTF-16 unit at most three UTF-8 bytes.
std::optional<std::u16string> Decode(std::string_view utf8, bool strict) {
  std::u16string out(utf8.size(), u'\0');
  codepage::Result r = codepage::Utf8ToUtf16(reinterpret_cast<const uint8_t *>(utf8.data()),
                                             utf8.size(), out.data(), out.size(), strict);
  if (r.status != codepage::Status::kOk) return std::nullopt;
  out.resize(r.count);
  return out;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) { return *Decode(utf8, false); }

std::optional<std::u16string> StrictUtf16FromUtf8(std::string_view utf8) {
  return Decode(utf8, true);
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string out(3 * utf16.size(), '\0');
  codepage::Result r = codepage::Utf16ToUtf8(
      utf16.data(), utf16.size(), reinterpret_cast<uint8_t *>(out.data()), out.size(), false);
  out.resize(r.count);
  return out;
}

size_t ReadUtf8Sequence(std::string_view text, char32_t *codePoint) {
  if (text.empty()) return 0;
  const unsigned lead = static_cast<unsigned char>(text[0]);
  // The length the lead byte announces; the conversion checks the rest.
  const size_t length = lead < 0x80   ? 1
                        : lead < 0xC2 ? 0
                        : lead < 0xE0 ? 2
                        : lead < 0xF0 ? 3
                        : lead < 0xF5 ? 4
                                      : 0;
  if (length == 0 || text.size() < length) return 0;
  char16_t units[2];
  codepage::Result r =
      codepage::Utf8ToUtf16(reinterpret_cast<const uint8_t *>(text.data()), length, units, 2, true);
  if (r.status != codepage::Status::kOk) return 0;
  *codePoint =
      r.count == 2 ? 0x10000 + ((units[0] - 0xD800u) << 10) + (units[1] - 0xDC00u) : units[0];
  return length;
}

}  // namespace vplat
