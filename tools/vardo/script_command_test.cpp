// Runs the built vardo program's script commands on copies of the script
// tags' test documents.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

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

// The panel never takes a locked frame, so it shows nothing for one, script
// tags or not.
TEST_F(ScriptCommand, ListGivesEveryTextFrameInHostOrderAsJson) {
  std::string out;
  ASSERT_EQ(Vardo("script list --json '" + kTestData + "tags.svg'", out), 0);
  EXPECT_EQ(
      out,
      "[\n"
      " {\"id\": \"lockedtagged\", \"carriesScript\": true, \"script\": \"\"},\n"
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
  const std::string doc = Put("long.svg",
                              "<svg xmlns='http://www.w3.org/2000/svg' "
                              "xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape'>"
                              "<g inkscape:groupmode='layer' id='l'><text id='late'>" +
                                  std::string(2000, 'x') + "&lt;!--f--&gt;</text></g></svg>");
  std::string out;
  ASSERT_EQ(Vardo("script list --json '" + doc + "'", out), 0);
  EXPECT_EQ(out, "[\n {\"id\": \"late\", \"carriesScript\": false, \"script\": \"" +
                     std::string(2000, 'x') + "[f]\"}\n]\n");
  ASSERT_EQ(Vardo("script list '" + doc + "'", out), 0);
  EXPECT_EQ(out, "late: no script for the data merge; the panel shows\n    " +
                     std::string(2000, 'x') + "[f]\n");
}

TEST_F(ScriptCommand, SetStoresThePanelsScriptAndSaves) {
  const std::string doc = Copy("tags.svg");
  const std::string saved = dir_ + "/saved.svg";
  const std::string script = Put("script.txt", "[a]\n[b]\r\n" + std::string(300, 'c'));
  std::string out;
  ASSERT_EQ(Vardo("script set '" + doc + "' plain --file '" + script + "' -o '" + saved + "'", out),
            0);
  EXPECT_EQ(out, "plain: 308 bytes in 2 script tags, saved to " + saved + "\n");
  EXPECT_EQ(ReadFileBytes(doc), ReadFileBytes(kTestData + "tags.svg"))
      << "-o leaves the document alone";
  ASSERT_EQ(Vardo("script list --json '" + saved + "'", out), 0);
  EXPECT_NE(
      out.find("{\"id\": \"plain\", \"carriesScript\": true, \"script\": \"[a]\\r\\n[b]\\r\\n" +
               std::string(300, 'c') + "\"}"),
      std::string::npos)
      << out;

  // An empty script takes the frame's script away, in place this time.
  ASSERT_EQ(Vardo("script set '" + saved + "' plain ''", out), 0);
  ASSERT_EQ(Vardo("script list --json '" + saved + "'", out), 0);
  EXPECT_NE(out.find("{\"id\": \"plain\", \"carriesScript\": false, \"script\": \"\"}"),
            std::string::npos)
      << out;
}

TEST_F(ScriptCommand, SetRefusesWhatThePanelWouldNotWrite) {
  const std::string doc = Copy("tags.svg");
  const std::string before = ReadFileBytes(doc);
  const std::string control = Put("control.txt",
                                  "a\x01"
                                  "b");
  struct {
    std::string args, message;
  } cases[] = {
      {"locked '[x]'", "\"locked\" is locked"},
      {"group '[x]'", "\"group\" is not a text frame"},
      {"nosuch '[x]'", "no element with id \"nosuch\""},
      {"plain", "give the script as TEXT or with --file"},
      {"plain --file '" + control + "'",
       "the text holds the control character 0x01, which cannot be typed"},
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
       "<HTML><BODY><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=1 DATA=\"[barcode_data]\" "
       "SHOWHRTEXT=TRUE "
       "CHECKDIGIT=TRUE></BODY></HTML>\n"},
      {"image --panel '<HTML><BODY><IMG SRC=\"file://[photo]\"></BODY></HTML>'",
       "<HTML><BODY><IMG SRC=\"file://[photo]\"></BODY></HTML>\n"},
      {"barcode --options '" + ini + "' --width 120.37 --height 80.04 --panel '[code]'",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=120.3 HEIGHT=80 ALIGN=RIGHT "
       "VALIGN=TOP>"
       "<BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=7 ENCODEMODE=AUTO SHOWHRTEXT=TRUE CELLSIZE=0.5 "
       "DATA=\"[code]\" "
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

TEST_F(ScriptCommand, SetSaysHowLongAnOverLongScriptWasAndCutsItBeforeACharacter) {
  const std::string doc = Copy("tags.svg");
  std::string script;
  for (int i = 0; i < 700; ++i) script += "価";  // 2100 bytes
  const std::string file = Put("long.txt", script);
  std::string out, err;
  ASSERT_EQ(Vardo("script set '" + doc + "' plain --file '" + file + "'", out, &err), 0) << err;
  EXPECT_NE(err.find("the script has 2100 bytes"), std::string::npos) << err;
  EXPECT_NE(err.find("the first 1998 bytes are stored"), std::string::npos) << err;
  EXPECT_EQ(out, "plain: 1998 bytes in 10 script tags, saved to " + doc + "\n");
  ASSERT_EQ(Vardo("script list --json '" + doc + "'", out), 0);
  EXPECT_NE(out.find("{\"id\": \"plain\", \"carriesScript\": true, \"script\": \"" +
                     script.substr(0, 1998) + "\"}"),
            std::string::npos)
      << out;
}

TEST_F(ScriptCommand, EveryTagFlagReachesItsControl) {
  const std::string ini = Put("Vardo2Script.ini", "objtype = 1\r\n");
  struct {
    std::string args, expected;
  } cases[] = {
      {"barcode --qr --ecc H --version 12 --mode kanji --cell-size 0.33 --item 品番 --no-hr-text",
       "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=H VERSION=12 ENCODEMODE=KANJI SHOWHRTEXT=FALSE "
       "CELLSIZE=0.33 "
       "DATA=\"[barcode_data]\" ITEM=\"品番\"></BODY></HTML>\n"},
      {"barcode --options '" + ini +
           "' --linear --type code128 --size 1.25 --module-height 8 --fixed-height "
           "--no-check-digit --item abc --width 100 --height 50 --align center --valign middle",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=100 HEIGHT=50 ALIGN=CENTER "
       "VALIGN=MIDDLE>"
       "<BARCODE TYPE=CODE128 TOJI=RIGHT ELEMENTSIZE=1.25 DATA=\"[barcode_data]\" ITEM=\"abc\" "
       "SHOWHRTEXT=TRUE "
       "CHECKDIGIT=FALSE TRUNCHEIGHT=8></TD></TR></TABLE></BODY></HTML>\n"},
      {"barcode --type 'GS1-14 STACKED' --no-hr-text --panel '[code]'",
       "<HTML><BODY><BARCODE TYPE=RSS_14_STACKED TOJI=RIGHT ELEMENTSIZE=1 DATA=\"[code]\" "
       "SHOWHRTEXT=FALSE "
       "CHECKDIGIT=TRUE></BODY></HTML>\n"},
      {"barcode --options '" + ini + "' --version auto --ecc L",
       "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=L VERSION=AUTO ENCODEMODE=AUTO SHOWHRTEXT=TRUE "
       "CELLSIZE=0.5 "
       "DATA=\"[barcode_data]\"></BODY></HTML>\n"},
      {"image --valign bottom",
       "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=LEFT "
       "VALIGN=BOTTOM>"
       "<IMG SRC=\"file://[image_path]\"></TD></TR></TABLE></BODY></HTML>\n"},
  };
  for (const auto &c : cases) {
    std::string out, err;
    EXPECT_EQ(Vardo("script tag " + c.args, out, &err), 0) << c.args << ": " << err;
    EXPECT_EQ(out, c.expected) << c.args;
  }

  // The picture dialog's check box shows only in the options file it saves.
  const std::string saved = dir_ + "/saved.ini";
  for (auto [flag, line] : {std::pair{"--embedded", "place_linkimage = 0\r\n"},
                            {"--linked", "place_linkimage = 1\r\n"}}) {
    std::string out;
    ASSERT_EQ(
        Vardo(std::string("script tag image ") + flag + " --save-options '" + saved + "'", out), 0)
        << flag;
    EXPECT_NE(ReadFileBytes(saved).find(line), std::string::npos)
        << flag << ": " << ReadFileBytes(saved);
  }
}

TEST_F(ScriptCommand, TagRefusesWhatTheDialogCannotTake) {
  struct {
    std::string args, message;
  } cases[] = {
      {"barcode --type NOPE", "--type NOPE: the dialog offers JAN 標準(12桁), "},
      {"barcode --version 41", "--version 41: the dialog offers オート, 1, 2"},
      {"image --qr", "the picture options dialog has only"},
      {"barcode --embedded", "--linked and --embedded belong to the picture options dialog"},
      {"image -o x.svg", "-o needs --into DOC ID"},
  };
  for (const auto &c : cases) {
    std::string out, err;
    EXPECT_EQ(Vardo("script tag " + c.args, out, &err), 1) << c.args;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
    EXPECT_EQ(out, "") << c.args;
  }
}

TEST_F(ScriptCommand, TagRefusesAFifoForItsOptionsFile) {
  const std::string fifo = dir_ + "/Vardo2Script.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Should the program wait at the FIFO all the same, a writer comes after
  // a while and lets it go on, and the status shows it.
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 200 && !done; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
  });
  std::string out, err;
  const int status = Vardo("script tag barcode --options '" + fifo + "'", out, &err);
  done = true;
  writer.join();
  EXPECT_EQ(status, 1);
  EXPECT_NE(err.find("not a regular file: " + fifo), std::string::npos) << err;
}

TEST_F(ScriptCommand, TagIntoAFrameGoesThroughThePanel) {
  const std::string doc = Copy("tags.svg");
  const std::string saved = dir_ + "/saved.svg";
  std::string out, err;
  // The frame's script names the field the picture shows.
  ASSERT_EQ(Vardo("script tag image --into '" + doc + "' tagged -o '" + saved + "'", out, &err), 0)
      << err;
  EXPECT_EQ(out, "<HTML><BODY><IMG SRC=\"file://[name]\"></BODY></HTML>\n");
  EXPECT_EQ(ReadFileBytes(doc), ReadFileBytes(kTestData + "tags.svg"))
      << "-o leaves the document alone";
  ASSERT_EQ(Vardo("script list --json '" + saved + "'", out), 0);
  EXPECT_NE(out.find("{\"id\": \"tagged\", \"carriesScript\": true, \"script\": "
                     "\"<HTML><BODY><IMG SRC=\\\"file://[name]\\\"></BODY></HTML>\"}"),
            std::string::npos)
      << out;
  EXPECT_EQ(Vardo("script tag image --into '" + doc + "' locked", out, &err), 1);
  EXPECT_NE(err.find("\"locked\" is locked"), std::string::npos) << err;
  EXPECT_NE(Vardo("script tag image --into '" + doc + "' tagged --width 5", out, &err), 0)
      << "the frame has a size";
}

}  // namespace
