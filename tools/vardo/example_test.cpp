// The shipped example, which ./dev.sh run shows, still reads as its README
// describes it.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "vardo_testing.h"

namespace {

const std::string kExamples = VARDO_SOURCE_DIR "/examples/";

TEST(ShippedExample, TheTableAndTheTemplateReadAsDescribed) {
  vardo::testing::VardoRun table =
      vardo::testing::RunVardo("table dump " + kExamples + "addresses.csv");
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out.rfind("{\"loaded\": true, \"encoding\": 4, \"count\": 13,", 0), 0u)
      << table.out;
  EXPECT_NE(table.out.find("\"東京都渋谷区神宮前4-1 表参道ビル\", \"有限会社 ｻﾄｳ商店\""),
            std::string::npos);
  EXPECT_NE(table.out.find("\"大阪府大阪市北区梅田1-1, 3階\""), std::string::npos);
  EXPECT_NE(table.out.find("\"\\\"高橋\\\"デザイン\""), std::string::npos);
  EXPECT_NE(table.out.find("\"写真\", \"JAN\"]"), std::string::npos);
  EXPECT_NE(table.out.find("\"photos/yamada.png\", \"490000000048\"]"), std::string::npos)
      << table.out;

  vardo::testing::VardoRun scripts =
      vardo::testing::RunVardo("script list --json " + kExamples + "card.svg");
  ASSERT_EQ(scripts.status, 0) << scripts.err;
  const struct {
    const char *frame;
    const char *script;
  } frames[] = {
      {"name", "[氏名]"},
      {"company", "[会社]"},
      {"address",
       "<font size=7pt>〒[郵便番号]</font>\\r\\n[住所]\\r\\n<font size=6pt>[ウェブ]</font>"},
      {"photo",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=CENTER "
       "VALIGN=MIDDLE><IMG SRC=\\\"file://[写真]\\\"></TD></TR></TABLE></BODY></HTML>"},
      {"jan",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=LEFT "
       "VALIGN=BOTTOM><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=0.8 DATA=\\\"[JAN]\\\" "
       "SHOWHRTEXT=TRUE CHECKDIGIT=TRUE TRUNCHEIGHT=10></TD></TR></TABLE></BODY></HTML>"},
      {"qr",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=CENTER "
       "VALIGN=MIDDLE><BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=AUTO ENCODEMODE=AUTO "
       "SHOWHRTEXT=FALSE CELLSIZE=0.4 DATA=\\\"[ウェブ]\\\"></TD></TR></TABLE></BODY></HTML>"},
  };
  for (const char *card : {"card1", "card10"}) {
    for (const auto &f : frames) {
      const std::string id = std::string(card) + "-" + f.frame;
      SCOPED_TRACE(id);
      const size_t at = scripts.out.find("\"id\": \"" + id + "\"");
      ASSERT_NE(at, std::string::npos) << scripts.out;
      EXPECT_EQ(scripts.out.find("\"carriesScript\": true", at),
                scripts.out.find("\"carriesScript\"", at));
      EXPECT_EQ(scripts.out.find("\"script\": \"" + std::string(f.script) + "\"", at),
                scripts.out.find("\"script\"", at))
          << scripts.out;
    }
  }
}

// The README's main command: ten cards a sheet, twelve people, two
// documents and a PDF of two A4 pages.
TEST(ShippedExample, MergesIntoTwoSheetsAndTheirPdf) {
  namespace fs = std::filesystem;
  std::string dir = ::testing::TempDir() + "vardo-example-XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  fs::create_directory(dir + "/profile");
  vardo::testing::VardoRun run = vardo::testing::RunVardo(
      "merge " + kExamples + "card.svg " + kExamples + "addresses.csv --pictures " + kExamples +
      " --out " + dir + "/out --pdf " + dir + "/out/cards.pdf --clear-unused --json --quiet" +
      " --profile " + dir + "/profile");
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected = "{\"documents\": [{\"file\": \"" + dir +
                         "/out/card_001.svg\", \"first\": 1, \"last\": 10, \"slots\": [";
  for (int r = 1; r <= 10; ++r) {
    expected += (r > 1 ? ", " : "") + std::string("{\"slot\": \"card") + std::to_string(r) +
                "\", \"record\": " + std::to_string(r) + "}";
  }
  expected += "]}, {\"file\": \"" + dir + "/out/card_011.svg\", \"first\": 11, \"last\": 12, " +
              "\"slots\": [{\"slot\": \"card1\", \"record\": 11}, {\"slot\": \"card2\", " +
              "\"record\": 12}]}], \"records\": 12, \"problems\": [], \"aborted\": false, " +
              "\"pdf\": \"" + dir + "/out/cards.pdf\"}\n";
  EXPECT_EQ(run.out, expected);
  std::set<std::string> files;
  for (const auto &e : fs::directory_iterator(dir + "/out")) files.insert(e.path().filename());
  EXPECT_EQ(files, (std::set<std::string>{"card_001.svg", "card_011.svg", "cards.pdf"}));
  const std::string info = dir + "/info";
  ASSERT_EQ(system(("pdfinfo " + dir + "/out/cards.pdf > " + info).c_str()), 0);
  const std::string text = vardo::testing::ReadFileBytes(info);
  EXPECT_NE(text.find("Pages:           2\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" pts (A4)\n"), std::string::npos) << text;
  // The first card's photo (examples/photos/yamada.png, all #18499D) lies at
  // x 78 to 100 and y 16.25 to 43.75 of the 210 x 297 sheet; the photos lie
  // outside the output folder, which a renderer may refuse to follow.
  ASSERT_EQ(
      system(("pdftoppm -r 36 -f 1 -l 1 -singlefile " + dir + "/out/cards.pdf " + dir + "/page")
                 .c_str()),
      0);
  const std::string ppm = vardo::testing::ReadFileBytes(dir + "/page.ppm");
  int width = 0, height = 0, depth = 0, header = 0;
  ASSERT_EQ(sscanf(ppm.c_str(), "P6 %d %d %d%n", &width, &height, &depth, &header), 3);
  auto pixel = [&](double x, double y) {
    const size_t at =
        header + 1 +
        3 * (static_cast<size_t>(y / 297 * height) * width + static_cast<size_t>(x / 210 * width));
    char hex[8];
    snprintf(hex, sizeof hex, "%02X%02X%02X", static_cast<unsigned char>(ppm.at(at)),
             static_cast<unsigned char>(ppm.at(at + 1)),
             static_cast<unsigned char>(ppm.at(at + 2)));
    return std::string(hex);
  };
  EXPECT_EQ(pixel(89, 30), "18499D");
  EXPECT_EQ(pixel(80, 20), "18499D");
  EXPECT_NE(pixel(110, 30), "18499D");
  const std::string last = vardo::testing::ReadFileBytes(dir + "/out/card_011.svg");
  EXPECT_NE(last.find("<g id=\"card3\" style=\"display:none\""), std::string::npos);
  EXPECT_EQ(last.find("<g id=\"card2\" style=\"display:none\""), std::string::npos);
  fs::remove_all(dir);
}

TEST(ShippedExample, ComposedCardsCarryAScanningJanAndQrCode) {
  const std::string out = ::testing::TempDir() + "/example-cards.svg";
  const std::string png = ::testing::TempDir() + "/example-cards.png";
  vardo::testing::VardoRun run = vardo::testing::RunVardo(
      "compose " + kExamples + "card.svg " + kExamples + "addresses.csv --record 11 -o " + out);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(std::system(("rsvg-convert -b white -d 300 -p 300 -o " + png + " " + out).c_str()), 0);
  std::string scanned;
  if (FILE *pipe = popen(("zbarimg -q " + png + " 2>/dev/null | sort").c_str(), "r")) {
    char buffer[1024];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) scanned.append(buffer, n);
    pclose(pipe);
  }
  // Records 11 and 12 in the first two cards, the other cards left as
  // drawn: JAN 490000000418 and 490000000455 with their check digits (2 and
  // 7), and their web addresses.
  EXPECT_EQ(scanned,
            "EAN-13:4900000004182\nEAN-13:4900000004557\n"
            "QR-Code:https://example.com/matsumoto\nQR-Code:https://example.com/yoshida\n");
}

}  // namespace
