// The script grammar as the engine reads it: literal text, paragraph ends,
// field references "[name]", <font ...> runs, and the picture and barcode
// elements with their optional one-cell table. A script is parsed into a
// tree once; record values are put in only when the tree is rendered, so a
// value is never read as mark-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AIColor.h"

// The features a <font> tag sets, each with its bit in `assigned`.
enum FontAttributeBit : uint32_t {
  kFontFace = 1u << 0,
  kFontSize = 1u << 1,
  kFontLeading = 1u << 2,
  kFontTracking = 1u << 3,
  kFontLineWidth = 1u << 4,
  kFontBaselineShift = 1u << 5,
  kFontScale = 1u << 6,
  kFontFillColor = 1u << 7,
  kFontStrokeColor = 1u << 8,
};

struct FontStyle {
  uint32_t assigned = 0;
  std::string face;                               // UTF-8
  double size = 0, leading = 0;                   // points
  int32_t tracking = 0;                           // 1/1000 em
  double lineWidth = 0;                           // points; also turns the stroke on
  double baselineShift = 0;                       // points, upward
  double horizontalScale = 1, verticalScale = 1;  // 1 is 100 %
  AIColor fill{}, stroke{};                       // gray, four- or three-colour
};

// `inner` over `outer`: what inner assigns wins.
FontStyle MergeFontStyles(const FontStyle &outer, const FontStyle &inner);

// A cell of the one-cell table around a picture or barcode element.
struct CellLayout {
  double width = 0, height = 0;  // points; 0 when not given
  enum Align { kLeft, kCenter, kRight } align = kLeft;
  enum VAlign { kTop, kMiddle, kBottom } valign = kTop;
};

struct ScriptNode {
  enum Kind {
    kRoot,
    kText,       // `text`: literal UTF-8 bytes
    kParagraph,  // a paragraph end
    kField,      // `text`: the field's name
    kFont,       // `style`, `children`
    kPicture,    // `attributes` (SRC), `cell`
    kBarcode,    // `attributes` as written, `cell`
  } kind = kText;
  std::string text;
  FontStyle style;
  CellLayout cell;
  // Attribute names upper-cased, values as written (quotes removed); a
  // value may hold field references.
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<int> children;  // indices into ScriptTree::nodes
};

// What was wrong with the mark-up; the offending bytes print as text.
struct MarkupProblem {
  size_t offset = 0;  // byte offset in the script
  std::string detail;
};

struct ScriptTree {
  std::vector<ScriptNode> nodes;  // nodes[0] is the root
  std::vector<MarkupProblem> problems;
};

// Parses `size` bytes of `script` (UTF-8, CR paragraph ends; a lone LF and
// CR LF end a paragraph too). Never fails: text that is not mark-up the
// engine knows (an unknown tag, a tag without its '>', a '[' without its
// ']', a </font> with nothing open, a bad attribute) is kept as literal text
// and described in `problems`. A <font> left open runs to the end and is
// reported.
ScriptTree ParseScript(const char *script, size_t size);

// The value of attribute `name` (upper case) of a node, or null.
const std::string *FindAttribute(const ScriptNode &node, const char *name);

// Splits an attribute value into literal pieces and field names: calls
// `literal` and `field` in order. A '[' without a ']' is literal.
template <typename Literal, typename Field>
void SplitFieldReferences(const std::string &value, Literal literal, Field field) {
  size_t at = 0;
  while (at < value.size()) {
    const size_t open = value.find('[', at);
    const size_t close = open == std::string::npos ? open : value.find(']', open + 1);
    if (close == std::string::npos) {
      literal(value.substr(at));
      return;
    }
    if (open > at) literal(value.substr(at, open - at));
    field(value.substr(open + 1, close - open - 1));
    at = close + 1;
  }
}
