#include "pdfpages.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

#include "document.h"
#include "documentpictures.h"

namespace vardo::cli {

bool WritePdf(const std::vector<PdfPage> &pages, const std::string &pdfPath, std::string *error) {
  if (pages.empty()) {
    *error = "no documents to write";
    return false;
  }
  cairo_surface_t *surface =
      cairo_pdf_surface_create(pdfPath.c_str(), pages[0].width, pages[0].height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    *error =
        "cannot write " + pdfPath + ": " + cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return false;
  }
  cairo_t *cr = cairo_create(surface);
  bool ok = true;
  for (const PdfPage &page : pages) {
    cairo_pdf_surface_set_size(surface, page.width, page.height);
    // librsvg follows no link out of the document's folder, and the pictures
    // of a merge usually lie elsewhere: it draws a copy of the document with
    // the bytes of every linked picture in place.
    auto doc = vhost::Document::Load(page.svgPath, error);
    if (!doc) {
      ok = false;
      break;
    }
    std::vector<std::string> unread;
    vhost::EmbedLinkedPictures(*doc, &unread);
    if (!unread.empty()) {
      *error = page.svgPath + ": cannot read the picture " + unread.front();
      ok = false;
      break;
    }
    const std::string text = doc->Serialize();
    GError *failure = nullptr;
    // Based on the document's file, so the template's own relative links
    // still resolve as they would from the file.
    GInputStream *stream = g_memory_input_stream_new_from_data(text.data(), text.size(), nullptr);
    GFile *base = g_file_new_for_path(page.svgPath.c_str());
    RsvgHandle *svg =
        rsvg_handle_new_from_stream_sync(stream, base, RSVG_HANDLE_FLAGS_NONE, nullptr, &failure);
    g_object_unref(base);
    g_object_unref(stream);
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
    *error =
        "cannot write " + pdfPath + ": " + cairo_status_to_string(cairo_surface_status(surface));
    ok = false;
  }
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace vardo::cli
