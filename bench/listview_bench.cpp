// The list view filled as the data panel fills it: rows of 16 cells of
// short text sent one message at a time, then every cell read back.
#include <benchmark/benchmark.h>
#include <commctrl.h>
#include <vplatform/windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 16;

HWND MakeList() {
  vplat::ResetWindowManager();
  return CreateWindowExW(0, WC_LISTVIEWW, u"", WS_POPUP | LVS_REPORT, 0, 0, 800, 600, nullptr,
                         nullptr, nullptr, nullptr);
}

void Fill(HWND list, int rows) {
  for (int c = 0; c < kColumns; ++c) {
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    col.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  char16_t text[32];
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      char buf[32];
      int n = std::snprintf(buf, sizeof buf, "cell %d/%d", r, c);
      for (int i = 0; i <= n; ++i) text[i] = static_cast<char16_t>(buf[i]);
      LVITEMW it{};
      it.iItem = r;
      it.iSubItem = c;
      it.mask = LVIF_TEXT;
      it.pszText = reinterpret_cast<LPWSTR>(text);
      if (c == 0)
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
      else
        SendMessageW(list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&it));
    }
  }
}

// Resident memory in kilobytes, from /proc.
long ResidentKb() {
  std::FILE *f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  long pages = 0, resident = 0;
  if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
  std::fclose(f);
  return resident * 4;
}

void BM_FillRows(benchmark::State &state) {
  const int rows = static_cast<int>(state.range(0));
  long grown = 0;
  for (auto _ : state) {
    HWND list = MakeList();
    const long before = ResidentKb();
    Fill(list, rows);
    grown = ResidentKb() - before;
    benchmark::DoNotOptimize(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    state.PauseTiming();
    DestroyWindow(list);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * rows * kColumns);
  state.counters["resident_kb_added"] = static_cast<double>(grown);
}
BENCHMARK(BM_FillRows)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ReadAllCells(benchmark::State &state) {
  const int rows = static_cast<int>(state.range(0));
  HWND list = MakeList();
  Fill(list, rows);
  WCHAR buf[64];
  for (auto _ : state) {
    size_t total = 0;
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < kColumns; ++c) {
        LVITEMW it{};
        it.iSubItem = c;
        it.pszText = buf;
        it.cchTextMax = 64;
        total += static_cast<size_t>(
            SendMessageW(list, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(&it)));
      }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * rows * kColumns);
  DestroyWindow(list);
}
BENCHMARK(BM_ReadAllCells)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
