// The batch sequencer's remembered choices, kept in "Vardo2Sequencer.ini":
// the CSV file, the template document and the record range of the last
// confirmed settings dialog, and the two output options.
//
// The sequencer reads the file each time its command is chosen, before the
// settings dialog opens, and writes it when the dialog is confirmed. Both
// paths are in the system code page, as the 8-bit file calls take them.
#pragma once

#include <windows.h>

#include "frame/preferencefile.h"

// Capacity of each path: 255 bytes and the NUL.
#define SEQUENCER_PATH_SIZE 256

// Field names are the keys of the preference file.
struct SequencerSettings {
  char csvpath[SEQUENCER_PATH_SIZE];  // CSV file handed to the data-merge plug-in
  char aippath[SEQUENCER_PATH_SIZE];  // template: a bare name or a full path
  LONG startRecord;                   // first record of the range, 1-based
  LONG endRecord;                     // last record of the range, 1-based
  SHORT foption_layout;               // file-output option
  SHORT foption_print;                // print option
};

// "Vardo2Sequencer.ini" with its keys in writing order.
extern const PreferenceFile SEQUENCER_SETTINGS_FILE;

// Sets every setting to its value at the plug-in's start-up.
void SetDefaultSequencerSettings(SequencerSettings *settings);
