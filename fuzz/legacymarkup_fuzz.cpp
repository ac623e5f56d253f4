// Arbitrary bytes through the older script forms and the font mark-up.
//
// An input that loads as an SVG document has the script of every text
// frame read, as the script panel reads it, so frames carry their own
// styled text and tags. Any other input becomes the text of one frame (as
// UTF-8, or as UTF-16 units when its first byte is odd) whose characters
// get styles steered by its first bytes, and goes through the comment
// forms alone as well. Every script read stays within SCRIPT_TEXT_MAX bytes
// and ends at a character boundary unless the source did; every text range
// and feature set handed out is released again.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "documentsuites.h"
#include "host.h"
#include "scripttags.h"
#include "standalonesuites.h"
#include "legacymarkup.h"
#include "text.h"

namespace {

[[noreturn]] void Mismatch(const char *what) {
  fprintf(stderr, "mismatch: %s\n", what);
  abort();
}

vhost::Host &TheHost() {
  static vhost::Host *host = [] {
    auto *h = new vhost::Host;
    if (AcquireScriptTagSuites(h->BasicSuite()) != kNoErr) Mismatch("no suites");
    return h;
  }();
  return *host;
}

// One frame in a document of its own, for the inputs that are no document.
const char kFrameDocument[] =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 400 400'>"
    "<text id='f' x='10' y='20' style='font-family:Serif;font-size:12px'>x</text></svg>";

void ReadScripts(vhost::Document &doc) {
  std::vector<AIArtHandle> frames;
  doc.ForEachArt([&](vhost::Art &art, int) {
    if (art.Type() == kTextFrameArt) frames.push_back(art.Handle());
  });
  const size_t ranges = vhost::LiveTextRangeCount(), features = vhost::LiveCharFeaturesCount();
  for (AIArtHandle frame : frames) {
    // Exactly the buffer the contract names, so that a write past it shows.
    std::unique_ptr<char[]> script(new char[SCRIPT_TEXT_SIZE]);
    if (ReadFrameScript(frame, script.get()) != kNoErr) continue;
    if (strnlen(script.get(), SCRIPT_TEXT_SIZE) > SCRIPT_TEXT_MAX) Mismatch("script too long");
  }
  if (vhost::LiveTextRangeCount() != ranges || vhost::LiveCharFeaturesCount() != features) {
    Mismatch("a text range or feature set was not released");
  }
}

// The frame's text from the input, styled in up to four stretches.
void StyleFrame(vhost::Art &frame, const uint8_t *data, size_t size) {
  const size_t steer = size < 8 ? size : 8;
  const std::string bytes(reinterpret_cast<const char *>(data + steer), size - steer);
  std::u16string text;
  if (steer > 0 && (data[0] & 1)) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                           static_cast<uint8_t>(bytes[i + 1]) << 8));
    }
  } else {
    text = vplat::Utf16FromUtf8(bytes);
  }
  vhost::TextStory &story = *frame.Story();
  vhost::CharFeatures base;
  base.font = "Serif";
  base.size = 12;
  story.Replace(0, story.Size(), text, base);
  for (size_t s = 1; s + 1 < steer; s += 2) {
    const size_t start = text.empty() ? 0 : data[s] * text.size() / 256;
    const size_t length = 1 + data[s + 1] % 16;
    vhost::CharFeatures f = base;
    switch (data[s + 1] >> 4 & 3) {
      case 0: f.size = 6 + data[s + 1] % 7; break;
      case 1: f.font = data[s + 1] & 1 ? "Sans" : std::string(70, 'F'); break;
      case 2: f.fillColor = vhost::Color::Rgb(1, 0, 0); break;
      default: f.stroke = true, f.lineWidth = 0.5; break;
    }
    story.SetFeatures(start, start + length, f);
  }
}

// The comment forms alone on the bytes up to the first NUL, cut to what a
// work area holds.
void ConvertForms(const uint8_t *data, size_t size) {
  std::unique_ptr<char[]> text(new char[SCRIPT_WORK_AREA_SIZE]);
  size_t length = strnlen(reinterpret_cast<const char *>(data), size);
  if (length > SCRIPT_WORK_AREA_MAX) length = SCRIPT_WORK_AREA_MAX;
  memcpy(text.get(), data, length);
  text[length] = '\0';
  const bool plain = !strstr(text.get(), "<!--") && !strstr(text.get(), "-->");
  std::string before(text.get(), length);
  ConvertCommentForms(text.get());
  const size_t after = strnlen(text.get(), SCRIPT_WORK_AREA_SIZE);
  if (after > SCRIPT_TEXT_MAX) Mismatch("converted text too long");
  // Text without comment mark-up is only cut.
  if (plain && before.compare(0, after, text.get()) != 0) Mismatch("plain text changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  vhost::Host &host = TheHost();
  std::string error;
  std::unique_ptr<vhost::Document> doc =
      vhost::Document::Parse(std::string_view(reinterpret_cast<const char *>(data), size), &error);
  if (doc) {
    ReadScripts(*host.Documents().Add(std::move(doc)));
  } else {
    vhost::Document *frameDoc =
        host.Documents().Add(vhost::Document::Parse(kFrameDocument, &error));
    StyleFrame(*frameDoc->FindArtById("f"), data, size);
    ReadScripts(*frameDoc);
    ConvertForms(data, size);
  }
  host.Documents().CloseAll();
  return 0;
}
