#pragma once
// Writes the objects of chosen layers as an EnergyPlus input file, in the layout
// that the input-file reader reads back: a three-line header, a banner before the
// first object of each class, one line per value with its "!- " field label in a
// column, retained comments as "!" lines above their values, CR LF line ends.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "store/Dictionary.h"

namespace verdanto {

// Where written bytes go: a file, or memory in tests.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual bool Write(std::string_view bytes) = 0;  // false when not every byte arrived
};

class StringSink final : public OutputSink {
 public:
  std::string text;
  bool Write(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
};

// Told the number of objects written so far after each object.
using ObjectsWritten = std::function<void(std::uint32_t)>;

// Writes, in store order, every object whose layer id is in `layerIds` and that
// has at least one non-empty value. With `insertComments` the values' comments
// are written too. Stops and returns false at the first failed write.
bool WriteLayers(const Dictionary& store, std::span<const std::uint16_t> layerIds, bool insertComments,
                 OutputSink& sink, const ObjectsWritten& objectsWritten = {});

}  // namespace verdanto
