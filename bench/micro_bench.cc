// Microbenchmarks of the routines a run spends its time in, on the real
// data file that the build puts beside the program. Each also reports its
// heap allocations per call ("allocs").
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "element/report.h"
#include "files/line_reader.h"
#include "files/record.h"
#include "formula/formula.h"
#include "text/fold.h"

namespace {
std::atomic<long long> allocations{0};
}  // namespace

void* operator new(size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

// Runs `call` in the benchmark loop and counts the allocations it makes.
template <typename Call>
void Measure(benchmark::State& state, Call call) {
  const long long before = allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(call());
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(allocations.load() - before),
                                                benchmark::Counter::kAvgIterations);
}

// The data file's lines: [0] the titles, [i] the element with atomic number i.
const std::vector<std::string>& DataLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> read;
    std::unique_ptr<LineReader> reader = LineReader::Open(KORVATEX_DATA_FILE);
    if (!reader) {
      std::fprintf(stderr, "cannot open %s\n", KORVATEX_DATA_FILE);
      std::exit(1);
    }
    for (std::string line; reader->ReadLine(&line);) read.push_back(line);
    return read;
  }();
  return lines;
}

const ElementLines& Elements() {
  static const ElementLines elements = [] {
    ElementLines slots;
    for (size_t i = 0; i < slots.size() && i + 1 < DataLines().size(); ++i) {
      slots[i] = DataLines()[i + 1];
    }
    return slots;
  }();
  return elements;
}

// "((...(H2O)...))": `depth` nested groups around water.
std::string Nested(int depth) { return std::string(depth, '(') + "H2O" + std::string(depth, ')'); }

// A formula of the longest accepted length, kMaxFormulaLength bytes.
std::string LongFormula() {
  std::string text;
  for (int i = 0; i < 44; ++i) text += "K4[Fe(CN)6]";
  return text + ".5H2O.3Ca(OH)2H";
}

void BM_FoldFullWidth(benchmark::State& state, std::string_view text) {
  Measure(state, [&] { return FoldFullWidth(text); });
}
BENCHMARK_CAPTURE(BM_FoldFullWidth, ascii, std::string_view("CuSO4.5H2O"));
BENCHMARK_CAPTURE(BM_FoldFullWidth, full_width, std::string_view("ＣｕＳＯ４・５Ｈ２Ｏ"));

// Opening the data file and reading all its lines, as the /W command does.
void BM_ReadDataFile(benchmark::State& state) {
  Measure(state, [] {
    std::unique_ptr<LineReader> reader = LineReader::Open(KORVATEX_DATA_FILE);
    int count = 0;
    for (std::string line; reader->ReadLine(&line);) ++count;
    return count;
  });
}
BENCHMARK(BM_ReadDataFile);

void BM_SplitRecord(benchmark::State& state) {
  const std::string& line = DataLines()[26];  // iron
  ElementRecord record;
  Measure(state, [&] { return SplitRecord(line, &record); });
}
BENCHMARK(BM_SplitRecord);

void BM_EvaluateFormula(benchmark::State& state, std::string formula) {
  WeightFlags flags;
  FormulaEvaluator evaluator(Elements(), 2, &flags);
  if (formula.size() > kMaxFormulaLength || !(evaluator.EvaluateFormula(formula) > 0)) {
    state.SkipWithError("not a valid formula");
  }
  Measure(state, [&] { return evaluator.EvaluateFormula(formula); });
}
BENCHMARK_CAPTURE(BM_EvaluateFormula, CuSO4_5H2O, std::string("CuSO4.5H2O"));
BENCHMARK_CAPTURE(BM_EvaluateFormula, nested_30, Nested(30));
BENCHMARK_CAPTURE(BM_EvaluateFormula, nested_165, Nested(165));  // 498 bytes
BENCHMARK_CAPTURE(BM_EvaluateFormula, long_499, LongFormula());

void BM_ComposeReport(benchmark::State& state) {
  ElementRecord titles;
  ElementRecord element;
  const int columns = SplitRecord(DataLines()[0], &titles);
  SplitRecord(DataLines()[state.range(0)], &element);
  Measure(state, [&] { return ComposeReport(titles, columns, element); });
}
BENCHMARK(BM_ComposeReport)->Arg(26)->Arg(80);

}  // namespace

BENCHMARK_MAIN();
