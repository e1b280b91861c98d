#include "ui/models/MainWindowReferences.h"

namespace verdanto {

RelationsOptions RelationsChoices(const MainWindowModel& model) {
  return {model.relationsFlow == 0 ? Flow::Descending : Flow::Ascending,
          model.relationsLayers == 0 ? LayerFilter::OnlyCurrent : LayerFilter::OnlyOn,
          model.relationsPotential != 0};
}

void KeepRelationsChoices(MainWindowModel& model, const RelationsOptions& options) {
  model.relationsFlow = static_cast<std::int32_t>(options.flow);
  model.relationsLayers = static_cast<std::int32_t>(options.layers);
  model.relationsPotential = options.insertPotential ? 1 : 0;
}

RelationRoot RelationsRootOfSelection(const MainWindowModel& model) {
  const bool hasObject = model.selectedLayer != 0;
  return {model.selectedGroup, model.selectedClass, static_cast<std::uint16_t>(hasObject ? 1 : 0),
          hasObject ? model.selectedObject : std::uint16_t{0}, 0};
}

void ShowRelationRoot(MainWindowModel& model, const RelationRoot& root) {
  const bool shown = root.hasObject != 0 && model.RowOfObject(root.group, root.classNo, root.object) >= 0;
  model.SelectTreeItem(shown ? TreeItem{TreeItemKind::Object, root.group, root.classNo, root.object}
                             : TreeItem{TreeItemKind::Class, root.group, root.classNo, 0});
  model.SelectDetailRow(root.field);
}

std::optional<ObjectField> RenameSource(const MainWindowModel& model) {
  if (model.selectedLayer == 0 || model.selectedDetailRow < 0) return std::nullopt;
  const ObjectField source{model.selectedGroup, model.selectedClass, static_cast<std::uint16_t>(model.selectedDetailRow),
                           model.selectedObject};
  if (source.field >= model.store.FieldCount(source.group, source.classNo) ||
      !IsReferenceField(model.store, source.group, source.classNo, source.field))
    return std::nullopt;
  return source;
}

void ShowRenamed(MainWindowModel& model, const std::vector<ObjectField>& changed) {
  for (const ObjectField& at : changed)
    model.FieldEdited({at.group, at.classNo, at.object, at.field}, true, model.fieldLayerFilter);
}

}  // namespace verdanto
