#include "vardo/recordtable/textencoding.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <iterator>
#include <string>

#include "vardo/recordtable/textencoding_reference.h"

namespace {

struct DetectCase {
  const char *what;
  std::string bytes;
  int expected;
};

// Shift-JIS あい, EUC-JP あい, UTF-8 あい.
const std::string kSjis = "\x82\xA0\x82\xA2";
const std::string kEuc = "\xA4\xA2\xA4\xA4";
const std::string kUtf8 = "\xE3\x81\x82\xE3\x81\x84";

TEST(DetectTextEncoding, FollowsItsTestsInOrder) {
  const DetectCase cases[] = {
      {"empty text is ASCII", "", TEXT_ASCII},
      {"plain ASCII with tabs and line breaks", "a,b\tc\r\n", TEXT_ASCII},
      {"01 is a control byte", "a\x01", TEXT_CONTROL_BYTES},
      {"06 is a control byte", "\x06", TEXT_CONTROL_BYTES},
      {"07 is not", "a\x07", TEXT_ASCII},
      {"7F is a control byte", "\x7F", TEXT_CONTROL_BYTES},
      {"FF, as in a UTF-16 byte-order mark", "\xFF\xFEh", TEXT_CONTROL_BYTES},
      {"control bytes win over an escape", "\x1B$B\x02", TEXT_CONTROL_BYTES},
      {"ESC $ B", "a\x1B$B$\"\x1B(B", TEXT_ISO2022JP},
      {"ESC $ @", "\x1B$@x", TEXT_ISO2022JP},
      {"ESC ( J", "\x1B(J", TEXT_ISO2022JP},
      {"ESC ( I", "\x1B(Iz", TEXT_ISO2022JP},
      {"ESC $ ( D", "\x1B$(D", TEXT_ISO2022JP},
      {"ESC & @ ESC $ B", "\x1B&@\x1B$B", TEXT_ISO2022JP},
      {"an escape wins over high bytes", kUtf8 + kUtf8 + "\x1B(B", TEXT_ISO2022JP},
      {"an escape too close to the end counts for nothing", "ab\x1B$", TEXT_UNDECIDED},
      {"ESC $ ( cut short", "\x1B$(", TEXT_UNDECIDED},
      {"an unknown escape scores nothing", "\x1B(Zabc", TEXT_UNDECIDED},
      {"Shift-JIS", "h," + kSjis, TEXT_SHIFTJIS},
      {"EUC-JP", "h," + kEuc, TEXT_EUCJP},
      {"EUC-JP three-byte sequences score 3", "\x8F\xA1\xA1\x8F\xA1\xA1", TEXT_EUCJP},
      {"UTF-8", "h," + kUtf8 + ",\xE3\x81\x82", TEXT_UTF8},
      // The examples that pin the tie rule: ああ alone ties 6 to 6.
      {"a Shift-JIS/UTF-8 tie is undecided", "\xE3\x81\x82\xE3\x81\x82", TEXT_UNDECIDED},
      {"one more character breaks the tie", "\xE3\x81\x82\xE3\x81\x82,\xE3\x81\x84", TEXT_UTF8},
      {"adjacent half-width katakana score as EUC-JP", "\xB1\xB2,x", TEXT_EUCJP},
      {"single half-width katakana score nothing", "\xB1,\xB2,x", TEXT_UNDECIDED},
      {"an EUC-JP/Shift-JIS tie is undecided", "\xE0\xA1", TEXT_UNDECIDED},
      {"a lead byte at the very end is not scored", "ab\x82", TEXT_UNDECIDED},
      {"a three-byte UTF-8 sequence needs all three", "ab\xE3\x81", TEXT_SHIFTJIS},
  };
  for (const DetectCase &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DetectTextEncodingOf(c.bytes.data(), c.bytes.size()), c.expected);
    EXPECT_EQ(DetectTextEncoding(c.bytes.c_str()), c.expected);
  }
}

TEST(DetectTextEncoding, StopsAtTheFirstNul) {
  // A UTF-16 file without a byte-order mark ends at its first NUL.
  EXPECT_EQ(DetectTextEncoding(std::string("a\0\x01", 3).c_str()), TEXT_ASCII);
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DetectTextEncoding, ClassifiesTheRealFiles) {
  const std::string dir = VARDO_TEST_DATA_DIR "/";
  const struct {
    const char *name;
    int expected;
  } files[] = {
      {"13TOKYO.CSV", TEXT_SHIFTJIS},
      {"KEN_ALL.CSV", TEXT_SHIFTJIS},
      {"same-text.shift_jis.txt", TEXT_SHIFTJIS},
      {"same-text.euc-jp.txt", TEXT_EUCJP},
      {"same-text.iso-2022-jp.txt", TEXT_ISO2022JP},
      {"same-text.utf-8-bom.txt", TEXT_UTF8},
  };
  for (const auto &f : files) {
    SCOPED_TRACE(f.name);
    std::string bytes = ReadFile(dir + f.name);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(DetectTextEncoding(bytes.c_str()), f.expected);
  }
}

}  // namespace

namespace {

// Random texts built from the bytes each test looks at: the fast scans
// must classify exactly as the tests written out one by one.
TEST(DetectTextEncoding, AgreesWithThePlainTestsOnRandomTexts) {
  const unsigned char alphabet[] = {'a',  ',',  '\n', '$',  '(',  '@',  'B',  'D',
                                    'J',  '&',  0x1B, 0x40, 0x7E, 0x80, 0x81, 0x8E,
                                    0x8F, 0x9F, 0xA1, 0xB1, 0xBF, 0xC0, 0xC3, 0xDF,
                                    0xE0, 0xE3, 0xEF, 0xF0, 0xFC, 0xFE, 0x06, 0x7F};
  std::mt19937 random(7);
  int classes[7] = {};
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    size_t length = random() % 80;
    // Mostly high bytes, sometimes long ASCII stretches, rarely controls.
    for (size_t i = 0; i < length; ++i) {
      unsigned pick = random() % 100;
      if (pick < 10)
        text.append(random() % (pick < 3 ? 150 : 20), 'x');
      else
        text += static_cast<char>(alphabet[random() % (sizeof alphabet - (pick < 97 ? 2 : 0))]);
    }
    int expected = reference::DetectTextEncoding(text);
    ++classes[expected + 1];
    ASSERT_EQ(DetectTextEncodingOf(text.data(), text.size()), expected) << n;
  }
  for (int c = 0; c < 7; ++c) EXPECT_GT(classes[c], 20) << "class " << c - 1 << " too rare";
}

}  // namespace
