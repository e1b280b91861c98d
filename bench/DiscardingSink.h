#pragma once
// An output sink that only counts what the writer gives it, so that a writing
// benchmark measures the writer and not a file system.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string_view>

#include "output/IdfWriter.h"

namespace verdanto::bench {

class DiscardingSink final : public OutputSink {
 public:
  std::size_t bytes = 0;
  bool Write(std::string_view text) override {
    bytes += text.size();
    benchmark::DoNotOptimize(text.data());
    return true;
  }
};

}  // namespace verdanto::bench
