// vardo compose with the composition engine: the shipped example shows its
// records, and the problems the engine met are printed and listed in JSON.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "vardo_testing.h"

namespace {

namespace fs = std::filesystem;

using vardo::testing::ReadFileBytes;
using vardo::testing::WriteFileBytes;

const std::string kExamples = VARDO_SOURCE_DIR "/examples/";

class ComposeWithEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / "composeengine";
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "profile");
  }
  std::string Path(const std::string &name) const { return (dir_ / name).string(); }
  vardo::testing::VardoRun Compose(const std::string &arguments) {
    return vardo::testing::RunVardo("compose " + arguments + " --profile " + Path("profile"));
  }
  fs::path dir_;
};

TEST_F(ComposeWithEngine, TheShippedExampleShowsItsRecords) {
  auto run = Compose(kExamples + "card.svg " + kExamples + "addresses.csv -o " + Path("cards.svg") +
                     " --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("\"problems\": []"), std::string::npos) << run.out;
  const std::string svg = ReadFileBytes(Path("cards.svg"));
  for (const char *text : {"山田 太郎", "株式会社ヴァルド", "〒100-0001", "東京都千代田区千代田1-1",
                           "佐藤 花子", "有限会社 ｻﾄｳ商店"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
  // The photos are linked where they lie, relative to the output's folder.
  const std::string photos = fs::relative(kExamples + "photos", dir_).generic_string();
  EXPECT_NE(svg.find("xlink:href=\"" + photos + "/yamada.png\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("xlink:href=\"" + photos + "/sato.png\""), std::string::npos);
}

TEST_F(ComposeWithEngine, ProblemsArePrintedAndListed) {
  fs::create_directories(dir_ / "pictures");
  WriteFileBytes(Path("pictures/note.png"), "not a picture\n");
  WriteFileBytes(
      Path("card.svg"),
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:vardotag=\"urn:vardo:tag:1\""
      " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" viewBox=\"0 0 300 200\">"
      "<defs><rect id=\"box\" x=\"10\" y=\"50\" width=\"100\" height=\"100\"/></defs>"
      "<g inkscape:groupmode=\"layer\" id=\"l\"><g id=\"slot\">"
      "<g id=\"t1\" vardotag:vardo2_group=\"\"><text id=\"text\" x=\"10\" y=\"20\""
      " vardotag:vardo2_script=\"[name] [nosuch] &lt;b&gt;\">x</text></g>"
      "<g id=\"t2\" vardotag:vardo2_group=\"\"><text id=\"photo\" style=\"shape-inside:url(#box)\""
      " vardotag:vardo2_script=\"&lt;IMG SRC=&quot;file://[photo]&quot;&gt;\">p</text></g>"
      "</g></g></svg>");
  WriteFileBytes(Path("data.csv"), "name,photo\r\nAnn,note.png\r\nBen,../card.svg\r\n");
  const std::string common =
      Path("card.svg") + " " + Path("data.csv") + " --pictures " + Path("pictures");
  auto run = Compose(common + " -o " + Path("out.svg") + " --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("record 1, frame text-1: unknown-field: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("record 1, frame text-1: markup: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("record 1, frame photo-1: not-a-picture: "), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("{\"record\": 1, \"frame\": \"text-1\", \"kind\": \"markup\""),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"kind\": \"not-a-picture\""), std::string::npos) << run.out;

  // Record 2's picture lies outside the picture folder, unless allowed.
  run = Compose(common + " -o " + Path("out2.svg") + " --record 2");
  EXPECT_NE(run.err.find("picture-outside"), std::string::npos) << run.err;
  run = Compose(common + " -o " + Path("out3.svg") + " --record 2 --any-picture-path");
  EXPECT_EQ(run.err.find("picture-outside"), std::string::npos) << run.err;
  EXPECT_NE(ReadFileBytes(Path("out3.svg")).find("xlink:href=\"card.svg\""), std::string::npos);
}

TEST_F(ComposeWithEngine, BadBarcodeDataIsReportedAndNothingDrawn) {
  // A millimetre card whose one frame draws the barcode of the record's
  // "code" in a cell, as the tag builder writes it.
  auto card = [](const std::string &attributes) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:vardotag=\"urn:vardo:tag:1\""
           " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\""
           " width=\"91mm\" height=\"55mm\" viewBox=\"0 0 91 55\">"
           "<defs><rect id=\"box\" x=\"5\" y=\"5\" width=\"80\" height=\"45\"/></defs>"
           "<g inkscape:groupmode=\"layer\" id=\"l\"><g id=\"slot\">"
           "<g id=\"t\" vardotag:vardo2_group=\"\"><text id=\"code\""
           " style=\"shape-inside:url(#box);font-family:IPAGothic;font-size:3.175px\""
           " vardotag:vardo2_script='&lt;HTML&gt;&lt;BODY&gt;&lt;TABLE CELLPADDING=0"
           " CELLSPACING=0&gt;&lt;TR&gt;&lt;TD WIDTH=0 HEIGHT=0 ALIGN=LEFT VALIGN=TOP&gt;"
           "&lt;BARCODE " +
           attributes +
           " DATA=\"[code]\"&gt;&lt;/TD&gt;&lt;/TR&gt;&lt;/TABLE&gt;&lt;/BODY&gt;&lt;/HTML&gt;'"
           ">code</text></g></g></g></svg>";
  };
  struct {
    const char *attributes, *code;
    const char *reason;  // a part of the problem's detail; null: drawn, no problem
  } cases[] = {
      {"TYPE=JAN_LONG", "490123456789", nullptr},
      {"TYPE=QRCODE VERSION=1 ECCLEVEL=H", "VARDO", nullptr},
      {"TYPE=JAN_LONG", "49012345678A", "takes 12 digits"},
      {"TYPE=JAN_SHORT", "490123", "takes 7 digits"},
      {"TYPE=JAN_LONG CHECKDIGIT=FALSE", "4901234567890", "should be 4"},
      {"TYPE=ANSI_CODABAR CHECKDIGIT=FALSE", "12345", "\"A\", \"B\", \"C\" or \"D\""},
      {"TYPE=QRCODE VERSION=1 ECCLEVEL=H", "https://example.com/vardo", "too long"},
      {"TYPE=QRCODE ENCODEMODE=NUMERIC", "12a", "digits only"},
      {"TYPE=QRCODE ENCODEMODE=ASCII", "Vardo", "alphanumeric"},
      {"TYPE=QRCODE ENCODEMODE=KANJI", "山田 Taro", "JIS X 0208"},
  };
  for (const auto &c : cases) {
    const std::string what = std::string(c.attributes) + " " + c.code;
    WriteFileBytes(Path("card.svg"), card(c.attributes));
    WriteFileBytes(Path("data.csv"), std::string("code\r\n") + c.code + "\r\n");
    fs::remove(Path("out.svg"));
    auto run = Compose(Path("card.svg") + " " + Path("data.csv") + " -o " + Path("out.svg"));
    EXPECT_EQ(run.status, 0) << what << ": " << run.err;
    const std::string out = ReadFileBytes(Path("out.svg"));
    ASSERT_NE(out, "") << what;
    if (!c.reason) {
      EXPECT_EQ(run.err, "") << what;
      EXPECT_NE(out.find("<path"), std::string::npos) << what;
      continue;
    }
    const std::string prefix = "record 1, frame code-1: bad-barcode-data: ";
    EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << what << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << ": " << run.err;
    EXPECT_NE(run.err.find(c.reason, prefix.size()), std::string::npos) << what << ": " << run.err;
    EXPECT_EQ(out.find("<path"), std::string::npos) << what;
  }
}

}  // namespace
