// The table answers from derived line and field positions; the reference
// rescans the text for every question. On generated tables full of the
// awkward cases (quotes, escapes, line breaks of every kind, blank lines,
// broken and cut UTF-8 units, over-long lines) both must give the same
// counts, fields and rebuilt texts, whatever the order of the questions.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "vardo/recordtable/recordtable.h"
#include "vardo/recordtable/recordtable_seams.h"
#include "vardo/recordtable/recordtable_test_support.h"

namespace {

// Fragments of well-formed text first, then lead bytes without the
// continuation bytes they announce, right before quotes, commas and line
// breaks, which must still be read as syntax.
const char *const kFragments[] = {
    "a",
    "bc",
    "xyz",
    " ",
    ",",
    ",",
    ",",
    "\"",
    "\"",
    "\"\"",
    "\\",
    "\\\"",
    "\\\\",
    "\\n",
    "\\r",
    "\n",
    "\n",
    "\r\n",
    "\r",
    "\r\n\r\n",
    "\xE3\x81\x82",
    "\xC3\xA9",
    "\x80",
    "\t",
    "\xF0\x9F\x98\x80",
    // broken units:
    "\xC3",
    "\xC3\"",
    "\xE3\n",
    "\xF8,,,,",
};
constexpr size_t kWellFormed = std::size(kFragments) - 4;

std::string GenerateText(std::mt19937 &random, bool withLongLine, bool broken) {
  std::uniform_int_distribution<size_t> pick(0, (broken ? std::size(kFragments) : kWellFormed) - 1);
  std::uniform_int_distribution<int> length(0, 300);
  std::string text;
  for (int i = length(random); i > 0; --i) text += kFragments[pick(random)];
  if (withLongLine) {
    std::uniform_int_distribution<size_t> at(0, text.size());
    std::string run =
        std::string(32760, 'L') + ",\"\"" + "\xE3\x81\x82" + ",tail" + std::string(20, 'T');
    text.insert(at(random), run);
  }
  // The end of the text can cut a unit short.
  if (broken && random() % 4 == 0) text += "\xE3\x81";
  return text;
}

std::string Value(std::mt19937 &random, bool broken) {
  std::uniform_int_distribution<size_t> pick(0, (broken ? std::size(kFragments) : kWellFormed) - 1);
  std::string value;
  for (int i = random() % 5; i > 0; --i) value += kFragments[pick(random)];
  return value;
}

void ExpectSameFields(std::mt19937 &random, const std::string &text) {
  ASSERT_EQ(CountRecords(), reference::CountRecords(text));
  ASSERT_EQ(ReadTable(), ReadReference(text));
  // Questions out of order, beyond the last record and field too.
  long count = reference::CountRecords(text);
  for (int i = 0; i < 40; ++i) {
    LONG r = static_cast<LONG>(random() % (count + 2)) - 1;
    LONG c = static_cast<LONG>(random() % 8) - 1;
    auto expected = reference::GetField(text, r, c);
    ASSERT_EQ(Take(GetField(r, c)), expected.value_or("<none>"))
        << "record " << r << " column " << c;
  }
}

TEST(RecordTableDifferential, AgreesWithTheRescanningReference) {
  std::mt19937 random(20240611);
  for (int table = 0; table < 400; ++table) {
    SCOPED_TRACE(testing::Message() << "table " << table);
    bool broken = table % 2 == 1;
    std::string text = GenerateText(random, table % 25 == 0 || table % 25 == 1, broken);
    ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
    ExpectSameFields(random, text);

    for (int step = 0; step < 8; ++step) {
      long count = reference::CountRecords(text);
      LONG r = static_cast<LONG>(random() % (count + 1));
      LONG c = static_cast<LONG>(random() % 6);
      // Now and then a broken value in a well-formed text.
      std::string value = Value(random, broken || step == 7);
      auto rebuilt = reference::SetField(text, r, c, value);
      SCOPED_TRACE(testing::Message() << "set " << r << "," << c);
      ASSERT_EQ(SetField(r, c, value.c_str()) != FALSE, rebuilt.has_value());
      if (rebuilt) text = *rebuilt;
      ASSERT_EQ(TableText(), text);
      ExpectSameFields(random, text);
    }
  }
}

}  // namespace

namespace {

// The scans work on blocks of 64 bytes; runs of backslashes and quoted
// sections that cross a block's end must read as they do within a block.
TEST(RecordTableDifferential, RunsAcrossBlockEndsAgree) {
  for (size_t offset : {0, 1, 30, 60, 61, 62, 63, 64, 65, 126, 127}) {
    for (size_t run : {1, 2, 3, 4, 5, 63, 64, 65, 66, 127, 128, 129}) {
      for (const char *after : {"\",a,\"b\nnext,\"x\"", "n,\"c,d\"\n\"q\",r", "\"\"\",e\r\nf"}) {
        std::string text = "h,i\n\"" + std::string(offset, 'p') + std::string(run, '\\') + after;
        SCOPED_TRACE(testing::Message() << "offset " << offset << " run " << run << " " << after);
        ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
        ASSERT_EQ(ReadTable(), ReadReference(text));
      }
    }
  }
}

}  // namespace
