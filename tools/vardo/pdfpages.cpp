#include "pdfpages.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

namespace vardo::cli {

bool WritePdf(const std::vector<PdfPage> &pages, const std::string &pdfPath, std::string *error) {
  if (pages.empty()) {
    *error = "no documents to write";
    return false;
  }
  cairo_surface_t *surface =
      cairo_pdf_surface_create(pdfPath.c_str(), pages[0].width, pages[0].height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    *error = "cannot write " + pdfPath + ": " +
             cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return false;
  }
  cairo_t *cr = cairo_create(surface);
  bool ok = true;
  for (const PdfPage &page : pages) {
    cairo_pdf_surface_set_size(surface, page.width, page.height);
    GError *failure = nullptr;
    RsvgHandle *svg = rsvg_handle_new_from_file(page.svgPath.c_str(), &failure);
    if (!svg) {
      *error = page.svgPath + ": " + (failure ? failure->message : "cannot be read");
      if (failure) g_error_free(failure);
      ok = false;
      break;
    }
    // One user unit of the document is one point of the page.
    const RsvgRectangle viewport{0, 0, page.width, page.height};
    if (!rsvg_handle_render_document(svg, cr, &viewport, &failure)) {
      *error = page.svgPath + ": " + (failure ? failure->message : "cannot be drawn");
      if (failure) g_error_free(failure);
      g_object_unref(svg);
      ok = false;
      break;
    }
    g_object_unref(svg);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (ok && cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    *error = "cannot write " + pdfPath + ": " +
             cairo_status_to_string(cairo_surface_status(surface));
    ok = false;
  }
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace vardo::cli
