// The picture options dialog (resource 16053) and the barcode options
// dialog (16054) of the script panel's commands.
#pragma once

#include <windows.h>

#include "vardoscript/scriptoptions.h"

#define IMAGE_OPTIONS_DIALOG 16053
#define BARCODE_OPTIONS_DIALOG 16054

// Run the dialog modally from `module`'s resources, with no owner, centred
// on the desktop and topmost, showing `options`. OK (IDOK) stores the
// dialog's fields into `options` and rewrites "Vardo2Script.ini" with the
// whole record; Cancel (IDCANCEL) changes nothing. Returns IDOK, IDCANCEL,
// or -1 when the dialog could not be made.
INT_PTR RunImageOptionsDialog(HINSTANCE module, ScriptOptions *options);
INT_PTR RunBarcodeOptionsDialog(HINSTANCE module, ScriptOptions *options);
