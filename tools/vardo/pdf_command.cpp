// vardo pdf OUT.pdf DOC.svg...: documents, such as the outputs of the
// shards of a merge, joined as the pages of one PDF in the order of their
// names with numbers read as numbers, so card_1002.svg follows card_995.svg
// as it does in the run that made them.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "commands.h"
#include "document.h"
#include "pdfpages.h"

namespace vardo::cli {

namespace {

namespace fs = std::filesystem;

// Whether a comes before b when runs of digits compare by their value.
bool NameBefore(const std::string &a, const std::string &b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
    const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
    if (da && db) {
      size_t ei = i, ej = j;
      while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
      while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
      // Leading zeros do not count: the longer run of significant digits is larger.
      size_t si = i, sj = j;
      while (si + 1 < ei && a[si] == '0') ++si;
      while (sj + 1 < ej && b[sj] == '0') ++sj;
      if (ei - si != ej - sj) return ei - si < ej - sj;
      const int order = a.compare(si, ei - si, b, sj, ej - sj);
      if (order != 0) return order < 0;
      i = ei;
      j = ej;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
  return a < b;  // names equal but for leading zeros keep a fixed order
}

}  // namespace

void AddPdfCommand(CLI::App &app) {
  struct Options {
    std::string pdf;
    std::vector<std::string> documents;
  };
  auto o = std::make_shared<Options>();
  CLI::App *pdf = app.add_subcommand(
      "pdf", "join documents, in the order of their numbered names, as the pages of one PDF");
  pdf->add_option("out", o->pdf, "the PDF to write")->required();
  pdf->add_option("documents", o->documents, "the documents (SVG)")->required();
  pdf->callback([o]() {
    // A forgotten OUT would take the first document's place.
    if (fs::path(o->pdf).extension() == ".svg") {
      std::fprintf(stderr, "vardo pdf: %s is a document; give the PDF to write first\n",
                   o->pdf.c_str());
      throw CLI::RuntimeError(1);
    }
    std::vector<std::string> files = o->documents;
    std::stable_sort(files.begin(), files.end(), [](const std::string &a, const std::string &b) {
      return NameBefore(fs::path(a).filename().string(), fs::path(b).filename().string());
    });
    std::string error;
    if (!WritePdf(files, o->pdf, &error)) {
      std::fprintf(stderr, "vardo pdf: %s\n", error.c_str());
      throw CLI::RuntimeError(1);
    }
    std::printf("%s %zu pages\n", o->pdf.c_str(), files.size());
  });
}

}  // namespace vardo::cli
