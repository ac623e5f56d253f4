// The conversion kernels behind MultiByteToWideChar and WideCharToMultiByte,
// and the resolution of code-page aliases. Internal to the platform.
//
// Each kernel converts n input units. With dst == nullptr it only counts
// the output units; otherwise it writes at most cap units and stops with
// kBufferTooSmall at the first character that does not fit whole (what fit
// stays written). Under `strict` it stops with kInvalidChar at the first
// undefined or malformed sequence. count is the number of units written
// (or needed) up to where it stopped.
#ifndef VARDO_PLATFORM_CODEPAGE_CONVERT_H
#define VARDO_PLATFORM_CODEPAGE_CONVERT_H

#include <win/types.h>

#include <cstddef>
#include <cstdint>

namespace vplat::codepage {

enum class Status { kOk, kInvalidChar, kBufferTooSmall };

struct Result {
  size_t count;
  Status status;
  bool usedDefault;  // a character became the default character (932 output)
};

// The byte(s) written for a character that has no 932 form.
struct DefaultChar {
  uint8_t bytes[2];
  uint8_t length;  // 1 or 2
};

// 932 stands for code page 932, 65001 for UTF-8; 0 for a code page that is
// not supported. Resolves CP_ACP, CP_THREAD_ACP and CP_OEMCP.
UINT Resolve(UINT codePage);

Result Cp932ToUtf16(const uint8_t *src, size_t n, char16_t *dst, size_t cap, bool strict);
Result Utf16ToCp932(const char16_t *src, size_t n, uint8_t *dst, size_t cap, bool noBestFit,
                    DefaultChar defaultChar);
Result Utf8ToUtf16(const uint8_t *src, size_t n, char16_t *dst, size_t cap, bool strict);
Result Utf16ToUtf8(const char16_t *src, size_t n, uint8_t *dst, size_t cap, bool strict);

// True for the bytes that begin a double-byte character in 932.
inline bool IsCp932Lead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
// True for the bytes that can follow a lead byte in 932.
inline bool IsCp932Trail(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

}  // namespace vplat::codepage

#endif
