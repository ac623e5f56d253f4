// The script panel's text and the script it stands for. The panel's
// multi-line edit control breaks lines at CR LF, while scripts end their
// paragraphs with CR; these two conversions are the only way between them.
#pragma once

#include <windows.h>

#include "scripttags/scripttext.h"

// The panel's edit control, a child of the panel's window.
#define PANEL_EDIT_ID 1001

// UTF-16 units of a script shown in the panel, before line ends are doubled.
#define PANEL_SCRIPT_UNITS 4000
// Units of the panel's text that reading takes: all that showing a script
// can put there (each unit may have become CR LF), so whatever the panel
// shows reads back whole. Typed text beyond it could not fit a script: its
// first 8000 units always make SCRIPT_TEXT_MAX bytes or more.
#define PANEL_READ_UNITS (2 * PANEL_SCRIPT_UNITS)
// Size of the text ScriptToPanelText writes.
#define PANEL_TEXT_SIZE (PANEL_READ_UNITS + 1)

// The UTF-8 `script` as the panel shows it, into `text` (PANEL_TEXT_SIZE
// units): at most PANEL_SCRIPT_UNITS units of it, every CR LF, lone CR and
// lone LF written as CR LF. Returns the number of units, NUL excluded.
int ScriptToPanelText(const char *script, WCHAR *text);

// The panel's `text` (its first PANEL_READ_UNITS units; a surrogate pair is
// not split) as a script in `script` (SCRIPT_TEXT_SIZE bytes): every CR LF,
// lone CR and lone LF becomes CR, and the UTF-8 is cut to SCRIPT_TEXT_MAX
// bytes without leaving half a character.
void PanelTextToScript(const WCHAR *text, char *script);

// Shows the UTF-8 `script` in the edit control of the script panel's
// `window`, converted by ScriptToPanelText. Nothing happens when the window
// has no such control.
void ShowPanelScript(HWND window, const char *script);

// The text of the edit control of the panel's `window` as a script, into
// `script` (SCRIPT_TEXT_SIZE bytes), converted by PanelTextToScript; empty
// when the window has no such control.
void ReadPanelScript(HWND window, char *script);
