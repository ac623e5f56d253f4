// A frame's script and the string tags it is kept in.
//
// A script (UTF-8, CR paragraph ends) is stored in up to ten tags of at most
// 200 bytes each: "vardo2_script" and "vardo2_script_1" to
// "vardo2_script_9", cut at byte positions (also inside a character) and
// joined back byte for byte. A frame without them may carry a script in an
// older form: comment mark-up in its own text, or a whole script in the tag
// "VRTag"; reading converts both.
#pragma once

#include "frame/suites.h"
#include "scripttext.h"

// Bytes a frame's script tags hold in all, and per tag.
#define SCRIPT_STORED_MAX 2000
#define SCRIPT_PIECE_MAX 200
#define SCRIPT_PIECE_COUNT 10

// How much of a frame's own text (UTF-16 units) is searched for "<!--" and
// converted. The script panel reads up to SCRIPT_FRAME_UNITS; the
// data-merge plug-in, which only asks whether a frame carries a script,
// looks at the first SCRIPT_MERGE_FRAME_UNITS, as it always has.
#define SCRIPT_FRAME_UNITS 4000
#define SCRIPT_MERGE_FRAME_UNITS 2000

// Reads the script of `frame` into `out` (SCRIPT_TEXT_SIZE bytes), or, with
// `out` null, only tells whether the frame carries one. Sources in order:
// the script tags; then, for an unlocked text frame, its own text when the
// first `frameUnits` units (at most SCRIPT_FRAME_UNITS) hold "<!--"; then
// its "VRTag" tag. The older forms are converted, with font mark-up from the
// frame's styling, only when there is an `out`.
//
// Returns 0 when the frame carries a script. Otherwise the host's error
// from reading "vardo2_script" (art that is no unlocked text frame) or
// "VRTag" (a text frame), -1 for a tag read that yields no value; `out` is
// then untouched. Errors of the text engine surface as ATE::Exception.
ASErr ReadFrameScript(AIArtHandle frame, char *out, ASInt32 frameUnits = SCRIPT_FRAME_UNITS);

// Stores the NUL-terminated `script`, cut to SCRIPT_STORED_MAX bytes, in the
// script tags of `frame`: the first ceil(L/200) tags hold it, and the tags
// after them are removed up to the first one that is missing (an empty
// script removes "vardo2_script" itself). Does nothing to art that is not a
// text frame or is locked. Host errors are ignored.
void WriteFrameScript(AIArtHandle frame, const char *script);
