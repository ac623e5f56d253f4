// The percent form the engine writes names in and reads values from.
#include "fieldlookup.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldLookup, PercentForm) {
  EXPECT_EQ(EncodePercent("\xE4\xBE\xA1\xE6\xA0\xBC%"), "%e4%be%a1%e6%a0%bc%25");
  EXPECT_EQ(EncodePercent("name [1]"), "name [1]");
  struct {
    const char *encoded;
    std::string decoded;
  } cases[] = {
      {"%41%62", "Ab"},   {"%E4%BE%A1", "\xE4\xBE\xA1"},
      {"%zz", "?"},       {"%7z", "\x70"},
      {"a%4", "a?"},      {"%", "?"},
      {"100%25", "100%"},
  };
  for (const auto &c : cases) EXPECT_EQ(DecodePercent(c.encoded), c.decoded) << c.encoded;
}

}  // namespace
