// Which encoding a CSV file's bytes are in, told from their content.
//
// The classification is a contract with existing data: files that loaded
// before must load the same way, so the tests, their order and the tie rule
// below are fixed and must not be "improved".
#pragma once

#include <stddef.h>

#include <windows.h>

// Encoding classes, as DetectTextEncoding returns them.
enum {
  TEXT_UNDECIDED = -1,     // no encoding scores highest alone: rejected
  TEXT_CONTROL_BYTES = 0,  // a byte 01-06, 7F or FF: rejected
  TEXT_ASCII = 1,
  TEXT_ISO2022JP = 2,
  TEXT_EUCJP = 3,
  TEXT_SHIFTJIS = 4,
  TEXT_UTF8 = 5,
};

// Classifies the NUL-terminated text:
// 1. any byte 01-06, 7F or FF: control bytes;
// 2. no ESC and no byte of 0x80 or above: ASCII;
// 3. an ESC followed by $@, $B, (B, (J, (I, $(D or &@ ESC $B: ISO-2022-JP;
// 4. otherwise Shift-JIS, EUC-JP and UTF-8 byte sequences are scored and
//    the one scoring highest alone wins, EUC-JP tested first; a tie for the
//    highest score is undecided.
int DetectTextEncoding(LPCSTR text);

// The same for text[0, length), which holds no NUL byte.
int DetectTextEncodingOf(const char *text, size_t length);
