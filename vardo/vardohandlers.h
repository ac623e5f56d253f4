// The data-merge plug-in's handlers for the frame's slots, and the
// operations its parts call on each other.
#pragma once

#include "frame.h"
#include "vardoglobals.h"

// ---- Start-up and registration -------------------------------------------
// Registers the menu item, the timer, the three notifiers and the action, in
// that order, after setting every field of the global record. Returns the
// first non-zero host status met (the registrations before it stay), else 0.
ASErr OnStartup(void *message);
// Tears the panel down (restoring its window procedure), deletes the brush
// and frees the drop targets. Never fails.
ASErr OnShutdown(void *message);
// Shows the panel when hidden, hides it when shown; only for the plug-in's
// own menu item and once the panel exists. Returns 0.
ASErr OnMenuGo(void *message);
// Sets the menu item's check mark to whether the panel is shown. Returns 0.
ASErr OnMenuUpdate(void *message);

// ---- Notifications ---------------------------------------------------------
// The application-started notification (creates the panel), the
// compose-range request and the value lookup. Returns 0 in every case.
ASErr OnNotify(void *message);

// ---- Composition driver ----------------------------------------------------
// Composes records first.. into the record slots of the current document,
// or, with `target`, into the one art lying directly in a layer whose bounds
// match it. `last` 0 means no upper limit. Raises *composed (when given) by
// one per slot handled. Shows nothing; host statuses are not examined.
void ComposeRecords(LONG first, LONG last, const AIRealRect *target, LONG *composed);
// Runs the pending command, naming the undo step. Returns 0.
ASErr OnDoAction(void *message);
// Keeps the drop targets, the view geometry and the document window.
// Returns the status of its last art query (0 in normal operation).
ASErr OnTimer(void *message);
// The window that shows the document: the smallest visible window at a
// third of the frame window (the top-level window titled "... @ ...") that
// contains that point; null when there is none.
HWND FindDocumentWindow(void);

// ---- Data panel --------------------------------------------------------------
// Creates the flyout menu, the panel and its record list, and shows it.
// Returns the host's error when the panel cannot be created (nothing else is
// set up then), else 0.
ASErr CreateDataPanel(SPPluginRef plugin);
// Rebuilds the columns and rows of the record list inside `panelWindow`
// from the record table; with no table, column 0 only and no rows.
void RefreshRecordList(HWND panelWindow);
// Destroys the panel, its window (its procedure put back first), its brush
// and its flyout menu; what does not exist is passed over.
void DestroyDataPanel(void);

// ---- Host texts ----------------------------------------------------------------
// Converts Shift-JIS `text` to UTF-16 into `out` (`size` units, NUL
// included); an empty string when it does not convert or fit.
void ShiftJisToUtf16(const char *text, ai_uchar16 *out, int size);
