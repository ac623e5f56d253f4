// One PDF from a series of the host's SVG documents, a page each, drawn
// with librsvg onto cairo's PDF surface.
#pragma once

#include <string>
#include <vector>

namespace vardo::cli {

struct PdfPage {
  std::string svgPath;   // the document's file
  double width, height;  // the page in points, as the host measures the document
};

// Writes `pages` in order as the pages of `pdfPath`; fonts are embedded and
// pictures the documents link are drawn from their files wherever they lie.
// On failure (a document or a linked picture that cannot be read, a page
// that cannot be drawn, the PDF that cannot be written) returns false with
// *error saying which (the PDF may be incomplete).
bool WritePdf(const std::vector<PdfPage> &pages, const std::string &pdfPath, std::string *error);

}  // namespace vardo::cli
