#include "scripttext.h"

#include <string.h>

size_t CopyScriptText(char *out, const char *text, size_t maxBytes) {
  size_t length = strnlen(text, maxBytes + 1);
  if (length > maxBytes) {
    // The text goes on past the cut: drop a character the cut splits. Its
    // lead byte is at most five bytes back.
    length = maxBytes;
    size_t start = length;
    while (start > 0 && length - start < 5) {
      --start;
      const unsigned char byte = static_cast<unsigned char>(text[start]);
      if (byte < 0x80 || byte >= 0xC0) {
        if (byte >= 0xC0 && start + Utf8SequenceLength(byte) > length) length = start;
        break;
      }
    }
  }
  memmove(out, text, length);
  out[length] = '\0';
  return length;
}

void StartWorkArea(WorkArea *area, char *buffer, size_t capacity) {
  area->text = buffer;
  area->capacity = capacity;
  area->length = 0;
  area->full = false;
  buffer[0] = '\0';
}

bool AppendToWorkArea(WorkArea *area, const char *bytes, size_t count) {
  if (area->full || count > area->capacity - area->length) {
    area->full = true;
    return false;
  }
  memcpy(area->text + area->length, bytes, count);
  area->length += count;
  area->text[area->length] = '\0';
  return true;
}

bool AppendStringToWorkArea(WorkArea *area, const char *string) {
  return AppendToWorkArea(area, string, strlen(string));
}
