#include "cli/ObjectArgs.h"

#include <cstdio>
#include <cstdlib>

namespace verdanto::cli {

// A whole decimal number from `min` on; false for anything else.
bool ReadCount(const std::string& text, long min, long& value) {
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && value >= min && value <= 0xFFFF;
}

bool MakeCurrentLastInput(const LoadedInputs& loaded, LayerList& layers) {
  for (auto input = loaded.inputs.rbegin(); input != loaded.inputs.rend(); ++input)
    if (input->read) {
      layers.SetCurrentLayer(layers.ItemOfLayerId(input->layerId));
      return true;
    }
  return false;
}

bool FindObjectClass(const Dictionary& store, const std::string& name, std::uint16_t& g, std::uint16_t& c,
                     const char* command) {
  if (store.FindClass(name, g, c)) return true;
  std::fprintf(stderr, "verdanto %s: the dictionary has no class \"%s\"\n", command, name.c_str());
  return false;
}

bool ReadObjectNumber(const Dictionary& store, std::uint16_t g, std::uint16_t c, const std::string& text,
                      std::uint16_t& object, const char* command) {
  long number = 0;
  const auto count = store.GetClass(g, c).objectCount();
  if (ReadCount(text, 1, number) && number <= count) {
    object = static_cast<std::uint16_t>(number - 1);
    return true;
  }
  std::fprintf(stderr, "verdanto %s: --object %s: the inputs hold %u objects of %s\n", command, text.c_str(),
               static_cast<unsigned>(count), store.GetClass(g, c).name.str().c_str());
  return false;
}

}  // namespace verdanto::cli
