// The batch sequencer's handlers for the frame's slots, and the operations
// its parts call on each other.
#pragma once

#include "frame.h"
#include "sequencerglobals.h"

// ---- Start-up ------------------------------------------------------------
// Sets the start-up values, adds the submenu group "Vardo 連続生成" to the
// host's "Place Document" group and the settings command below it, then
// registers the step timer (period 60). Returns the command item's status
// when it cannot be added (no timer then), else the timer's.
ASErr OnStartup(void *message);

// A run still going when the host shuts down loses its progress window:
// the window's procedure goes with the library. Returns 0.
ASErr OnShutdown(void *message);

// ---- Batch run -------------------------------------------------------------
// Starts a run from the settings: clears the stop flag, opens the progress
// window, and makes the next tick produce the document of startRecord (of
// record 1 when startRecord is below 1).
void StartRun(void);
// One step of the run per tick of the step timer; nested ticks return at
// once. Returns 0.
ASErr OnTimer(void *message);
// The output file name of record `record` for the template `aippath`:
// "%s_%03d%s" of the stem, the number and an extension of 1 to 3 characters
// after a dot. `out` holds `size` bytes; FALSE (out empty) when it does not fit.
BOOL FormatOutputName(const char *aippath, LONG record, char *out, size_t size);

// ---- Settings --------------------------------------------------------------
// The settings command: reads the preference file, shows the settings
// dialog and, when it is confirmed, writes the file and starts the run.
// Refused with a message while a run is going on. Returns 0.
ASErr OnMenuGo(void *message);

// ---- Progress window -------------------------------------------------------
// The module whose resources hold the progress window.
void SetProgressModule(HINSTANCE module);
// Creates and shows the window at 0 percent with the abort flag cleared.
void OpenProgressWindow(void);
// While the window is open, takes and dispatches every message waiting in
// the thread's queue; an Escape key-down among them requests an abort.
void PumpProgressWindow(void);
BOOL ProgressAbortRequested(void);
// Stores the percentage; a changed one repaints the bar.
void SetProgressPercent(LONG percent);
// Destroys the window; nothing when it is not open.
void CloseProgressWindow(void);

// ---- Messages --------------------------------------------------------------
// Shows the Shift-JIS `text` in the host's message alert.
void ShowSequencerMessage(const char *text);
