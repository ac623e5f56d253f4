#include <vplatform/codepage.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Hex(const std::u16string &s) {
  std::string out;
  char buf[8];
  for (char16_t c : s) {
    std::snprintf(buf, sizeof buf, "%04X ", static_cast<unsigned>(c));
    out += buf;
  }
  return out;
}

std::string Hex(const std::string &s) {
  std::string out;
  char buf[4];
  for (char c : s) {
    std::snprintf(buf, sizeof buf, "%02X ", static_cast<unsigned char>(c));
    out += buf;
  }
  return out;
}

// Text with lone surrogates, which UTF-16 literals cannot hold.
std::u16string U16(std::initializer_list<char16_t> units) { return std::u16string(units); }

// A conversion's outcome: the text on success, the last error on failure.
struct Wide {
  bool ok;
  std::u16string text;
  DWORD error;
};

struct Narrow {
  bool ok;
  std::string text;
  DWORD error;
  BOOL usedDefault;
};

// Converts through a size query and then an exactly sized buffer, checking
// that the two agree.
Wide ToWide(UINT cp, const std::string &in, DWORD flags = 0) {
  SetLastError(ERROR_SUCCESS);
  int need = MultiByteToWideChar(cp, flags, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (need == 0) return {false, {}, GetLastError()};
  std::u16string out(static_cast<size_t>(need), u'\0');
  int got =
      MultiByteToWideChar(cp, flags, in.data(), static_cast<int>(in.size()), out.data(), need);
  EXPECT_EQ(got, need) << "size query and conversion disagree for " << Hex(in);
  return {got != 0, out, GetLastError()};
}

Narrow ToNarrow(UINT cp, const std::u16string &in, DWORD flags = 0,
                const char *defaultChar = nullptr) {
  // UTF-8 (also as the ANSI code page) takes no default-character report.
  bool utf8 = cp == CP_UTF8 || ((cp == CP_ACP || cp == CP_THREAD_ACP) && GetACP() == CP_UTF8);
  BOOL used = 7;  // neither TRUE nor FALSE, to see that it is set
  SetLastError(ERROR_SUCCESS);
  int need = WideCharToMultiByte(cp, flags, in.data(), static_cast<int>(in.size()), nullptr, 0,
                                 defaultChar, utf8 ? nullptr : &used);
  if (need == 0) return {false, {}, GetLastError(), used};
  std::string out(static_cast<size_t>(need), '\0');
  int got = WideCharToMultiByte(cp, flags, in.data(), static_cast<int>(in.size()), out.data(), need,
                                defaultChar, utf8 ? nullptr : &used);
  EXPECT_EQ(got, need) << "size query and conversion disagree for " << Hex(in);
  return {got != 0, out, GetLastError(), used};
}

// Decoding code page 932: one case a line, with what a strict conversion
// (MB_ERR_INVALID_CHARS) makes of the same bytes.
struct DecodeCase {
  const char *what;
  std::string bytes;
  std::u16string text;
  bool strictOk;
};

const DecodeCase kCp932Decodes[] = {
    {"ASCII", "Az09", u"Az09", true},
    {"0x5C is a backslash, not a yen sign", "\x5C", u"\u005C", true},
    {"0x7E is a tilde, not an overline", "\x7E", u"\u007E", true},
    {"0x815F", "\x81\x5F", u"\uFF3C", true},
    {"0x8160", "\x81\x60", u"\uFF5E", true},
    {"half-width katakana, first", "\xA1", u"\uFF61", true},
    {"half-width katakana", "\xB1\xDE", u"\uFF71\uFF9E", true},
    {"half-width katakana, last", "\xDF", u"\uFF9F", true},
    {"0x80", "\x80", u"\u0080", true},
    {"0xA0", "\xA0", u"\uF8F0", false},
    {"0xFD", "\xFD", u"\uF8F1", false},
    {"0xFE", "\xFE", u"\uF8F2", false},
    {"0xFF", "\xFF", u"\uF8F3", false},
    {"kanji with trail 0x5C",
     "\x95\x5C"
     "A",
     u"\u8868A", true},
    {"katakana with trail 0x5C", "\x83\x5C", u"\u30BD", true},
    {"hiragana", "\x82\xA0", u"\u3042", true},
    {"trail 0x80", "\x81\x80", u"\u00F7", true},
    {"trail 0xFC", "\x81\xFC", u"\u25EF", true},
    {"first kanji", "\x88\x9F", u"\u4E9C", true},
    {"lead 0x9F", "\x9F\xFC", u"\u6ECC", true},
    {"lead 0xE0", "\xE0\x40", u"\u6F3E", true},
    {"NEC row 13", "\x87\x40\x87\x54\x87\x82\x87\x7E", u"\u2460\u2160\u2116\u337B", true},
    {"NEC-selected IBM extension", "\xED\x40\xEE\xEF", u"\u7E8A\u2170", true},
    {"IBM extension", "\xFA\x40\xFA\x5C\xFC\x4B", u"\u2170\u7E8A\u9ED1", true},
    {"user-defined area", "\xF0\x40\xF9\xFC", u"\uE000\uE757", true},
    {"katakana middle dot itself", "\x81\x45", u"\u30FB", true},
    {"undefined pair in a used row",
     "\x81\xAD"
     "A",
     u"\u30FBA", false},
    {"undefined pair in an empty row",
     "\x85\x40"
     "A",
     u"\u30FBA", false},
    {"undefined pair, lead 0xEF", "\xEF\x80", u"\u30FB", false},
    {"lead byte before a space", "\x81 A", u"\u30FB A", false},
    {"lead byte before a quote", "\x95\"", u"\u30FB\"", false},
    {"lead byte before 0x7F", "\x81\x7F", u"\u30FB\u007F", false},
    {"lead byte before 0xFD", "\x81\xFD", u"\u30FB\uF8F1", false},
    {"lead byte before an embedded NUL", std::string("\x81\0A", 3), std::u16string(u"\u30FB\0A", 3),
     false},
    {"lone lead byte at the end", "A\x81", u"A\u30FB", false},
};

TEST(Cp932Decode, ConvertsAsWindows) {
  for (const DecodeCase &c : kCp932Decodes) {
    Wide w = ToWide(932, c.bytes);
    ASSERT_TRUE(w.ok) << c.what;
    EXPECT_EQ(Hex(w.text), Hex(c.text)) << c.what;
    Wide strict = ToWide(932, c.bytes, MB_ERR_INVALID_CHARS);
    EXPECT_EQ(strict.ok, c.strictOk) << c.what;
    if (c.strictOk) {
      EXPECT_EQ(Hex(strict.text), Hex(c.text)) << c.what;
    } else {
      EXPECT_EQ(strict.error, static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION)) << c.what;
    }
  }
}

TEST(Cp932Decode, NulTerminatedInputKeepsItsTerminator) {
  // The terminator is converted and counted, even after a dangling lead.
  WCHAR out[8];
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x95\x5C", -1, out, 8), 2);
  EXPECT_EQ(Hex(std::u16string(out, 2)), Hex(std::u16string(u"\u8868\0", 2)));
  EXPECT_EQ(MultiByteToWideChar(932, 0, "A\x81", -1, out, 8), 3);
  EXPECT_EQ(Hex(std::u16string(out, 3)), Hex(std::u16string(u"A\u30FB\0", 3)));
}

enum class Block { kJis, kNec13, kIbm, kNecSelectedIbm, kUserDefined, kEmpty };

Block BlockOf(unsigned lead) {
  if (lead == 0x87) return Block::kNec13;
  if (lead == 0xED || lead == 0xEE) return Block::kNecSelectedIbm;
  if (lead >= 0xFA) return Block::kIbm;
  if (lead >= 0xF0) return Block::kUserDefined;
  if (lead == 0x85 || lead == 0x86 || lead == 0xEB || lead == 0xEC || lead == 0xEF)
    return Block::kEmpty;
  return Block::kJis;
}

std::vector<unsigned> LeadBytes() {
  std::vector<unsigned> leads;
  for (unsigned b = 0x81; b <= 0xFC; b++)
    if (b <= 0x9F || b >= 0xE0) leads.push_back(b);
  return leads;
}

// Every lead byte with every possible next byte, followed by "A" (itself a
// trail byte) to see where the sequence ends.
TEST(Cp932Decode, EveryLeadAndTrailByteClass) {
  std::map<Block, int> defined;
  for (unsigned lead : LeadBytes()) {
    for (unsigned next = 0; next < 256; next++) {
      std::string in = {static_cast<char>(lead), static_cast<char>(next), 'A'};
      Wide w = ToWide(932, in);
      ASSERT_TRUE(w.ok);
      bool trail = (next >= 0x40 && next <= 0x7E) || (next >= 0x80 && next <= 0xFC);
      SCOPED_TRACE(Hex(in) + "-> " + Hex(w.text));
      if (!trail) {
        // The lead byte stands alone; the next byte is read again.
        ASSERT_EQ(w.text.size(), 3u);
        EXPECT_EQ(w.text[0], 0x30FB);
        EXPECT_EQ(w.text.substr(1), ToWide(932, in.substr(1)).text);
        EXPECT_FALSE(ToWide(932, in, MB_ERR_INVALID_CHARS).ok);
        continue;
      }
      ASSERT_EQ(w.text.size(), 2u);  // the pair is one character
      EXPECT_EQ(w.text[1], u'A');
      bool isDefined = w.text[0] != 0x30FB || (lead == 0x81 && next == 0x45);
      EXPECT_EQ(ToWide(932, in, MB_ERR_INVALID_CHARS).ok, isDefined);
      if (isDefined) defined[BlockOf(lead)]++;
      if (BlockOf(lead) == Block::kUserDefined) {
        // User-defined codes run through U+E000-U+E757 in order.
        unsigned column = next < 0x80 ? next - 0x40 : next - 0x41;
        EXPECT_EQ(w.text[0], 0xE000 + (lead - 0xF0) * 188 + column);
      }
    }
  }
  // The sizes of the blocks of Microsoft's table.
  EXPECT_EQ(defined[Block::kJis], 6879);
  EXPECT_EQ(defined[Block::kNec13], 83);
  EXPECT_EQ(defined[Block::kNecSelectedIbm], 374);
  EXPECT_EQ(defined[Block::kIbm], 388);
  EXPECT_EQ(defined[Block::kUserDefined], 1880);
  EXPECT_EQ(defined[Block::kEmpty], 0);
}

// Which of several codes of one character Windows writes: JIS X 0208 first,
// then NEC row 13, then the IBM extensions, the NEC-selected copies last.
int Preference(unsigned code) {
  switch (BlockOf(code >> 8)) {
    case Block::kJis: return 0;
    case Block::kNec13: return 1;
    case Block::kIbm: return 2;
    case Block::kNecSelectedIbm: return 3;
    default: return 4;
  }
}

TEST(Cp932RoundTrip, EveryCodeComesBackAsItselfOrAsTheCodeWindowsPrefers) {
  int duplicates = 0;
  for (unsigned lead : LeadBytes()) {
    for (unsigned trail = 0x40; trail <= 0xFC; trail++) {
      if (trail == 0x7F) continue;
      std::string in = {static_cast<char>(lead), static_cast<char>(trail)};
      Wide w = ToWide(932, in, MB_ERR_INVALID_CHARS);
      if (!w.ok) continue;
      Narrow back = ToNarrow(932, w.text, WC_NO_BEST_FIT_CHARS);
      ASSERT_TRUE(back.ok);
      EXPECT_FALSE(back.usedDefault) << Hex(in);
      if (back.text == in) continue;
      duplicates++;
      ASSERT_EQ(back.text.size(), 2u) << Hex(in);
      EXPECT_EQ(ToWide(932, back.text).text, w.text) << Hex(in);
      unsigned chosen =
          static_cast<unsigned char>(back.text[0]) << 8 | static_cast<unsigned char>(back.text[1]);
      EXPECT_LT(Preference(chosen), Preference(lead << 8 | trail))
          << Hex(in) << "went back as " << Hex(back.text);
    }
  }
  EXPECT_GT(duplicates, 0);
  // Single bytes, including those outside the C library's table.
  for (unsigned b = 0; b < 256; b++) {
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) continue;
    std::string in(1, static_cast<char>(b));
    EXPECT_EQ(Hex(ToNarrow(932, ToWide(932, in).text).text), Hex(in));
  }
}

// Encoding to 932, with and without best fits.
struct EncodeCase {
  const char *what;
  std::u16string text;
  std::string bytes;      // default flags
  std::string noBestFit;  // WC_NO_BEST_FIT_CHARS
  bool usedDefault;       // reported under default flags
};

const EncodeCase kCp932Encodes[] = {
    {"ASCII", u"Az\\~", "Az\\~", "Az\\~", false},
    {"fullwidth tilde", u"\uFF5E", "\x81\x60", "\x81\x60", false},
    {"fullwidth backslash", u"\uFF3C", "\x81\x5F", "\x81\x5F", false},
    {"wave dash has no 932 form on Windows", u"\u301C", "?", "?", true},
    {"em dash, double vertical line, minus, overline", u"\u2014\u2016\u2212\u203E", "????", "????",
     true},
    {"horizontal bar", u"\u2015", "\x81\x5C", "\x81\x5C", false},
    {"small roman numeral one: IBM code", u"\u2170", "\xFA\x40", "\xFA\x40", false},
    {"roman numeral one: NEC row 13", u"\u2160", "\x87\x54", "\x87\x54", false},
    {"kanji of both extensions: IBM code", u"\u7E8A", "\xFA\x5C", "\xFA\x5C", false},
    {"JIS code before the extensions", u"\u2252\u2235\uFFE2", "\x81\xE0\x81\xE6\x81\xCA",
     "\x81\xE0\x81\xE6\x81\xCA", false},
    {"yen sign: best fit to 0x5C", u"\u00A5", "\x5C", "?", false},
    {"cent, pound, not: best fits", u"\u00A2\u00A3\u00AC", "\x81\x91\x81\x92\x81\xCA", "???",
     false},
    {"Latin letters: best fit to ASCII", u"\u00E9\u00C4\u00DF\u00FF", "eAsy", "????", false},
    {"micro sign: best fit to mu", u"\u00B5", "\x83\xCA", "?", false},
    {"hiragana vu: best fit to katakana vu", u"\u3094", "\x83\x94", "?", false},
    {"section, degree, multiplication signs", u"\u00A7\u00B0\u00D7", "\x81\x98\x81\x8B\x81\x7E",
     "\x81\x98\x81\x8B\x81\x7E", false},
    {"single bytes outside the C library's table", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
     "\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF", false},
    {"half-width katakana", u"\uFF71\uFF9F", "\xB1\xDF", "\xB1\xDF", false},
    {"user-defined area", u"\uE000\uE757", "\xF0\x40\xF9\xFC", "\xF0\x40\xF9\xFC", false},
    {"no 932 form", u"\u20AC\u00C0A", "?AA", "??A", true},
    {"surrogate pair: one default per unit", u"\U0001F600", "??", "??", true},
    {"lone surrogate", U16({0xDC00, u'x'}), "?x", "?x", true},
};

TEST(Cp932Encode, ConvertsAsWindows) {
  for (const EncodeCase &c : kCp932Encodes) {
    Narrow n = ToNarrow(932, c.text);
    ASSERT_TRUE(n.ok) << c.what;
    EXPECT_EQ(Hex(n.text), Hex(c.bytes)) << c.what;
    EXPECT_EQ(n.usedDefault, c.usedDefault ? TRUE : FALSE) << c.what;
    Narrow strict = ToNarrow(932, c.text, WC_NO_BEST_FIT_CHARS);
    ASSERT_TRUE(strict.ok) << c.what;
    EXPECT_EQ(Hex(strict.text), Hex(c.noBestFit)) << c.what;
    EXPECT_EQ(strict.usedDefault, c.noBestFit.find('?') != std::string::npos ? TRUE : FALSE)
        << c.what;
  }
}

TEST(Cp932Encode, UsesTheCallersDefaultCharacter) {
  EXPECT_EQ(ToNarrow(932, u"a\u20ACb", 0, "*").text, "a*b");
  EXPECT_EQ(Hex(ToNarrow(932, u"a\u20ACb", 0, "\x81\x45").text), Hex(std::string("a\x81\x45"
                                                                                 "b")));
  Narrow n = ToNarrow(932, u"\u00A5", WC_NO_BEST_FIT_CHARS, "#");
  EXPECT_EQ(n.text, "#");
  EXPECT_EQ(n.usedDefault, TRUE);
}

// UTF-8, malformed input replaced per maximal subpart.
const DecodeCase kUtf8Decodes[] = {
    {"ASCII", "abc", u"abc", true},
    {"two, three and four bytes", "\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x98\x80", u"\u00E9\u8868\U0001F600",
     true},
    {"largest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
    {"byte-order mark is kept",
     "\xEF\xBB\xBF"
     "a",
     u"\uFEFFa", true},
    {"C0 is never valid", "\xC0\x41\x42", u"\uFFFDAB", false},
    {"overlong three bytes", "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD", false},
    {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"truncated sequence is one replacement",
     "\xE3\x81"
     "A",
     u"\uFFFDA", false},
    {"truncated at the end", "a\xF0\x9F\x98", u"a\uFFFD", false},
    {"lone continuation byte", "\x80", u"\uFFFD", false},
    {"F5 to FF", "\xF5\xFF", u"\uFFFD\uFFFD", false},
};

TEST(Utf8Decode, ConvertsAsWindows) {
  for (const DecodeCase &c : kUtf8Decodes) {
    Wide w = ToWide(CP_UTF8, c.bytes);
    ASSERT_TRUE(w.ok) << c.what;
    EXPECT_EQ(Hex(w.text), Hex(c.text)) << c.what;
    Wide strict = ToWide(CP_UTF8, c.bytes, MB_ERR_INVALID_CHARS);
    EXPECT_EQ(strict.ok, c.strictOk) << c.what;
    if (!c.strictOk) {
      EXPECT_EQ(strict.error, static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION)) << c.what;
    }
  }
}

TEST(Utf8Encode, ConvertsAsWindows) {
  struct Case {
    const char *what;
    std::u16string text;
    std::string bytes;
    bool strictOk;
  } cases[] = {
      {"one to four bytes", u"a\u00E9\u8868\U0001F600", "a\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x98\x80",
       true},
      {"U+FFFF", u"\uFFFF", "\xEF\xBF\xBF", true},
      {"lone high surrogate at the end", U16({u'a', 0xD83D}), "a\xEF\xBF\xBD", false},
      {"lone low surrogate", U16({0xDE00, u'a'}),
       "\xEF\xBF\xBD"
       "a",
       false},
      {"pair in the wrong order", U16({0xDE00, 0xD83D}), "\xEF\xBF\xBD\xEF\xBF\xBD", false},
  };
  for (const Case &c : cases) {
    Narrow n = ToNarrow(CP_UTF8, c.text);
    ASSERT_TRUE(n.ok) << c.what;
    EXPECT_EQ(Hex(n.text), Hex(c.bytes)) << c.what;
    Narrow strict = ToNarrow(CP_UTF8, c.text, WC_ERR_INVALID_CHARS);
    EXPECT_EQ(strict.ok, c.strictOk) << c.what;
    if (!c.strictOk) {
      EXPECT_EQ(strict.error, static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION)) << c.what;
    }
  }
}

TEST(CodePageBuffers, SizeQueriesCountTheTerminatorOfNulTerminatedInput) {
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x82\xA0\x82\xA2", -1, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x82\xA0\x82\xA2", 4, nullptr, 0), 2);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9F\x98\x80", -1, nullptr, 0), 3);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u3042\u00E9", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u3042\U0001F600", -1, nullptr, 0, nullptr, nullptr),
            8);
}

TEST(CodePageBuffers, TooSmallABufferFailsAfterWritingWhatFits) {
  WCHAR w[4] = {u'-', u'-', u'-', u'-'};
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x82\xA0\x82\xA2\x82\xA4", 6, w, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(Hex(std::u16string(w, 3)), Hex(std::u16string(u"\u3042\u3044-")));

  // A surrogate pair is written whole or not at all.
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xF0\x9F\x98\x80", 5, w, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(w[1], u'\u3044');

  // So is a double-byte character or a multi-byte UTF-8 sequence.
  char b[4] = {'-', '-', '-', '-'};
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"a\u3042", 2, b, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(b, 4), "a---");
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a\u3042", 2, b, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(b, 4), "a---");

  // The terminator needs its place too.
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ab", -1, b, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ab", -1, b, 3, nullptr, nullptr), 3);
  EXPECT_EQ(std::string(b, 3), std::string("ab\0", 3));
}

TEST(CodePageErrors, RejectBadArgumentsAndFlags) {
  WCHAR w[8];
  char b[8];
  BOOL used;
  struct Case {
    const char *what;
    std::function<int()> call;
    DWORD error;
  } cases[] = {
      {"no input", [&] { return MultiByteToWideChar(932, 0, nullptr, 1, w, 8); },
       ERROR_INVALID_PARAMETER},
      {"zero length", [&] { return MultiByteToWideChar(932, 0, "a", 0, w, 8); },
       ERROR_INVALID_PARAMETER},
      {"length below -1", [&] { return MultiByteToWideChar(932, 0, "a", -2, w, 8); },
       ERROR_INVALID_PARAMETER},
      {"negative output size", [&] { return MultiByteToWideChar(932, 0, "a", 1, w, -1); },
       ERROR_INVALID_PARAMETER},
      {"output size without buffer",
       [&] { return MultiByteToWideChar(932, 0, "a", 1, nullptr, 8); }, ERROR_INVALID_PARAMETER},
      {"same buffer",
       [&] { return MultiByteToWideChar(932, 0, reinterpret_cast<LPCSTR>(w), 2, w, 8); },
       ERROR_INVALID_PARAMETER},
      {"code page not installed", [&] { return MultiByteToWideChar(1252, 0, "a", 1, w, 8); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8 takes no MB_PRECOMPOSED",
       [&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, w, 8); },
       ERROR_INVALID_FLAGS},
      {"MB_COMPOSITE", [&] { return MultiByteToWideChar(932, MB_COMPOSITE, "a", 1, w, 8); },
       ERROR_INVALID_FLAGS},
      {"unknown flag", [&] { return MultiByteToWideChar(932, 0x100, "a", 1, w, 8); },
       ERROR_INVALID_FLAGS},
      {"wide: no input",
       [&] { return WideCharToMultiByte(932, 0, nullptr, 1, b, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"wide: zero length",
       [&] { return WideCharToMultiByte(932, 0, u"a", 0, b, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"wide: negative output size",
       [&] { return WideCharToMultiByte(932, 0, u"a", 1, b, -1, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"wide: output size without buffer",
       [&] { return WideCharToMultiByte(932, 0, u"a", 1, nullptr, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"wide: code page not installed",
       [&] { return WideCharToMultiByte(437, 0, u"a", 1, b, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8 takes no default character",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, b, 8, "?", nullptr); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8 reports no default character",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, b, 8, nullptr, &used); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8 takes no WC_NO_BEST_FIT_CHARS",
       [&] {
         return WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", 1, b, 8, nullptr, nullptr);
       },
       ERROR_INVALID_FLAGS},
      {"WC_ERR_INVALID_CHARS is for UTF-8 only",
       [&] {
         return WideCharToMultiByte(932, WC_ERR_INVALID_CHARS, u"a", 1, b, 8, nullptr, nullptr);
       },
       ERROR_INVALID_FLAGS},
      {"WC_COMPOSITECHECK",
       [&] { return WideCharToMultiByte(932, WC_COMPOSITECHECK, u"a", 1, b, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
  };
  for (const Case &c : cases) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(c.call(), 0) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST(CodePageInfo, LeadBytesAndCpInfo) {
  EXPECT_TRUE(IsDBCSLeadByteEx(932, 0x81));
  EXPECT_TRUE(IsDBCSLeadByteEx(932, 0xFC));
  EXPECT_FALSE(IsDBCSLeadByteEx(932, 0x80));
  EXPECT_FALSE(IsDBCSLeadByteEx(932, 0xA0));
  EXPECT_FALSE(IsDBCSLeadByteEx(932, 0xFD));
  EXPECT_FALSE(IsDBCSLeadByteEx(CP_UTF8, 0xE3));
  CPINFO info;
  ASSERT_TRUE(GetCPInfo(932, &info));
  EXPECT_EQ(info.MaxCharSize, 2u);
  EXPECT_EQ(info.DefaultChar[0], '?');
  const BYTE ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  EXPECT_EQ(0, memcmp(info.LeadByte, ranges, sizeof ranges));
  ASSERT_TRUE(GetCPInfo(CP_UTF8, &info));
  EXPECT_EQ(info.MaxCharSize, 4u);
  EXPECT_EQ(info.LeadByte[0], 0);
  EXPECT_FALSE(GetCPInfo(1252, &info));
}

// CP_ACP follows the host's choice; tests put it back to 932 after them.
class AnsiCodePage : public ::testing::Test {
 protected:
  void TearDown() override { vplat::SetAnsiCodePage(932); }
};

TEST_F(AnsiCodePage, Is932UntilTheHostChoosesUtf8) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(GetOEMCP(), 932u);
  EXPECT_EQ(Hex(ToWide(CP_ACP, "\x95\x5C").text), Hex(std::u16string(u"\u8868")));
  EXPECT_TRUE(IsDBCSLeadByte(0x95));

  ASSERT_TRUE(vplat::SetAnsiCodePage(CP_UTF8));
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  EXPECT_EQ(Hex(ToWide(CP_ACP, "\xE8\xA1\xA8").text), Hex(std::u16string(u"\u8868")));
  EXPECT_EQ(Hex(ToWide(CP_THREAD_ACP, "\xE8\xA1\xA8").text), Hex(std::u16string(u"\u8868")));
  EXPECT_EQ(ToNarrow(CP_ACP, u"\u8868").text, "\xE8\xA1\xA8");
  EXPECT_FALSE(IsDBCSLeadByte(0x95));
  // UTF-8's rules come with it: no default-character report.
  BOOL used;
  char b[8];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a", 1, b, 8, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // The OEM code page and 932 itself do not move.
  EXPECT_EQ(Hex(ToWide(CP_OEMCP, "\x95\x5C").text), Hex(std::u16string(u"\u8868")));

  EXPECT_FALSE(vplat::SetAnsiCodePage(1252));
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  ASSERT_TRUE(vplat::SetAnsiCodePage(932));
  EXPECT_EQ(Hex(ToWide(CP_ACP, "\x95\x5C").text), Hex(std::u16string(u"\u8868")));
}

// A long text mixing ASCII runs of every length with kanji, kana,
// half-width katakana and undefined bytes, so that the 16-byte ASCII paths
// meet every alignment and every kind of neighbour. Each piece is one
// character and converts alone as it does in the text.
std::vector<std::string> MixedPieces() {
  const char *others[] = {"\x95\x5C", "\x82\xA0", "\x83\x5C", "\xB1", "\xDF",     "\x88\x9F",
                          "\xFA\x40", "\x87\x40", "\xA0",     "\x80", "\x85\x40", "\xF0\x40"};
  std::vector<std::string> pieces;
  uint32_t seed = 12345;
  for (int i = 0; i < 3000; i++) {
    seed = seed * 1103515245u + 12345u;
    int run = static_cast<int>(seed >> 16) % 41;
    for (int j = 0; j < run; j++)
      pieces.push_back(std::string(1, static_cast<char>('!' + (i + j) % 90)));
    pieces.push_back(others[(seed >> 8) % (sizeof others / sizeof *others)]);
  }
  return pieces;
}

TEST(CodePageLongText, ConvertsAsItsCharactersDoOneByOne) {
  std::vector<std::string> pieces = MixedPieces();
  std::string sjis;
  std::u16string expected;
  for (const std::string &p : pieces) {
    sjis += p;
    expected += ToWide(932, p).text;
  }
  Wide wide = ToWide(932, sjis);
  ASSERT_TRUE(wide.ok);
  ASSERT_EQ(wide.text, expected);

  std::string utf8Expected;
  for (char16_t c : expected) utf8Expected += ToNarrow(CP_UTF8, std::u16string(1, c)).text;
  EXPECT_EQ(ToNarrow(CP_UTF8, wide.text).text, utf8Expected);
  EXPECT_EQ(ToWide(CP_UTF8, utf8Expected).text, expected);
  std::string back;
  for (char16_t c : expected) back += ToNarrow(932, std::u16string(1, c)).text;
  EXPECT_EQ(ToNarrow(932, wide.text).text, back);

  // Strict conversions stop at an undefined piece however deep it lies, and
  // give the same text when there is none.
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis.data(),
                                static_cast<int>(sjis.size()), nullptr, 0),
            0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  std::string defined;
  for (const std::string &p : pieces)
    if (p != "\xA0" && p != "\x85\x40") defined += p;
  Wide strict = ToWide(932, defined, MB_ERR_INVALID_CHARS);
  ASSERT_TRUE(strict.ok);
  EXPECT_EQ(strict.text, ToWide(932, defined).text);

  // Surrogates amid long text: a pair and a lone one.
  std::u16string withSurrogates = expected.substr(0, 1000) + u"\U0001F600" +
                                  expected.substr(1000, 1000) + U16({0xD800}) +
                                  expected.substr(2000);
  std::string withSurrogatesUtf8 = ToNarrow(CP_UTF8, expected.substr(0, 1000)).text +
                                   "\xF0\x9F\x98\x80" +
                                   ToNarrow(CP_UTF8, expected.substr(1000, 1000)).text +
                                   "\xEF\xBF\xBD" + ToNarrow(CP_UTF8, expected.substr(2000)).text;
  EXPECT_EQ(ToNarrow(CP_UTF8, withSurrogates).text, withSurrogatesUtf8);
  EXPECT_FALSE(ToNarrow(CP_UTF8, withSurrogates, WC_ERR_INVALID_CHARS).ok);

  // One unit short of the exact size fails, in every direction.
  std::u16string w(expected.size() - 1, u'\0');
  EXPECT_EQ(MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), w.data(),
                                static_cast<int>(w.size())),
            0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(w, expected.substr(0, w.size()));
  std::string u(utf8Expected.size() - 1, '\0');
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, expected.data(), static_cast<int>(expected.size()),
                                u.data(), static_cast<int>(u.size()), nullptr, nullptr),
            0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

std::string ReadFile(const std::string &name) {
  std::ifstream in(std::string(VARDO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(CodePageRealFiles, ShiftJisPostalCodesConvertWithoutLossAndBack) {
  std::string sjis = ReadFile("13TOKYO.CSV");
  ASSERT_GT(sjis.size(), 400000u);
  Wide w = ToWide(932, sjis, MB_ERR_INVALID_CHARS);
  ASSERT_TRUE(w.ok);
  EXPECT_NE(w.text.find(u"\u6771\u4EAC\u90FD"), std::u16string::npos);              // Tokyo
  EXPECT_NE(w.text.find(u"\uFF84\uFF73\uFF77\uFF6E\uFF73"), std::u16string::npos);  // half-width
  Narrow back = ToNarrow(932, w.text, WC_NO_BEST_FIT_CHARS);
  EXPECT_FALSE(back.usedDefault);
  EXPECT_TRUE(back.text == sjis);
}

TEST(CodePageRealFiles, SameTextInShiftJisAndUtf8) {
  std::string sjis = ReadFile("same-text.shift_jis.txt");
  std::string utf8 = ReadFile("same-text.utf-8-bom.txt");
  ASSERT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");
  Wide w = ToWide(932, sjis, MB_ERR_INVALID_CHARS);
  ASSERT_TRUE(w.ok);
  EXPECT_TRUE(ToNarrow(CP_UTF8, w.text).text == utf8.substr(3));
  Wide fromUtf8 = ToWide(CP_UTF8, utf8, MB_ERR_INVALID_CHARS);
  ASSERT_TRUE(fromUtf8.ok);
  EXPECT_EQ(fromUtf8.text[0], 0xFEFF);
  EXPECT_TRUE(fromUtf8.text.substr(1) == w.text);
}

}  // namespace
