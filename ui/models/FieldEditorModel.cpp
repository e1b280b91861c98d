#include "ui/models/FieldEditorModel.h"

#include "base/Platform.h"
#include "checks/ValueCheck.h"

namespace verdanto {

FieldEditorModel::FieldEditorModel(Dictionary& store, const LayerList& layers, const FieldAddress& at,
                                   LayerFilter filter, Prompter& prompter, ConversionRunner& converter)
    : layerFilter(filter), store_(store), layers_(layers), at_(at), prompter_(prompter), converter_(converter) {
  const DictField& field = Field();
  title = FieldEditorTitle(field);
  propertyRows = FieldPropertyRows(store, field);
  noteText = field.note.str();
  filterEnabled = field.type() == FieldType::ObjectList;
  const FieldValue& value = field.values[at.object];
  valueText = value.value.str();
  commentText = value.comment.str();
  offeredValues = OfferedValuesOnOpening(store, layers, at.group, at.classNo, at.field, filter);
}

bool FieldEditorModel::ChangeFilter(LayerFilter filter) {
  if (!filterEnabled || filter == layerFilter) return false;
  layerFilter = filter;
  offeredValues = OfferedValuesAfterFilterChange(store_, layers_, at_.group, at_.classNo, at_.field, filter);
  return true;
}

bool FieldEditorModel::Convert() {
  const DictField& field = Field();
  auto converted = converter_.Run(valueText, field.units, field.ipUnits);
  if (!converted) return false;
  valueText = std::move(*converted);
  return true;
}

OkResult FieldEditorModel::Ok() {
  const CheckResult check = CheckValue(Field(), valueText);
  if (!check.Accepted()) {
    const Answer answer = prompter_.Show(check.text, check.caption, check.icon, check.buttons);
    if (check.IsRefusal() || answer != Answer::Yes) return OkResult::BackToValue;
  }
  FieldValue& stored = store_.GetValue(at_.group, at_.classNo, at_.field, at_.object);
  stored.value = valueText;
  stored.comment = CommentWithStoreLineEnds(commentText);
  return OkResult::Stored;
}

std::string CommentWithStoreLineEnds(std::string_view comment) {
  std::string out;
  out.reserve(comment.size());
  for (std::size_t i = 0; i < comment.size(); ++i) {
    const char c = comment[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += "\r\n";
    if (c == '\r' && i + 1 < comment.size() && comment[i + 1] == '\n') ++i;
  }
  return out;
}

}  // namespace verdanto
