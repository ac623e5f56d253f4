// The batch sequencer's global record, kept by the host between calls.
#pragma once

#include <windows.h>

#include "AIMenu.h"
#include "AITimer.h"
#include "sequencer/sequencersettings.h"

// Run states: what the next timer tick does.
#define RUN_IDLE 0
#define RUN_PRODUCE 1  // copy, open and compose the next document
#define RUN_SAVE 2
#define RUN_CLOSE 3

struct SequencerGlobals {
  AIMenuItemHandle commandItem;  // the settings command
  AITimerHandle stepTimer;       // drives the run, one state per tick
  SHORT stopFlag;                // a document could not be produced: the run ends
  SHORT busyFlag;                // a step is in progress
  SHORT runState;                // RUN_IDLE .. RUN_CLOSE
  SequencerSettings settings;    // csvpath, aippath, the range and the options
  LONG recordIndex;              // 0-based index of the next record to place
  SPPluginRef pluginRef;
};

// The record of the current message; valid between "Startup" and "Shutdown".
SequencerGlobals *Globals();
