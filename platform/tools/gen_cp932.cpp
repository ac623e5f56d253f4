// Build-time generator of the code page 932 tables.
//
// Usage: gen_cp932 OUTPUT.cpp
//
// The C library's "CP932" converter agrees with Microsoft's table on every
// valid double-byte code, so the tables are read from it here rather than
// typed in; iconv is never used at run time. What it does not cover is
// added from Microsoft's published description of the code page:
//   - single bytes 0x80, 0xA0 and 0xFD-0xFF, which it rejects and Windows
//     maps to U+0080, U+F8F0 and U+F8F1-U+F8F3 (and back);
//   - the one-way "best fit" mappings Windows uses from UTF-16 to 932
//     (Latin-1 letters to their ASCII base letter, U+3094 to katakana vu).
// Conversely, the C library's own one-way mappings that Windows does not
// make (U+2014, U+2016, U+203E, U+2212, U+301C) are left out: on Windows
// those characters have no 932 form and become the default character.
//
// Checks what it reads and exits non-zero, writing nothing, if the C
// library's table is not the expected one.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

bool IsLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Converts `in` with `cd`; returns the output bytes, or false when the
// converter rejects or leaves part of the input.
bool Convert(iconv_t cd, const void *in, size_t inLen, std::string *out) {
  char buf[16];
  char *ip = const_cast<char *>(static_cast<const char *>(in));
  char *op = buf;
  size_t il = inLen, ol = sizeof buf;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return false;
  out->assign(buf, sizeof buf - ol);
  return true;
}

// Microsoft's one-way mappings from UTF-16 to 932 that have no way back
// (decoding the result gives another character).
struct BestFit {
  uint16_t wc;
  uint16_t mb;
};
constexpr BestFit kBestFits[] = {
    {0x00A1, 0x21},   {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00A5, 0x5C},   {0x00A6, 0x7C},
    {0x00A9, 0x63},   {0x00AA, 0x61},   {0x00AB, 0x81E1}, {0x00AC, 0x81CA}, {0x00AD, 0x2D},
    {0x00AE, 0x52},   {0x00AF, 0x8150}, {0x00B2, 0x32},   {0x00B3, 0x33},   {0x00B5, 0x83CA},
    {0x00B7, 0x8145}, {0x00B8, 0x8143}, {0x00B9, 0x31},   {0x00BA, 0x6F},   {0x00BB, 0x81E2},
    {0x00BF, 0x3F},   {0x00C0, 0x41},   {0x00C1, 0x41},   {0x00C2, 0x41},   {0x00C3, 0x41},
    {0x00C4, 0x41},   {0x00C5, 0x41},   {0x00C6, 0x41},   {0x00C7, 0x43},   {0x00C8, 0x45},
    {0x00C9, 0x45},   {0x00CA, 0x45},   {0x00CB, 0x45},   {0x00CC, 0x49},   {0x00CD, 0x49},
    {0x00CE, 0x49},   {0x00CF, 0x49},   {0x00D0, 0x44},   {0x00D1, 0x4E},   {0x00D2, 0x4F},
    {0x00D3, 0x4F},   {0x00D4, 0x4F},   {0x00D5, 0x4F},   {0x00D6, 0x4F},   {0x00D8, 0x4F},
    {0x00D9, 0x55},   {0x00DA, 0x55},   {0x00DB, 0x55},   {0x00DC, 0x55},   {0x00DD, 0x59},
    {0x00DE, 0x54},   {0x00DF, 0x73},   {0x00E0, 0x61},   {0x00E1, 0x61},   {0x00E2, 0x61},
    {0x00E3, 0x61},   {0x00E4, 0x61},   {0x00E5, 0x61},   {0x00E6, 0x61},   {0x00E7, 0x63},
    {0x00E8, 0x65},   {0x00E9, 0x65},   {0x00EA, 0x65},   {0x00EB, 0x65},   {0x00EC, 0x69},
    {0x00ED, 0x69},   {0x00EE, 0x69},   {0x00EF, 0x69},   {0x00F0, 0x64},   {0x00F1, 0x6E},
    {0x00F2, 0x6F},   {0x00F3, 0x6F},   {0x00F4, 0x6F},   {0x00F5, 0x6F},   {0x00F6, 0x6F},
    {0x00F8, 0x6F},   {0x00F9, 0x75},   {0x00FA, 0x75},   {0x00FB, 0x75},   {0x00FC, 0x75},
    {0x00FD, 0x79},   {0x00FE, 0x74},   {0x00FF, 0x79},   {0x3094, 0x8394},
};

// Single bytes the C library rejects, and their Windows meaning.
struct Single {
  uint8_t mb;
  uint16_t wc;
};
constexpr Single kExtraSingles[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

// Sizes of Microsoft's table, used to recognise the C library's one.
constexpr int kExpectedPairs = 9604;  // 7724 characters and 1880 user-defined codes (0xF040-0xF9FC)
constexpr int kExpectedEncodings = 9486;

int Fail(const char *what) {
  std::fprintf(stderr, "gen_cp932: %s\n", what);
  return 1;
}

void EmitU16Row(FILE *f, const uint16_t *row, int n) {
  for (int i = 0; i < n; i++) std::fprintf(f, "%s0x%04X,", i % 12 ? " " : "\n    ", row[i]);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) return Fail("usage: gen_cp932 OUTPUT.cpp");
  iconv_t dec = iconv_open("UTF-16LE", "CP932");
  iconv_t enc = iconv_open("CP932", "UTF-16LE");
  if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1))
    return Fail("the C library has no CP932 converter (glibc's gconv modules are needed)");

  // Decoding: single bytes, then every lead/trail pair.
  uint16_t single[256] = {};
  std::string out;
  for (unsigned b = 0; b < 256; b++) {
    if (IsLead(b)) continue;
    unsigned char in = static_cast<unsigned char>(b);
    if (!Convert(dec, &in, 1, &out)) continue;
    if (out.size() != 2) return Fail("unexpected single-byte decoding");
    single[b] = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) |
                                      static_cast<unsigned char>(out[1]) << 8);
  }
  for (const Single &s : kExtraSingles) {
    if (single[s.mb] != 0) return Fail("the C library now decodes a byte it used to reject");
    single[s.mb] = s.wc;
  }
  for (unsigned b = 1; b < 256; b++)
    if (!IsLead(b) && single[b] == 0) return Fail("a single byte has no decoding");
  for (unsigned b = 0; b < 0x80; b++)
    if (single[b] != b) return Fail("ASCII does not decode to itself");

  uint8_t leadRow[256] = {};
  std::vector<uint16_t> pairs;  // rows of 256, one per lead byte
  int pairCount = 0;
  for (unsigned lead = 0; lead < 256; lead++) {
    if (!IsLead(lead)) continue;
    leadRow[lead] = static_cast<uint8_t>(pairs.size() / 256 + 1);
    pairs.resize(pairs.size() + 256);
    uint16_t *row = &pairs[pairs.size() - 256];
    for (unsigned trail = 0; trail < 256; trail++) {
      unsigned char in[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
      if (!Convert(dec, in, 2, &out)) continue;
      if (out.size() != 2 || !IsTrail(trail)) return Fail("unexpected double-byte decoding");
      uint16_t wc = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) |
                                          static_cast<unsigned char>(out[1]) << 8);
      if (wc == 0) return Fail("a pair decodes to U+0000");
      row[trail] = wc;
      pairCount++;
    }
  }
  if (pairCount != kExpectedPairs) return Fail("the C library's CP932 has an unexpected size");

  auto decode = [&](unsigned mb) -> uint16_t {
    if (mb < 0x100) return single[mb];
    unsigned row = leadRow[mb >> 8];
    return row ? pairs[(row - 1) * 256 + (mb & 0xFF)] : 0;
  };

  // Encoding: the C library's choice for every character that has a way
  // back (this also settles which of several codes a character takes),
  // then the single-byte additions and Microsoft's best fits.
  std::map<uint16_t, uint16_t> encode;
  for (unsigned wc = 0; wc < 0x10000; wc++) {
    if (wc >= 0xD800 && wc <= 0xDFFF) continue;
    uint16_t u = static_cast<uint16_t>(wc);
    if (!Convert(enc, &u, 2, &out)) continue;
    unsigned mb;
    if (out.size() == 1)
      mb = static_cast<unsigned char>(out[0]);
    else if (out.size() == 2)
      mb = static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]);
    else
      return Fail("unexpected encoding length");
    if (decode(mb) == wc) encode[u] = static_cast<uint16_t>(mb);
  }
  for (const Single &s : kExtraSingles) encode[s.wc] = s.mb;
  for (const BestFit &b : kBestFits) {
    if (decode(b.mb) == 0 || decode(b.mb) == b.wc) return Fail("a best fit is not one-way");
    encode[b.wc] = b.mb;
  }
  if (static_cast<int>(encode.size()) != kExpectedEncodings)
    return Fail("the encoding table has an unexpected size");
  // Every decoded character must be encodable, to the code it came from or
  // to another code decoding to the same character.
  for (unsigned mb = 0; mb < 0x10000; mb++) {
    if (mb >= 0x100 && !IsLead(mb >> 8)) continue;
    uint16_t wc = decode(mb);
    if (wc == 0 && mb != 0) continue;
    auto it = encode.find(wc);
    if (it == encode.end() || decode(it->second) != wc) return Fail("a code does not round-trip");
  }

  // The encoding table in pages of 256 characters; page 0 of the index
  // means "no character of this page has a 932 form".
  uint8_t pageIndex[256] = {};
  std::vector<uint16_t> pages(256, 0);  // page 0: empty
  for (unsigned hi = 0; hi < 256; hi++) {
    bool any = false;
    for (unsigned lo = 0; lo < 256; lo++)
      any |= encode.count(static_cast<uint16_t>(hi << 8 | lo)) != 0;
    if (!any) continue;
    pageIndex[hi] = static_cast<uint8_t>(pages.size() / 256);
    pages.resize(pages.size() + 256, 0);
    for (unsigned lo = 0; lo < 256; lo++) {
      auto it = encode.find(static_cast<uint16_t>(hi << 8 | lo));
      // 0 marks "no mapping"; U+0000 is handled with the rest of ASCII.
      if (it != encode.end()) pages[pages.size() - 256 + lo] = it->second;
    }
  }

  std::string tmp = std::string(argv[1]) + ".tmp";
  FILE *f = std::fopen(tmp.c_str(), "w");
  if (!f) return Fail("cannot write the output");
  std::fprintf(f,
               "// Generated by platform/tools/gen_cp932.cpp at build time; do not edit.\n"
               "#include \"codepage_cp932_tables.h\"\n\n"
               "namespace vplat::cp932 {\n\n");
  std::fprintf(f, "const uint8_t kLeadRow[256] = {");
  for (int i = 0; i < 256; i++) std::fprintf(f, "%s%u,", i % 16 ? " " : "\n    ", leadRow[i]);
  std::fprintf(f, "\n};\n\nconst uint16_t kDecode[kLeadCount + 1][256] = {\n  {");
  EmitU16Row(f, single, 256);
  std::fprintf(f, "\n  },");
  for (size_t r = 0; r < pairs.size() / 256; r++) {
    std::fprintf(f, "\n  {");
    EmitU16Row(f, &pairs[r * 256], 256);
    std::fprintf(f, "\n  },");
  }
  std::fprintf(f, "\n};\n\nconst uint8_t kEncodePage[256] = {");
  for (int i = 0; i < 256; i++) std::fprintf(f, "%s%u,", i % 16 ? " " : "\n    ", pageIndex[i]);
  std::fprintf(f, "\n};\n\nconst uint16_t kEncode[%zu][256] = {", pages.size() / 256);
  for (size_t p = 0; p < pages.size() / 256; p++) {
    std::fprintf(f, "\n  {");
    EmitU16Row(f, &pages[p * 256], 256);
    std::fprintf(f, "\n  },");
  }
  std::fprintf(f, "\n};\n\n}  // namespace vplat::cp932\n");
  if (std::fclose(f) != 0 || std::rename(tmp.c_str(), argv[1]) != 0)
    return Fail("cannot write the output");
  iconv_close(dec);
  iconv_close(enc);
  return 0;
}
