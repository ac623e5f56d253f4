#include "vardo/notificationtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The text in a heap buffer of exactly its length plus the NUL, so that a
// sanitizer build catches any access beyond it.
std::unique_ptr<char[]> ExactBuffer(const std::string &text, size_t size) {
  auto buffer = std::make_unique<char[]>(size);
  std::memcpy(buffer.get(), text.c_str(), std::min(size, text.size() + 1));
  return buffer;
}

std::string Encode(const std::string &plain) {
  size_t size = plain.size() * 3 + 1;
  auto buffer = ExactBuffer(plain, size);
  EXPECT_TRUE(EncodeNotificationText(buffer.get(), size)) << plain;
  return buffer.get();
}

std::string Decode(const std::string &encoded) {
  size_t size = encoded.size() + 1;
  auto buffer = ExactBuffer(encoded, size);
  EXPECT_TRUE(DecodeNotificationText(buffer.get(), size)) << encoded;
  return std::string(buffer.get());
}

TEST(NotificationText, EncodesAndDecodesTheKnownForms) {
  struct {
    const char *plain;
    const char *encoded;
  } const cases[] = {
      {"", ""},
      {"C:\\data\\list.csv", "C:\\data\\list.csv"},
      {"\xE4\xBE\xA1\xE6\xA0\xBC%", "%e4%be%a1%e6%a0%bc%25"},
      {"100%", "100%25"},
      {"\x7F\x80\xFF", "\x7F%80%ff"},
      {"\x82\xa0.csv", "%82%a0.csv"},  // Shift-JIS with an ASCII trail byte
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Encode(c.plain), c.encoded) << c.plain;
    EXPECT_EQ(Decode(c.encoded), c.plain) << c.encoded;
  }
}

TEST(NotificationText, DecodesLooseAndBrokenEscapes) {
  struct {
    const char *encoded;
    const char *plain;
  } const cases[] = {
      {"%41%62", "Ab"},
      {"%E4%BE%A1", "\xE4\xBE\xA1"},
      {"%Ff%fF", "\xFF\xFF"},
      {"%zz", "?"},
      {"%z1", "?"},
      {"%7z", "\x70"},
      {"%%41", "?1"},  // "%%4" is one escape with a bad first digit
      {"a%zzb", "a?b"},
      // Cut off by the end of the text: one '?' for the lost byte.
      {"%", "?"},
      {"ab%", "ab?"},
      {"ab%4", "ab?"},
      {"ab%z", "ab?"},
  };
  for (const auto &c : cases) EXPECT_EQ(Decode(c.encoded), c.plain) << c.encoded;
}

TEST(NotificationText, RoundTripsArbitraryBytes) {
  std::string everyByte;
  for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
  std::string highBytes;
  for (int b = 255; b >= 0x80; --b) highBytes += static_cast<char>(b);
  const std::string cases[] = {
      "",
      everyByte,
      highBytes,
      "%%%%",
      "%25%41",  // already looks encoded
      "\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E",
      std::string(300, '\x81'),
  };
  for (const auto &plain : cases) {
    std::string encoded = Encode(plain);
    EXPECT_LE(encoded.size(), plain.size() * 3);
    for (unsigned char c : encoded) EXPECT_LT(c, 0x80) << "encoded text is 7-bit";
    EXPECT_EQ(Decode(encoded), plain);
  }
}

TEST(NotificationText, StaysInsideTheGivenBuffer) {
  // Just big enough, and one byte short: the short one is refused untouched.
  {
    char buffer[8] = "\xFF\xFE";
    EXPECT_TRUE(EncodeNotificationText(buffer, 7));
    EXPECT_STREQ(buffer, "%ff%fe");
  }
  {
    char buffer[8] = "\xFF\xFE";
    buffer[6] = '#';
    EXPECT_FALSE(EncodeNotificationText(buffer, 6));
    EXPECT_STREQ(buffer, "\xFF\xFE");
    EXPECT_EQ(buffer[6], '#');
  }
  // No NUL within the given size: neither call touches the buffer.
  {
    char buffer[] = "abc%41";
    EXPECT_FALSE(EncodeNotificationText(buffer, 3));
    EXPECT_FALSE(DecodeNotificationText(buffer, 6));
    EXPECT_STREQ(buffer, "abc%41");
    EXPECT_FALSE(EncodeNotificationText(buffer, 0));
    EXPECT_FALSE(DecodeNotificationText(buffer, 0));
  }
  // A cut escape must not look past the text's NUL at what lies beyond.
  {
    char buffer[] = {'%', '4', '\0', '1', '\0'};
    EXPECT_TRUE(DecodeNotificationText(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "?");
    EXPECT_EQ(buffer[3], '1');
  }
  EXPECT_FALSE(EncodeNotificationText(nullptr, 10));
  EXPECT_FALSE(DecodeNotificationText(nullptr, 10));
}

}  // namespace
