// vardo_rc [--depfile FILE] -o OUTPUT.cpp SCRIPT.rc
//
// Compiles a resource script into a C++ source that carries the resources
// as an ELF note. Exits 1 with "script:line: error: message" on standard
// error when the script is malformed; 2 for bad usage or output failure.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "rc.h"

namespace {

int Usage() {
  std::cerr << "usage: vardo_rc [--depfile FILE] -o OUTPUT.cpp SCRIPT.rc\n";
  return 2;
}

bool WriteAtomically(const std::filesystem::path &path, const std::string &text) {
  const std::filesystem::path temp = path.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out || !(out << text) || !out.flush()) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

// Make syntax: spaces in paths are escaped.
std::string DepfilePath(const std::string &path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#') out.push_back('\\');
    if (c == '$') out.push_back('$');
    out.push_back(c);
  }
  return out;
}

}  // namespace

int main(int argc, char **argv) {
  std::string output, depfile, script;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-o" && i + 1 < argc) {
      output = argv[++i];
    } else if (arg == "--depfile" && i + 1 < argc) {
      depfile = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && script.empty()) {
      script = arg;
    } else {
      return Usage();
    }
  }
  if (output.empty() || script.empty()) return Usage();

  std::ifstream in(script, std::ios::binary);
  if (!in) {
    std::cerr << script << ": error: cannot read the script: " << std::strerror(errno) << "\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::filesystem::path scriptPath(script);

  vardo::rc::CompiledScript compiled;
  vardo::rc::CompileError error;
  if (!vardo::rc::CompileScript(text, script, scriptPath.parent_path().string(), &compiled,
                                &error)) {
    std::cerr << error.Format() << "\n";
    return 1;
  }
  const auto note = vardo::rc::BuildNote(vardo::rc::BuildDirectory(compiled.resources));
  if (!WriteAtomically(output, vardo::rc::NoteSource(note, scriptPath.filename().string()))) {
    std::cerr << output << ": error: cannot write the output: " << std::strerror(errno) << "\n";
    return 2;
  }
  if (!depfile.empty()) {
    std::ostringstream deps;
    deps << DepfilePath(std::filesystem::absolute(output).lexically_normal().string()) << ":";
    for (const std::string &d : compiled.dependencies) deps << " \\\n  " << DepfilePath(d);
    deps << "\n";
    if (!WriteAtomically(depfile, deps.str())) {
      std::cerr << depfile << ": error: cannot write the dependency file: " << std::strerror(errno)
                << "\n";
      return 2;
    }
  }
  return 0;
}
