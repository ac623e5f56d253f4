// Test support: the built vardo program run as a person runs it, from a
// shell, and the bytes of files.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <string>

namespace vardo::testing {

inline std::string ReadFileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct VardoRun {
  int status;  // the exit status, or -1 when the program did not exit
  std::string out, err;
};

// Runs "vardo <arguments>", the arguments already quoted for the shell.
// Its output goes through files in the test's own temporary folder, or
// standard output to `stdoutPath` when one is given (out is then empty).
inline VardoRun RunVardo(const std::string &arguments, const std::string &stdoutPath = "") {
  const std::string out = stdoutPath.empty() ? ::testing::TempDir() + "vardo-stdout" : stdoutPath;
  const std::string err = ::testing::TempDir() + "vardo-stderr";
  const std::string command =
      std::string(VARDO_BUILD_DIR "/bin/vardo ") + arguments + " >'" + out + "' 2>'" + err + "'";
  int status = system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          stdoutPath.empty() ? ReadFileBytes(out) : "", ReadFileBytes(err)};
}

}  // namespace vardo::testing
