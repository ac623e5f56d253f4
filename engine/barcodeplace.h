// A barcode element put into the document where its frame was.
#pragma once

#include <string>
#include <vector>

#include "VardoEngine.h"
#include "scriptrender.h"

struct BarcodeProblem {
  const char *kind;  // kVardoProblem...
  std::string detail;
};

// Draws `element` (a rendered barcode element) as a group right above
// `frame`: a white background over the symbol and its quiet zones, one path
// of every bar or module, one of the text lines' glyphs. The drawing keeps
// its size in millimetres and is aligned by ALIGN and VALIGN in the cell's
// WIDTH × HEIGHT, or in the frame's box (its bounds for point text). Returns
// the problems met: bad data (nothing drawn), a drawing larger than its box
// (drawn all the same), an attribute that does not apply.
std::vector<BarcodeProblem> PlaceBarcode(const VardoEngineSuite &engine, AIArtHandle frame,
                                         const RenderedElement &element);
