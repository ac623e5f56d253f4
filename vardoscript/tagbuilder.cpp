#include "vardoscript/tagbuilder.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

const char *const kHorizontalAlignments[] = {"ALIGN=LEFT", "ALIGN=CENTER", "ALIGN=RIGHT"};
const char *const kVerticalAlignments[] = {"VALIGN=TOP", "VALIGN=MIDDLE", "VALIGN=BOTTOM"};

const char *const kBarcodeKinds[] = {
    "TYPE=JAN_LONG",
    "TYPE=JAN_SHORT",
    "TYPE=JAN_ISBN",
    "TYPE=UPC_A",
    "TYPE=UPC_E",
    "TYPE=UPC_ADDON",
    "TYPE=JAN_LONG_OCR",
    "TYPE=JAN_SHORT_OCR",
    "TYPE=UPC_A_OCR",
    "TYPE=IDENTICON_INDUSTRIAL",
    "TYPE=IATA_WALLACE",
    "TYPE=COMPUTER_IDENTICS",
    "TYPE=MATRIX_2OF5",
    "TYPE=INTERLEAVED_2OF5",
    "TYPE=NEC_2OF5",
    "TYPE=UPC_ITF",
    "TYPE=ANSI_CODABAR",
    "TYPE=CODE39",
    "TYPE=CODE11",
    "TYPE=CODE93",
    "TYPE=CODE128",
    "TYPE=EAN128",
    "TYPE=POSTAL",
    "TYPE=RSS_14",
    "TYPE=RSS_LIMITED",
    "TYPE=RSS_EXPANDED",
    "TYPE=RSS_14_TRUNCATED",
    "TYPE=RSS_14_STACKED",
    "TYPE=RSS_14_OMNIDIRCTIONAL",
};

const char *const kEccLevels[] = {"ECCLEVEL=L", "ECCLEVEL=M", "ECCLEVEL=Q", "ECCLEVEL=H"};

const char *const kEncodeModes[] = {"ENCODEMODE=AUTO",   "ENCODEMODE=NUMERIC", "ENCODEMODE=ASCII",
                                    "ENCODEMODE=BINARY", "ENCODEMODE=KANJI",   "ENCODEMODE=MIXED"};

#define QR_VERSION_MAX 40

// The entry of a value list, or null for an index outside it.
template <size_t N>
const char *Entry(const char *const (&list)[N], SHORT index) {
  return index >= 0 && static_cast<size_t>(index) < N ? list[index] : nullptr;
}

// A field of the command's mark-up: a pointer into the panel text (or a
// default) and its length, as the reference need not end in a NUL.
struct Reference {
  const char *text;
  size_t length;
};

Reference ChooseReference(const char *panelText, const char *own, const char *other) {
  const char *open = strchr(panelText, '[');
  const char *close = open ? strchr(open, ']') : nullptr;
  if (!close) return {own, strlen(own)};
  const size_t length = static_cast<size_t>(close - open) + 1;
  if (length == strlen(other) && memcmp(open, other, length) == 0) return {own, strlen(own)};
  return {open, length};
}

void Append(WorkArea *area, const char *text) { AppendStringToWorkArea(area, text); }

void AppendFormatted(WorkArea *area, const char *format, double value) {
  char number[64];
  snprintf(number, sizeof number, format, value);
  AppendStringToWorkArea(area, number);
}

// " " and a list entry; nothing for an index outside the list.
template <size_t N>
void AppendEntry(WorkArea *area, const char *const (&list)[N], SHORT index) {
  if (const char *entry = Entry(list, index)) {
    Append(area, " ");
    Append(area, entry);
  }
}

// A size cut to one decimal, toward zero.
double CutToTenths(double value) { return trunc(value * 10) / 10; }

bool UsesTable(const ScriptOptions *options) {
  return options->horizontal_alignment != 0 || options->vertical_alignment != 0;
}

// "<HTML><BODY>" and, with an alignment, the one-cell table's opening up to
// (not including) the ">" that ends its cell's tag.
void AppendOpening(WorkArea *area, const ScriptOptions *options, double width, double height) {
  Append(area, "<HTML><BODY>");
  if (!UsesTable(options)) return;
  Append(area, "<TABLE CELLPADDING=0 CELLSPACING=0><TR><TD");
  AppendFormatted(area, " WIDTH=%g", CutToTenths(width));
  AppendFormatted(area, " HEIGHT=%g", CutToTenths(height));
  AppendEntry(area, kHorizontalAlignments, options->horizontal_alignment);
  AppendEntry(area, kVerticalAlignments, options->vertical_alignment);
}

// ` NAME="value"`, the value as it is (an item text is not escaped).
void AppendQuoted(WorkArea *area, const char *name, const char *value, size_t length) {
  Append(area, " ");
  Append(area, name);
  Append(area, "=\"");
  AppendToWorkArea(area, value, length);
  Append(area, "\"");
}

void AppendItem(WorkArea *area, const char *item) {
  const size_t length = strnlen(item, SCRIPT_OPTION_TEXT_SIZE - 1);
  if (length > 0) AppendQuoted(area, "ITEM", item, length);
}

void AppendFlag(WorkArea *area, const char *name, SHORT value) {
  Append(area, " ");
  Append(area, name);
  Append(area, value ? "=TRUE" : "=FALSE");
}

bool BuildImage(const ScriptOptions *options, double width, double height, Reference data,
                char *out) {
  WorkArea area;
  StartWorkArea(&area, out, SCRIPT_TEXT_MAX);
  AppendOpening(&area, options, width, height);
  if (UsesTable(options)) Append(&area, ">");
  Append(&area, "<IMG SRC=\"file://");
  AppendToWorkArea(&area, data.text, data.length);
  Append(&area, "\">");
  Append(&area, UsesTable(options) ? "</TD></TR></TABLE></BODY></HTML>" : "</BODY></HTML>");
  return !area.full;
}

bool BuildBarcode(const ScriptOptions *options, double width, double height, Reference data,
                  char *out) {
  WorkArea area;
  StartWorkArea(&area, out, SCRIPT_TEXT_MAX);
  AppendOpening(&area, options, width, height);
  Append(&area, UsesTable(options) ? "><BARCODE" : "<BARCODE");
  if (options->objtype == 1) {
    Append(&area, " TYPE=QRCODE");
    AppendEntry(&area, kEccLevels, options->qrcode_qr_ecclevel);
    if (options->qrcode_qr_version == 0) {
      Append(&area, " VERSION=AUTO");
    } else if (options->qrcode_qr_version > 0 && options->qrcode_qr_version <= QR_VERSION_MAX) {
      char version[32];
      snprintf(version, sizeof version, " VERSION=%d", options->qrcode_qr_version);
      Append(&area, version);
    }
    AppendEntry(&area, kEncodeModes, options->qrcode_qr_encodemode);
    AppendFlag(&area, "SHOWHRTEXT", options->qrcode_qr_showhrtext);
    AppendFormatted(&area, " CELLSIZE=%g", options->qrcode_qr_cellsize);
    AppendQuoted(&area, "DATA", data.text, data.length);
    AppendItem(&area, options->qrcode_qr_option_text);
  } else {
    AppendEntry(&area, kBarcodeKinds, options->barcode_barcode_type);
    Append(&area, options->barcode_barcode_toji ? " TOJI=LEFT" : " TOJI=RIGHT");
    AppendFormatted(&area, " ELEMENTSIZE=%g", options->barcode_barcode_size);
    AppendQuoted(&area, "DATA", data.text, data.length);
    AppendItem(&area, options->barcode_barcode_option_text);
    AppendFlag(&area, "SHOWHRTEXT", options->barcode_barcode_fuse_ocr_text);
    AppendFlag(&area, "CHECKDIGIT", options->barcode_barcode_fuse_check_digit);
    if (options->barcode_barcode_fuse_trunc_height) {
      AppendFormatted(&area, " TRUNCHEIGHT=%g", options->barcode_barcode_trunc_height);
    }
  }
  Append(&area, UsesTable(options) ? "></TD></TR></TABLE></BODY></HTML>" : "></BODY></HTML>");
  return !area.full;
}

using Builder = bool (*)(const ScriptOptions *, double, double, Reference, char *);

void Build(Builder build, const char *panelText, const ScriptOptions *options, double width,
           double height, const char *own, const char *other, char *out) {
  if (build(options, width, height, ChooseReference(panelText, own, other), out)) return;
  // The panel's reference leaves no room for the rest of the mark-up.
  build(options, width, height, Reference{own, strlen(own)}, out);
}

}  // namespace

void BuildImageTag(const char *panelText, const ScriptOptions *options, double width, double height,
                   char *out) {
  Build(BuildImage, panelText, options, width, height, IMAGE_DATA_REFERENCE, BARCODE_DATA_REFERENCE,
        out);
}

void BuildBarcodeTag(const char *panelText, const ScriptOptions *options, double width,
                     double height, char *out) {
  Build(BuildBarcode, panelText, options, width, height, BARCODE_DATA_REFERENCE,
        IMAGE_DATA_REFERENCE, out);
}
