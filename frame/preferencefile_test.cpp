#include "frame/preferencefile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/testprofile.h"
#include "platform/savefile_testing.h"

namespace {

struct Settings {
  char name[32];
  LONG number;
  double real;
};

const PreferenceKey KEYS[] = {
    PREFERENCE_SETTING(Settings, name, PREFERENCE_STRING),
    PREFERENCE_SETTING(Settings, number, PREFERENCE_INTEGER),
    PREFERENCE_SETTING(Settings, real, PREFERENCE_REAL),
};
const PreferenceFile FILE_ = {"Test.ini", KEYS, sizeof KEYS / sizeof KEYS[0]};

Settings Make(const char *name, LONG number, double real) {
  Settings s;
  std::memset(&s, 0, sizeof s);
  std::strcpy(s.name, name);
  s.number = number;
  s.real = real;
  return s;
}

void ExpectSame(const Settings &got, const Settings &want) {
  EXPECT_STREQ(got.name, want.name);
  EXPECT_EQ(got.number, want.number);
  EXPECT_EQ(got.real, want.real);
}

using PreferenceFileTest = TestProfile;

TEST_F(PreferenceFileTest, WritesEveryKeyInOrderAndReadsThemBack) {
  const Settings written = Make("C:\\a b\\c,d.csv", -40000, 0.25);
  ASSERT_TRUE(WritePreferences(&FILE_, &written));
  EXPECT_EQ(Get(Prefs("Test.ini")),
            "name = \"C:\\a b\\c,d.csv\"\r\n"
            "number = -40000\r\n"
            "real = 0.25\r\n");
  EXPECT_EQ(savefile_testing::Listing(Linux(Prefs(""))), std::set<std::string>{"Test.ini"});

  Settings read = Make("other", 1, 2);
  ReadPreferences(&FILE_, &read);
  ExpectSame(read, written);

  char path[MAX_PATH];
  ASSERT_TRUE(FindPreferenceFilePath(&FILE_, path, sizeof path));
  EXPECT_STREQ(path, "T:\\Documents\\Adobe\\Illustrator\\Prefs\\Test.ini");
}

TEST_F(PreferenceFileTest, ReadsTheFileUpToItsFirstNul) {
  std::filesystem::create_directories(Linux(Prefs("")));
  Put(Prefs("Test.ini"), std::string("number = 7\r\n\0real = 3\r\n", 23));
  Settings read = Make("kept", 1, 2);
  ReadPreferences(&FILE_, &read);
  ExpectSame(read, Make("kept", 7, 2));
}

TEST_F(PreferenceFileTest, AMissingOrShortReadFileChangesNothing) {
  const Settings before = Make("kept", 1, 2);
  Settings read = before;
  ReadPreferences(&FILE_, &read);  // no file yet
  ExpectSame(read, before);
  EXPECT_TRUE(std::filesystem::is_directory(Linux(Prefs(""))));

  // A read that stops short applies nothing, not even the lines it got.
  Put(Prefs("Test.ini"), "number = 5\r\nreal = 6\r\nname = \"new\"\r\n");
  vplat::faults::Arm(vplat::faults::Op::Read, 0, false);
  ReadPreferences(&FILE_, &read);
  EXPECT_TRUE(vplat::faults::Fired());
  ExpectSame(read, before);
}

TEST_F(PreferenceFileTest, AFailedWriteLeavesThePreviousFileIntact) {
  const Settings previous = Make("previous", 1, 1.5);
  const Settings next = Make("next, and longer than the previous one", 2, 2.5);
  ASSERT_TRUE(WritePreferences(&FILE_, &previous));
  const std::string previousText = Get(Prefs("Test.ini"));
  ASSERT_TRUE(WritePreferences(&FILE_, &next));
  const std::string nextText = Get(Prefs("Test.ini"));

  using vplat::faults::Op;
  for (Op op : {Op::Create, Op::Write, Op::DiskFull, Op::Move}) {
    int faults = 0;
    for (int n = 0;; ++n) {
      ASSERT_TRUE(WritePreferences(&FILE_, &previous));
      vplat::faults::Reset();
      vplat::faults::Arm(op, n, false);
      BOOL written = WritePreferences(&FILE_, &next);
      bool fired = vplat::faults::Fired();
      vplat::faults::Reset();
      SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(op) << " at " << n);
      EXPECT_EQ(Get(Prefs("Test.ini")), written ? nextText : previousText);
      EXPECT_EQ(written, !fired);
      EXPECT_EQ(savefile_testing::Listing(Linux(Prefs(""))), std::set<std::string>{"Test.ini"});
      if (!fired) break;
      ++faults;
    }
    EXPECT_GT(faults, 0) << "fault " << static_cast<int>(op) << " never struck";
  }
}

TEST_F(PreferenceFileTest, AFaultAtAnySystemCallOfAWriteLosesNothing) {
  const Settings previous = Make("previous", 1, 1.5);
  const Settings next = Make("next", 2, 2.5);
  ASSERT_TRUE(WritePreferences(&FILE_, &next));
  const std::string nextText = Get(Prefs("Test.ini"));
  ASSERT_TRUE(WritePreferences(&FILE_, &previous));
  const std::string previousText = Get(Prefs("Test.ini"));
  int faults = savefile_testing::ExpectEveryFailedCallHarmless(
      Linux(Prefs("")), Linux(Prefs("Test.ini")), previousText, nextText,
      [&] { Put(Prefs("Test.ini"), previousText); },
      [&] { return WritePreferences(&FILE_, &next) != FALSE; });
  EXPECT_GE(faults, 8);
}

TEST_F(PreferenceFileTest, WithoutADocumentsFolderNothingIsReadOrWritten) {
  const Settings saved = Make("saved", 1, 1);
  ASSERT_TRUE(WritePreferences(&FILE_, &saved));
  vplat::SetDocumentsFolder("");
  const std::string before = Listing();

  Settings read = Make("kept", 2, 2);
  ReadPreferences(&FILE_, &read);
  ExpectSame(read, Make("kept", 2, 2));
  EXPECT_FALSE(WritePreferences(&FILE_, &read));
  EXPECT_EQ(Listing(), before);
  EXPECT_EQ(Get(Prefs("Test.ini")), "name = \"saved\"\r\nnumber = 1\r\nreal = 1\r\n");

  char path[MAX_PATH] = "stale";
  EXPECT_FALSE(FindPreferenceFilePath(&FILE_, path, sizeof path));
  EXPECT_STREQ(path, "");
}

}  // namespace
