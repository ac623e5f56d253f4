// A plain model of the record table, used by the tests and the fuzz target
// to check the real one. Every question rescans the text from its first
// byte, collecting each line into a buffer of the line window's size and
// then each field, step by step as the rules are stated; nothing is shared
// with the real table's code and nothing is remembered between questions.
// It is quadratic on purpose and only fit for small tables. The one thing
// it takes from the table's code is the unit length a lead byte announces.
#pragma once

#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include <optional>
#include <string>

#include "vardo/recordtable/csvsyntax.h"

namespace reference {

constexpr size_t kWindow = 32767;

// The bytes of the unit at s (NUL-terminated): what its lead byte
// announces when that many continuation bytes (80-BF) follow, else 1. A NUL
// is no continuation byte, so nothing past it is read.
inline size_t UnitLength(const char *s) {
  size_t n = CsvLeadLength(static_cast<unsigned char>(s[0]));
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) return 1;
  return n;
}

struct Line {
  std::string raw;  // what the window collected
  size_t next;      // where the next line starts
  bool cut;         // whether bytes of the line were left out of the window
};

// Phase 1: one line from text + pos.
inline Line CollectLine(const char *text, size_t pos) {
  Line line;
  std::string &raw = line.raw;
  line.cut = false;
  bool quoted = false;
  size_t p = pos;
  auto take = [&](size_t n) {
    if (raw.size() + n <= kWindow)
      raw.append(text + p, n);
    else
      line.cut = true;
    p += n;
  };
  for (;;) {
    char c = text[p];
    if (c == '\0') break;
    if (!quoted && c == '\n') {
      p += 1;
      break;
    }
    if (!quoted && c == '\r' && text[p + 1] == '\n') {
      p += 2;
      break;
    }
    if (!quoted && c == '\r') {
      p += 1;
      break;
    }
    if (static_cast<unsigned char>(c) >= 0xC0) {
      take(UnitLength(text + p));
    } else if (c == '"' && text[p + 1] == '"') {
      take(2);
    } else if (c == '"') {
      quoted = !quoted;
      take(1);
    } else if (c == '\\' && text[p + 1] == '"') {
      take(2);
    } else {
      take(1);
    }
  }
  line.next = p;
  return line;
}

struct Record {
  std::string raw;
  size_t start;  // where the line starts in the text
  size_t next;   // after its terminator
  bool cut;      // longer than the window
};

inline std::optional<Record> FindRecord(const std::string &text, long record) {
  if (record < 0) return std::nullopt;
  size_t pos = 0;
  long n = 0;
  for (;;) {
    if (text.c_str()[pos] == '\0') return std::nullopt;
    Line line = CollectLine(text.c_str(), pos);
    if (!line.raw.empty()) {
      if (n == record) return Record{line.raw, pos, line.next, line.cut};
      ++n;
    }
    pos = line.next;
  }
}

struct Field {
  std::string value;
  size_t start;       // in the raw line
  bool endedAtComma;  // and then:
  size_t comma;
};

// Phase 2: field `column` of a raw line.
inline std::optional<Field> FindField(const std::string &raw, long column) {
  if (column < 0) return std::nullopt;
  const char *s = raw.c_str();
  size_t p = 0;
  bool quoted = false;
  for (long col = 0;; ++col) {
    Field field{std::string(), p, false, 0};
    for (;;) {
      char c = s[p];
      if (c == '\0') break;
      char after = s[p + 1];
      if (static_cast<unsigned char>(c) >= 0xC0) {
        size_t n = UnitLength(s + p);
        field.value.append(s + p, n);
        p += n;
      } else if (c == '"' && after == '"') {
        field.value += '"';
        p += 2;
      } else if (c == '"') {
        quoted = !quoted;
        p += 1;
      } else if (c == '\\' && after != '\0' && strchr("rnt\\\"", after)) {
        field.value += after == 'r' ? '\r' : after == 'n' ? '\n' : after == 't' ? '\t' : after;
        p += 2;
      } else if (quoted) {
        field.value += c;
        p += 1;
      } else if (c == ',') {
        field.endedAtComma = true;
        field.comma = p;
        break;
      } else {
        field.value += c;
        p += 1;
      }
    }
    if (col == column) return field;
    if (!field.endedAtComma) return std::nullopt;
    p += 1;
    if (s[p] == '\0') return std::nullopt;  // a final comma opens no field
  }
}

inline long CountRecords(const std::string &text) {
  long n = 0;
  size_t pos = 0;
  while (text.c_str()[pos] != '\0') {
    Line line = CollectLine(text.c_str(), pos);
    if (!line.raw.empty()) ++n;
    pos = line.next;
  }
  return n;
}

inline std::optional<std::string> GetField(const std::string &text, long record, long column) {
  auto found = FindRecord(text, record);
  if (!found) return std::nullopt;
  auto field = FindField(found->raw, column);
  if (!field) return std::nullopt;
  std::string value = field->value;
  if (value == "\"") value.clear();
  if (value.empty() && record == 0) {
    char name[16];
    snprintf(name, sizeof name, "@%ld", column);
    value = name;
  }
  return value;
}

inline std::string Ending(const std::string &text) {
  if (text.find("\r\n") != std::string::npos) return "\r\n";
  if (text.find('\r') != std::string::npos) return "\r";
  if (text.find('\n') != std::string::npos) return "\n";
  return "\r\n";
}

inline std::string Quote(const std::string &value, const std::string &ending) {
  std::string out;
  const char *s = value.c_str();
  bool afterBackslash = false;  // the unit before was a lone backslash
  for (size_t p = 0; s[p] != '\0';) {
    char c = s[p];
    if (static_cast<unsigned char>(c) >= 0xC0) {
      size_t n = UnitLength(s + p);
      out.append(s + p, n);
      p += n;
    } else if (c == '\r' && s[p + 1] == '\n') {
      out += ending;
      p += 2;
    } else if (c == '\r' || c == '\n') {
      out += ending;
      p += 1;
    } else if (c == '"') {
      // Right after a backslash, backslash-quote; elsewhere a doubled quote.
      out += afterBackslash ? "\\\"" : "\"\"";
      p += 1;
    } else if (c == '\\' && s[p + 1] != '\0' && strchr("rnt\\\"", s[p + 1])) {
      out += "\\\\";
      p += 1;
    } else {
      out += c;
      p += 1;
    }
    afterBackslash = c == '\\';
  }
  return out;
}

// The field as SetField writes it: the value between quotes, except for the
// backslashes that end it, which follow the closing quote doubled (and need
// no quotes when nothing comes before them).
inline std::string FieldText(const std::string &value, const std::string &ending) {
  size_t bodyEnd = value.find_last_not_of('\\') + 1;  // 0 when there is none
  std::string trailing(2 * (value.size() - bodyEnd), '\\');
  if (bodyEnd == 0 && !trailing.empty()) return trailing;
  return '"' + Quote(value.substr(0, bodyEnd), ending) + '"' + trailing;
}

// The text after setting a field, or nothing when the set changes nothing:
// no such record or field, a record longer than the window (rebuilt from
// the window it would lose the rest), or a rebuilt line that would be.
inline std::optional<std::string> SetField(const std::string &text, long record, long column,
                                           const std::string &value) {
  std::string ending = Ending(text);
  auto found = FindRecord(text, record);
  if (!found || found->cut) return std::nullopt;
  auto field = FindField(found->raw, column);
  if (!field) return std::nullopt;
  const std::string &raw = found->raw;
  std::string line = raw.substr(0, field->start) + FieldText(value, ending);
  if (field->endedAtComma && field->comma + 1 < raw.size())
    line += ',' + raw.substr(field->comma + 1);
  if (line.size() > kWindow) return std::nullopt;
  std::string out = text.substr(0, found->start) + line;
  if (found->next < text.size()) out += ending + text.substr(found->next);
  return out;
}

}  // namespace reference
