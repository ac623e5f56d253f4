#include "text_convert.h"

namespace vplat::text {

std::u16string FromAnsi(std::string_view s) {
  if (s.empty()) return {};
  int n = static_cast<int>(s.size());
  int len = MultiByteToWideChar(CP_ACP, 0, s.data(), n, nullptr, 0);
  if (len <= 0) return {};
  std::u16string out(static_cast<size_t>(len), u'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), n, out.data(), len);
  return out;
}

std::string ToAnsi(std::u16string_view s) {
  if (s.empty()) return {};
  int n = static_cast<int>(s.size());
  int len = WideCharToMultiByte(CP_ACP, 0, s.data(), n, nullptr, 0, nullptr, nullptr);
  if (len <= 0) return {};
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_ACP, 0, s.data(), n, out.data(), len, nullptr, nullptr);
  return out;
}

bool AnsiCharComplete(std::string_view bytes, std::u16string *out) {
  if (bytes.empty()) return false;
  unsigned char b = static_cast<unsigned char>(bytes[0]);
  size_t need = 1;
  if (GetACP() == CP_UTF8)
    need = b < 0xC0 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
  else if (IsDBCSLeadByte(b))
    need = 2;
  if (bytes.size() < need) return false;
  *out = FromAnsi(bytes.substr(0, need));
  return true;
}

static bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

int CopyOut(std::u16string_view src, LPWSTR buffer, int count) {
  if (count <= 0 || !buffer) return 0;
  size_t n = std::min(src.size(), static_cast<size_t>(count - 1));
  if (n > 0 && n < src.size() && IsHighSurrogate(src[n - 1])) --n;
  std::copy(src.begin(), src.begin() + n, buffer);
  buffer[n] = 0;
  return static_cast<int>(n);
}

int CopyOutAnsi(std::u16string_view src, LPSTR buffer, int count) {
  if (count <= 0 || !buffer) return 0;
  size_t room = static_cast<size_t>(count - 1);
  std::string out;
  size_t i = 0;
  while (i < src.size()) {
    size_t len = IsHighSurrogate(src[i]) && i + 1 < src.size() ? 2 : 1;
    std::string bytes = ToAnsi(src.substr(i, len));
    if (out.size() + bytes.size() > room) break;
    out += bytes;
    i += len;
  }
  std::copy(out.begin(), out.end(), buffer);
  buffer[out.size()] = 0;
  return static_cast<int>(out.size());
}

std::u16string FoldCase(std::u16string_view s) {
  std::u16string out(s);
  for (auto &c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return out;
}

}  // namespace vplat::text
