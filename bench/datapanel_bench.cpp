// The data panel's list filled from a table of 100,000 records of 15
// fields (the Tokyo postal-code file repeated) and from one a quarter of
// that size, through the real Vardo module in the host: the user opens the
// file from the panel's menu, which loads the table and refreshes the list.
// The load alone is timed with the same record table for comparison, so
// the refresh is the difference. Four times the records should take at most
// five times as long.
#include <vplatform/dialogs.h>
#include <vplatform/paths.h>
#include <vplatform/windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "vardo/recordtable/recordtable.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string MakeTable(const std::vector<std::string> &lines, size_t records) {
  std::string text;
  for (size_t i = 0; i <= records; ++i) text += lines[i % lines.size()] + "\r\n";
  return text;
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

struct Times {
  double import, load;
  long rows;
};

Times Measure(const std::string &path) {
  vplat::ResetWindowManager();
  vplat::dialogs::Reset();
  Times t{};
  {
    vhost::Host host;
    std::string error;
    if (!host.LoadPlugin(VARDO_BUILD_DIR "/plugins/Vardo.aip", &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::exit(1);
    }
    host.StartPlugins();
    vplat::dialogs::OnFileDialog(
        [&](const vplat::dialogs::FileDialogRequest &, std::string &chosen) {
          chosen = path;
          return true;
        });
    const Clock::time_point start = Clock::now();
    host.ChooseFlyoutItem("VARDO_INFO_PANEL", 1);
    t.import = Seconds(start);
    HWND list = vplat::FindChildById(host.FindPanel("VARDO_INFO_PANEL")->window, 1001);
    t.rows = static_cast<long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  }
  std::string windows;
  vplat::WindowsPathFromLinux(path, windows);
  const Clock::time_point start = Clock::now();
  LoadCsvFile(windows.c_str());
  t.load = Seconds(start);
  ClearRecordTable();
  return t;
}

}  // namespace

// The folder holding 13TOKYO.CSV may be given as the first argument.
int main(int argc, char **argv) {
  const std::string data = argc > 1 ? argv[1] : VARDO_TEST_DATA_DIR;
  std::ifstream in(data + "/13TOKYO.CSV", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (lines.empty()) {
    std::fprintf(stderr, "13TOKYO.CSV not found\n");
    return 1;
  }
  const std::string dir = std::filesystem::temp_directory_path() / "vardo-datapanel-bench";
  std::filesystem::create_directories(dir);
  const size_t sizes[] = {25000, 100000};
  Times times[2];
  for (int i = 0; i < 2; ++i) {
    const std::string path = dir + "/table" + std::to_string(sizes[i]) + ".csv";
    std::ofstream(path, std::ios::binary) << MakeTable(lines, sizes[i]);
    times[i] = Measure(path);
    std::printf(
        "%6zu records: %ld rows, open and refresh %.3f s, load alone %.3f s, refresh %.3f s\n",
        sizes[i], times[i].rows, times[i].import, times[i].load, times[i].import - times[i].load);
  }
  const double ratio = (times[1].import - times[1].load) / (times[0].import - times[0].load);
  std::printf("refresh ratio for 4x the records: %.2f (goal: at most 5)\n", ratio);
  std::filesystem::remove_all(dir);
  return ratio <= 5 ? 0 : 2;
}
