#include "utf16toutf8.h"

size_t Utf16ToUtf8(const WCHAR *units, char *out, size_t outSize) {
  size_t length = 0;
  for (size_t i = 0; units[i] != 0; ++i) {
    unsigned long point = units[i];
    if (point >= 0xDC00 && point <= 0xDFFF) break;
    if (point >= 0xD800 && point <= 0xDBFF) {
      const unsigned long low = units[i + 1];
      if (low < 0xDC00 || low > 0xDFFF) break;
      point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    }
    char bytes[4];
    size_t count;
    if (point < 0x80) {
      bytes[0] = static_cast<char>(point);
      count = 1;
    } else if (point < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (point >> 6));
      bytes[1] = static_cast<char>(0x80 | (point & 0x3F));
      count = 2;
    } else if (point < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (point >> 12));
      bytes[1] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | (point & 0x3F));
      count = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (point >> 18));
      bytes[1] = static_cast<char>(0x80 | ((point >> 12) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      bytes[3] = static_cast<char>(0x80 | (point & 0x3F));
      count = 4;
    }
    if (count > outSize - 1 - length) break;
    for (size_t b = 0; b < count; ++b) out[length + b] = bytes[b];
    length += count;
  }
  out[length] = '\0';
  return length;
}
