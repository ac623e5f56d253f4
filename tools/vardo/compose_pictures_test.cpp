// vardo compose with the composition engine: the shipped example shows its
// records, and the problems the engine met are printed and listed in JSON.
#include <gtest/gtest.h>
#include <stdlib.h>

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
  auto run = Compose(kExamples + "template.svg " + kExamples + "addresses.csv -o " + Path("cards.svg") +
                     " --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("\"problems\": []"), std::string::npos) << run.out;
  const std::string svg = ReadFileBytes(Path("cards.svg"));
  for (const char *text : {"山田 太郎", "株式会社ヴァルド", "〒100-0001", "東京都千代田区千代田1-1", "佐藤 花子",
                           "有限会社 ｻﾄｳ商店"}) {
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
  WriteFileBytes(Path("card.svg"),
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
  const std::string common = Path("card.svg") + " " + Path("data.csv") + " --pictures " + Path("pictures");
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

}  // namespace
