// Feeds any bytes to the input-file reader, then checks that nothing is lost:
// writing what was read, reading that back and writing it again gives the same
// bytes, without a message on the second reading.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "headless/HeadlessPlatform.h"
#include "output/IdfWriter.h"
#include "store/IdfReader.h"
#include "tests/support/StoreDump.h"

namespace {

using namespace verdanto;

// The same dictionary twice: the one read into, and the one the written text is read back into.
Dictionary& SampleStore(int which) {
  static Dictionary* stores = [] {
    auto* made = new Dictionary[2];
    for (int i = 0; i < 2; ++i) testing::BuildSampleDictionary(made[i]);
    return made;
  }();
  return stores[which];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Dictionary& first = SampleStore(0);
  Dictionary& second = SampleStore(1);
  NullProgress progress;
  RecordingPrompter prompter;
  LoadInputText(std::string_view(reinterpret_cast<const char*>(data), size), first, progress, prompter);

  const std::uint16_t layer[] = {0};
  for (const bool comments : {true, false}) {
    StringSink written;
    WriteLayers(first, layer, comments, written);
    RecordingPrompter quiet;
    LoadInputText(written.text, second, progress, quiet);
    StringSink again;
    WriteLayers(second, layer, comments, again);
    if (!quiet.messages.empty() || again.text != written.text) std::abort();
    second.DeleteLayerObjects(0);
  }
  first.DeleteLayerObjects(0);
  return 0;
}
