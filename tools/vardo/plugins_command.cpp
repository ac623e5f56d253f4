// vardo plugins: load the modules into the host, start them, report, shut
// them down.
#include <cstdio>
#include <filesystem>

#include "commands.h"
#include "hostsession.h"

namespace vardo::cli {

void AddPluginsCommand(CLI::App &app) {
  auto options = std::make_shared<HostOptions>();
  CLI::App *command = app.add_subcommand(
      "plugins", "load the plug-in modules, start them, list them and shut them down");
  AddHostOptions(*command, *options);
  command->callback([options]() {
    std::string folder = PluginsFolder(*options);
    if (!std::filesystem::is_directory(folder)) {
      std::fprintf(stderr, "vardo plugins: no plug-ins folder %s\n", folder.c_str());
      throw CLI::RuntimeError(1);
    }
    auto host = MakeHost(*options);
    std::vector<std::string> refused;
    host->LoadPluginsFrom(folder, &refused);
    for (const std::string &why : refused) std::fprintf(stderr, "refused %s\n", why.c_str());
    host->StartPlugins();
    bool failed = !refused.empty();
    for (const auto &plugin : host->Plugins()) {
      std::string file = std::filesystem::path(plugin->path).filename().string();
      std::printf("%-22s %-16s startup %s\n", file.c_str(), plugin->name.c_str(),
                  DescribeStatus(plugin->startupStatus).c_str());
      failed = failed || plugin->startupStatus != kNoErr;
    }
    if (host->Plugins().empty()) {
      std::fprintf(stderr, "vardo plugins: no plug-in modules in %s\n", folder.c_str());
      failed = true;
    }
    host->ShutdownPlugins();
    if (failed) throw CLI::RuntimeError(1);
  });
}

}  // namespace vardo::cli
