#include "vardo/recordtable/recordtable.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <vplatform/errortext.h>
#include <vplatform/faults.h>
#include <vplatform/paths.h>
#include <vplatform/syscalls.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/savefile_testing.h"

#include "vardo/recordtable/recordtable_seams.h"
#include "vardo/recordtable/recordtable_test_support.h"
#include "vardo/recordtable/textencoding.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string WindowsPath(const std::string &linuxPath) {
  std::string out;
  EXPECT_TRUE(vplat::WindowsPathFromLinux(linuxPath, out)) << linuxPath;
  return out;
}

SHORT Load(const std::string &linuxPath) { return LoadCsvFile(WindowsPath(linuxPath).c_str()); }

BOOL Save(const std::string &linuxPath) { return SaveCsvFile(WindowsPath(linuxPath).c_str()); }

// A fresh folder per test for the files it writes.
class RecordTableFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::TempDir() + "vardo-recordtable-XXXXXX";
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name;
    ClearRecordTable();
  }
  void TearDown() override {
    vplat::faults::Reset();
    vplat::syscalls::RestoreAll();
    SetRecordTableAllocationLimit(static_cast<size_t>(-1));
    fs::remove_all(dir_);
  }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }
  std::string dir_;
};

const std::string kFixtures = VARDO_SOURCE_DIR "/vardo/recordtable/testdata/";
const std::string kReal = VARDO_TEST_DATA_DIR "/";

const Records kJapaneseFixture = {
    {"名前", "読み", "備考", "注"},
    {"表示", "ﾋｮｳｼﾞ", "ソ", "表n"},
    {"引用\"符", "ﾃｽﾄ", "十", "改\r\n行"},
};

TEST_F(RecordTableFiles, LoadsEachEncodingAsUtf8) {
  const struct {
    const char *file;
    int encoding;
    Records records;
  } cases[] = {
      {"fixture.ascii.csv", TEXT_ASCII, {{"name", "note"}, {"A", "b\"c"}, {"", "x,y"}}},
      {"fixture.shift_jis.csv", TEXT_SHIFTJIS, kJapaneseFixture},
      {"fixture.euc-jp.csv", TEXT_EUCJP, kJapaneseFixture},
      {"fixture.iso-2022-jp.csv", TEXT_ISO2022JP, kJapaneseFixture},
      {"fixture.utf-8.csv", TEXT_UTF8, kJapaneseFixture},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_NE(Load(kFixtures + c.file), 0);
    EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_OK);
    EXPECT_EQ(GetLastLoadEncoding(), c.encoding);
    EXPECT_EQ(ReadTable(), c.records);
  }
}

// Decodes with the C library's own code page 932, independently of the
// platform's tables.
std::string IconvToUtf8(const std::string &bytes, const char *from) {
  iconv_t cd = iconv_open("UTF-8", from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(bytes.size() * 3 + 16, '\0');
  char *in = const_cast<char *>(bytes.data());
  size_t inLeft = bytes.size();
  char *o = out.data();
  size_t outLeft = out.size();
  EXPECT_NE(iconv(cd, &in, &inLeft, &o, &outLeft), static_cast<size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

TEST_F(RecordTableFiles, LoadsTheTokyoPostalCodesWhole) {
  ASSERT_NE(Load(kReal + "13TOKYO.CSV"), 0);
  EXPECT_EQ(GetLastLoadEncoding(), TEXT_SHIFTJIS);
  EXPECT_EQ(TableText(), IconvToUtf8(ReadFile(kReal + "13TOKYO.CSV"), "CP932"));
  Records records = ReadTable();
  ASSERT_EQ(records.size(), 4087u);
  for (size_t r = 0; r < records.size(); ++r) ASSERT_EQ(records[r].size(), 15u) << "record " << r;
  // Record 0 is the first line: as a header row it names the columns.
  const std::vector<std::string> first = {"13101",  "100  ",    "1000000",
                                          "ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ",    "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ",
                                          "東京都", "千代田区", "以下に掲載がない場合",
                                          "0",      "0",        "0",
                                          "0",      "0",        "0"};
  EXPECT_EQ(records[0], first);
  EXPECT_EQ(records[100][5], "ｶﾝﾀﾞﾄﾐﾔﾏﾁｮｳ");
  EXPECT_EQ(records[100][8], "神田富山町");
}

TEST_F(RecordTableFiles, LoadsTheNationalExcerpt) {
  ASSERT_NE(Load(kReal + "KEN_ALL.CSV"), 0);
  Records records = ReadTable();
  ASSERT_EQ(records.size(), 14u);
  EXPECT_EQ(records[3][8], "大通西（１～１９丁目）");
}

TEST_F(RecordTableFiles, TheSameTextInFourEncodingsLoadsAsTheSameRecords) {
  ASSERT_NE(Load(kReal + "same-text.utf-8-bom.txt"), 0);
  std::string utf8 = TableText();
  ASSERT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");  // the byte-order mark is kept
  Records expected = ReadTable();
  ASSERT_GT(expected.size(), 20u);
  expected[0][0].erase(0, 3);
  for (const char *name :
       {"same-text.shift_jis.txt", "same-text.euc-jp.txt", "same-text.iso-2022-jp.txt"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(Load(kReal + name), 0);
    EXPECT_EQ(TableText(), utf8.substr(3));
    EXPECT_EQ(ReadTable(), expected);
  }
}

TEST_F(RecordTableFiles, KatakanaRichTextLoadsWhole) {
  // Three UTF-8 bytes for each one-byte katakana: the text grows to more
  // than twice the file, and must still load whole.
  std::string line, expectedLine;
  for (int i = 0; i < 40; ++i) {
    line += "\xB1\xB2\x95\x5C";  // ｱｲ表: a kanji for every two katakana keeps Shift-JIS ahead
    expectedLine += "ｱｲ表";
  }
  std::string file = "\x95\x5C\r\n";
  for (int i = 0; i < 200; ++i) file += line + "," + line + "\r\n";
  WriteFile(Path("kana.csv"), file);
  ASSERT_NE(Load(Path("kana.csv")), 0);
  EXPECT_EQ(GetLastLoadEncoding(), TEXT_SHIFTJIS);
  size_t length = 0;
  GetRecordTableText(&length);
  EXPECT_GT(length, 2 * file.size());
  ASSERT_EQ(CountRecords(), 201);
  EXPECT_EQ(Take(GetField(200, 1)), expectedLine);
}

TEST_F(RecordTableFiles, RefusalsSayWhyAndWhatBecameOfTheTable) {
  const std::string kept = "kept,table\n";
  struct {
    const char *what;
    const char *bytes;  // nullptr: no such file
    int outcome;
    int encoding;
  } cases[] = {
      {"a file that cannot be opened keeps the table", nullptr, CSV_LOAD_CANNOT_OPEN, 0},
      {"control bytes", "a,b\x03\n", CSV_LOAD_REJECTED, TEXT_CONTROL_BYTES},
      {"a UTF-16 file with its byte-order mark",
       "\xFF\xFE"
       "a\0",
       CSV_LOAD_REJECTED, TEXT_CONTROL_BYTES},
      {"an undecided encoding", "\xE3\x81\x82\xE3\x81\x82", CSV_LOAD_REJECTED, TEXT_UNDECIDED},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SetRecordTableText(kept.data(), kept.size()));
    std::string path = Path("refused.csv");
    fs::remove(path);
    if (c.bytes) WriteFile(path, c.bytes);
    EXPECT_EQ(Load(path), 0);
    EXPECT_EQ(GetLastLoadOutcome(), c.outcome);
    if (c.outcome == CSV_LOAD_CANNOT_OPEN) {
      EXPECT_EQ(TableText(), kept);
    } else {
      EXPECT_EQ(GetLastLoadEncoding(), c.encoding);
      EXPECT_EQ(GetRecordTableText(nullptr), nullptr);
      EXPECT_EQ(CountRecords(), 0);
    }
  }
}

TEST_F(RecordTableFiles, AFileTooLargeForMemoryIsNotLoaded) {
  WriteFile(Path("big.csv"), std::string(5000, 'a') + "\n");
  ASSERT_TRUE(SetRecordTableText("x", 1));
  SetRecordTableAllocationLimit(4096);
  EXPECT_EQ(Load(Path("big.csv")), 0);
  EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_OUT_OF_MEMORY);
  EXPECT_EQ(GetRecordTableText(nullptr), nullptr);
  SetRecordTableAllocationLimit(static_cast<size_t>(-1));
  EXPECT_NE(Load(Path("big.csv")), 0);
  EXPECT_EQ(CountRecords(), 1);
}

TEST_F(RecordTableFiles, TextEndsAfterTheBytesActuallyRead) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes += "row" + std::to_string(i) + ",value\n";
  WriteFile(Path("short.csv"), bytes);
  // Every read returns half of what was asked: the loader takes what came.
  vplat::faults::Arm(vplat::faults::Op::Read, 0, true);
  EXPECT_NE(Load(Path("short.csv")), 0);
  vplat::faults::Reset();
  std::string text = TableText();
  ASSERT_LT(text.size(), bytes.size());
  EXPECT_EQ(text, bytes.substr(0, text.size()));
}

TEST_F(RecordTableFiles, AReadErrorIsTold) {
  WriteFile(Path("t.csv"), "a,b\nc,d\n");
  auto failRead = [](int, void *, size_t) -> ssize_t {
    errno = EIO;
    return -1;
  };
  vplat::syscalls::Set("read", reinterpret_cast<vplat::syscalls::Fn>(+failRead));
  EXPECT_NE(Load(Path("t.csv")), 0);  // taken: what came, which is nothing
  vplat::syscalls::RestoreAll();
  EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_INCOMPLETE);
  EXPECT_EQ(vplat::LastErrorText(), strerror(EIO));
  EXPECT_EQ(TableText(), "");
  EXPECT_NE(Load(Path("t.csv")), 0);
  EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_OK);
}

// A file larger than what a LONG file position reaches would read as empty;
// it is refused without reading it. The file is sparse: it takes no disk.
TEST_F(RecordTableFiles, AFileOverTwoGibibytesIsRefusedAsTooLarge) {
  const std::string big = Path("big.csv");
  WriteFile(big, "kept,header\n");
  ASSERT_EQ(truncate(big.c_str(), 3ll << 30), 0);
  ASSERT_TRUE(SetRecordTableText("x", 1));
  EXPECT_EQ(Load(big), 0);
  EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_TOO_LARGE);
  EXPECT_EQ(GetRecordTableText(nullptr), nullptr);
  EXPECT_FALSE(Save(big));  // no table: nothing replaces the file
  EXPECT_EQ(fs::file_size(big), 3ull << 30);
}

// A pipe cannot tell its size; it is read to its end.
TEST_F(RecordTableFiles, APipeIsReadWhole) {
  // As a shell hands one over (`<(cat table.csv)`): a pipe whose writer is
  // there, named through /dev/fd.
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::string bytes = "name,note\n";
  for (int i = 0; i < 20000; ++i) bytes += "row " + std::to_string(i) + ",x\n";
  std::thread writer([&] {
    for (size_t at = 0; at < bytes.size();) {
      const ssize_t n = write(ends[1], bytes.data() + at, bytes.size() - at);
      if (n <= 0) break;
      at += static_cast<size_t>(n);
    }
    close(ends[1]);
  });
  SHORT loaded = Load("/dev/fd/" + std::to_string(ends[0]));
  writer.join();
  close(ends[0]);
  ASSERT_NE(loaded, 0);
  EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_OK);
  EXPECT_EQ(TableText(), bytes);
  EXPECT_EQ(CountRecords(), 20001);
}

TEST_F(RecordTableFiles, NulEndsTheText) {
  WriteFile(Path("nul.csv"), std::string("a,b\nc\0\x01,d\n", 10));
  ASSERT_NE(Load(Path("nul.csv")), 0);
  EXPECT_EQ(TableText(), "a,b\nc");
}

// A batch run loads its file for every document: an unchanged file keeps
// the table, while a change of the file, or of the table, is never missed.
TEST_F(RecordTableFiles, AnUnchangedFileKeepsTheTableAndAnyChangeIsReadAgain) {
  for (const char *fixture : {"fixture.utf-8.csv", "fixture.shift_jis.csv"}) {
    SCOPED_TRACE(fixture);
    const std::string path = Path("t.csv");
    const std::string bytes = ReadFile(kFixtures + fixture);
    WriteFile(path, bytes + "z,z,z,z\n");
    ASSERT_NE(Load(path), 0);
    const int encoding = GetLastLoadEncoding();
    const unsigned long loaded = GetRecordTableVersion();
    Records records = ReadTable();
    ASSERT_EQ(records.back(), std::vector<std::string>(4, "z"));

    ASSERT_NE(Load(path), 0);
    EXPECT_EQ(GetRecordTableVersion(), loaded);
    EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_OK);
    EXPECT_EQ(GetLastLoadEncoding(), encoding);
    EXPECT_EQ(ReadTable(), records);

    // The same size, one byte else.
    WriteFile(path, bytes + "y,z,z,z\n");
    ASSERT_NE(Load(path), 0);
    EXPECT_NE(GetRecordTableVersion(), loaded);
    records.back()[0] = "y";
    EXPECT_EQ(ReadTable(), records);

    // An edit not saved is replaced by the file, as before.
    ASSERT_TRUE(SetField(1, 0, "edited"));
    const unsigned long edited = GetRecordTableVersion();
    ASSERT_NE(Load(path), 0);
    EXPECT_NE(GetRecordTableVersion(), edited);
    EXPECT_EQ(ReadTable(), records);

    ClearRecordTable();
  }
}

// Dates the file's last write (and last access) at `when`.
void SetWritten(const std::string &path, const struct timespec &when) {
  const struct timespec times[2] = {when, when};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct timespec SecondsAgo(time_t seconds) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  now.tv_sec -= seconds;
  return now;
}

// A file last written well before it was read, and still the same file of
// the same size and time, is kept without reading it again; any write since
// gives it a new time, and a file moved over the name is another file.
TEST_F(RecordTableFiles, ASettledFileIsKnownWithoutReadingIt) {
  const std::string path = Path("t.csv");
  WriteFile(path, "name\nalpha\n");
  const struct timespec old = SecondsAgo(3600);
  SetWritten(path, old);
  ASSERT_NE(Load(path), 0);
  const unsigned long loaded = GetRecordTableVersion();

  auto failRead = [](int, void *, size_t) -> ssize_t {
    errno = EIO;
    return -1;
  };
  vplat::syscalls::Set("read", reinterpret_cast<vplat::syscalls::Fn>(+failRead));
  EXPECT_NE(Load(path), 0);
  vplat::syscalls::RestoreAll();
  EXPECT_EQ(GetLastLoadOutcome(), CSV_LOAD_OK);
  EXPECT_EQ(GetRecordTableVersion(), loaded);

  WriteFile(path, "name\nbravo\n");  // in place, dated now
  ASSERT_NE(Load(path), 0);
  EXPECT_EQ(Take(GetField(1, 0)), "bravo");

  SetWritten(path, old);
  ASSERT_NE(Load(path), 0);
  WriteFile(Path("new.csv"), "name\ncharl\n");
  SetWritten(Path("new.csv"), old);
  ASSERT_EQ(rename(Path("new.csv").c_str(), path.c_str()), 0);
  ASSERT_NE(Load(path), 0);
  EXPECT_EQ(Take(GetField(1, 0)), "charl");
}

// A write within the same tick of the file clock as the one before leaves
// the file's time as it was; a file written that recently is compared by
// its bytes. A time of whole seconds may come from a clock of two-second
// ticks, so a file dated a second ago counts as recent too.
TEST_F(RecordTableFiles, ARecentlyWrittenFileIsComparedByItsBytes) {
  struct timespec wholeSecond = SecondsAgo(1);
  wholeSecond.tv_nsec = 0;
  for (const struct timespec &written : {SecondsAgo(0), wholeSecond}) {
    SCOPED_TRACE(written.tv_nsec);
    const std::string path = Path("t.csv");
    WriteFile(path, "name\nalpha\n");
    SetWritten(path, written);
    ASSERT_NE(Load(path), 0);
    WriteFile(path, "name\nbravo\n");
    SetWritten(path, written);
    ASSERT_NE(Load(path), 0);
    EXPECT_EQ(Take(GetField(1, 0)), "bravo");
  }
}

TEST_F(RecordTableFiles, SavesTheTextAsHeld) {
  ASSERT_NE(Load(kFixtures + "fixture.shift_jis.csv"), 0);
  ASSERT_TRUE(SetField(1, 3, "新しい\"値\""));
  ASSERT_TRUE(Save(Path("out.csv")));
  std::string saved = ReadFile(Path("out.csv"));
  EXPECT_EQ(saved, TableText());
  EXPECT_EQ(saved.substr(0, 6), "名前");  // UTF-8, no byte-order mark
  ASSERT_NE(Load(Path("out.csv")), 0);
  EXPECT_EQ(GetLastLoadEncoding(), TEXT_UTF8);
  Records expected = kJapaneseFixture;
  expected[1][3] = "新しい\"値\"";
  EXPECT_EQ(ReadTable(), expected);
  EXPECT_EQ(fs::directory_iterator(dir_)->path().filename(), "out.csv");  // nothing left beside
}

TEST_F(RecordTableFiles, SavingWithoutATableWritesNothing) {
  WriteFile(Path("old.csv"), "old");
  EXPECT_FALSE(Save(Path("old.csv")));
  EXPECT_FALSE(Save(Path("new.csv")));
  EXPECT_EQ(ReadFile(Path("old.csv")), "old");
  EXPECT_FALSE(fs::exists(Path("new.csv")));
  ASSERT_TRUE(SetRecordTableText("a", 1));
  EXPECT_FALSE(Save(Path("no-such-folder/new.csv")));
}

TEST_F(RecordTableFiles, AFailedSaveLeavesTheOldFileAsItWas) {
  const std::string old = "old,file\r\nkept,intact\r\n";
  std::string table;
  for (int i = 0; i < 2000; ++i) table += "new,row " + std::to_string(i) + "\n";
  ASSERT_TRUE(SetRecordTableText(table.data(), table.size()));
  using vplat::faults::Op;
  for (Op op : {Op::Create, Op::Write, Op::DiskFull, Op::Move}) {
    for (int n = 0;; ++n) {
      SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(op) << " after " << n);
      WriteFile(Path("data.csv"), old);
      vplat::faults::Reset();
      vplat::faults::Arm(op, op == Op::DiskFull ? n * 4096 : n, false);
      BOOL ok = Save(Path("data.csv"));
      bool fired = vplat::faults::Fired();
      vplat::faults::Reset();
      EXPECT_EQ(ReadFile(Path("data.csv")), ok ? table : old);
      EXPECT_EQ(ok != FALSE, !fired);
      EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
      if (!fired) break;
    }
  }
}

TEST_F(RecordTableFiles, AFaultAtAnySystemCallOfASaveLosesNothing) {
  const std::string old = "old,file\r\nkept,intact\r\n";
  const std::string table = "new,table\nwith,rows\n";
  ASSERT_TRUE(SetRecordTableText(table.data(), table.size()));
  const std::string target = Path("data.csv");
  const std::string windowsPath = WindowsPath(target);
  int faults = savefile_testing::ExpectEveryFailedCallHarmless(
      dir_, target, old, table, [&] { WriteFile(target, old); },
      [&] { return SaveCsvFile(windowsPath.c_str()) != FALSE; });
  EXPECT_GE(faults, 8);
}

struct SetCase {
  const char *what;
  std::string text;
  LONG record, column;
  std::string value;
  bool changes;
  std::string expected;  // the text afterwards
};

TEST(SetField, RebuildsTheLineAroundTheQuotedValue) {
  const SetCase cases[] = {
      {"quoted in place, last line loses its break", "h1,h2\r\na,b\r\n", 1, 1, "x", true,
       "h1,h2\r\na,\"x\""},
      {"a following line gets the table's ending", "h\na,b\nc\n", 1, 0, "v", true,
       "h\n\"v\",b\nc\n"},
      {"the comma after the last field is dropped", "h\na,b,\nc\n", 1, 1, "v", true,
       "h\na,\"v\"\nc\n"},
      {"a CR LF anywhere makes the style CR LF", "h\na,\"x\r\ny\"\nc\n", 1, 0, "v", true,
       "h\n\"v\",\"x\r\ny\"\r\nc\n"},
      {"quotes doubled, breaks in the style", "h\r\nold\r\n", 1, 0, "say \"hi\"\nnow", true,
       "h\r\n\"say \"\"hi\"\"\r\nnow\""},
      {"CR style", "h\ra\rb", 1, 0, "x\ny", true, "h\r\"x\ry\"\rb"},
      {"blank lines around stay", "h\n\n\na,b\n\nc", 1, 0, "v", true, "h\n\n\n\"v\",b\n\nc"},
      {"no break anywhere", "a,b", 0, 0, "x", true, "\"x\",b"},
      {"other fields keep their raw bytes", "h\n\"p\"\"q\",  r ,C:\\t\n", 1, 1, "", true,
       "h\n\"p\"\"q\",\"\",C:\\t"},
      {"trailing backslashes follow the closing quote, doubled", "h\na,b\n", 1, 0, "C:\\d\\", true,
       "h\n\"C:\\d\"\\\\,b"},
      {"backslashes alone need no quotes", "h\na,b\n", 1, 0, "\\", true, "h\n\\\\,b"},
      {"a record that does not exist", "h\na\n", 2, 0, "v", false, "h\na\n"},
      {"a field that does not exist", "h\na,b,\n", 1, 2, "v", false, "h\na,b,\n"},
      {"negative numbers", "h\na\n", -1, 0, "v", false, "h\na\n"},
  };
  for (const SetCase &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SetRecordTableText(c.text.data(), c.text.size()));
    EXPECT_EQ(SetField(c.record, c.column, c.value.c_str()), c.changes ? TRUE : FALSE);
    EXPECT_EQ(TableText(), c.expected);
    auto model = reference::SetField(c.text, c.record, c.column, c.value);
    EXPECT_EQ(model.value_or(c.text), c.expected);
  }
}

TEST(SetField, WhatValuesReadBackAs) {
  const std::string text = "name,note\nx,y\nafter,z\n";
  const struct {
    const char *value, *reads;
  } cases[] = {
      {"", ""},
      {"a,b", "a,b"},
      {"\"quoted\" x", "\"quoted\" x"},
      {"あ\"い", "あ\"い"},
      {"line\r\nbreak\r", "line\nbreak\n"},  // in the table's LF style
      // Behind the opening quote a doubled quote reads as one quote, so a
      // value of quotes only reads back one quote longer.
      {"\"", "\"\""},
      {"\"\"", "\"\"\""},
      {"\"\\", "\"\"\\"},  // backslashes ending it aside
      // Backslashes, which the reading rules take for escapes, read back
      // as set; those that end a value must not escape the closing quote.
      {"C:\\new\\table", "C:\\new\\table"},
      {"C:\\data\\", "C:\\data\\"},
      {"\\", "\\"},
      {"\\\\\\", "\\\\\\"},
      {"say \\\"hi\\\"", "say \\\"hi\\\""},
      {"a\\\\\"b", "a\\\\\"b"},
      {"\\\"\\", "\\\"\\"},
      {"x\"\\", "x\"\\"},
      {"表\\", "表\\"},
      {"tab\\t\\r\\n", "tab\\t\\r\\n"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.value);
    for (LONG column : {0, 1}) {  // a field at the end of its line and one before a comma
      ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
      ASSERT_TRUE(SetField(1, column, c.value));
      EXPECT_EQ(Take(GetField(1, column)), c.reads);
      EXPECT_EQ(Take(GetField(1, 1 - column)), column ? "x" : "y");
      EXPECT_EQ(CountRecords(), 3);
      EXPECT_EQ(Take(GetField(2, 0)), "after");
      const std::string written = TableText();
      EXPECT_EQ(reference::GetField(written, 1, column).value_or("(none)"), c.reads) << written;
    }
  }
  // An emptied header field takes its column's name.
  ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
  ASSERT_TRUE(SetField(0, 1, ""));
  EXPECT_EQ(Take(GetField(0, 1)), "@1");
  // A value whose last character is cut short cannot swallow the closing
  // quote: the lead byte stands alone.
  for (const char *cut : {"ok\xE3\x81", "\xE3", "\xF0\x9F\x98"}) {
    ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
    ASSERT_TRUE(SetField(1, 0, cut));
    EXPECT_EQ(Take(GetField(1, 0)), cut);
    EXPECT_EQ(Take(GetField(1, 1)), "y");
    EXPECT_EQ(Take(GetField(2, 0)), "after");
  }
}

TEST(SetField, ALineLongerThanTheWindowIsRefusedWhole) {
  const std::string head = "h\n" + std::string(32000, 'a') + ",b\nnext\n";
  ASSERT_TRUE(SetRecordTableText(head.data(), head.size()));
  // 32,000 + comma + quotes + 764 bytes = 32,767: fits exactly.
  std::string fits(764, 'v');
  ASSERT_TRUE(SetField(1, 1, fits.c_str()));
  EXPECT_EQ(Take(GetField(1, 1)), fits);
  std::string text = TableText();
  EXPECT_FALSE(SetField(1, 1, (fits + "v").c_str()));
  EXPECT_EQ(GetLastSetOutcome(), CSV_SET_TOO_LONG);
  EXPECT_EQ(TableText(), text);
  EXPECT_EQ(Take(GetField(2, 0)), "next");
  // Quoting counts: 500 quotes take 1,000 bytes.
  EXPECT_FALSE(SetField(1, 1, std::string(500, '"').c_str()));
  EXPECT_EQ(TableText(), text);
}

// Rebuilt from what the window holds, a longer line would lose the rest: a
// set into it is refused, whichever field, and the table stays as it was.
TEST(SetField, ALineTheWindowCutsIsRefused) {
  std::string fields;
  for (int i = 0; i < 6000; ++i) fields += (i ? "," : "") + std::to_string(100000 + i);
  const std::string text = "h\n" + fields + "\nnext\n";
  ASSERT_TRUE(SetRecordTableText(text.data(), text.size()));
  for (LONG column : {0, 10, 5000}) {
    SCOPED_TRACE(column);
    EXPECT_FALSE(SetField(1, column, "w"));
    EXPECT_EQ(GetLastSetOutcome(), CSV_SET_LINE_CUT);
    EXPECT_EQ(TableText(), text);
    EXPECT_FALSE(reference::SetField(text, 1, column, "w").has_value());
  }
  EXPECT_EQ(Take(GetField(1, 5000)), "<none>");  // past the window
  EXPECT_TRUE(SetField(2, 0, "w"));
  EXPECT_EQ(GetLastSetOutcome(), CSV_SET_OK);
  EXPECT_FALSE(SetField(2, 1, "w"));
  EXPECT_EQ(GetLastSetOutcome(), CSV_SET_NO_FIELD);
  EXPECT_FALSE(SetField(3, 0, "w"));
  EXPECT_EQ(GetLastSetOutcome(), CSV_SET_NO_RECORD);
}

}  // namespace
