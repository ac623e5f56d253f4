// What holds for every command of the vardo program: output that cannot be
// written is a failure with a message.
#include <gtest/gtest.h>

#include <filesystem>
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
      "script list " + data + "examples/template.svg",
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
    EXPECT_NE(run.err.find("vardo: cannot write the output: No space left on device\n"), std::string::npos)
        << command << ": " << run.err;
  }
}

}  // namespace
