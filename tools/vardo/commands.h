// Sub-commands of the vardo program. Each Add*Command registers its
// sub-command (with its options and its callback) on the application; the
// callback throws CLI::RuntimeError with a non-zero code after printing a
// clear message when its input is bad.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace vardo::cli {

// Adds the sub-commands of one area. Defined in <area>_command.cpp.
using AddCommand = void (*)(CLI::App &app);

// vardo settings: what the plug-ins read from their preference files.
void AddSettingsCommand(CLI::App &app);

// vardo plugins: load, start, list and shut down the plug-in modules.
void AddPluginsCommand(CLI::App &app);

// vardo doc tree: a document's layers and art as the host sees them.
void AddDocCommand(CLI::App &app);

// vardo script: scripts on text frames and the script panel's tags.
void AddScriptCommand(CLI::App &app);

// vardo table show|dump|set|export: the record table and CSV files.
void AddTableCommand(CLI::App &app);

// Loads the CSV file at the Linux `path` into the program's own record
// table. On refusal prints why on standard error ("vardo: ...": the file
// cannot be opened, holds control bytes, or its encoding is undecided) and
// returns false.
bool LoadOrExplain(const std::string &path);

// vardo compose: a template composed from one record through the data panel.
void AddComposeCommand(CLI::App &app);

// vardo merge and vardo check: a record range through the batch sequencer.
void AddMergeCommand(CLI::App &app);

// vardo pdf: documents joined as the pages of one PDF.
void AddPdfCommand(CLI::App &app);

}  // namespace vardo::cli
