// Tables of code page 932, generated at build time by tools/gen_cp932.cpp
// (see that file for where they come from). Internal to the platform.
#ifndef VARDO_PLATFORM_CODEPAGE_CP932_TABLES_H
#define VARDO_PLATFORM_CODEPAGE_CP932_TABLES_H

#include <cstdint>

namespace vplat::cp932 {

// Lead bytes 0x81-0x9F and 0xE0-0xFC.
constexpr int kLeadCount = 60;

// For a lead byte, its row in kDecode (1 to kLeadCount); 0 for other bytes.
extern const uint8_t kLeadRow[256];
// Row 0: UTF-16 of each single byte (0 for lead bytes, and for 0x00).
// Row kLeadRow[lead]: UTF-16 of lead/trail pairs, indexed by trail byte; 0
// where the pair is not defined. One table, so that a character is one
// lookup whichever its length.
extern const uint16_t kDecode[kLeadCount + 1][256];

// Encoding of U+xxyy: kEncode[kEncodePage[xx]][yy], a single byte (< 0x100)
// or lead << 8 | trail; 0 where the character has no 932 form. Only used
// for characters from U+0080 up.
extern const uint8_t kEncodePage[256];
extern const uint16_t kEncode[][256];

}  // namespace vplat::cp932

#endif
