// vardo table, run as a person runs it: the built program on real files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "vardo_testing.h"

namespace {

namespace fs = std::filesystem;

const std::string kFixtures = VARDO_SOURCE_DIR "/vardo/recordtable/testdata/";

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
  // Control characters, a backslash, and bytes that are not UTF-8. For the
  // line rules the quote after \\ is backslash-quote and leaves the quotes
  // open, so the last line break belongs to the last field.
  WriteFileBytes(Path("odd.csv"),
                 "h,\xE3\x81\x82\xE3\x81\x84,\xE3\x81\x82\n\"q\\\\\",\x1B\t\x08,\x80\xC3\n");
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
      {Path("missing.csv"), "{\"loaded\": false, \"encoding\": null}\n",
       "cannot open " + Path("missing.csv") + ": No such file or directory"},
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
      {" 3 0 v", "record 3 does not exist: "},
      {" 1 1 v", "record 1 has no field 1 (its fields are 0 to 0)"},
      {" 99999999999 0 v", "RECORD: '99999999999' is not a decimal number from 0 to 2147483647"},
      // Decimal digits and nothing else: no octal, no sign, no space.
      {" -1 0 v", "RECORD: '-1' is not a decimal"},
      {" -0 0 v", "RECORD: '-0' is not a decimal"},
      {" +1 0 v", "RECORD: '+1' is not a decimal"},
      {" '' 0 v", "RECORD: '' is not a decimal"},
      {" ' 1' 0 v", "RECORD: ' 1' is not a decimal"},
      {" 0x1 0 v", "RECORD: '0x1' is not a decimal"},
      {" 1 x v", "COLUMN: 'x' is not a decimal"},
      {" 1 1e0 v", "COLUMN: '1e0' is not a decimal"},
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

TEST_F(TableCommand, RecordNumbersAreDecimal) {
  std::string table = "h\n";
  for (int r = 1; r <= 12; ++r) table += "r" + std::to_string(r) + "\n";
  WriteFileBytes(Path("t.csv"), table);
  Outcome run = Vardo("table set " + Path("t.csv") + " 010 00 ten -o " + Path("o.csv"));
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected = table;
  expected.replace(expected.find("r10\n"), 3, "\"ten\"");
  EXPECT_EQ(ReadFileBytes(Path("o.csv")), expected);
}

TEST_F(TableCommand, SetSaysWhyATableHasNoSuchRecord) {
  WriteFileBytes(Path("empty.csv"), "");
  WriteFileBytes(Path("header.csv"), "h1,h2\n");
  const struct {
    std::string file, arguments, message;
  } cases[] = {
      {Path("empty.csv"), " 0 0 v", Path("empty.csv") + " holds no records"},
      {Path("header.csv"), " 1 0 v",
       "record 1 does not exist: " + Path("header.csv") + " holds only the header row, record 0"},
  };
  for (const auto &c : cases) {
    Outcome run = Vardo("table set " + c.file + c.arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("0 to -1"), std::string::npos) << run.err;
  }
}

// A record longer than the 32,767-byte line window: rebuilt from the window
// it would lose its fields past it, so the set is refused and the file kept.
TEST_F(TableCommand, SetRefusesARecordTheLineWindowCuts) {
  std::string fields;
  for (int i = 0; i < 6000; ++i) fields += (i ? "," : "") + std::to_string(100000 + i);
  const std::string table = "h\n" + fields + "\nnext\n";
  WriteFileBytes(Path("wide.csv"), table);
  const struct {
    const char *arguments, *message;
  } cases[] = {
      {" 1 0 short", "is longer than the 32,767-byte line window: rebuilt"},
      {" 1 5999 short", "is longer than the 32,767-byte line window, and field 5999 lies past it"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.arguments);
    Outcome run = Vardo("table set " + Path("wide.csv") + c.arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing was changed"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("no field"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(Path("wide.csv")), table);
  }
  Outcome next = Vardo("table set " + Path("wide.csv") + " 2 0 fine");
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_EQ(ReadFileBytes(Path("wide.csv")), "h\n" + fields + "\n\"fine\"");
}

// Sparse: three gibibytes that take no disk. Read as it was, the file
// would load as an empty table, and an export over itself would empty it.
TEST_F(TableCommand, AFileOverTwoGibibytesIsRefusedAndKept) {
  const std::string big = Path("big.csv");
  WriteFileBytes(big, "h\n");
  ASSERT_EQ(truncate(big.c_str(), 3ll << 30), 0);
  for (std::string command :
       {"export " + big + " " + big, "show " + big, "set " + big + " 0 0 v"}) {
    SCOPED_TRACE(command);
    Outcome run = Vardo("table " + command);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("too large"), std::string::npos) << run.err;
    EXPECT_EQ(fs::file_size(big), 3ull << 30);
  }
}

TEST_F(TableCommand, APipeIsReadWhole) {
  const std::string fifo = Path("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string bytes = ReadFileBytes(kFixtures + "fixture.shift_jis.csv");
  std::thread writer([&] { WriteFileBytes(fifo, bytes); });
  Outcome run = Vardo("table export " + fifo + " " + Path("u.csv"));
  writer.join();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(Path("u.csv")), ReadFileBytes(kFixtures + "fixture.utf-8.csv"));
}

TEST_F(TableCommand, SavesFilesWithNamesOfAnyLengthTheSystemTakes) {
  const std::string name = Path(std::string(255, 'n'));
  WriteFileBytes(name, "h\nold\n");
  Outcome run = Vardo("table set " + name + " 1 0 new");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(name), "h\n\"new\"");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// Twenty processes set twenty records of one file at once, round after
// round. Updates may be lost (the last save wins), but every reader and the
// final file see one whole table: each line as it was or as one of the
// sets wrote it, no line lost, doubled or cut.
TEST_F(TableCommand, ConcurrentSavesNeverTearTheFile) {
  const int kWriters = 20, kRecords = 2000, kRounds = 6;
  const std::string file = Path("shared.csv");
  std::vector<std::string> original{"id,value"};
  for (int r = 1; r <= kRecords; ++r)
    original.push_back(std::to_string(r) + "," + std::string(1000, 'a' + r % 26));
  std::string table;
  for (const std::string &line : original) table += line + "\n";
  WriteFileBytes(file, table);

  // Which text each line may have: as it was, or as any round's set wrote it.
  auto lineIsValid = [&](int index, const std::string &line, int round) {
    if (line == original[index]) return true;
    if (index < 1 || index > kWriters) return false;
    for (int r = 0; r <= round; ++r)
      if (line ==
          std::to_string(index) + ",\"w" + std::to_string(index) + "-" + std::to_string(r) + "\"")
        return true;
    return false;
  };
  // Empty when the text is a whole table; else what is wrong with it.
  auto problem = [&](const std::string &text, int round) -> std::string {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (lines.size() != original.size())
      return std::to_string(lines.size()) + " lines of " + std::to_string(text.size()) + " bytes";
    for (size_t i = 0; i < lines.size(); ++i)
      if (!lineIsValid(static_cast<int>(i), lines[i], round))
        return "line " + std::to_string(i) + ": " + lines[i].substr(0, 40);
    return "";
  };

  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    std::string script;
    for (int w = 1; w <= kWriters; ++w)
      script += "(" VARDO_BUILD_DIR "/bin/vardo table set '" + file + "' " + std::to_string(w) +
                " 1 w" + std::to_string(w) + "-" + std::to_string(round) + " || echo " +
                std::to_string(w) + " >> '" + Path("failed") + "') 2>>'" + Path("errors") + "' & ";
    script += "wait";
    std::atomic<bool> done{false};
    std::thread writers([&] {
      EXPECT_EQ(system(script.c_str()), 0);
      done = true;
    });
    int reads = 0;
    std::set<std::string> problems;
    while (!done) {
      std::string wrong = problem(ReadFileBytes(file), round);
      if (!wrong.empty()) problems.insert(wrong);
      ++reads;
    }
    writers.join();
    EXPECT_TRUE(problems.empty()) << problems.size() << " torn views, first: " << *problems.begin();
    EXPECT_GT(reads, 0);
    EXPECT_FALSE(fs::exists(Path("failed"))) << ReadFileBytes(Path("errors"));
    const std::string final = ReadFileBytes(file);
    EXPECT_EQ(problem(final, round), "");
    // The last save to land holds its own set of this round.
    bool any = false;
    for (int w = 1; w <= kWriters; ++w)
      any = any || final.find(",\"w" + std::to_string(w) + "-" + std::to_string(round) + "\"") !=
                       std::string::npos;
    EXPECT_TRUE(any);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2)
        << "a temporary file was left";  // the table and the errors
  }
}

TEST_F(TableCommand, ExportSavesAnyEncodingAsUtf8) {
  for (const char *name :
       {"fixture.shift_jis.csv", "fixture.euc-jp.csv", "fixture.iso-2022-jp.csv"}) {
    SCOPED_TRACE(name);
    Outcome run = Vardo("table export " + kFixtures + name + " " + Path("u.csv"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(Path("u.csv")), ReadFileBytes(kFixtures + "fixture.utf-8.csv"));
  }
  Outcome run = Vardo("table export " + kFixtures + "fixture.ascii.csv " + Path("no/such/dir.csv"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write " + Path("no/such/dir.csv") + ": No such file or directory"),
            std::string::npos)
      << run.err;
}

}  // namespace
