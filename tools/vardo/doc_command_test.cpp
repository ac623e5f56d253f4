// Runs the built vardo program's doc tree on small documents.
#include <gtest/gtest.h>

#include <string>

#include "vardo_testing.h"

namespace {

const std::string kData = VARDO_SOURCE_DIR "/host/testdata/";

int Vardo(const std::string &args, std::string &out, std::string &err) {
  vardo::testing::VardoRun run = vardo::testing::RunVardo(args);
  out = run.out;
  err = run.err;
  return run.status;
}

TEST(DocCommand, TreeShowsLayersThenArtInHostOrder) {
  std::string out, err;
  ASSERT_EQ(Vardo("doc tree " + kData + "small.svg", out, err), 0) << err;
  EXPECT_EQ(out, "document " + kData +
                     "small.svg, 2 layers\n"
                     "layer 0 \"Front \\\"1\\\"\" visible, locked\n"
                     "  group #slot [0, -12, 100, -50]\n"
                     "    tag vardo2_group = \"\"\n"
                     "    path #line [0, -50, 100, -50] locked\n"
                     "    text #frame [10, -12, 25, -22]\n"
                     "      tag vardo2_script = \"[name]\\r価格\"\n"
                     "      tag vardo2_script_1 = \"\\xE4\\xBE\\x01\"\n"
                     "      text \"Hi!\"\n"
                     "layer 1 \"Back\" hidden, editable\n"
                     "  path #paper [0, 0, 200, -100]\n");
}

TEST(DocCommand, JsonEscapesAndGivesBytesAsHex) {
  std::string out, err;
  ASSERT_EQ(Vardo("doc tree --json " + kData + "small.svg", out, err), 0) << err;
  EXPECT_NE(out.find("{\"name\":\"Front \\\"1\\\"\",\"visible\":true,\"editable\":false"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("{\"name\":\"vardo2_script\",\"value\":\"[name]\\r価格\"}"), std::string::npos)
      << out;
  EXPECT_NE(out.find("{\"name\":\"vardo2_script_1\",\"valueHex\":\"e4be01\"}"), std::string::npos)
      << out;
  EXPECT_NE(out.find("\"text\":\"Hi!\""), std::string::npos) << out;
  EXPECT_NE(out.find("\"fillColor\":\"rgb 1 0 0\""), std::string::npos) << out;
}

TEST(DocCommand, BadFilesFailWithAMessage) {
  struct {
    std::string args, message;
  } cases[] = {
      {"doc tree /nonexistent/x.svg",
       "vardo doc tree: /nonexistent/x.svg: No such file or directory"},
      {"doc tree " + kData + "../documents/document.cpp", "not well-formed XML"},
      {"doc tree", "file is required"},
  };
  for (const auto &c : cases) {
    std::string out, err;
    EXPECT_NE(Vardo(c.args, out, err), 0) << c.args;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
    EXPECT_TRUE(out.empty()) << c.args;
  }
}

TEST(DocCommand, DeepNestingIsRefusedWithAMessage) {
  for (int groups : {15000, 5000}) {
    std::string svg = "<svg xmlns='http://www.w3.org/2000/svg'>";
    for (int i = 0; i < groups; ++i) svg += "<g>";
    svg += "<rect width='1' height='1'/>";
    for (int i = 0; i < groups; ++i) svg += "</g>";
    const std::string path = ::testing::TempDir() + "nested.svg";
    vardo::testing::WriteFileBytes(path, svg + "</svg>");
    std::string out, err;
    EXPECT_EQ(Vardo("doc tree " + path, out, err), 1) << groups;
    EXPECT_EQ(err, "vardo doc tree: " + path + ": its elements nest " + std::to_string(groups + 2) +
                       " deep; a document may nest at most 1000 deep\n");
    EXPECT_TRUE(out.empty());
  }
}

}  // namespace
