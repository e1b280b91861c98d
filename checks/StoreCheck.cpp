#include "ui/models/StoreCheck.h"

#include <algorithm>
#include <optional>

#include "relations/ReferenceIndex.h"

namespace verdanto {

StoreCheck::StoreCheck(const Dictionary& store) : store_(store), listNames_(store.RefNameCount()) {}

// One set per list, holding the values of every object of every field that fills
// it, so that each value is looked up once instead of scanning the definers.
const NameSet& StoreCheck::ListNames(std::uint32_t refName) {
  auto& names = listNames_[refName];
  if (!names) {
    names = std::make_unique<NameSet>();
    for (const FieldRef& definer : store_.GetRefName(refName).definers)
      for (const FieldValue& value : store_.GetField(definer.group, definer.classNo, definer.field).values)
        names->insert(value.value.view());
  }
  return *names;
}

// Lists that no class of the dictionary fills (such as the output-variable lists
// that EnergyPlus fills itself at run time) cannot be judged from the input file.
bool StoreCheck::IsJudgeable(const DictField& field) const {
  for (const std::uint32_t link : field.refNameLinks)
    if (!store_.GetRefName(link).definers.empty()) return true;
  return false;
}

bool StoreCheck::NamesAnObject(const DictField& field, std::string_view value) {
  for (const std::uint32_t link : field.refNameLinks)
    if (ListNames(link).contains(value)) return true;
  return false;
}

std::string_view StoreCheck::UnknownNameFinding(const DictField& field, std::string_view value) {
  std::string& text = unknownNames_.emplace_back();
  text.assign(1, '"').append(value).append("\" names no object of ");
  const auto& links = field.refNameLinks;
  for (auto link = links.begin(); link != links.end(); ++link)
    if (std::find(links.begin(), link, *link) == link)  // a list named twice is told once
      text.append(link == links.begin() ? "" : ", ").append(store_.GetRefName(*link).name);
  return text;
}

void StoreCheck::CheckOne(const DictField& field, std::optional<PreparedCheck>& check, std::uint16_t o, std::uint16_t f,
                          std::string_view value) {
  if (!check) check = PrepareCheck(field);  // at the field's first value
  const CheckResult result = CheckValue(*check, value);
  if (!result.Accepted()) findings_.push_back({o, f, result.FirstSentence()});
  if (field.type() == FieldType::ObjectList && IsJudgeable(field) && !NamesAnObject(field, value))
    findings_.push_back({o, f, UnknownNameFinding(field, value)});
}

std::uint32_t StoreCheck::CheckObjects(std::uint16_t g, std::uint16_t c, std::uint16_t first, std::uint16_t end,
                                       const Report& report) {
  static constexpr std::string_view kRequiredEmpty = "required field is empty";
  const DictClass& cls = store_.GetClass(g, c);
  findings_.clear();
  unknownNames_.clear();
  checks_.assign(cls.fieldCount(), std::nullopt);
  // The values of one object are spread over as many arrays as the class has
  // fields (thousands in some classes, most of them empty), while the texts are
  // allocated object by object. A few objects at a time, field by field, reads
  // both in order; the findings are put in object order afterwards.
  constexpr std::uint16_t kObjectsAtATime = 64;
  for (std::uint32_t chunk = first; chunk < end; chunk += kObjectsAtATime) {
    const auto chunkEnd = static_cast<std::uint16_t>(std::min<std::uint32_t>(chunk + kObjectsAtATime, end));
    for (std::uint16_t f = 0; f < cls.fieldCount(); ++f) {
      const DictField& field = cls.fields[f];
      const bool required = field.Has(FieldFlag::RequiredField);
      for (auto o = static_cast<std::uint16_t>(chunk); o < chunkEnd; ++o) {
        const CompactText& text = field.values[o].value;
        if (text.empty()) {
          if (required) findings_.push_back({o, f, kRequiredEmpty});
          continue;
        }
        CheckOne(field, checks_[f], o, f, text.view());
      }
    }
  }
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.object < b.object; });
  for (const Finding& finding : findings_) report(finding.object, finding.field, finding.text);
  return static_cast<std::uint32_t>(findings_.size());
}

void AppendFindingLine(std::string& line, std::string_view file, const Dictionary& store, std::uint16_t g,
                       std::uint16_t c, std::uint16_t o, std::uint16_t firstOfFile, std::uint16_t f,
                       std::string_view finding) {
  const DictClass& cls = store.GetClass(g, c);
  const DictField& field = cls.fields[f];
  line.append(file).append(": ").append(cls.name.view());
  line.append(" <Object ").append(std::to_string(o - firstOfFile + 1)).append("> \"");
  line.append(ObjectName(store, g, c, o)).append("\", field ").append(field.name.view());
  if (!field.label.empty()) line.append(" - ").append(field.label.view());
  line.append(": ").append(finding);
}

}  // namespace verdanto
