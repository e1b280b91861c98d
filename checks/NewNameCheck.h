#pragma once
// Whether a name may replace a reference field's value when the name is renamed
// together with everything that names it.

#include <string>
#include <string_view>

#include "relations/RenameReferences.h"
#include "store/Dictionary.h"

namespace verdanto {

enum class RenameRefusal { None, Empty, Unstorable, NameTaken };

struct RenameCheck {
  RenameRefusal refusal = RenameRefusal::None;
  std::string message;  // what the user is told; empty when the name may be used
  bool Ok() const noexcept { return refusal == RenameRefusal::None; }
};

inline constexpr std::string_view kRenameCaption = "Rename with References";

// Refuses an empty name, a name the field editor would refuse to store, and a
// name that another object of a class filling one of the field's lists bears.
RenameCheck CheckNewName(const Dictionary& store, const ObjectField& source, std::string_view newName);

}  // namespace verdanto
