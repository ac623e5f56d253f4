// The percent form of 8-bit strings in notification blocks.
//
// The host's 8-bit string values do not carry every byte safely, so strings
// travel with each byte of 0x80 or above, and each '%', written as '%' and
// two lower-case hexadecimal digits ("%e4", "%25"); every other byte goes
// unchanged. The encoded text is at most three times as long as the plain
// one. Built into Vardo (receiver) and VardoSequencer (sender).
//
// Both operations work in place on a NUL-terminated text inside a buffer of
// size bytes, and never read or write outside that buffer.
#pragma once

#include <stddef.h>
#include <windows.h>

// Rewrites text into its percent form. A buffer of three times the text's
// length plus one byte is always enough.
// Returns TRUE on success. Returns FALSE and leaves the buffer unchanged when
// there is no NUL within size bytes or the encoded text and its NUL would
// not fit.
BOOL EncodeNotificationText(LPSTR text, size_t size);

// Rewrites percent-form text into its plain bytes; the result is never
// longer. "%hh" with hexadecimal digits in either case gives that byte; a
// '%' whose first digit is not hexadecimal gives '?', one whose second digit
// is not hexadecimal leaves the low four bits 0; both characters are taken
// either way. A '%' cut off by the end of the text, with fewer than two
// characters after it, gives one '?' and ends the text.
// Returns TRUE on success. Returns FALSE and leaves the buffer unchanged when
// there is no NUL within size bytes.
BOOL DecodeNotificationText(LPSTR text, size_t size);
