// The script-authoring plug-in's options: what the picture and barcode
// commands build their mark-up from, kept in "Vardo2Script.ini".
//
// VardoScript fills the record with the defaults at start-up, then from the
// file, and writes the file when an options dialog is confirmed. Vardo reads
// the same file for place_linkimage alone before each composition.
#pragma once

#include <windows.h>

#include "frame/preferencefile.h"

// Capacity of the two item texts: 79 bytes of UTF-8 and the NUL.
#define SCRIPT_OPTION_TEXT_SIZE 80

// Field names are the keys of the options file.
struct ScriptOptions {
  SHORT objtype;                        // 1 a QR code, anything else a linear barcode
  SHORT horizontal_alignment;           // 0 left, 1 centre, 2 right
  SHORT vertical_alignment;             // 0 top, 1 middle, 2 bottom
  SHORT place_linkimage;                // non-zero: pictures are placed linked
  SHORT barcode_barcode_type;           // index into the barcode kinds
  SHORT barcode_barcode_toji;           // binding side: non-zero left, 0 right
  double barcode_barcode_size;          // bar module magnification
  double barcode_barcode_trunc_height;  // fixed module height, mm
  char barcode_barcode_option_text[SCRIPT_OPTION_TEXT_SIZE];  // UTF-8
  SHORT barcode_barcode_fuse_ocr_text;                        // print the human-readable text
  SHORT barcode_barcode_fuse_check_digit;                     // compute the check digit
  SHORT barcode_barcode_fuse_trunc_height;                    // use barcode_barcode_trunc_height
  SHORT qrcode_qr_ecclevel;                             // error-correction level index, 0 to 3
  SHORT qrcode_qr_version;                              // 0 automatic, 1 to 40 fixed
  SHORT qrcode_qr_encodemode;                           // encoding mode index, 0 to 5
  double qrcode_qr_cellsize;                            // cell size, mm
  char qrcode_qr_option_text[SCRIPT_OPTION_TEXT_SIZE];  // UTF-8
  SHORT qrcode_qr_showhrtext;                           // print the human-readable text
};

// "Vardo2Script.ini" with its keys in writing order.
extern const PreferenceFile SCRIPT_OPTIONS_FILE;

// Sets every option to its value before any file has been read.
void SetDefaultScriptOptions(ScriptOptions *options);
