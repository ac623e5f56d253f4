// The picture and barcode mark-up that the script panel's two commands put
// into the panel, built from the plug-in's options, the panel's text and
// the size of the selected frame. The attribute names and values are what
// the composition engine reads.
#pragma once

#include "scripttags/scripttext.h"
#include "vardoscript/scriptoptions.h"

// The field each command names when the panel text names none.
#define IMAGE_DATA_REFERENCE "[image_path]"
#define BARCODE_DATA_REFERENCE "[barcode_data]"

// Both write NUL-terminated mark-up of at most SCRIPT_TEXT_MAX bytes into
// `out` (SCRIPT_TEXT_SIZE bytes). `panelText` is the panel's script (UTF-8,
// NUL-terminated); its first "[" up to the first "]" after it is the data
// reference, unless that is the other command's default. `width` and
// `height` are the frame's size in points (0 without one); they are used
// when an alignment asks for the one-cell table.
//
// An option index outside its list adds nothing for that attribute. A data
// reference so long that the mark-up would not fit is replaced by the
// command's default.
void BuildImageTag(const char *panelText, const ScriptOptions *options, double width, double height,
                   char *out);
void BuildBarcodeTag(const char *panelText, const ScriptOptions *options, double width,
                     double height, char *out);
