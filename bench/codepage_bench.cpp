// Shift-JIS to UTF-8 through the platform (932 -> UTF-16 -> UTF-8, as the
// record table loads a CSV file) against glibc's iconv (CP932 -> UTF-8) on
// the same text. Prints each one's MB/s and the ratio at the end.
//
// The text: ~50 MB of deterministic CSV-like lines mixing ASCII, kanji,
// hiragana, katakana and half-width katakana; and the Tokyo postal-code
// file from the project's test data (testdata/).
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

std::string MakeText(size_t size) {
  std::string s;
  s.reserve(size + 64);
  uint32_t seed = 20240607;
  auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  auto trail = [&next]() {
    uint32_t t = 0x40 + next(188);
    return static_cast<char>(t >= 0x7F ? t + 1 : t);
  };
  while (s.size() < size) {
    int fields = 4 + static_cast<int>(next(6));
    for (int f = 0; f < fields; f++) {
      if (f) s += ',';
      s += '"';
      int chars = 1 + static_cast<int>(next(12));
      for (int c = 0; c < chars; c++) {
        switch (next(10)) {
          case 0:
          case 1:
          case 2:
          case 3:  // ASCII
            s += static_cast<char>('0' + next(75));
            break;
          case 4:
          case 5:
          case 6:  // kanji (JIS level 1 and 2)
            s += static_cast<char>(0x89 + next(0x98 - 0x89));
            s += trail();
            break;
          case 7:  // hiragana
            s += '\x82';
            s += static_cast<char>(0x9F + next(0xF1 - 0x9F + 1));
            break;
          case 8:  // katakana
            s += '\x83';
            s += static_cast<char>(0x40 + next(0x3E));
            break;
          default:  // half-width katakana
            s += static_cast<char>(0xA1 + next(0xDF - 0xA1 + 1));
            break;
        }
      }
      s += '"';
    }
    s += "\r\n";
  }
  return s;
}

const std::string &Generated() {
  static const std::string text = MakeText(50u << 20);
  return text;
}

const std::string &Tokyo() {
  static const std::string text = [] {
    std::ifstream in(VARDO_TEST_DATA_DIR "/13TOKYO.CSV", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  return text;
}

// The platform's way: one pass to UTF-16, one to UTF-8, into buffers sized
// for the worst case (as the loader sizes its own).
size_t PlatformToUtf8(const std::string &in, std::u16string &wide, std::string &out) {
  int n = MultiByteToWideChar(932, 0, in.data(), static_cast<int>(in.size()), wide.data(),
                              static_cast<int>(wide.size()));
  if (n == 0) return 0;
  return static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(),
                                                 static_cast<int>(out.size()), nullptr, nullptr));
}

size_t IconvToUtf8(iconv_t cd, const std::string &in, std::string &out) {
  char *ip = const_cast<char *>(in.data());
  char *op = out.data();
  size_t il = in.size(), ol = out.size();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) return 0;
  return out.size() - ol;
}

void PlatformBench(benchmark::State &state, const std::string &in) {
  if (in.empty()) {
    state.SkipWithError("no input");
    return;
  }
  std::u16string wide(in.size(), u'\0');
  std::string out(in.size() * 3, '\0');
  for (auto _ : state) {
    size_t n = PlatformToUtf8(in, wide, out);
    if (n == 0) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void IconvBench(benchmark::State &state, const std::string &in) {
  if (in.empty()) {
    state.SkipWithError("no input");
    return;
  }
  iconv_t cd = iconv_open("UTF-8", "CP932");
  std::string out(in.size() * 3, '\0');
  for (auto _ : state) {
    size_t n = IconvToUtf8(cd, in, out);
    if (n == 0) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(out.data());
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_Generated_Platform(benchmark::State &state) { PlatformBench(state, Generated()); }
void BM_Generated_Iconv(benchmark::State &state) { IconvBench(state, Generated()); }
void BM_Tokyo_Platform(benchmark::State &state) { PlatformBench(state, Tokyo()); }
void BM_Tokyo_Iconv(benchmark::State &state) { IconvBench(state, Tokyo()); }

// Medians of five runs: the machine is shared, single runs wander.
BENCHMARK(BM_Generated_Platform)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Generated_Iconv)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Tokyo_Platform)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_Tokyo_Iconv)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// The two ways must agree on the text before their speeds mean anything.
bool SameOutput(const std::string &in, const char *what) {
  std::u16string wide(in.size(), u'\0');
  std::string a(in.size() * 3, '\0'), b(in.size() * 3, '\0');
  size_t na = PlatformToUtf8(in, wide, a);
  iconv_t cd = iconv_open("UTF-8", "CP932");
  size_t nb = IconvToUtf8(cd, in, b);
  iconv_close(cd);
  bool same = na != 0 && na == nb && a.compare(0, na, b, 0, nb) == 0;
  std::printf("%s: %zu bytes of Shift-JIS, %zu bytes of UTF-8, outputs %s\n", what, in.size(), na,
              same ? "identical" : "DIFFER");
  return same;
}

// Keeps each benchmark's throughput (the median when repeated) to print
// the comparison afterwards, in decimal megabytes of Shift-JIS input per
// second (Google Benchmark's own column counts in units of 2^20).
class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &r : runs) {
      auto it = r.counters.find("bytes_per_second");
      bool wanted = r.run_type == Run::RT_Iteration || r.aggregate_name == "median";
      if (it != r.counters.end() && wanted) rate[r.run_name.function_name] = it->second.value / 1e6;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> rate;
};

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bool ok = SameOutput(Generated(), "generated text");
  if (!Tokyo().empty()) ok &= SameOutput(Tokyo(), "13TOKYO.CSV");
  if (!ok) return 1;
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char *set : {"Generated", "Tokyo"}) {
    double platform = reporter.rate[std::string("BM_") + set + "_Platform"];
    double iconv = reporter.rate[std::string("BM_") + set + "_Iconv"];
    if (platform > 0 && iconv > 0)
      std::printf("%-9s platform %8.1f MB/s   iconv %8.1f MB/s   platform/iconv %.2f\n", set,
                  platform, iconv, platform / iconv);
  }
  benchmark::Shutdown();
  return 0;
}
