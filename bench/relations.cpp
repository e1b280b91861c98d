// The relations tree on a zone of the hospital model of the corpus: building
// the root chain as the window opens, then opening every node down to three
// object levels below the zone, as a user expanding everything would, with the
// slowest single expansion reported ("slowest_ms"). Potentials are left out: in
// the Ascending flow every class that may name a zone offers one, and three
// levels of them are millions of nodes. Then `verdanto relations
// --depth 3` on the same zone, run as a process (dictionary and model read
// included).
//
//   bench_relations [benchmark options]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/CorpusPath.h"
#include "bench/Dictionaries.h"
#include "layers/OpenFiles.h"
#include "relations/RelationsTree.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"

namespace {

using namespace verdanto;
using Clock = std::chrono::steady_clock;

using bench::CountingPrompter;

constexpr std::uint16_t kZoneObject = 1;  // "ER_Exam1_Mult4_Flr_1": walls, windows, gains, equipment
constexpr int kLevels = 3;

struct Hospital {
  Dictionary store;
  LayerList layers;
  RelationRoot zone;
  bool loaded = false;

  Hospital() {
    const std::string idd = bench::CorpusFile("Energy+V6_0.idd"), idf = bench::CorpusFile("Hospital-V6_0.idf");
    NullProgress progress;
    CountingPrompter prompter;
    if (idd.empty() || idf.empty() || !LoadDictionary(idd, store, progress, prompter)) return;
    layers.AddLayer("0", "");
    if (!LoadInputFile(idf, store, progress, prompter)) return;
    const OpenTarget target = BeginOpen(layers, OpenMode::FilenameLayer, idf);
    ObjectTreeObserver noTree;
    FinishOpen(store, layers, target, noTree);
    layers.SetCurrentLayer(layers.ItemOfLayerId(target.layerId));
    loaded = store.FindClass("Zone", zone.group, zone.classNo) &&
             store.GetClass(zone.group, zone.classNo).objectCount() > kZoneObject;
    zone.hasObject = 1;
    zone.object = kZoneObject;
  }
};

const Hospital& TheHospital() {
  static const Hospital hospital;
  return hospital;
}

// OpenObjectLevels, with each expansion timed on its own.
void OpenTimed(RelationsTree& tree, RelationNode& node, int objectLevel, double& slowest, int& expansions) {
  if (node.children.empty()) return;
  if (node.Kind() == 'O') ++objectLevel;
  if (objectLevel >= kLevels) return;
  const auto start = Clock::now();
  tree.Expand(node);
  slowest = std::max(slowest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  ++expansions;
  for (const auto& child : node.children) OpenTimed(tree, *child, objectLevel, slowest, expansions);
}

void BM_RelationsOpenAndExpand(benchmark::State& state) {
  const Hospital& hospital = TheHospital();
  if (!hospital.loaded) {
    state.SkipWithError("corpus files not found (set VERDANTO_CORPUS)");
    return;
  }
  const RelationsOptions options{static_cast<Flow>(state.range(0)), LayerFilter::OnlyOn, state.range(1) != 0};
  double slowest = 0, opening = 0;
  int expansions = 0;
  std::size_t lines = 0;
  for (auto _ : state) {
    RelationsTree tree(hospital.store, hospital.layers, hospital.zone, options);
    const auto start = Clock::now();
    tree.BuildRoot();
    opening = std::max(opening, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    expansions = 0;
    for (const auto& node : tree.TopNodes()) OpenTimed(tree, *node, -1, slowest, expansions);
    state.PauseTiming();
    const std::string dump = tree.Dump();
    lines = static_cast<std::size_t>(std::count(dump.begin(), dump.end(), '\n'));
    state.ResumeTiming();
  }
  state.counters["open_ms"] = opening;
  state.counters["slowest_ms"] = slowest;
  state.counters["expansions"] = expansions;
  state.counters["nodes"] = static_cast<double>(lines);
}
BENCHMARK(BM_RelationsOpenAndExpand)
    ->ArgNames({"ascending", "potential"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

void BM_RelationsCommand(benchmark::State& state) {
  const std::string idd = bench::CorpusFile("Energy+V6_0.idd"), idf = bench::CorpusFile("Hospital-V6_0.idf");
  if (idd.empty() || idf.empty()) {
    state.SkipWithError("corpus files not found (set VERDANTO_CORPUS)");
    return;
  }
  const std::string command = std::string("'") + VERDANTO_CLI + "' relations --idd '" + idd +
                              "' --ascending --depth 3 --class Zone --object " + std::to_string(kZoneObject + 1) +
                              " '" + idf + "' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("verdanto relations failed");
}
BENCHMARK(BM_RelationsCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
