// The text lines of a barcode drawing as glyph outlines, so that every
// viewer and printer shows the digits alike whatever fonts it has.
#pragma once

#include <string>

#include "barcode.h"

// Appends to *out (when not null) the outlines of `text` (UTF-8) shaped in
// the face of `family` at `size` mm to the em, its baseline starting at
// (x, baseline) in mm, y downward; returns its advance in mm. A family
// fontconfig lacks falls back to its default sans-serif face; a glyph the
// face lacks draws as the face's own missing-glyph shape. Returns 0 and
// draws nothing when no face can be loaded at all.
double OutlineText(const std::string &text, const std::string &family, double size, double x,
                   double baseline, Outline *out);
