// The open and save file dialogs, answered by automation.
#include <commdlg.h>
#include <gtest/gtest.h>
#include <vplatform/dialogs.h>
#include <vplatform/paths.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "controls_testing.h"

namespace {

namespace dialogs = vplat::dialogs;

class FileDialogTest : public vplat::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    dir = std::filesystem::temp_directory_path() /
          ("vardo_filedialog_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    std::FILE *f = std::fopen((dir / "data.csv").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    vplat::ResetDrives();
    ASSERT_TRUE(vplat::MapDrive('C', dir.string()));
  }
  void TearDown() override {
    vplat::ResetDrives();
    std::filesystem::remove_all(dir);
    ControlsTest::TearDown();
  }

  // The sequencer's template filter: three patterns, the third selected.
  OPENFILENAMEA Record(DWORD flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent;
    ofn.lpstrFilter = "*.ai\0*.ai\0*.eps\0*.eps\0*.pdf\0*.pdf\0";
    ofn.nFilterIndex = 3;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = flags;
    file[0] = 0;
    return ofn;
  }

  std::filesystem::path dir;
  char file[260];
};

TEST_F(FileDialogTest, AnswerFillsTheRecord) {
  dialogs::FileDialogRequest seen;
  bool ownerEnabled = true;
  dialogs::OnFileDialog([&](const dialogs::FileDialogRequest &r, std::string &path) {
    seen = r;
    ownerEnabled = IsWindowEnabled(parent);
    path = "C:\\data.csv";
    return true;
  });
  OPENFILENAMEA ofn = Record();
  ofn.lpstrTitle = "Import";
  ofn.lpstrInitialDir = "C:\\";
  char title[32];
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = sizeof title;
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_STREQ(file, "C:\\data.csv");
  EXPECT_STREQ(title, "data.csv");
  EXPECT_EQ(ofn.nFileOffset, 3);
  EXPECT_EQ(ofn.nFileExtension, 8);
  EXPECT_EQ(ofn.nFilterIndex, 3u);  // as the user left it

  // What the handler was told.
  EXPECT_FALSE(seen.save);
  EXPECT_EQ(seen.owner, parent);
  EXPECT_EQ(seen.title, "Import");
  EXPECT_EQ(seen.initialDir, "C:\\");
  EXPECT_EQ(seen.filterIndex, 3);
  EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
  ASSERT_EQ(seen.filters.size(), 3u);
  EXPECT_EQ(seen.filters[2], (std::pair<std::string, std::string>{"*.pdf", "*.pdf"}));
  EXPECT_FALSE(ownerEnabled);  // disabled while the dialog was open
  EXPECT_TRUE(IsWindowEnabled(parent));
}

TEST_F(FileDialogTest, NoHandlerOrACancelGivesFalseWithoutError) {
  OPENFILENAMEA ofn = Record();
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  auto diag = dialogs::TakeDiagnostics();
  ASSERT_EQ(diag.size(), 1u);
  EXPECT_NE(diag[0].find("not answered"), std::string::npos) << diag[0];

  dialogs::OnFileDialog([](const dialogs::FileDialogRequest &, std::string &) { return false; });
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_TRUE(dialogs::Diagnostics().empty());
  EXPECT_TRUE(IsWindowEnabled(parent));
}

TEST_F(FileDialogTest, BufferTooSmallReportsTheSizeNeeded) {
  dialogs::OnFileDialog([](const dialogs::FileDialogRequest &, std::string &path) {
    path = "C:\\data.csv";
    return true;
  });
  OPENFILENAMEA ofn = Record();
  ofn.nMaxFile = 11;  // 11 characters, one short of the terminator
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD need;
  std::memcpy(&need, file, sizeof need);
  EXPECT_EQ(need, 12);
  ofn.nMaxFile = 12;
  EXPECT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);

  ofn.lStructSize = 10;  // a record of no known size
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  EXPECT_TRUE(GetOpenFileNameA(&ofn));
}

// The user picks another filter; the index given back is theirs. With no
// index given, the first filter counts as selected.
TEST_F(FileDialogTest, FilterIndexComesBackAsTheUserLeftIt) {
  dialogs::OnFileDialog([](const dialogs::FileDialogRequest &r, dialogs::FileDialogAnswer &a) {
    a.path = "C:\\data.csv";
    a.filterIndex = r.filterIndex == 0 ? 0 : 1;
    return true;
  });
  OPENFILENAMEA ofn = Record();
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(ofn.nFilterIndex, 1u);
  ofn.nFilterIndex = 0;
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(ofn.nFilterIndex, 1u);
}

// A missing file is refused as the real dialog's warning does, and the
// user asked again; repeating the same answer cancels.
TEST_F(FileDialogTest, FileMustExistRefusesMissingFiles) {
  std::vector<std::string> answers = {"C:\\missing.csv", "C:\\data.csv"};
  size_t asked = 0;
  std::vector<std::string> refusedSeen;
  dialogs::OnFileDialog([&](const dialogs::FileDialogRequest &r, std::string &path) {
    refusedSeen = r.refused;
    path = answers[std::min(asked++, answers.size() - 1)];
    return true;
  });
  OPENFILENAMEA ofn = Record();
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(asked, 2u);
  EXPECT_EQ(refusedSeen, std::vector<std::string>{"C:\\missing.csv"});
  EXPECT_STREQ(file, "C:\\data.csv");
  EXPECT_EQ(dialogs::TakeDiagnostics().size(), 1u);

  answers = {"C:\\missing.csv"};
  asked = 0;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(asked, 2u);

  // Without the flag the name is taken as it is; a folder must exist with
  // OFN_PATHMUSTEXIST.
  answers = {"C:\\new.csv"};
  asked = 0;
  OPENFILENAMEA plain = Record(0);
  EXPECT_TRUE(GetOpenFileNameA(&plain));
  answers = {"C:\\nofolder\\new.csv"};
  asked = 0;
  OPENFILENAMEA path = Record(OFN_PATHMUSTEXIST);
  EXPECT_FALSE(GetOpenFileNameA(&path));
}

TEST_F(FileDialogTest, LinuxPathsAndRelativeNamesAreTurnedIntoWindowsPaths) {
  std::string answer;
  dialogs::OnFileDialog([&](const dialogs::FileDialogRequest &, std::string &path) {
    path = answer;
    return true;
  });
  answer = (dir / "data.csv").string();
  OPENFILENAMEA ofn = Record();
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_STREQ(file, "C:\\data.csv");

  answer = "data.csv";
  ofn.lpstrInitialDir = "C:\\";
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_STREQ(file, "C:\\data.csv");
}

TEST_F(FileDialogTest, SaveDialogAppendsTheDefaultExtension) {
  dialogs::FileDialogRequest seen;
  dialogs::OnFileDialog([&](const dialogs::FileDialogRequest &r, std::string &path) {
    seen = r;
    path = "C:\\out";
    return true;
  });
  OPENFILENAMEW ofn{};
  WCHAR name[MAX_PATH] = u"Untitled.csv";
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = u"CSV\0*.csv\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = u"csv";
  ofn.Flags = OFN_OVERWRITEPROMPT;
  ASSERT_TRUE(GetSaveFileNameW(&ofn));
  EXPECT_TRUE(seen.save);
  EXPECT_EQ(seen.initialFile, "Untitled.csv");
  EXPECT_EQ(seen.defaultExt, "csv");
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(name)), u"C:\\out.csv");
  EXPECT_EQ(ofn.nFileOffset, 3);
  EXPECT_EQ(ofn.nFileExtension, 7);
  EXPECT_EQ(ofn.nFilterIndex, 1u);
}

}  // namespace
