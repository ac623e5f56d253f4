// Rendering a parsed script for one record: field references become the
// record's values (as plain text, never as mark-up), <font> nodes become
// styled runs over the text, and the first picture or barcode element is
// handed on with its attribute values' fields resolved.
#pragma once

#include <string>
#include <vector>

#include "scriptmarkup.h"

// Asks the system for field `name` (UTF-8) of the record being composed.
// Stores the value (UTF-8) and returns true, or returns false when there is
// no such field.
typedef bool (*FieldLookup)(void *context, const std::string &name, std::string *value);

// Units [start, end) of the text in `style` (the <font> nodes around them
// merged, innermost winning). Runs are in order and do not overlap; text in
// no run keeps the frame's own style.
struct StyledRun {
  size_t start = 0, end = 0;
  FontStyle style;
};

struct RenderedElement {
  bool present = false;
  // Attributes with their field references resolved (SRC, DATA, ITEM, ...).
  std::vector<std::pair<std::string, std::string>> attributes;
  CellLayout cell;
};

struct RenderedScript {
  std::u16string text;  // UTF-16, CR paragraph ends
  std::vector<StyledRun> runs;
  RenderedElement picture, barcode;        // at most one of the two is present
  std::vector<std::string> unknownFields;  // names the lookup did not know, in order
  std::vector<std::string> problems;       // mark-up met while rendering
};

// Renders `tree` through `lookup`. Never fails; a field the lookup does not
// know renders empty and is listed in unknownFields. A value's CR LF and LF
// become CR, so a value's line breaks are paragraph ends of the frame.
void RenderScript(const ScriptTree &tree, FieldLookup lookup, void *context, RenderedScript *out);

// UTF-8 to UTF-16, each byte that starts no valid sequence becoming U+FFFD.
void AppendUtf16(const std::string &utf8, std::u16string *out);
// UTF-16 to UTF-8, a lone surrogate becoming U+FFFD.
std::string Utf8(const std::u16string &text);
// The same bytes with every one that starts no valid sequence as U+FFFD.
std::string ValidUtf8(const std::string &bytes);
