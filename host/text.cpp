#include "text.h"

#include <windows.h>

namespace vhost {

std::string Utf8FromUtf16(const std::u16string &text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  }
  return out;
}

std::string Utf8FromUtf16(const ai_uchar16 *text) {
  return text ? Utf8FromUtf16(std::u16string(text)) : std::string();
}

std::u16string Utf16FromUtf8(const std::string &text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string out(n > 0 ? n : 0, u'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  }
  return out;
}

}  // namespace vhost
