// The script panel's text and the script it stands for. The panel's
// multi-line edit control breaks lines at CR LF, while scripts end their
// paragraphs with CR; these two conversions are the only way between them.
#pragma once

#include <windows.h>

#include "scripttags/scripttext.h"

// UTF-16 units of a script shown in the panel, before line ends are doubled.
#define PANEL_SCRIPT_UNITS 4000
// Units of the panel's text that reading takes (what a 4000-unit buffer
// handed to GetWindowTextW holds).
#define PANEL_READ_UNITS 3999
// Size of the text ScriptToPanelText writes: each unit may become CR LF.
#define PANEL_TEXT_SIZE (2 * PANEL_SCRIPT_UNITS + 1)

// The UTF-8 `script` as the panel shows it, into `text` (PANEL_TEXT_SIZE
// units): at most PANEL_SCRIPT_UNITS units of it, every CR LF, lone CR and
// lone LF written as CR LF. Returns the number of units, NUL excluded.
int ScriptToPanelText(const char *script, WCHAR *text);

// The panel's `text` (its first PANEL_READ_UNITS units; a surrogate pair is
// not split) as a script in `script` (SCRIPT_TEXT_SIZE bytes): every CR LF,
// lone CR and lone LF becomes CR, and the UTF-8 is cut to SCRIPT_TEXT_MAX
// bytes without leaving half a character.
void PanelTextToScript(const WCHAR *text, char *script);
