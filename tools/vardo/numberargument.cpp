#include "numberargument.h"

namespace vardo::cli {

bool ParseDecimalNumber(std::string_view text, long long max, long long *value) {
  if (text.empty()) return false;
  long long n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    int digit = c - '0';
    if (n > max / 10 || 10 * n > max - digit) return false;
    n = 10 * n + digit;
  }
  *value = n;
  return true;
}

CLI::Option *AddNumberArgument(CLI::App *command, const std::string &name, long long *value,
                               long long max, const std::string &description) {
  auto parse = [name, value, max](const std::string &text) {
    if (!ParseDecimalNumber(text, max, value))
      throw CLI::ValidationError(name, "'" + text + "' is not a decimal number from 0 to " +
                                           std::to_string(max) + " (digits 0-9 only)");
  };
  return command->add_option_function<std::string>(name, parse, description)->required();
}

CLI::Option *AddNumberOption(CLI::App *command, const std::string &name, long *value, long max,
                             const std::string &description) {
  auto parse = [name, value, max](const std::string &text) {
    long long n = 0;
    if (!ParseDecimalNumber(text, max, &n))
      throw CLI::ValidationError(name, "'" + text + "' is not a decimal number from 0 to " +
                                           std::to_string(max) + " (digits 0-9 only)");
    *value = static_cast<long>(n);
  };
  return command->add_option_function<std::string>(name, parse, description);
}

}  // namespace vardo::cli
