// A barcode or QR-code element drawn as filled outlines in millimetres:
// the symbol from zint (its bars or modules, its quiet zones, its
// human-readable line) and the element's ITEM line, ready to be placed.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Filled outlines: 'M', 'L', 'C' (two control points and the end), 'Z',
// points in millimetres from the drawing's top left, y downward.
struct Outline {
  std::string ops;
  std::vector<std::pair<double, double>> points;
  void Rect(double x, double y, double width, double height);
};

struct BarcodeDrawing {
  double width = 0, height = 0;  // mm, quiet zones and text lines included
  double moduleMm = 0;           // the module (X, or a QR cell) drawn
  // The symbol's own rectangles, as zint gives them (mm, same origin), so
  // that tests can read the bars back.
  std::vector<Outline> bars;  // one rectangle each
  Outline text;               // every text line's glyphs
};

typedef std::vector<std::pair<std::string, std::string>> ElementAttributes;

// The value of the attribute `name` (upper case), or null when it is not
// given; the first of two that share a name.
const std::string *FindAttribute(const ElementAttributes &attributes, const char *name);
// `text` with a to z made capitals; every other byte as it is.
std::string UpperAscii(std::string text);

// Draws the barcode element with `attributes` (names upper case, field
// references resolved). On success fills *out and returns true, with
// *notes holding what was taken in another way than written (an attribute
// that does not apply), if anything. Bad data, a kind the engine does not
// draw or an attribute it cannot read: false with the reason in *reason,
// nothing drawn.
bool DrawBarcode(const ElementAttributes &attributes, BarcodeDrawing *out, std::string *reason,
                 std::vector<std::string> *notes);
