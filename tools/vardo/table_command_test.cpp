// vardo table, run as a person runs it: the built program on real files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <string>

#include "vardo_testing.h"

namespace {

namespace fs = std::filesystem;

const std::string kFixtures = VARDO_SOURCE_DIR "/vardo/testdata/";

using vardo::testing::ReadFileBytes;
using vardo::testing::WriteFileBytes;
using Outcome = vardo::testing::VardoRun;

class TableCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    // Inside the temporary folder this test process was given.
    std::string name = (fs::temp_directory_path() / "vardo-table-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }

  Outcome Vardo(const std::string &arguments) { return vardo::testing::RunVardo(arguments); }
  std::string dir_;
};

TEST_F(TableCommand, DumpPrintsEveryRecordAsJson) {
  Outcome run = Vardo("table dump " + kFixtures + "fixture.shift_jis.csv");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "{\"loaded\": true, \"encoding\": 4, \"count\": 3, \"records\": [\n"
            "[\"名前\", \"読み\", \"備考\", \"注\"],\n"
            "[\"表示\", \"ﾋｮｳｼﾞ\", \"ソ\", \"表n\"],\n"
            "[\"引用\\\"符\", \"ﾃｽﾄ\", \"十\", \"改\\r\\n行\"]\n"
            "]}\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(TableCommand, DumpEscapesWhatJsonCannotHold) {
  // Control characters, a backslash, and bytes that are not UTF-8 (a unit
  // announcing two bytes swallows the line break after it).
  WriteFileBytes(Path("odd.csv"), "h,\xE3\x81\x82\xE3\x81\x84,\xE3\x81\x82\n\"q\\\\\",\x1B\t\x08,\x80\xC3\n");
  Outcome run = Vardo("table dump " + Path("odd.csv"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "{\"loaded\": true, \"encoding\": 5, \"count\": 2, \"records\": [\n"
            "[\"h\", \"あい\", \"あ\"],\n"
            "[\"q\\\\\", \"\\u001b\\t\\b\", \"\\ufffd\\ufffd\\n\"]\n"
            "]}\n");
}

TEST_F(TableCommand, EmptyFileDumpsNoRecords) {
  WriteFileBytes(Path("empty.csv"), "");
  Outcome run = Vardo("table dump " + Path("empty.csv"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "{\"loaded\": true, \"encoding\": 1, \"count\": 0, \"records\": []}\n");
}

TEST_F(TableCommand, RefusedFilesExitOneAndSayWhy) {
  WriteFileBytes(Path("control.csv"), "a,b\x02\n");
  WriteFileBytes(Path("undecided.csv"), "\xE3\x81\x82\xE3\x81\x82");
  const struct {
    std::string file, json, message;
  } cases[] = {
      {Path("missing.csv"), "{\"loaded\": false, \"encoding\": null}\n", "cannot open"},
      {Path("control.csv"), "{\"loaded\": false, \"encoding\": 0}\n", "control bytes"},
      {Path("undecided.csv"), "{\"loaded\": false, \"encoding\": -1}\n", "encoding undecided"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.file);
    Outcome dump = Vardo("table dump " + c.file);
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.out, c.json);
    EXPECT_NE(dump.err.find(c.message), std::string::npos) << dump.err;
    for (std::string command : {"show " + c.file, "export " + c.file + " " + Path("out.csv"),
                                "set " + c.file + " 1 0 v"}) {
      Outcome run = Vardo("table " + command);
      EXPECT_EQ(run.status, 1);
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(Path("out.csv")));
  }
}

TEST_F(TableCommand, ShowListsTheTableAsThePanelDoes) {
  WriteFileBytes(Path("t.csv"), "名前,,x\r\n表示,\"a\r\nb\",c\r\n\r\nlast\r\n");
  Outcome run = Vardo("table show " + Path("t.csv"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "  | 名前 | @1     | x\n"
            "--+------+--------+--\n"
            "1 | 表示 | a\\r\\nb | c\n"
            "2 | last |        | \n");
}

TEST_F(TableCommand, SetWritesOneFieldAndSaves) {
  fs::copy_file(kFixtures + "fixture.shift_jis.csv", Path("t.csv"));
  Outcome toOther = Vardo("table set " + Path("t.csv") + " 1 3 '新\"値' -o " + Path("o.csv"));
  EXPECT_EQ(toOther.status, 0) << toOther.err;
  EXPECT_EQ(ReadFileBytes(Path("t.csv")), ReadFileBytes(kFixtures + "fixture.shift_jis.csv"));
  std::string expected = ReadFileBytes(kFixtures + "fixture.utf-8.csv");
  expected.replace(expected.find("表n"), strlen("表n"), "\"新\"\"値\"");
  EXPECT_EQ(ReadFileBytes(Path("o.csv")), expected);

  Outcome inPlace = Vardo("table set " + Path("t.csv") + " 0 0 名");
  EXPECT_EQ(inPlace.status, 0) << inPlace.err;
  EXPECT_EQ(ReadFileBytes(Path("t.csv")).substr(0, 12), "\"名\",読み");

  // A folder path ends in a backslash, which must not escape the quote
  // after it: the records after it stay records.
  WriteFileBytes(Path("p.csv"), "folder,n\nx,1\ny,2\n");
  Outcome folder = Vardo("table set " + Path("p.csv") + " 1 0 'C:\\data\\'");
  EXPECT_EQ(folder.status, 0) << folder.err;
  EXPECT_EQ(ReadFileBytes(Path("p.csv")), "folder,n\n\"C:\\data\"\\\\,1\ny,2\n");
  Outcome dump = Vardo("table dump " + Path("p.csv"));
  EXPECT_NE(dump.out.find("\"count\": 3"), std::string::npos) << dump.out;
  EXPECT_NE(dump.out.find("[\"C:\\\\data\\\\\", \"1\"]"), std::string::npos) << dump.out;
}

TEST_F(TableCommand, SetRefusesWhatDoesNotExist) {
  WriteFileBytes(Path("t.csv"), "h1,h2\na\nb\n");
  const struct {
    const char *arguments, *message;
  } cases[] = {
      {" 3 0 v", "record 3 does not exist"},
      {" -1 0 v", "record -1 does not exist"},
      {" 1 1 v", "record 1 has no field 1"},
      {" 1 x v", "COLUMN"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.arguments);
    Outcome run = Vardo("table set " + Path("t.csv") + " --" + c.arguments);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(Path("t.csv")), "h1,h2\na\nb\n");
  }
  Outcome broken = Vardo("table set " + Path("t.csv") + " 1 0 \"$(printf 'caf\\303')\"");
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("not UTF-8"), std::string::npos) << broken.err;
  EXPECT_EQ(ReadFileBytes(Path("t.csv")), "h1,h2\na\nb\n");
  std::string longValue(32767, 'v');
  Outcome run = Vardo("table set " + Path("t.csv") + " 1 0 " + longValue);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line window"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFileBytes(Path("t.csv")), "h1,h2\na\nb\n");
}

TEST_F(TableCommand, ExportSavesAnyEncodingAsUtf8) {
  for (const char *name : {"fixture.shift_jis.csv", "fixture.euc-jp.csv", "fixture.iso-2022-jp.csv"}) {
    SCOPED_TRACE(name);
    Outcome run = Vardo("table export " + kFixtures + name + " " + Path("u.csv"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(Path("u.csv")), ReadFileBytes(kFixtures + "fixture.utf-8.csv"));
  }
  Outcome run = Vardo("table export " + kFixtures + "fixture.ascii.csv " + Path("no/such/dir.csv"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

}  // namespace
