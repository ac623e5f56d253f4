// vardo merge TEMPLATE.svg DATA.csv and vardo check: the real plug-ins in
// the host, and the user played through the batch sequencer. The program
// chooses the sequencer's command, fills its settings dialog as a person
// does (the "..." buttons answered with DATA and TEMPLATE, the record
// fields typed), presses OK and runs the host's loop on its virtual clock
// until the progress window is gone. Output documents are named and placed
// by the sequencer: beside the template it is given, which is a copy in the
// output folder when that is not the template's own.
#include <unistd.h>
#include <vplatform/clock.h>
#include <vplatform/dialogs.h>
#include <vplatform/paths.h>
#include <vplatform/shell.h>
#include <vplatform/windows.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "commands.h"
#include "document.h"
#include "documentdump.h"
#include "hostsession.h"
#include "numberargument.h"
#include "pdfpages.h"
#include "problems.h"
#include "shards.h"
#include "vardo/recordtable/recordtable.h"

namespace vardo::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char *kEngineNotification = "6884-3066-1648-3395-5359-9068-E/G";
constexpr const char *kComposeRangeNotification = "9475-2407-6658-9330-9846-6542";
constexpr const char *kCommand = "VARDO2_SEQUENCER_CONFIG";
constexpr int kProgressDialog = 16207, kSettingsDialog = 16052;
constexpr int kChooseCsv = 5, kChooseTemplate = 9, kStartRecord = 12, kEndRecord = 14;
constexpr int kAbortButton = 2;
constexpr ActionParamKeyID kRecordKey =
    static_cast<ActionParamKeyID>(AS_FOURCC('v', 'r', 'c', 'r'));
constexpr ActionParamKeyID kSlotKey = static_cast<ActionParamKeyID>(AS_FOURCC('v', 'r', 't', 'g'));
// The longest path the settings dialog keeps.
constexpr size_t kPathMax = 254;
// One step of the run per 60 ticks, three steps a document.
constexpr long kTicksPerDocument = 3 * 60;

struct Options {
  HostOptions host;
  std::string templatePath, dataPath, outDir, pdfPath, pictures;
  long from = 1, to = 0;  // 0: the table's last record
  bool json = false, quiet = false, clearUnused = false;
  bool check = false;  // vardo check: into a scratch folder, problems only
  std::string shard;   // "K/N": only that share of the range
  long plan = 0;       // print the range cut into this many shards, run nothing
};

struct OutputDocument {
  std::string file;
  std::vector<long> records;       // as sent to the engine, in slot order
  std::vector<std::string> slots;  // the slot of each record
};

struct RunResult {
  std::vector<OutputDocument> documents;
  std::vector<std::string> messages;  // the sequencer's and the host's alerts
  std::vector<vhost::EngineProblem> problems;
  long records = 0;
  bool aborted = false;
};

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) { gInterrupted = 1; }

const char *Name(const Options &o) { return o.check ? "vardo check" : "vardo merge"; }

[[noreturn]] void Fail(const Options &o, const std::string &message) {
  std::fprintf(stderr, "%s: %s\n", Name(o), message.c_str());
  throw CLI::RuntimeError(1);
}

std::string WindowsPath(const Options &o, const std::string &linux) {
  std::string windows;
  if (!vplat::WindowsPathFromLinux(fs::absolute(linux).string(), windows))
    Fail(o, linux + ": the name cannot be given to the plug-ins' file calls");
  if (windows.size() > kPathMax)
    Fail(o, linux + ": the path is longer than the " + std::to_string(kPathMax) +
                " bytes the sequencer keeps");
  return windows;
}

HWND ProgressWindow() {
  for (HWND w : vplat::TopLevelWindows()) {
    if (vplat::dialogs::DialogResourceId(w) == kProgressDialog) return w;
  }
  return nullptr;
}

std::string OneLine(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    out += c == '\n' ? ' ' : c;
  }
  return out;
}

// Progress on standard error: a bar redrawn in place on a terminal, a line
// per document otherwise.
class Progress {
 public:
  Progress(bool quiet, long total) : quiet_(quiet), total_(total), tty_(isatty(2)) {}

  void Update(const RunResult &r) {
    if (quiet_) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0 ? r.records / seconds : 0;
    if (tty_) {
      const int width = 30;
      const int filled = total_ > 0 ? static_cast<int>(width * r.records / total_) : width;
      const double left = rate > 0 ? (total_ - r.records) / rate : 0;
      std::fprintf(stderr, "\r[%-*s] %zu documents, %ld/%ld records, %.0f records/s, %.0f s left ",
                   width, std::string(std::min(filled, width), '#').c_str(), r.documents.size(),
                   r.records, total_, rate, left);
    } else if (r.documents.size() > printed_) {
      // The last document is still being composed; print those before it.
      for (; printed_ + 1 < r.documents.size(); ++printed_) Line(r.documents[printed_]);
    }
    std::fflush(stderr);
  }

  void Finish(const RunResult &r) {
    if (quiet_) return;
    if (tty_) {
      Update(r);
      std::fputc('\n', stderr);
    } else {
      for (; printed_ < r.documents.size(); ++printed_) Line(r.documents[printed_]);
    }
  }

 private:
  void Line(const OutputDocument &d) {
    if (d.records.empty()) {
      std::fprintf(stderr, "%s: no records\n", d.file.c_str());
    } else {
      std::fprintf(stderr, "%s: records %ld to %ld\n", d.file.c_str(), d.records.front(),
                   d.records.back());
    }
  }

  bool quiet_;
  long total_;
  bool tty_;
  size_t printed_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The settings dialog as a person fills it. False when it did not close
// with OK (the sequencer refused something; its message says what).
bool FillSettings(vhost::Host &host, const std::string &data, const std::string &templ, long from,
                  long to) {
  bool shown = false, confirmed = false;
  vplat::dialogs::OnNextModalDialog([&](HWND dialog) {
    if (vplat::dialogs::DialogResourceId(dialog) != kSettingsDialog) return;
    shown = true;
    vplat::dialogs::OnFileDialog(
        [data](const vplat::dialogs::FileDialogRequest &, std::string &chosen) {
          chosen = data;
          return true;
        });
    vplat::dialogs::Click(dialog, kChooseCsv);
    vplat::dialogs::OnFileDialog(
        [templ](const vplat::dialogs::FileDialogRequest &, std::string &chosen) {
          chosen = templ;
          return true;
        });
    vplat::dialogs::Click(dialog, kChooseTemplate);
    vplat::dialogs::OnFileDialog(vplat::dialogs::FileDialogPathHandler());
    vplat::dialogs::SetText(dialog, kStartRecord, std::to_string(from));
    vplat::dialogs::SetText(dialog, kEndRecord, std::to_string(to));
    vplat::dialogs::Click(dialog, IDOK);
    confirmed = !IsWindow(dialog) || !IsWindowVisible(dialog);
    if (!confirmed) vplat::dialogs::Click(dialog, IDCANCEL);
  });
  host.ChooseMenuItem(kCommand);
  return shown && confirmed;
}

// The record slots of `file` that still hold template art (they received no
// record) are hidden, so a printed last sheet shows no sample cards.
void HideUnusedSlots(const Options &o, const std::string &file) {
  std::string error;
  auto doc = vhost::Document::Load(file, &error);
  if (!doc) Fail(o, "cannot read " + file + " again: " + error);
  std::vector<vhost::Art *> unused;
  doc->ForEachArt([&](vhost::Art &art, int) {
    if (!art.Tag("vardo2_group")) return;
    vhost::Art *slot = &art;
    while (slot->Parent() && !slot->Parent()->IsLayerGroup()) slot = slot->Parent();
    if (slot->Parent() && slot != &art) unused.push_back(slot);
  });
  if (unused.empty()) return;
  for (vhost::Art *slot : unused) slot->SetHidden(true);
  if (!doc->Save(file, &error)) Fail(o, "cannot write " + file + ": " + error);
}

// With `pdf`, each document goes to it as soon as the sequencer has saved
// and closed it (when the next one begins), all but the last: the caller
// gives that one, which --clear-unused may still change.
RunResult RunSequencer(const Options &o, const std::string &templateCopy, long from, long to,
                       PdfWriter *pdf, std::string *pdfError) {
  const std::string folder = PluginsFolder(o.host);
  auto host = MakeHost(o.host);
  // Pictures named by the data are read from --pictures, by default the CSV
  // file's folder.
  vhost::PictureSettings pictures;
  pictures.folder = o.pictures.empty() ? fs::path(o.dataPath).parent_path().string()
                                       : fs::absolute(o.pictures).string();
  host->SetPictureSettings(pictures);
  RunResult r;
  host->OnAlert([&](const vhost::Alert &alert) { r.messages.push_back(OneLine(alert.text)); });
  std::vector<std::string> refused;
  host->LoadPluginsFrom(folder, &refused);
  for (const std::string &why : refused) std::fprintf(stderr, "refused %s\n", why.c_str());
  host->StartPlugins();
  if (!host->FindPlugin("Vardo") || !host->FindMenuItem(kCommand))
    Fail(o, "the Vardo and VardoSequencer plug-ins did not start (plug-ins folder " + folder + ")");

  host->ObserveNotifications([&](const std::string &type, void *data) {
    vhost::Document *doc = host->Documents().CurrentDocument();
    if (type == kComposeRangeNotification) {
      if (pdf && pdfError->empty() && !r.documents.empty())
        pdf->Add(r.documents.back().file, pdfError);
      r.documents.push_back({doc ? doc->Path() : std::string(), {}, {}});
      return;
    }
    if (type != kEngineNotification || !data || r.documents.empty()) return;
    const auto &values = static_cast<vhost::ParamBlock *>(data)->values;
    auto it = values.find(kRecordKey);
    const ASInt32 *record = it == values.end() ? nullptr : std::get_if<ASInt32>(&it->second);
    if (!record) return;
    it = values.find(kSlotKey);
    const ASInt32 *slot = it == values.end() ? nullptr : std::get_if<ASInt32>(&it->second);
    vhost::Art *art =
        slot ? host->Documents().FindArtByLow32(static_cast<uint32_t>(*slot)) : nullptr;
    r.documents.back().records.push_back(*record);
    r.documents.back().slots.push_back(art ? art->Id() : std::string());
    ++r.records;
  });

  if (!FillSettings(*host, fs::absolute(o.dataPath).string(), templateCopy, from, to)) {
    std::string why =
        r.messages.empty() ? "the settings dialog did not take the run" : r.messages.back();
    Fail(o, why);
  }

  Progress progress(o.quiet || o.check, to - from + 1);
  // Generous: three steps a record, and as many again.
  const long maxTicks = (to - from + 3) * kTicksPerDocument * 2;
  long ticks = 0;
  size_t shownMessages = 0;
  while (ProgressWindow() && ticks < maxTicks) {
    if (gInterrupted && !r.aborted) {
      r.aborted = vplat::dialogs::Click(ProgressWindow(), kAbortButton);
    }
    host->RunTicks(1);
    ++ticks;
    if (ticks % 60 == 0) progress.Update(r);
    for (; shownMessages < r.messages.size(); ++shownMessages) {
      std::fprintf(stderr, "%s: %s\n", Name(o), r.messages[shownMessages].c_str());
    }
  }
  progress.Finish(r);
  r.problems = host->EngineProblems();
  host->ObserveNotifications(nullptr);
  // The plug-ins' fonts go with them, and librsvg draws with the same
  // fontconfig: nothing is drawn while they shut down.
  if (pdf && pdfError->empty()) pdf->Drain(pdfError);
  host->ShutdownPlugins();
  if (ProgressWindow()) Fail(o, "the run did not end");
  return r;
}

void PrintJson(const Options &o, const RunResult &r) {
  std::string text = "{\"documents\": [";
  for (size_t i = 0; i < r.documents.size(); ++i) {
    const OutputDocument &d = r.documents[i];
    if (i) text += ", ";
    text += "{\"file\": " + vhost::JsonString(d.file) +
            ", \"first\": " + (d.records.empty() ? "null" : std::to_string(d.records.front())) +
            ", \"last\": " + (d.records.empty() ? "null" : std::to_string(d.records.back())) +
            ", \"slots\": [";
    for (size_t k = 0; k < d.records.size(); ++k) {
      if (k) text += ", ";
      text += "{\"slot\": " + vhost::JsonString(d.slots[k]) +
              ", \"record\": " + std::to_string(d.records[k]) + "}";
    }
    text += "]}";
  }
  text += "], \"records\": " + std::to_string(r.records) +
          ", \"problems\": " + ProblemsJson(r.problems);
  text += std::string(", \"aborted\": ") + (r.aborted ? "true" : "false");
  if (!o.pdfPath.empty()) text += ", \"pdf\": " + vhost::JsonString(o.pdfPath);
  text += "}\n";
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void Run(Options o) {
  o.templatePath = fs::absolute(o.templatePath).string();
  o.dataPath = fs::absolute(o.dataPath).string();
  if (!o.pdfPath.empty()) o.pdfPath = fs::absolute(o.pdfPath).string();
  if (!o.host.profile.empty()) o.host.profile = fs::absolute(o.host.profile).string();
  if (!o.host.plugins.empty()) o.host.plugins = fs::absolute(o.host.plugins).string();
  std::string error;
  auto templ = vhost::Document::Load(o.templatePath, &error);
  if (!templ) Fail(o, "cannot open the template " + o.templatePath + ": " + error);
  if (!LoadOrExplain(o.dataPath)) throw CLI::RuntimeError(1);
  const long records = CountRecords() - 1;
  // Only the count is needed here; the plug-in reads the file itself, and a
  // second whole copy of the table would stay for the length of the run.
  ClearRecordTable();
  long to = o.to > 0 ? std::min(o.to, records) : records;
  if (records < 1 || o.from < 1 || o.from > to) {
    Fail(o, "the range " + std::to_string(o.from) + " to " +
                (o.to > 0 ? std::to_string(o.to) : std::string("the last record")) +
                " holds no record of the table, which has " +
                (records > 0 ? "records 1 to " + std::to_string(records)
                             : std::string("no data records")));
  }

  Shard shard;
  int shards = 0;
  if (o.plan > 0 || !o.shard.empty()) {
    if (!o.shard.empty() && !ParseShard(o.shard, &shard.number, &shards))
      Fail(o, "--shard " + o.shard + ": give K/N, K from 1 to N");
    const int slots = CountRecordSlots(*templ);
    if (slots == 0)
      Fail(o, "the template " + o.templatePath +
                  " has no record slots, so it cannot be cut into documents");
    if (o.plan > 0) shards = static_cast<int>(o.plan);
    const std::vector<Shard> plan = PlanShards(o.from, to, slots, shards);
    if (o.plan > 0) {
      const fs::path dir =
          o.outDir.empty() ? fs::path(o.templatePath).parent_path() : fs::absolute(o.outDir);
      const std::string text = FormatPlan(plan, slots, to - o.from + 1, dir.string(),
                                          fs::path(o.templatePath).filename().string(), o.json);
      std::fwrite(text.data(), 1, text.size(), stdout);
      return;
    }
    shard = plan[shard.number - 1];
    if (shard.Empty()) {
      if (!o.quiet)
        std::fprintf(stderr, "%s: shard %s is empty: the run makes only %zu documents\n", Name(o),
                     o.shard.c_str(), static_cast<size_t>((to - o.from + slots) / slots));
      if (o.json) PrintJson(o, RunResult{});
      return;
    }
    o.from = shard.first;
    to = shard.last;
  }

  // The sequencer writes its outputs beside the template it is given.
  fs::path scratch;
  fs::path outDir = fs::path(o.templatePath).parent_path();
  if (o.check) {
    std::string pattern = (fs::temp_directory_path() / "vardo-check-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Fail(o, "cannot make a scratch folder");
    scratch = outDir = pattern;
  } else if (!o.outDir.empty()) {
    std::error_code ec;
    fs::create_directories(o.outDir, ec);
    if (!fs::is_directory(o.outDir)) Fail(o, "cannot make the output folder " + o.outDir);
    outDir = fs::absolute(o.outDir);
  }
  // A shard runs in a folder of its own and moves its documents out at the
  // end, so shards side by side never write the same file.
  fs::path runDir = outDir;
  if (shards) {
    const std::string profile = o.host.profile.empty() ? vplat::DocumentsFolder() : o.host.profile;
    std::string why;
    runDir = scratch = MakeShardFolder(outDir.string(), shard, shards, profile, &why);
    if (scratch.empty()) Fail(o, why);
    o.host.profile = (scratch / "profile").string();
  }
  fs::path templateCopy = o.templatePath;
  bool copied = false;
  std::error_code ec;
  RunResult r;
  // A shard's documents move when it ends, so its PDF is drawn from their
  // final places then.
  std::optional<PdfWriter> pdf;
  std::string pdfError;
  if (!o.pdfPath.empty() && !o.check && !shards) pdf.emplace(o.pdfPath);
  // Ctrl-C from here on presses Abort once the run is going.
  std::signal(SIGINT, OnInterrupt);
  try {
    // Inside the try: a refusal here must not leave the scratch folder behind.
    if (!fs::equivalent(runDir, fs::path(o.templatePath).parent_path(), ec)) {
      templateCopy = runDir / fs::path(o.templatePath).filename();
      if (fs::exists(templateCopy))
        Fail(o, "the output folder already holds a file named " + templateCopy.filename().string() +
                    "; it would be taken for the template");
      if (!fs::copy_file(o.templatePath, templateCopy, ec))
        Fail(o, "cannot copy the template into " + outDir.string() + ": " + ec.message());
      copied = true;
    }
    WindowsPath(o, o.dataPath);
    WindowsPath(o, templateCopy.string());
    r = RunSequencer(o, templateCopy.string(), o.from, to, pdf ? &*pdf : nullptr, &pdfError);
  } catch (...) {
    if (copied) fs::remove(templateCopy, ec);
    if (!scratch.empty()) fs::remove_all(scratch, ec);
    throw;
  }
  if (copied) fs::remove(templateCopy, ec);

  if (o.clearUnused && !r.documents.empty() && !o.check)
    HideUnusedSlots(o, r.documents.back().file);
  if (shards) {
    std::vector<std::string *> files;
    for (OutputDocument &d : r.documents) files.push_back(&d.file);
    const bool moved = MoveShardDocuments(files, outDir.string(), &error);
    fs::remove_all(scratch, ec);
    if (!moved) Fail(o, error);
  }

  std::set<long> composed;
  for (const OutputDocument &d : r.documents) composed.insert(d.records.begin(), d.records.end());
  long missing = 0;
  for (long n = o.from; n <= to; ++n) missing += composed.count(n) ? 0 : 1;

  if (o.check) {
    fs::remove_all(scratch, ec);
    if (o.json) {
      PrintJson(o, r);
    } else {
      PrintProblems(r.problems, stdout);
      std::printf("%zu problems; the merge would make %zu documents of %ld records\n",
                  r.problems.size(), r.documents.size(), r.records);
    }
    if (!r.problems.empty() || missing) throw CLI::RuntimeError(1);
    return;
  }

  if (!o.pdfPath.empty() && !r.documents.empty()) {
    if (pdf) {
      if (pdfError.empty()) pdf->Add(r.documents.back().file, &pdfError);
      if (!pdfError.empty() || !pdf->Finish(&pdfError)) Fail(o, pdfError);
    } else {
      std::vector<std::string> files;
      for (const OutputDocument &d : r.documents) files.push_back(d.file);
      if (!WritePdf(files, o.pdfPath, &error)) Fail(o, error);
    }
  }

  if (o.json) {
    PrintJson(o, r);
  } else {
    for (const OutputDocument &d : r.documents) {
      if (d.records.empty()) {
        std::printf("%s no records\n", d.file.c_str());
      } else {
        std::printf("%s records %ld to %ld\n", d.file.c_str(), d.records.front(), d.records.back());
      }
    }
    PrintProblems(r.problems, stderr);
    if (!o.pdfPath.empty()) std::printf("%s %zu pages\n", o.pdfPath.c_str(), r.documents.size());
  }
  if (r.aborted) {
    std::fprintf(stderr, "%s: interrupted after %zu documents and %ld records\n", Name(o),
                 r.documents.size(), r.records);
    throw CLI::RuntimeError(130);
  }
  if (missing) {
    Fail(o, std::to_string(missing) + " of the " + std::to_string(to - o.from + 1) +
                " records of the range were not composed");
  }
}

void AddRunOptions(CLI::App &command, Options &o) {
  command.add_option("template", o.templatePath, "the template document (SVG)")->required();
  command.add_option("data", o.dataPath, "the CSV file")->required();
  AddNumberOption(&command, "--from", &o.from, 0x7FFFFFFF, "first record (default 1)");
  AddNumberOption(&command, "--to", &o.to, 0x7FFFFFFF, "last record (default the table's last)");
  command.add_option("--pictures", o.pictures, "folder the data's picture names are relative to");
  command.add_flag("--json", o.json, "print JSON");
  AddHostOptions(command, o.host);
}

}  // namespace

void AddMergeCommand(CLI::App &app) {
  auto options = std::make_shared<Options>();
  CLI::App *merge = app.add_subcommand(
      "merge",
      "turn a template and a CSV file into numbered documents through the batch sequencer");
  AddRunOptions(*merge, *options);
  merge->add_option("--out", options->outDir, "folder of the documents (default the template's)");
  merge->add_option("--pdf", options->pdfPath, "also write every document as a page of this PDF");
  merge->add_flag("--quiet", options->quiet, "no progress on standard error");
  merge->add_option("--shard", options->shard,
                    "K/N: make only the K-th of N shares of the range, cut at documents");
  AddNumberOption(merge, "--plan", &options->plan, 100000,
                  "print the range cut into this many shards and the files of each; run nothing");
  merge->add_flag("--clear-unused", options->clearUnused,
                  "hide the record slots of the last document that received no record");
  merge->callback([options]() { Run(*options); });

  auto check = std::make_shared<Options>();
  check->check = true;
  CLI::App *command = app.add_subcommand(
      "check", "run the merge into a scratch folder and print only the problems, by record");
  AddRunOptions(*command, *check);
  command->callback([check]() { Run(*check); });
}

}  // namespace vardo::cli
