// Drawings: reading a DXF file of 100 000 lines and computing its extents (the
// work behind opening it and zooming to extents), and picking the nearest of
// those lines (target: under 50 ms).

#include <benchmark/benchmark.h>

#include <string>

#include "drawing/DxfFile.h"
#include "drawing/Pick.h"
#include "LinesDxf.h"

namespace {

using namespace verdanto;
using bench::LinesDxf;

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
