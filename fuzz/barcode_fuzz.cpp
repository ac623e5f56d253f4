// Barcode elements with arbitrary attributes and data: drawing must never
// fail or touch memory outside its buffers (the fuzz build runs under
// AddressSanitizer and UndefinedBehaviorSanitizer); a refusal gives a
// reason, and a drawing lies inside its own width and height.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <cmath>
#include <string>
#include <vector>

#include "barcode.h"

namespace {

[[noreturn]] void Fail(const char *what) {
  fprintf(stderr, "fuzz: %s\n", what);
  abort();
}

const char *const kTypes[] = {"JAN_LONG",
                              "JAN_SHORT",
                              "JAN_ISBN",
                              "UPC_A",
                              "UPC_E",
                              "UPC_ADDON",
                              "JAN_LONG_OCR",
                              "JAN_SHORT_OCR",
                              "UPC_A_OCR",
                              "IDENTICON_INDUSTRIAL",
                              "IATA_WALLACE",
                              "COMPUTER_IDENTICS",
                              "MATRIX_2OF5",
                              "INTERLEAVED_2OF5",
                              "NEC_2OF5",
                              "UPC_ITF",
                              "ANSI_CODABAR",
                              "CODE39",
                              "CODE11",
                              "CODE93",
                              "CODE128",
                              "EAN128",
                              "POSTAL",
                              "RSS_14",
                              "RSS_LIMITED",
                              "RSS_EXPANDED",
                              "RSS_14_TRUNCATED",
                              "RSS_14_STACKED",
                              "RSS_14_OMNIDIRCTIONAL",
                              "QRCODE"};

// An attribute's values: a one-byte value picks one of `choices` (or, for
// a number, stands for byte / 16), anything longer is taken as it is.
struct Slot {
  const char *name;
  std::vector<const char *> choices;  // empty for a number
};

const Slot kSlots[] = {
    {"ELEMENTSIZE", {}},
    {"TRUNCHEIGHT", {}},
    {"CELLSIZE", {}},
    {"CHECKDIGIT", {"TRUE", "FALSE"}},
    {"SHOWHRTEXT", {"TRUE", "FALSE"}},
    {"TOJI", {"LEFT", "RIGHT"}},
    {"ECCLEVEL", {"L", "M", "Q", "H"}},
    {"VERSION", {"AUTO", "1", "2", "5", "10", "40"}},
    {"ENCODEMODE", {"AUTO", "NUMERIC", "ASCII", "BINARY", "KANJI", "MIXED"}},
    {"ITEM", {""}},
};

}  // namespace

// The input: a byte choosing TYPE, then NUL-separated values for the slots
// above in order (an empty one leaves its attribute out), then the data.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  ElementAttributes attributes;
  attributes.emplace_back("TYPE", kTypes[data[0] % (sizeof kTypes / sizeof *kTypes)]);
  const std::string rest(reinterpret_cast<const char *>(data) + 1, size - 1);
  size_t at = 0;
  for (const Slot &slot : kSlots) {
    const size_t end = rest.find('\0', at);
    if (end == std::string::npos) break;
    const std::string value = rest.substr(at, end - at);
    at = end + 1;
    if (value.empty()) continue;
    if (value.size() == 1 && slot.choices.empty()) {
      attributes.emplace_back(slot.name, std::to_string(uint8_t(value[0]) / 16.0));
    } else if (value.size() == 1 && slot.choices.size() > 1) {
      attributes.emplace_back(slot.name, slot.choices[uint8_t(value[0]) % slot.choices.size()]);
    } else {
      attributes.emplace_back(slot.name, value);
    }
  }
  attributes.emplace_back("DATA", at <= rest.size() ? rest.substr(at) : std::string());

  BarcodeDrawing drawing;
  std::string reason;
  std::vector<std::string> notes;
  if (!DrawBarcode(attributes, &drawing, &reason, &notes)) {
    if (reason.empty()) Fail("a refusal without a reason");
    return 0;
  }
  if (!(drawing.width > 0) || !(drawing.height > 0) || !(drawing.moduleMm > 0))
    Fail("an empty drawing");
  if (drawing.bars.empty()) Fail("a symbol without bars");
  const double slack = 1e-3;
  auto inside = [&](const Outline &o, bool exact) {
    size_t points = 0;
    for (char op : o.ops) points += op == 'C' ? 3 : op == 'Z' ? 0 : 1;
    if (points != o.points.size()) Fail("operations and points disagree");
    for (const auto &[x, y] : o.points) {
      if (!std::isfinite(x) || !std::isfinite(y)) Fail("a point that is not finite");
      // Glyphs may reach a little past their advance; bars may not.
      const double margin = exact ? slack : drawing.height;
      if (x < -margin || y < -margin || x > drawing.width + margin || y > drawing.height + margin)
        Fail("a point outside the drawing");
    }
  };
  for (const Outline &bar : drawing.bars) inside(bar, true);
  inside(drawing.text, false);
  return 0;
}
