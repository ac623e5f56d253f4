#include "sequencer/sequencersettings.h"

#include <cstring>

namespace {

#define SETTING(FIELD, TYPE) PREFERENCE_SETTING(SequencerSettings, FIELD, TYPE)

// startRecord and endRecord are read with all 32 bits of their settings, so
// a range beyond record 32767 survives the file.
const PreferenceKey SEQUENCER_SETTING_KEYS[] = {
    SETTING(csvpath, PREFERENCE_STRING),         SETTING(aippath, PREFERENCE_STRING),
    SETTING(startRecord, PREFERENCE_INTEGER),    SETTING(endRecord, PREFERENCE_INTEGER),
    SETTING(foption_layout, PREFERENCE_INTEGER), SETTING(foption_print, PREFERENCE_INTEGER),
};

#undef SETTING

}  // namespace

const PreferenceFile SEQUENCER_SETTINGS_FILE = {
    "Vardo2Sequencer.ini", SEQUENCER_SETTING_KEYS,
    sizeof SEQUENCER_SETTING_KEYS / sizeof SEQUENCER_SETTING_KEYS[0]};

void SetDefaultSequencerSettings(SequencerSettings *settings) {
  std::memset(settings, 0, sizeof *settings);
  std::strcpy(settings->csvpath, "sample.csv");
  std::strcpy(settings->aippath, "sample.ai");
  settings->startRecord = 1;
  settings->endRecord = 999;
  settings->foption_layout = 1;
  settings->foption_print = 0;
}
