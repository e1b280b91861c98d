// The stand-in host with a drawing of 100 000 lines (offscreen): opening it as
// the OPEN command does (reading, extents, zoom) with the first paint of the
// view (target: under 1 s), and a pick as a click makes it, through the view's
// transform to the nearest line, highlighted and painted (target: under 50 ms).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "CadHostWindow.h"
#include "LinesDxf.h"

namespace {

// The drawing as a file, written once, as OPEN reads it.
const std::string& LinesFile() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / ("verdanto-bench-lines-" + std::to_string(getpid()) + ".dxf");
    std::ofstream(file, std::ios::binary) << verdanto::bench::LinesDxf();
    return file.string();
  }();
  return path;
}

QWidget& ViewOf(cadhost::CadHostWindow& host) { return *host.findChild<QWidget*>(QStringLiteral("drawingArea")); }

void BM_CadHostOpenLinesAndPaint(benchmark::State& state) {
  cadhost::CadHostWindow host;
  host.show();
  const QString open = QStringLiteral("OPEN ") + QString::fromStdString(LinesFile());
  for (auto _ : state) {
    host.RunCommandLine(open);
    benchmark::DoNotOptimize(ViewOf(host).grab());
  }
  state.counters["entities"] = static_cast<double>(host.Cad().drawing().size());
}
BENCHMARK(BM_CadHostOpenLinesAndPaint)->Unit(benchmark::kMillisecond);

// A pick prompt answered by a click: the prompt shown (the view repaints), the nearest line within
// a few pixels found through the view's transform, highlighted and painted. Some clicks fall
// between the strokes: the plug-in would hear Empty and ask again ("hits" says how many hit).
void BM_CadHostPickByClick(benchmark::State& state) {
  cadhost::CadHostWindow host;
  host.show();
  host.RunCommandLine(QStringLiteral("OPEN ") + QString::fromStdString(LinesFile()));
  QWidget& view = ViewOf(host);
  view.grab();
  int picked = 0;
  double x = 10;
  for (auto _ : state) {
    x = x > view.width() - 20 ? 10 : x + 7.3;
    const QPointF at(x, view.height() / 2.0);
    QTimer::singleShot(0, &view, [&view, at] {
      QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(&view, &press);
    });
    picked += host.PickEntity("\nSelect: ").status == verdanto::PromptStatus::Ok ? 1 : 0;
    view.grab();
    host.PostCommandPrompt();
  }
  state.counters["hits"] = benchmark::Counter(picked, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CadHostPickByClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(LinesFile());
  return 0;
}
