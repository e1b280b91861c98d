#include "checks/StoreCheck.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "relations/ReferenceIndex.h"

namespace verdanto {

StoreCheck::StoreCheck(const Dictionary& store, CheckRules rules)
    : store_(store), rules_(rules), listFillers_(store.RefNameCount()), listNames_(store.RefNameCount()) {
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c)
      for (std::uint16_t f = 0; f < store.FieldCount(g, c); ++f) {
        const DictField& field = store.GetField(g, c, f);
        for (const std::uint16_t position : field.referencePositions)
          if (FillsList(field, position)) listFillers_[field.refNameLinks[position]].push_back({g, c, f});
      }
}

// An object-list field's \reference names are lists it fills, not lists it draws on.
bool StoreCheck::FillsList(const DictField& field, std::size_t position) const {
  const auto& filled = field.referencePositions;
  return field.type() == FieldType::ObjectList && position < field.refNameLinks.size() &&
         std::find(filled.begin(), filled.end(), position) != filled.end();
}

// One set per list, holding the values of every object of every field that fills
// it, so that each value is looked up once instead of scanning the definers.
const NameSet& StoreCheck::ListNames(std::uint32_t refName) {
  auto& names = listNames_[refName];
  if (!names) {
    names = std::make_unique<NameSet>();
    const std::vector<FieldRef>& definers = store_.GetRefName(refName).definers;
    for (const std::vector<FieldRef>* fillers : {&definers, &std::as_const(listFillers_[refName])})
      for (const FieldRef& filler : *fillers)
        for (const FieldValue& value : store_.GetField(filler.group, filler.classNo, filler.field).values)
          names->insert(value.value.view());
  }
  return *names;
}

// Lists that no class of the dictionary fills (such as the output-variable lists
// that EnergyPlus fills itself at run time) cannot be judged from the input file.
bool StoreCheck::IsJudgeable(const DictField& field) const {
  for (std::size_t i = 0; i < field.refNameLinks.size(); ++i) {
    const std::uint32_t link = field.refNameLinks[i];
    if (!FillsList(field, i) && (!store_.GetRefName(link).definers.empty() || !listFillers_[link].empty()))
      return true;
  }
  return false;
}

bool StoreCheck::NamesAnObject(const DictField& field, std::string_view value) {
  for (std::size_t i = 0; i < field.refNameLinks.size(); ++i)
    if (!FillsList(field, i) && ListNames(field.refNameLinks[i]).contains(value)) return true;
  return false;
}

std::string_view StoreCheck::UnknownNameFinding(const DictField& field, std::string_view value) {
  std::string& text = unknownNames_.emplace_back();
  text.assign(1, '"').append(value).append("\" names no object of ");
  const auto& links = field.refNameLinks;
  bool first = true;
  for (auto link = links.begin(); link != links.end(); ++link)
    if (!FillsList(field, static_cast<std::size_t>(link - links.begin())) &&
        std::find(links.begin(), link, *link) == link) {  // a list named twice is told once
      text.append(first ? "" : ", ").append(store_.GetRefName(*link).name);
      first = false;
    }
  return text;
}

void StoreCheck::CheckOne(const DictField& field, std::optional<PreparedCheck>& check, std::uint16_t o, std::uint16_t f,
                          std::string_view value) {
  if (!check) check = PrepareCheck(field);  // at the field's first value
  const CheckResult result = rules_ == CheckRules::Strict ? CheckValue(*check, value) : CheckReadValue(*check, value);
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
  // Past the largest of the objects' value bounds every field is empty, so there
  // only the required fields need a look.
  // The simulation fills an empty field from its default.
  const auto mustHoldValue = [this](const DictField& field) {
    return field.Has(FieldFlag::RequiredField) && (rules_ == CheckRules::Strict || field.defaultValue.empty());
  };
  std::vector<std::uint16_t> requiredFields;
  for (std::uint16_t f = 0; f < cls.fieldCount(); ++f)
    if (mustHoldValue(cls.fields[f])) requiredFields.push_back(f);
  constexpr std::uint16_t kObjectsAtATime = 64;
  for (std::uint32_t chunk = first; chunk < end; chunk += kObjectsAtATime) {
    const auto chunkEnd = static_cast<std::uint16_t>(std::min<std::uint32_t>(chunk + kObjectsAtATime, end));
    const auto ends = cls.valueEnds.begin();
    const std::uint16_t reach = *std::max_element(ends + static_cast<std::ptrdiff_t>(chunk), ends + chunkEnd);
    for (std::uint16_t f = 0; f < reach; ++f) {
      const DictField& field = cls.fields[f];
      const bool required = mustHoldValue(field);
      for (auto o = static_cast<std::uint16_t>(chunk); o < chunkEnd; ++o) {
        const CompactText& text = field.values[o].value;
        if (text.empty()) {
          if (required) findings_.push_back({o, f, kRequiredEmpty});
          continue;
        }
        CheckOne(field, checks_[f], o, f, text.view());
      }
    }
    for (auto f = std::lower_bound(requiredFields.begin(), requiredFields.end(), reach); f != requiredFields.end(); ++f)
      for (auto o = static_cast<std::uint16_t>(chunk); o < chunkEnd; ++o) findings_.push_back({o, *f, kRequiredEmpty});
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
  line.append(file);
  if (const std::uint32_t at = cls.ObjectLine(o); at != 0) line.append(":").append(std::to_string(at));
  line.append(": ").append(cls.name.view());
  line.append(" <Object ").append(std::to_string(o - firstOfFile + 1)).append("> \"");
  line.append(ObjectName(store, g, c, o)).append("\", field ").append(field.name.view());
  if (!field.label.empty()) line.append(" - ").append(field.label.view());
  line.append(": ").append(finding);
}

std::string_view FindingKind(std::string_view finding) {
  static constexpr std::string_view kNamesNoObject = "\" names no object of ";
  const std::size_t at = finding.starts_with('"') ? finding.rfind(kNamesNoObject) : std::string_view::npos;
  return at == std::string_view::npos ? finding : finding.substr(at + 2);
}

}  // namespace verdanto
