// vardo merge and vardo check, run as a person runs them: the built
// program, every module of the plug-ins folder, files in a temporary folder.
// Without the composition engine the slots are collapsed, not filled; what
// the engine was sent is read from --json.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "vardo_testing.h"

namespace {

namespace fs = std::filesystem;

using vardo::testing::ReadFileBytes;
using vardo::testing::WriteFileBytes;

// Three record slots in file order s1, s2, s3 on a 300 x 200 pt page.
const char kTemplate[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"300\" height=\"200\" viewBox=\"0 0 300 "
    "200\"\n"
    " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
    "xmlns:vardotag=\"urn:vardo:tag:1\">\n"
    "<g id=\"L\" inkscape:groupmode=\"layer\">\n"
    "<g id=\"s1\"><g id=\"t1\" vardotag:vardo2_group=\"\"><text id=\"f1\" x=\"20\" y=\"40\"\n"
    "  vardotag:vardo2_script=\"[name]\">one</text></g></g>\n"
    "<g id=\"s2\"><g id=\"t2\" vardotag:vardo2_group=\"\"><text id=\"f2\" x=\"20\" y=\"90\"\n"
    "  vardotag:vardo2_script=\"[name]\">two</text></g></g>\n"
    "<g id=\"s3\"><g id=\"t3\" vardotag:vardo2_group=\"\"><text id=\"f3\" x=\"20\" y=\"140\"\n"
    "  vardotag:vardo2_script=\"[name]\">three</text></g></g>\n"
    "</g>\n"
    "</svg>\n";

std::string Table(int records) {
  std::string text = "name,tel\r\n";
  for (int r = 1; r <= records; ++r) {
    text += "N" + std::to_string(r) + "," + std::to_string(r) + "\r\n";
  }
  return text;
}

class MergeCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::TempDir() + "vardo-merge-XXXXXX";
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name;
    fs::create_directory(Path("profile"));
    WriteFileBytes(Path("card.svg"), kTemplate);
    WriteFileBytes(Path("data.csv"), Table(8));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }
  vardo::testing::VardoRun Vardo(const std::string &command, const std::string &arguments) {
    return vardo::testing::RunVardo(command + " " + arguments + " --profile " + Path("profile"));
  }
  vardo::testing::VardoRun Merge(const std::string &arguments) {
    return Vardo("merge", Path("card.svg") + " " + Path("data.csv") + " " + arguments);
  }
  std::set<std::string> Files(const std::string &dir) {
    std::set<std::string> names;
    for (const auto &e : fs::directory_iterator(Path(dir))) names.insert(e.path().filename());
    return names;
  }
  std::string dir_;
};

TEST_F(MergeCommand, EveryRecordGoesOnceAndInSlotOrderIntoNumberedDocumentsInTheOutFolder) {
  auto run = Merge("--out " + Path("out") + " --json --quiet");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Files("out"), (std::set<std::string>{"card_001.svg", "card_004.svg", "card_007.svg"}));
  const std::string out = Path("out");
  EXPECT_EQ(
      run.out,
      "{\"documents\": [{\"file\": \"" + out +
          "/card_001.svg\", \"first\": 1, \"last\": 3, "
          "\"slots\": [{\"slot\": \"s1\", \"record\": 1}, {\"slot\": \"s2\", \"record\": 2}, "
          "{\"slot\": \"s3\", \"record\": 3}]}, "
          "{\"file\": \"" +
          out +
          "/card_004.svg\", \"first\": 4, \"last\": 6, "
          "\"slots\": [{\"slot\": \"s1\", \"record\": 4}, {\"slot\": \"s2\", \"record\": 5}, "
          "{\"slot\": \"s3\", \"record\": 6}]}, "
          "{\"file\": \"" +
          out +
          "/card_007.svg\", \"first\": 7, \"last\": 8, "
          "\"slots\": [{\"slot\": \"s1\", \"record\": 7}, {\"slot\": \"s2\", \"record\": 8}]}], "
          "\"records\": 8, \"problems\": [], \"aborted\": false}\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFileBytes(Path("card.svg")), kTemplate);
  // The last document's third slot received no record and keeps the template's art.
  const std::string last = ReadFileBytes(Path("out/card_007.svg"));
  EXPECT_NE(last.find("id=\"t3\""), std::string::npos);
  EXPECT_EQ(last.find("id=\"t1\""), std::string::npos);
}

TEST_F(MergeCommand, ByDefaultTheDocumentsLieBesideTheTemplateAndProgressIsALinePerDocument) {
  auto run = Merge("--from 2 --to 5");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Files("."), (std::set<std::string>{"card.svg", "data.csv", "profile", "card_002.svg",
                                               "card_005.svg"}));
  EXPECT_EQ(run.err, Path("card_002.svg") + ": records 2 to 4\n" + Path("card_005.svg") +
                         ": records 5 to 5\n");
  EXPECT_EQ(run.out, Path("card_002.svg") + " records 2 to 4\n" + Path("card_005.svg") +
                         " records 5 to 5\n");
}

TEST_F(MergeCommand, OnATerminalProgressIsABarAndQuietSaysNothing) {
  // script(1) gives the program a terminal; its output lands in "tty".
  const std::string merge = std::string(VARDO_BUILD_DIR "/bin/vardo merge ") + Path("card.svg") +
                            " " + Path("data.csv") + " --out " + Path("out") + " --profile " +
                            Path("profile");
  const std::string command = "script -qec '" + merge + "' /dev/null > " + Path("tty");
  ASSERT_EQ(system(command.c_str()), 0);
  const std::string tty = ReadFileBytes(Path("tty"));
  EXPECT_NE(tty.find("\r[##############################] 3 documents, 8/8 records, "),
            std::string::npos)
      << tty;
  EXPECT_NE(tty.find(" records/s, "), std::string::npos);
  EXPECT_NE(tty.find(" s left"), std::string::npos);

  auto quiet = Merge("--out " + Path("out") + " --quiet");
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.err, "");
}

TEST_F(MergeCommand, ThePdfHasAPageOfTheDocumentsSizeForEachDocument) {
  auto run = Merge("--out " + Path("out") + " --pdf " + Path("out/cards.pdf") + " --quiet");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string command = "pdfinfo '" + Path("out/cards.pdf") + "' > '" + Path("info") + "'";
  ASSERT_EQ(system(command.c_str()), 0);
  const std::string text = ReadFileBytes(Path("info"));
  EXPECT_NE(text.find("Pages:           3\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Page size:       300 x 200 pts"), std::string::npos) << text;
  EXPECT_EQ(Files("out"),
            (std::set<std::string>{"card_001.svg", "card_004.svg", "card_007.svg", "cards.pdf"}));
}

TEST_F(MergeCommand, ClearUnusedHidesTheEmptySlotsOfTheLastDocument) {
  auto run = Merge("--out " + Path("out") + " --clear-unused --quiet");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string last = ReadFileBytes(Path("out/card_007.svg"));
  EXPECT_NE(last.find("<g id=\"s3\" style=\"display:none\""), std::string::npos) << last;
  EXPECT_EQ(last.find("<g id=\"s2\" style=\"display:none\""), std::string::npos);
  EXPECT_EQ(ReadFileBytes(Path("out/card_004.svg")).find("display:none"), std::string::npos);
}

TEST_F(MergeCommand, ErrorsEndWithStatusOneAndAClearMessage) {
  WriteFileBytes(Path("bad.svg"), "not svg");
  WriteFileBytes(Path("binary.csv"), std::string("a,b\r\n\x01\x02,c\r\n", 10));
  struct Case {
    std::string arguments, message;
  };
  const std::vector<Case> cases = {
      {Path("bad.svg") + " " + Path("data.csv"), "cannot open the template " + Path("bad.svg")},
      {Path("card.svg") + " " + Path("none.csv"), "cannot open " + Path("none.csv")},
      {Path("card.svg") + " " + Path("binary.csv"), "rejected: it holds control bytes"},
      {Path("card.svg") + " " + Path("data.csv") + " --from 9",
       "the range 9 to the last record holds no record of the table, which has records 1 to 8"},
      {Path("card.svg") + " " + Path("data.csv") + " --from 5 --to 3", "holds no record"},
      {Path("card.svg") + " " + Path("data.csv") + " --from 010", "holds no record"},
      {Path("card.svg") + " " + Path("data.csv") + " --to +3", "'+3' is not a decimal number"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.arguments);
    auto run = Vardo("merge", c.arguments + " --out " + Path("out"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Path("out/card_001.svg")));
  }
}

TEST_F(MergeCommand, TheSequencersCopyFailureIsPrintedAndFails) {
  fs::create_directory(Path("out"));
  WriteFileBytes(Path("out/card_004.svg"), "kept");
  chmod(Path("out/card_004.svg").c_str(), 0444);
  auto run = Merge("--out " + Path("out") + " --quiet");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("vardo merge: レコード番号 4 \"Z:"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("ファイルのコピーに失敗しました。"), std::string::npos);
  EXPECT_NE(run.err.find("5 of the 8 records of the range were not composed"), std::string::npos)
      << run.err;
  EXPECT_EQ(ReadFileBytes(Path("out/card_004.svg")), "kept");
  EXPECT_EQ(Files("out"), (std::set<std::string>{"card_001.svg", "card_004.svg"}));
}

TEST_F(MergeCommand, CtrlCFinishesTheDocumentInProgressAndExits130) {
  WriteFileBytes(Path("data.csv"), Table(3000));
  const std::string command = std::string(VARDO_BUILD_DIR "/bin/vardo merge ") + Path("card.svg") +
                              " " + Path("data.csv") + " --out " + Path("out") + " --profile " +
                              Path("profile") + " --quiet >/dev/null 2>" + Path("err") +
                              " & pid=$!; " +
                              // Once the second document is being made.
                              "n=0; while [ ! -e " + Path("out/card_004.svg") +
                              " ] && [ $n -lt 600 ]; do sleep 0.05; n=$((n+1)); done; " +
                              "kill -INT $pid; wait $pid; echo $? > " + Path("status");
  ASSERT_EQ(system(("sh -c '" + command + "'").c_str()), 0);
  EXPECT_EQ(ReadFileBytes(Path("status")), "130\n");
  const std::string err = ReadFileBytes(Path("err"));
  EXPECT_NE(err.find("vardo merge: interrupted after "), std::string::npos) << err;
  const std::set<std::string> files = Files("out");
  EXPECT_GT(files.size(), 0u);
  EXPECT_LT(files.size(), 1000u);
  // Every document written was finished: composed, saved and complete.
  for (const std::string &f : files) {
    const std::string svg = ReadFileBytes(Path("out/" + f));
    EXPECT_NE(svg.find("</svg>"), std::string::npos) << f;
    EXPECT_EQ(svg.find("vardo2_group"), std::string::npos) << f;
  }
  EXPECT_FALSE(fs::exists(Path("out/card.svg")));
}

TEST_F(MergeCommand, CheckRunsIntoAScratchFolderAndCountsWhatTheMergeWouldMake) {
  auto run = Vardo("check", Path("card.svg") + " " + Path("data.csv") + " --from 2");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "0 problems; the merge would make 3 documents of 7 records\n");
  EXPECT_EQ(Files("."), (std::set<std::string>{"card.svg", "data.csv", "profile"}));
}

// The shipped card (its frames copied into the output as card1-company-1
// and so on) with a table that lacks the company column (every card's
// company frame names an unknown field), names a photo that is not there
// for record 2, and gives record 3 an address too long for its frame.
TEST_F(MergeCommand, CheckReportsEachProblemByRecordAndFails) {
  const std::string examples = VARDO_SOURCE_DIR "/examples/";
  std::string longAddress;
  for (int i = 0; i < 20; ++i) longAddress += "東京都千代田区千代田1-1 ";
  WriteFileBytes(Path("people.csv"),
                 "氏名,ふりがな,郵便番号,住所,ウェブ,写真,JAN\r\n"
                 "山田 太郎,やまだ たろう,100-0001,東京都千代田区,https://example.com/a,"
                 "photos/yamada.png,490000000048\r\n"
                 "佐藤 花子,さとう はなこ,150-0001,東京都渋谷区,https://example.com/b,"
                 "photos/nobody.png,490000000085\r\n"
                 "鈴木 一郎,すずき いちろう,530-0001," +
                     longAddress +
                     ",https://example.com/c,"
                     "photos/suzuki.png,490000000122\r\n");
  auto run =
      Vardo("check", examples + "card.svg " + Path("people.csv") + " --pictures " + examples);
  EXPECT_EQ(run.status, 1) << run.err;
  for (int record = 1; record <= 3; ++record) {
    EXPECT_NE(run.out.find("record " + std::to_string(record) + ", frame card" +
                           std::to_string(record) + "-company-1: unknown-field: "),
              std::string::npos)
        << run.out;
  }
  EXPECT_NE(run.out.find("record 2, frame card2-photo-1: missing-picture: "), std::string::npos);
  EXPECT_NE(run.out.find("record 3, frame card3-address-1: overflow: "), std::string::npos);
  EXPECT_EQ(run.out.find("record 1, frame card1-photo"), std::string::npos);
  EXPECT_EQ(run.out.find("record 1, frame card1-address"), std::string::npos);
  EXPECT_NE(run.out.find("; the merge would make 1 documents of 3 records\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(Files("."), (std::set<std::string>{"card.svg", "data.csv", "people.csv", "profile"}));
}

}  // namespace
