#include "svgtags.h"

#include <vplatform/utf8.h>

namespace vhost::svg {

size_t XmlCharLength(std::string_view text, bool allowControls) {
  char32_t code = 0;
  const size_t length = vplat::ReadUtf8Sequence(text, &code);
  if (length == 0) return 0;
  if (code < 0x20) return allowControls && (code == 0x09 || code == 0x0A || code == 0x0D) ? 1 : 0;
  // The two non-characters XML excludes.
  return code == 0xFFFE || code == 0xFFFF ? 0 : length;
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
  return i + 4 < text.size() && text[i] == '_' && text[i + 1] == 'x' &&
         HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0 && text[i + 4] == '_';
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
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
        HexDigit(text[i + 2]) >= 0) {
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
