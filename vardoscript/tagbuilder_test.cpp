// The picture and barcode mark-up: one table of options, panel text and
// frame size against the exact mark-up.
#include "vardoscript/tagbuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

enum Command { kImage, kBarcode };

struct Case {
  const char *name;
  Command command;
  std::function<void(ScriptOptions &)> set;  // changes from the defaults
  std::string panel;
  double width, height;
  std::string expected;
};

const std::string kLinearDefaults =
    " TOJI=RIGHT ELEMENTSIZE=1 DATA=\"[barcode_data]\" SHOWHRTEXT=TRUE CHECKDIGIT=TRUE";
const std::string kTable = "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD ";
const std::string kTableEnd = "</TD></TR></TABLE></BODY></HTML>";

void None(ScriptOptions &) {}

const Case kCases[] = {
    {"defaults, barcode", kBarcode, None, "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=JAN_LONG" + kLinearDefaults + "></BODY></HTML>"},
    {"defaults, QR code", kBarcode, [](ScriptOptions &o) { o.objtype = 1; }, "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=AUTO ENCODEMODE=AUTO SHOWHRTEXT=TRUE "
     "CELLSIZE=0.5 "
     "DATA=\"[barcode_data]\"></BODY></HTML>"},
    {"defaults, picture", kImage, None, "", 0, 0,
     "<HTML><BODY><IMG SRC=\"file://[image_path]\"></BODY></HTML>"},
    {"centre and middle: sizes cut to one decimal", kImage,
     [](ScriptOptions &o) { o.horizontal_alignment = 1, o.vertical_alignment = 1; }, "", 120.37,
     80.04,
     kTable + "WIDTH=120.3 HEIGHT=80 ALIGN=CENTER VALIGN=MIDDLE><IMG SRC=\"file://[image_path]\">" +
         kTableEnd},
    {"right alignment without a frame, barcode", kBarcode,
     [](ScriptOptions &o) { o.horizontal_alignment = 2; }, "", 0, 0,
     kTable + "WIDTH=0 HEIGHT=0 ALIGN=RIGHT VALIGN=TOP><BARCODE TYPE=JAN_LONG" + kLinearDefaults +
         ">" + kTableEnd},
    {"bottom alignment alone uses the table", kImage,
     [](ScriptOptions &o) { o.vertical_alignment = 2; }, "", 10.99, 5,
     kTable + "WIDTH=10.9 HEIGHT=5 ALIGN=LEFT VALIGN=BOTTOM><IMG SRC=\"file://[image_path]\">" +
         kTableEnd},
    {"the other command's default becomes this one's", kImage, None, "[barcode_data]", 0, 0,
     "<HTML><BODY><IMG SRC=\"file://[image_path]\"></BODY></HTML>"},
    {"... both ways", kBarcode, None, "x [image_path] y", 0, 0,
     "<HTML><BODY><BARCODE TYPE=JAN_LONG" + kLinearDefaults + "></BODY></HTML>"},
    {"\"[\" without \"]\" after it keeps the default", kImage, None, "a]b[c", 0, 0,
     "<HTML><BODY><IMG SRC=\"file://[image_path]\"></BODY></HTML>"},
    {"a tag in the panel keeps its field", kBarcode, None,
     "<HTML><BODY><IMG SRC=\"file://[photo]\"></BODY></HTML>", 0, 0,
     "<HTML><BODY><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=1 DATA=\"[photo]\" SHOWHRTEXT=TRUE "
     "CHECKDIGIT=TRUE></BODY></HTML>"},
    {"first \"[\" to the first \"]\" after it", kImage, None, "[[a]b]\r[c]", 0, 0,
     "<HTML><BODY><IMG SRC=\"file://[[a]\"></BODY></HTML>"},
    {"multi-byte field", kImage, None, "[\xE5\x86\x99\xE7\x9C\x9F]", 0, 0,
     "<HTML><BODY><IMG SRC=\"file://[\xE5\x86\x99\xE7\x9C\x9F]\"></BODY></HTML>"},
    {"QR version 12, level H, kanji, no text, item", kBarcode,
     [](ScriptOptions &o) {
       o.objtype = 1, o.qrcode_qr_version = 12, o.qrcode_qr_ecclevel = 3,
       o.qrcode_qr_encodemode = 4;
       o.qrcode_qr_showhrtext = 0, o.qrcode_qr_cellsize = 0.33;
       std::strcpy(o.qrcode_qr_option_text, "\xE5\x95\x86\xE5\x93\x81");
     },
     "[code]", 0, 0,
     "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=H VERSION=12 ENCODEMODE=KANJI SHOWHRTEXT=FALSE "
     "CELLSIZE=0.33 "
     "DATA=\"[code]\" ITEM=\"\xE5\x95\x86\xE5\x93\x81\"></BODY></HTML>"},
    {"QR version 40 and level L, mixed", kBarcode,
     [](ScriptOptions &o) {
       o.objtype = 1, o.qrcode_qr_version = 40, o.qrcode_qr_ecclevel = 0,
       o.qrcode_qr_encodemode = 5;
     },
     "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=L VERSION=40 ENCODEMODE=MIXED SHOWHRTEXT=TRUE "
     "CELLSIZE=0.5 "
     "DATA=\"[barcode_data]\"></BODY></HTML>"},
    {"linear: kind, binding side, sizes, item unescaped, flags off, fixed height", kBarcode,
     [](ScriptOptions &o) {
       o.barcode_barcode_type = 17, o.barcode_barcode_toji = 1, o.barcode_barcode_size = 0.3333333;
       std::strcpy(o.barcode_barcode_option_text, "say \"hi\"");
       o.barcode_barcode_fuse_ocr_text = 0, o.barcode_barcode_fuse_check_digit = 0;
       o.barcode_barcode_fuse_trunc_height = 1, o.barcode_barcode_trunc_height = 15.9;
     },
     "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=CODE39 TOJI=LEFT ELEMENTSIZE=0.333333 DATA=\"[barcode_data]\" "
     "ITEM=\"say \"hi\"\" "
     "SHOWHRTEXT=FALSE CHECKDIGIT=FALSE TRUNCHEIGHT=15.9></BODY></HTML>"},
    {"the last barcode kind", kBarcode, [](ScriptOptions &o) { o.barcode_barcode_type = 28; }, "",
     0, 0, "<HTML><BODY><BARCODE TYPE=RSS_14_OMNIDIRCTIONAL" + kLinearDefaults + "></BODY></HTML>"},
    {"QR item text is not used by a linear barcode", kBarcode,
     [](ScriptOptions &o) { std::strcpy(o.qrcode_qr_option_text, "qr"); }, "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=JAN_LONG" + kLinearDefaults + "></BODY></HTML>"},
    {"objtype other than 1 is a linear barcode", kBarcode, [](ScriptOptions &o) { o.objtype = 2; },
     "", 0, 0, "<HTML><BODY><BARCODE TYPE=JAN_LONG" + kLinearDefaults + "></BODY></HTML>"},
    {"place_linkimage is not in the mark-up", kImage,
     [](ScriptOptions &o) { o.place_linkimage = 0; }, "", 0, 0,
     "<HTML><BODY><IMG SRC=\"file://[image_path]\"></BODY></HTML>"},
    {"%g: large and small numbers", kBarcode,
     [](ScriptOptions &o) {
       o.barcode_barcode_size = 1234567, o.barcode_barcode_fuse_trunc_height = 1,
       o.barcode_barcode_trunc_height = 0.00001;
     },
     "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=1.23457e+06 "
     "DATA=\"[barcode_data]\" "
     "SHOWHRTEXT=TRUE CHECKDIGIT=TRUE TRUNCHEIGHT=1e-05></BODY></HTML>"},
    // Indices outside their lists, as a hand-edited options file can hold:
    // the attribute is left out, the rest is as usual.
    {"barcode kind outside its list", kBarcode,
     [](ScriptOptions &o) { o.barcode_barcode_type = 29; }, "", 0, 0,
     "<HTML><BODY><BARCODE" + kLinearDefaults + "></BODY></HTML>"},
    {"negative barcode kind", kBarcode, [](ScriptOptions &o) { o.barcode_barcode_type = -1; }, "",
     0, 0, "<HTML><BODY><BARCODE" + kLinearDefaults + "></BODY></HTML>"},
    {"QR level, version and mode outside their lists", kBarcode,
     [](ScriptOptions &o) {
       o.objtype = 1, o.qrcode_qr_ecclevel = 4, o.qrcode_qr_version = 41,
       o.qrcode_qr_encodemode = -2;
     },
     "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=QRCODE SHOWHRTEXT=TRUE CELLSIZE=0.5 "
     "DATA=\"[barcode_data]\"></BODY></HTML>"},
    {"negative QR version", kBarcode,
     [](ScriptOptions &o) { o.objtype = 1, o.qrcode_qr_version = -1; }, "", 0, 0,
     "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=M ENCODEMODE=AUTO SHOWHRTEXT=TRUE CELLSIZE=0.5 "
     "DATA=\"[barcode_data]\"></BODY></HTML>"},
    {"alignments outside their lists still ask for the table", kImage,
     [](ScriptOptions &o) { o.horizontal_alignment = 3, o.vertical_alignment = -1; }, "", 1, 2,
     kTable + "WIDTH=1 HEIGHT=2><IMG SRC=\"file://[image_path]\">" + kTableEnd},
};

std::string BuildCase(const Case &c) {
  ScriptOptions options;
  SetDefaultScriptOptions(&options);
  c.set(options);
  char out[SCRIPT_TEXT_SIZE];
  std::memset(out, '#', sizeof out);
  if (c.command == kImage) {
    BuildImageTag(c.panel.c_str(), &options, c.width, c.height, out);
  } else {
    BuildBarcodeTag(c.panel.c_str(), &options, c.width, c.height, out);
  }
  return out;
}

TEST(TagBuilder, MarkupForOptionsPanelTextAndFrameSize) {
  for (const Case &c : kCases) EXPECT_EQ(BuildCase(c), c.expected) << c.name;
}

TEST(TagBuilder, AReferenceTooLongForThePanelGivesWayToTheDefault) {
  ScriptOptions options;
  SetDefaultScriptOptions(&options);
  options.horizontal_alignment = 1;
  char out[SCRIPT_TEXT_SIZE];
  // The longest reference that fits, and one byte more.
  const std::string fixed =
      kTable + "WIDTH=0 HEIGHT=0 ALIGN=CENTER VALIGN=TOP><IMG SRC=\"file://\">" + kTableEnd;
  const std::string fits = "[" + std::string(SCRIPT_TEXT_MAX - fixed.size() - 2, 'x') + "]";
  BuildImageTag(("text " + fits + " more").c_str(), &options, 0, 0, out);
  EXPECT_EQ(std::strlen(out), static_cast<size_t>(SCRIPT_TEXT_MAX));
  EXPECT_NE(std::string(out).find(fits), std::string::npos);
  const std::string tooLong = "[" + std::string(fits.size() - 1, 'x') + "]";
  BuildImageTag(tooLong.c_str(), &options, 0, 0, out);
  EXPECT_EQ(std::string(out),
            kTable + "WIDTH=0 HEIGHT=0 ALIGN=CENTER VALIGN=TOP><IMG SRC=\"file://[image_path]\">" +
                kTableEnd);
  BuildBarcodeTag(tooLong.c_str(), &options, 0, 0, out);
  EXPECT_NE(std::string(out).find("DATA=\"[barcode_data]\""), std::string::npos);
}

}  // namespace
