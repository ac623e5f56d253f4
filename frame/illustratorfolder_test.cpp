#include "frame/illustratorfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "frame/testprofile.h"

namespace {

using IllustratorFolder = TestProfile;

TEST_F(IllustratorFolder, AppendsAndCreatesAdobeAndIllustrator) {
  for (int call = 0; call < 2; ++call) {  // the second finds both directories there
    char folder[ILLUSTRATOR_FOLDER_SIZE];
    ASSERT_TRUE(FindIllustratorFolder(folder, sizeof folder)) << call;
    EXPECT_STREQ(folder, "T:\\Documents\\Adobe\\Illustrator");
    EXPECT_TRUE(std::filesystem::is_directory(Linux("Documents/Adobe/Illustrator")));
  }
}

TEST_F(IllustratorFolder, DropsOneTrailingBackslash) {
  // A Documents folder at a drive's root comes back as "D:\".
  ASSERT_TRUE(vplat::MapDrive('D', Linux("Documents")));
  char folder[ILLUSTRATOR_FOLDER_SIZE];
  ASSERT_TRUE(FindIllustratorFolder(folder, sizeof folder));
  EXPECT_STREQ(folder, "D:\\Adobe\\Illustrator");
  EXPECT_TRUE(std::filesystem::is_directory(Linux("Documents/Adobe/Illustrator")));
}

TEST_F(IllustratorFolder, CutsALongPathTo200Bytes) {
  // "T:\" + 190 bytes + "\Adobe\Illustrator" is 211 bytes.
  const std::string name(190, 'd');
  std::filesystem::create_directory(Linux(name));
  vplat::SetDocumentsFolder(Linux(name));
  char folder[ILLUSTRATOR_FOLDER_SIZE + 20];
  std::memset(folder, '#', sizeof folder);
  ASSERT_TRUE(FindIllustratorFolder(folder, sizeof folder));
  const std::string full = "T:\\" + name + "\\Adobe\\Illustrator";
  EXPECT_EQ(std::string(folder), full.substr(0, ILLUSTRATOR_FOLDER_MAX));
  EXPECT_TRUE(std::filesystem::is_directory(Linux(name + "/Adobe/Illustrator")));
}

TEST_F(IllustratorFolder, FailsWithoutADocumentsFolderAndCreatesNothing) {
  const std::string before = Listing();
  const struct {
    const char *name;
    std::string documents;
  } cases[] = {
      {"none named", ""},
      {"named but missing", Linux("Missing")},
  };
  for (const auto &c : cases) {
    vplat::SetDocumentsFolder(c.documents);
    char folder[ILLUSTRATOR_FOLDER_SIZE] = "stale";
    EXPECT_FALSE(FindIllustratorFolder(folder, sizeof folder)) << c.name;
    EXPECT_STREQ(folder, "") << c.name;
    EXPECT_EQ(Listing(), before) << c.name;
  }
}

TEST_F(IllustratorFolder, RefusesABufferTooSmallForTheLongestFolder) {
  char folder[ILLUSTRATOR_FOLDER_SIZE] = "stale";
  EXPECT_FALSE(FindIllustratorFolder(folder, ILLUSTRATOR_FOLDER_SIZE - 1));
  EXPECT_STREQ(folder, "");
}

}  // namespace
