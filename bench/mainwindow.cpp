// The main window with the hospital model of the corpus: opening it into a
// layer (reading, handing the objects to the layer, the Qt class tree
// following), switching that layer off and on, and selecting objects. Each
// measurement includes the events Qt processes afterwards (layout, painting
// offscreen). The window is the real CMainDialog; only the file chooser and the
// loading dialog are replaced by direct calls.
//
//   bench_mainwindow [benchmark options]

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTreeView>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "bench/CorpusPath.h"
#include "host/QuietHost.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"
#include "base/Platform.h"
#include "ui/models/LayersBoxModel.h"
#include "ui/models/MainWindowModel.h"
#include "ui/qt/CMainDialog.h"
#include "ui/qt/ClassTreeModel.h"

namespace {

using namespace verdanto;

const std::string kDictionary = "Energy+V6_0.idd";
const std::string kHospital = "Hospital-V6_0.idf";

class CountingPrompter final : public Prompter {
 public:
  int count = 0;
  Answer Show(std::string_view, std::string_view, Icon, Buttons) override {
    ++count;
    return Answer::No;
  }
};

class FixedChooser final : public FileChooser {
 public:
  std::string path;
  int copies = 1;  // the same file chosen this many times: one layer with that many copies
  std::optional<std::vector<std::string>> OpenFiles(std::string_view, std::string_view) override {
    return std::vector<std::string>(static_cast<std::size_t>(copies), path);
  }
  std::optional<std::string> OpenFile(std::string_view, std::string_view) override { return path; }
  std::optional<std::string> SaveFile(std::string_view, std::string_view, std::string_view, bool) override {
    return std::nullopt;
  }
};

class DirectRunner final : public LoadRunner {
 public:
  Prompter* prompter = nullptr;
  bool Run(LoadKind kind, const std::string& path, Dictionary& store) override {
    NullProgress progress;
    return kind == LoadKind::LoadIdd ? LoadDictionary(path, store, progress, *prompter)
                                     : LoadInputFile(path, store, progress, *prompter);
  }
};

class NoConversions final : public ConversionRunner {
 public:
  std::optional<std::string> Run(std::string_view, std::string_view, std::string_view) override {
    return std::nullopt;
  }
};

// One main window over the corpus dictionary, shown offscreen.
struct Window {
  QuietHost host;
  CountingPrompter prompter;
  FixedChooser chooser;
  DirectRunner runner;
  NoConversions conversions;
  std::string settings = (std::filesystem::temp_directory_path() / "verdanto-bench-mainwindow.ini").string();
  std::unique_ptr<CMainDialog> dialog;
  QTreeView* tree = nullptr;

  bool Create(bool expanded) {
    std::ofstream(settings, std::ios::binary) << "[IDD PATH]\r\n" << bench::CorpusFile(kDictionary);
    runner.prompter = &prompter;
    dialog = std::make_unique<CMainDialog>(host, &host, Platform{prompter, chooser, runner, conversions}, settings,
                                           [] {});
    chooser.path = bench::CorpusFile(kHospital);
    if (!dialog->Create()) return false;
    tree = dialog->findChild<QTreeView*>("classTree");
    if (expanded) dialog->findChild<QAction*>("openAllAction")->trigger();
    QApplication::processEvents();
    return true;
  }
  void OpenHospital() {
    dialog->findChild<QAction*>("openFilenameLayerAction")->trigger();
    QApplication::processEvents();
  }
  MainWindowModel& Model() { return dialog->Model(); }
  QModelIndex FirstObject() const {
    const QAbstractItemModel& items = *tree->model();
    for (int g = 0; g < items.rowCount(); ++g)
      for (int c = 0; c < items.rowCount(items.index(g, 0)); ++c) {
        const QModelIndex cls = items.index(c, 0, items.index(g, 0));
        if (items.rowCount(cls) > 0) return items.index(0, 0, cls);
      }
    return {};
  }
  int HospitalLayer() { return Model().layers.FindLayerByName("Hospital-V6_0"); }
  ~Window() { std::remove(settings.c_str()); }
};

bool CorpusThere(benchmark::State& state) {
  if (!bench::CorpusFile(kDictionary).empty() && !bench::CorpusFile(kHospital).empty()) return true;
  state.SkipWithError("corpus files not found (set VERDANTO_CORPUS)");
  return false;
}

// Opening the hospital into its file-name layer; arg 1: with the tree opened all.
void BM_OpenHospital(benchmark::State& state) {
  if (!CorpusThere(state)) return;
  std::size_t objects = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Window window;
    if (!window.Create(state.range(0) != 0)) {
      state.SkipWithError("dictionary not loaded");
      return;
    }
    state.ResumeTiming();
    window.OpenHospital();
    state.PauseTiming();
    objects = window.Model().layers.At(window.HospitalLayer()).objectCount;
    window.dialog.reset();
    state.ResumeTiming();
  }
  state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK(BM_OpenHospital)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// A lamp click on the hospital's layer in the layers box; first arg 0 switches it
// off, 1 on (the other click is not timed), 2 off with the tree opened all; the
// second arg is how many copies of the hospital the layer holds.
void BM_LampClick(benchmark::State& state) {
  if (!CorpusThere(state)) return;
  const bool on = state.range(0) == 1;
  Window window;
  if (!window.Create(state.range(0) == 2)) {
    state.SkipWithError("dictionary not loaded");
    return;
  }
  window.chooser.copies = static_cast<int>(state.range(1));
  window.OpenHospital();
  state.counters["objects"] = window.Model().layers.At(window.HospitalLayer()).objectCount;
  LayersBoxModel box(window.Model().layers);
  const int layer = window.HospitalLayer();
  const int lamp = kLayerImageWidth + 5;
  // The selection sits on an object of the hospital's layer, as after choosing it.
  window.tree->setCurrentIndex(window.FirstObject());
  for (auto _ : state) {
    if (on) {
      state.PauseTiming();
      box.ClickListEntry(layer, lamp);
      QApplication::processEvents();
      state.ResumeTiming();
    }
    box.ClickListEntry(layer, lamp);
    QApplication::processEvents();
    if (!on) {
      state.PauseTiming();
      box.ClickListEntry(layer, lamp);
      QApplication::processEvents();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_LampClick)
    ->ArgsProduct({{0, 1, 2}, {1, 20}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// Selecting objects in the tree: within one class (only the value column is
// renewed) and alternating between the two classes with the most objects.
void BM_SelectObjects(benchmark::State& state) {
  if (!CorpusThere(state)) return;
  Window window;
  if (!window.Create(true)) {
    state.SkipWithError("dictionary not loaded");
    return;
  }
  window.OpenHospital();
  QAbstractItemModel& tree = *window.tree->model();
  // The two classes with the most object items.
  QModelIndex largest, second;
  for (int g = 0; g < tree.rowCount(); ++g) {
    const QModelIndex group = tree.index(g, 0);
    for (int c = 0; c < tree.rowCount(group); ++c) {
      const QModelIndex cls = tree.index(c, 0, group);
      if (!largest.isValid() || tree.rowCount(cls) > tree.rowCount(largest)) {
        second = largest;
        largest = cls;
      } else if (!second.isValid() || tree.rowCount(cls) > tree.rowCount(second)) {
        second = cls;
      }
    }
  }
  const bool sameClass = state.range(0) == 0;
  int row = 0;
  for (auto _ : state) {
    const QModelIndex& cls = sameClass || row % 2 == 0 ? largest : second;
    window.tree->setCurrentIndex(tree.index(row % tree.rowCount(cls), 0, cls));
    QApplication::processEvents();
    ++row;
  }
  state.counters["largest class objects"] = tree.rowCount(largest);
}
BENCHMARK(BM_SelectObjects)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
