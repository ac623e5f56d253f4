// Arbitrary bytes through the percent form of notification strings: a
// decode of any text never grows it and never leaves its buffer, an encode
// gives only bytes below 0x80 and decodes back to what it was given, and a
// buffer too small is refused with nothing changed. Buffers are exactly as
// large as the call is told, so AddressSanitizer sees every overrun.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "vardo/notificationtext.h"

namespace {

[[noreturn]] void Mismatch(const char *what) {
  fprintf(stderr, "mismatch: %s\n", what);
  abort();
}

// The text in a heap buffer of exactly `size` bytes (size > text's length).
std::vector<char> Buffer(const std::string &text, size_t size) {
  std::vector<char> buffer(size, 'Z');
  memcpy(buffer.data(), text.c_str(), text.size() + 1);
  return buffer;
}

size_t EncodedLength(const std::string &text) {
  size_t length = text.size();
  for (unsigned char byte : text) {
    if (byte >= 0x80 || byte == '%') length += 2;
  }
  return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  const std::string text = input.substr(0, input.find('\0'));

  // Decoding whatever arrives: never longer, always terminated inside.
  std::vector<char> decoded = Buffer(text, text.size() + 1);
  if (!DecodeNotificationText(decoded.data(), decoded.size())) Mismatch("decode refused");
  if (strnlen(decoded.data(), decoded.size()) > text.size()) Mismatch("decode grew");

  // A buffer without a NUL in it is refused by both, untouched.
  if (!text.empty()) {
    std::vector<char> unterminated(text.begin(), text.end());
    const std::vector<char> before = unterminated;
    if (DecodeNotificationText(unterminated.data(), unterminated.size()) ||
        EncodeNotificationText(unterminated.data(), unterminated.size()) ||
        unterminated != before) {
      Mismatch("unterminated text accepted");
    }
  }

  // Encoding: exactly room enough works, one byte less is refused.
  const size_t encodedLength = EncodedLength(text);
  std::vector<char> tight = Buffer(text, encodedLength + 1);
  if (!EncodeNotificationText(tight.data(), tight.size())) Mismatch("encode refused");
  const std::string encoded(tight.data());
  if (encoded.size() != encodedLength) Mismatch("encoded length");
  for (unsigned char byte : encoded) {
    if (byte >= 0x80) Mismatch("encoded byte above 0x7f");
  }
  if (encodedLength > text.size()) {
    std::vector<char> small = Buffer(text, encodedLength);
    const std::vector<char> before = small;
    if (EncodeNotificationText(small.data(), small.size()) || small != before) {
      Mismatch("encode into too small a buffer");
    }
  }

  // And back.
  if (!DecodeNotificationText(tight.data(), tight.size())) Mismatch("decode of encoded refused");
  if (text != tight.data()) Mismatch("round trip");
  return 0;
}
