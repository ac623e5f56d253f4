#include "lexer.h"

#include <cctype>

namespace vardo::rc {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<Token> Tokenize(std::string_view s) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++i;
    } else if (s.compare(i, 2, "//") == 0) {
      while (i < s.size() && s[i] != '\n') ++i;
    } else if (s.compare(i, 2, "/*") == 0) {
      const int start = line;
      i += 2;
      while (i < s.size() && s.compare(i, 2, "*/") != 0) {
        if (s[i] == '\n') ++line;
        ++i;
      }
      if (i >= s.size()) throw ScriptError(start, "comment is not closed");
      i += 2;
    } else if (IsNameStart(c)) {
      Token t{Token::Name, {}, 0, line};
      while (i < s.size() && IsNameChar(s[i])) t.text.push_back(s[i++]);
      tokens.push_back(std::move(t));
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      Token t{Token::Number, {}, 0, line};
      std::uint64_t value = 0;
      if (c == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        i += 2;
        int digits = 0;
        for (; i < s.size() && HexDigit(s[i]) >= 0; ++i, ++digits) {
          value = value * 16 + HexDigit(s[i]);
          if (value > 0xFFFFFFFFu) throw ScriptError(line, "number does not fit in 32 bits");
        }
        if (digits == 0) throw ScriptError(line, "hexadecimal number without digits");
      } else {
        for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
          value = value * 10 + (s[i] - '0');
          if (value > 0xFFFFFFFFu) throw ScriptError(line, "number does not fit in 32 bits");
        }
      }
      while (i < s.size() && (s[i] == 'L' || s[i] == 'l' || s[i] == 'U' || s[i] == 'u')) ++i;
      if (i < s.size() && IsNameChar(s[i]))
        throw ScriptError(line, std::string("unexpected '") + s[i] + "' after a number");
      t.value = static_cast<std::int64_t>(value);
      tokens.push_back(std::move(t));
    } else if (c == '"') {
      Token t{Token::String, {}, 0, line};
      ++i;
      for (;;) {
        if (i >= s.size() || s[i] == '\n') throw ScriptError(t.line, "string is not closed");
        const char d = s[i];
        if (d == '"') {
          if (i + 1 < s.size() && s[i + 1] == '"') {
            t.text.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (d != '\\') {
          t.text.push_back(d);
          ++i;
          continue;
        }
        if (i + 1 >= s.size()) throw ScriptError(line, "string is not closed");
        const char e = s[i + 1];
        i += 2;
        switch (e) {
          case '"': t.text.push_back('"'); break;
          case '\\': t.text.push_back('\\'); break;
          case 'n': t.text.push_back('\n'); break;
          case 'r': t.text.push_back('\r'); break;
          case 't': t.text.push_back('\t'); break;
          case '0': t.text.push_back('\0'); break;
          case 'x': {
            const int hi = i < s.size() ? HexDigit(s[i]) : -1;
            const int lo = i + 1 < s.size() ? HexDigit(s[i + 1]) : -1;
            if (hi < 0 || lo < 0) throw ScriptError(line, "\\x needs two hexadecimal digits");
            t.text.push_back(static_cast<char>(hi * 16 + lo));
            i += 2;
            break;
          }
          default: throw ScriptError(line, std::string("unknown escape \\") + e + " in string");
        }
      }
      tokens.push_back(std::move(t));
    } else if (c == '\'') {
      Token t{Token::CharCode, {}, 0, line};
      ++i;
      std::uint32_t value = 0;
      int count = 0;
      for (; i < s.size() && s[i] != '\'' && s[i] != '\n'; ++i, ++count) {
        if (static_cast<unsigned char>(s[i]) >= 0x80)
          throw ScriptError(line, "character code must be ASCII");
        value = (value << 8) | static_cast<unsigned char>(s[i]);
      }
      if (i >= s.size() || s[i] != '\'') throw ScriptError(line, "character code is not closed");
      ++i;
      if (count != 4) throw ScriptError(line, "character code must have exactly 4 characters");
      t.value = value;
      tokens.push_back(std::move(t));
    } else if (std::string_view(",|(){}-+~").find(c) != std::string_view::npos) {
      tokens.push_back(Token{Token::Punct, std::string(1, c), 0, line});
      ++i;
    } else if (c == '#') {
      throw ScriptError(line, "preprocessor lines are not supported");
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      throw ScriptError(line, "text outside a string must be ASCII");
    } else {
      throw ScriptError(line, std::string("unexpected character '") + c + "'");
    }
  }
  tokens.push_back(Token{Token::End, {}, 0, line});
  return tokens;
}

}  // namespace vardo::rc
