// Arbitrary bytes as an SVG document: loading never fails other than with a
// message, and a document that loads comes back as the same model after a
// save and a second load, twice: saved untouched (the file as it was
// read) and saved with every text frame's story written anew by the text
// writer.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <string_view>

#include "document.h"
#include "documentdump.h"

namespace {

[[noreturn]] void Mismatch(const char *what, const std::string &before, const std::string &after) {
  fprintf(stderr, "mismatch: %s\n--- before\n%s\n--- after\n%s\n", what, before.c_str(),
          after.c_str());
  abort();
}

std::unique_ptr<vhost::Document> Reload(vhost::Document &doc, const char *what,
                                        const std::string &model) {
  std::string error;
  const std::string saved = doc.Serialize();
  std::unique_ptr<vhost::Document> again = vhost::Document::Parse(saved, &error);
  if (!again) Mismatch(what, model, "no document: " + error + "\n" + saved);
  const std::string modelAgain = vhost::DescribeDocumentJson(*again);
  if (modelAgain != model) Mismatch(what, model, modelAgain);
  return again;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string error;
  std::unique_ptr<vhost::Document> doc =
      vhost::Document::Parse(std::string_view(reinterpret_cast<const char *>(data), size), &error);
  if (!doc) {
    if (error.empty()) Mismatch("refused without a message", "", "");
    return 0;
  }
  const std::string model = vhost::DescribeDocumentJson(*doc);
  std::unique_ptr<vhost::Document> again = Reload(*doc, "saved untouched", model);

  // Each story marked as changed, so that saving writes it out again.
  again->ForEachArt([](vhost::Art &art, int) {
    vhost::TextStory *story = art.Story();
    if (story && story->Size() > 0) story->SetFeatures(0, 1, story->FeaturesAt(0));
  });
  Reload(*again, "saved with every story written", model);
  return 0;
}
