// The main of every test program. CTest runs each test in a process of its
// own, two or more at a time, so a test that writes a fixed name under the
// temporary folder would race its neighbours. Each process therefore gets a
// fresh folder of its own as TMPDIR and TEST_TMPDIR (what
// ::testing::TempDir() and std::filesystem::temp_directory_path() read),
// removed again when the tests are done.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

int main(int argc, char **argv) {
  const char *base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/vardo-test-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    perror("vardo tests: cannot make a temporary folder");
    return 2;
  }
  setenv("TMPDIR", pattern.c_str(), 1);
  setenv("TEST_TMPDIR", pattern.c_str(), 1);

  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();

  // Tests may leave read-only files behind; make everything removable first.
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(pattern, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
  }
  std::filesystem::remove_all(pattern, error);
  return result;
}
