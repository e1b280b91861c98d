// The dictionary reader on arbitrary bytes: it must neither crash nor leave a
// store of the wrong shape.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "headless/HeadlessPlatform.h"
#include "store/IddReader.h"
#include "base/Text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Loaded means at least one group; every group has a class, every class a field,
// every class is found by its name, and every reference name is linked.
void CheckShape(const verdanto::Dictionary& store, bool loaded) {
  Require(loaded == (store.GroupCount() > 0));
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g) {
    Require(store.ClassCount(g) > 0);
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) {
      const verdanto::DictClass& cls = store.GetClass(g, c);
      Require(cls.fieldCount() > 0);
      std::uint16_t foundGroup = 0, foundClass = 0;
      Require(store.FindClass(cls.name, foundGroup, foundClass));
      Require(verdanto::EqualsNoCase(store.GetClass(foundGroup, foundClass).name, cls.name));
      for (const verdanto::DictField& field : cls.fields) {
        Require(field.refNameLinks.size() == field.refNames.size());
        for (std::uint16_t i = 0; i < field.refNameCount(); ++i)
          Require(verdanto::EqualsNoCase(store.FieldRefName(field, i).name, field.refNames[i]));
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  verdanto::Dictionary store;
  verdanto::NullProgress progress;
  verdanto::RecordingPrompter prompter;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckShape(store, verdanto::LoadDictionaryText(text, "fuzz.idd", store, progress, prompter));
  return 0;
}
