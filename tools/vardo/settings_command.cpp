// vardo settings: prints what each plug-in reads from its preference file,
// through the plug-ins' own folder lookup, reader and key tables.
#include <windows.h>

#include <vplatform/paths.h>
#include <vplatform/shell.h>
#include <vplatform/utf8.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "commands.h"
#include "documentdump.h"
#include "sequencer/sequencersettings.h"
#include "vardoscript/scriptoptions.h"

namespace vardo::cli {
namespace {

// One preference file as a plug-in reads it.
struct Section {
  const char *name;  // the JSON member
  const PreferenceFile *file;
  UINT stringCodePage;   // what the file's strings are written in
  const void *record;    // defaults, then whatever the file set
  std::string location;  // Linux path of the file, empty without one
  bool found = false;
  bool plainFile = false;  // a FIFO or a device is read as no file
};

// Bytes in codePage to UTF-8; bytes the code page cannot read come out as
// its replacement character.
std::string ToUtf8(const char *bytes, size_t length, UINT codePage) {
  if (length == 0) return {};
  int wideLength = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length), nullptr, 0);
  if (wideLength <= 0) return {};
  std::u16string wide(static_cast<size_t>(wideLength), u'\0');
  MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length), wide.data(), wideLength);
  return vplat::Utf8FromUtf16(wide);
}

// The shortest text that reads back as the same double.
std::string RealText(double value) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

using vhost::JsonString;

// One setting's value as text: JSON form or the file's own form.
std::string ValueText(const Section &section, const PreferenceKey &key, bool json) {
  const char *setting = static_cast<const char *>(section.record) + key.offset;
  switch (key.type) {
    case PREFERENCE_INTEGER: {
      LONG value = 0;
      if (key.width == sizeof(LONG)) {
        std::memcpy(&value, setting, sizeof value);
      } else {
        SHORT narrow;
        std::memcpy(&narrow, setting, sizeof narrow);
        value = narrow;
      }
      return std::to_string(value);
    }
    case PREFERENCE_REAL: {
      double value;
      std::memcpy(&value, setting, sizeof value);
      if (json && !std::isfinite(value)) return "null";
      return RealText(value);
    }
    case PREFERENCE_STRING: {
      std::string text = ToUtf8(setting, strnlen(setting, key.width), section.stringCodePage);
      return json ? JsonString(text) : "\"" + text + "\"";
    }
  }
  return {};
}

// Reads the section's file into its record, and notes where the file is.
void Read(Section &section, void *record) {
  ReadPreferences(section.file, record);
  char path[MAX_PATH];
  if (!FindPreferenceFilePath(section.file, path, sizeof path)) return;
  vplat::LinuxPathFromWindows(path, section.location);
  DWORD attributes = GetFileAttributesA(path);
  section.found = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  std::error_code ec;
  section.plainFile = section.found && std::filesystem::is_regular_file(section.location, ec);
}

void PrintJson(const Section *sections, size_t count) {
  std::string out = "{\n";
  for (size_t s = 0; s < count; ++s) {
    const Section &section = sections[s];
    out += "  " + JsonString(section.name) + ": {\n";
    for (size_t k = 0; k < section.file->keyCount; ++k) {
      const PreferenceKey &key = section.file->keys[k];
      out += "    " + JsonString(key.name) + ": " + ValueText(section, key, true);
      out += k + 1 < section.file->keyCount ? ",\n" : "\n";
    }
    out += s + 1 < count ? "  },\n" : "  }\n";
  }
  out += "}\n";
  std::fputs(out.c_str(), stdout);
}

void PrintText(const Section *sections, size_t count) {
  std::string out;
  for (size_t s = 0; s < count; ++s) {
    const Section &section = sections[s];
    if (s > 0) out += "\n";
    out += section.file->fileName;
    if (section.location.empty()) {
      out += ": no Documents folder, defaults\n";
    } else {
      const char *state = section.plainFile ? ""
                          : section.found   ? " (not a file, defaults)"
                                            : " (not found, defaults)";
      out += ": " + section.location + state + "\n";
    }
    for (size_t k = 0; k < section.file->keyCount; ++k) {
      const PreferenceKey &key = section.file->keys[k];
      out += std::string("  ") + key.name + " = " + ValueText(section, key, false) + "\n";
    }
  }
  std::fputs(out.c_str(), stdout);
}

struct Options {
  std::string profile;
  bool json = false;
};

void Run(const Options &options) {
  if (!options.profile.empty()) {
    vplat::SetDocumentsFolder(std::filesystem::absolute(options.profile).string());
  }
  if (vplat::DocumentsFolder().empty() ||
      !std::filesystem::is_directory(vplat::DocumentsFolder())) {
    std::fputs(
        "vardo settings: there is no Documents folder, so the plug-ins read nothing; "
        "showing the defaults\n",
        stderr);
  }

  ScriptOptions script;
  SetDefaultScriptOptions(&script);
  SequencerSettings sequencer;
  SetDefaultSequencerSettings(&sequencer);
  Section sections[] = {
      {"script", &SCRIPT_OPTIONS_FILE, CP_UTF8, &script, {}, false, false},
      {"sequencer", &SEQUENCER_SETTINGS_FILE, CP_ACP, &sequencer, {}, false, false},
  };
  Read(sections[0], &script);
  Read(sections[1], &sequencer);

  const size_t count = sizeof sections / sizeof sections[0];
  if (options.json) {
    PrintJson(sections, count);
  } else {
    PrintText(sections, count);
  }
}

}  // namespace

void AddSettingsCommand(CLI::App &app) {
  auto options = std::make_shared<Options>();
  CLI::App *command = app.add_subcommand(
      "settings", "Print the settings the plug-ins read from their preference files");
  command
      ->add_option("--profile", options->profile,
                   "The user's Documents folder; the files are read from "
                   "DIR/Adobe/Illustrator/Prefs (default: $HOME/Documents)")
      ->option_text("DIR")
      ->check(CLI::ExistingDirectory);
  command->add_flag("--json", options->json,
                    "Print {\"script\": {...}, \"sequencer\": {...}} with every key");
  command->callback([options] { Run(*options); });
}

}  // namespace vardo::cli
