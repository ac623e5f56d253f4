// Tokens of a resource script.
#ifndef VARDO_RESOURCES_RC_LEXER_H
#define VARDO_RESOURCES_RC_LEXER_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vardo::rc {

// Thrown by the lexer and parser; CompileScript turns it into a CompileError.
struct ScriptError : std::runtime_error {
  ScriptError(int line, const std::string &message) : std::runtime_error(message), line(line) {}
  int line;
};

struct Token {
  enum Kind { End, Name, Number, String, CharCode, Punct } kind = End;
  std::string text;  // Name: the identifier; String: the bytes after escapes; Punct: the character
  std::int64_t value = 0;  // Number and CharCode
  int line = 0;
};

// Splits UTF-8 script text into tokens. Comments are // to the end of the
// line and /* */. Numbers are decimal or 0x hexadecimal, with an optional
// L or U suffix. Strings take \" or "" for a quote, \\, \n, \r, \t, \0 and
// \xHH. 'ABCD' is a four-character code: its bytes as a big-endian number.
std::vector<Token> Tokenize(std::string_view text);

}  // namespace vardo::rc

#endif
