#include "sequencer/sequencersettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/testprofile.h"
#include "frame/testsettings.h"

namespace {

using SequencerSettingsFile = TestProfile;

TEST_F(SequencerSettingsFile, StartUpValuesAreWrittenAsEveryKeyInOrderAndNothingElse) {
  SequencerSettings settings;
  SetDefaultSequencerSettings(&settings);
  ASSERT_TRUE(WritePreferences(&SEQUENCER_SETTINGS_FILE, &settings));
  EXPECT_EQ(Get(Prefs("Vardo2Sequencer.ini")),
            "csvpath = \"sample.csv\"\r\n"
            "aippath = \"sample.ai\"\r\n"
            "startRecord = 1\r\n"
            "endRecord = 999\r\n"
            "foption_layout = 1\r\n"
            "foption_print = 0\r\n");
}

TEST_F(SequencerSettingsFile, WriteThenReadGivesBackEverySetting) {
  SequencerSettings startUp;
  SetDefaultSequencerSettings(&startUp);

  // Shift-JIS paths (one with a 0x5C trail byte), spaces and commas; record
  // numbers beyond 16 bits, which the file must carry whole.
  SequencerSettings large = startUp;
  std::strcpy(large.csvpath, "C:\\\x83\x5C\x83\x74\x83\x67 data\\a,b=c.csv");
  // The longest path that comes back whole: a line keeps 255 bytes, and
  // 'aippath="' takes 9 of them.
  std::string longest = "D:\\";
  while (longest.size() < 246) longest += '\x82';
  std::strcpy(large.aippath, longest.c_str());
  large.startRecord = 32768;
  large.endRecord = 2147483647;
  large.foption_layout = 0;
  large.foption_print = -1;

  SequencerSettings negative = startUp;
  negative.aippath[0] = '\0';
  negative.startRecord = -32769;
  negative.endRecord = -2147483647 - 1;
  negative.foption_layout = 32767;
  negative.foption_print = -32768;

  const struct {
    const char *name;
    const SequencerSettings &written;
  } cases[] = {{"large", large}, {"negative", negative}, {"start-up", startUp}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WritePreferences(&SEQUENCER_SETTINGS_FILE, &c.written));
    SequencerSettings read;
    SetDefaultSequencerSettings(&read);
    if (&c.written == &startUp) read = large;  // every setting must move back
    ReadPreferences(&SEQUENCER_SETTINGS_FILE, &read);
    ExpectSameSettings(&SEQUENCER_SETTINGS_FILE, &read, &c.written);
  }
}

}  // namespace
