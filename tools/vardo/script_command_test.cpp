// Runs the built vardo program's script commands on copies of the script
// tags' test documents.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "vardo_testing.h"

namespace {

using vardo::testing::ReadFileBytes;

const std::string kTestData = VARDO_SOURCE_DIR "/vardoscript/scripttags/testdata/";

class ScriptCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vardo-script-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Copy(const std::string &name) {
    std::filesystem::copy_file(kTestData + name, dir_ + "/" + name);
    return dir_ + "/" + name;
  }

  std::string Put(const std::string &name, const std::string &bytes) {
    vardo::testing::WriteFileBytes(dir_ + "/" + name, bytes);
    return dir_ + "/" + name;
  }


  int Vardo(const std::string &args, std::string &out, std::string *err = nullptr) {
    vardo::testing::VardoRun run = vardo::testing::RunVardo(args);
    out = run.out;
    if (err) *err = run.err;
    return run.status;
  }

  std::string dir_;
};

TEST_F(ScriptCommand, ListGivesEveryTextFrameInHostOrderAsJson) {
  std::string out;
  ASSERT_EQ(Vardo("script list --json '" + kTestData + "tags.svg'", out), 0);
  EXPECT_EQ(out,
            "[\n"
            " {\"id\": \"lockedtagged\", \"carriesScript\": true, \"script\": \"[x]\"},\n"
            " {\"id\": \"locked\", \"carriesScript\": false, \"script\": \"\"},\n"
            " {\"id\": \"nothing\", \"carriesScript\": false, \"script\": \"\"},\n"
            " {\"id\": \"emptyvrtag\", \"carriesScript\": true, \"script\": \"\"},\n"
            " {\"id\": \"vrtag\", \"carriesScript\": true, \"script\": "
            "\"<HTML><BODY><IMG SRC=\\\"file://[vardo:image7]\\\"></BODY></HTML>\"},\n"
            " {\"id\": \"comment\", \"carriesScript\": true, \"script\": \"A[price]B\"},\n"
            " {\"id\": \"emptypiece\", \"carriesScript\": true, \"script\": \"AC\"},\n"
            " {\"id\": \"gap\", \"carriesScript\": true, \"script\": \"AB\"},\n"
            " {\"id\": \"tagged\", \"carriesScript\": true, \"script\": \"[name]\\r\\n[address]\"},\n"
            " {\"id\": \"plain\", \"carriesScript\": false, \"script\": \"\"}\n"
            "]\n");
}

TEST_F(ScriptCommand, ListShowsWhatTheDataMergeMissesInLongText) {
  // "<!--" past the first 2000 units: the panel converts it, the data merge
  // does not look that far.
  const std::string doc = Put(
      "long.svg", "<svg xmlns='http://www.w3.org/2000/svg' xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape'>"
                  "<g inkscape:groupmode='layer' id='l'><text id='late'>" +
                      std::string(2000, 'x') + "&lt;!--f--&gt;</text></g></svg>");
  std::string out;
  ASSERT_EQ(Vardo("script list --json '" + doc + "'", out), 0);
  EXPECT_EQ(out, "[\n {\"id\": \"late\", \"carriesScript\": false, \"script\": \"" + std::string(2000, 'x') +
                     "[f]\"}\n]\n");
  ASSERT_EQ(Vardo("script list '" + doc + "'", out), 0);
  EXPECT_EQ(out, "late: no script for the data merge; the panel shows\n    " + std::string(2000, 'x') + "[f]\n");
}

TEST_F(ScriptCommand, SetStoresThePanelsScriptAndSaves) {
  const std::string doc = Copy("tags.svg");
  const std::string saved = dir_ + "/saved.svg";
  const std::string script = Put("script.txt", "[a]\n[b]\r\n" + std::string(300, 'c'));
  std::string out;
  ASSERT_EQ(Vardo("script set '" + doc + "' plain --file '" + script + "' -o '" + saved + "'", out), 0);
  EXPECT_EQ(out, "plain: 308 bytes in 2 script tags, saved to " + saved + "\n");
  EXPECT_EQ(ReadFileBytes(doc), ReadFileBytes(kTestData + "tags.svg")) << "-o leaves the document alone";
  ASSERT_EQ(Vardo("script list --json '" + saved + "'", out), 0);
  EXPECT_NE(out.find("{\"id\": \"plain\", \"carriesScript\": true, \"script\": \"[a]\\r\\n[b]\\r\\n" +
                     std::string(300, 'c') + "\"}"),
            std::string::npos)
      << out;

  // An empty script takes the frame's script away, in place this time.
  ASSERT_EQ(Vardo("script set '" + saved + "' plain ''", out), 0);
  ASSERT_EQ(Vardo("script list --json '" + saved + "'", out), 0);
  EXPECT_NE(out.find("{\"id\": \"plain\", \"carriesScript\": false, \"script\": \"\"}"), std::string::npos) << out;
}

TEST_F(ScriptCommand, SetRefusesWhatThePanelWouldNotWrite) {
  const std::string doc = Copy("tags.svg");
  const std::string before = ReadFileBytes(doc);
  struct {
    std::string args, message;
  } cases[] = {
      {"locked '[x]'", "\"locked\" is locked"},
      {"group '[x]'", "\"group\" is not a text frame"},
      {"nosuch '[x]'", "no element with id \"nosuch\""},
      {"plain", "give the script as TEXT or with --file"},
  };
  for (const auto &c : cases) {
    std::string out, err;
    EXPECT_EQ(Vardo("script set '" + doc + "' " + c.args, out, &err), 1) << c.args;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
  }
  EXPECT_EQ(ReadFileBytes(doc), before);
}

TEST_F(ScriptCommand, TagBuildsFromTheOptionsFilePanelAndFrameSize) {
  const std::string ini = Put("Vardo2Script.ini",
                              "objtype = 1\r\nhorizontal_alignment = 2\r\nqrcode_qr_version = 7\r\n"
                              "qrcode_qr_option_text = \"item\"\r\n");
  struct {
    std::string args, expected;
  } cases[] = {
      {"barcode",
       "<HTML><BODY><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=1 DATA=\"[barcode_data]\" SHOWHRTEXT=TRUE "
       "CHECKDIGIT=TRUE></BODY></HTML>\n"},
      {"image --panel '<HTML><BODY><IMG SRC=\"file://[photo]\"></BODY></HTML>'",
       "<HTML><BODY><IMG SRC=\"file://[photo]\"></BODY></HTML>\n"},
      {"barcode --options '" + ini + "' --width 120.37 --height 80.04 --panel '[code]'",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=120.3 HEIGHT=80 ALIGN=RIGHT VALIGN=TOP>"
       "<BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=7 ENCODEMODE=AUTO SHOWHRTEXT=TRUE CELLSIZE=0.5 DATA=\"[code]\" "
       "ITEM=\"item\"></TD></TR></TABLE></BODY></HTML>\n"},
  };
  for (const auto &c : cases) {
    std::string out;
    EXPECT_EQ(Vardo("script tag " + c.args, out), 0) << c.args;
    EXPECT_EQ(out, c.expected) << c.args;
  }
  std::string out;
  EXPECT_NE(Vardo("script tag qrcode", out), 0);
  EXPECT_NE(Vardo("script tag image --options '" + dir_ + "/missing.ini'", out), 0);
}

}  // namespace
