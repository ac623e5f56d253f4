#include "fontmarkup.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "scripttext.h"

namespace {

// The host's value times `factor`, rounded to the nearest integer (halves
// away from zero). Values no 32-bit number can hold are pinned to its ends.
LONG Scale(AIReal value, double factor) {
  const double scaled = value * factor;
  if (isnan(scaled)) return 0;
  if (scaled >= 2147483647.0) return 2147483647;
  if (scaled <= -2147483648.0) return -2147483647 - 1;
  return static_cast<LONG>(lround(scaled));
}

// One colour component, 0 to 1, as 0 to 255.
unsigned Component(AIReal value) {
  const double scaled = value * 255 + 0.5;
  if (scaled >= 255) return 255;
  if (!(scaled >= 0)) return 0;  // below the range, or not a number
  return static_cast<unsigned>(scaled);
}

void FormatFourColour(AIReal c, AIReal m, AIReal y, AIReal k, char *text) {
  snprintf(text, CHAR_COLOUR_SIZE, "#%02X%02X%02X%02X", Component(c), Component(m), Component(y),
           Component(k));
}

void FormatThreeColour(AIReal r, AIReal g, AIReal b, char *text) {
  snprintf(text, CHAR_COLOUR_SIZE, "#%02X%02X%02X", Component(r), Component(g), Component(b));
}

void ReadPaint(ATEApplicationPaintRef paint, char *text) {
  AIColor colour;
  if (sAIATEPaint->GetAIColor(paint, &colour) == kNoErr) FormatPaintColour(&colour, text);
}

// The opening tag for `a`, NUL-terminated in `tag` (size bytes).
void FormatFontTag(const CharAttributes *a, char *tag, size_t size) {
  size_t length = 0;
  auto add = [&](const char *format, auto... values) {
    if (length >= size) return;
    const int n = snprintf(tag + length, size - length, format, values...);
    if (n > 0) length += static_cast<size_t>(n);
  };
  add("%s", "<font");
  if (a->fontName[0]) add(" face=%s", a->fontName);
  if (a->size) add(" size=%gpt", a->size / 100.0);
  if (a->leading) add(" leading=%gpt", a->leading / 100.0);
  if (a->tracking) add(" tracking=%d", static_cast<int>(a->tracking));
  if (a->lineWidth) add(" linewidth=%gpt", a->lineWidth / 100.0);
  if (a->baselineShift) add(" baselineshift=%gpt", a->baselineShift / 100.0);
  if (a->horizontalScale != 10000 || a->verticalScale != 10000) {
    add(" scale=(%g,%g)", a->horizontalScale / 100.0, a->verticalScale / 100.0);
  }
  if (a->fillColour[0]) add(" fill_color=%s", a->fillColour);
  if (a->strokeColour[0]) add(" stroke_color=%s", a->strokeColour);
  add("%s", ">");
}

// Closes the open font tag. A paragraph end that the output ends with
// stays after the tag, so the tag closes inside its paragraph.
bool CloseFontTag(WorkArea *area) {
  const size_t length = area->length;
  const char *text = area->text;
  if (length >= 1 && text[length - 1] == '\r') {
    area->length = length - 1;
    if (AppendStringToWorkArea(area, "</font>\r")) return true;
  } else if (length >= 2 && text[length - 2] == '\r' && text[length - 1] == '\n') {
    area->length = length - 2;
    if (AppendStringToWorkArea(area, "</font>\r\n")) return true;
  } else {
    return AppendStringToWorkArea(area, "</font>");
  }
  // No room: leave the output as it was.
  area->length = length;
  area->text[length] = '\0';
  return false;
}

// Makes `range` the empty range at `position`, keeping start <= end at
// every step; `at` is where it is now.
void MoveRangeTo(ATE::ITextRange &range, ASInt32 *at, ASInt32 position) {
  if (position == *at) return;
  if (position > *at) {
    range.SetEnd(position);
    range.SetStart(position);
  } else {
    range.SetStart(position);
    range.SetEnd(position);
  }
  *at = position;
}

}  // namespace

bool SameCharAttributes(const CharAttributes *a, const CharAttributes *b) {
  return strcmp(a->fontName, b->fontName) == 0 && a->size == b->size && a->leading == b->leading &&
         a->tracking == b->tracking && a->lineWidth == b->lineWidth &&
         a->baselineShift == b->baselineShift && a->horizontalScale == b->horizontalScale &&
         a->verticalScale == b->verticalScale && strcmp(a->fillColour, b->fillColour) == 0 &&
         strcmp(a->strokeColour, b->strokeColour) == 0;
}

void FormatPaintColour(const AIColor *colour, char *text) {
  switch (colour->kind) {
    case kGrayColor: FormatFourColour(0, 0, 0, colour->c.g.gray, text); break;
    case kFourColor:
      FormatFourColour(colour->c.f.cyan, colour->c.f.magenta, colour->c.f.yellow, colour->c.f.black,
                       text);
      break;
    case kThreeColor:
      FormatThreeColour(colour->c.rgb.red, colour->c.rgb.green, colour->c.rgb.blue, text);
      break;
    case kCustomColor: {
      // Vardo's suite table has no custom colour suite: Vardo reads scripts
      // only to learn whether there is one, and never formats colours.
      AICustomColor definition;
      if (!sAICustomColor ||
          sAICustomColor->GetCustomColor(colour->c.c.color, &definition) != kNoErr)
        break;
      const AIReal tint = colour->c.c.tint;
      if (definition.kind == kCustomFourColor) {
        FormatFourColour(definition.c.f.cyan * tint, definition.c.f.magenta * tint,
                         definition.c.f.yellow * tint, definition.c.f.black * tint, text);
      } else if (definition.kind == kCustomThreeColor) {
        FormatThreeColour(definition.c.rgb.red * tint, definition.c.rgb.green * tint,
                          definition.c.rgb.blue * tint, text);
      }
      break;
    }
    default: break;
  }
}

void ReadCharAttributes(const ATE::ITextRange &range, CharAttributes *attributes) {
  memset(attributes, 0, sizeof *attributes);
  ATE::ICharFeatures features = range.GetUniqueCharFeatures();
  if (features.GetFill(nullptr)) ReadPaint(features.GetFillColor(nullptr), attributes->fillColour);
  if (features.GetStroke(nullptr)) {
    ReadPaint(features.GetStrokeColor(nullptr), attributes->strokeColour);
    attributes->lineWidth = Scale(features.GetLineWidth(nullptr), 100);
  }
  AIFontKey key = nullptr;
  if (sAIFont->FontKeyFromFont(features.GetFont(nullptr), &key) != kNoErr ||
      sAIFont->GetFontName(key, attributes->fontName, CHAR_FONT_NAME_MAX) != kNoErr) {
    attributes->fontName[0] = '\0';
  }
  attributes->size = Scale(features.GetFontSize(nullptr), 100);
  attributes->horizontalScale = Scale(features.GetHorizontalScale(nullptr), 10000);
  attributes->verticalScale = Scale(features.GetVerticalScale(nullptr), 10000);
  if (!features.GetAutoLeading(nullptr))
    attributes->leading = Scale(features.GetLeading(nullptr), 100);
  attributes->tracking = features.GetTracking(nullptr);
  attributes->baselineShift = Scale(features.GetBaselineShift(nullptr), 100);
}

void InsertFontMarkup(char *text, ATE::ITextRange range) {
  // The empty range at the end of the text gives the base style.
  const ASInt32 textEnd = range.GetEnd();
  range.SetStart(textEnd);
  ASInt32 rangeAt = textEnd;
  CharAttributes previous;
  ReadCharAttributes(range, &previous);

  char buffer[SCRIPT_WORK_AREA_SIZE];
  WorkArea area;
  StartWorkArea(&area, buffer, SCRIPT_WORK_AREA_MAX);
  size_t at = 0;
  ASInt32 position = 0;  // in UTF-16 units of the frame's text
  int depth = 0;         // of "<!--" comments; negative after a stray "-->"
  bool tagOpen = false;

  while (text[at] != '\0') {
    if (depth == 0) {
      MoveRangeTo(range, &rangeAt, position < textEnd ? position : textEnd);
      CharAttributes current;
      ReadCharAttributes(range, &current);
      if (!SameCharAttributes(&current, &previous)) {
        previous = current;
        if (tagOpen && !CloseFontTag(&area)) break;
        char tag[CHAR_FONT_NAME_SIZE + 2 * CHAR_COLOUR_SIZE + 256];
        FormatFontTag(&current, tag, sizeof tag);
        if (!AppendStringToWorkArea(&area, tag)) break;
        tagOpen = true;
      }
    }
    if (strncmp(text + at, "<!--", 4) == 0) {
      if (!AppendToWorkArea(&area, "<!--", 4)) break;
      at += 4;
      position += 4;
      ++depth;
    } else if (strncmp(text + at, "-->", 3) == 0) {
      if (!AppendToWorkArea(&area, "-->", 3)) break;
      at += 3;
      position += 3;
      --depth;
    } else {
      const size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[at]));
      const size_t present = strnlen(text + at, length);
      if (!AppendToWorkArea(&area, text + at, present)) break;
      at += present;
      // A character outside the Basic Multilingual Plane is two units of
      // the frame's text.
      position += length == 4 ? 2 : 1;
      if (present < length) break;  // cut short by the end of the text
    }
  }
  if (tagOpen) AppendStringToWorkArea(&area, "</font>");
  CopyScriptText(text, buffer, SCRIPT_TEXT_MAX);
}
