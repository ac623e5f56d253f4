#include <vplatform/errortext.h>
#include <vplatform/savefile.h>
#include <windows.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "savefile_testing.h"
#include "scratchdir.h"

namespace {

namespace fs = std::filesystem;
using SaveFile = ScratchDir;

int Save(const std::string &path, const std::string &bytes) {
  return vplat::SaveFile(path, bytes.data(), bytes.size());
}

mode_t ModeOf(const std::string &path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

TEST_F(SaveFile, ReplacesTheFileWholeAndLeavesNothingBeside) {
  ASSERT_EQ(Save(Linux("new.txt"), "first"), 0);
  EXPECT_EQ(Get("new.txt"), "first");
  const mode_t usual = 0666 & ~[] {
    mode_t m = umask(0);
    umask(m);
    return m;
  }();
  EXPECT_EQ(ModeOf(Linux("new.txt")), usual);  // as any new file
  ASSERT_EQ(Save(Linux("new.txt"), ""), 0);
  EXPECT_EQ(Get("new.txt"), "");
  ASSERT_EQ(Save(Linux("new.txt"), std::string(300000, 'x')), 0);
  EXPECT_EQ(Get("new.txt"), std::string(300000, 'x'));
  EXPECT_EQ(savefile_testing::Listing(root_), std::set<std::string>{"new.txt"});

  // A relative path is in the current folder.
  const fs::path here = fs::current_path();
  fs::current_path(root_);
  EXPECT_EQ(Save("relative.txt", "r"), 0);
  fs::current_path(here);
  EXPECT_EQ(Get("relative.txt"), "r");
}

TEST_F(SaveFile, KeepsTheModeAndTheOwner) {
  for (mode_t mode : {0600, 0640, 0755, 02775}) {
    SCOPED_TRACE(mode);
    Put("kept.txt", "old");
    ASSERT_EQ(chmod(Linux("kept.txt").c_str(), mode), 0);
    ASSERT_EQ(Save(Linux("kept.txt"), "new"), 0);
    EXPECT_EQ(Get("kept.txt"), "new");
    EXPECT_EQ(ModeOf(Linux("kept.txt")), mode);
  }
  if (geteuid() == 0) {  // only root may give a file away
    Put("owned.txt", "old");
    ASSERT_EQ(chown(Linux("owned.txt").c_str(), 4321, 8765), 0);
    ASSERT_EQ(Save(Linux("owned.txt"), "new"), 0);
    struct stat st;
    ASSERT_EQ(stat(Linux("owned.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);
  }
}

TEST_F(SaveFile, SavesThroughSymbolicLinksIntoTheFileTheyName) {
  fs::create_directories(Linux("real"));
  Put("real/data.txt", "old");
  fs::create_symlink(Linux("real/data.txt"), Linux("absolute"));
  fs::create_symlink("real/data.txt", Linux("relative"));
  fs::create_symlink("relative", Linux("chain"));
  fs::create_symlink("real/missing.txt", Linux("dangling"));
  for (const char *link : {"absolute", "relative", "chain"}) {
    SCOPED_TRACE(link);
    ASSERT_EQ(Save(Linux(link), link), 0);
    EXPECT_TRUE(fs::is_symlink(Linux(link)));
    EXPECT_EQ(Get("real/data.txt"), link);
  }
  ASSERT_EQ(Save(Linux("dangling"), "made"), 0);
  EXPECT_TRUE(fs::is_symlink(Linux("dangling")));
  EXPECT_EQ(Get("real/missing.txt"), "made");
  EXPECT_EQ(savefile_testing::Listing(Linux("real")),
            (std::set<std::string>{"data.txt", "missing.txt"}));

  fs::create_symlink("loop", Linux("loop"));
  EXPECT_EQ(Save(Linux("loop"), "x"), ELOOP);
}

TEST_F(SaveFile, NamesAsLongAsTheFileSystemAllows) {
  const std::string name(255, 'n');
  ASSERT_EQ(Save(Linux(name), "first"), 0);
  ASSERT_EQ(Save(Linux(name), "second"), 0);
  EXPECT_EQ(Get(name), "second");
  EXPECT_EQ(savefile_testing::Listing(root_), std::set<std::string>{name});
  EXPECT_EQ(Save(Linux(name + "x"), "too long"), ENAMETOOLONG);
}

TEST_F(SaveFile, RefusesWhatItMustNotReplace) {
  fs::create_directories(Linux("folder"));
  Put("readonly.txt", "kept");
  MakeReadOnly("readonly.txt");
  ASSERT_EQ(mkfifo(Linux("fifo").c_str(), 0600), 0);
  const struct {
    const char *name;
    int error;
    DWORD win32;
  } cases[] = {
      {"folder", EISDIR, ERROR_ACCESS_DENIED},
      {"readonly.txt", EACCES, ERROR_ACCESS_DENIED},
      {"fifo", ENOTSUP, ERROR_WRITE_FAULT},
      {"no/such/folder.txt", ENOENT, ERROR_PATH_NOT_FOUND},
  };
  const std::set<std::string> before = savefile_testing::Listing(root_);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Save(Linux(c.name), "new"), c.error);
    EXPECT_FALSE(SaveWholeFileA((std::string("T:\\") + c.name).c_str(), "new", 3));
    EXPECT_EQ(GetLastError(), c.win32);
    EXPECT_EQ(vplat::LastErrorText(), std::strerror(c.error));
  }
  EXPECT_EQ(Get("readonly.txt"), "kept");
  EXPECT_EQ(savefile_testing::Listing(root_), before);
}

TEST_F(SaveFile, AFaultAtAnyCallLeavesTheOldFileAndNothingElse) {
  const std::string target = Linux("data.bin");
  const std::string before(5000, 'o'), after(7000, 'n');
  int faults = savefile_testing::ExpectEveryFailedCallHarmless(
      root_, target, before, after, [&] { Put("data.bin", before); },
      [&] { return Save(target, after) == 0; });
  EXPECT_GE(faults, 8);  // at the least lstat, open, write, fstat, fchmod, fsync, close, rename
}

TEST_F(SaveFile, TheFileCallFaultsReachTheSave) {
  using vplat::faults::Op;
  Put("data.txt", "old");
  for (Op op : {Op::Create, Op::Write, Op::DiskFull, Op::Move}) {
    SCOPED_TRACE(static_cast<int>(op));
    vplat::faults::Reset();
    vplat::faults::Arm(op, 0, false);
    EXPECT_FALSE(SaveWholeFileA("T:\\data.txt", "new", 3));
    EXPECT_TRUE(vplat::faults::Fired());
    EXPECT_EQ(Get("data.txt"), "old");
    EXPECT_EQ(savefile_testing::Listing(root_), std::set<std::string>{"data.txt"});
  }
  vplat::faults::Reset();
  EXPECT_TRUE(SaveWholeFileA("T:\\data.txt", "new", 3));
  EXPECT_EQ(Get("data.txt"), "new");
}

}  // namespace
