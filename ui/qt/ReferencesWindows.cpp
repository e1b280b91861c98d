#include "ui/qt/ReferencesWindows.h"

#include "ui/models/MainWindowReferences.h"
#include "ui/qt/CObjListRefDialog.h"
#include "ui/qt/CRelationsDialog.h"
#include "ui/qt/CRenameDialog.h"

namespace verdanto {

bool RunRelationsWindow(MainWindowModel& model, QWidget* parent) {
  CRelationsDialog relations(model.store, model.layers, RelationsRootOfSelection(model), RelationsChoices(model),
                             parent);
  const bool selected = relations.exec() == QDialog::Accepted;
  KeepRelationsChoices(model, relations.Options());
  if (selected) ShowRelationRoot(model, relations.Root());
  return selected;
}

void RunObjListRefWindow(const Dictionary& store, QWidget* parent) {
  CObjListRefDialog browser(store, parent);
  browser.exec();
}

bool RunRenameWindow(MainWindowModel& model, Prompter& prompter, QWidget* parent) {
  const auto source = RenameSource(model);
  if (!source) return false;
  CRenameDialog rename(model.store, model.layers, *source, prompter, parent);
  if (rename.exec() != QDialog::Accepted) return false;
  ShowRenamed(model, rename.Model().changed);
  return true;
}

}  // namespace verdanto
