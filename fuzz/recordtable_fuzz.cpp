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

#include "vardo/recordtable/recordtable.h"
#include "vardo/recordtable/recordtable_reference.h"
#include "vardo/recordtable/recordtable_seams.h"
#include "vardo/recordtable/textencoding.h"
#include "vardo/recordtable/textencoding_reference.h"

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

// Every read of the reference rescans the text, so the fields compared are
// bounded in number, and the fewer the longer the text: about 1 MB rescanned
// at most, so that long inputs, which reach the line window, do not slow the
// run down to a few inputs a second (the reference takes no coverage, see
// recordtable_reference.ignorelist).
void CheckFields(const std::string &text, long maxRecords) {
  long count = reference::CountRecords(text);
  if (CountRecords() != count) Mismatch("count", count, -1);
  const long scaled = static_cast<long>((1u << 20) / (text.size() + 1));
  long budget = scaled < 16 ? 16 : scaled > 2048 ? 2048 : scaled;
  for (long r = -1; r <= count && r < maxRecords; ++r) {
    for (long c = -1; budget-- > 0; ++c) {
      auto expected = reference::GetField(text, r, c);
      LPSTR value = GetField(r, c);
      bool same = expected ? value && *expected == value : !value;
      free(value);
      if (!same) Mismatch("field", r, c);
      if (!expected && c >= 0) break;
    }
  }
}

// What GetField gives back for a value that SetField wrote: the value with
// its line breaks in the table's style, one quote longer when it is made of
// quotes only, backslashes ending it aside (a doubled quote right behind the
// opening one reads as one).
std::string ReadsBackAs(const std::string &value, const std::string &ending) {
  std::string out;
  for (size_t p = 0; p < value.size(); ++p) {
    unsigned char b = static_cast<unsigned char>(value[p]);
    if (b == '\r' || b == '\n') {
      out += ending;
      if (b == '\r' && p + 1 < value.size() && value[p + 1] == '\n') ++p;
    } else {
      out += value[p];
    }
  }
  // Quotes only, apart from backslashes ending the value: one quote more.
  size_t body = value.find_last_not_of('\\') + 1;  // 0 when there is none
  if (body && value.find_first_not_of('"') >= body) out.insert(body, 1, '"');
  return out;
}

// Whatever the value, a set on a sound table keeps every record where it
// was and reads back as given.
void CheckRoundTrip(const std::string &value, unsigned steer) {
  static const char *const kEndings[] = {"\r\n", "\n", "\r"};
  const std::string ending = kEndings[steer % 3];
  const std::string text = "h1,h2" + ending + "a,b" + ending + "c,d";
  if (!SetRecordTableText(text.data(), text.size())) return;
  LONG column = static_cast<LONG>(steer >> 2 & 1);
  if (!SetField(1, column, value.c_str())) {
    // Refused only for a line too long.
    if (value.size() < 4096) Mismatch("round trip refused", 1, column);
    return;
  }
  if (CountRecords() != 3) Mismatch("round trip count", 1, column);
  LPSTR read = GetField(1, column);
  bool same = read && ReadsBackAs(value, ending) == read;
  free(read);
  if (!same) Mismatch("round trip value", 1, column);
  read = GetField(2, 1);
  same = read && std::string(read) == "d";
  free(read);
  if (!same) Mismatch("round trip next record", 2, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The first byte steers the field sets; the rest is the file.
  if (size == 0) return 0;
  unsigned steer = data[0];
  std::string file(reinterpret_cast<const char *>(data + 1), size - 1);

  // The file's bytes up to a NUL, as a value to write.
  CheckRoundTrip(file.substr(0, file.find('\0')), steer);

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
