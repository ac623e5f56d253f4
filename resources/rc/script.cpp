// The resource-script parser: statements, expressions, and the resources
// they make.
#include <vplatform/utf8.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "bytes.h"
#include "dialogtemplate.h"
#include "lexer.h"
#include "rc.h"
#include "symbols.h"

namespace vardo::rc {
namespace {

constexpr std::uint32_t kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000;
constexpr std::uint32_t kWsBorder = 0x00800000, kWsSysMenu = 0x00080000, kWsGroup = 0x00020000;
constexpr std::uint32_t kWsTabStop = 0x00010000, kDsSetFont = 0x40;

constexpr std::uint16_t kRtIcon = 3, kRtDialog = 5, kRtString = 6, kRtRcData = 10,
                        kRtGroupIcon = 14, kRtManifest = 24;

// The control statements: their class, the style they start from (besides
// WS_CHILD | WS_VISIBLE), the bits of that style that say which kind of
// control of the class it is, and whether the statement takes a text.
// When a statement's own style sets any of the kind bits, they replace the
// statement's kind: COMBOBOX with CBS_DROPDOWN is a drop-down combo box.
struct ControlKind {
  const char *keyword;
  std::uint16_t atom;
  std::uint32_t style;
  std::uint32_t kindMask;
  bool hasText;
};

constexpr ControlKind kControlKinds[] = {
    {"DEFPUSHBUTTON", kButtonAtom, 0x1 | kWsTabStop, 0xF, true},
    {"PUSHBUTTON", kButtonAtom, 0x0 | kWsTabStop, 0xF, true},
    {"AUTOCHECKBOX", kButtonAtom, 0x3 | kWsTabStop, 0xF, true},
    {"CHECKBOX", kButtonAtom, 0x2 | kWsTabStop, 0xF, true},
    {"GROUPBOX", kButtonAtom, 0x7, 0xF, true},
    {"LTEXT", kStaticAtom, 0x0 | kWsGroup, 0x1F, true},
    {"RTEXT", kStaticAtom, 0x2 | kWsGroup, 0x1F, true},
    {"CTEXT", kStaticAtom, 0x1 | kWsGroup, 0x1F, true},
    {"EDITTEXT", kEditAtom, kWsBorder | kWsTabStop, 0x3, false},
    {"COMBOBOX", kComboBoxAtom, 0x1 | kWsTabStop, 0x3, false},
};

struct ClassName {
  const char *name;
  std::uint16_t atom;
};
constexpr ClassName kClassNames[] = {{"BUTTON", kButtonAtom},       {"EDIT", kEditAtom},
                                     {"STATIC", kStaticAtom},       {"LISTBOX", kListBoxAtom},
                                     {"SCROLLBAR", kScrollBarAtom}, {"COMBOBOX", kComboBoxAtom}};

std::string UpperAscii(std::string s) {
  for (char &c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::u16string UpperAscii16(std::u16string s) {
  for (char16_t &c : s)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return s;
}

std::string Describe(const Token &t) {
  switch (t.kind) {
    case Token::End: return "the end of the script";
    case Token::Name: return "'" + t.text + "'";
    case Token::Number: return "the number " + std::to_string(t.value);
    case Token::String: return "a string";
    case Token::CharCode: return "a character code";
    case Token::Punct: return "'" + t.text + "'";
  }
  return "?";
}

std::string DescribeId(const ResourceId &id) {
  if (!id.isString) return std::to_string(id.id);
  std::string s;
  for (char16_t c : id.name) s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return s;
}

// One term of a style expression: bits to set, or with NOT to clear.
struct StyleTerm {
  bool clear;
  std::int64_t value;
};

class Parser {
 public:
  Parser(std::vector<Token> tokens, std::string baseDir, CompiledScript *out)
      : t_(std::move(tokens)), baseDir_(std::move(baseDir)), out_(out) {}

  void Run() {
    while (Peek().kind != Token::End) Statement();
    EmitStringTables();
  }

 private:
  // Tokens -----------------------------------------------------------------
  const Token &Peek(std::size_t ahead = 0) const {
    return t_[std::min(pos_ + ahead, t_.size() - 1)];
  }
  const Token &Next() {
    const Token &t = Peek();
    if (pos_ < t_.size() - 1) ++pos_;
    return t;
  }
  static bool IsWord(const Token &t, const char *word) {
    return t.kind == Token::Name && t.text == word;
  }
  static bool IsPunct(const Token &t, char c) { return t.kind == Token::Punct && t.text[0] == c; }
  static bool IsOpen(const Token &t) { return IsWord(t, "BEGIN") || IsPunct(t, '{'); }
  static bool IsClose(const Token &t) { return IsWord(t, "END") || IsPunct(t, '}'); }

  [[noreturn]] void Fail(const Token &at, const std::string &message) const {
    throw ScriptError(at.line, message);
  }
  [[noreturn]] void Expected(const std::string &what) const {
    Fail(Peek(), "expected " + what + ", found " + Describe(Peek()));
  }

  bool AcceptPunct(char c) {
    if (!IsPunct(Peek(), c)) return false;
    Next();
    return true;
  }
  void Comma(const char *before) {
    if (!AcceptPunct(',')) Expected(std::string("',' before ") + before);
  }
  void Open(const std::string &what) {
    if (!IsOpen(Peek())) Expected("BEGIN or '{' to start " + what);
    Next();
  }
  // The statement's closing END or '}', or false at the end of the script.
  bool AtClose(const Token &opener, const std::string &what) {
    if (IsClose(Peek())) {
      Next();
      return true;
    }
    if (Peek().kind == Token::End) Fail(opener, what + " is not closed with END or '}'");
    return false;
  }
  std::string Bytes(const std::string &what) {
    if (Peek().kind != Token::String) Expected(what + " in double quotes");
    return Next().text;
  }
  std::u16string Text(const std::string &what) {
    const Token &t = Peek();
    const std::string bytes = Bytes(what);
    auto text = vplat::StrictUtf16FromUtf8(bytes);
    if (!text) Fail(t, what + " is not valid UTF-8");
    return *text;
  }

  // Expressions ------------------------------------------------------------
  // term := number | 'ABCD' | name | '-' term | '~' term | '(' expression ')'
  std::int64_t Term() {
    const Token &t = Peek();
    if (t.kind == Token::Number || t.kind == Token::CharCode) return Next().value;
    if (t.kind == Token::Name) {
      const auto value = LookupSymbol(t.text);
      if (!value) Fail(t, "unknown name '" + t.text + "'");
      Next();
      return *value;
    }
    if (AcceptPunct('-')) return -Term();
    if (AcceptPunct('~')) return ~Term() & 0xFFFFFFFF;
    if (AcceptPunct('(')) {
      const std::int64_t value = Combine(StyleTerms(false));
      if (!AcceptPunct(')')) Expected("')'");
      return value;
    }
    Expected("a number or a name");
  }

  // expression := ['NOT'] term { '|' ['NOT'] term }
  std::vector<StyleTerm> StyleTerms(bool allowNot) {
    std::vector<StyleTerm> terms;
    do {
      bool clear = false;
      if (IsWord(Peek(), "NOT")) {
        if (!allowNot) Fail(Peek(), "NOT is only allowed in control styles");
        Next();
        clear = true;
      }
      terms.push_back({clear, Term()});
    } while (AcceptPunct('|'));
    return terms;
  }

  // A single term keeps its sign; several are OR-ed as 32-bit patterns.
  static std::int64_t Combine(const std::vector<StyleTerm> &terms) {
    if (terms.size() == 1 && !terms[0].clear) return terms[0].value;
    std::int64_t bits = 0;
    for (const StyleTerm &s : terms) bits |= s.value & 0xFFFFFFFF;
    return bits;
  }

  std::int64_t Value(const std::string &what, std::int64_t min, std::int64_t max) {
    const Token &at = Peek();
    const std::int64_t value = Combine(StyleTerms(false));
    if (value < min || value > max)
      Fail(at, what + " " + std::to_string(value) + " is out of range (" + std::to_string(min) +
                   " to " + std::to_string(max) + ")");
    return value;
  }

  std::uint32_t Style(std::uint32_t start, std::uint32_t kindMask,
                      const std::vector<StyleTerm> &terms) {
    std::uint32_t set = 0;
    for (const StyleTerm &s : terms)
      if (!s.clear) set |= static_cast<std::uint32_t>(s.value);
    if ((set & kindMask) != 0) start &= ~kindMask;
    for (const StyleTerm &s : terms) {
      const auto bits = static_cast<std::uint32_t>(s.value);
      start = s.clear ? (start & ~bits) : (start | bits);
    }
    return start;
  }

  std::int16_t Coordinate(const char *what) {
    return static_cast<std::int16_t>(Value(what, -32768, 32767));
  }

  // Statements -------------------------------------------------------------
  void Statement() {
    const Token &first = Peek();
    if (IsWord(first, "LANGUAGE")) {
      Next();
      language_ = Language();
      return;
    }
    if (IsWord(first, "STRINGTABLE")) {
      Next();
      StringTable(first);
      return;
    }
    const ResourceId name = ResourceName();
    const Token &kind = Peek();
    if (IsWord(kind, "DIALOGEX")) {
      Next();
      DialogEx(name, first);
    } else if (IsWord(kind, "DIALOG")) {
      Fail(kind, "DIALOG templates are not supported; write DIALOGEX");
    } else if (IsWord(kind, "ICON")) {
      Next();
      Icon(name, first);
    } else if (kind.kind == Token::Name || kind.kind == Token::Number ||
               kind.kind == Token::String) {
      Next();
      ResourceId type;
      if (kind.kind == Token::Number) {
        if (kind.value < 1 || kind.value > 0xFFFF) Fail(kind, "resource type must be 1 to 65535");
        type = ResourceId::Int(static_cast<std::uint16_t>(kind.value));
      } else if (kind.text == "RT_MANIFEST") {
        type = ResourceId::Int(kRtManifest);
      } else if (kind.text == "RCDATA" || kind.text == "RT_RCDATA") {
        type = ResourceId::Int(kRtRcData);
      } else {
        type = StringId(kind);
      }
      UserResource(type, name, first);
    } else {
      Expected("a resource type after the resource name");
    }
  }

  ResourceId StringId(const Token &t) {
    auto text = vplat::StrictUtf16FromUtf8(t.text);
    if (!text || text->empty()) Fail(t, "resource name must be non-empty UTF-8");
    return ResourceId{true, 0, UpperAscii16(*text)};
  }

  // A number or known name gives an integer id; any other name or a string
  // names the resource.
  ResourceId ResourceName() {
    const Token &t = Peek();
    if (t.kind == Token::String) {
      Next();
      return StringId(t);
    }
    if (t.kind == Token::Name && !LookupSymbol(t.text)) {
      Next();
      return StringId(t);
    }
    if (t.kind == Token::Number || t.kind == Token::Name)
      return ResourceId::Int(static_cast<std::uint16_t>(Value("resource id", 1, 0xFFFF)));
    Expected("a statement (LANGUAGE, STRINGTABLE or a resource name)");
  }

  std::uint16_t Language() {
    const auto primary = Value("primary language", 0, 0x3FF);
    Comma("the sub-language");
    const auto sub = Value("sub-language", 0, 0x3F);
    return static_cast<std::uint16_t>((sub << 10) | primary);
  }

  void Add(Resource resource) {
    for (const Resource &r : out_->resources)
      if (r.type == resource.type && r.name == resource.name && r.language == resource.language)
        throw ScriptError(resource.line, "resource " + DescribeId(resource.name) + " of type " +
                                             DescribeId(resource.type) +
                                             " is already defined at line " +
                                             std::to_string(r.line));
    out_->resources.push_back(std::move(resource));
  }

  std::vector<std::uint8_t> ReadFile(const Token &at, const std::string &name, const char *what) {
    std::filesystem::path path(name);
    if (path.is_relative()) path = std::filesystem::path(baseDir_) / path;
    // Only a plain file: a folder opens but fails (with an exception) when
    // read, and a FIFO or a device may never end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
      Fail(at, std::string("cannot read ") + what + " '" + path.string() + "': " +
                   (ec                                  ? ec.message()
                    : std::filesystem::exists(path, ec) ? "not a file"
                                                        : "no such file"));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
      Fail(at, std::string("cannot read ") + what + " '" + path.string() +
                   "': " + std::strerror(errno));
    std::vector<std::uint8_t> data;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
      data.insert(data.end(), chunk, chunk + in.gcount());
    if (in.bad()) Fail(at, std::string("cannot read ") + what + " '" + path.string() + "'");
    out_->dependencies.push_back(std::filesystem::absolute(path).lexically_normal().string());
    return data;
  }

  void StringTable(const Token &statement) {
    std::uint16_t language = language_;
    if (IsWord(Peek(), "LANGUAGE")) {
      Next();
      language = Language();
    }
    Open("the string table");
    while (!AtClose(statement, "STRINGTABLE")) {
      const Token &at = Peek();
      const auto id = static_cast<std::uint16_t>(Value("string id", 0, 0xFFFF));
      AcceptPunct(',');
      std::u16string text = Text("the string's text");
      if (text.size() > 0xFFFF) Fail(at, "string is longer than 65535 UTF-16 units");
      const auto key = std::make_pair(language, id);
      if (auto seen = stringLines_.find(key); seen != stringLines_.end())
        Fail(at, "string " + std::to_string(id) + " is already defined at line " +
                     std::to_string(seen->second));
      stringLines_[key] = at.line;
      auto &block =
          stringBlocks_[std::make_pair(language, static_cast<std::uint16_t>(id / 16 + 1))];
      block.strings[id % 16] = std::move(text);
      if (block.line == 0) block.line = at.line;
    }
  }

  // Each block holds strings block*16-16 .. block*16-1, each as a length and
  // its UTF-16 units; absent strings have length 0.
  void EmitStringTables() {
    for (const auto &[key, block] : stringBlocks_) {
      ByteWriter w;
      for (const auto &s : block.strings) {
        w.U16(s ? static_cast<std::uint32_t>(s->size()) : 0);
        if (s)
          for (char16_t c : *s) w.U16(c);
      }
      Add(Resource{ResourceId::Int(kRtString), ResourceId::Int(key.second), key.first,
                   std::move(w.Data()), block.line});
    }
  }

  void DialogEx(const ResourceId &name, const Token &statement) {
    Dialog d;
    d.x = Coordinate("dialog x");
    Comma("the dialog's y");
    d.y = Coordinate("dialog y");
    Comma("the dialog's width");
    d.cx = Coordinate("dialog width");
    Comma("the dialog's height");
    d.cy = Coordinate("dialog height");
    if (AcceptPunct(',')) d.helpId = static_cast<std::uint32_t>(Value("help id", 0, 0xFFFFFFFF));
    std::uint16_t language = language_;
    std::optional<std::uint32_t> style;
    for (;;) {
      const Token &option = Peek();
      if (IsOpen(option)) break;
      if (IsWord(option, "STYLE")) {
        Next();
        style = Style(0, 0, StyleTerms(false));
      } else if (IsWord(option, "EXSTYLE")) {
        Next();
        d.exStyle = Style(0, 0, StyleTerms(false));
      } else if (IsWord(option, "CAPTION")) {
        Next();
        d.caption = Text("the caption");
      } else if (IsWord(option, "FONT")) {
        Next();
        DialogFont font;
        font.pointSize = static_cast<std::uint16_t>(Value("font size", 1, 0xFFFF));
        Comma("the font name");
        font.face = Text("the font name");
        if (AcceptPunct(',')) {
          font.weight = static_cast<std::uint16_t>(Value("font weight", 0, 1000));
          if (AcceptPunct(',')) {
            font.italic = static_cast<std::uint8_t>(Value("italic flag", 0, 1));
            if (AcceptPunct(','))
              font.charset = static_cast<std::uint8_t>(Value("character set", 0, 255));
          }
        }
        d.font = std::move(font);
      } else if (IsWord(option, "LANGUAGE")) {
        Next();
        language = Language();
      } else if (IsWord(option, "MENU") || IsWord(option, "CLASS") ||
                 IsWord(option, "CHARACTERISTICS") || IsWord(option, "VERSION")) {
        Fail(option, option.text + " is not supported in dialogs");
      } else {
        Expected("STYLE, EXSTYLE, CAPTION, FONT, LANGUAGE or BEGIN in dialog " + DescribeId(name));
      }
    }
    // Without STYLE a dialog is a bordered pop-up with a system menu.
    d.style = style.value_or(kWsPopup | kWsBorder | kWsSysMenu);
    if (d.font) d.style |= kDsSetFont;
    Open("the dialog's controls");
    while (!AtClose(statement, "dialog " + DescribeId(name))) d.controls.push_back(Control());
    if (d.controls.size() > 0xFFFF) Fail(statement, "too many controls");
    Add(Resource{ResourceId::Int(kRtDialog), name, language, EncodeDialogEx(d), statement.line});
  }

  DialogControl Control() {
    const Token &statement = Peek();
    if (statement.kind != Token::Name) Expected("a control statement or END");
    DialogControl c;
    if (statement.text == "CONTROL") {
      // CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
      Next();
      c.text = Text("the control's text");
      Comma("the control id");
      c.id = ControlId();
      Comma("the class");
      ClassOf(&c);
      Comma("the style");
      c.style = Style(kWsChild | kWsVisible, 0, StyleTerms(true));
      Comma("x");
      Rectangle(&c);
      if (AcceptPunct(',')) c.exStyle = Style(0, 0, StyleTerms(false));
      return c;
    }
    const ControlKind *kind = nullptr;
    for (const ControlKind &k : kControlKinds)
      if (statement.text == k.keyword) kind = &k;
    if (kind == nullptr) Fail(statement, "unknown control statement '" + statement.text + "'");
    // KIND ["text",] id, x, y, cx, cy [, style [, exstyle]]
    Next();
    if (kind->hasText) {
      c.text = Text("the control's text");
      Comma("the control id");
    }
    c.id = ControlId();
    c.classAtom = kind->atom;
    Comma("x");
    Rectangle(&c);
    c.style = kWsChild | kWsVisible | kind->style;
    if (AcceptPunct(',')) {
      c.style = Style(c.style, kind->kindMask, StyleTerms(true));
      if (AcceptPunct(',')) c.exStyle = Style(0, 0, StyleTerms(false));
    }
    return c;
  }

  std::uint32_t ControlId() {
    return static_cast<std::uint32_t>(Value("control id", -0x80000000LL, 0xFFFFFFFFLL) &
                                      0xFFFFFFFF);
  }

  void Rectangle(DialogControl *c) {
    c->x = Coordinate("control x");
    Comma("y");
    c->y = Coordinate("control y");
    Comma("the width");
    c->cx = Coordinate("control width");
    Comma("the height");
    c->cy = Coordinate("control height");
  }

  void ClassOf(DialogControl *c) {
    const Token &t = Peek();
    if (t.kind != Token::String && t.kind != Token::Name) Expected("a window class");
    Next();
    const std::string upper = UpperAscii(t.text);
    for (const ClassName &n : kClassNames)
      if (upper == n.name) {
        c->classAtom = n.atom;
        return;
      }
    if (t.kind == Token::Name)
      Fail(t, "unknown window class '" + t.text + "'; write other classes as strings");
    auto name = vplat::StrictUtf16FromUtf8(t.text);
    if (!name || name->empty()) Fail(t, "window class must be non-empty UTF-8");
    c->className = *name;
  }

  // An .ico file becomes one RT_ICON resource per image, numbered from 1 in
  // the order of the script, and an RT_GROUP_ICON directory naming them.
  void Icon(const ResourceId &name, const Token &statement) {
    const Token &fileToken = Peek();
    const std::string file = Bytes("the icon file name");
    const std::vector<std::uint8_t> ico = ReadFile(fileToken, file, "icon file");
    auto u16 = [&](std::size_t at) { return std::uint32_t(ico[at] | (ico[at + 1] << 8)); };
    auto u32 = [&](std::size_t at) { return u16(at) | (u16(at + 2) << 16); };
    if (ico.size() < 6 || u16(0) != 0 || u16(2) != 1 || u16(4) == 0)
      Fail(fileToken, "'" + file + "' is not an icon file");
    const std::uint32_t count = u16(4);
    if (ico.size() < 6 + 16 * std::size_t(count)) Fail(fileToken, "'" + file + "' is cut short");
    ByteWriter group;
    group.U16(0);
    group.U16(1);
    group.U16(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t e = 6 + 16 * std::size_t(i);
      const std::uint32_t size = u32(e + 8), offset = u32(e + 12);
      if (size == 0 || offset > ico.size() || size > ico.size() - offset)
        Fail(fileToken,
             "image " + std::to_string(i + 1) + " of '" + file + "' lies outside the file");
      const std::uint16_t id = nextIconId_++;
      Add(Resource{ResourceId::Int(kRtIcon), ResourceId::Int(id), language_,
                   std::vector<std::uint8_t>(ico.begin() + offset, ico.begin() + offset + size),
                   statement.line});
      for (std::size_t k = 0; k < 12; ++k) group.U8(ico[e + k]);  // up to and including the size
      group.U16(id);
    }
    Add(Resource{ResourceId::Int(kRtGroupIcon), name, language_, std::move(group.Data()),
                 statement.line});
  }

  // A resource of any other type: the bytes of a file, or a data block.
  void UserResource(const ResourceId &type, const ResourceId &name, const Token &statement) {
    if (Peek().kind == Token::String) {
      const Token &fileToken = Peek();
      const std::string file = Bytes("the file name");
      Add(Resource{type, name, language_, ReadFile(fileToken, file, "file"), statement.line});
      return;
    }
    if (!IsOpen(Peek())) Expected("a file name or BEGIN to start the data of " + DescribeId(name));
    Next();
    ByteWriter w;
    while (!AtClose(statement, "data block " + DescribeId(name))) DataItem(w);
    Add(Resource{type, name, language_, std::move(w.Data()), statement.line});
  }

  // data item := ("BE32" | "BE16" | "LE32" | "LE16" | "BYTE") value {"," value}
  //            | "ALIGN" n | "string bytes" | ","
  void DataItem(ByteWriter &w) {
    const Token &t = Peek();
    if (t.kind == Token::String) {
      w.Bytes(Next().text);
      return;
    }
    if (AcceptPunct(',')) return;
    if (IsWord(t, "ALIGN")) {
      Next();
      w.Align(static_cast<std::size_t>(Value("alignment", 1, 4096)));
      return;
    }
    struct Width {
      const char *word;
      int bytes;
      bool big;
    };
    static constexpr Width kWidths[] = {{"BE32", 4, true},
                                        {"BE16", 2, true},
                                        {"LE32", 4, false},
                                        {"LE16", 2, false},
                                        {"BYTE", 1, false}};
    for (const Width &width : kWidths) {
      if (!IsWord(t, width.word)) continue;
      Next();
      const std::int64_t max = (std::int64_t(1) << (8 * width.bytes)) - 1;
      const std::int64_t min = -(std::int64_t(1) << (8 * width.bytes - 1));
      do {
        const auto v =
            static_cast<std::uint32_t>(Value(std::string(width.word) + " value", min, max));
        if (width.bytes == 1)
          w.U8(v);
        else if (width.bytes == 2)
          width.big ? w.BigU16(v) : w.U16(v);
        else
          width.big ? w.BigU32(v) : w.U32(v);
      } while (AcceptPunct(','));
      return;
    }
    Expected("BE32, BE16, LE32, LE16, BYTE, ALIGN, a string or END in a data block");
  }

  struct StringBlock {
    std::array<std::optional<std::u16string>, 16> strings;
    int line = 0;
  };

  std::vector<Token> t_;
  std::size_t pos_ = 0;
  std::string baseDir_;
  CompiledScript *out_;
  std::uint16_t language_ = 0;
  std::uint16_t nextIconId_ = 1;
  std::map<std::pair<std::uint16_t, std::uint16_t>, StringBlock>
      stringBlocks_;                                                    // (language, block)
  std::map<std::pair<std::uint16_t, std::uint16_t>, int> stringLines_;  // (language, id)
};

}  // namespace

std::string CompileError::Format() const {
  return file + ":" + std::to_string(line) + ": error: " + message;
}

bool CompileScript(std::string_view text, const std::string &fileName, const std::string &baseDir,
                   CompiledScript *out, CompileError *error) {
  CompiledScript script;
  try {
    Parser parser(Tokenize(text), baseDir, &script);
    parser.Run();
  } catch (const ScriptError &e) {
    if (error != nullptr) *error = CompileError{fileName, e.line, e.what()};
    return false;
  }
  *out = std::move(script);
  return true;
}

}  // namespace vardo::rc
