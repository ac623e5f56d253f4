#include "scriptmarkup.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string UpperCase(std::string text) {
  for (char &c : text) c = Upper(c);
  return text;
}

// A number at the front of `text` (locale-free); advances past it.
bool ReadNumber(std::string_view &text, double *value) {
  const char *end = text.data() + text.size();
  const char *start = text.data();
  if (start != end && *start == '+') ++start;
  auto [ptr, ec] = std::from_chars(start, end, *value);
  if (ec != std::errc() || !std::isfinite(*value)) return false;
  text.remove_prefix(ptr - text.data());
  return true;
}

// A length in points: a number with pt (or no unit), mm, cm, in or q.
bool ReadLength(std::string_view text, double *points) {
  double value;
  if (!ReadNumber(text, &value)) return false;
  const std::string unit = UpperCase(std::string(text));
  if (unit.empty() || unit == "PT") {
    *points = value;
  } else if (unit == "MM") {
    *points = value * 72 / 25.4;
  } else if (unit == "CM") {
    *points = value * 72 / 2.54;
  } else if (unit == "IN") {
    *points = value * 72;
  } else if (unit == "Q") {
    *points = value * 72 / 101.6;
  } else {
    return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Upper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#CCMMYYKK" (four-colour) or "#RRGGBB" (three-colour).
bool ReadColour(std::string_view text, AIColor *colour) {
  if (text.empty() || text[0] != '#' || (text.size() != 9 && text.size() != 7)) return false;
  double c[4];
  const size_t count = (text.size() - 1) / 2;
  for (size_t i = 0; i < count; ++i) {
    const int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return false;
    c[i] = (high * 16 + low) / 255.0;
  }
  *colour = AIColor{};
  if (count == 4) {
    colour->kind = kFourColor;
    colour->c.f = {c[0], c[1], c[2], c[3]};
  } else {
    colour->kind = kThreeColor;
    colour->c.rgb = {c[0], c[1], c[2]};
  }
  return true;
}

const char *const kFontAttributes[] = {"FACE",     "SIZE",       "LEADING",
                                       "TRACKING", "LINEWIDTH",  "BASELINESHIFT",
                                       "SCALE",    "FILL_COLOR", "STROKE_COLOR"};

// Whether `text` at `at` begins one of the <font> attribute names and '='.
bool BeginsFontAttribute(std::string_view text, size_t at) {
  for (const char *name : kFontAttributes) {
    const size_t length = std::strlen(name);
    if (at + length >= text.size() || text[at + length] != '=') continue;
    bool same = true;
    for (size_t k = 0; k < length && same; ++k) same = Upper(text[at + k]) == name[k];
    if (same) return true;
  }
  return false;
}

struct Attribute {
  std::string name;  // upper case
  std::string value;
  bool hasValue = false;
};

// The attributes of a tag's inside (between its name and '>'). In <font>
// an unquoted face runs up to the next attribute, as font names hold
// blanks and are written unquoted.
std::vector<Attribute> ReadAttributes(std::string_view inside, bool font) {
  std::vector<Attribute> out;
  size_t i = 0;
  while (true) {
    while (i < inside.size() && IsBlank(inside[i])) ++i;
    if (i >= inside.size()) break;
    Attribute a;
    const size_t nameStart = i;
    while (i < inside.size() && !IsBlank(inside[i]) && inside[i] != '=') ++i;
    a.name = UpperCase(std::string(inside.substr(nameStart, i - nameStart)));
    if (i < inside.size() && inside[i] == '=') {
      ++i;
      a.hasValue = true;
      if (i < inside.size() && (inside[i] == '"' || inside[i] == '\'')) {
        const char quote = inside[i++];
        const size_t close = inside.find(quote, i);
        const size_t end = close == std::string_view::npos ? inside.size() : close;
        a.value = std::string(inside.substr(i, end - i));
        i = end == inside.size() ? end : end + 1;
      } else if (font && a.name == "FACE") {
        size_t end = i;
        while (end < inside.size() && !(IsBlank(inside[end]) && end + 1 < inside.size() &&
                                        BeginsFontAttribute(inside, end + 1))) {
          ++end;
        }
        size_t trimmed = end;
        while (trimmed > i && IsBlank(inside[trimmed - 1])) --trimmed;
        a.value = std::string(inside.substr(i, trimmed - i));
        i = end;
      } else {
        const size_t start = i;
        while (i < inside.size() && !IsBlank(inside[i])) ++i;
        a.value = std::string(inside.substr(start, i - start));
      }
    }
    out.push_back(std::move(a));
  }
  return out;
}

class Parser {
 public:
  Parser(const char *script, size_t size) : s_(script, size) {
    tree_.nodes.emplace_back();
    tree_.nodes[0].kind = ScriptNode::kRoot;
    open_.push_back(0);
  }

  ScriptTree Run() {
    size_t i = 0;
    while (i < s_.size()) {
      const char c = s_[i];
      if (c == '\r' || c == '\n') {
        Add(ScriptNode::kParagraph);
        i += (c == '\r' && i + 1 < s_.size() && s_[i + 1] == '\n') ? 2 : 1;
      } else if (c == '[') {
        i = Field(i);
      } else if (c == '<') {
        i = Tag(i);
      } else {
        pending_ += c;
        ++i;
      }
    }
    Flush();
    if (open_.size() > 1) Problem(s_.size(), "<font> is not closed; it runs to the end");
    return std::move(tree_);
  }

 private:
  void Flush() {
    if (pending_.empty()) return;
    ScriptNode node;
    node.kind = ScriptNode::kText;
    node.text = std::move(pending_);
    pending_.clear();
    Append(std::move(node));
  }

  int Append(ScriptNode node) {
    const int index = static_cast<int>(tree_.nodes.size());
    tree_.nodes.push_back(std::move(node));
    tree_.nodes[open_.back()].children.push_back(index);
    return index;
  }

  void Add(ScriptNode::Kind kind, std::string text = {}) {
    Flush();
    ScriptNode node;
    node.kind = kind;
    node.text = std::move(text);
    Append(std::move(node));
  }

  void Problem(size_t offset, std::string detail) {
    tree_.problems.push_back({offset, std::move(detail)});
  }

  // "[" name "]"; the name ends before a line end or another '['.
  size_t Field(size_t i) {
    size_t k = i + 1;
    while (k < s_.size() && s_[k] != ']' && s_[k] != '[' && s_[k] != '\r' && s_[k] != '\n') ++k;
    if (k >= s_.size() || s_[k] != ']') {
      Problem(i, "'[' without ']' is printed as it is");
      pending_ += '[';
      return i + 1;
    }
    if (k == i + 1) {
      Problem(i, "an empty field reference \"[]\" is printed as it is");
      pending_ += "[]";
      return k + 1;
    }
    Add(ScriptNode::kField, std::string(s_.substr(i + 1, k - i - 1)));
    return k + 1;
  }

  // Where the tag opened at `i` ends ('>' outside quotes), or npos.
  size_t TagEnd(size_t from) const {
    char quote = 0;
    for (size_t k = from; k < s_.size(); ++k) {
      const char c = s_[k];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"') {
        quote = c;
      } else if (c == '>') {
        return k;
      } else if (c == '<') {
        return std::string_view::npos;  // a new tag begins: this one never ended
      }
    }
    return std::string_view::npos;
  }

  size_t Literal(size_t i, size_t end, std::string detail) {
    Problem(i, std::move(detail));
    pending_.append(s_.substr(i, end - i));
    return end;
  }

  size_t Tag(size_t i) {
    size_t k = i + 1;
    const bool closing = k < s_.size() && s_[k] == '/';
    if (closing) ++k;
    const size_t nameStart = k;
    while (k < s_.size() && IsNameChar(s_[k])) ++k;
    const bool letter = k > nameStart && ((s_[nameStart] >= 'a' && s_[nameStart] <= 'z') ||
                                          (s_[nameStart] >= 'A' && s_[nameStart] <= 'Z'));
    if (!letter || (k < s_.size() && !IsBlank(s_[k]) && s_[k] != '>' && s_[k] != '/')) {
      pending_ += '<';  // "a < b", "<3": text, not mark-up
      return i + 1;
    }
    const std::string name = UpperCase(std::string(s_.substr(nameStart, k - nameStart)));
    const size_t end = TagEnd(k);
    if (end == std::string_view::npos) return Literal(i, i + 1, "<" + name + " has no '>'");
    std::string_view inside = s_.substr(k, end - k);
    if (!inside.empty() && inside.back() == '/') inside.remove_suffix(1);
    const size_t next = end + 1;
    const std::string whole(s_.substr(i, next - i));

    static const char *const kStructure[] = {"HTML", "BODY", "TABLE", "TR"};
    for (const char *structural : kStructure) {
      if (name == structural) return next;  // the wrapper carries nothing the engine uses
    }
    if (name == "FONT") return closing ? CloseFont(i, next, whole) : OpenFont(i, next, inside);
    if (name == "TD") {
      if (closing) {
        cell_ = CellLayout{};
        return next;
      }
      return OpenCell(i, next, inside);
    }
    if (!closing && (name == "IMG" || name == "BARCODE")) {
      ScriptNode node;
      node.kind = name == "IMG" ? ScriptNode::kPicture : ScriptNode::kBarcode;
      node.cell = cell_;
      for (Attribute &a : ReadAttributes(inside, false))
        node.attributes.emplace_back(a.name, a.value);
      if (node.kind == ScriptNode::kPicture && !FindAttribute(node, "SRC")) {
        return Literal(i, next, "<IMG> without SRC is printed as it is");
      }
      Flush();
      Append(std::move(node));
      return next;
    }
    return Literal(i, next, "unknown tag " + whole + " is printed as it is");
  }

  size_t CloseFont(size_t i, size_t next, const std::string &whole) {
    if (open_.size() <= 1)
      return Literal(i, next, whole + " without an open <font> is printed as it is");
    Flush();
    open_.pop_back();
    return next;
  }

  size_t OpenFont(size_t i, size_t next, std::string_view inside) {
    FontStyle style;
    for (const Attribute &a : ReadAttributes(inside, true)) {
      const std::string_view v = a.value;
      double number = 0;
      bool ok = a.hasValue;
      if (a.name == "FACE") {
        ok = ok && !a.value.empty();
        if (ok) style.face = a.value, style.assigned |= kFontFace;
      } else if (a.name == "SIZE") {
        ok = ok && ReadLength(v, &number) && number > 0 && number <= 5000;
        if (ok) style.size = number, style.assigned |= kFontSize;
      } else if (a.name == "LEADING") {
        ok = ok && ReadLength(v, &number) && number > 0 && number <= 5000;
        if (ok) style.leading = number, style.assigned |= kFontLeading;
      } else if (a.name == "TRACKING") {
        std::string_view rest = v;
        ok = ok && ReadNumber(rest, &number) && rest.empty() && std::abs(number) <= 100000;
        if (ok)
          style.tracking = static_cast<int32_t>(std::lround(number)),
          style.assigned |= kFontTracking;
      } else if (a.name == "LINEWIDTH") {
        ok = ok && ReadLength(v, &number) && number >= 0 && number <= 1000;
        if (ok) style.lineWidth = number, style.assigned |= kFontLineWidth;
      } else if (a.name == "BASELINESHIFT") {
        ok = ok && ReadLength(v, &number) && std::abs(number) <= 5000;
        if (ok) style.baselineShift = number, style.assigned |= kFontBaselineShift;
      } else if (a.name == "SCALE") {
        ok = ok && ReadScale(v, &style);
      } else if (a.name == "FILL_COLOR") {
        ok = ok && ReadColour(v, &style.fill);
        if (ok) style.assigned |= kFontFillColor;
      } else if (a.name == "STROKE_COLOR") {
        ok = ok && ReadColour(v, &style.stroke);
        if (ok) style.assigned |= kFontStrokeColor;
      } else {
        Problem(i, "unknown <font> attribute " + a.name + " is left out");
        continue;
      }
      if (!ok)
        Problem(i,
                "<font> attribute " + a.name + "=" + a.value + " is not understood and left out");
    }
    Flush();
    ScriptNode node;
    node.kind = ScriptNode::kFont;
    node.style = style;
    open_.push_back(Append(std::move(node)));
    return next;
  }

  // "(h,v)" in percent, or one number for both.
  static bool ReadScale(std::string_view v, FontStyle *style) {
    double h, vertical;
    if (!v.empty() && v.front() == '(' && v.back() == ')') {
      v = v.substr(1, v.size() - 2);
      if (!ReadNumber(v, &h) || v.empty() || v.front() != ',') return false;
      v.remove_prefix(1);
      if (!ReadNumber(v, &vertical) || !v.empty()) return false;
    } else {
      if (!ReadNumber(v, &h) || !v.empty()) return false;
      vertical = h;
    }
    if (!(h > 0 && h <= 10000 && vertical > 0 && vertical <= 10000)) return false;
    style->horizontalScale = h / 100;
    style->verticalScale = vertical / 100;
    style->assigned |= kFontScale;
    return true;
  }

  size_t OpenCell(size_t i, size_t next, std::string_view inside) {
    CellLayout cell;
    for (const Attribute &a : ReadAttributes(inside, false)) {
      const std::string value = UpperCase(a.value);
      double number = 0;
      bool ok = true;
      if (a.name == "WIDTH" || a.name == "HEIGHT") {
        ok = ReadLength(value, &number) && number >= 0 && number <= 100000;
        if (ok) (a.name == "WIDTH" ? cell.width : cell.height) = number;
      } else if (a.name == "ALIGN") {
        ok = value == "LEFT" || value == "CENTER" || value == "RIGHT";
        cell.align = value == "CENTER"  ? CellLayout::kCenter
                     : value == "RIGHT" ? CellLayout::kRight
                                        : CellLayout::kLeft;
      } else if (a.name == "VALIGN") {
        ok = value == "TOP" || value == "MIDDLE" || value == "BOTTOM";
        cell.valign = value == "MIDDLE"   ? CellLayout::kMiddle
                      : value == "BOTTOM" ? CellLayout::kBottom
                                          : CellLayout::kTop;
      } else {
        continue;  // table attributes the engine has no use for
      }
      if (!ok) Problem(i, "<TD> attribute " + a.name + "=" + a.value + " is not understood");
    }
    cell_ = cell;
    return next;
  }

  std::string_view s_;
  ScriptTree tree_;
  std::vector<int> open_;  // the root and the <font> nodes open, innermost last
  std::string pending_;
  CellLayout cell_;
};

}  // namespace

FontStyle MergeFontStyles(const FontStyle &outer, const FontStyle &inner) {
  FontStyle out = outer;
  const uint32_t a = inner.assigned;
  if (a & kFontFace) out.face = inner.face;
  if (a & kFontSize) out.size = inner.size;
  if (a & kFontLeading) out.leading = inner.leading;
  if (a & kFontTracking) out.tracking = inner.tracking;
  if (a & kFontLineWidth) out.lineWidth = inner.lineWidth;
  if (a & kFontBaselineShift) out.baselineShift = inner.baselineShift;
  if (a & kFontScale) {
    out.horizontalScale = inner.horizontalScale;
    out.verticalScale = inner.verticalScale;
  }
  if (a & kFontFillColor) out.fill = inner.fill;
  if (a & kFontStrokeColor) out.stroke = inner.stroke;
  out.assigned |= a;
  return out;
}

const std::string *FindAttribute(const ScriptNode &node, const char *name) {
  for (const auto &[key, value] : node.attributes) {
    if (key == name) return &value;
  }
  return nullptr;
}

ScriptTree ParseScript(const char *script, size_t size) { return Parser(script, size).Run(); }
