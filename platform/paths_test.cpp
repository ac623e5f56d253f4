#include <vplatform/codepage.h>
#include <vplatform/paths.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class Paths : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::filesystem::current_path();
    vplat::ResetDrives();
    ASSERT_TRUE(vplat::MapDrive('C', "/srv/c/"));
  }
  void TearDown() override {
    vplat::ResetDrives();
    vplat::SetAnsiCodePage(932);
    ASSERT_EQ(chdir(saved_.c_str()), 0);
  }
  // Makes a fresh directory the current one; removed with the test.
  std::string EnterScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vardo-cwd-XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    scratch_ = std::filesystem::canonical(pattern).string();
    EXPECT_EQ(chdir(scratch_.c_str()), 0);
    return scratch_;
  }
  ~Paths() override {
    if (!scratch_.empty()) std::filesystem::remove_all(scratch_);
  }

  std::string saved_;
  std::string scratch_;
};

std::string ToLinux(std::string_view windows) {
  std::string out = "unchanged";
  return vplat::LinuxPathFromWindows(windows, out) ? out : "failed, out " + out;
}

std::string ToWindows(std::string_view linux) {
  std::string out = "unchanged";
  return vplat::WindowsPathFromLinux(linux, out) ? out : "failed, out " + out;
}

// Paths that convert exactly both ways. Shift-JIS names whose second byte is
// 0x5C stay one name: 表 is 95 5C, ソ 83 5C, 予 97 5C, 能 94 5C.
TEST_F(Paths, ConvertBothWays) {
  const struct {
    const char *windows;
    const char *linux;
  } cases[] = {
      {"Z:\\", "/"},
      {"Z:\\home\\me\\a.txt", "/home/me/a.txt"},
      {"C:\\", "/srv/c"},
      {"C:\\docs\\x.csv", "/srv/c/docs/x.csv"},
      {"Z:\\srv\\cx", "/srv/cx"},  // a drive covers whole components only
      {"Z:\\srv", "/srv"},
      {"C:\\a b\\c,d.csv", "/srv/c/a b/c,d.csv"},
      {"C:\\\x95\x5C\\\x83\x5C.txt", "/srv/c/\xE8\xA1\xA8/\xE3\x82\xBD.txt"},
      {"Z:\\tmp\\\x97\x5C\x94\x5C", "/tmp/\xE4\xBA\x88\xE8\x83\xBD"},
      {"Z:\\tmp\\\x95\x5C", "/tmp/\xE8\xA1\xA8"},  // 0x5C as the very last byte
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ToLinux(c.windows), c.linux) << c.windows;
    EXPECT_EQ(ToWindows(c.linux), c.windows) << c.linux;
  }
}

TEST_F(Paths, NormaliseLexically) {
  const struct {
    const char *windows;
    const char *linux;
  } toLinux[] = {
      {"z:/home/me", "/home/me"},
      {"c:\\a/b\\", "/srv/c/a/b"},
      {"C:\\x\\..\\y", "/srv/c/y"},
      {"C:\\..\\..\\etc", "/srv/c/etc"},  // never above the drive's root
      {"C:\\a\\\\b\\.\\c\\", "/srv/c/a/b/c"},
  };
  for (const auto &c : toLinux) EXPECT_EQ(ToLinux(c.windows), c.linux) << c.windows;

  const struct {
    const char *linux;
    const char *windows;
  } toWindows[] = {
      {"/srv/c/../c/./d/", "C:\\d"},
      {"//srv///c", "C:\\"},
      {"/../..", "Z:\\"},
  };
  for (const auto &c : toWindows) EXPECT_EQ(ToWindows(c.linux), c.windows) << c.linux;
}

TEST_F(Paths, LongestMappingWinsAndTiesGoToTheFirstLetter) {
  ASSERT_TRUE(vplat::MapDrive('E', "/srv/c/e"));
  EXPECT_EQ(ToWindows("/srv/c/e/f"), "E:\\f");
  EXPECT_EQ(ToWindows("/srv/c/f"), "C:\\f");
  ASSERT_TRUE(vplat::MapDrive('b', "/srv/c"));
  EXPECT_EQ(ToWindows("/srv/c/f"), "B:\\f");
  EXPECT_EQ(ToLinux("b:\\f"), "/srv/c/f");
}

TEST_F(Paths, RelativePathsUseTheCurrentDirectory) {
  const std::string cwd = EnterScratchDirectory();
  EXPECT_EQ(ToLinux("sub\\f.txt"), cwd + "/sub/f.txt");
  EXPECT_EQ(ToLinux(".\\a\\..\\b"), cwd + "/b");
  EXPECT_EQ(ToLinux("\\etc\\x"), "/etc/x");   // root of the current directory's drive, Z:
  EXPECT_EQ(ToLinux("C:rel"), "/srv/c/rel");  // not the current drive: its root
  EXPECT_EQ(ToWindows("f.txt"), ToWindows(cwd + "/f.txt"));

  // With the current directory at a drive's root, ".." stays there.
  ASSERT_TRUE(vplat::MapDrive('D', cwd));
  EXPECT_EQ(ToLinux("..\\..\\x"), cwd + "/x");
  EXPECT_EQ(ToLinux("D:sub"), cwd + "/sub");
  EXPECT_EQ(ToLinux("\\y"), cwd + "/y");
  EXPECT_EQ(ToWindows("x"), "D:\\x");
}

// Failures leave the output alone and say why; no name is ever altered to
// make it fit.
TEST_F(Paths, RefuseWhatCannotBeMappedExactly) {
  const struct {
    std::string_view windows;
    DWORD error;
  } windowsCases[] = {
      {"", ERROR_PATH_NOT_FOUND},
      {"Q:\\x", ERROR_PATH_NOT_FOUND},
      {"C:\\a*b", ERROR_INVALID_NAME},
      {"C:\\a?b", ERROR_INVALID_NAME},
      {"C:\\dir\\a:b", ERROR_INVALID_NAME},
      {"C:\\a<b>", ERROR_INVALID_NAME},
      {"C:\\a|b", ERROR_INVALID_NAME},
      {"C:\\a\"b", ERROR_INVALID_NAME},
      {"C:\\a\tb", ERROR_INVALID_NAME},
      {std::string_view("C:\\a\0b", 6), ERROR_INVALID_NAME},
      {"\\\\server\\share\\x", ERROR_INVALID_NAME},
      {"//server/share/x", ERROR_INVALID_NAME},
      {"\\\\?\\C:\\x", ERROR_INVALID_NAME},
      {"C:\\\x95", ERROR_NO_UNICODE_TRANSLATION},  // a lead byte without its trail byte
  };
  for (const auto &c : windowsCases) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(ToLinux(c.windows), "failed, out unchanged") << c.windows;
    EXPECT_EQ(GetLastError(), c.error) << c.windows;
  }

  const struct {
    const char *linux;
    DWORD error;
  } linuxCases[] = {
      {"", ERROR_PATH_NOT_FOUND},
      {"/tmp/\xC2\xA5", ERROR_NO_UNICODE_TRANSLATION},     // ¥: best fit would make it a backslash
      {"/tmp/caf\xC3\xA9", ERROR_NO_UNICODE_TRANSLATION},  // é: best fit would make it e
      {"/tmp/\xE2\x82\xAC", ERROR_NO_UNICODE_TRANSLATION},      // €
      {"/tmp/\xF0\x9F\x98\x80", ERROR_NO_UNICODE_TRANSLATION},  // outside the BMP
      {"/tmp/\xFF", ERROR_NO_UNICODE_TRANSLATION},              // not UTF-8
      {"/tmp/a\\b", ERROR_INVALID_NAME},
      {"/tmp/a:b", ERROR_INVALID_NAME},
      {"/tmp/a*b", ERROR_INVALID_NAME},
      {"/tmp/a\x01", ERROR_INVALID_NAME},
  };
  for (const auto &c : linuxCases) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(ToWindows(c.linux), "failed, out unchanged") << c.linux;
    EXPECT_EQ(GetLastError(), c.error) << c.linux;
  }

  ASSERT_TRUE(vplat::UnmapDrive('Z'));
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(ToWindows("/home"), "failed, out unchanged");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(ToLinux("Z:\\home"), "failed, out unchanged");
  EXPECT_EQ(ToWindows("/srv/c/x"), "C:\\x");
}

TEST_F(Paths, Utf8AnsiCodePageCarriesEveryName) {
  ASSERT_TRUE(vplat::SetAnsiCodePage(CP_UTF8));
  EXPECT_EQ(ToWindows("/tmp/caf\xC3\xA9/\xE8\xA1\xA8"), "Z:\\tmp\\caf\xC3\xA9\\\xE8\xA1\xA8");
  EXPECT_EQ(ToLinux("Z:\\tmp\\caf\xC3\xA9\\\xE8\xA1\xA8"), "/tmp/caf\xC3\xA9/\xE8\xA1\xA8");
  EXPECT_EQ(ToWindows("/tmp/\xF0\x9F\x98\x80"), "Z:\\tmp\\\xF0\x9F\x98\x80");
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(ToWindows("/tmp/\xFF"), "failed, out unchanged");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(ToLinux("Z:\\\x95\x5C"), "failed, out unchanged");  // Shift-JIS bytes are not UTF-8
}

TEST_F(Paths, DriveTable) {
  EXPECT_EQ(vplat::DriveMapping('Z'), "/");
  EXPECT_EQ(vplat::DriveMapping('c'), "/srv/c");
  EXPECT_EQ(vplat::DriveMapping('D'), "");
  EXPECT_FALSE(vplat::MapDrive('1', "/x"));
  EXPECT_FALSE(vplat::MapDrive('D', ""));
  EXPECT_FALSE(vplat::UnmapDrive('D'));
  EXPECT_TRUE(vplat::UnmapDrive('C'));
  EXPECT_EQ(vplat::DriveMapping('C'), "");

  const std::string cwd = EnterScratchDirectory();
  ASSERT_TRUE(vplat::MapDrive('D', "sub/../data"));  // taken against the current directory now
  ASSERT_EQ(chdir("/"), 0);
  EXPECT_EQ(vplat::DriveMapping('D'), cwd + "/data");
  vplat::ResetDrives();
  EXPECT_EQ(vplat::DriveMapping('D'), "");
  EXPECT_EQ(vplat::DriveMapping('Z'), "/");
}

}  // namespace
