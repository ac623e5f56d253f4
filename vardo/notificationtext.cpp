#include "vardo/notificationtext.h"

#include <cstring>

namespace {

bool NeedsEscape(unsigned char byte) { return byte >= 0x80 || byte == '%'; }

// The value of a hexadecimal digit in either case, or -1.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

BOOL EncodeNotificationText(LPSTR text, size_t size) {
  if (!text) return FALSE;
  const void *nul = std::memchr(text, '\0', size);
  if (!nul) return FALSE;
  size_t length = static_cast<size_t>(static_cast<const char *>(nul) - text);

  size_t encodedLength = length;
  for (size_t i = 0; i < length; ++i) {
    if (NeedsEscape(static_cast<unsigned char>(text[i]))) encodedLength += 2;
  }
  if (encodedLength >= size) return FALSE;

  // Fill from the back so that every plain byte is read before the growing
  // encoded text reaches its position.
  static const char digits[] = "0123456789abcdef";
  text[encodedLength] = '\0';
  size_t out = encodedLength;
  for (size_t i = length; i-- > 0;) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (NeedsEscape(byte)) {
      text[--out] = digits[byte & 0x0f];
      text[--out] = digits[byte >> 4];
      text[--out] = '%';
    } else {
      text[--out] = static_cast<char>(byte);
    }
  }
  return TRUE;
}

BOOL DecodeNotificationText(LPSTR text, size_t size) {
  if (!text) return FALSE;
  const void *nul = std::memchr(text, '\0', size);
  if (!nul) return FALSE;
  size_t length = static_cast<size_t>(static_cast<const char *>(nul) - text);

  size_t out = 0;
  size_t i = 0;
  while (i < length) {
    char c = text[i];
    if (c != '%') {
      text[out++] = c;
      ++i;
      continue;
    }
    if (length - i < 3) {
      // The sender's text was cut inside an escape: the byte it stood for is
      // lost, so mark it the way a malformed escape is marked.
      text[out++] = '?';
      break;
    }
    int high = HexValue(text[i + 1]);
    int low = HexValue(text[i + 2]);
    if (high < 0) {
      text[out++] = '?';
    } else {
      text[out++] = static_cast<char>((high << 4) | (low < 0 ? 0 : low));
    }
    i += 3;
  }
  text[out] = '\0';
  return TRUE;
}
