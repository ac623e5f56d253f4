// The shipped example, which ./dev.sh run shows, still reads as its README
// describes it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "vardo_testing.h"

namespace {

const std::string kExamples = VARDO_SOURCE_DIR "/examples/";

TEST(ShippedExample, TheTableAndTheTemplateReadAsDescribed) {
  vardo::testing::VardoRun table = vardo::testing::RunVardo("table dump " + kExamples + "addresses.csv");
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out.rfind("{\"loaded\": true, \"encoding\": 4, \"count\": 6,", 0), 0u) << table.out;
  EXPECT_NE(table.out.find("\"東京都渋谷区神宮前4-1 表参道ビル\", \"有限会社 ｻﾄｳ商店\""), std::string::npos);
  EXPECT_NE(table.out.find("\"大阪府大阪市北区梅田1-1, 3階\""), std::string::npos);
  EXPECT_NE(table.out.find("\"\\\"高橋\\\"デザイン\""), std::string::npos);
  EXPECT_NE(table.out.find("\"写真\"]"), std::string::npos);
  EXPECT_NE(table.out.find("\"photos\\\\yamada.png\"]"), std::string::npos) << table.out;

  vardo::testing::VardoRun scripts = vardo::testing::RunVardo("script list --json " + kExamples + "template.svg");
  ASSERT_EQ(scripts.status, 0) << scripts.err;
  const struct {
    const char *frame;
    const char *script;
  } frames[] = {
      {"name", "[氏名]"},
      {"company", "[会社]"},
      {"address", "<font size=7pt>〒[郵便番号]</font>\\r\\n[住所]\\r\\n<font size=6pt>[ウェブ]</font>"},
      {"photo", "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=CENTER "
                "VALIGN=MIDDLE><IMG SRC=\\\"file://[写真]\\\"></TD></TR></TABLE></BODY></HTML>"},
      {"jan", "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=LEFT "
              "VALIGN=BOTTOM><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=0.8 DATA=\\\"[JAN]\\\" "
              "SHOWHRTEXT=TRUE CHECKDIGIT=TRUE TRUNCHEIGHT=10></TD></TR></TABLE></BODY></HTML>"},
      {"qr", "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=CENTER "
             "VALIGN=MIDDLE><BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=AUTO ENCODEMODE=AUTO "
             "SHOWHRTEXT=FALSE CELLSIZE=0.4 DATA=\\\"[ウェブ]\\\"></TD></TR></TABLE></BODY></HTML>"},
  };
  for (const char *card : {"card1", "card2"}) {
    for (const auto &f : frames) {
      const std::string id = std::string(card) + "-" + f.frame;
      SCOPED_TRACE(id);
      const size_t at = scripts.out.find("\"id\": \"" + id + "\"");
      ASSERT_NE(at, std::string::npos) << scripts.out;
      EXPECT_EQ(scripts.out.find("\"carriesScript\": true", at), scripts.out.find("\"carriesScript\"", at));
      EXPECT_EQ(scripts.out.find("\"script\": \"" + std::string(f.script) + "\"", at),
                scripts.out.find("\"script\"", at))
          << scripts.out;
    }
  }
}

TEST(ShippedExample, ComposedCardsCarryAScanningJanAndQrCode) {
  const std::string out = ::testing::TempDir() + "/example-cards.svg";
  const std::string png = ::testing::TempDir() + "/example-cards.png";
  vardo::testing::VardoRun run = vardo::testing::RunVardo(
      "compose " + kExamples + "template.svg " + kExamples + "addresses.csv -o " + out);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(std::system(("rsvg-convert -b white -d 300 -p 300 -o " + png + " " + out).c_str()), 0);
  std::string scanned;
  if (FILE *pipe = popen(("zbarimg -q " + png + " 2>/dev/null | sort").c_str(), "r")) {
    char buffer[1024];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) scanned.append(buffer, n);
    pclose(pipe);
  }
  // Records 1 and 2: JAN 491234500001 and 491234500002 with their check
  // digits (9 and 6), and their web addresses.
  EXPECT_EQ(scanned,
            "EAN-13:4912345000019\nEAN-13:4912345000026\n"
            "QR-Code:https://example.com/sato\nQR-Code:https://example.com/yamada\n");
}

}  // namespace
