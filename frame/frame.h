// The plug-in frame: the entry point every module exports, the routing of
// the host's caller and selector to the plug-in's handlers, the plug-in's
// global record, the acquisition of the suite table around every call and
// the error report. Each module links the frame and supplies one FramePlugin
// record describing itself.
#pragma once

#include "SPMessages.h"
#include "suites.h"

// A handler: takes the message the host sent (its type follows the caller)
// and returns a status, 0 for success.
typedef ASErr (*FrameHandler)(void *message);

// Which suite-table column of the host's suite list a plug-in uses.
enum FrameColumn { kFrameVardo = 0, kFrameVardoScript = 1, kFrameVardoSequencer = 2 };

// Handler slots. A null slot runs nothing: the call ends with status 0.
struct FrameHandlers {
  FrameHandler OnStartup;     // SPMessageData*
  FrameHandler OnShutdown;    // SPMessageData*; its status is not used
  FrameHandler OnAbout;       // SPMessageData*
  FrameHandler OnReload;      // SPMessageData*
  FrameHandler OnUnload;      // SPMessageData*
  FrameHandler OnMenuGo;      // AIMenuMessage*
  FrameHandler OnMenuUpdate;  // AIMenuMessage*
  FrameHandler OnTimer;       // AITimerMessage*
  FrameHandler OnNotify;      // AINotifierMessage*
  FrameHandler OnDoAction;    // DoActionMessage*
};

struct FramePlugin {
  FrameColumn column;
  size_t globalsSize;  // size of the plug-in's PluginGlobals
  FrameHandlers handlers;
};

// Supplied by each module.
extern const FramePlugin gFramePlugin;

// The plug-in's global record as the current message carries it; null before
// "Startup" and after "Shutdown". Each plug-in reads it through its own typed
// accessor.
extern void *gCurrentGlobals;

// Opens a suite bracket on `basic`. The outermost bracket acquires every row
// of the plug-in's suite table; a nested one only counts. The count goes up
// in every case. Returns 0, or the status of the first row that could not be
// acquired (the walk goes on with the other rows, and the missing row is
// reported once per load in the message alert when the user suite is there).
ASErr AcquireSuites(SPBasicSuite *basic);

// Closes a bracket. The outermost one releases every row that was acquired
// and empties its destination, stopping at the first release that fails and
// returning its status. The count goes down in every case.
ASErr ReleaseSuites(SPBasicSuite *basic);

// Shows "Error=%x, %s (caller : %s, selector : %s)" in the host's error alert
// for a status that calls for it (not 0, 1, suite-not-found or user-cancelled)
// while the user suite is acquired. The call's status is not changed.
void ReportError(ASErr status, const char *caller, const char *selector);
