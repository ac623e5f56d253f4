// vardo script: the scripts on a document's text frames and the tags the
// script panel's commands build, through the real VardoScript module in the
// host stand-in: frames are clicked, the panel is typed into, its menu is
// chosen and its options dialogs are answered as a person would.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "AIArt.h"
#include "commands.h"
#include "documentdump.h"
#include "host.h"
#include "hostsession.h"
#include "text.h"
#include "vplatform/dialogs.h"
#include "vplatform/input.h"
#include "vplatform/windows.h"

namespace vardo::cli {
namespace {

constexpr const char *kPanelId = "VARDOSCR_INFO_PANEL";
constexpr int kPanelEditId = 1001;
// Host ticks between two calls of the plug-in's timer.
constexpr long kTimerPeriod = 30;
// What a frame's script tags hold.
constexpr size_t kStoredMax = 2000;
constexpr size_t kPieceMax = 200;
constexpr int kPieceCount = 10;
// The flyout menu's entries.
constexpr ASUInt32 kImageCommand = 1, kBarcodeCommand = 2;

[[noreturn]] void Fail(const char *command, const std::string &message) {
  std::fprintf(stderr, "vardo script %s: %s\n", command, message.c_str());
  throw CLI::RuntimeError(1);
}

std::string ReadFileBytes(const char *command, const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(command, "cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TagName(int piece) {
  return piece == 0 ? "vardo2_script" : "vardo2_script_" + std::to_string(piece);
}

// The frame's script tags joined, up to the first one missing.
std::string StoredScript(const vhost::Art &frame) {
  std::string script;
  for (int i = 0; i < kPieceCount; ++i) {
    const std::string *piece = frame.Tag(TagName(i));
    if (!piece) break;
    script += *piece;
  }
  return script;
}

// Text as a person types it: every CR LF, lone CR and lone LF is one press
// of Enter ("\n").
std::string AsTyped(const std::string &text) {
  std::string typed;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    typed += text[i] == '\r' ? '\n' : text[i];
  }
  return typed;
}

// Refuses text with a control character other than TAB, CR and LF: the
// panel takes text only as it is typed, and such a key is no character
// there (Ctrl+A selects everything).
void CheckTypeable(const char *command, const std::string &text) {
  for (unsigned char c : text) {
    if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
      char message[96];
      std::snprintf(message, sizeof message,
                    "the text holds the control character 0x%02X, which cannot be typed", c);
      Fail(command, message);
    }
  }
}

// The longest start of UTF-8 `text` of at most `max` bytes that ends on a
// character boundary.
std::string CutAtCharacter(const std::string &text, size_t max) {
  if (text.size() <= max) return text;
  size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

// A scratch Documents folder, so that the plug-in reads only the options
// it is given and writes none of the user's files.
class ScratchProfile {
 public:
  explicit ScratchProfile(const char *command) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vardo-profile-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Fail(command, "cannot make a temporary folder");
    root_ = pattern;
    std::filesystem::create_directories(Prefs());
  }
  ~ScratchProfile() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchProfile(const ScratchProfile &) = delete;
  ScratchProfile &operator=(const ScratchProfile &) = delete;

  const std::string &Root() const { return root_; }
  std::string Prefs() const { return root_ + "/Adobe/Illustrator/Prefs"; }

 private:
  std::string root_;
};

// The host with VardoScript loaded from the plug-ins folder, a document
// open, and then the plug-in started with its panel.
class PanelSession {
 public:
  PanelSession(const char *command, const std::string &plugins, const std::string &profile)
      : command_(command) {
    HostOptions options;
    options.plugins = plugins;
    options.profile = profile;
    host_ = MakeHost(options);
    const std::string path = PluginsFolder(options) + "/VardoScript.aip";
    std::string error;
    plugin_ = host_->LoadPlugin(path, &error);
    if (!plugin_) Fail(command_, error);
  }

  vhost::Document &Open(const std::string &path) {
    ASErr status = kNoErr;
    std::string error;
    doc_ =
        host_->Documents().Open(std::filesystem::absolute(path).string(), false, &status, &error);
    if (!doc_) Fail(command_, "cannot open " + path + ": " + error);
    return *doc_;
  }

  vhost::Document &OpenText(const std::string &svg) {
    std::string error;
    auto doc = vhost::Document::Parse(svg, &error);
    if (!doc) Fail(command_, error);
    doc_ = host_->Documents().Add(std::move(doc));
    return *doc_;
  }

  void Start() {
    host_->StartPlugins();
    if (!plugin_->started)
      Fail(command_, "VardoScript did not start: " + DescribeStatus(plugin_->startupStatus));
    vhost::Panel *panel = host_->FindPanel(kPanelId);
    edit_ = panel ? vplat::FindChildById(panel->window, kPanelEditId) : nullptr;
    if (!edit_) Fail(command_, "VardoScript opened no script panel");
  }

  // The frame of `id`, refused when the panel would never take it.
  vhost::Art &Frame(const std::string &id) {
    vhost::Art *frame = doc_->FindArtById(id);
    if (!frame) Fail(command_, "no element with id \"" + id + "\"");
    if (frame->Type() != kTextFrameArt) Fail(command_, "\"" + id + "\" is not a text frame");
    if (!doc_->Click(*frame)) {
      Fail(command_,
           "\"" + id + "\" is locked or hidden (itself or in its layer); the panel never takes it");
    }
    return *frame;
  }

  // Until the plug-in's timer has run once more.
  void Tick() { host_->RunTicks(kTimerPeriod); }

  // Clicks into the panel, selects its text and types `text` over it.
  void Type(const std::string &text) {
    vplat::ClickWindow(edit_);
    vplat::PumpMessages();
    vplat::KeyDown(VK_CONTROL);
    vplat::KeyStroke('A');
    vplat::KeyUp(VK_CONTROL);
    vplat::PumpMessages();
    const std::string typed = AsTyped(text);
    if (typed.empty()) {
      vplat::KeyStroke(VK_DELETE);
    } else {
      vplat::TypeText(typed);
    }
    vplat::PumpMessages();
  }

  std::string PanelText() const { return vplat::GetWindowTextUtf8(edit_); }

  // Chooses a flyout entry with `answer` playing the dialog it opens.
  void Choose(ASUInt32 item, vplat::dialogs::ModalDialogHandler answer) {
    vplat::dialogs::OnNextModalDialog(std::move(answer));
    host_->ChooseFlyoutItem(kPanelId, item);
  }

  void Save(const std::string &target) {
    std::string error;
    if (!doc_->Save(std::filesystem::absolute(target).string(), &error)) {
      Fail(command_, "cannot save " + target + ": " + error);
    }
  }

  vhost::Document &Doc() { return *doc_; }

 private:
  const char *command_;
  std::unique_ptr<vhost::Host> host_;
  vhost::Plugin *plugin_ = nullptr;
  vhost::Document *doc_ = nullptr;
  HWND edit_ = nullptr;
};

// ---- list ------------------------------------------------------------------

struct FrameScript {
  std::string id;
  bool carriesScript;  // as the data-merge plug-in decides it
  std::string panel;   // what the panel shows with the frame alone selected
};

struct ListOptions {
  std::string document, plugins;
  bool json = false;
};

// Whether the data merge counts the frame as carrying a script: script
// tags, or (for a frame that is not locked) "<!--" in its first 2000 units
// of text or a VRTag.
bool CarriesScript(const vhost::Art &frame) {
  if (frame.Tag("vardo2_script")) return true;
  if (frame.Locked()) return false;
  const vhost::TextStory *story = frame.Story();
  if (story && story->Text().substr(0, 2000).find(u"<!--") != std::u16string::npos) return true;
  return frame.Tag("VRTag") != nullptr;
}

std::vector<FrameScript> ReadFrames(PanelSession &session) {
  std::vector<vhost::Art *> frames;
  session.Doc().ForEachArt([&](vhost::Art &art, int) {
    if (art.Type() == kTextFrameArt) frames.push_back(&art);
  });
  std::vector<FrameScript> result;
  for (vhost::Art *frame : frames) {
    FrameScript entry{frame->Id(), CarriesScript(*frame), {}};
    if (session.Doc().Click(*frame)) {
      session.Tick();
      entry.panel = session.PanelText();
    }
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
           ", \"script\": " + vhost::JsonString(std::string_view(f.panel)) + "}";
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
    } else if (!f.panel.empty()) {
      out += ": no script for the data merge; the panel shows\n";
    } else {
      out += ": no script\n";
    }
    if (f.panel.empty()) continue;
    size_t start = 0;
    while (start <= f.panel.size()) {
      size_t end = f.panel.find("\r\n", start);
      if (end == std::string::npos) end = f.panel.size();
      out += "    " + f.panel.substr(start, end - start) + "\n";
      start = end + 2;
    }
  }
  std::fputs(out.c_str(), stdout);
}

void RunList(const ListOptions &options) {
  ScratchProfile profile("list");
  PanelSession session("list", options.plugins, profile.Root());
  session.Open(options.document);
  session.Start();
  const std::vector<FrameScript> frames = ReadFrames(session);
  if (options.json) {
    PrintJson(frames);
  } else {
    PrintText(frames);
  }
}

// ---- set -------------------------------------------------------------------

struct SetOptions {
  std::string document, frame, text, file, output, plugins;
};

void RunSet(const SetOptions &options) {
  const std::string text = options.file.empty() ? options.text : ReadFileBytes("set", options.file);
  CheckTypeable("set", text);
  // What the panel will hand on: one CR per line end.
  std::string script = AsTyped(text);
  for (char &c : script) {
    if (c == '\n') c = '\r';
  }
  const size_t length = script.size();
  if (length > kStoredMax) {
    script = CutAtCharacter(script, kStoredMax);
    std::fprintf(stderr,
                 "vardo script set: the script has %zu bytes and a frame's script tags hold %zu; "
                 "the first %zu bytes are stored, cut before a character\n",
                 length, kStoredMax, script.size());
  }

  ScratchProfile profile("set");
  PanelSession session("set", options.plugins, profile.Root());
  session.Open(options.document);
  session.Start();
  vhost::Art &frame = session.Frame(options.frame);
  session.Tick();
  session.Type(text);
  session.Tick();

  const std::string stored = StoredScript(frame);
  if (stored != script) {
    Fail("set", "the panel stored " + std::to_string(stored.size()) + " of the " +
                    std::to_string(script.size()) + " bytes typed; nothing saved");
  }
  const std::string target = options.output.empty() ? options.document : options.output;
  session.Save(target);
  const size_t tags = (stored.size() + kPieceMax - 1) / kPieceMax;
  std::printf("%s: %zu bytes in %zu script tag%s, saved to %s\n", options.frame.c_str(),
              stored.size(), tags, tags == 1 ? "" : "s", target.c_str());
}

// ---- tag -------------------------------------------------------------------

struct TagOptions {
  std::string kind, optionsFile, saveOptions, panel, plugins, output;
  std::vector<std::string> into;  // DOC ID
  double width = 0, height = 0;
  // The dialog's choices; empty or 0: as the dialog shows them.
  int qr = 0, linked = 0, hrText = 0, checkDigit = 0, fixedHeight = 0;
  std::string align, valign, type, ecc, version, mode, size, moduleHeight, cellSize, item;
  bool itemGiven = false;
};

// Index of `word` in `words`, or -1.
int IndexOf(const std::string &word, std::initializer_list<const char *> words) {
  int i = 0;
  for (const char *w : words) {
    if (word == w) return i;
    ++i;
  }
  return -1;
}

std::string ComboEntry(HWND dialog, int id, int index) {
  WCHAR text[256] = {};
  if (SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, index, 0) >= 256) return {};
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return vhost::Utf8FromUtf16(text);
}

// Letters and digits only, upper case, full-width forms as ASCII: "CODE-128"
// and "code128" are the same name.
std::string NameKey(const std::string &utf8) {
  std::string key;
  for (char16_t c : vplat::Utf16FromUtf8(utf8)) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFEE0);
    if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      key += static_cast<char>(c);
    } else if (c >= 0x80) {
      key += vplat::Utf8FromUtf16(std::u16string(1, c));
    }
  }
  return key;
}

// Plays the options dialog as the flags say, then presses OK; a flag the
// dialog cannot take presses Cancel and leaves the reason in *error.
class DialogPlayer {
 public:
  DialogPlayer(const TagOptions &options, std::string *error) : o_(options), error_(error) {}

  void operator()(HWND dialog) {
    dialog_ = dialog;
    if (Play()) {
      vplat::dialogs::Click(dialog, IDOK);
    } else {
      vplat::dialogs::Click(dialog, IDCANCEL);
    }
  }

 private:
  bool Refuse(const std::string &message) {
    *error_ = message;
    return false;
  }

  bool Pick(const char *flag, int id, int index) {
    if (index < 0 || !vplat::dialogs::SelectComboItem(dialog_, id, index)) {
      return Refuse(std::string(flag) + ": no such choice");
    }
    return true;
  }

  // An entry by its name: the entry itself, or the same letters and digits.
  bool PickNamed(const char *flag, int id, const std::string &name) {
    const int count = static_cast<int>(SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0));
    std::string known;
    for (int i = 0; i < count; ++i) {
      const std::string entry = ComboEntry(dialog_, id, i);
      if (entry == name || NameKey(entry) == NameKey(name)) return Pick(flag, id, i);
      known += (i ? ", " : "") + entry;
    }
    return Refuse(std::string(flag) + " " + name + ": the dialog offers " + known);
  }

  bool Type(int id, const std::string &text) {
    if (!vplat::dialogs::SetText(dialog_, id, text))
      return Refuse("the dialog refused \"" + text + "\"");
    return true;
  }

  bool Tick(int id, int flag) { return flag == 0 || vplat::dialogs::Check(dialog_, id, flag > 0); }

  bool Shown(int id) { return IsWindowVisible(GetDlgItem(dialog_, id)) != 0; }

  bool Play() {
    if (!o_.align.empty() && !Pick("--align", 6, IndexOf(o_.align, {"left", "center", "right"})))
      return false;
    if (!o_.valign.empty() && !Pick("--valign", 8, IndexOf(o_.valign, {"top", "middle", "bottom"})))
      return false;
    if (o_.kind == "image") return Tick(9, o_.linked);

    if (o_.qr != 0 && !Pick("--qr", 4, o_.qr > 0 ? 1 : 0)) return false;
    if (!o_.type.empty() && !PickNamed("--type", 23, o_.type)) return false;
    if (!o_.size.empty() && !Type(25, o_.size)) return false;
    if (!o_.moduleHeight.empty() && !Type(28, o_.moduleHeight)) return false;
    if (!o_.ecc.empty() && !Pick("--ecc", 38, IndexOf(o_.ecc, {"L", "M", "Q", "H"}))) return false;
    if (!o_.version.empty()) {
      if (o_.version == "auto" ? !Pick("--version", 40, 0)
                               : !PickNamed("--version", 40, o_.version)) {
        return false;
      }
    }
    if (!o_.mode.empty() &&
        !Pick("--mode", 42,
              IndexOf(o_.mode, {"auto", "numeric", "ascii", "binary", "kanji", "mixed"}))) {
      return false;
    }
    if (!o_.cellSize.empty() && !Type(44, o_.cellSize)) return false;
    // The item and the human-readable text are the visible group's.
    const bool qrShown = Shown(46);
    if (o_.itemGiven && !Type(qrShown ? 46 : 33, o_.item)) return false;
    return Tick(qrShown ? 47 : 34, o_.hrText) && Tick(35, o_.checkDigit) &&
           Tick(36, o_.fixedHeight);
  }

  const TagOptions &o_;
  std::string *error_;
  HWND dialog_ = nullptr;
};

// A document whose one text frame has a box of `width` by `height` points,
// standing for the frame the user has selected.
std::string FrameDocument(double width, double height) {
  char svg[1024];
  std::snprintf(svg, sizeof svg,
                "<svg xmlns='http://www.w3.org/2000/svg' "
                "xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape' "
                "width='1000' height='1000' viewBox='0 0 1000 1000'>"
                "<defs><rect id='box' x='0' y='0' width='%.17g' height='%.17g'/></defs>"
                "<g inkscape:groupmode='layer' id='layer'>"
                "<text id='frame' style='shape-inside:url(#box)'>frame</text></g></svg>",
                width, height);
  return svg;
}

void RunTag(const TagOptions &options) {
  const bool image = options.kind == "image";
  if (image && (options.qr || options.hrText || options.checkDigit || options.fixedHeight ||
                options.itemGiven || !options.type.empty() || !options.ecc.empty() ||
                !options.version.empty() || !options.mode.empty() || !options.size.empty() ||
                !options.moduleHeight.empty() || !options.cellSize.empty())) {
    Fail("tag", "the picture options dialog has only --align, --valign and --linked/--embedded");
  }
  if (!image && options.linked)
    Fail("tag", "--linked and --embedded belong to the picture options dialog");
  if (!options.output.empty() && options.into.empty()) Fail("tag", "-o needs --into DOC ID");

  CheckTypeable("tag", options.panel);
  ScratchProfile profile("tag");
  if (!options.optionsFile.empty()) {
    std::filesystem::copy_file(options.optionsFile, profile.Prefs() + "/Vardo2Script.ini");
  }
  PanelSession session("tag", options.plugins, profile.Root());
  const bool into = !options.into.empty();
  if (into) {
    session.Open(options.into[0]);
  } else {
    session.OpenText(FrameDocument(options.width, options.height));
  }
  session.Start();
  vhost::Art &frame = session.Frame(into ? options.into[1] : "frame");
  session.Tick();
  if (!into || !options.panel.empty()) {
    session.Type(options.panel);
    session.Tick();
  }

  std::string error;
  bool answered = false;
  DialogPlayer player(options, &error);
  session.Choose(image ? kImageCommand : kBarcodeCommand, [&](HWND dialog) {
    answered = true;
    player(dialog);
  });
  if (!answered) Fail("tag", "the options dialog did not open");
  if (!error.empty()) Fail("tag", error);
  const std::string tag = session.PanelText();
  std::printf("%s\n", tag.c_str());
  if (!options.saveOptions.empty()) {
    std::error_code failed;
    std::filesystem::copy_file(profile.Prefs() + "/Vardo2Script.ini", options.saveOptions,
                               std::filesystem::copy_options::overwrite_existing, failed);
    if (failed) Fail("tag", "cannot write " + options.saveOptions + ": " + failed.message());
  }

  if (into) {
    session.Tick();
    std::string script = tag;
    for (size_t at = script.find("\r\n"); at != std::string::npos;
         at = script.find("\r\n", at + 1)) {
      script.erase(at + 1, 1);
    }
    if (StoredScript(frame) != CutAtCharacter(script, kStoredMax)) {
      Fail("tag", "the tag did not reach the frame's script tags; nothing saved");
    }
    session.Save(options.output.empty() ? options.into[0] : options.output);
  }
}

}  // namespace

void AddScriptCommand(CLI::App &app) {
  CLI::App *script =
      app.add_subcommand("script", "Scripts on text frames and the script panel's tags");
  script->require_subcommand(1);
  auto plugins = [](CLI::App *command, std::string &folder) {
    command->add_option("--plugins", folder,
                        "folder holding VardoScript.aip (default: the build's)");
  };

  auto list = std::make_shared<ListOptions>();
  CLI::App *listCommand = script->add_subcommand(
      "list",
      "Every text frame in host order: its id, whether the data merge counts it as carrying a "
      "script, and what the script panel shows with the frame selected");
  listCommand->add_option("DOC", list->document, "SVG document")
      ->required()
      ->check(CLI::ExistingFile);
  listCommand->add_flag("--json", list->json,
                        "Print [{\"id\": ..., \"carriesScript\": ..., \"script\": ...}]");
  plugins(listCommand, list->plugins);
  listCommand->callback([list] { RunList(*list); });

  auto set = std::make_shared<SetOptions>();
  CLI::App *setCommand = script->add_subcommand(
      "set",
      "Select a text frame, type a script into the script panel, let the panel store it, and save");
  setCommand->add_option("DOC", set->document, "SVG document")
      ->required()
      ->check(CLI::ExistingFile);
  setCommand->add_option("FRAME-ID", set->frame, "id of the text frame")->required();
  CLI::Option *text =
      setCommand->add_option("TEXT", set->text, "the script (each line end is one Enter)");
  CLI::Option *file =
      setCommand->add_option("--file", set->file, "read the script from a file (UTF-8)")
          ->check(CLI::ExistingFile);
  text->excludes(file);
  setCommand->add_option("-o,--output", set->output, "save to this file instead of DOC");
  plugins(setCommand, set->plugins);
  setCommand->callback([set, text, file] {
    if (text->count() == 0 && file->count() == 0)
      Fail("set", "give the script as TEXT or with --file");
    RunSet(*set);
  });

  auto tag = std::make_shared<TagOptions>();
  CLI::App *tagCommand = script->add_subcommand(
      "tag",
      "Run the script panel's picture or barcode command: answer its options dialog as the flags "
      "say, press OK and print the tag the panel then holds");
  tagCommand->add_option("KIND", tag->kind, "image or barcode")
      ->required()
      ->check(CLI::IsMember({"image", "barcode"}));
  tagCommand
      ->add_option("--options", tag->optionsFile,
                   "a Vardo2Script.ini the plug-in starts with "
                   "(default: none, so the defaults)")
      ->check(CLI::ExistingFile)
      // Copying a FIFO or a device would wait on it, or never end.
      ->check(
          [](const std::string &path) {
            std::error_code ec;
            return std::filesystem::is_regular_file(path, ec) ? std::string()
                                                              : "not a regular file: " + path;
          },
          "FILE");
  tagCommand->add_option("--save-options", tag->saveOptions,
                         "write the options file the dialog saved on OK to this file");
  tagCommand->add_option("--panel", tag->panel,
                         "text typed into the panel first; its first [field] is the data");
  CLI::Option *width = tagCommand->add_option("--width", tag->width,
                                              "the selected frame's width in points (default 0)");
  CLI::Option *height = tagCommand->add_option("--height", tag->height,
                                               "the selected frame's height in points (default 0)");
  CLI::Option *into = tagCommand
                          ->add_option("--into", tag->into,
                                       "put the tag into frame ID of DOC through the "
                                       "panel and save DOC (or -o)")
                          ->expected(2)
                          ->type_name("DOC ID");
  into->excludes(width)->excludes(height);
  tagCommand->add_option("-o,--output", tag->output,
                         "with --into: save to this file instead of DOC");
  tagCommand->add_option("--align", tag->align, "horizontal position")
      ->check(CLI::IsMember({"left", "center", "right"}));
  tagCommand->add_option("--valign", tag->valign, "vertical position")
      ->check(CLI::IsMember({"top", "middle", "bottom"}));
  tagCommand->add_flag("--linked,!--embedded", tag->linked,
                       "picture: place the picture linked or embedded");
  tagCommand->add_flag("--qr,!--linear", tag->qr, "barcode: a QR code or a linear barcode");
  tagCommand->add_option("--type", tag->type,
                         "barcode kind as the dialog lists it (CODE128 is \"CODE-128\")");
  tagCommand->add_option("--size", tag->size,
                         "barcode magnification, typed into its field (\"1.25\")");
  tagCommand->add_option("--module-height", tag->moduleHeight,
                         "barcode module height in mm, typed");
  tagCommand->add_option("--ecc", tag->ecc, "QR error correction")
      ->check(CLI::IsMember({"L", "M", "Q", "H"}));
  tagCommand->add_option("--version", tag->version, "QR version: auto or 1 to 40");
  tagCommand->add_option("--mode", tag->mode, "QR encoding mode")
      ->check(CLI::IsMember({"auto", "numeric", "ascii", "binary", "kanji", "mixed"}));
  tagCommand->add_option("--cell-size", tag->cellSize, "QR cell size in mm, typed (\"0.33\")");
  CLI::Option *item = tagCommand->add_option("--item", tag->item, "item text of the kind shown");
  tagCommand->add_flag("--hr-text,!--no-hr-text", tag->hrText, "show the human-readable text");
  tagCommand->add_flag("--check-digit,!--no-check-digit", tag->checkDigit,
                       "barcode: compute the check digit");
  tagCommand->add_flag("--fixed-height,!--no-fixed-height", tag->fixedHeight,
                       "barcode: fix the module height");
  plugins(tagCommand, tag->plugins);
  tagCommand->callback([tag, item] {
    tag->itemGiven = item->count() > 0;
    RunTag(*tag);
  });
}

}  // namespace vardo::cli
