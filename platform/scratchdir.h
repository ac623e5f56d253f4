// Test support: a fresh directory mapped as drive T:, and a clean platform
// state (drives, faults, system calls) before and after each test.
#ifndef VARDO_PLATFORM_SCRATCHDIR_H
#define VARDO_PLATFORM_SCRATCHDIR_H

#include <vplatform/faults.h>
#include <vplatform/paths.h>
#include <vplatform/syscalls.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vardo-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    vplat::ResetDrives();
    vplat::faults::Reset();
    vplat::syscalls::RestoreAll();
    ASSERT_TRUE(vplat::MapDrive('T', root_));
  }
  void TearDown() override {
    vplat::faults::Reset();
    vplat::syscalls::RestoreAll();
    vplat::ResetDrives();
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove_all(root_);
  }

 public:
  // The Linux path of a name inside the scratch directory.
  std::string Linux(const std::string &name) const { return root_ + "/" + name; }

  void Put(const std::string &name, const std::string &bytes) const {
    std::ofstream(Linux(name), std::ios::binary) << bytes;
  }
  std::string Get(const std::string &name) const {
    std::ifstream in(Linux(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string &name) const { return std::filesystem::exists(Linux(name)); }
  void MakeReadOnly(const std::string &name) const {
    std::filesystem::permissions(Linux(name),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  }

  std::string root_;
};

#endif
