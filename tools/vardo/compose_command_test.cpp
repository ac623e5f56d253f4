// vardo compose, run as a person runs it: the built program, the real
// modules, files in a temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "vardo_testing.h"

namespace {

namespace fs = std::filesystem;

using vardo::testing::ReadFileBytes;
using vardo::testing::WriteFileBytes;

// Two layers; the record slots in file order are a1, a2 (layer "back")
// and b1 (layer "front"); "loose" is a template group lying in a layer.
const char kTemplate[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\" viewBox=\"0 0 400 "
    "300\"\n"
    " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
    "xmlns:vardotag=\"urn:vardo:tag:1\">\n"
    "<g id=\"back\" inkscape:groupmode=\"layer\">\n"
    "<g id=\"a1\"><g id=\"ta1\" vardotag:vardo2_group=\"\"><text id=\"fa1\" x=\"20\" y=\"40\"\n"
    "  vardotag:vardo2_script=\"[name]\">a1</text></g></g>\n"
    "<g id=\"a2\"><g id=\"ta2\" vardotag:vardo2_group=\"\"><text id=\"fa2\" x=\"120\" y=\"40\"\n"
    "  vardotag:vardo2_script=\"[name]\">a2</text></g></g>\n"
    "<rect id=\"box\" x=\"300\" y=\"200\" width=\"50\" height=\"50\"/>\n"
    "</g>\n"
    "<g id=\"front\" inkscape:groupmode=\"layer\">\n"
    "<g id=\"b1\"><g id=\"tb1\" vardotag:vardo2_group=\"\"><text id=\"fb1\" x=\"20\" y=\"140\"\n"
    "  vardotag:vardo2_script=\"[name]\">b1</text></g></g>\n"
    "<g id=\"loose\" vardotag:vardo2_group=\"\"><text id=\"fl\" x=\"220\" y=\"140\"\n"
    "  vardotag:vardo2_script=\"[name]\">loose</text></g>\n"
    "</g>\n"
    "</svg>\n";

class ComposeCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::TempDir() + "vardo-compose-XXXXXX";
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name;
    fs::create_directory(Path("profile"));
    WriteFileBytes(Path("card.svg"), kTemplate);
    WriteFileBytes(Path("data.csv"), "name,tel\r\nA,1\r\nB,2\r\nC,3\r\nD,4\r\n");
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }
  vardo::testing::VardoRun Compose(const std::string &arguments) {
    return vardo::testing::RunVardo("compose " + arguments + " --profile " + Path("profile"));
  }
  std::string dir_;
};

TEST_F(ComposeCommand, ComposesEverySlotFromTheChosenRecord) {
  auto run =
      Compose(Path("card.svg") + " " + Path("data.csv") + " -o " + Path("out.svg") + " --record 2");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "slot a1 record 2\n"
            "slot a2 record 3\n"
            "slot b1 record 4\n"
            "undo: Vardo の取り消し\n"
            "redo: Vardo のやり直し\n");
  // The template is untouched; the output holds the slots collapsed.
  EXPECT_EQ(ReadFileBytes(Path("card.svg")), kTemplate);
  const std::string out = ReadFileBytes(Path("out.svg"));
  EXPECT_EQ(out.find("id=\"ta1\""), std::string::npos);
  EXPECT_NE(out.find("id=\"fa1-1\""), std::string::npos);
  EXPECT_NE(out.find("id=\"loose\""), std::string::npos);

  run = Compose(Path("card.svg") + " " + Path("data.csv") + " -o " + Path("out.svg") + " --json");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.out,
      "{\"output\": \"" + Path("out.svg") +
          "\", \"composed\": [{\"slot\": \"a1\", \"record\": 1}, {\"slot\": \"a2\", "
          "\"record\": 2}, {\"slot\": \"b1\", \"record\": 3}], \"undo\": \"Vardo の取り消し\", "
          "\"redo\": \"Vardo のやり直し\", \"problems\": []}\n");
}

TEST_F(ComposeCommand, IntoDragsTheRowOntoOneTarget) {
  auto run = Compose(Path("card.svg") + " " + Path("data.csv") + " -o " + Path("out.svg") +
                     " --record 3 --into a2");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "slot a2 record 3\nundo: Vardo の取り消し\nredo: Vardo のやり直し\n");
  const std::string out = ReadFileBytes(Path("out.svg"));
  EXPECT_NE(out.find("id=\"ta1\""), std::string::npos);
  EXPECT_EQ(out.find("id=\"ta2\""), std::string::npos);

  // A template group lying in a layer is named by the copy of its frame.
  run = Compose(Path("card.svg") + " " + Path("data.csv") + " -o " + Path("out.svg") +
                " --into loose");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "slot fl-1 record 1");
}

TEST_F(ComposeCommand, SaysWhatIsWrong) {
  WriteFileBytes(Path("bad.svg"), "<svg");
  WriteFileBytes(Path("binary.csv"), std::string("a,b\r\n\x01\x02,3\r\n"));
  struct Case {
    std::string arguments;
    std::string message;
  } cases[] = {
      {Path("missing.svg") + " " + Path("data.csv"), "cannot open the template"},
      {Path("bad.svg") + " " + Path("data.csv"), "cannot open the template"},
      {Path("card.svg") + " " + Path("missing.csv"), "cannot open " + Path("missing.csv")},
      {Path("card.svg") + " " + Path("binary.csv"), "rejected: it holds control bytes"},
      {Path("card.svg") + " " + Path("data.csv") + " --record 5",
       "record 5 is outside the table, which holds records 1 to 4"},
      {Path("card.svg") + " " + Path("data.csv") + " --record 0", "record 0 is outside the table"},
      // Decimal always: 010 is ten, never an octal eight; other forms are refused.
      {Path("card.svg") + " " + Path("data.csv") + " --record 010",
       "record 10 is outside the table"},
      {Path("card.svg") + " " + Path("data.csv") + " --record 0x2",
       "'0x2' is not a decimal number"},
      {Path("card.svg") + " " + Path("data.csv") + " --record -1", "--record"},
      {Path("card.svg") + " " + Path("data.csv") + " --into nothing",
       "the template has no art with the id nothing"},
      {Path("card.svg") + " " + Path("data.csv") + " --into box",
       "the id box names no drop target"},
      {Path("card.svg") + " " + Path("data.csv") + " -o " + Path("card.svg"),
       "would overwrite the template"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.arguments);
    const std::string output =
        c.arguments.find(" -o ") == std::string::npos ? " -o " + Path("out.svg") : "";
    auto run = Compose(c.arguments + output);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Path("out.svg")));
  }
  EXPECT_EQ(ReadFileBytes(Path("card.svg")), kTemplate);
}

}  // namespace
