// Drawings: reading a DXF file of 100 000 lines and computing its extents (the
// work behind opening it and zooming to extents), and picking the nearest of
// those lines (target: under 50 ms).

#include <benchmark/benchmark.h>

#include <string>

#include "drawing/DxfFile.h"
#include "drawing/Pick.h"

namespace {

using namespace verdanto;

constexpr int kLines = 100000;

// Lines in a 1000 x 100 grid of short diagonal strokes, as text DXF.
const std::string& LinesDxf() {
  static const std::string text = [] {
    std::string out = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < kLines; ++i) {
      const int x = i % 1000;
      const int y = i / 1000;
      out += "0\nLINE\n5\n" + std::to_string(i + 0x100) + "\n8\nGrid\n10\n" + std::to_string(x) + "\n20\n" +
             std::to_string(y) + "\n30\n0\n11\n" + std::to_string(x) + ".5\n21\n" + std::to_string(y) +
             ".5\n31\n0\n";
    }
    return out + "0\nENDSEC\n0\nEOF\n";
  }();
  return text;
}

void BM_ReadDxfAndExtents(benchmark::State& state) {
  const std::string& text = LinesDxf();
  for (auto _ : state) {
    Drawing drawing;
    if (!LoadDxfText(text, drawing).ok) state.SkipWithError("not read");
    benchmark::DoNotOptimize(DrawingExtents(drawing));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadDxfAndExtents)->Unit(benchmark::kMillisecond);

void BM_PickNearestOfManyLines(benchmark::State& state) {
  Drawing drawing;
  LoadDxfText(LinesDxf(), drawing);
  double x = 0;
  for (auto _ : state) {
    x = x > 990 ? 0 : x + 7.3;
    benchmark::DoNotOptimize(NearestEntity(drawing, ViewPlane{}, x, 42.2, 0.3));
  }
}
BENCHMARK(BM_PickNearestOfManyLines)->Unit(benchmark::kMillisecond);

}  // namespace
