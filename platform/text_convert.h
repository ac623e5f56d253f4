// Text conversions the window manager needs for the A entry points, through
// the ANSI code page (UTF-8 is vplatform/utf8.h). Internal to the platform
// library.
#ifndef VARDO_PLATFORM_TEXT_CONVERT_H
#define VARDO_PLATFORM_TEXT_CONVERT_H

#include <windows.h>

#include <string>
#include <string_view>

namespace vplat::text {

// Through the ANSI code page (CP_ACP). Ill-formed input becomes U+FFFD or
// '?' rather than failing: window text must always be readable.
std::u16string FromAnsi(std::string_view s);
std::string ToAnsi(std::u16string_view s);
// Converts a single complete character (one code point's units); returns
// false for bytes that do not yet form a whole character.
bool AnsiCharComplete(std::string_view bytes, std::u16string *out);

// A NUL-terminated string (NULL reads as empty).
inline std::string_view ZA(LPCSTR s) { return s ? std::string_view(s) : std::string_view(); }
inline std::u16string_view ZW(LPCWSTR s) {
  return s ? std::u16string_view(s) : std::u16string_view();
}

// Copies src into a buffer of count units, at most count-1 of them and never
// splitting a character (nor a surrogate pair), then terminates. Returns the
// units copied; 0 and nothing written if count <= 0.
int CopyOut(std::u16string_view src, LPWSTR buffer, int count);
int CopyOutAnsi(std::u16string_view src, LPSTR buffer, int count);

// ASCII case folding, as class names compare.
std::u16string FoldCase(std::u16string_view s);

}  // namespace vplat::text

#endif
