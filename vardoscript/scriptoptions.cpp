#include "vardoscript/scriptoptions.h"

#include <cstring>

namespace {

#define OPTION(FIELD, TYPE) PREFERENCE_SETTING(ScriptOptions, FIELD, TYPE)

const PreferenceKey SCRIPT_OPTION_KEYS[] = {
    OPTION(objtype, PREFERENCE_INTEGER),
    OPTION(horizontal_alignment, PREFERENCE_INTEGER),
    OPTION(vertical_alignment, PREFERENCE_INTEGER),
    OPTION(place_linkimage, PREFERENCE_INTEGER),
    OPTION(barcode_barcode_type, PREFERENCE_INTEGER),
    OPTION(barcode_barcode_toji, PREFERENCE_INTEGER),
    OPTION(barcode_barcode_size, PREFERENCE_REAL),
    OPTION(barcode_barcode_trunc_height, PREFERENCE_REAL),
    OPTION(barcode_barcode_option_text, PREFERENCE_STRING),
    OPTION(barcode_barcode_fuse_ocr_text, PREFERENCE_INTEGER),
    OPTION(barcode_barcode_fuse_check_digit, PREFERENCE_INTEGER),
    OPTION(barcode_barcode_fuse_trunc_height, PREFERENCE_INTEGER),
    OPTION(qrcode_qr_ecclevel, PREFERENCE_INTEGER),
    OPTION(qrcode_qr_version, PREFERENCE_INTEGER),
    OPTION(qrcode_qr_encodemode, PREFERENCE_INTEGER),
    OPTION(qrcode_qr_cellsize, PREFERENCE_REAL),
    OPTION(qrcode_qr_option_text, PREFERENCE_STRING),
    OPTION(qrcode_qr_showhrtext, PREFERENCE_INTEGER),
};

#undef OPTION

}  // namespace

const PreferenceFile SCRIPT_OPTIONS_FILE = {
    "Vardo2Script.ini", SCRIPT_OPTION_KEYS,
    sizeof SCRIPT_OPTION_KEYS / sizeof SCRIPT_OPTION_KEYS[0]};

void SetDefaultScriptOptions(ScriptOptions *options) {
  std::memset(options, 0, sizeof *options);
  options->objtype = 0;
  options->horizontal_alignment = 0;
  options->vertical_alignment = 0;
  options->place_linkimage = 1;
  options->barcode_barcode_type = 0;
  options->barcode_barcode_toji = 0;
  options->barcode_barcode_size = 1;
  options->barcode_barcode_trunc_height = 5;
  options->barcode_barcode_option_text[0] = '\0';
  options->barcode_barcode_fuse_ocr_text = 1;
  options->barcode_barcode_fuse_check_digit = 1;
  options->barcode_barcode_fuse_trunc_height = 0;
  options->qrcode_qr_ecclevel = 1;
  options->qrcode_qr_version = 0;
  options->qrcode_qr_encodemode = 0;
  options->qrcode_qr_cellsize = 0.5;
  options->qrcode_qr_option_text[0] = '\0';
  options->qrcode_qr_showhrtext = 1;
}
