#pragma once
// What the main window hands to the references windows and takes back from
// them: the relations window's choices and chosen object, and the field that
// "Re&name with References..." renames.

#include <optional>
#include <vector>

#include "relations/RelationsTree.h"
#include "relations/RenameReferences.h"
#include "ui/models/MainWindowModel.h"

namespace verdanto {

RelationsOptions RelationsChoices(const MainWindowModel& model);
// The choices go back to the main window whatever the relations window's result.
void KeepRelationsChoices(MainWindowModel& model, const RelationsOptions& options);

// The selected class, and the selected object when there is one.
RelationRoot RelationsRootOfSelection(const MainWindowModel& model);
// Select's result: the object's item (or the class item when the object is not
// shown) becomes the selection, and the chosen field's row is selected.
void ShowRelationRoot(MainWindowModel& model, const RelationRoot& root);

// The selected field of the selected object when it fills lists; nothing otherwise.
std::optional<ObjectField> RenameSource(const MainWindowModel& model);
// After a rename: renews the values shown, the object items' names and the
// layers' modified marks for every changed field.
void ShowRenamed(MainWindowModel& model, const std::vector<ObjectField>& changed);

}  // namespace verdanto
