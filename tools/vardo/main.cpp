#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "commands.h"

namespace {

// Whatever a command printed must have reached standard output; a full disk
// or a closed output is a failure like any other.
// When an earlier write failed and the flush has nothing left to write,
// errno still holds that write's reason.
int FinishOutput(int status) {
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout)) return status;
  int error = errno;
  // errno may have been set since by calls that had nothing to do with the
  // output; one more byte written straight to it fails again for the
  // output's own reason (the output is incomplete already).
  if (::write(STDOUT_FILENO, "\n", 1) < 0) error = errno;
  std::fprintf(stderr, "vardo: cannot write the output%s%s\n", error ? ": " : "",
               error ? std::strerror(error) : "");
  return status != 0 ? status : 1;
}

}  // namespace

int main(int argc, char **argv) {
  CLI::App app{"vardo: data merge for vector artwork, run headless on Linux"};
  app.require_subcommand(0, 1);
  // Sub-commands are added here as their areas arrive.
  const vardo::cli::AddCommand areas[] = {
      vardo::cli::AddSettingsCommand, vardo::cli::AddPluginsCommand, vardo::cli::AddDocCommand,
      vardo::cli::AddScriptCommand,   vardo::cli::AddTableCommand,   vardo::cli::AddComposeCommand,
      vardo::cli::AddMergeCommand,    vardo::cli::AddPdfCommand,     nullptr};
  for (auto add : areas) {
    if (add) add(app);
  }
  int status = 0;
  try {
    app.parse(argc, argv);
    if (argc == 1) std::fputs(app.help().c_str(), stdout);
  } catch (const CLI::ParseError &e) {
    // Help and version say 0; every refused command line exits 1, as every
    // other error does, whatever kind of refusal the parser counts it.
    status = app.exit(e);
    if (status != 0 && !dynamic_cast<const CLI::RuntimeError *>(&e)) status = 1;
  } catch (const std::bad_alloc &) {
    // The last line of defence: the commands hold their input in proportion
    // to its size, so this is an input too large for the memory there is.
    std::fputs("vardo: not enough memory for this input\n", stderr);
    status = 1;
  } catch (const std::exception &e) {
    std::fprintf(stderr, "vardo: %s\n", e.what());
    status = 1;
  }
  return FinishOutput(status);
}
