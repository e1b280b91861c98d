// Reading the dictionary of EnergyPlus 8.8 from the corpus, as it is (LF) and
// converted to CR LF line ends.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "bench/CorpusPath.h"
#include "bench/Dictionaries.h"
#include "base/WholeFile.h"
#include "store/IddReader.h"

namespace {

constexpr const char* kDictionary = "Energy+V8_8_0.idd";

using verdanto::bench::CountingPrompter;

// A copy of the dictionary with every LF turned into CR LF, written once and
// removed when the program ends.
class CrLfCopy {
 public:
  explicit CrLfCopy(const std::string& source) {
    verdanto::WholeFile file;
    if (file.Read(source) != verdanto::ReadStatus::Ok) return;
    const std::string_view text = file.text();
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
      if (c == '\n' && (converted.empty() || converted.back() != '\r')) converted += '\r';
      converted += c;
    }
    const auto path = std::filesystem::temp_directory_path() /
                      ("verdanto-bench-crlf-" + std::to_string(::getpid()) + ".idd");
    std::ofstream(path, std::ios::binary).write(converted.data(), static_cast<std::streamsize>(converted.size()));
    path_ = path.string();
  }
  ~CrLfCopy() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void ReadDictionary(benchmark::State& state, const std::string& path) {
  if (path.empty()) {
    state.SkipWithError("corpus file missing (set VERDANTO_CORPUS)");
    return;
  }
  const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
  verdanto::NullProgress progress;
  CountingPrompter prompter;
  for (auto _ : state) {
    auto store = std::make_unique<verdanto::Dictionary>();
    if (!verdanto::LoadDictionary(path, *store, progress, prompter)) {
      state.SkipWithError("the dictionary did not load");
      break;
    }
    // Releasing the store is not part of reading it.
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["messages"] = prompter.count;
}

void BM_ReadDictionaryLf(benchmark::State& state) { ReadDictionary(state, verdanto::bench::CorpusFile(kDictionary)); }

void BM_ReadDictionaryCrLf(benchmark::State& state) {
  const std::string source = verdanto::bench::CorpusFile(kDictionary);
  if (source.empty()) return ReadDictionary(state, source);
  static const CrLfCopy copy(source);
  ReadDictionary(state, copy.path());
}

}  // namespace

BENCHMARK(BM_ReadDictionaryLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDictionaryCrLf)->Unit(benchmark::kMillisecond);
