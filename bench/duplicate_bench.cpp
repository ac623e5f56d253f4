// Duplicating a record slot of three elements 1,000, 2,000 and 4,000 times
// into one document, as composing many records does: the time should grow
// with the number of copies, not with its square.
#include <chrono>
#include <cstdio>
#include <string>

#include "document.h"

namespace {

double CopySeconds(int copies) {
  std::string error;
  auto doc = vhost::Document::Parse(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\"><g id=\"layer\">"
      "<g id=\"slot\"><rect id=\"frame\" width=\"10\" height=\"10\"/><text id=\"name\" x=\"1\" "
      "y=\"5\">A</text>"
      "</g></g></svg>",
      &error);
  if (!doc) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(1);
  }
  vhost::Art *slot = doc->FindArtById("slot");
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < copies; ++i) {
    if (!doc->Duplicate(*slot, kPlaceAbove, *slot, &error)) std::exit(1);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  double previous = 0;
  for (int copies : {1000, 2000, 4000}) {
    const double seconds = CopySeconds(copies);
    std::printf("%5d copies: %.3f s", copies, seconds);
    if (previous > 0) std::printf("  (%.2f times the half)", seconds / previous);
    std::printf("\n");
    previous = seconds;
  }
  return 0;
}
