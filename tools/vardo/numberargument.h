// Numbers on the command line: record and column numbers, and whatever
// count a command takes. They are decimal, always: "010" is ten, never an
// octal eight, and anything but digits is refused rather than read as
// something else.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

namespace vardo::cli {

// Whether text is a decimal number from 0 to max: one or more of the digits
// 0-9 and nothing else (leading zeros allowed). Stores it in *value when it
// is; leaves *value alone and returns false for an empty text, a sign, a
// space or any other character, or a number above max.
bool ParseDecimalNumber(std::string_view text, long long max, long long *value);

// Adds to command the required positional argument `name`, whose text must
// be such a number; the parser refuses anything else with a message that
// names the argument and shows the text (exit status non-zero). The number
// goes to *value.
CLI::Option *AddNumberArgument(CLI::App *command, const std::string &name, long long *value,
                               long long max, const std::string &description);

// Adds to command the option `name` (say "--record"), whose text must be
// such a number; refused like the argument above. The number goes to *value only when the option is
// given.
CLI::Option *AddNumberOption(CLI::App *command, const std::string &name, long *value, long max,
                             const std::string &description);

}  // namespace vardo::cli
