// Feeds any bytes to the input-file reader, then checks that nothing is lost:
// writing what was read, reading that back and writing it again gives the same
// bytes, without a message on the second reading.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "output/IdfWriter.h"
#include "store/IdfReader.h"
#include "tests/support/StoreDump.h"

namespace {

using namespace verdanto;

class CountingPrompter final : public Prompter {
 public:
  int count = 0;
  Answer Show(std::string_view, std::string_view, Icon, Buttons) override {
    ++count;
    return Answer::Ok;
  }
};

Dictionary& SampleStore() {
  static Dictionary* store = [] {
    auto* made = new Dictionary;
    testing::BuildSampleDictionary(*made);
    return made;
  }();
  return *store;
}

Dictionary& SecondStore() {
  static Dictionary* store = [] {
    auto* made = new Dictionary;
    testing::BuildSampleDictionary(*made);
    return made;
  }();
  return *store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Dictionary& first = SampleStore();
  Dictionary& second = SecondStore();
  NullProgress progress;
  CountingPrompter prompter;
  LoadInputText(std::string_view(reinterpret_cast<const char*>(data), size), first, progress, prompter);

  const std::uint16_t layer[] = {0};
  for (const bool comments : {true, false}) {
    StringSink written;
    WriteLayers(first, layer, comments, written);
    CountingPrompter quiet;
    LoadInputText(written.text, second, progress, quiet);
    StringSink again;
    WriteLayers(second, layer, comments, again);
    if (quiet.count != 0 || again.text != written.text) std::abort();
    second.DeleteLayerObjects(0);
  }
  first.DeleteLayerObjects(0);
  return 0;
}
