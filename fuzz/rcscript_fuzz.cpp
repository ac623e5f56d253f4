// Arbitrary bytes as a resource script: the compiler either refuses it with
// a line and a message or gives resources that lay out as a directory and
// a note. Files the script names are looked up in an empty folder, so
// nothing outside the input is ever read.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "rc.h"

namespace {

[[noreturn]] void Mismatch(const char *what) {
  fprintf(stderr, "mismatch: %s\n", what);
  abort();
}

const std::string &EmptyFolder() {
  static const std::string folder = [] {
    std::filesystem::path p = std::filesystem::temp_directory_path() / "vardo-rc-fuzz-empty";
    std::filesystem::create_directories(p);
    return p.string();
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  vardo::rc::CompiledScript compiled;
  vardo::rc::CompileError error;
  if (!vardo::rc::CompileScript(text, "fuzz.rc", EmptyFolder(), &compiled, &error)) {
    if (error.message.empty() || error.line < 0) Mismatch("refused without a line and a message");
    return 0;
  }
  const auto directory = vardo::rc::BuildDirectory(compiled.resources);
  const auto note = vardo::rc::BuildNote(directory);
  if (note.size() < directory.size()) Mismatch("note shorter than its directory");
  return 0;
}
