#include "legacymarkup.h"

#include <string.h>

#include "fontmarkup.h"
#include "scripttext.h"

namespace {

const char kPicture[] = "<HTML><BODY><IMG SRC=\"file://[vardo:image]\"></BODY></HTML>";

// Whether `text` begins with the literal `prefix`.
template <size_t N>
bool At(const char *text, const char (&prefix)[N]) {
  return strncmp(text, prefix, N - 1) == 0;
}

}  // namespace

void ConvertLegacyMarkup(char *text, ATE::ITextRange range) {
  InsertFontMarkup(text, range);
  ConvertCommentForms(text);
}

void ConvertCommentForms(char *text) {
  char buffer[SCRIPT_WORK_AREA_SIZE];
  WorkArea area;
  StartWorkArea(&area, buffer, SCRIPT_WORK_AREA_MAX);
  bool imageOpen = false, barcodeOpen = false;
  size_t at = 0;
  // Each step appends one piece; the first piece that does not fit ends the
  // walk (the work area is three times the result kept, so that happens
  // only far past the cut).
  while (text[at] != '\0' && !area.full) {
    const char *here = text + at;
    if (At(here, "<!--vardo:image=[Path]-->")) {
      AppendStringToWorkArea(&area, kPicture);
      at += 25;
    } else if (At(here, "<!--vardo:image-->")) {
      AppendStringToWorkArea(&area, kPicture);
      at += 18;
    } else if (At(here, "<!--vardo:image")) {
      AppendStringToWorkArea(&area, "<HTML><BODY><IMG SRC=\"file://[vardo:image");
      imageOpen = true;
      at += 15;
    } else if (At(here, "<!--vardo:barcode ")) {
      AppendStringToWorkArea(&area, "<HTML><BODY><BARCODE ");
      barcodeOpen = true;
      at += 18;
    } else if (imageOpen && At(here, "-->")) {
      AppendStringToWorkArea(&area, "]\"></BODY></HTML>");
      imageOpen = false;
      at += 3;
    } else if (barcodeOpen && At(here, "-->")) {
      AppendStringToWorkArea(&area, "></BODY></HTML>");
      barcodeOpen = false;
      at += 3;
    } else if (At(here, "<!--")) {
      AppendStringToWorkArea(&area, barcodeOpen ? "\"[" : "[");
      at += 4;
    } else if (At(here, "-->")) {
      AppendStringToWorkArea(&area, "]");
      at += 3;
    } else {
      const size_t length = Utf8SequenceLength(static_cast<unsigned char>(*here));
      const size_t present = strnlen(here, length);
      AppendToWorkArea(&area, here, present);
      at += present;
      if (present < length) break;  // cut short by the end of the text
    }
  }
  CopyScriptText(text, buffer, SCRIPT_TEXT_MAX);
}
