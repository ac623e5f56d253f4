#include "svgtags.h"

#include <cstdint>

namespace vhost::svg {

size_t XmlCharLength(std::string_view text, bool allowControls) {
  if (text.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) {
    if (lead >= 0x20) return 1;
    return allowControls && (lead == 0x09 || lead == 0x0A || lead == 0x0D) ? 1 : 0;
  }
  size_t length;
  uint32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char trail = static_cast<unsigned char>(text[i]);
    if ((trail & 0xC0) != 0x80) return 0;
    code = (code << 6) | (trail & 0x3F);
  }
  // Overlong forms, surrogates, beyond U+10FFFF, and the two non-characters
  // XML excludes.
  if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF) return 0;
  if ((code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF) return 0;
  return length;
}

bool IsPlainTagValue(std::string_view value) {
  while (!value.empty()) {
    const size_t n = XmlCharLength(value, true);
    if (n == 0) return false;
    value.remove_prefix(n);
  }
  return true;
}

namespace {

const char kHex[] = "0123456789ABCDEF";

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

void AppendHexByte(std::string &out, unsigned char byte) {
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

bool IsNameByte(unsigned char ch, bool first) {
  if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_') return true;
  return !first && ((ch >= '0' && ch <= '9') || ch == '-' || ch == '.');
}

bool LooksLikeEscape(std::string_view text, size_t i) {
  return i + 4 < text.size() && text[i] == '_' && text[i + 1] == 'x' && HexDigit(text[i + 2]) >= 0 &&
         HexDigit(text[i + 3]) >= 0 && text[i + 4] == '_';
}

}  // namespace

std::string EscapeTagBytes(std::string_view value) {
  std::string out;
  while (!value.empty()) {
    const size_t n = value.front() == '%' ? 0 : XmlCharLength(value, false);
    if (n == 0) {
      out += '%';
      AppendHexByte(out, static_cast<unsigned char>(value.front()));
      value.remove_prefix(1);
    } else {
      out.append(value.substr(0, n));
      value.remove_prefix(n);
    }
  }
  return out;
}

std::string UnescapeTagBytes(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string EncodeTagName(std::string_view name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char ch = static_cast<unsigned char>(name[i]);
    if (IsNameByte(ch, out.empty()) && !LooksLikeEscape(name, i)) {
      out += static_cast<char>(ch);
    } else {
      out += "_x";
      AppendHexByte(out, ch);
      out += '_';
    }
  }
  return out;
}

std::string DecodeTagName(std::string_view encoded) {
  std::string out;
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (LooksLikeEscape(encoded, i)) {
      out += static_cast<char>(HexDigit(encoded[i + 2]) * 16 + HexDigit(encoded[i + 3]));
      i += 4;
    } else {
      out += encoded[i];
    }
  }
  return out;
}

}  // namespace vhost::svg
