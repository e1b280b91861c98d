#pragma once
// Opens the units conversion window for the field editor's "&C". In the windows
// it is the modal CConversionDialog; tests script the outcome.

#include <optional>
#include <string>
#include <string_view>

namespace verdanto {

class ConversionRunner {
 public:
  virtual ~ConversionRunner() = default;
  // Opens the window on `value` (8-bit store text) for a field whose SI unit is
  // `siUnit` and inch-pound unit `ipUnit`. The new value text when the user
  // chose "Keep new", nothing when the window was cancelled.
  virtual std::optional<std::string> Run(std::string_view value, std::string_view siUnit,
                                         std::string_view ipUnit) = 0;
};

}  // namespace verdanto
