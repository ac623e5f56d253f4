// The line and field rules, seen through the table: raw texts and the
// records they read as. Each text is checked against the table and against
// the rescanning reference, so the two cannot drift apart from the rules.
#include "vardo/recordtable/csvsyntax.h"

#include <gtest/gtest.h>

#include <string>

#include "vardo/recordtable/recordtable_seams.h"
#include "vardo/recordtable/recordtable_test_support.h"

namespace {

struct RulesCase {
  const char *what;
  std::string text;
  Records expected;
};

std::string Repeat(char c, size_t n) { return std::string(n, c); }

TEST(CsvRules, TextsReadAsTheirRecords) {
  const std::string longX(32766, 'x');
  const RulesCase cases[] = {
      {"empty text", "", {}},
      {"header only", "name,city", {{"name", "city"}}},
      {"blank lines shift no numbers",
       "\r\n\r\na,b\r\n\r\n\r\nc,d\r\n\n\r",
       {{"a", "b"}, {"c", "d"}}},
      {"empty header field reads @n, empty data field empty",
       "h1,,h3\n1,,3\n",
       {{"h1", "@1", "h3"}, {"1", "", "3"}}},
      {"a final comma opens no field", "h\na,b,\n", {{"h"}, {"a", "b"}}},
      {"two commas: the empty middle field exists", "h\na,,\n", {{"h"}, {"a", ""}}},
      {"quote forms",
       "h\n\"\",\"a\"\"b\",\"x,y\",\"\"\"\",a\"\"b,\"\"x\n",
       {{"h"}, {"", "a\"b", "x,y", "\"\"", "a\"b", "\"x"}}},
      {"quoted CR LF stays in the record",
       "h\r\n\"a\r\nb\",c\r\nd\r\n",
       {{"h"}, {"a\r\nb", "c"}, {"d"}}},
      {"quoted lone CR and LF too", "h\n\"a\rb\nc\"\n", {{"h"}, {"a\rb\nc"}}},
      {"backslash escapes are decoded outside quotes",
       "h\nC:\\new\\table\n",
       {{"h"}, {"C:\new\table"}}},
      {"and inside quotes", "h\n\"C:\\new\\\\x\\r\\q\"\n", {{"h"}, {"C:\new\\x\r\\q"}}},
      {"backslash quote neither opens a quoted section", "h\na\\\"b,c\n", {{"h"}, {"a\"b", "c"}}},
      {"nor closes one", "h\n\"a\\\"b,c\"\n", {{"h"}, {"a\"b,c"}}},
      // Two backslashes and a quote close the quotes for the fields, but the
      // line rules see backslash-quote as a pair: the line goes on.
      {"two backslashes and a quote", "h\n\"a\\\\\",b\nc,d\n", {{"h"}, {"a\\", "b\nc", "d\n"}}},
      {"an unclosed quote runs to the end", "h\n\"a,b\nc\n", {{"h"}, {"a,b\nc\n"}}},
      {"a whole UTF-8 unit is one character",
       "h\n\xE9\x88\xB4,\xF0\x9F\x98\x80\n",
       {{"h"}, {"\xE9\x88\xB4", "\xF0\x9F\x98\x80"}}},
      // A lead byte without the continuation bytes it announces stands
      // alone: the break or comma after it is syntax.
      {"a damaged sequence before a line break",
       "\xE9\x88\xB4\xE6\x9D\n\xE9\xAB\x98,\xE6\x9C\xAD\n",
       {{"\xE9\x88\xB4\xE6\x9D"}, {"\xE9\xAB\x98", "\xE6\x9C\xAD"}}},
      {"lead bytes before a quote, a comma and a break",
       "h\n\xC3\",z\"\n\xC3,\xE3\n,w\n",
       {{"h"}, {"\xC3,z"}, {"\xC3", "\xE3"}, {"", "w"}}},
      {"a unit cut by the end of the text", "h\na,\xE3\x81", {{"h"}, {"a", "\xE3\x81"}}},
      {"a lead byte announcing six bytes",
       "h\n\xFC,,,,,x,y",
       {{"h"}, {"\xFC", "", "", "", "", "x", "y"}}},
      {"a byte-order mark stays in the first name",
       "\xEF\xBB\xBFname,x\n",
       {{"\xEF\xBB\xBFname", "x"}}},
  };
  for (const RulesCase &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SetRecordTableText(c.text.data(), c.text.size()));
    EXPECT_EQ(ReadTable(), c.expected);
    EXPECT_EQ(ReadReference(c.text), c.expected);
  }
}

TEST(CsvRules, LineWindowHoldsWholeUnitsAndPairsOnly) {
  const std::string x32765(32765, 'x'), x32766(32766, 'x');
  const RulesCase cases[] = {
      {"a line that fills the window exactly", "h\n" + x32765 + ",y\n", {{"h"}, {x32765, "y"}}},
      {"a field beyond the window does not exist", "h\n" + x32766 + ",y\n", {{"h"}, {x32766}}},
      {"a pair that does not fit is left out, a later byte still fits",
       "h\n" + x32766 + "\"\"z\n",
       {{"h"}, {x32766 + "z"}}},
      {"a unit that does not fit is left out whole",
       "h\n" + x32765 + "\xE3\x81\x82" + "ab\n",
       {{"h"}, {x32765 + "ab"}}},
      {"a damaged sequence is single bytes",
       "h\n" + x32765 + "\xE3\x81" + "a\n",
       {{"h"}, {x32765 + "\xE3\x81"}}},
      {"quotes beyond the window still join lines",
       "h\n" + Repeat('x', 40000) + "\"\n\",q\nnext\n",
       {{"h"}, {Repeat('x', 32767)}, {"next"}}},
  };
  for (const RulesCase &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SetRecordTableText(c.text.data(), c.text.size()));
    EXPECT_EQ(ReadTable(), c.expected);
    EXPECT_EQ(ReadReference(c.text), c.expected);
  }
}

TEST(CsvRules, MissingRecordsAndFieldsReadAsNone) {
  ClearRecordTable();
  EXPECT_EQ(CountRecords(), 0);
  EXPECT_EQ(Take(GetField(0, 0)), "<none>");

  const std::string text = "h1,h2\na\n";
  ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
  EXPECT_EQ(Take(GetField(1, 0)), "a");
  EXPECT_EQ(Take(GetField(1, 1)), "<none>");
  EXPECT_EQ(Take(GetField(2, 0)), "<none>");
  EXPECT_EQ(Take(GetField(-1, 0)), "<none>");
  EXPECT_EQ(Take(GetField(0, -1)), "<none>");
  EXPECT_EQ(Take(GetField(0x7FFFFFFF, 0)), "<none>");
}

struct QuoteCase {
  const char *value;
  int style;
  const char *expected;
};

TEST(CsvRules, QuotingDoublesQuotesAndRewritesLineBreaksOnly) {
  const QuoteCase cases[] = {
      {"plain", LINE_ENDING_CRLF, "plain"},
      {"a\"b\"", LINE_ENDING_CRLF, "a\"\"b\"\""},
      {"x\r\ny\rz\nw", LINE_ENDING_LF, "x\ny\nz\nw"},
      {"x\r\ny\nz", LINE_ENDING_CR, "x\ry\rz"},
      {"x\ny", LINE_ENDING_CRLF, "x\r\ny"},
      {"C:\\data\\x", LINE_ENDING_CRLF, "C:\\data\\x"},  // a backslash that escapes nothing stays
      // Doubled where it would start an escape; a quote after one is \".
      {"C:\\new \\\"", LINE_ENDING_CRLF, "C:\\\\new \\\\\\\""},
      {"\\\\t", LINE_ENDING_CRLF, "\\\\\\\\t"},
      {"\xC3\"", LINE_ENDING_CRLF, "\xC3\"\""},  // a lead byte hides no quote
      {"a\xE3", LINE_ENDING_CRLF, "a\xE3"},
      {"", LINE_ENDING_CRLF, ""},
  };
  for (const QuoteCase &c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Take(QuoteFieldValue(c.value, c.style)), c.expected);
  }
  EXPECT_EQ(QuoteFieldValue(nullptr, LINE_ENDING_CRLF), nullptr);
}

TEST(CsvRules, LineEndingStyleComesFromTheWholeText) {
  struct {
    const char *text;
    int style;
  } cases[] = {
      {"a\nb\"\r\n\"", LINE_ENDING_CRLF}, {"a\rb\n", LINE_ENDING_CR}, {"a\nb", LINE_ENDING_LF},
      {"ab", LINE_ENDING_CRLF},           {"a\r", LINE_ENDING_CR},    {"\n\r", LINE_ENDING_CR},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CsvLineEndingStyle(c.text, strlen(c.text)), c.style);
  }
}

}  // namespace
