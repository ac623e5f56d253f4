#include "pdfpages.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <vplatform/savefile.h>

#include <cstring>
#include <utility>

#include "document.h"
#include "documentpictures.h"

namespace vardo::cli {

namespace {

// Pages read but not yet drawn: enough to keep the drawer busy while the
// next document is composed, few enough that memory does not grow with the
// run.
constexpr size_t kWaitingPages = 4;

std::string SurfaceFailure(const std::string &pdfPath, cairo_surface_t *surface) {
  return "cannot write " + pdfPath + ": " + cairo_status_to_string(cairo_surface_status(surface));
}

cairo_status_t Collect(void *closure, const unsigned char *data, unsigned int length) {
  static_cast<std::string *>(closure)->append(reinterpret_cast<const char *>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// Draws one page onto the surface; false with *error when librsvg cannot
// read or draw it.
bool DrawPage(cairo_t *cr, cairo_surface_t *surface, const std::string &text,
              const std::string &file, double width, double height, std::string *error) {
  cairo_pdf_surface_set_size(surface, width, height);
  GError *failure = nullptr;
  // Based on the document's file, so the template's own relative links
  // still resolve as they would from the file.
  GInputStream *stream = g_memory_input_stream_new_from_data(text.data(), text.size(), nullptr);
  GFile *base = g_file_new_for_path(file.c_str());
  RsvgHandle *svg =
      rsvg_handle_new_from_stream_sync(stream, base, RSVG_HANDLE_FLAGS_NONE, nullptr, &failure);
  g_object_unref(base);
  g_object_unref(stream);
  if (!svg) {
    *error = file + ": " + (failure ? failure->message : "cannot be read");
    if (failure) g_error_free(failure);
    return false;
  }
  // One user unit of the document is one point of the page.
  const RsvgRectangle viewport{0, 0, width, height};
  const bool drawn = rsvg_handle_render_document(svg, cr, &viewport, &failure);
  if (!drawn) {
    *error = file + ": " + (failure ? failure->message : "cannot be drawn");
    if (failure) g_error_free(failure);
  }
  g_object_unref(svg);
  if (drawn) cairo_show_page(cr);
  return drawn;
}

}  // namespace

PdfWriter::PdfWriter(std::string pdfPath) : pdfPath_(std::move(pdfPath)) {}

PdfWriter::~PdfWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = closing_ = true;
  }
  changed_.notify_all();
  if (drawer_.joinable()) drawer_.join();
}

bool PdfWriter::Add(const std::string &svgPath, std::string *error) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failure_.empty()) {
      *error = failure_;
      return false;
    }
  }
  auto doc = vhost::Document::Load(svgPath, error);
  if (!doc) {
    *error = "cannot read " + svgPath + ": " + *error;
    return false;
  }
  // librsvg follows no link out of the document's folder, and the pictures
  // of a merge usually lie elsewhere: it draws a copy of the document with
  // the bytes of every linked picture in place.
  std::vector<std::string> unread;
  vhost::EmbedLinkedPictures(*doc, &unread);
  if (!unread.empty()) {
    *error = svgPath + ": cannot read the picture " + unread.front();
    return false;
  }
  const AIRealRect page = doc->PageBounds();
  Page next{doc->Serialize(), svgPath, page.right - page.left, page.top - page.bottom};
  doc.reset();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return queue_.size() < kWaitingPages || !failure_.empty(); });
  if (!failure_.empty()) {
    *error = failure_;
    return false;
  }
  queue_.push_back(std::move(next));
  ++given_;
  if (!drawer_.joinable()) drawer_ = std::thread(&PdfWriter::Draw, this);
  lock.unlock();
  changed_.notify_all();
  return true;
}

bool PdfWriter::Drain(std::string *error) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return (queue_.empty() && !busy_) || !failure_.empty(); });
  if (failure_.empty()) return true;
  *error = failure_;
  return false;
}

bool PdfWriter::Finish(std::string *error) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  if (drawer_.joinable()) drawer_.join();
  if (given_ == 0 && failure_.empty()) failure_ = "no documents to write";
  // The whole PDF replaces the file in one step, through the one save of
  // every file: a run that fails leaves an earlier PDF as it was.
  if (failure_.empty()) {
    if (const int e = vplat::SaveFile(pdfPath_, bytes_.data(), bytes_.size()))
      failure_ = "cannot write " + pdfPath_ + ": " + std::strerror(e);
  }
  bytes_.clear();
  bytes_.shrink_to_fit();
  if (failure_.empty()) return true;
  *error = failure_;
  return false;
}

void PdfWriter::Draw() {
  cairo_surface_t *surface = nullptr;
  cairo_t *cr = nullptr;
  std::string failure;
  for (;;) {
    Page page;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      busy_ = false;
      if (!failure.empty() && failure_.empty()) failure_ = failure;
      changed_.notify_all();
      changed_.wait(lock, [&] { return !queue_.empty() || closing_; });
      if (stop_ || !failure_.empty() || queue_.empty()) break;
      page = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
    }
    changed_.notify_all();
    if (!surface) {
      surface = cairo_pdf_surface_create_for_stream(Collect, &bytes_, page.width, page.height);
      if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        failure = SurfaceFailure(pdfPath_, surface);
        continue;
      }
      cr = cairo_create(surface);
    }
    DrawPage(cr, surface, page.text, page.file, page.width, page.height, &failure);
  }
  if (cr) cairo_destroy(cr);
  if (surface) {
    cairo_surface_finish(surface);
    std::lock_guard<std::mutex> lock(mutex_);
    if (failure_.empty() && cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
      failure_ = SurfaceFailure(pdfPath_, surface);
    cairo_surface_destroy(surface);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  busy_ = false;
  changed_.notify_all();
}

bool WritePdf(const std::vector<std::string> &files, const std::string &pdfPath,
              std::string *error) {
  PdfWriter writer(pdfPath);
  for (const std::string &file : files) {
    if (!writer.Add(file, error)) return false;
  }
  return writer.Finish(error);
}

}  // namespace vardo::cli
