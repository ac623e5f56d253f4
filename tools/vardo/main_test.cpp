// What holds for every command of the vardo program: output that cannot be
// written is a failure with a message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "vardo_testing.h"

namespace {

TEST(Vardo, EveryCommandFailsWhenItsOutputCannotBeWritten) {
  const std::string data = VARDO_SOURCE_DIR "/";
  const std::string profile = ::testing::TempDir() + "full-profile";
  std::filesystem::create_directories(profile);
  const std::string commands[] = {
      "doc tree " + data + "host/testdata/small.svg",
      "doc tree --json " + data + "host/testdata/small.svg",
      "script list " + data + "examples/card.svg",
      "script tag image --panel '[photo]'",
      "settings --profile " + profile,
      "plugins --profile " + profile,
      "table show " + data + "examples/addresses.csv",
      "table dump " + data + "examples/addresses.csv",
      "--help",
      "",
  };
  for (const std::string &command : commands) {
    const vardo::testing::VardoRun run = vardo::testing::RunVardo(command, "/dev/full");
    EXPECT_NE(run.status, 0) << command;
    EXPECT_NE(run.err.find("vardo: cannot write the output: No space left on device\n"),
              std::string::npos)
        << command << ": " << run.err;
  }
}

TEST(Vardo, AnInputTooLargeForTheMemoryFailsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  // 40 MB of text in one frame needs some 200 MB to hold: a program limited
  // to 150 MB must say so and stop, not abort.
  const std::string path = ::testing::TempDir() + "big-text.svg";
  {
    std::ofstream out(path, std::ios::binary);
    out << "<svg xmlns='http://www.w3.org/2000/svg'><text>";
    const std::string line(1000, 'x');
    for (int i = 0; i < 40000; ++i) out << line;
    out << "</text></svg>";
  }
  const std::string err = ::testing::TempDir() + "big-text.err";
  const std::string command = "ulimit -v 150000; " VARDO_BUILD_DIR "/bin/vardo doc tree '" + path +
                              "' >/dev/null 2>'" + err + "'";
  const int status = std::system(command.c_str());
  std::filesystem::remove(path);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_EQ(vardo::testing::ReadFileBytes(err), "vardo: not enough memory for this input\n");
}

}  // namespace
