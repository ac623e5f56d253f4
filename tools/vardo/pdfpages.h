// One PDF from a series of the host's SVG documents, a page each, drawn
// with librsvg onto cairo's PDF surface.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vardo::cli {

// Writes pages as they are given, drawing them on a thread of its own: a
// merge goes on composing the next documents while the PDF is drawn. The
// PDF is held in memory until it is saved whole. Each
// page is the page size of its document; fonts are embedded, and pictures
// the document links are drawn from their files wherever they lie.
class PdfWriter {
 public:
  explicit PdfWriter(std::string pdfPath);
  // Stops drawing (after the page in hand) if Finish was not called.
  ~PdfWriter();
  PdfWriter(const PdfWriter &) = delete;
  PdfWriter &operator=(const PdfWriter &) = delete;

  // Reads the document at svgPath on the caller's thread (the host's
  // documents belong to one thread), with the bytes of its linked pictures
  // put in, and queues it as the next page; waits while a few pages are
  // already waiting, so that memory stays flat. False with *error, and
  // nothing queued, when the document or a picture cannot be read or an
  // earlier page failed.
  bool Add(const std::string &svgPath, std::string *error);
  // Waits until every page given so far is drawn. False with *error when a
  // page failed.
  bool Drain(std::string *error);
  // Draws what is left, then saves the PDF whole over pdfPath (with
  // vplat::SaveFile). False with *error for the first failure (a page that
  // cannot be drawn, the PDF that cannot be saved); the file at pdfPath is
  // then as it was.
  bool Finish(std::string *error);
  // Pages given so far.
  size_t Pages() const { return given_; }

 private:
  struct Page {
    std::string text;  // the document, ready for librsvg
    std::string file;  // where it lies, for its relative links and messages
    double width, height;
  };
  void Draw();

  std::string pdfPath_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Page> queue_;
  bool busy_ = false;     // the drawer holds a page
  bool closing_ = false;  // no more pages come
  bool stop_ = false;     // draw nothing more
  std::string failure_;   // the first failure, drawing or closing
  std::string bytes_;     // the PDF as cairo writes it, saved whole at the end
  size_t given_ = 0;
  std::thread drawer_;
};

// Writes the documents `files` in order as the pages of `pdfPath`. False
// with *error saying which document or picture could not be read, which
// page could not be drawn, or that the PDF could not be written.
bool WritePdf(const std::vector<std::string> &files, const std::string &pdfPath,
              std::string *error);

}  // namespace vardo::cli
