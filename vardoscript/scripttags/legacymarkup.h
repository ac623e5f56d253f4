// Scripts kept in the older form, as comment mark-up in a frame's own text
// or in its "VRTag" tag, turned into the current mark-up on reading.
#pragma once

#include "frame/suites.h"

// Rewrites the script in `text` (a buffer of at least SCRIPT_TEXT_SIZE
// bytes; the script in it may be longer) in place: first the styling of the
// frame's characters becomes font mark-up (InsertFontMarkup, which moves
// `range`), then the comment forms are converted (ConvertCommentForms).
void ConvertLegacyMarkup(char *text, ATE::ITextRange range);

// The comment forms alone, in place, the result cut to SCRIPT_TEXT_MAX bytes:
//   "<!--vardo:image=[Path]-->" and "<!--vardo:image-->"
//       -> a picture of the field [vardo:image]
//   "<!--vardo:image" suffix "-->"
//       -> a picture of the field [vardo:image suffix]
//   "<!--vardo:barcode " attributes "-->"
//       -> "<HTML><BODY><BARCODE " attributes "></BODY></HTML>"
//   "<!--" name "-->" -> "[" name "]" (inside a barcode comment "\"[" name;
//       the first "-->" after a barcode comment began closes the barcode)
// Matching is exact and case-sensitive; a "-->" with nothing open becomes
// "]", and a picture or barcode comment never closed stays open at the end.
void ConvertCommentForms(char *text);
