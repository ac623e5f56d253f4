// Arbitrary bytes loaded as a CSV file: the table must classify them as the
// plain tests do, and then count, read and set fields exactly as the
// rescanning reference does on the text it holds, without ever reading
// outside its buffers (the fuzz build runs under AddressSanitizer and
// UndefinedBehaviorSanitizer).
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "vardo/recordtable.h"
#include "vardo/recordtable_reference.h"
#include "vardo/recordtable_seams.h"
#include "vardo/textencoding.h"
#include "vardo/textencoding_reference.h"

namespace {

[[noreturn]] void Mismatch(const char *what, long record, long column) {
  fprintf(stderr, "mismatch: %s at record %ld column %ld\n", what, record, column);
  abort();
}

std::string Text() {
  size_t length = 0;
  LPCSTR text = GetRecordTableText(&length);
  return text ? std::string(text, length) : std::string();
}

void CheckFields(const std::string &text, long maxRecords) {
  long count = reference::CountRecords(text);
  if (CountRecords() != count) Mismatch("count", count, -1);
  for (long r = -1; r <= count && r < maxRecords; ++r) {
    for (long c = -1;; ++c) {
      auto expected = reference::GetField(text, r, c);
      LPSTR value = GetField(r, c);
      bool same = expected ? value && *expected == value : !value;
      free(value);
      if (!same) Mismatch("field", r, c);
      if (!expected && c >= 0) break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The first byte steers the field sets; the rest is the file.
  if (size == 0) return 0;
  unsigned steer = data[0];
  std::string file(reinterpret_cast<const char *>(data + 1), size - 1);

  int expectedClass = reference::DetectTextEncoding(file);
  SHORT loaded = LoadCsvBytes(file.data(), file.size());
  if (GetLastLoadEncoding() != expectedClass) Mismatch("encoding class", -1, -1);
  bool rejected = expectedClass == TEXT_CONTROL_BYTES || expectedClass == TEXT_UNDECIDED;
  if ((loaded != 0) == rejected) Mismatch("load result", -1, -1);
  if (!loaded) return 0;

  std::string text = Text();
  if (expectedClass == TEXT_ASCII || expectedClass == TEXT_UTF8) {
    // Kept as they are, up to the first NUL.
    if (text != file.substr(0, file.find('\0'))) Mismatch("kept text", -1, -1);
  }
  CheckFields(text, 64);

  // A few sets, with values cut from the text itself.
  for (int step = 0; step < 3; ++step) {
    long count = reference::CountRecords(text);
    long r = count ? static_cast<long>((steer >> (2 * step)) % (count + 1)) : 0;
    long c = static_cast<long>((steer >> step) % 4);
    std::string value = text.substr(step * 7 % (text.size() + 1), (steer % 13) + step);
    value = value.substr(0, value.find('\0'));
    auto rebuilt = reference::SetField(text, r, c, value);
    BOOL changed = SetField(static_cast<LONG>(r), static_cast<LONG>(c), value.c_str());
    if ((changed != FALSE) != rebuilt.has_value()) Mismatch("set result", r, c);
    if (rebuilt) text = *rebuilt;
    if (Text() != text) Mismatch("text after set", r, c);
    CheckFields(text, 16);
  }
  return 0;
}
