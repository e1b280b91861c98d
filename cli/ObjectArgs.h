#pragma once
// Naming one object on the command line: a class by name and an object by its
// number as the editor shows it (from 1). Each reader says on stderr what is
// wrong before it returns false.

#include <cstdint>
#include <string>

#include "cli/LoadInputs.h"
#include "layers/LayerList.h"
#include "store/Dictionary.h"

namespace verdanto::cli {

// A whole decimal number from `min` to 65535.
bool ReadCount(const std::string& text, long min, long& value);

// Makes the layer of the last input read the current one; false when none was read.
bool MakeCurrentLastInput(const LoadedInputs& loaded, LayerList& layers);

bool FindObjectClass(const Dictionary& store, const std::string& name, std::uint16_t& g, std::uint16_t& c,
                     const char* command);

bool ReadObjectNumber(const Dictionary& store, std::uint16_t g, std::uint16_t c, const std::string& text,
                      std::uint16_t& object, const char* command);

}  // namespace verdanto::cli
