// Text conversions between the host's UTF-16 strings and UTF-8.
#pragma once

#include <string>

#include "ASTypes.h"

namespace vhost {

// UTF-8 of a NUL-terminated UTF-16 string; empty for null.
std::string Utf8FromUtf16(const ai_uchar16 *text);
std::string Utf8FromUtf16(const std::u16string &text);
std::u16string Utf16FromUtf8(const std::string &text);

}  // namespace vhost
