// Test support: a scratch directory (drive T:) whose "Documents" folder the
// shell names as the user's Documents folder, with the preferences folder
// below it at "Documents/Adobe/Illustrator/Prefs".
#pragma once

#include <vplatform/shell.h>

#include <filesystem>
#include <string>

#include "platform/scratchdir.h"

class TestProfile : public ScratchDir {
 protected:
  void SetUp() override {
    ScratchDir::SetUp();
    std::filesystem::create_directory(Linux("Documents"));
    vplat::SetDocumentsFolder(Linux("Documents"));
  }
  void TearDown() override {
    vplat::ResetDocumentsFolder();
    ScratchDir::TearDown();
  }

  static std::string Prefs(const std::string &name) {
    return "Documents/Adobe/Illustrator/Prefs/" + name;
  }

  // Every path below the scratch directory, for "nothing changed" checks.
  std::string Listing() const {
    std::string all;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root_)) {
      all += entry.path().string().substr(root_.size()) + "\n";
    }
    return all;
  }
};
