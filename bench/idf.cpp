// Reading and writing input files: a generated input of about 100 MB over the
// classes of examples/Sample.idd, whether the time per object stays flat as one
// class fills up, and the hospital model of the corpus read and written back.
//
//   bench_idf [benchmark options]
//   bench_idf --write-input=PATH   writes the generated input (for /usr/bin/time runs)

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "bench/CorpusPath.h"
#include "bench/Dictionaries.h"
#include "bench/DiscardingSink.h"
#include "bench/IdfGenerator.h"
#include "bench/ScratchFolder.h"
#include "output/IdfFile.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"
#include "base/Text.h"

namespace {

using namespace verdanto;
namespace fs = std::filesystem;

constexpr std::size_t kGeneratedBytes = 100u << 20;

using bench::DiscardingSink;

using bench::CountingPrompter;
using bench::LoadedDictionary;
using bench::SampleDictionary;

// The generated input, made once and kept as text and as a file.
const std::string& GeneratedText() {
  static const std::string text = [] {
    auto store = LoadedDictionary(SampleDictionary());
    return store ? bench::GenerateInput(*store, kGeneratedBytes) : std::string();
  }();
  return text;
}

const std::string& GeneratedFile() {
  static const std::string path = [] {
    const fs::path file = bench::ScratchFolder() / "generated.idf";
    std::ofstream(file, std::ios::binary).write(GeneratedText().data(), static_cast<std::streamsize>(GeneratedText().size()));
    return file.string();
  }();
  return path;
}

// Reads `path` (or, when empty, `text`) into a fresh copy of the dictionary per iteration.
void Read(benchmark::State& state, const std::string& dictionary, const std::string& path, std::string_view text,
          std::size_t bytes) {
  NullProgress progress;
  CountingPrompter prompter;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = LoadedDictionary(dictionary);
    if (!store) {
      state.SkipWithError("the dictionary did not load");
      break;
    }
    state.ResumeTiming();
    if (path.empty())
      LoadInputText(text, *store, progress, prompter);
    else
      LoadInputFile(path, *store, progress, prompter);
    state.PauseTiming();
    store.reset();  // releasing the store is not part of reading
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  state.counters["messages"] = prompter.count;
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ReadGeneratedFile(benchmark::State& state) {
  Read(state, SampleDictionary(), GeneratedFile(), {}, GeneratedText().size());
}

void BM_ReadGeneratedText(benchmark::State& state) {
  Read(state, SampleDictionary(), {}, GeneratedText(), GeneratedText().size());
}

// The generated input read once, for the writing benchmarks.
Dictionary& GeneratedStore() {
  static const std::unique_ptr<Dictionary> store = [] {
    auto loaded = LoadedDictionary(SampleDictionary());
    NullProgress progress;
    CountingPrompter prompter;
    if (loaded) LoadInputText(GeneratedText(), *loaded, progress, prompter);
    return loaded;
  }();
  return *store;
}

void BM_WriteGeneratedToMemory(benchmark::State& state) {
  const Dictionary& store = GeneratedStore();
  const std::uint16_t layer[] = {0};
  std::size_t bytes = 0;
  for (auto _ : state) {
    DiscardingSink sink;
    WriteLayers(store, layer, true, sink);
    bytes = sink.bytes;
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  state.counters["same_size"] = bytes == GeneratedText().size();
}

void BM_WriteGeneratedFile(benchmark::State& state) {
  const Dictionary& store = GeneratedStore();
  const std::uint16_t layer[] = {0};
  const std::string path = (bench::ScratchFolder() / "written.idf").string();
  for (auto _ : state)
    if (WriteIdfFile(path, store, layer, true) != WriteResult::Ok) state.SkipWithError("the file was not written");
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

// Ten classes alike, so that one class of 60 000 objects and ten of 6 000 differ
// only in how full a class gets.
void BuildTenClasses(Dictionary& store) {
  const std::uint16_t g = store.AddGroup("Bench");
  for (int k = 0; k < 10; ++k) {
    const std::uint16_t c = store.AddClass(g, "Bench:Class" + std::to_string(k));
    for (int f = 0; f < 8; ++f) store.GetField(g, c, store.AddField(g, c, Format("A%d", f))).label = "Field";
  }
  store.BuildIndexes();
}

std::string TenClassInput(int classes, std::uint32_t perClass) {
  Dictionary store;
  BuildTenClasses(store);
  for (int k = 0; k < classes; ++k) bench::AddMadeUpObjects(store, 0, static_cast<std::uint16_t>(k), perClass);
  StringSink sink;
  const std::uint16_t layer[] = {bench::kGeneratedLayer};
  WriteLayers(store, layer, true, sink);
  return std::move(sink.text);
}

double ReadMilliseconds(std::string_view text) {
  Dictionary store;
  BuildTenClasses(store);
  NullProgress progress;
  CountingPrompter prompter;
  const auto start = std::chrono::steady_clock::now();
  LoadInputText(text, store, progress, prompter);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_ReadFlatness(benchmark::State& state) {
  const std::string one = TenClassInput(1, 60000);
  const std::string ten = TenClassInput(10, 6000);
  double oneBest = 1e300;
  double tenBest = 1e300;
  for (auto _ : state) {
    oneBest = std::min(oneBest, ReadMilliseconds(one));
    tenBest = std::min(tenBest, ReadMilliseconds(ten));
  }
  state.counters["one_class_ms"] = oneBest;
  state.counters["ten_classes_ms"] = tenBest;
  state.counters["ratio"] = oneBest / tenBest;
}

void BM_ReadHospital(benchmark::State& state) {
  const std::string dictionary = bench::CorpusFile("Energy+V6_0.idd");
  const std::string input = bench::CorpusFile("Hospital-V6_0.idf");
  if (dictionary.empty() || input.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  Read(state, dictionary, input, {}, fs::file_size(input));
}

void BM_WriteHospital(benchmark::State& state) {
  const std::string input = bench::CorpusFile("Hospital-V6_0.idf");
  auto store = LoadedDictionary(bench::CorpusFile("Energy+V6_0.idd"));
  if (!store || input.empty()) return state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
  NullProgress progress;
  CountingPrompter prompter;
  LoadInputFile(input, *store, progress, prompter);
  const std::uint16_t layer[] = {0};
  const std::string path = (bench::ScratchFolder() / "hospital.idf").string();
  for (auto _ : state)
    if (WriteIdfFile(path, *store, layer, true) != WriteResult::Ok) state.SkipWithError("the file was not written");
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

}  // namespace

BENCHMARK(BM_ReadGeneratedFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadGeneratedText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteGeneratedToMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteGeneratedFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReadFlatness)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadHospital)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHospital)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--write-input=", 14) == 0) {
      const std::string& text = GeneratedText();
      std::ofstream(argv[i] + 14, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
      return text.empty() ? 1 : 0;
    }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
