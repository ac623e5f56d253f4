// Conversions of Japanese text towards the record table's UTF-8.
//
// EUC-JP and ISO-2022-JP are first turned into Shift-JIS by arithmetic on
// the JIS X 0208 codes; Shift-JIS then goes through UTF-16 with the system's
// code page 932 tables. A character that Shift-JIS cannot hold (JIS X 0212,
// a broken or cut-off sequence) becomes the one replacement character
// SJIS_REPLACEMENT (the geta mark, U+3013), so that no byte of a bad
// sequence is ever paired with a quote, comma or line break after it.
#pragma once

#include <stddef.h>

#define SJIS_REPLACEMENT_LEAD 0x81
#define SJIS_REPLACEMENT_TRAIL 0xAC

// Converts EUC-JP src[0, length) into dst, which must hold 2 * length + 1
// bytes; NUL-terminates it and returns the Shift-JIS length.
size_t EucJpToShiftJis(const char *src, size_t length, char *dst);

// Converts ISO-2022-JP src[0, length) into dst, which must hold
// 2 * length + 1 bytes; NUL-terminates it and returns the Shift-JIS length.
// Understood: ESC $ @, ESC $ B and ESC & @ ESC $ B (JIS X 0208), ESC $ ( D
// (JIS X 0212, replaced), ESC ( B (ASCII), ESC ( J (JIS X 0201 Roman) and
// ESC ( I (half-width katakana). Any other ESC is kept as a byte.
size_t Iso2022JpToShiftJis(const char *src, size_t length, char *dst);

// Converts Shift-JIS (code page 932) src[0, length) to UTF-8. Returns a new
// NUL-terminated buffer, released with FreeTableBuffer, and its length in
// *outLength; NULL when memory runs out or the code page fails.
char *ShiftJisToUtf8(const char *src, size_t length, size_t *outLength);
