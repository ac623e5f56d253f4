// The kinds zbar cannot read, checked against the standards' own tables:
// the bars DrawBarcode draws, read back along a scan line (or by their
// heights for the postal code), against patterns worked out from those
// tables for a few values.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "barcode.h"

namespace {

struct Bar {
  double left, top, right, bottom;  // in modules
};

std::vector<Bar> BarsOf(const BarcodeDrawing &d) {
  std::vector<Bar> bars;
  for (const Outline &o : d.bars) {
    double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
    for (const auto &[x, y] : o.points) {
      l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
    }
    bars.push_back({l / d.moduleMm, t / d.moduleMm, r / d.moduleMm, b / d.moduleMm});
  }
  std::sort(bars.begin(), bars.end(), [](const Bar &a, const Bar &b) { return a.left < b.left; });
  return bars;
}

// The elements from the first bar to the last along the bars' middle:
// bars as N or W, spaces as n or w, narrow being the narrowest element and
// wide anything at least twice as wide.
std::string Elements(const BarcodeDrawing &d) {
  std::vector<Bar> bars = BarsOf(d);
  if (bars.empty()) return "";
  std::vector<std::pair<bool, double>> runs;  // bar?, width
  for (size_t i = 0; i < bars.size(); ++i) {
    if (i > 0) runs.push_back({false, bars[i].left - bars[i - 1].right});
    runs.push_back({true, bars[i].right - bars[i].left});
  }
  double narrow = 1e9;
  for (const auto &[bar, width] : runs) narrow = std::min(narrow, width);
  std::string out;
  for (const auto &[bar, width] : runs) {
    const double ratio = width / narrow;
    const char c = ratio < 1.5 ? 'n' : ratio >= 2 ? 'w' : '?';
    out += bar ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

BarcodeDrawing Draw(const ElementAttributes &attributes) {
  BarcodeDrawing d;
  std::string reason;
  std::vector<std::string> notes;
  EXPECT_TRUE(DrawBarcode(attributes, &d, &reason, &notes)) << reason;
  return d;
}

// Two of five bars (or elements) wide for each digit, weights 1 2 4 7 and
// parity.
const char *const kTwoOfFive[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                    "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

// Industrial and IATA 2 of 5 carry the digits in the bars alone, every
// space narrow; `start` and `stop` are bar widths.
std::string BarsOnly(const std::string &start, const std::string &digits, const std::string &stop) {
  std::string bars = start;
  for (char c : digits) bars += kTwoOfFive[c - '0'];
  bars += stop;
  std::string out;
  for (size_t i = 0; i < bars.size(); ++i) {
    if (i) out += 'n';
    out += bars[i];
  }
  return out;
}

// Five elements, bar first, a character; a narrow space between characters.
std::string Interleaved(const std::vector<std::string> &characters) {
  std::string out;
  for (size_t k = 0; k < characters.size(); ++k) {
    if (k) out += 'n';
    for (size_t i = 0; i < characters[k].size(); ++i) {
      const char c = characters[k][i];
      out += i % 2 == 0 ? c : static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

TEST(BarcodePatterns, TwoOfFiveKinds) {
  struct {
    const char *type, *data, *check;
    std::string expected;
  } cases[] = {
      {"IDENTICON_INDUSTRIAL", "12", "FALSE", BarsOnly("WWN", "12", "WNW")},
      {"IDENTICON_INDUSTRIAL", "90817", "FALSE", BarsOnly("WWN", "90817", "WNW")},
      // Check digit of 1234: 3×(4+2) + (3+1) = 22, so 8.
      {"IDENTICON_INDUSTRIAL", "1234", "TRUE", BarsOnly("WWN", "12348", "WNW")},
      {"IATA_WALLACE", "12", "FALSE", BarsOnly("NN", "12", "WN")},
      {"IATA_WALLACE", "5036", "FALSE", BarsOnly("NN", "5036", "WN")},
      // 3×(6+0) + (3+5) = 26, so 4.
      {"IATA_WALLACE", "5036", "TRUE", BarsOnly("NN", "50364", "WN")},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Elements(Draw({{"TYPE", c.type}, {"DATA", c.data}, {"CHECKDIGIT", c.check}})),
              c.expected)
        << c.type << " " << c.data;
  }
  // Matrix 2 of 5: the digits over three bars and two spaces, between a
  // start and a stop of one wide bar and four narrow elements.
  auto matrix = [](const std::string &digits) {
    std::vector<std::string> characters{"WNNNN"};
    for (char c : digits) characters.push_back(kTwoOfFive[c - '0']);
    characters.push_back("WNNNN");
    return Interleaved(characters);
  };
  for (const char *data : {"12", "4709"}) {
    EXPECT_EQ(Elements(Draw({{"TYPE", "MATRIX_2OF5"}, {"DATA", data}, {"CHECKDIGIT", "FALSE"}})),
              matrix(data))
        << data;
  }
  // 3×(9+7) + (0+4) = 52, so 8.
  EXPECT_EQ(Elements(Draw({{"TYPE", "MATRIX_2OF5"}, {"DATA", "4709"}, {"CHECKDIGIT", "TRUE"}})),
            matrix("47098"));
}

TEST(BarcodePatterns, Code11WithItsCheckDigits) {
  // 1 is a wide element; value 10 is '-'.
  const char *const kCode11[11] = {"NNNNW", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN",
                                   "NWWNN", "NNNWW", "WNNWN", "WNNNN", "NNWNN"};
  auto symbol = [&](const std::string &characters) {
    std::vector<std::string> chars{"NNWWN"};
    for (char c : characters) chars.push_back(kCode11[c == '-' ? 10 : c - '0']);
    chars.push_back("NNWWN");
    return Interleaved(chars);
  };
  struct {
    const char *data, *check, *characters;
  } cases[] = {
      {"123-45", "FALSE", "123-45"},
      // C: weights 1, 2, 3, ... from the right: 5 + 8 + 30 + 12 + 10 + 6 = 71
      // = 6 × 11 + 5.
      {"123-45", "TRUE", "123-455"},
      // Eleven characters: C and then K. C, weights 1 to 10 from the right
      // and 1 again: 1+0+27+32+35+36+35+32+27+20+1 = 246 = 22 × 11 + 4. K
      // over the data and C, weights 1 to 9 and again: 252 = 22 × 11 + 10,
      // which is '-'.
      {"12345678901", "TRUE", "123456789014-"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Elements(Draw({{"TYPE", "CODE11"}, {"DATA", c.data}, {"CHECKDIGIT", c.check}})),
              symbol(c.characters))
        << c.data;
  }
}

TEST(BarcodePatterns, JapanPostCustomerBarcode) {
  // Bars by their extent: 1 long, 2 upper half-long, 3 lower half-long, 4
  // the timing bar; three bars a character.
  const char *const kDigits[10] = {"144", "114", "132", "312", "123",
                                   "141", "321", "213", "231", "411"};
  const char *const kHyphen = "414";
  const char *const kControl[9] = {"", "324", "342", "234", "432", "243", "423", "441", "111"};
  auto read = [](const BarcodeDrawing &d) {
    std::vector<Bar> bars = BarsOf(d);
    double top = 1e9, bottom = -1e9;
    for (const Bar &b : bars) top = std::min(top, b.top), bottom = std::max(bottom, b.bottom);
    const double third = (bottom - top) / 3;
    std::string out;
    for (const Bar &b : bars) {
      const bool up = b.top<top + third / 2, down = b.bottom> bottom - third / 2;
      out += up && down ? '1' : up ? '2' : down ? '3' : '4';
    }
    return out;
  };
  // Values 0-9 the digits, 10 '-', 11 to 18 control codes 1 to 8; the
  // characters padded with control code 4 to twenty, then the check
  // character that makes the sum a multiple of 19.
  auto expected = [&](const std::vector<int> &values) {
    std::vector<int> all = values;
    while (all.size() < 20) all.push_back(14);
    int sum = 0;
    for (int v : all) sum += v;
    all.push_back((19 - sum % 19) % 19);
    std::string out = "13";
    for (int v : all) out += v < 10 ? kDigits[v] : v == 10 ? kHyphen : kControl[v - 10];
    return out + "31";
  };
  struct {
    const char *data;
    std::vector<int> values;
  } cases[] = {
      // 66 + 3 × 14 = 108, so the check character is 6.
      {"15400233-16-4-205", {1, 5, 4, 0, 0, 2, 3, 3, 10, 1, 6, 10, 4, 10, 2, 0, 5}},
      // A letter is control code 1 and a digit: A is CC1 0.
      {"1000001A", {1, 0, 0, 0, 0, 0, 1, 11, 0}},
  };
  for (const auto &c : cases) {
    const BarcodeDrawing d = Draw({{"TYPE", "POSTAL"}, {"DATA", c.data}});
    EXPECT_EQ(read(d), expected(c.values)) << c.data;
    // The 10-point size: 0.6 mm bars on a 1.2 mm pitch, long bars 3.6 mm.
    const std::vector<Bar> bars = BarsOf(d);
    EXPECT_NEAR((bars[1].left - bars[0].left) * d.moduleMm, 1.2, 1e-6);
    EXPECT_NEAR((bars[0].bottom - bars[0].top) * d.moduleMm, 3.6, 1e-6);
  }
}

TEST(BarcodePatterns, DataBarLimitedLayout) {
  // 74 modules: a guard of a space and a bar, three characters of 14
  // elements (26, 18 and 26 modules: left data, check, right data), a
  // guard of a space and a bar; 10 modules tall.
  for (const char *data : {"0490123456789", "1234567890123"}) {
    const BarcodeDrawing d = Draw({{"TYPE", "RSS_LIMITED"}, {"DATA", data}});
    const std::vector<Bar> bars = BarsOf(d);
    ASSERT_EQ(bars.size(), 23u) << data;
    std::vector<long> runs;  // from the first bar to the last, in modules
    for (size_t i = 0; i < bars.size(); ++i) {
      if (i) runs.push_back(std::lround(bars[i].left - bars[i - 1].right));
      runs.push_back(std::lround(bars[i].right - bars[i].left));
    }
    ASSERT_EQ(runs.size(), 45u);
    long sums[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
      for (int i = 0; i < 14; ++i) sums[k] += runs[1 + 14 * k + i];
    }
    EXPECT_EQ(runs.front(), 1) << data;
    EXPECT_EQ(sums[0], 26) << data;
    EXPECT_EQ(sums[1], 18) << data;
    EXPECT_EQ(sums[2], 26) << data;
    EXPECT_EQ(runs[43], 1) << data;
    EXPECT_EQ(runs[44], 1) << data;
    EXPECT_NEAR(bars.back().right - bars.front().left, 73, 1e-6) << data;
    EXPECT_NEAR(bars.front().bottom - bars.front().top, 10, 1e-6) << data;
  }
}

// GS1 DataBar Limited from ISO/IEC 24724's tables. A data character of
// 26 modules is 7 odd elements (the 1st, 3rd, ...) and 7 even ones; its
// value picks a group, and within it value = odd index × T_even + even
// index. An index is the position of the widths among every set of 7
// widths that fits the group (each 1 to the widest, summing to the
// modules, the even set holding at least one narrow element) taken in
// lexicographic order, the first width varying slowest: the order the
// standard's element width algorithm counts in.
struct LimitedGroup {
  long first;  // the group's smallest value
  int oddModules, evenModules, oddWidest, evenWidest;
  long tOdd, tEven;  // how many odd and even sets the group has
};
const LimitedGroup kLimitedGroups[7] = {
    {0, 17, 9, 6, 3, 6538, 28},         {183064, 13, 13, 5, 4, 875, 728},
    {820064, 9, 17, 3, 6, 28, 6454},    {1000776, 15, 11, 5, 4, 2415, 203},
    {1491021, 11, 15, 4, 5, 203, 2408}, {1979845, 19, 7, 8, 1, 17094, 1},
    {1996939, 7, 19, 1, 8, 1, 16632},
};

typedef std::array<int, 7> Widths;

// Every set of 7 widths of 1 to `widest` summing to `modules`, ascending
// in the order above; with `narrow`, only those holding a width of 1.
std::vector<Widths> WidthSets(int modules, int widest, bool narrow) {
  std::vector<Widths> sets;
  Widths w{};
  std::function<void(int, int)> fill = [&](int k, int left) {
    if (k == 6) {
      if (left < 1 || left > widest) return;
      w[6] = left;
      if (!narrow || std::find(w.begin(), w.end(), 1) != w.end()) sets.push_back(w);
      return;
    }
    for (int v = 1; v <= widest && v <= left - (6 - k); ++v) {
      w[k] = v;
      fill(k + 1, left - v);
    }
  };
  fill(0, modules);
  return sets;
}

// The 14 element widths of a data character of `value` (0 to 2013570).
std::vector<int> LimitedCharacter(long value) {
  int g = 6;
  while (kLimitedGroups[g].first > value) --g;
  const LimitedGroup &group = kLimitedGroups[g];
  const long v = value - group.first;
  const std::vector<Widths> odd = WidthSets(group.oddModules, group.oddWidest, false);
  const std::vector<Widths> even = WidthSets(group.evenModules, group.evenWidest, true);
  std::vector<int> out;
  for (int i = 0; i < 7; ++i) {
    out.push_back(odd.at(v / group.tEven)[i]);
    out.push_back(even.at(v % group.tEven)[i]);
  }
  return out;
}

// Element widths in modules from the first bar to the last.
std::vector<long> Runs(const BarcodeDrawing &d) {
  const std::vector<Bar> bars = BarsOf(d);
  std::vector<long> runs;
  for (size_t i = 0; i < bars.size(); ++i) {
    if (i) runs.push_back(std::lround(bars[i].left - bars[i - 1].right));
    runs.push_back(std::lround(bars[i].right - bars[i].left));
  }
  return runs;
}

TEST(BarcodePatterns, DataBarLimitedGroupsAreTheStandardsTables) {
  // The enumeration yields exactly the tables' counts, and the groups
  // follow each other without a gap up to 2013571 values a character.
  for (int g = 0; g < 7; ++g) {
    const LimitedGroup &group = kLimitedGroups[g];
    EXPECT_EQ(group.oddModules + group.evenModules, 26) << g;
    EXPECT_EQ(static_cast<long>(WidthSets(group.oddModules, group.oddWidest, false).size()),
              group.tOdd)
        << g;
    EXPECT_EQ(static_cast<long>(WidthSets(group.evenModules, group.evenWidest, true).size()),
              group.tEven)
        << g;
    const long next = g < 6 ? kLimitedGroups[g + 1].first : 2013571;
    EXPECT_EQ(group.first + group.tOdd * group.tEven, next) << g;
  }
}

TEST(BarcodePatterns, DataBarLimitedElements) {
  // The 13 digits without the check digit are one number, split into a
  // left and a right character by 2013571. The check character (the
  // finder) is drawn for the weighted sum of the data characters' 28
  // element widths modulo 89, the weights 3^k modulo 89 from the left
  // character's first element on.
  auto checksum = [](const std::vector<int> &left, const std::vector<int> &right) {
    int weight = 1, sum = 0;
    for (const std::vector<int> *c : {&left, &right}) {
      for (int w : *c) sum = (sum + weight * w) % 89, weight = weight * 3 % 89;
    }
    return sum;
  };
  struct Drawn {
    std::vector<int> left, check, right;
  };
  auto draw = [](const std::string &data, const char *check) {
    const std::vector<long> runs =
        Runs(Draw({{"TYPE", "RSS_LIMITED"}, {"DATA", data}, {"CHECKDIGIT", check}}));
    Drawn out;
    // A guard bar, 3 × 14 elements, a guard space and bar.
    EXPECT_EQ(runs.size(), 45u) << data;
    if (runs.size() != 45) return out;
    EXPECT_EQ(runs[0], 1) << data;
    EXPECT_EQ(runs[43], 1) << data;
    EXPECT_EQ(runs[44], 1) << data;
    out.left.assign(runs.begin() + 1, runs.begin() + 15);
    out.check.assign(runs.begin() + 15, runs.begin() + 29);
    out.right.assign(runs.begin() + 29, runs.begin() + 43);
    return out;
  };
  // Right characters in every group, left ones in the three the 13 digits
  // reach, both ends of the range, and the data given with its check digit.
  std::vector<std::pair<std::string, const char *>> cases = {
      {"0000000000000", "TRUE"}, {"1999999999999", "TRUE"}, {"04901234567894", "FALSE"}};
  for (const LimitedGroup &group : kLimitedGroups) {
    for (long long left : {490LL, 500000LL, 993000LL}) {
      const long long value = left * 2013571 + group.first + 7;
      char digits[24];
      std::snprintf(digits, sizeof digits, "%013lld", value);
      cases.push_back({digits, "TRUE"});
    }
  }
  // The next values after one, and the first beyond them whose sum is that
  // one's: each sum its own check character, and one drawn twice.
  auto sumOf = [&](long long value) {
    return checksum(LimitedCharacter(static_cast<long>(value / 2013571)),
                    LimitedCharacter(static_cast<long>(value % 2013571)));
  };
  const long long base = 1234567890123LL;
  for (int k = 0; k <= 12; ++k) cases.push_back({std::to_string(base + k), "TRUE"});
  long long same = base + 13;
  while (sumOf(same) != sumOf(base)) ++same;
  cases.push_back({std::to_string(same), "TRUE"});
  std::map<int, std::vector<int>> checkBySum;
  std::map<std::vector<int>, int> sumByCheck;
  for (const auto &[data, check] : cases) {
    const long long value = std::stoll(data.substr(0, 13));
    const Drawn d = draw(data, check);
    const std::vector<int> left = LimitedCharacter(static_cast<long>(value / 2013571));
    const std::vector<int> right = LimitedCharacter(static_cast<long>(value % 2013571));
    EXPECT_EQ(d.left, left) << data;
    EXPECT_EQ(d.right, right) << data;
    int modules = 0;
    for (int w : d.check) modules += w;
    EXPECT_EQ(modules, 18) << data;
    // One check character a sum, and another for another sum.
    const int sum = checksum(left, right);
    const auto drawnFor = checkBySum.emplace(sum, d.check).first;
    EXPECT_EQ(d.check, drawnFor->second) << data << ": sum " << sum;
    const auto sumFor = sumByCheck.emplace(d.check, sum).first;
    EXPECT_EQ(sum, sumFor->second) << data;
  }
  EXPECT_GT(checkBySum.size(), 10u);
}
}  // namespace
