#include <cstdio>

#include "commands.h"
#include "hugepages.h"

int main(int argc, char **argv) {
  vardo::cli::RestartWithHugePages(argv);
  CLI::App app{"vardo: data merge for vector artwork, run headless on Linux"};
  app.require_subcommand(0, 1);
  // Sub-commands are added here as their areas arrive.
  const vardo::cli::AddCommand areas[] = {
      vardo::cli::AddSettingsCommand,
      vardo::cli::AddPluginsCommand,
      vardo::cli::AddDocCommand,
      vardo::cli::AddScriptCommand,
      vardo::cli::AddTableCommand,
      vardo::cli::AddComposeCommand,
      nullptr};
  for (auto add : areas) {
    if (add) add(app);
  }
  CLI11_PARSE(app, argc, argv);
  if (argc == 1) std::fputs(app.help().c_str(), stdout);
  return 0;
}
