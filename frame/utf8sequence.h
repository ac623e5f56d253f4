// How the plug-ins' walks over UTF-8 text (scripts, record table values)
// step from one character to the next: by the length its lead byte
// announces, the bytes after it not looked at. A walk that steps so never
// lands inside a character of well-formed text, and over any other text
// still moves forward and stays within what the caller bounds it by.
#pragma once

#include <stddef.h>

// 0x00-0xBF 1, 0xC0-0xDF 2, 0xE0-0xEF 3, 0xF0-0xF7 4, 0xF8-0xFB 5,
// 0xFC-0xFF 6.
inline size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  if (lead < 0xFC) return 5;
  return 6;
}
