#include "checks/NewNameCheck.h"

#include "base/Text.h"
#include "checks/ValueCheck.h"

namespace verdanto {

RenameCheck CheckNewName(const Dictionary& store, const ObjectField& source, std::string_view newName) {
  if (newName.empty()) return {RenameRefusal::Empty, "The new name is empty."};
  const CheckResult check = CheckValue(store.GetField(source.group, source.classNo, source.field), newName);
  if (check.IsRefusal()) return {RenameRefusal::Unstorable, std::string(check.text)};
  if (const auto bearer = FindNameBearer(store, source, newName)) {
    const DictClass& cls = store.GetClass(bearer->group, bearer->classNo);
    return {RenameRefusal::NameTaken, Format("The name \"%.*s\" is already used by %s <Object %d>.",
                                             static_cast<int>(newName.size()), newName.data(),
                                             cls.name.str().c_str(), bearer->object + 1)};
  }
  return {};
}

}  // namespace verdanto
