// What checking costs: `verdanto check` against `verdanto stats` on a generated
// input of about 100 MB over the classes of examples/Sample.idd (both read the
// input; check then checks every value and writes its report lines), the
// hospital model of the corpus checked, and the names an object-list field may
// take when the class that fills its list holds 65 535 objects.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/CorpusPath.h"
#include "bench/Dictionaries.h"
#include "bench/IdfGenerator.h"
#include "layers/LayerList.h"
#include "relations/ReferenceIndex.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"
#include "checks/OfferedValues.h"
#include "checks/StoreCheck.h"

namespace {

using namespace verdanto;

// CPU time of this thread: the machine the benchmarks share is often busy, and
// both sides of a comparison should be charged only for their own work.
double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

constexpr std::size_t kGeneratedBytes = 100u << 20;

using bench::CountingPrompter;
using bench::LoadedDictionary;
using bench::SampleDictionary;

const std::string& GeneratedText() {
  static const std::string text = [] {
    auto store = LoadedDictionary(SampleDictionary());
    return store ? bench::GenerateInput(*store, kGeneratedBytes) : std::string();
  }();
  return text;
}

// What stats does after reading: the count of objects per class, as lines.
std::size_t StatsLines(const Dictionary& store, std::string& out) {
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes)
      if (cls.objectCount() != 0)
        out.append(std::to_string(cls.objectCount())).append("\t").append(cls.name.view()) += '\n';
  return out.size();
}

// What check does after reading: every object of every class checked, one line per finding.
std::uint64_t CheckLines(const Dictionary& store, std::string& out) {
  StoreCheck check(store);
  std::uint64_t findings = 0;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c)
      findings += check.CheckObjects(g, c, 0, store.GetClass(g, c).objectCount(),
                                     [&](std::uint16_t o, std::uint16_t f, std::string_view text) {
                                       AppendFindingLine(out, "generated.idf", store, g, c, o, 0, f, text);
                                       out += '\n';
                                     });
  return findings;
}

// CPU time of reading the input into a fresh dictionary and of what follows the
// reading; loading the dictionary and releasing the store are left out of both.
template <typename AfterReading>
double ReadAndThen(const std::string& dictionary, std::string_view input, AfterReading after) {
  auto store = LoadedDictionary(dictionary);
  if (!store) return -1;
  NullProgress progress;
  CountingPrompter prompter;
  const double start = ThreadMilliseconds();
  LoadInputText(input, *store, progress, prompter);
  after(*store);
  const double elapsed = ThreadMilliseconds() - start;
  store.reset();
  return elapsed;
}

void CheckVersusStats(benchmark::State& state, const std::string& dictionary, std::string_view input) {
  if (dictionary.empty() || input.empty()) {
    state.SkipWithError("the dictionary or the input is missing");
    return;
  }
  double statsBest = 1e300, checkBest = 1e300;
  std::uint64_t findings = 0;
  for (auto _ : state) {
    std::string out;
    statsBest = std::min(statsBest, ReadAndThen(dictionary, input, [&](const Dictionary& s) { StatsLines(s, out); }));
    out.clear();
    checkBest = std::min(checkBest,
                         ReadAndThen(dictionary, input, [&](const Dictionary& s) { findings = CheckLines(s, out); }));
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["MB"] = static_cast<double>(input.size()) / 1e6;
  state.counters["stats_ms"] = statsBest;
  state.counters["check_ms"] = checkBest;
  state.counters["ratio"] = checkBest / statsBest;  // target: at most 3
  state.counters["findings"] = static_cast<double>(findings);
}

void BM_CheckVersusStatsGenerated(benchmark::State& state) {
  CheckVersusStats(state, SampleDictionary(), GeneratedText());
}

void BM_CheckVersusStatsHospital(benchmark::State& state) {
  static const std::string input = [] {
    std::string text;
    if (const auto path = bench::CorpusFile("Hospital-V6_0.idf"); !path.empty()) {
      std::ifstream file(path, std::ios::binary);
      text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return text;
  }();
  CheckVersusStats(state, bench::CorpusFile("Energy+V6_0.idd"), input);
}

// Zone fills the list "Zones" with 65 535 objects spread over three layers (one
// of them off); Surface names it.
struct CandidateStore {
  Dictionary store;
  LayerList layers;
  std::uint16_t g = 0, surface = 0;

  CandidateStore() {
    g = store.AddGroup("G");
    const auto zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "Zones");
    store.AddField(g, zone, "N1");
    surface = store.AddClass(g, "Surface");
    store.AddField(g, surface, "A1");
    store.AddRefName(g, surface, store.AddField(g, surface, "A2"), "Zones");
    store.GetField(g, surface, 1).SetType(FieldType::ObjectList);
    store.BuildIndexes();
    for (const char* name : {"0", "Second", "Third"}) layers.AddLayer(name, "");
    layers.SetLayerOn(2, false);
    for (std::uint32_t i = 0; i < kMaxCount; ++i) {
      const auto o = store.AddObject(g, zone, static_cast<std::uint16_t>(1 + i % 3));
      store.GetValue(g, zone, 0, o).value = "Thermal Zone " + std::to_string(i);
    }
  }
};

void BM_CandidateNames65535(benchmark::State& state) {
  static const CandidateStore fixture;
  std::size_t count = 0;
  for (auto _ : state) {
    const auto names =
        CandidateNames(fixture.store, fixture.layers, fixture.g, fixture.surface, 1, LayerFilter::OnlyOn);
    count = names.size();
    benchmark::DoNotOptimize(names.data());
  }
  state.counters["names"] = static_cast<double>(count);  // two layers of three are on
}

void BM_OfferedValues65535(benchmark::State& state) {
  static const CandidateStore fixture;
  std::size_t count = 0;
  for (auto _ : state) {
    const auto entries =
        OfferedValuesOnOpening(fixture.store, fixture.layers, fixture.g, fixture.surface, 1, LayerFilter::OnlyOn);
    count = entries.size();
    benchmark::DoNotOptimize(entries.data());
  }
  state.counters["entries"] = static_cast<double>(count);
}

}  // namespace

BENCHMARK(BM_CheckVersusStatsGenerated)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CheckVersusStatsHospital)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CandidateNames65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OfferedValues65535)->Unit(benchmark::kMillisecond);
