// Arbitrary bytes as a preference file of either plug-in, read with the real
// key tables: every string stays terminated inside its setting, no real
// becomes infinite or NaN, and the file the writer makes of the settings read
// reads back to the same settings (the writer's file is a fixed point),
// apart from the strings the format cannot carry (quotes, CR, LF, TAB, or a
// line past the reader's 255 kept bytes).
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <cmath>
#include <string>

#include "frame/preferencefile.h"
#include "sequencer/sequencersettings.h"
#include "vardoscript/scriptoptions.h"

namespace {

[[noreturn]] void Mismatch(const char *what, const char *key) {
  fprintf(stderr, "mismatch: %s for %s\n", what, key);
  abort();
}

// The writer's text for a record, and whether every string in it is one
// the reader gives back unchanged.
std::string Written(const PreferenceFile *file, const void *record, bool *faithful) {
  std::string text;
  *faithful = true;
  for (size_t k = 0; k < file->keyCount; ++k) {
    const PreferenceKey &key = file->keys[k];
    const char *setting = static_cast<const char *>(record) + key.offset;
    char line[512];
    const size_t length = FormatPreferenceLine(&key, record, line, sizeof line);
    if (length == 0) Mismatch("no line", key.name);
    text.append(line, length);
    if (key.type == PREFERENCE_STRING) {
      const size_t valueLength = strnlen(setting, key.width);
      if (valueLength == key.width) Mismatch("string not terminated", key.name);
      const bool carried = strcspn(setting, "\"\r\n\t") == valueLength &&
                           strlen(key.name) + 3 + valueLength <= PREFERENCE_LINE_MAX;
      *faithful = *faithful && carried;
    } else if (key.type == PREFERENCE_REAL) {
      double value;
      memcpy(&value, setting, sizeof value);
      if (!std::isfinite(value)) Mismatch("real not finite", key.name);
    }
  }
  return text;
}

template <typename Record>
void Check(const PreferenceFile *file, void (*defaults)(Record *), const std::string &input) {
  Record read;
  defaults(&read);
  ApplyPreferenceText(file, input.data(), input.size(), &read);
  bool faithful;
  const std::string text = Written(file, &read, &faithful);

  Record again;
  defaults(&again);
  ApplyPreferenceText(file, text.data(), text.size(), &again);
  bool faithfulAgain;
  const std::string textAgain = Written(file, &again, &faithfulAgain);
  if (faithful && textAgain != text) Mismatch("written file does not read back", file->fileName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  Check<ScriptOptions>(&SCRIPT_OPTIONS_FILE, SetDefaultScriptOptions, input);
  Check<SequencerSettings>(&SEQUENCER_SETTINGS_FILE, SetDefaultSequencerSettings, input);
  return 0;
}
