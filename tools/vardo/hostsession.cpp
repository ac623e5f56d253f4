#include "hostsession.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "vplatform/shell.h"

namespace vardo::cli {

void AddHostOptions(CLI::App &command, HostOptions &options) {
  command.add_option("--plugins", options.plugins, "folder holding the plug-in modules (*.aip)");
  command.add_option("--profile", options.profile,
                     "folder that stands for the user's Documents folder");
}

std::string PluginsFolder(const HostOptions &options) {
  if (!options.plugins.empty()) return options.plugins;
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "plugins";
  return (self.parent_path().parent_path() / "plugins").string();
}

std::unique_ptr<vhost::Host> MakeHost(const HostOptions &options) {
  if (!options.profile.empty()) vplat::SetDocumentsFolder(options.profile);
  auto host = std::make_unique<vhost::Host>();
  host->OnAlert([](const vhost::Alert &alert) {
    std::fprintf(stderr, "%s: %s\n", alert.kind == vhost::Alert::kError ? "error alert" : "alert",
                 alert.text.c_str());
  });
  return host;
}

std::string DescribeStatus(ASErr status) {
  char text[64];
  const unsigned v = static_cast<unsigned>(status);
  char chars[5] = {char(v >> 24), char((v >> 16) & 0xff), char((v >> 8) & 0xff), char(v & 0xff), 0};
  bool printable = true;
  for (int i = 0; i < 4; ++i) printable = printable && chars[i] >= 0x20 && chars[i] < 0x7f;
  if (status == 0) return "0";
  if (printable) {
    std::snprintf(text, sizeof text, "%d ('%s')", static_cast<int>(status), chars);
  } else {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(status));
  }
  return text;
}

}  // namespace vardo::cli
