#include "vardoscript/scriptoptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/testprofile.h"
#include "frame/testsettings.h"

namespace {

using ScriptOptionsFile = TestProfile;

TEST_F(ScriptOptionsFile, DefaultsAreWrittenAsEveryKeyInOrderAndNothingElse) {
  ScriptOptions options;
  SetDefaultScriptOptions(&options);
  ASSERT_TRUE(WritePreferences(&SCRIPT_OPTIONS_FILE, &options));
  EXPECT_EQ(Get(Prefs("Vardo2Script.ini")),
            "objtype = 0\r\n"
            "horizontal_alignment = 0\r\n"
            "vertical_alignment = 0\r\n"
            "place_linkimage = 1\r\n"
            "barcode_barcode_type = 0\r\n"
            "barcode_barcode_toji = 0\r\n"
            "barcode_barcode_size = 1\r\n"
            "barcode_barcode_trunc_height = 5\r\n"
            "barcode_barcode_option_text = \"\"\r\n"
            "barcode_barcode_fuse_ocr_text = 1\r\n"
            "barcode_barcode_fuse_check_digit = 1\r\n"
            "barcode_barcode_fuse_trunc_height = 0\r\n"
            "qrcode_qr_ecclevel = 1\r\n"
            "qrcode_qr_version = 0\r\n"
            "qrcode_qr_encodemode = 0\r\n"
            "qrcode_qr_cellsize = 0.5\r\n"
            "qrcode_qr_option_text = \"\"\r\n"
            "qrcode_qr_showhrtext = 1\r\n");
}

TEST_F(ScriptOptionsFile, WriteThenReadGivesBackEveryOption) {
  ScriptOptions changed;
  SetDefaultScriptOptions(&changed);
  changed.objtype = 1;
  changed.horizontal_alignment = 2;
  changed.vertical_alignment = 1;
  changed.place_linkimage = 0;
  changed.barcode_barcode_type = 28;
  changed.barcode_barcode_toji = -32768;
  changed.barcode_barcode_size = 0.125;
  changed.barcode_barcode_trunc_height = 12345.6;
  // 79 bytes: UTF-8 with spaces, commas, '=' and a backslash.
  std::string text = "\xE5\xB1\xB1\xE7\x94\xB0 a,b=c\\d ";
  while (text.size() < 79) text += 'x';
  std::strcpy(changed.barcode_barcode_option_text, text.c_str());
  changed.barcode_barcode_fuse_ocr_text = 0;
  changed.barcode_barcode_fuse_check_digit = 0;
  changed.barcode_barcode_fuse_trunc_height = 32767;
  changed.qrcode_qr_ecclevel = 3;
  changed.qrcode_qr_version = 40;
  changed.qrcode_qr_encodemode = 5;
  changed.qrcode_qr_cellsize = 1e-05;
  std::strcpy(changed.qrcode_qr_option_text, "https://example.com/?a=1,b=2");
  changed.qrcode_qr_showhrtext = 0;

  ScriptOptions defaults;
  SetDefaultScriptOptions(&defaults);
  for (const ScriptOptions &written : {changed, defaults}) {
    ASSERT_TRUE(WritePreferences(&SCRIPT_OPTIONS_FILE, &written));
    ScriptOptions read;
    SetDefaultScriptOptions(&read);
    if (&written == &defaults) read = changed;  // every option must move back
    ReadPreferences(&SCRIPT_OPTIONS_FILE, &read);
    ExpectSameSettings(&SCRIPT_OPTIONS_FILE, &read, &written);
  }
}

}  // namespace
