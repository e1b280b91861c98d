#pragma once
// The "Rename with References" window without a window toolkit: the name to
// replace, the fields that name it, and the checks and writing on OK.

#include <string>
#include <string_view>
#include <vector>

#include "base/Platform.h"
#include "layers/LayerList.h"
#include "relations/RenameReferences.h"
#include "store/Dictionary.h"

namespace verdanto {

class RenameModel {
 public:
  // `source` must be a reference field of an existing object.
  RenameModel(Dictionary& store, LayerList& layers, const ObjectField& source, Prompter& prompter);

  std::string oldName;
  std::vector<std::string> listed;  // "<layer> | <class> <Object n> \"name\" | <field>", one per naming field
  std::vector<ObjectField> changed;  // after Accept: the source first, then every naming field

  // OK with the typed name: a refused name is told through the prompter and
  // changes nothing (false); the field editor's questions are asked as there.
  bool Accept(std::string_view newName);

 private:
  Dictionary& store_;
  LayerList& layers_;
  ObjectField source_;
  std::vector<ObjectField> naming_;
  Prompter& prompter_;
};

}  // namespace verdanto
