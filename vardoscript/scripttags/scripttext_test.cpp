// Cutting scripts to a limit and the bounded work area.
#include "scripttext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CopyScriptText, CutsAtTheLimitWithoutLeavingHalfACharacter) {
  struct {
    const char *name;
    std::string text;
    size_t max;
    std::string expected;
  } cases[] = {
      {"shorter than the limit", "abc", 5, "abc"},
      {"exactly the limit", "abcde", 5, "abcde"},
      {"ASCII past the limit", "abcdef", 5, "abcde"},
      {"cut after a whole three-byte character", "ab\xE4\xBE\xA1z", 5, "ab\xE4\xBE\xA1"},
      {"cut after the first byte of three", "abcd\xE4\xBE\xA1", 5, "abcd"},
      {"cut after the second byte of three", "abc\xE4\xBE\xA1", 5, "abc"},
      {"cut inside a four-byte character", "a\xF0\x9F\x98\x80", 4, "a"},
      {"two-byte character cut", "abcd\xC3\xA9", 5, "abcd"},
      // Not the cut's doing: a text that ends in half a character keeps it.
      {"partial sequence the text ends with", "ab\xE4\xBE", 5, "ab\xE4\xBE"},
      {"stray continuation bytes before the cut", "\x80\x80\x80\x80\x80\x80x", 6,
       "\x80\x80\x80\x80\x80\x80"},
  };
  for (const auto &c : cases) {
    char out[16];
    std::memset(out, '#', sizeof out);
    const size_t length = CopyScriptText(out, c.text.c_str(), c.max);
    EXPECT_EQ(std::string(out), c.expected) << c.name;
    EXPECT_EQ(length, c.expected.size()) << c.name;
    EXPECT_EQ(out[c.max + 1], '#') << c.name << ": wrote past max + 1 bytes";
  }
}

TEST(CopyScriptText, CutsInPlace) {
  char text[] = "abc\xE4\xBE\xA1xyz";
  EXPECT_EQ(CopyScriptText(text, text, 4), 3u);
  EXPECT_STREQ(text, "abc");
}

TEST(WorkArea, NeverWritesPastItsCapacity) {
  // Ten bytes of text in a buffer with guard bytes after the NUL's place.
  char buffer[11 + 8];
  std::memset(buffer, '#', sizeof buffer);
  WorkArea area;
  StartWorkArea(&area, buffer, 10);
  EXPECT_TRUE(AppendStringToWorkArea(&area, "abcd"));
  EXPECT_TRUE(AppendToWorkArea(&area, "efghij", 6));  // exactly full
  EXPECT_FALSE(area.full);
  EXPECT_FALSE(AppendToWorkArea(&area, "k", 1));
  EXPECT_TRUE(area.full);
  EXPECT_STREQ(area.text, "abcdefghij");
  for (size_t i = 11; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
}

TEST(WorkArea, RefusesAPieceThatDoesNotFitWholeAndStaysFull) {
  char buffer[9];
  WorkArea area;
  StartWorkArea(&area, buffer, 8);
  EXPECT_TRUE(AppendStringToWorkArea(&area, "12345"));
  EXPECT_FALSE(AppendStringToWorkArea(&area, "6789"));  // 9 bytes would not fit
  EXPECT_STREQ(area.text, "12345");                     // nothing of it written
  EXPECT_EQ(area.length, 5u);
  // A later piece that would fit is refused too: the walk has lost a piece
  // and must not go on as if it had not.
  EXPECT_FALSE(AppendStringToWorkArea(&area, "6"));
  EXPECT_STREQ(area.text, "12345");
}

}  // namespace
