// vardo table: the record table from the command line. Files are loaded
// and saved by the plug-in's own record table, through the platform's file
// calls, so what is shown here is what the data panel would hold.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vplatform/errortext.h>
#include <vplatform/paths.h>

#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "commands.h"
#include "numberargument.h"
#include "vardo/recordtable/recordtable.h"
#include "vardo/recordtable/textencoding.h"

namespace vardo::cli {
namespace {

[[noreturn]] void Fail(const std::string &message) {
  fprintf(stderr, "vardo: %s\n", message.c_str());
  throw CLI::RuntimeError(1);
}

std::string WindowsPathOf(const std::string &linuxPath) {
  std::string windowsPath;
  if (!vplat::WindowsPathFromLinux(linuxPath, windowsPath))
    Fail("cannot open " + linuxPath + ": the name cannot be given to the plug-in's file calls");
  return windowsPath;
}

}  // namespace

bool LoadOrExplain(const std::string &path) {
  std::string windowsPath;
  if (!vplat::WindowsPathFromLinux(path, windowsPath)) {
    fprintf(stderr, "vardo: cannot open %s: the name cannot be given to the plug-in's file calls\n",
            path.c_str());
    return false;
  }
  SHORT taken = LoadCsvFile(windowsPath.c_str());
  if (taken && GetLastLoadOutcome() == CSV_LOAD_OK) return true;
  switch (GetLastLoadOutcome()) {
    case CSV_LOAD_CANNOT_OPEN:
      fprintf(stderr, "vardo: cannot open %s: %s\n", path.c_str(), vplat::LastErrorText().c_str());
      break;
    case CSV_LOAD_INCOMPLETE:
      // What came before the error must not pass for the file: a save of it
      // would cut the file short.
      fprintf(stderr, "vardo: cannot read all of %s: %s\n", path.c_str(),
              vplat::LastErrorText().c_str());
      break;
    case CSV_LOAD_OUT_OF_MEMORY:
      fprintf(stderr, "vardo: %s: not enough memory to load it\n", path.c_str());
      break;
    case CSV_LOAD_TOO_LARGE:
      fprintf(stderr,
              "vardo: %s: too large: the record table loads files of at most 2 GiB "
              "(2,147,483,647 bytes)\n",
              path.c_str());
      break;
    default:
      if (GetLastLoadEncoding() == TEXT_CONTROL_BYTES)
        fprintf(
            stderr,
            "vardo: %s: rejected: it holds control bytes (01-06, 7F or FF; binary or UTF-16?)\n",
            path.c_str());
      else
        fprintf(stderr,
                "vardo: %s: rejected: encoding undecided (no one of Shift-JIS, EUC-JP and UTF-8 "
                "fits it best)\n",
                path.c_str());
      break;
  }
  return false;
}

namespace {

void Load(const std::string &path) {
  if (!LoadOrExplain(path)) throw CLI::RuntimeError(1);
}

// Output collected in a large buffer and written in big pieces. Writers
// reserve room, write straight into it, then commit what they wrote.
class Output {
 public:
  static constexpr size_t kSize = 4u << 20;
  Output() : buffer_(new char[kSize]) {}
  ~Output() { Flush(); }
  // Room for n <= kSize bytes.
  char *Reserve(size_t n) {
    if (kSize - used_ < n) Flush();
    return buffer_.get() + used_;
  }
  void Commit(char *end) { used_ = static_cast<size_t>(end - buffer_.get()); }
  void Append(const char *s, size_t n) {
    if (n > kSize) {
      Flush();
      if (fwrite(s, 1, n, stdout) != n) failed_ = true;
      return;
    }
    char *p = Reserve(n);
    memcpy(p, s, n);
    Commit(p + n);
  }
  void Append(const std::string &s) { Append(s.data(), s.size()); }
  void Flush() {
    if (used_ && fwrite(buffer_.get(), 1, used_, stdout) != used_) failed_ = true;
    used_ = 0;
  }
  bool Finish() {
    Flush();
    return !failed_ && fflush(stdout) == 0;
  }

 private:
  std::unique_ptr<char[]> buffer_;
  size_t used_ = 0;
  bool failed_ = false;
};

// Decodes the well-formed UTF-8 character at s[0, n): its length, its code
// point in *codePoint; 0 when the bytes there are not one.
size_t DecodeUtf8Character(const unsigned char *s, size_t n, unsigned *codePoint) {
  unsigned char b = s[0];
  size_t length;
  unsigned cp, min;
  if (b < 0x80) {
    *codePoint = b;
    return 1;
  } else if (b >= 0xC2 && b <= 0xDF) {
    length = 2, cp = b & 0x1F, min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, cp = b & 0x0F, min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, cp = b & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (length > n) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((s[k] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (s[k] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  *codePoint = cp;
  return length;
}

// Bytes that JSON text can carry as they are.
struct JsonPlain {
  bool of[256];
  constexpr JsonPlain() : of() {
    for (int b = 0x20; b < 0x80; ++b) of[b] = b != '"' && b != '\\';
  }
};
constexpr JsonPlain kJsonPlain;

inline bool Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence of two to four bytes at s, or 0;
// s is NUL-terminated, and a NUL is never a continuation byte, so nothing
// past it is read.
inline size_t SequenceAt(const unsigned char *s) {
  unsigned char b = s[0];
  if (b >= 0xC2 && b <= 0xDF) return Continuation(s[1]) ? 2 : 0;
  if (b >= 0xE0 && b <= 0xEF) {
    if (!Continuation(s[1]) || !Continuation(s[2])) return 0;
    if (b == 0xE0 && s[1] < 0xA0) return 0;   // overlong
    if (b == 0xED && s[1] >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (!Continuation(s[1]) || !Continuation(s[2]) || !Continuation(s[3])) return 0;
    if (b == 0xF0 && s[1] < 0x90) return 0;
    if (b == 0xF4 && s[1] >= 0x90) return 0;
    return 4;
  }
  return 0;
}

// Writes value as a JSON string at out, which has room for six bytes per
// byte of the value and two more; returns the end. Bytes that are not
// well-formed UTF-8 (possible in a table loaded as UTF-8) become U+FFFD, so
// the output is always valid JSON.
char *WriteJsonString(char *out, const char *value) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(value);
  *out++ = '"';
  size_t start = 0, p = 0;
  for (;;) {
    unsigned char b = s[p];
    if (kJsonPlain.of[b]) {
      ++p;
      continue;
    }
    if (b >= 0x80) {
      size_t n = SequenceAt(s + p);
      if (n) {
        p += n;
        continue;
      }
    }
    memcpy(out, value + start, p - start);
    out += p - start;
    if (b == 0) break;
    const char *escape;
    char code[8];
    switch (b) {
      case '"': escape = "\\\""; break;
      case '\\': escape = "\\\\"; break;
      case '\n': escape = "\\n"; break;
      case '\r': escape = "\\r"; break;
      case '\t': escape = "\\t"; break;
      case '\b': escape = "\\b"; break;
      case '\f': escape = "\\f"; break;
      default:
        if (b >= 0x80) {
          escape = "\\ufffd";
        } else {
          snprintf(code, sizeof code, "\\u%04x", b);
          escape = code;
        }
    }
    size_t n = strlen(escape);
    memcpy(out, escape, n);
    out += n;
    start = ++p;
  }
  *out++ = '"';
  return out;
}

void Dump(const std::string &path) {
  Output out;
  if (!LoadOrExplain(path)) {
    if (GetLastLoadOutcome() == CSV_LOAD_REJECTED)
      out.Append("{\"loaded\": false, \"encoding\": " + std::to_string(GetLastLoadEncoding()) +
                 "}\n");
    else
      out.Append(std::string("{\"loaded\": false, \"encoding\": null}\n"));
    out.Finish();
    throw CLI::RuntimeError(1);
  }
  LONG count = CountRecords();
  out.Append("{\"loaded\": true, \"encoding\": " + std::to_string(GetLastLoadEncoding()) +
             ", \"count\": " + std::to_string(count) + ", \"records\": [");
  for (LONG r = 0; r < count; ++r) {
    out.Append(r ? ",\n[" : "\n[", r ? 3 : 2);
    for (LONG c = 0;; ++c) {
      size_t length = 0;
      LPCSTR value = PeekField(r, c, &length);  // GetField's value, not copied
      if (!value) break;
      char *p = out.Reserve(6 * length + 4);
      if (c) {
        *p++ = ',';
        *p++ = ' ';
      }
      out.Commit(WriteJsonString(p, value));
    }
    out.Append("]", 1);
  }
  out.Append(count ? "\n]}\n" : "]}\n", count ? 4 : 3);
  out.Finish();  // main reports output that could not be written
}

// Columns a character takes in a terminal: two for East Asian wide and
// full-width forms, none for combining marks and the byte-order mark.
int ColumnsOf(unsigned cp) {
  if ((cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x200B && cp <= 0x200F) || cp == 0xFEFF) return 0;
  if ((cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
      (cp >= 0x3041 && cp <= 0x33FF) || (cp >= 0x3400 && cp <= 0x4DBF) ||
      (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF) ||
      (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
      (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
      (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD))
    return 2;
  return 1;
}

// A cell as shown on one line: line breaks, tabs and other control bytes
// are written as escapes, bytes that are not UTF-8 as U+FFFD.
struct Cell {
  std::string text;
  int columns = 0;
};

Cell MakeCell(const char *value) {
  Cell cell;
  const unsigned char *s = reinterpret_cast<const unsigned char *>(value);
  size_t n = strlen(value);
  for (size_t p = 0; p < n;) {
    unsigned cp;
    size_t length = DecodeUtf8Character(s + p, n - p, &cp);
    if (!length) {
      cell.text += "\xEF\xBF\xBD";
      cell.columns += 1;
      ++p;
    } else if (cp < 0x20 || cp == 0x7F) {
      char escape[8];
      const char *shown = cp == '\r' ? "\\r" : cp == '\n' ? "\\n" : cp == '\t' ? "\\t" : nullptr;
      if (!shown) {
        snprintf(escape, sizeof escape, "\\x%02X", cp);
        shown = escape;
      }
      cell.text += shown;
      cell.columns += static_cast<int>(strlen(shown));
      ++p;
    } else {
      cell.text.append(value + p, length);
      cell.columns += ColumnsOf(cp);
      p += length;
    }
  }
  return cell;
}

// Prints the table as the data panel lists it: a column of record numbers,
// one column per header field, one row per data record. Two passes over the
// table, one for the column widths and one to print, so that nothing but the
// table itself is held: memory stays in proportion to the file.
void Show(const std::string &path) {
  Load(path);
  std::vector<Cell> header{Cell{}};
  for (LONG c = 0;; ++c) {
    LPCSTR name = PeekField(0, c, nullptr);
    if (!name) break;
    header.push_back(MakeCell(name));
  }
  size_t columns = header.size();
  std::vector<int> widths(columns, 0);
  for (size_t k = 0; k < columns; ++k) widths[k] = header[k].columns;
  LONG count = CountRecords();
  if (count > 1) widths[0] = static_cast<int>(std::to_string(count - 1).size());
  for (LONG r = 1; r < count; ++r) {
    for (size_t k = 1; k < columns; ++k) {
      LPCSTR value = PeekField(r, static_cast<LONG>(k - 1), nullptr);
      if (!value) break;  // the fields after a missing one are missing too
      int shown = MakeCell(value).columns;
      if (shown > widths[k]) widths[k] = shown;
    }
  }

  Output out;
  std::string text;
  std::vector<Cell> row(columns);
  auto print = [&](const std::vector<Cell> &cells) {
    text.clear();
    for (size_t k = 0; k < columns; ++k) {
      if (k) text += " | ";
      int pad = widths[k] - cells[k].columns;
      if (k == 0) text.append(pad, ' ');  // record numbers to the right
      text += cells[k].text;
      if (k != 0 && k + 1 < columns) text.append(pad, ' ');
    }
    text += '\n';
    out.Append(text);
  };
  print(header);
  std::string rule;
  for (size_t k = 0; k < columns; ++k) {
    if (k) rule += "-+-";
    rule.append(widths[k], '-');
  }
  out.Append(rule + '\n');
  for (LONG r = 1; r < count; ++r) {
    row[0].text = std::to_string(r);
    row[0].columns = static_cast<int>(row[0].text.size());
    bool present = true;
    for (size_t k = 1; k < columns; ++k) {
      LPCSTR value = present ? PeekField(r, static_cast<LONG>(k - 1), nullptr) : nullptr;
      present = value != nullptr;
      row[k] = value ? MakeCell(value) : Cell{};
    }
    print(row);
  }
  out.Finish();  // main reports output that could not be written
}

// Why a field could not be set, as a message; nothing was changed then.
std::string SetRefusal(const std::string &path, long long record, long long column) {
  const std::string r = "record " + std::to_string(record);
  switch (GetLastSetOutcome()) {
    case CSV_SET_NO_FIELD: {
      LONG fields = 0;
      while (PeekField(static_cast<LONG>(record), fields, nullptr)) ++fields;
      return r + " has no field " + std::to_string(column) + " (its fields are 0 to " +
             std::to_string(fields - 1) + ")";
    }
    case CSV_SET_LINE_CUT:
      return r + " of " + path + " is longer than the 32,767-byte line window" +
             (PeekField(static_cast<LONG>(record), static_cast<LONG>(column), nullptr)
                  ? ""
                  : ", and field " + std::to_string(column) + " lies past it") +
             ": rebuilt from the window, the record would lose its bytes past it; nothing was "
             "changed";
    case CSV_SET_TOO_LONG:
      return "the value would make " + r +
             " longer than the 32,767-byte line window; nothing was changed";
    case CSV_SET_OUT_OF_MEMORY: return "not enough memory to set the field; nothing was changed";
    default: return r + " does not exist";
  }
}

void Save(const std::string &path) {
  if (!SaveCsvFile(WindowsPathOf(path).c_str()))
    Fail("cannot write " + path + ": " + vplat::LastErrorText());
}

void Set(const std::string &path, long long record, long long column, const std::string &value,
         const std::string &outPath) {
  Load(path);
  LONG count = CountRecords();
  if (count == 0) Fail(path + " holds no records: there is no field to set");
  if (record >= count)
    Fail("record " + std::to_string(record) + " does not exist: " + path +
         (count == 1
              ? " holds only the header row, record 0"
              : " has records 0 to " + std::to_string(count - 1) + " (0 is the header row)"));
  for (size_t p = 0; p < value.size();) {
    unsigned codePoint;
    size_t length = DecodeUtf8Character(reinterpret_cast<const unsigned char *>(value.data()) + p,
                                        value.size() - p, &codePoint);
    if (!length)
      Fail("the value is not UTF-8 (byte " + std::to_string(p) + "); nothing was changed");
    p += length;
  }
  if (!SetField(static_cast<LONG>(record), static_cast<LONG>(column), value.c_str()))
    Fail(SetRefusal(path, record, column));
  Save(outPath.empty() ? path : outPath);
}

void Export(const std::string &in, const std::string &outPath) {
  Load(in);
  Save(outPath);
}

// Runs a command; running out of memory on the way ends it with a message.
template <typename Command>
std::function<void()> Guarded(Command command) {
  return [command] {
    try {
      command();
    } catch (const std::bad_alloc &) {
      Fail("not enough memory");
    }
  };
}

}  // namespace

void AddTableCommand(CLI::App &app) {
  CLI::App *table = app.add_subcommand(
      "table", "Load CSV files into the record table, look at them, set fields, save as UTF-8");
  table->require_subcommand(1);

  struct Arguments {
    std::string file, out;
    long long record = 0, column = 0;
    std::string value;
  };
  auto args = std::make_shared<Arguments>();

  CLI::App *show = table->add_subcommand("show", "Print the table as the data panel lists it");
  show->add_option("FILE", args->file, "CSV file")->required();
  show->callback(Guarded([args] { Show(args->file); }));

  CLI::App *dump = table->add_subcommand(
      "dump", "Print the table as JSON: loaded, encoding class, count and every record's fields");
  dump->add_option("FILE", args->file, "CSV file")->required();
  dump->callback(Guarded([args] { Dump(args->file); }));

  CLI::App *set = table->add_subcommand("set", "Set one field and save the table (as UTF-8)");
  set->add_option("FILE", args->file, "CSV file")->required();
  AddNumberArgument(set, "RECORD", &args->record, 0x7FFFFFFF,
                    "record number, in decimal; 0 is the header row");
  AddNumberArgument(set, "COLUMN", &args->column, 0x7FFFFFFF, "column number, from 0");
  set->add_option("VALUE", args->value, "new value")->required();
  set->add_option("-o,--output", args->out, "save here instead of over FILE");
  set->callback(
      Guarded([args] { Set(args->file, args->record, args->column, args->value, args->out); }));

  CLI::App *exportCommand =
      table->add_subcommand("export", "Load a CSV file in any accepted encoding, save it as UTF-8");
  std::string *in = &args->file;
  exportCommand->add_option("IN", *in, "CSV file to read")->required();
  exportCommand->add_option("OUT", args->out, "CSV file to write")->required();
  exportCommand->callback(Guarded([args] { Export(args->file, args->out); }));
}

}  // namespace vardo::cli
