// Opening the field editor on an object-list field whose names come from a class
// of 10 000 objects (the aim: under 100 ms), and what the user does next with
// such a list: dropping it down and switching the layer filter. Opening includes
// the events Qt processes until the window is drawn (offscreen); the model alone
// is measured too, to tell its share from the window's.
//
//   bench_fieldeditor [benchmark options]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <memory>

#include "layers/LayerList.h"
#include "store/Dictionary.h"
#include "base/Platform.h"
#include "base/Text.h"
#include "ui/models/FieldEditorModel.h"
#include "ui/qt/CFieldDialog.h"

namespace {

using namespace verdanto;

constexpr int kZones = 10000;

class NoPrompter final : public Prompter {
 public:
  Answer Show(std::string_view, std::string_view, Icon, Buttons) override { return Answer::No; }
};

class NoConverter final : public ConversionRunner {
 public:
  std::optional<std::string> Run(std::string_view, std::string_view, std::string_view) override {
    return std::nullopt;
  }
};

// Zone (A1 \reference ZoneNames) with kZones objects in layer "0" and half as many
// in layer "Other" under the same names in capitals; Surface (A1, A2 \object-list
// ZoneNames) with one object.
struct Store {
  Dictionary store;
  LayerList layers;
  std::uint16_t g = 0, surface = 0;

  Store() {
    g = store.AddGroup("Thermal Zones and Surfaces");
    const auto zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "ZoneNames");
    surface = store.AddClass(g, "BuildingSurface:Detailed");
    store.AddField(g, surface, "A1");
    const auto zoneName = store.AddField(g, surface, "A2");
    store.GetField(g, surface, zoneName).SetType(FieldType::ObjectList);
    store.AddRefName(g, surface, zoneName, "ZoneNames");
    store.BuildIndexes();
    layers.AddLayer("0", "");
    layers.SetCurrentLayer(0);
    const auto other = layers.At(layers.AddLayer("Other", "")).id;
    for (int i = 0; i < kZones; ++i)
      store.GetValue(g, zone, 0, store.AddObject(g, zone, kLayerZeroId)).value = Format("Zone %05d Office", i);
    for (int i = 0; i < kZones; i += 2)
      store.GetValue(g, zone, 0, store.AddObject(g, zone, other)).value = Format("ZONE %05d OFFICE", i);
    // A name in no list: the value box searches every entry for it.
    store.GetValue(g, surface, 1, store.AddObject(g, surface, kLayerZeroId)).value = "Zone 99999 Office";
  }
};

NoPrompter prompter;
NoConverter converter;

void BM_FieldEditorModelOpens(benchmark::State& state) {
  Store s;
  const auto filter = static_cast<LayerFilter>(state.range(0));
  std::size_t offered = 0;
  for (auto _ : state) {
    FieldEditorModel model(s.store, s.layers, {s.g, s.surface, 0, 1}, filter, prompter, converter);
    offered = model.offeredValues.size();
    benchmark::DoNotOptimize(offered);
  }
  state.counters["offered"] = static_cast<double>(offered);
}
BENCHMARK(BM_FieldEditorModelOpens)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arg: the filter the editor opens with (0 only current, 1 only on).
void BM_FieldEditorOpens(benchmark::State& state) {
  Store s;
  const auto filter = static_cast<LayerFilter>(state.range(0));
  int offered = 0;
  for (auto _ : state) {
    auto dialog = std::make_unique<CFieldDialog>(s.store, s.layers, s.g, s.surface, 0, 1, filter, prompter, converter);
    dialog->show();
    QApplication::processEvents();
    state.PauseTiming();
    offered = dialog->findChild<QComboBox*>("valueBox")->count();
    dialog.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["offered"] = offered;
}
BENCHMARK(BM_FieldEditorOpens)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Dropping the list of names down, and switching the filter back and forth.
void BM_FieldEditorListActions(benchmark::State& state) {
  Store s;
  CFieldDialog dialog(s.store, s.layers, s.g, s.surface, 0, 1, LayerFilter::OnlyCurrent, prompter, converter);
  dialog.show();
  QApplication::processEvents();
  auto* box = dialog.findChild<QComboBox*>("valueBox");
  QRadioButton* radios[] = {dialog.findChild<QRadioButton*>("onlyCurrentRadio"),
                            dialog.findChild<QRadioButton*>("onlyOnRadio")};
  int next = 1;
  for (auto _ : state) {
    if (state.range(0) == 0) {
      box->showPopup();
      QApplication::processEvents();
      state.PauseTiming();
      box->hidePopup();
      QApplication::processEvents();
      state.ResumeTiming();
    } else {
      radios[next]->click();
      QApplication::processEvents();
      next = 1 - next;
    }
  }
}
BENCHMARK(BM_FieldEditorListActions)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform says at every drop-down that it cannot raise or grab; that would bury the figures.
  static QtMessageHandler shown = nullptr;
  shown = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QStringLiteral("This plugin does not support"))) shown(type, context, message);
  });
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
