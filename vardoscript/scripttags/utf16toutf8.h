// The frame's text as the text engine gives it (UTF-16) to UTF-8.
#pragma once

#include <stddef.h>
#include <windows.h>

// Converts the NUL-terminated UTF-16 `units` to NUL-terminated UTF-8 in
// `out` (outSize bytes, at least 1). A high surrogate followed by a low one
// is one code point; a high surrogate followed by anything else, or a low
// surrogate on its own, ends the conversion with what was produced so far.
// A character whose bytes would not fit ends it as well, so a buffer of
// three bytes per unit plus one always holds the whole text. Returns the
// number of bytes written, NUL excluded.
size_t Utf16ToUtf8(const WCHAR *units, char *out, size_t outSize);
