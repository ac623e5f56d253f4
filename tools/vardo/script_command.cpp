// vardo script: the scripts on a document's text frames, read and written
// with the plug-ins' own script-tag code, and the picture and barcode
// mark-up that the script panel's commands build.
#include <vplatform/utf8.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "documentdump.h"
#include "host.h"
#include "hostsession.h"
#include "vardoscript/scripttags/scripttags.h"
#include "vardoscript/scripttags/standalonesuites.h"
#include "vardoscript/paneltext.h"
#include "vardoscript/tagbuilder.h"

namespace vardo::cli {
namespace {

[[noreturn]] void Fail(const char *command, const std::string &message) {
  std::fprintf(stderr, "vardo script %s: %s\n", command, message.c_str());
  throw CLI::RuntimeError(1);
}

std::string ReadFileBytes(const char *command, const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(command, "cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Text given on the command line or in a file as the script panel would
// hand it on: put into the panel's edit control as UTF-16, then read back
// the way the panel reads it (CR line ends, at most 4000 bytes).
std::string ScriptFromTypedText(const std::string &utf8) {
  std::u16string units = vplat::Utf16FromUtf8(utf8);
  char script[SCRIPT_TEXT_SIZE];
  PanelTextToScript(units.c_str(), script);
  return script;
}

// A host with the document at `path` open and the script-tag code's suites
// acquired; both go when it does.
class ScriptSession {
 public:
  ScriptSession(const char *command, const std::string &path) {
    ASErr status = kNoErr;
    std::string error;
    doc_ = host_.Documents().Open(std::filesystem::absolute(path).string(), false, &status, &error);
    if (!doc_) Fail(command, "cannot open " + path + ": " + error);
    if (AcquireScriptTagSuites(host_.BasicSuite()) != kNoErr) {
      ReleaseScriptTagSuites(host_.BasicSuite());
      Fail(command, "the host offers no text suites");
    }
  }
  ~ScriptSession() { ReleaseScriptTagSuites(host_.BasicSuite()); }
  ScriptSession(const ScriptSession &) = delete;
  ScriptSession &operator=(const ScriptSession &) = delete;

  vhost::Document &Doc() { return *doc_; }

 private:
  vhost::Host host_;
  vhost::Document *doc_ = nullptr;
};

// ---- list ------------------------------------------------------------------

struct FrameScript {
  std::string id;
  bool carriesScript;        // as the data-merge plug-in decides it
  std::u16string panelText;  // as the script panel shows it; empty without a script
};

struct ListOptions {
  std::string document;
  bool json = false;
};

std::vector<FrameScript> ReadFrames(vhost::Document &doc) {
  std::vector<vhost::Art *> frames;
  doc.ForEachArt([&](vhost::Art &art, int) {
    if (art.Type() == kTextFrameArt) frames.push_back(&art);
  });
  std::vector<FrameScript> result;
  for (vhost::Art *frame : frames) {
    FrameScript entry;
    entry.id = frame->Id();
    entry.carriesScript = ReadFrameScript(frame->Handle(), nullptr, SCRIPT_MERGE_FRAME_UNITS) == kNoErr;
    char script[SCRIPT_TEXT_SIZE];
    if (ReadFrameScript(frame->Handle(), script) != kNoErr) script[0] = '\0';
    WCHAR text[PANEL_TEXT_SIZE];
    entry.panelText.assign(text, ScriptToPanelText(script, text));
    result.push_back(std::move(entry));
  }
  return result;
}

void PrintJson(const std::vector<FrameScript> &frames) {
  std::string out = "[";
  for (size_t i = 0; i < frames.size(); ++i) {
    const FrameScript &f = frames[i];
    out += i ? ",\n " : "\n ";
    out += "{\"id\": " + vhost::JsonString(std::string_view(f.id)) +
           ", \"carriesScript\": " + (f.carriesScript ? "true" : "false") +
           ", \"script\": " + vhost::JsonString(f.panelText) + "}";
  }
  out += frames.empty() ? "]\n" : "\n]\n";
  std::fputs(out.c_str(), stdout);
}

// One frame a paragraph: its id and whether the data merge counts it, then
// the panel's lines indented.
void PrintText(const std::vector<FrameScript> &frames) {
  std::string out;
  for (const FrameScript &f : frames) {
    out += f.id.empty() ? "(no id)" : f.id;
    if (f.carriesScript) {
      out += ": carries a script\n";
    } else if (!f.panelText.empty()) {
      out += ": no script for the data merge; the panel shows\n";
    } else {
      out += ": no script\n";
    }
    if (f.panelText.empty()) continue;
    std::string panel = vplat::Utf8FromUtf16(f.panelText);
    size_t start = 0;
    while (start <= panel.size()) {
      size_t end = panel.find("\r\n", start);
      if (end == std::string::npos) end = panel.size();
      out += "    " + panel.substr(start, end - start) + "\n";
      start = end + 2;
    }
  }
  std::fputs(out.c_str(), stdout);
}

void RunList(const ListOptions &options) {
  ScriptSession session("list", options.document);
  std::vector<FrameScript> frames;
  try {
    frames = ReadFrames(session.Doc());
  } catch (const ATE::Exception &e) {
    Fail("list", "the text engine failed: " + DescribeStatus(e.error));
  }
  if (options.json) {
    PrintJson(frames);
  } else {
    PrintText(frames);
  }
}

// ---- set -------------------------------------------------------------------

struct SetOptions {
  std::string document, frame, text, file, output;
};

void RunSet(const SetOptions &options) {
  const std::string typed = options.file.empty() ? options.text : ReadFileBytes("set", options.file);
  ScriptSession session("set", options.document);
  vhost::Art *frame = session.Doc().FindArtById(options.frame);
  if (!frame) Fail("set", "no element with id \"" + options.frame + "\" in " + options.document);
  if (frame->Type() != kTextFrameArt) Fail("set", "\"" + options.frame + "\" is not a text frame");
  if (frame->Locked()) Fail("set", "\"" + options.frame + "\" is locked; a locked frame's script is never written");

  const std::string script = ScriptFromTypedText(typed);
  WriteFrameScript(frame->Handle(), script.c_str());

  const std::string target = options.output.empty() ? options.document : options.output;
  std::string error;
  if (!session.Doc().Save(std::filesystem::absolute(target).string(), &error)) {
    Fail("set", "cannot save " + target + ": " + error);
  }
  const size_t stored = std::min<size_t>(script.size(), SCRIPT_STORED_MAX);
  const size_t tags = (stored + SCRIPT_PIECE_MAX - 1) / SCRIPT_PIECE_MAX;
  std::printf("%s: %zu bytes in %zu script tag%s, saved to %s\n", options.frame.c_str(), stored, tags,
              tags == 1 ? "" : "s", target.c_str());
  if (script.size() > SCRIPT_STORED_MAX) {
    std::fprintf(stderr, "vardo script set: the script has %zu bytes; its tags keep the first %d\n",
                 script.size(), SCRIPT_STORED_MAX);
  }
}

// ---- tag -------------------------------------------------------------------

struct TagOptions {
  std::string kind, optionsFile, panel;
  double width = 0, height = 0;
};

void RunTag(const TagOptions &options) {
  ScriptOptions scriptOptions;
  SetDefaultScriptOptions(&scriptOptions);
  if (!options.optionsFile.empty()) {
    const std::string text = ReadFileBytes("tag", options.optionsFile);
    ApplyPreferenceText(&SCRIPT_OPTIONS_FILE, text.data(), text.size(), &scriptOptions);
  }
  const std::string panel = ScriptFromTypedText(options.panel);
  char markup[SCRIPT_TEXT_SIZE];
  if (options.kind == "image") {
    BuildImageTag(panel.c_str(), &scriptOptions, options.width, options.height, markup);
  } else {
    BuildBarcodeTag(panel.c_str(), &scriptOptions, options.width, options.height, markup);
  }
  std::printf("%s\n", markup);
}

}  // namespace

void AddScriptCommand(CLI::App &app) {
  CLI::App *script = app.add_subcommand("script", "Scripts on text frames and the script panel's tags");
  script->require_subcommand(1);

  auto list = std::make_shared<ListOptions>();
  CLI::App *listCommand = script->add_subcommand(
      "list", "Every text frame in host order: its id, whether the data merge counts it as carrying a "
              "script, and its script as the script panel shows it");
  listCommand->add_option("DOC", list->document, "SVG document")->required()->check(CLI::ExistingFile);
  listCommand->add_flag("--json", list->json, "Print [{\"id\": ..., \"carriesScript\": ..., \"script\": ...}]");
  listCommand->callback([list] { RunList(*list); });

  auto set = std::make_shared<SetOptions>();
  CLI::App *setCommand = script->add_subcommand(
      "set", "Store a script in a text frame's script tags, as an edit in the script panel does, and save");
  setCommand->add_option("DOC", set->document, "SVG document")->required()->check(CLI::ExistingFile);
  setCommand->add_option("FRAME-ID", set->frame, "id of the text frame")->required();
  CLI::Option *text = setCommand->add_option("TEXT", set->text, "the script (line ends become CR)");
  CLI::Option *file = setCommand->add_option("--file", set->file, "read the script from a file (UTF-8)")
                          ->check(CLI::ExistingFile);
  text->excludes(file);
  setCommand->add_option("-o,--output", set->output, "save to this file instead of DOC");
  setCommand->callback([set, text, file] {
    if (text->count() == 0 && file->count() == 0) Fail("set", "give the script as TEXT or with --file");
    RunSet(*set);
  });

  auto tag = std::make_shared<TagOptions>();
  CLI::App *tagCommand = script->add_subcommand(
      "tag", "Print the picture or barcode mark-up the script panel's commands build");
  tagCommand->add_option("KIND", tag->kind, "image or barcode")
      ->required()
      ->check(CLI::IsMember({"image", "barcode"}));
  tagCommand->add_option("--options", tag->optionsFile, "a Vardo2Script.ini to take the options from "
                                                        "(default: the defaults)")
      ->check(CLI::ExistingFile);
  tagCommand->add_option("--panel", tag->panel, "the panel's text, whose first [field] is the data reference");
  tagCommand->add_option("--width", tag->width, "the selected frame's width in points (default 0)");
  tagCommand->add_option("--height", tag->height, "the selected frame's height in points (default 0)");
  tagCommand->callback([tag] { RunTag(*tag); });
}

}  // namespace vardo::cli
