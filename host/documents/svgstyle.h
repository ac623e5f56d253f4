// CSS as SVG files carry it: the declarations of a `style` attribute, kept in
// their order so that an edit changes only the property it touches, and the
// lengths and colours the document reads from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vhost::svg {

class StyleDeclarations {
 public:
  StyleDeclarations() = default;
  // Splits "name: value; ..." at semicolons outside quotes and parentheses.
  // Names are lower-cased; a declaration without a colon is dropped.
  explicit StyleDeclarations(std::string_view text);

  // The last value given for `name`, trimmed; nullopt when absent.
  std::optional<std::string> Get(std::string_view name) const;
  // Replaces the value in place, or appends the declaration.
  void Set(std::string_view name, std::string_view value);
  // Removes every declaration of `name`; whether there was one.
  bool Remove(std::string_view name);
  bool Empty() const { return entries_.empty(); }
  // "a:b;c:d", as Inkscape writes it.
  std::string ToString() const;
  const std::vector<std::pair<std::string, std::string>> &Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

std::string_view Trim(std::string_view text);

// A CSS length in user units (px). Units: none, px, pt, pc, mm, cm, in, em
// (against `fontSize`), ex (half an em) and % (against `percentBase`).
bool ParseLength(std::string_view text, double fontSize, double percentBase, double *out);

struct Rgb8 {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb8 &) const = default;
};
// "#rgb", "#rrggbb", "rgb(r, g, b)" with integers or percentages, and the
// sixteen basic colour names with orange, gray/grey. False for anything else
// (none, url(...), currentColor are the caller's).
bool ParseCssColor(std::string_view text, Rgb8 *out);
// "#rrggbb", lower case.
std::string FormatCssColor(Rgb8 rgb);

// The first family of a font-family list, quotes removed.
std::string FirstFontFamily(std::string_view list);
// A family name as a font-family value: bare when it is a plain identifier
// sequence, otherwise in single quotes.
std::string QuoteFontFamily(std::string_view family);

}  // namespace vhost::svg
