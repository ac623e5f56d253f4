#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "frame/preferencefile.h"

namespace {

// A settings record with one setting of every kind the reader knows.
struct Settings {
  char csvpath[256];
  char label[8];  // short, to show strings cut at their capacity
  LONG startRecord;
  SHORT count;
  double size;
};

const PreferenceKey KEYS[] = {
    PREFERENCE_SETTING(Settings, csvpath, PREFERENCE_STRING),
    PREFERENCE_SETTING(Settings, label, PREFERENCE_STRING),
    PREFERENCE_SETTING(Settings, startRecord, PREFERENCE_INTEGER),
    PREFERENCE_SETTING(Settings, count, PREFERENCE_INTEGER),
    PREFERENCE_SETTING(Settings, size, PREFERENCE_REAL),
};
const PreferenceFile FILE_ = {"Test.ini", KEYS, sizeof KEYS / sizeof KEYS[0]};

// Values no case sets by accident, so "unchanged" is visible.
Settings Baseline() {
  Settings s;
  std::memset(&s, 0, sizeof s);
  std::strcpy(s.csvpath, "old.csv");
  std::strcpy(s.label, "old");
  s.startRecord = -99;
  s.count = -99;
  s.size = -99.5;
  return s;
}

void ExpectSame(const Settings &got, const Settings &want, const char *name) {
  EXPECT_STREQ(got.csvpath, want.csvpath) << name;
  EXPECT_STREQ(got.label, want.label) << name;
  EXPECT_EQ(got.startRecord, want.startRecord) << name;
  EXPECT_EQ(got.count, want.count) << name;
  EXPECT_EQ(got.size, want.size) << name;
}

TEST(PreferenceText, FileTextsAndTheSettingsTheyGive) {
  const std::string longPath(300, 'x');
  struct Case {
    const char *name;
    std::string text;
    void (*expect)(Settings &);
  } const cases[] = {
      {"empty file", "", [](Settings &) {}},
      {"no spaces", "startRecord=5", [](Settings &s) { s.startRecord = 5; }},
      {"spaces", "startRecord = 5\r\n", [](Settings &s) { s.startRecord = 5; }},
      {"space inside the key", "start Record = 5", [](Settings &s) { s.startRecord = 5; }},
      {"tabs and CR", "\tstartRecord\t=\t5\r", [](Settings &s) { s.startRecord = 5; }},
      {"comment", "'startRecord = 5", [](Settings &) {}},
      {"comment after spaces", "   ' startRecord = 5\ncount=2", [](Settings &s) { s.count = 2; }},
      {"key in another case", "StartRecord = 5\nSTARTRECORD = 6", [](Settings &) {}},
      {"unknown key among known", "foo = 1\nstartRecord = 3\nbar",
       [](Settings &s) { s.startRecord = 3; }},
      {"empty key", "= 5\n,startRecord", [](Settings &) {}},
      {"later line wins", "startRecord = 5\nstartRecord = 6",
       [](Settings &s) { s.startRecord = 6; }},
      {"lines without their last LF", "count = 1\nstartRecord = 2",
       [](Settings &s) { s.count = 1, s.startRecord = 2; }},
      {"blank lines", "\n\r\n \t\ncount=4\n\n", [](Settings &s) { s.count = 4; }},
      // Integers: sign and digits up to the first other byte.
      {"trailing letters", "startRecord = 12abc", [](Settings &s) { s.startRecord = 12; }},
      {"no digits", "startRecord = abc", [](Settings &s) { s.startRecord = 0; }},
      {"empty value", "startRecord =", [](Settings &s) { s.startRecord = 0; }},
      {"no value at all", "startRecord", [](Settings &s) { s.startRecord = 0; }},
      {"signs", "startRecord = -7\ncount = +7",
       [](Settings &s) { s.startRecord = -7, s.count = 7; }},
      {"comma ends the value", "startRecord = 1,2", [](Settings &s) { s.startRecord = 1; }},
      {"32-bit setting keeps 32768", "startRecord = 32768",
       [](Settings &s) { s.startRecord = 32768; }},
      {"32-bit limits", "startRecord = -2147483648\ncount = 0",
       [](Settings &s) { s.startRecord = INT32_MIN, s.count = 0; }},
      {"32-bit upper limit", "startRecord = 2147483647",
       [](Settings &s) { s.startRecord = INT32_MAX; }},
      {"16-bit limits", "count = -32768", [](Settings &s) { s.count = -32768; }},
      {"16-bit upper limit", "count = 32767", [](Settings &s) { s.count = 32767; }},
      // A number that does not fit its setting keeps it, as a missing key does.
      {"beyond 32 bits", "startRecord = 99999999999", [](Settings &) {}},
      {"just beyond 32 bits", "startRecord = 2147483648\nstartRecord = -2147483649",
       [](Settings &) {}},
      {"far beyond 64 bits", "startRecord = -" + std::string(40, '9'), [](Settings &) {}},
      {"beyond 16 bits", "count = 32768\ncount = -32769\ncount = 65537", [](Settings &) {}},
      {"a later line that fits still wins", "count = 99999\ncount = 7",
       [](Settings &s) { s.count = 7; }},
      // Reals.
      {"real", "size = 0.5", [](Settings &s) { s.size = 0.5; }},
      {"real with exponent", "size = 1.5e3", [](Settings &s) { s.size = 1500; }},
      {"real with unit", "size = 2.25mm", [](Settings &s) { s.size = 2.25; }},
      {"real with sign", "size = -.25", [](Settings &s) { s.size = -0.25; }},
      {"real without digits", "size = mm", [](Settings &s) { s.size = 0; }},
      // Values that are not a finite double keep the setting.
      {"not a number", "size = nan", [](Settings &) {}},
      {"infinities", "size = inf\nsize = -inf\nsize = +Infinity", [](Settings &) {}},
      {"beyond the double's range", "size = 1e999\nsize = -1e400", [](Settings &) {}},
      {"smaller than the double's range", "size = 1e-999", [](Settings &) {}},
      {"largest double", "size = 1.7976931348623157e308",
       [](Settings &s) { s.size = 1.7976931348623157e308; }},
      // Strings.
      {"quoted path keeps spaces, commas, = and backslashes", "csvpath = \"C:\\a b\\c,d=e.csv\"",
       [](Settings &s) { std::strcpy(s.csvpath, "C:\\a b\\c,d=e.csv"); }},
      {"unquoted string loses its spaces", "label = a b",
       [](Settings &s) { std::strcpy(s.label, "ab"); }},
      {"quoted spaces survive", "label = \" a \"",
       [](Settings &s) { std::strcpy(s.label, " a "); }},
      {"string cut at its capacity", "label = \"abcdefghij\"",
       [](Settings &s) { std::strcpy(s.label, "abcdefg"); }},
      {"empty string", "label = \"\"", [](Settings &s) { s.label[0] = '\0'; }},
      {"multi-byte text passes", "label = \"\xE5\xB1\xB1\x82\xa0\"",
       [](Settings &s) { std::strcpy(s.label, "\xE5\xB1\xB1\x82\xa0"); }},
      {"quote inside a value does not read back", "label = \"a\"b\"",
       [](Settings &s) { std::strcpy(s.label, "ab"); }},
      {"line break inside a value does not read back", "label = \"a\nb\"\ncount=3",
       [](Settings &s) { std::strcpy(s.label, "a"), s.count = 3; }},
      // Lines.
      {"CR alone does not end a line", "startRecord = 5\rcount = 7\r",
       [](Settings &s) { s.startRecord = 5; }},
      {"line cut at 255 kept bytes", "csvpath = \"" + longPath + "\"\ncount=1",
       [](Settings &s) {
         // "csvpath=\"" takes 9 of the 255 kept bytes.
         std::memset(s.csvpath, 'x', 246);
         s.csvpath[246] = '\0';
         s.count = 1;
       }},
      {"dropped spaces do not count toward 255", std::string(400, ' ') + "count = 6",
       [](Settings &s) { s.count = 6; }},
      {"text ends at a NUL byte", std::string("count = 5\n\0startRecord = 3", 27),
       [](Settings &s) { s.count = 5; }},
  };
  for (const Case &c : cases) {
    Settings got = Baseline();
    ApplyPreferenceText(&FILE_, c.text.data(), c.text.size(), &got);
    Settings want = Baseline();
    c.expect(want);
    ExpectSame(got, want, c.name);
  }
}

TEST(PreferenceText, FormatsOneLinePerKind) {
  Settings s = Baseline();
  std::strcpy(s.csvpath, "C:\\a b\\\x82\xa0.csv");
  std::memcpy(s.label, "12345678", 8);  // no NUL within its capacity
  s.startRecord = 40000;
  s.count = -3;
  struct {
    size_t key;
    double size;
    const char *line;
  } const cases[] = {
      {0, 0, "csvpath = \"C:\\a b\\\x82\xa0.csv\"\r\n"},
      {1, 0, "label = \"12345678\"\r\n"},
      {2, 0, "startRecord = 40000\r\n"},
      {3, 0, "count = -3\r\n"},
      {4, 0.5, "size = 0.5\r\n"},
      {4, 10, "size = 10\r\n"},
      {4, 1234567, "size = 1.23457e+06\r\n"},
      {4, 0.0001, "size = 0.0001\r\n"},
      {4, 0.00001, "size = 1e-05\r\n"},
      {4, -2.5, "size = -2.5\r\n"},
  };
  for (const auto &c : cases) {
    s.size = c.size;
    char line[300];
    size_t length = FormatPreferenceLine(&KEYS[c.key], &s, line, sizeof line);
    EXPECT_STREQ(line, c.line);
    EXPECT_EQ(length, std::strlen(c.line));
  }
  // A line that does not fit is refused whole.
  char small[10];
  EXPECT_EQ(FormatPreferenceLine(&KEYS[2], &s, small, sizeof small), 0u);
  EXPECT_STREQ(small, "");
}

}  // namespace
