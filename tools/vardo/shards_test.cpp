// vardo merge --shard and --plan, and vardo pdf: shards run side by side by
// GNU parallel, as a scheduler runs them, against one run of the same
// merge. Small cards without pictures keep the 1,000-record runs short.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>

#include "vardo_testing.h"

namespace {

namespace fs = std::filesystem;

using vardo::testing::ReadFileBytes;
using vardo::testing::WriteFileBytes;

const char kHead[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"%W\" viewBox=\"0 0 200 "
    "%W\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
    "xmlns:vardotag=\"urn:vardo:tag:1\">\n";

std::string Head(int height = 200) {
  std::string head = kHead;
  for (size_t at; (at = head.find("%W")) != std::string::npos;)
    head.replace(at, 2, std::to_string(height));
  return head;
}

// A record slot: a group holding a template group with a script frame.
std::string Slot(int n, const std::string &attributes = "") {
  const std::string id = std::to_string(n);
  return "<g id=\"s" + id + "\" " + attributes + "><g id=\"t" + id +
         "\" vardotag:vardo2_group=\"\"><text id=\"f" + id + "\" x=\"10\" y=\"" +
         std::to_string(20 + 25 * n) +
         "\" vardotag:vardo2_script=\"[name] [tel]\">sample</text>"
         "</g></g>\n";
}

std::string Template(int slots) {
  std::string svg = Head() + "<g id=\"L\" inkscape:groupmode=\"layer\">\n";
  for (int n = 0; n < slots; ++n) svg += Slot(n);
  return svg + "</g>\n</svg>\n";
}

std::string Table(int records) {
  std::string text = "name,tel\r\n";
  for (int r = 1; r <= records; ++r)
    text += "N" + std::to_string(r) + ",03-" + std::to_string(r) + "\r\n";
  return text;
}

class Shards : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::TempDir() + "vardo-shards-XXXXXX";
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name;
    fs::create_directory(Path("profile"));
    WriteFileBytes(Path("card.svg"), Template(7));
    WriteFileBytes(Path("data.csv"), Table(1000));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }
  std::string MergeArguments(const std::string &arguments) const {
    return "merge '" + Path("card.svg") + "' '" + Path("data.csv") + "' --quiet --profile '" +
           Path("profile") + "' " + arguments;
  }
  vardo::testing::VardoRun Merge(const std::string &arguments) {
    return vardo::testing::RunVardo(MergeArguments(arguments));
  }
  // Every file of a folder, hidden ones too, by name.
  std::map<std::string, std::string> Files(const std::string &dir) {
    std::map<std::string, std::string> files;
    for (const auto &e : fs::directory_iterator(Path(dir)))
      files[e.path().filename()] = fs::is_regular_file(e) ? ReadFileBytes(e.path()) : "(folder)";
    return files;
  }
  std::string dir_;
};

TEST_F(Shards, FourShardsSideBySideWriteTheFilesOfOneRunByteForByte) {
  struct Case {
    const char *range;
    size_t documents;
  };
  // The whole table; and a range that starts inside a document of the run
  // from record 1 and ends before the table does.
  for (const Case &c : {Case{"", 143}, Case{"--from 333 --to 901", 82}}) {
    SCOPED_TRACE(c.range);
    fs::remove_all(Path("one"));
    fs::remove_all(Path("sharded"));
    auto run = Merge(std::string(c.range) + " --out '" + Path("one") + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    // The shipped example for GNU parallel, as a person runs it.
    const std::string command = "NO_PDF=1 VARDO=" VARDO_BUILD_DIR "/bin/vardo " VARDO_SOURCE_DIR
                                "/examples/scale-out/parallel.sh '" +
                                Path("card.svg") + "' '" + Path("data.csv") + "' '" +
                                Path("sharded") + "' 4 " + c.range + " --profile '" +
                                Path("profile") + "' >'" + Path("parallel.log") + "' 2>&1";
    ASSERT_EQ(system(command.c_str()), 0) << ReadFileBytes(Path("parallel.log"));
    const auto one = Files("one"), sharded = Files("sharded");
    EXPECT_EQ(one.size(), c.documents);
    EXPECT_TRUE(one == sharded) << one.size() << " files in one run, " << sharded.size()
                                << " from the shards";
    if (c.documents != 143) continue;
    // The run's last document holds record 1000 in its sixth slot; the
    // seventh keeps the template's art.
    const std::string last = sharded.at("card_995.svg");
    EXPECT_NE(last.find(">N1000 03-1000<"), std::string::npos);
    EXPECT_NE(last.find(">sample<"), std::string::npos);
  }
}

TEST_F(Shards, ARetriedShardWritesItsOwnFilesAgainAndNoOthers) {
  auto first = Merge("--out '" + Path("out") + "' --shard 2/4");
  ASSERT_EQ(first.status, 0) << first.err;
  const auto written = Files("out");
  ASSERT_EQ(written.size(), 36u);  // documents 37 to 72 of 143: records 253 to 504
  EXPECT_TRUE(written.count("card_253.svg") && written.count("card_498.svg"));
  // A first attempt that died half-way: one document spoilt, one missing.
  WriteFileBytes(Path("out/card_260.svg"), "cut short");
  fs::remove(Path("out/card_498.svg"));
  auto retry = Merge("--out '" + Path("out") + "' --shard 2/4 --pdf '" + Path("shard2.pdf") + "'");
  ASSERT_EQ(retry.status, 0) << retry.err;
  EXPECT_TRUE(Files("out") == written);
  const std::string command =
      "pdfinfo '" + Path("shard2.pdf") + "' | grep '^Pages:' > '" + Path("info") + "'";
  ASSERT_EQ(system(command.c_str()), 0);
  EXPECT_EQ(ReadFileBytes(Path("info")), "Pages:           36\n");
}

TEST_F(Shards, ThePlanDealsOutWholeDocumentsAndSaysWhichShardsAreEmpty) {
  struct Case {
    const char *arguments;
    const char *json;
  };
  const std::string out = Path("o");
  const Case cases[] = {
      // 30 records, 7 to a document: 5 documents for 3 shards.
      {"--to 30 --plan 3",
       "{\"slots\": 7, \"documents\": 5, \"records\": 30, \"shards\": ["
       "{\"shard\": 1, \"of\": 3, \"first\": 1, \"last\": 14, \"empty\": false, \"files\": "
       "[\"O/card_001.svg\", \"O/card_008.svg\"]}, "
       "{\"shard\": 2, \"of\": 3, \"first\": 15, \"last\": 28, \"empty\": false, \"files\": "
       "[\"O/card_015.svg\", \"O/card_022.svg\"]}, "
       "{\"shard\": 3, \"of\": 3, \"first\": 29, \"last\": 30, \"empty\": false, \"files\": "
       "[\"O/card_029.svg\"]}]}\n"},
      // 2 documents from record 995 (the table ends at 1000) for 3 shards.
      {"--from 990 --plan 3",
       "{\"slots\": 7, \"documents\": 2, \"records\": 11, \"shards\": ["
       "{\"shard\": 1, \"of\": 3, \"first\": 990, \"last\": 996, \"empty\": false, \"files\": "
       "[\"O/card_990.svg\"]}, "
       "{\"shard\": 2, \"of\": 3, \"first\": 997, \"last\": 1000, \"empty\": false, \"files\": "
       "[\"O/card_997.svg\"]}, "
       "{\"shard\": 3, \"of\": 3, \"first\": null, \"last\": null, \"empty\": true, \"files\": "
       "[]}]}\n"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.arguments);
    auto run = Merge(std::string(c.arguments) + " --json --out '" + out + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    std::string expected = c.json;
    for (size_t at; (at = expected.find("O/")) != std::string::npos;)
      expected.replace(at, 2, out + "/");
    EXPECT_EQ(run.out, expected);
  }
  EXPECT_FALSE(fs::exists(out)) << "the plan made the output folder";

  auto text = Merge("--from 990 --plan 3");
  EXPECT_NE(text.out.find("shard 3/3: empty, the run makes only 2 documents\n"), std::string::npos)
      << text.out;
  // The empty shard itself runs, writes nothing and succeeds.
  auto empty = vardo::testing::RunVardo("merge '" + Path("card.svg") + "' '" + Path("data.csv") +
                                        "' --from 990 --shard 3/3 --json" + " --out '" + out +
                                        "' --profile '" + Path("profile") + "'");
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_NE(empty.err.find("shard 3/3 is empty"), std::string::npos) << empty.err;
  EXPECT_NE(empty.out.find("\"documents\": [], \"records\": 0"), std::string::npos) << empty.out;
  EXPECT_TRUE(!fs::exists(out) || fs::is_empty(out));
}

TEST_F(Shards, SlotsAreCountedAsTheDataMergePlugInFindsThem) {
  // Three slots count. Not: a locked slot, a group without a script frame,
  // a slot in a hidden layer, one in a locked layer, a text frame straight
  // in the layer.
  const std::string svg =
      Head() + "<g id=\"L\" inkscape:groupmode=\"layer\">\n" + Slot(0) + Slot(1) +
      Slot(2, "sodipodi:insensitive=\"true\"") +
      "<g id=\"plain\"><text id=\"p\" x=\"1\" y=\"1\">no script</text></g>\n" +
      "<g id=\"legacy\"><text id=\"l\" x=\"1\" y=\"1\">&lt;!--[name]--&gt;</text></g>\n" +
      "<text id=\"loose\" x=\"1\" y=\"1\" vardotag:vardo2_script=\"[name]\">x</text>\n</g>\n" +
      "<g id=\"H\" inkscape:groupmode=\"layer\" style=\"display:none\">" + Slot(3) + "</g>\n" +
      "<g id=\"K\" inkscape:groupmode=\"layer\" sodipodi:insensitive=\"true\">" + Slot(4) +
      "</g>\n</svg>\n";
  std::string withNamespace = svg;
  withNamespace.replace(withNamespace.find(">\n"), 0,
                        " xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"");
  WriteFileBytes(Path("card.svg"), withNamespace);
  auto plan = Merge("--to 12 --plan 1 --json");
  ASSERT_EQ(plan.status, 0) << plan.err;
  EXPECT_NE(plan.out.find("{\"slots\": 3, \"documents\": 4,"), std::string::npos) << plan.out;

  // The same merge run as one: the plug-in agrees on three records a document.
  auto run = Merge("--to 12 --json --out '" + Path("out") + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Files("out").size(), 4u);
  EXPECT_NE(run.out.find("\"first\": 10, \"last\": 12"), std::string::npos) << run.out;

  WriteFileBytes(Path("card.svg"),
                 Head() + "<g id=\"L\" inkscape:groupmode=\"layer\">" +
                     "<g id=\"g\"><rect width=\"5\" height=\"5\"/></g></g></svg>");
  for (const char *arguments : {"--plan 2", "--shard 1/2"}) {
    auto refused = Merge(arguments);
    EXPECT_EQ(refused.status, 1) << arguments;
    EXPECT_NE(refused.err.find("has no record slots"), std::string::npos) << refused.err;
  }
  for (const char *shard : {"0/2", "3/2", "2", "1/x"}) {
    auto bad = Merge(std::string("--shard ") + shard);
    EXPECT_EQ(bad.status, 1) << shard;
    EXPECT_NE(bad.err.find("give K/N"), std::string::npos) << bad.err;
  }
}

TEST_F(Shards, PdfJoinsDocumentsInTheOrderOfTheirNumbers) {
  // Page heights tell the documents apart.
  const std::pair<const char *, int> documents[] = {
      {"card_1002.svg", 300}, {"card_001.svg", 100}, {"card_995.svg", 200}};
  std::string arguments = "pdf '" + Path("all.pdf") + "'";
  for (const auto &[name, height] : documents) {
    WriteFileBytes(Path(name), Head(height) + "<g id=\"L\" inkscape:groupmode=\"layer\"/></svg>");
    arguments += " '" + Path(name) + "'";
  }
  auto run = vardo::testing::RunVardo(arguments);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string command =
      "pdfinfo -f 1 -l 3 '" + Path("all.pdf") + "' | grep '^Page .*size:' > '" + Path("info") + "'";
  ASSERT_EQ(system(command.c_str()), 0);
  EXPECT_EQ(ReadFileBytes(Path("info")),
            "Page    1 size:  200 x 100 pts\n"
            "Page    2 size:  200 x 200 pts\n"
            "Page    3 size:  200 x 300 pts\n");

  // A document that cannot be read after one that could: the PDF of the
  // first run stays as it was.
  const std::string before = ReadFileBytes(Path("all.pdf"));
  WriteFileBytes(Path("card_996.svg"), "not a document");
  auto broken = vardo::testing::RunVardo("pdf '" + Path("all.pdf") + "' '" + Path("card_001.svg") +
                                         "' '" + Path("card_996.svg") + "'");
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("cannot read " + Path("card_996.svg")), std::string::npos)
      << broken.err;
  EXPECT_EQ(ReadFileBytes(Path("all.pdf")), before);

  auto forgotten =
      vardo::testing::RunVardo("pdf '" + Path("card_001.svg") + "' '" + Path("card_995.svg") + "'");
  EXPECT_EQ(forgotten.status, 1);
  EXPECT_EQ(ReadFileBytes(Path("card_001.svg")).find("%PDF"), std::string::npos);
}

}  // namespace
