// The names a script may use in expressions: window, dialog and control
// styles, dialog ids, languages and character sets, with their Windows
// values.
#ifndef VARDO_RESOURCES_RC_SYMBOLS_H
#define VARDO_RESOURCES_RC_SYMBOLS_H

#include <cstdint>
#include <optional>
#include <string_view>

namespace vardo::rc {

std::optional<std::int64_t> LookupSymbol(std::string_view name);

}  // namespace vardo::rc

#endif
