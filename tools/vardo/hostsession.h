// Setting up the host stand-in for a command: where the plug-in modules
// are, which folder stands for the user's Documents folder, and which ANSI
// code page the plug-ins see.
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "host.h"

namespace vardo::cli {

struct HostOptions {
  std::string plugins;  // folder of *.aip; empty: the build's plugins folder
  std::string profile;  // the Documents folder; empty: $HOME/Documents
};

// Adds --plugins and --profile to a sub-command.
void AddHostOptions(CLI::App &command, HostOptions &options);

// The plugins folder to use: the option, or plugins/ beside the program's
// bin/ folder.
std::string PluginsFolder(const HostOptions &options);

// A host with alerts printed on standard error and the profile folder set.
std::unique_ptr<vhost::Host> MakeHost(const HostOptions &options);

// Hexadecimal with its four characters when they are printable ('S!Fd').
std::string DescribeStatus(ASErr status);

}  // namespace vardo::cli
