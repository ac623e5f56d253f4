// Strings as the host's suites take them: NUL-terminated UTF-16 that a
// caller may pass as null. Conversions themselves are vplatform/utf8.h.
#pragma once

#include <vplatform/utf8.h>

#include <string>

#include "ASTypes.h"

namespace vhost {

// UTF-8 of a NUL-terminated UTF-16 string; empty for null.
inline std::string Utf8FromUtf16(const ai_uchar16 *text) {
  return text ? vplat::Utf8FromUtf16(text) : std::string();
}

}  // namespace vhost
