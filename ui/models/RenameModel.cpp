#include "ui/models/RenameModel.h"

#include "checks/NewNameCheck.h"
#include "checks/ValueCheck.h"

namespace verdanto {

RenameModel::RenameModel(Dictionary& store, LayerList& layers, const ObjectField& source, Prompter& prompter)
    : store_(store), layers_(layers), source_(source), naming_(FindNamingFields(store, source)), prompter_(prompter) {
  oldName = store.GetField(source.group, source.classNo, source.field).values[source.object].value.str();
  listed.reserve(naming_.size());
  for (const ObjectField& at : naming_) listed.push_back(NamingFieldText(store, layers, at));
}

bool RenameModel::Accept(std::string_view newName) {
  const RenameCheck check = CheckNewName(store_, source_, newName);
  if (!check.Ok()) {
    prompter_.Show(check.message, kRenameCaption, Icon::Error, Buttons::Ok);
    return false;
  }
  const CheckResult value = CheckValue(store_.GetField(source_.group, source_.classNo, source_.field), newName);
  if (value.IsQuestion() && prompter_.Show(value.text, value.caption, value.icon, value.buttons) != Answer::Yes)
    return false;
  changed = ApplyRename(store_, layers_, source_, naming_, newName);
  return true;
}

}  // namespace verdanto
