// The text side of preference files: taking lines apart into key and value,
// and putting one setting's line together. The file side is in
// preferencefile.cpp.
//
// The reader works on bytes. None of the bytes it treats specially (double
// quote, '=', ',', space, apostrophe, TAB, CR, LF) can occur inside a
// Shift-JIS or UTF-8 multi-byte character, so both pass through untouched,
// and backslashes mean nothing, so Windows paths need no escaping.
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/preferencefile.h"

namespace {

struct Span {
  const char *bytes;
  size_t length;
};

const PreferenceKey *FindKey(const PreferenceFile *file, const char *name) {
  for (size_t i = 0; i < file->keyCount; ++i) {
    if (std::strcmp(file->keys[i].name, name) == 0) return &file->keys[i];
  }
  return nullptr;
}

// Optional sign, then decimal digits up to the first other byte; no digits
// give 0. False when the number lies outside [low, high]: the setting then
// keeps its value, as for a missing key.
bool ParseInteger(const char *value, long long low, long long high, LONG *out) {
  bool negative = false;
  if (*value == '+' || *value == '-') {
    negative = *value == '-';
    ++value;
  }
  long long magnitude = 0;
  for (; *value >= '0' && *value <= '9'; ++value) {
    magnitude = magnitude * 10 + (*value - '0');
    if (magnitude > high - low) return false;  // past either end, and no overflow ahead
  }
  const long long number = negative ? -magnitude : magnitude;
  if (number < low || number > high) return false;
  *out = static_cast<LONG>(number);
  return true;
}

// A decimal floating-point number with an optional sign, read independently
// of the C locale; no number at all gives 0. False for a value that is not a
// finite double (infinities, NaN, beyond the double's range): the setting
// then keeps its value.
bool ParseReal(const char *value, double *out) {
  if (*value == '+' && value[1] != '-') ++value;
  double result = 0;
  auto [end, error] =
      std::from_chars(value, value + std::strlen(value), result, std::chars_format::general);
  (void)end;
  if (error == std::errc::result_out_of_range || !std::isfinite(result)) return false;
  *out = error == std::errc() ? result : 0;
  return true;
}

void StoreValue(const PreferenceKey *key, const char *value, void *record) {
  char *setting = static_cast<char *>(record) + key->offset;
  switch (key->type) {
    case PREFERENCE_INTEGER: {
      LONG number = 0;
      if (key->width == sizeof(LONG)) {
        if (ParseInteger(value, INT32_MIN, INT32_MAX, &number))
          std::memcpy(setting, &number, sizeof number);
      } else if (key->width == sizeof(SHORT)) {
        if (ParseInteger(value, INT16_MIN, INT16_MAX, &number)) {
          const SHORT narrow = static_cast<SHORT>(number);
          std::memcpy(setting, &narrow, sizeof narrow);
        }
      }
      break;
    }
    case PREFERENCE_REAL: {
      double number = 0;
      if (key->width == sizeof(double) && ParseReal(value, &number)) {
        std::memcpy(setting, &number, sizeof number);
      }
      break;
    }
    case PREFERENCE_STRING: {
      if (key->width == 0) break;
      size_t length = std::strlen(value);
      if (length > key->width - 1) length = key->width - 1;
      std::memcpy(setting, value, length);
      setting[length] = '\0';
      break;
    }
  }
}

void ApplyLine(const PreferenceFile *file, Span line, void *record) {
  // The kept text: CR and TAB dropped everywhere, spaces dropped outside
  // double quotes, the quotes themselves kept for the split below.
  char kept[PREFERENCE_LINE_MAX];
  size_t keptLength = 0;
  bool quoted = false;
  for (size_t i = 0; i < line.length && keptLength < sizeof kept; ++i) {
    char c = line.bytes[i];
    if (c == '\r' || c == '\t') continue;
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      continue;
    }
    kept[keptLength++] = c;
  }
  if (keptLength == 0 || kept[0] == '\'') return;

  // Fields end at '=' or ',' outside quotes; the quotes are dropped. Only
  // the first two fields, key and value, matter.
  char key[PREFERENCE_LINE_MAX + 1];
  char value[PREFERENCE_LINE_MAX + 1];
  size_t keyLength = 0;
  size_t valueLength = 0;
  int field = 0;
  quoted = false;
  for (size_t i = 0; i < keptLength; ++i) {
    char c = kept[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '=' || c == ',')) {
      ++field;
    } else if (field == 0) {
      key[keyLength++] = c;
    } else if (field == 1) {
      value[valueLength++] = c;
    }
  }
  key[keyLength] = '\0';
  value[valueLength] = '\0';
  if (keyLength == 0) return;

  const PreferenceKey *found = FindKey(file, key);
  if (found) StoreValue(found, value, record);
}

// Appends length bytes to line at *used, keeping room for the NUL.
bool Append(LPSTR line, size_t size, size_t *used, const char *bytes, size_t length) {
  if (length >= size - *used) return false;
  std::memcpy(line + *used, bytes, length);
  *used += length;
  return true;
}

bool Append(LPSTR line, size_t size, size_t *used, const char *text) {
  return Append(line, size, used, text, std::strlen(text));
}

}  // namespace

void ApplyPreferenceText(const PreferenceFile *file, const char *text, size_t length,
                         void *record) {
  const void *nul = std::memchr(text, '\0', length);
  if (nul) length = static_cast<size_t>(static_cast<const char *>(nul) - text);
  size_t start = 0;
  while (start < length) {
    const void *lf = std::memchr(text + start, '\n', length - start);
    size_t end = lf ? static_cast<size_t>(static_cast<const char *>(lf) - text) : length;
    ApplyLine(file, Span{text + start, end - start}, record);
    start = end + 1;
  }
}

size_t FormatPreferenceLine(const PreferenceKey *key, const void *record, LPSTR line, size_t size) {
  if (size == 0) return 0;
  line[0] = '\0';
  const char *setting = static_cast<const char *>(record) + key->offset;
  char number[64];
  const char *value = number;
  size_t valueLength = 0;
  switch (key->type) {
    case PREFERENCE_INTEGER: {
      LONG n = 0;
      if (key->width == sizeof(LONG)) {
        std::memcpy(&n, setting, sizeof n);
      } else if (key->width == sizeof(SHORT)) {
        SHORT s;
        std::memcpy(&s, setting, sizeof s);
        n = s;
      } else {
        return 0;
      }
      valueLength =
          static_cast<size_t>(std::to_chars(number, number + sizeof number, n).ptr - number);
      break;
    }
    case PREFERENCE_REAL: {
      if (key->width != sizeof(double)) return 0;
      double d;
      std::memcpy(&d, setting, sizeof d);
      // Six significant digits, no trailing zeros: the "%g" form, without
      // the C locale's say in the decimal point.
      auto result = std::to_chars(number, number + sizeof number, d, std::chars_format::general, 6);
      valueLength = static_cast<size_t>(result.ptr - number);
      break;
    }
    case PREFERENCE_STRING:
      value = setting;
      valueLength = strnlen(setting, key->width);
      break;
  }

  bool quotes = key->type == PREFERENCE_STRING;
  size_t used = 0;
  bool fits = Append(line, size, &used, key->name) && Append(line, size, &used, " = ") &&
              (!quotes || Append(line, size, &used, "\"")) &&
              Append(line, size, &used, value, valueLength) &&
              (!quotes || Append(line, size, &used, "\"")) && Append(line, size, &used, "\r\n");
  if (!fits) {
    line[0] = '\0';
    return 0;
  }
  line[used] = '\0';
  return used;
}
