// vardo compose TEMPLATE.svg DATA.csv -o OUT.svg [--record N | --into ID]:
// the real plug-ins in the host, the template as the current document, and
// the user played through the data panel: open DATA from its menu, then
// either select the row of record N and choose automatic composition, or
// drag that row onto the art ID. The composed document is saved to OUT; the
// template file is never written.
#include <commctrl.h>
#include <vplatform/clock.h>
#include <vplatform/dialogs.h>
#include <vplatform/input.h>
#include <vplatform/paths.h>
#include <vplatform/windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "commands.h"
#include "documentdump.h"
#include "hostsession.h"
#include "numberargument.h"
#include "problems.h"
#include "vardo/recordtable/recordtable.h"

namespace vardo::cli {

namespace {

constexpr const char *kPanelId = "VARDO_INFO_PANEL";
constexpr const char *kEngineNotification = "6884-3066-1648-3395-5359-9068-E/G";
constexpr ActionParamKeyID kRecordKey =
    static_cast<ActionParamKeyID>(AS_FOURCC('v', 'r', 'c', 'r'));
constexpr ActionParamKeyID kSlotKey = static_cast<ActionParamKeyID>(AS_FOURCC('v', 'r', 't', 'g'));
// The data panel's menu entries.
constexpr ASUInt32 kOpenItem = 1, kComposeItem = 4;

struct Options {
  HostOptions host;
  std::string templatePath, dataPath, outputPath, into;
  long record = 1;
  bool json = false;
  std::string pictures;  // the picture folder; empty: the CSV file's folder
  bool anyPicturePath = false;
};

struct Composed {
  std::string slot;
  long record;
};

[[noreturn]] void Fail(const std::string &message) {
  std::fprintf(stderr, "vardo compose: %s\n", message.c_str());
  throw CLI::RuntimeError(1);
}

HWND ListOf(vhost::Panel &panel) { return vplat::FindChildById(panel.window, 1001); }

// Screen point of the middle of a row's first data cell, scrolled into view.
POINT RowPoint(HWND list, int row) {
  SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  RECT r{};
  r.top = 1;
  r.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(list, &p);
  return p;
}

// Where the host's document window shows artwork point (x, y); false when
// that is outside the window.
bool ScreenPointOf(vhost::Host &host, vhost::Document &doc, double x, double y, POINT *point) {
  const vhost::DocumentView &view = doc.View();
  POINT p{static_cast<LONG>((x - view.bounds.left) * view.zoom),
          static_cast<LONG>((view.bounds.top - y) * view.zoom)};
  RECT client{};
  GetClientRect(host.DocumentWindow(), &client);
  if (p.x < 0 || p.y < 0 || p.x >= client.right || p.y >= client.bottom) return false;
  ClientToScreen(host.DocumentWindow(), &p);
  *point = p;
  return true;
}

void SelectRow(HWND list, int row) {
  const POINT p = RowPoint(list, row);
  vplat::ClickAt(p.x, p.y);
  vplat::PumpMessages();
}

// A real drag: the button goes down on the row, the cursor moves past the
// list's drag threshold (the list begins the drag and the panel's own loop
// takes over), then to `target`, and the button comes up there.
void DragRow(HWND list, int row, POINT target) {
  const POINT start = RowPoint(list, row);
  vplat::MoveCursor(start.x, start.y);
  vplat::PressButton();
  vplat::PumpMessages();
  vplat::clock::Schedule(100'000, [target] { vplat::MoveCursor(target.x, target.y); });
  vplat::clock::Schedule(250'000, [] { vplat::ReleaseButton(); });
  vplat::MoveCursor(start.x, start.y + 6);
  vplat::PumpMessages();
  vplat::clock::AdvanceTo(vplat::clock::Now() + 300'000);
  vplat::PumpMessages();
}

void Print(const Options &o, const std::vector<Composed> &composed,
           const vhost::Host::UndoNames &undo, const std::vector<vhost::EngineProblem> &problems) {
  PrintProblems(problems, stderr);
  if (o.json) {
    std::string text = "{\"output\": " + vhost::JsonString(o.outputPath) + ", \"composed\": [";
    for (size_t i = 0; i < composed.size(); ++i) {
      if (i) text += ", ";
      text += "{\"slot\": " + vhost::JsonString(composed[i].slot) +
              ", \"record\": " + std::to_string(composed[i].record) + "}";
    }
    text += "], \"undo\": " + vhost::JsonString(undo.undo) +
            ", \"redo\": " + vhost::JsonString(undo.redo) +
            ", \"problems\": " + ProblemsJson(problems) + "}\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return;
  }
  for (const Composed &c : composed) std::printf("slot %s record %ld\n", c.slot.c_str(), c.record);
  std::printf("undo: %s\nredo: %s\n", undo.undo.c_str(), undo.redo.c_str());
}

void Run(const Options &o) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::equivalent(o.templatePath, o.outputPath, ec))
    Fail("the output would overwrite the template");

  // The table as the plug-in will read it, to explain a refusal and to
  // check the record number before the panel is played.
  if (!LoadOrExplain(o.dataPath)) throw CLI::RuntimeError(1);
  const long records = CountRecords() - 1;
  if (o.record < 1 || o.record > records) {
    Fail(
        "record " + std::to_string(o.record) + " is outside the table, which holds " +
        (records > 0 ? "records 1 to " + std::to_string(records) : std::string("no data records")));
  }

  std::string folder = PluginsFolder(o.host);
  auto host = MakeHost(o.host);
  std::vector<std::string> refused;
  host->LoadPluginsFrom(folder, &refused);
  for (const std::string &why : refused) std::fprintf(stderr, "refused %s\n", why.c_str());
  host->StartPlugins();
  vhost::Panel *panel = host->FindPanel(kPanelId);
  if (!host->FindPlugin("Vardo") || !panel)
    Fail("the Vardo plug-in did not start (plug-ins folder " + folder + ")");

  ASErr status = kNoErr;
  std::string error;
  vhost::Document *doc = host->Documents().Open(o.templatePath, true, &status, &error);
  if (!doc) Fail("cannot open the template " + o.templatePath + ": " + error);
  host->RunTicks(12);  // the plug-in's timer sees the document
  // Pictures are read from the picture folder only, unless the user allows
  // any path: data from a CSV file must not pull other files in.
  host->SetPictureSettings(
      {fs::absolute(o.pictures.empty() ? fs::path(o.dataPath).parent_path() : fs::path(o.pictures))
           .lexically_normal()
           .string(),
       o.anyPicturePath});
  host->EngineProblems().clear();

  std::vector<Composed> composed;
  host->ObserveNotifications([&](const std::string &type, void *data) {
    if (type != kEngineNotification || !data) return;
    const auto &values = static_cast<vhost::ParamBlock *>(data)->values;
    auto number = [&](ActionParamKeyID key) -> ASInt32 {
      auto it = values.find(key);
      const ASInt32 *v = it == values.end() ? nullptr : std::get_if<ASInt32>(&it->second);
      return v ? *v : -1;
    };
    vhost::Art *art = host->Documents().FindArtByLow32(static_cast<uint32_t>(number(kSlotKey)));
    composed.push_back({art ? art->Id() : std::string("?"), number(kRecordKey)});
  });

  const std::string dataPath = fs::absolute(o.dataPath).string();
  vplat::dialogs::OnFileDialog(
      [dataPath](const vplat::dialogs::FileDialogRequest &, std::string &chosen) {
        chosen = dataPath;
        return true;
      });
  host->ChooseFlyoutItem(kPanelId, kOpenItem);
  vplat::dialogs::OnFileDialog(vplat::dialogs::FileDialogPathHandler());
  HWND list = ListOf(*panel);
  if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != records)
    Fail("the data panel did not load " + o.dataPath);

  const int row = static_cast<int>(o.record - 1);
  if (o.into.empty()) {
    SelectRow(list, row);
    host->ChooseFlyoutItem(kPanelId, kComposeItem);
  } else {
    vhost::Art *art = doc->FindArtById(o.into);
    if (!art) Fail("the template has no art with the id " + o.into);
    const AIRealRect b = art->Bounds();
    POINT target{};
    if (!ScreenPointOf(*host, *doc, (b.left + b.right) / 2, (b.top + b.bottom) / 2, &target)) {
      Fail("the art " + o.into + " lies outside the document window");
    }
    DragRow(list, row, target);
    if (composed.empty()) Fail("the id " + o.into + " names no drop target");
  }
  host->ObserveNotifications(nullptr);

  if (!doc->Save(o.outputPath, &error)) Fail("cannot write " + o.outputPath + ": " + error);
  vhost::Host::UndoNames undo;
  if (!host->UndoHistory().empty()) undo = host->UndoHistory().back();
  Print(o, composed, undo, host->EngineProblems());
  host->ShutdownPlugins();
}

}  // namespace

void AddComposeCommand(CLI::App &app) {
  auto options = std::make_shared<Options>();
  CLI::App *command = app.add_subcommand(
      "compose",
      "compose a template from one record through the data panel and save the result; prints each "
      "slot composed with its record, then the undo and redo names");
  command->add_option("template", options->templatePath, "the template document (SVG)")->required();
  command->add_option("data", options->dataPath, "the CSV file")->required();
  command->add_option("-o,--output", options->outputPath, "where the composed document is saved")
      ->required();
  AddNumberOption(command, "--record", &options->record, 0x7FFFFFFF,
                  "the record to compose from (default 1)");
  command->add_option(
      "--into", options->into,
      "drag the record's row onto the art with this id instead of composing every slot");
  command->add_flag("--json", options->json, "print JSON");
  command->add_option("--pictures", options->pictures,
                      "folder the pictures named in the data are read from (default: the CSV "
                      "file's folder)");
  command->add_flag("--any-picture-path", options->anyPicturePath,
                    "allow pictures outside the picture folder");
  AddHostOptions(*command, options->host);
  command->callback([options]() { Run(*options); });
}

}  // namespace vardo::cli
