#include "svgstyle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "svggeometry.h"

namespace vhost::svg {

std::string_view Trim(std::string_view text) {
  auto blank = [](char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
  };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char &ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return out;
}

// A style read as CSS reads it, a character at a time: a backslash takes
// the next character as it is, in a string or not, so an escaped quote or
// semicolon neither ends a string nor a declaration; a quote runs to its
// match; parentheses nest.
class StyleScanner {
 public:
  // Takes the character at i, and the one after it when i is a backslash
  // (i is then left on that one). Gives whether the character stands
  // outside every string and parenthesis, and so may end a declaration.
  bool Take(std::string_view text, size_t &i) {
    const char ch = text[i];
    if (ch == '\\' && i + 1 < text.size()) {
      ++i;
      return false;
    }
    if (quote_) {
      if (ch == quote_) quote_ = 0;
      return false;
    }
    if (ch == '"' || ch == '\'') {
      quote_ = ch;
      return false;
    }
    if (ch == '(') {
      ++depth_;
    } else if (ch == ')' && depth_) {
      --depth_;
    }
    return depth_ == 0;
  }

  // Whether a quote or a parenthesis is still open.
  bool Open() const { return quote_ || depth_; }

 private:
  char quote_ = 0;
  int depth_ = 0;
};

// Whether a declaration leaves a quote or a parenthesis open, read as the
// constructor reads it: it then runs on to the end of the text.
bool LeavesOpen(std::string_view text) {
  StyleScanner scan;
  for (size_t i = 0; i < text.size(); ++i) scan.Take(text, i);
  return scan.Open();
}

}  // namespace

StyleDeclarations::StyleDeclarations(std::string_view text) {
  size_t start = 0;
  StyleScanner scan;
  for (size_t i = 0; i <= text.size(); ++i) {
    // The end of the text ends the last declaration, even one left open.
    if (i < text.size() && !(scan.Take(text, i) && text[i] == ';')) continue;
    std::string_view declaration = text.substr(start, i - start);
    start = i + 1;
    size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    std::string name = Lower(Trim(declaration.substr(0, colon)));
    if (name.empty()) continue;
    entries_.emplace_back(std::move(name), std::string(Trim(declaration.substr(colon + 1))));
  }
}

std::optional<std::string> StyleDeclarations::Get(std::string_view name) const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->first == name) return it->second;
  }
  return std::nullopt;
}

void StyleDeclarations::Set(std::string_view name, std::string_view value) {
  bool done = false;
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->first != name) {
      ++it;
    } else if (!done) {
      it->second = std::string(value);
      done = true;
      ++it;
    } else {
      it = entries_.erase(it);
    }
  }
  if (!done) entries_.emplace_back(std::string(name), std::string(value));
}

bool StyleDeclarations::Remove(std::string_view name) {
  const size_t before = entries_.size();
  std::erase_if(entries_, [&](const auto &entry) { return entry.first == name; });
  return entries_.size() != before;
}

std::string StyleDeclarations::ToString() const {
  // A declaration that leaves a quote or a parenthesis open took the rest
  // of the text it was read from, so it was the last; it stays the last, or
  // it would take the declarations after it when read again.
  std::string out, open;
  for (const auto &[name, value] : entries_) {
    std::string &into = LeavesOpen(name) || LeavesOpen(value) ? open : out;
    if (!into.empty()) into += ';';
    into += name;
    into += ':';
    into += value;
  }
  if (!out.empty() && !open.empty()) out += ';';
  out += open;
  return out;
}

bool ParseLength(std::string_view text, double fontSize, double percentBase, double *out) {
  text = Trim(text);
  double value = 0;
  if (!ReadNumber(text, &value)) return false;
  const std::string unit = Lower(Trim(text));
  double scale;
  if (unit.empty() || unit == "px") {
    scale = 1;
  } else if (unit == "pt") {
    scale = 96.0 / 72;
  } else if (unit == "pc") {
    scale = 16;
  } else if (unit == "mm") {
    scale = 96 / 25.4;
  } else if (unit == "cm") {
    scale = 96 / 2.54;
  } else if (unit == "in") {
    scale = 96;
  } else if (unit == "em") {
    scale = fontSize;
  } else if (unit == "ex") {
    scale = fontSize / 2;
  } else if (unit == "%") {
    scale = percentBase / 100;
  } else {
    return false;
  }
  *out = value * scale;
  return true;
}

namespace {

struct NamedColor {
  const char *name;
  Rgb8 rgb;
};

const NamedColor kNamedColors[] = {
    {"black", {0, 0, 0}},       {"silver", {192, 192, 192}}, {"gray", {128, 128, 128}},
    {"grey", {128, 128, 128}},  {"white", {255, 255, 255}},  {"maroon", {128, 0, 0}},
    {"red", {255, 0, 0}},       {"purple", {128, 0, 128}},   {"fuchsia", {255, 0, 255}},
    {"magenta", {255, 0, 255}}, {"green", {0, 128, 0}},      {"lime", {0, 255, 0}},
    {"olive", {128, 128, 0}},   {"yellow", {255, 255, 0}},   {"navy", {0, 0, 128}},
    {"blue", {0, 0, 255}},      {"teal", {0, 128, 128}},     {"aqua", {0, 255, 255}},
    {"cyan", {0, 255, 255}},    {"orange", {255, 165, 0}},
};

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

}  // namespace

bool ParseCssColor(std::string_view text, Rgb8 *out) {
  text = Trim(text);
  if (!text.empty() && text.front() == '#') {
    std::string_view hex = text.substr(1);
    int v[6];
    for (size_t i = 0; i < hex.size() && i < 6; ++i) {
      if ((v[i] = HexValue(hex[i])) < 0) return false;
    }
    if (hex.size() == 3) {
      *out = {v[0] * 17, v[1] * 17, v[2] * 17};
      return true;
    }
    if (hex.size() == 6) {
      *out = {v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]};
      return true;
    }
    return false;
  }
  const std::string lower = Lower(text);
  if (lower.rfind("rgb(", 0) == 0 && lower.back() == ')') {
    std::string_view args(lower);
    args = args.substr(4, args.size() - 5);
    int channel[3];
    for (int i = 0; i < 3; ++i) {
      double value;
      if (!ReadNumber(args, &value)) return false;
      args = Trim(args);
      if (!args.empty() && args.front() == '%') {
        value = value * 255 / 100;
        args.remove_prefix(1);
      }
      channel[i] = static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
    }
    if (!Trim(args).empty()) return false;
    *out = {channel[0], channel[1], channel[2]};
    return true;
  }
  for (const NamedColor &named : kNamedColors) {
    if (lower == named.name) {
      *out = named.rgb;
      return true;
    }
  }
  return false;
}

std::string FormatCssColor(Rgb8 rgb) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "#";
  for (int v : {rgb.r, rgb.g, rgb.b}) {
    out += kHex[(v >> 4) & 15];
    out += kHex[v & 15];
  }
  return out;
}

std::string FirstFontFamily(std::string_view list) {
  list = Trim(list);
  if (!list.empty() && (list.front() == '\'' || list.front() == '"')) {
    const char quote = list.front();
    std::string out;
    for (size_t i = 1; i < list.size() && list[i] != quote; ++i) {
      if (list[i] == '\\' && i + 1 < list.size()) ++i;
      out += list[i];
    }
    return out;
  }
  size_t comma = list.find(',');
  return std::string(Trim(list.substr(0, comma)));
}

std::string QuoteFontFamily(std::string_view family) {
  bool plain = !family.empty() && !std::isdigit(static_cast<unsigned char>(family.front()));
  for (char ch : family) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if (!(std::isalnum(u) || ch == '-' || ch == '_' || u >= 0x80)) plain = false;
  }
  if (plain) return std::string(family);
  std::string out = "'";
  for (char ch : family) {
    if (ch == '\'' || ch == '\\') out += '\\';
    out += ch;
  }
  return out + "'";
}

}  // namespace vhost::svg
