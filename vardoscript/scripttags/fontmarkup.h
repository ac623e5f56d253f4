// Font mark-up from the styling of a frame's characters: a script kept in
// the older form is walked in step with the frame's text, and every run of
// differently styled characters is wrapped in a "<font ...>" tag naming its
// attributes, for the composition engine to render.
//
// The text engine reports its errors as ATE::Exception through the wrapper
// classes; nothing here catches them.
#pragma once

#include <windows.h>

#include "frame/suites.h"

#define CHAR_FONT_NAME_SIZE 256
// The longest font name kept, in bytes.
#define CHAR_FONT_NAME_MAX 63
#define CHAR_COLOUR_SIZE 80

// What the mark-up says about one character. Numbers are the host's values
// scaled and rounded to the nearest integer; a record is cleared to zeros
// before it is filled, so an attribute left unset is 0 or empty.
struct CharAttributes {
  char fontName[CHAR_FONT_NAME_SIZE];   // at most 63 bytes
  LONG size;                            // points x 100
  LONG leading;                         // points x 100; 0 with automatic leading
  LONG tracking;                        // as the text engine gives it
  LONG lineWidth;                       // points x 100; 0 without a stroke
  LONG baselineShift;                   // points x 100
  LONG horizontalScale;                 // factor x 10000 (10000 is 100 %)
  LONG verticalScale;                   // factor x 10000
  char fillColour[CHAR_COLOUR_SIZE];    // "#" form; empty without a fill or a form
  char strokeColour[CHAR_COLOUR_SIZE];  // "#" form; empty without a stroke or a form
};

// Every field equal.
bool SameCharAttributes(const CharAttributes *a, const CharAttributes *b);

// Fills `attributes` from the features every character of `range` shares
// (for an empty range, those of the character at its start). A font or
// colour the host cannot describe leaves its field empty.
void ReadCharAttributes(const ATE::ITextRange &range, CharAttributes *attributes);

// Writes the "#" form of a host colour into `text` (CHAR_COLOUR_SIZE bytes):
// "#CCMMYYKK" for gray (as black) and four-colour, "#RRGGBB" for
// three-colour, the definition's form times the tint for a custom colour
// with a four- or three-colour definition. Any other colour leaves `text`
// untouched.
void FormatPaintColour(const AIColor *colour, char *text);

// Replaces the NUL-terminated script in `text` (a buffer of at least
// SCRIPT_TEXT_SIZE bytes; the script in it may be longer) by the script
// with font mark-up, cut to SCRIPT_TEXT_MAX bytes. `range` covers the
// frame's whole text; the walk moves it, so callers that go on using their
// range pass a clone.
//
// The trailing style of the frame's text is the base: characters styled
// like it stay untagged until the first change, after which every run is
// tagged. Characters inside "<!--" ... "-->" are never tagged. A four-byte
// sequence stands for two UTF-16 units of the frame's text; positions past
// the end of the frame's text take the attributes of its end.
void InsertFontMarkup(char *text, ATE::ITextRange range);
