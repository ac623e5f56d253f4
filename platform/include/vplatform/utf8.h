// UTF-8 and UTF-16 for the stand-ins' own code: the window manager, the
// host, the vardo program and the resource compiler. Plug-in code converts
// through MultiByteToWideChar and WideCharToMultiByte instead, the Windows
// interface it is written against; both run the same conversion.
#ifndef VARDO_VPLATFORM_UTF8_H
#define VARDO_VPLATFORM_UTF8_H

#include <win/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace vplat {

// The UTF-16 form of `utf8`. Ill-formed input is replaced as
// MultiByteToWideChar(CP_UTF8, 0, ...) replaces it: each maximal ill-formed
// subpart (the longest start of a well-formed sequence, or else one byte)
// becomes one U+FFFD. Never fails.
VPLAT_API std::u16string Utf16FromUtf8(std::string_view utf8);

// The UTF-16 form of well-formed `utf8`; nullopt when anything in it is
// ill-formed (an overlong form, an encoded surrogate, a value above
// U+10FFFF, a stray or missing continuation byte).
VPLAT_API std::optional<std::u16string> StrictUtf16FromUtf8(std::string_view utf8);

// The UTF-8 form of `utf16`; a surrogate that is not half of a pair
// becomes U+FFFD. Never fails.
VPLAT_API std::string Utf8FromUtf16(std::u16string_view utf16);

// The length (1 to 4) of the well-formed UTF-8 sequence `text` begins with,
// and its code point in *codePoint; 0, *codePoint untouched, when `text` is
// empty or begins with no well-formed sequence.
VPLAT_API size_t ReadUtf8Sequence(std::string_view text, char32_t *codePoint);

}  // namespace vplat

#endif
