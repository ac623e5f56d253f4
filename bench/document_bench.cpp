// A document's dump (`vardo doc tree`) as nesting grows: groups nested 250,
// 500 and 1,000 deep around one square, and the same number of groups side
// by side. Time per group should stay flat in both: bounds are found in one
// pass, whatever the depth.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document.h"
#include "documentdump.h"

namespace {

std::string Groups(int count, bool nested) {
  std::string svg = "<svg xmlns='http://www.w3.org/2000/svg'>";
  for (int i = 0; i < count; ++i) {
    svg += "<g transform='translate(1,0)'>";
    if (!nested) svg += "<rect width='1' height='1'/></g>";
  }
  if (nested) {
    svg += "<rect width='1' height='1'/>";
    for (int i = 0; i < count; ++i) svg += "</g>";
  }
  return svg + "</svg>";
}

void Dump(benchmark::State &state, bool nested) {
  const int count = static_cast<int>(state.range(0));
  std::string error;
  std::unique_ptr<vhost::Document> doc = vhost::Document::Parse(Groups(count, nested), &error);
  if (!doc) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(vhost::DescribeDocument(*doc));
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_DumpNested(benchmark::State &state) { Dump(state, true); }
void BM_DumpSideBySide(benchmark::State &state) { Dump(state, false); }
BENCHMARK(BM_DumpNested)->Arg(250)->Arg(500)->Arg(998);
BENCHMARK(BM_DumpSideBySide)->Arg(250)->Arg(500)->Arg(998);

}  // namespace

BENCHMARK_MAIN();
