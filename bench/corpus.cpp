// Real content at scale: the 5-zone model of the corpus repeated 100 and 300
// times and the hospital model repeated 30 times, made at run time in a scratch
// folder. Read and written in-process; read by a cold `verdanto stats` under
// /usr/bin/time -v for its MB/s and peak memory; `verdanto dict` on the 8.8
// dictionary; and one Schedule:Compact class filled to the 65 535-object limit.
//
// Targets: stats reads >= 150 MB/s with a peak of at most twice the file plus the
// dictionary's own; writing >= 300 MB/s; dict's "read:" <= 35 ms and peak <= 16 MB;
// the full Schedule:Compact class < 200 MB.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "base/Text.h"
#include "base/WholeFile.h"
#include "bench/CorpusPath.h"
#include "bench/Dictionaries.h"
#include "bench/DiscardingSink.h"
#include "bench/ScratchFolder.h"
#include "output/IdfWriter.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"

namespace {

using namespace verdanto;
namespace fs = std::filesystem;

// No to "go on reporting?": a faulty copy costs ten messages, not one per fault.
class QuietPrompter final : public Prompter {
 public:
  Answer Show(std::string_view, std::string_view, Icon, Buttons) override { return Answer::No; }
};

using bench::DiscardingSink;
using bench::LoadedDictionary;

struct Input {
  const char* label;
  const char* model;
  const char* dictionary;
  int copies;
};
constexpr Input kInputs[] = {
    {"5-zone x100", "5ZoneSupRetPlenRAB-V8_0.idf", "Energy+V8_0_0.idd", 100},
    {"5-zone x300", "5ZoneSupRetPlenRAB-V8_0.idf", "Energy+V8_0_0.idd", 300},
    {"Hospital x30", "Hospital-V6_0.idf", "Energy+V6_0.idd", 30},
};

// The model repeated, written once per run; empty when the corpus is absent.
std::string MadeInput(const Input& input) {
  const std::string model = bench::CorpusFile(input.model);
  if (model.empty() || bench::CorpusFile(input.dictionary).empty()) return {};
  const fs::path path = bench::ScratchFolder() / (std::string(input.model) + ".x" + std::to_string(input.copies));
  if (!fs::exists(path)) {
    std::ostringstream text;
    text << std::ifstream(model, std::ios::binary).rdbuf();
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < input.copies; ++i) out << text.str();
  }
  return path.string();
}

void BM_Read(benchmark::State& state, const Input& input) {
  const std::string path = MadeInput(input);
  if (path.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  NullProgress progress;
  QuietPrompter prompter;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = LoadedDictionary(bench::CorpusFile(input.dictionary));
    state.ResumeTiming();
    LoadInputFile(path, *store, progress, prompter);
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

void BM_Write(benchmark::State& state, const Input& input) {
  const std::string path = MadeInput(input);
  if (path.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  auto store = LoadedDictionary(bench::CorpusFile(input.dictionary));
  NullProgress progress;
  QuietPrompter prompter;
  LoadInputFile(path, *store, progress, prompter);
  const std::uint16_t layer[] = {0};
  std::size_t bytes = 0;
  for (auto _ : state) {
    DiscardingSink sink;
    WriteLayers(*store, layer, true, sink);
    bytes = sink.bytes;
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// Runs `verdanto <arguments>` under /usr/bin/time -v; the "read:" milliseconds
// and the peak resident kilobytes, or false when it could not be run.
bool RunTimed(const std::string& arguments, double& readMs, double& peakKb) {
  const std::string report = (bench::ScratchFolder() / "time.txt").string();
  const std::string command = "/usr/bin/time -v -o '" + report + "' '" VERDANTO_CLI "' " + arguments + " 2>/dev/null";
  FILE* out = ::popen(command.c_str(), "r");
  if (!out) return false;
  readMs = -1;
  char line[4096];
  while (std::fgets(line, sizeof line, out))
    if (std::sscanf(line, "read: %lf ms", &readMs) == 1) continue;
  ::pclose(out);
  peakKb = -1;
  std::ifstream times(report);
  for (std::string text; std::getline(times, text);)
    if (text.find("Maximum resident set size (kbytes):") != std::string::npos)
      peakKb = std::stod(text.substr(text.rfind(':') + 1));
  return readMs >= 0 && peakKb >= 0;
}

void BM_ColdStats(benchmark::State& state, const Input& input) {
  const std::string path = MadeInput(input);
  if (path.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  const std::string dictionary = bench::CorpusFile(input.dictionary);
  double dictPeakKb = 0;
  double ignored = 0;
  if (!RunTimed("dict '" + dictionary + "'", ignored, dictPeakKb)) return state.SkipWithError("verdanto did not run");
  const double megabytes = static_cast<double>(fs::file_size(path)) / 1e6;
  double readMs = 0;
  double peakKb = 0;
  for (auto _ : state)
    if (!RunTimed("stats --idd '" + dictionary + "' '" + path + "'", readMs, peakKb))
      return state.SkipWithError("verdanto did not run");
  state.counters["read_MB_per_s"] = megabytes / (readMs / 1000);
  state.counters["peak_MB"] = peakKb / 1024;
  // Target: at most 1; the dictionary's own peak is what `verdanto dict` needs.
  state.counters["peak_per_budget"] = peakKb / 1024 / (2 * megabytes + dictPeakKb / 1024);
}

void BM_ColdDict(benchmark::State& state) {
  const std::string dictionary = bench::CorpusFile("Energy+V8_8_0.idd");
  if (dictionary.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  double readMs = 0;
  double peakKb = 0;
  for (auto _ : state)
    if (!RunTimed("dict '" + dictionary + "'", readMs, peakKb)) return state.SkipWithError("verdanto did not run");
  state.counters["read_ms"] = readMs;
  state.counters["peak_MB"] = peakKb / 1024;
}

// Every object of the widest class with 20 values, as many objects as a class
// can hold; the heap it takes, dictionary apart.
void BM_ScheduleCompactAtLimit(benchmark::State& state) {
  const std::string dictionary = bench::CorpusFile("Energy+V8_8_0.idd");
  if (dictionary.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  std::string text;
  for (std::uint32_t o = 0; o < kMaxCount; ++o) {
    text += Format("Schedule:Compact,\r\n  Schedule %u,\r\n  Fraction,\r\n  Through: 12/31,\r\n  For: AllDays,\r\n", o);
    for (int k = 0; k < 8; ++k) text += Format("  Until: %02d:00, 0.%d,\r\n", 3 * k + 3, k);  // 20 values in all
    text.resize(text.size() - 3);
    text += ";\r\n";
  }
  double heapMb = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = LoadedDictionary(dictionary);
    const std::size_t before = ::mallinfo2().uordblks;
    state.ResumeTiming();
    NullProgress progress;
    QuietPrompter prompter;
    LoadInputText(text, *store, progress, prompter);
    state.PauseTiming();
    heapMb = static_cast<double>(::mallinfo2().uordblks - before) / 1e6;
    std::uint16_t g = 0;
    std::uint16_t c = 0;
    if (!store->FindClass("Schedule:Compact", g, c) || store->GetClass(g, c).objectCount() != kMaxCount)
      state.SkipWithError("the class was not filled");
    store.reset();
    state.ResumeTiming();
  }
  state.counters["heap_MB"] = heapMb;
}

}  // namespace

int main(int argc, char** argv) {
  for (const Input& input : kInputs) {
    const std::string label = input.label;
    benchmark::RegisterBenchmark(("Read/" + label).c_str(), BM_Read, input)->Unit(benchmark::kMillisecond)->Iterations(2);
    benchmark::RegisterBenchmark(("Write/" + label).c_str(), BM_Write, input)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark(("ColdStats/" + label).c_str(), BM_ColdStats, input)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  benchmark::RegisterBenchmark("ColdDict/Energy+V8_8_0", BM_ColdDict)->Unit(benchmark::kMillisecond)->Iterations(1);
  benchmark::RegisterBenchmark("ScheduleCompactAtLimit", BM_ScheduleCompactAtLimit)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
