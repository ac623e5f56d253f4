// The record table on a generated address table of 12.5 and 50 MB, in UTF-8
// and in Shift-JIS: loading (read, classify, convert), counting the records
// on a fresh text, and reading every field as the data panel does. The two
// sizes show whether the time grows linearly with the table.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <stdio.h>
#include <stdlib.h>
#include <vplatform/paths.h>

#include <map>
#include <random>
#include <string>

#include "vardo/recordtable/recordtable.h"
#include "vardo/recordtable/recordtable_seams.h"

namespace {

const char *const kKanji[] = {"東京都",
                              "千代田区",
                              "中央区",
                              "港区",
                              "新宿区",
                              "文京区",
                              "飯田橋",
                              "一番町",
                              "岩本町",
                              "内神田",
                              "大手町",
                              "表参道",
                              "神保町",
                              "以下に掲載がない場合",
                              "丸の内（次のビルを除く）"};
const char *const kKana[] = {"ﾄｳｷｮｳﾄ",  "ﾁﾖﾀﾞｸ",    "ﾁｭｳｵｳｸ", "ﾐﾅﾄｸ",      "ｼﾝｼﾞｭｸｸ",
                             "ｲｲﾀﾞﾊﾞｼ", "ｲﾁﾊﾞﾝﾁｮｳ", "ｳﾁｶﾝﾀﾞ", "ｶﾝﾀﾞﾆｼｷﾁｮｳ"};
const char *const kNotes[] = {"\"備考, コンマ入り\"", "\"引用\"\"符\"", "\"改\r\n行\"", "", "注記"};

std::string ToShiftJis(const std::string &utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() + 16, '\0');
  char *in = const_cast<char *>(utf8.data());
  size_t inLeft = utf8.size();
  char *o = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) abort();
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// Rows like postal-code data, until the file in its encoding has `bytes`.
std::string MakeTable(size_t bytes, bool shiftJis) {
  std::mt19937 random(1);
  auto pick = [&](auto &list) { return list[random() % std::size(list)]; };
  std::string table;
  std::string header = "列0,列1,列2,列3,列4,列5,列6,列7,列8,列9,列10,列11,列12,列13,列14\r\n";
  table += shiftJis ? ToShiftJis(header) : header;
  while (table.size() < bytes) {
    std::string rows;
    for (int i = 0; i < 1000; ++i) {
      unsigned zip = 1000000 + random() % 1000000;
      rows += std::to_string(13101 + random() % 300) + ",\"" + std::to_string(zip / 10000) +
              "  \",\"" + std::to_string(zip) + "\",\"" + pick(kKana) + "\",\"" + pick(kKana) +
              "\",\"" + pick(kKana) + "\",\"" + pick(kKanji) + "\",\"" + pick(kKanji) + "\",\"" +
              pick(kKanji) + "\"," + std::to_string(random() % 2) + "," +
              std::to_string(random() % 2) + "," + std::to_string(random() % 2) + "," +
              pick(kNotes) + "," + std::to_string(random() % 10) + "," +
              std::to_string(random() % 3) + "\r\n";
    }
    table += shiftJis ? ToShiftJis(rows) : rows;
  }
  return table;
}

struct Sample {
  std::string file;  // Windows path of the generated file
  size_t fileBytes;
  std::string text;  // the table text it loads as
};

// Generated once per size and encoding, kept for the whole run.
const Sample &GetSample(size_t quarterMegabytes, bool shiftJis) {
  static std::map<std::pair<size_t, bool>, Sample> samples;
  auto key = std::make_pair(quarterMegabytes, shiftJis);
  auto found = samples.find(key);
  if (found != samples.end()) return found->second;
  std::string bytes = MakeTable(quarterMegabytes * 1000 * 1000 / 4, shiftJis);
  char name[64];
  snprintf(name, sizeof name, "/tmp/vardo-bench-%zu-%s.csv", quarterMegabytes,
           shiftJis ? "sjis" : "utf8");
  FILE *f = fopen(name, "wb");
  if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || fclose(f) != 0) abort();
  Sample sample;
  if (!vplat::WindowsPathFromLinux(name, sample.file)) abort();
  sample.fileBytes = bytes.size();
  if (!LoadCsvFile(sample.file.c_str())) abort();
  size_t length = 0;
  LPCSTR text = GetRecordTableText(&length);
  sample.text.assign(text, length);
  return samples.emplace(key, std::move(sample)).first->second;
}

// range(0): size in quarter megabytes (50 = 12.5 MB, 200 = 50 MB);
// range(1): 1 for Shift-JIS.
const Sample &SampleFor(const benchmark::State &state) {
  return GetSample(static_cast<size_t>(state.range(0)), state.range(1) != 0);
}

void SetRates(benchmark::State &state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void Load(benchmark::State &state) {
  const Sample &sample = SampleFor(state);
  for (auto _ : state) {
    state.PauseTiming();
    ClearRecordTable();  // else the unchanged file would keep the table
    state.ResumeTiming();
    if (!LoadCsvFile(sample.file.c_str())) state.SkipWithError("not loaded");
  }
  SetRates(state, sample.fileBytes);
}

// What a batch run pays per document for its unchanged file: the read and
// the comparison, with the table indexed as a run leaves it.
void ReloadUnchanged(benchmark::State &state) {
  const Sample &sample = SampleFor(state);
  if (!LoadCsvFile(sample.file.c_str())) state.SkipWithError("not loaded");
  CountRecords();
  for (auto _ : state) {
    if (!LoadCsvFile(sample.file.c_str())) state.SkipWithError("not loaded");
  }
  SetRates(state, sample.fileBytes);
}

void Count(benchmark::State &state) {
  const Sample &sample = SampleFor(state);
  LONG count = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SetRecordTableText(sample.text.data(), sample.text.size());  // a fresh text, nothing derived
    state.ResumeTiming();
    count = CountRecords();
    benchmark::DoNotOptimize(count);
  }
  state.counters["records"] = count;
  SetRates(state, sample.text.size());
}

void ReadEveryField(benchmark::State &state) {
  const Sample &sample = SampleFor(state);
  size_t fields = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SetRecordTableText(sample.text.data(), sample.text.size());
    state.ResumeTiming();
    fields = 0;
    for (LONG r = 0, n = CountRecords(); r < n; ++r) {
      for (LONG c = 0;; ++c) {
        LPSTR value = GetField(r, c);
        if (!value) break;
        benchmark::DoNotOptimize(value[0]);
        free(value);
        ++fields;
      }
    }
  }
  state.counters["fields"] = static_cast<double>(fields);
  SetRates(state, sample.text.size());
}

void Sizes(benchmark::internal::Benchmark *b) {
  b->ArgNames({"quarterMB", "sjis"});
  for (int sjis : {0, 1})
    for (int quarters : {50, 200}) b->Args({quarters, sjis});
  b->Unit(benchmark::kMillisecond)->MinTime(2.0);
}

BENCHMARK(Load)->Apply(Sizes);
BENCHMARK(ReloadUnchanged)->Apply(Sizes);
BENCHMARK(Count)->Apply(Sizes);
BENCHMARK(ReadEveryField)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
