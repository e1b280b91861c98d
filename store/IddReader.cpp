#include "store/IddReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/FreshPages.h"
#include "base/WholeFile.h"
#include "base/Text.h"

namespace verdanto {
namespace {

// Files of 4 GiB or more are refused: positions and the progress range are 32-bit.

enum class Property {
  Autocalculatable, Autosizable, Default, Extensible, Field, Group, IpUnits, Key, Maximum, MaximumBelow, Memo,
  MinFields, Minimum, MinimumAbove, Note, ObjectList, Obsolete, Reference, RequiredField, RequiredObject,
  RetainCase, Type, UniqueObject, Units
};
enum class Level { Field, Class, Any };

struct Keyword {
  std::string_view text;  // lower case, after the backslash; a trailing blank means it takes a value
  Property property;
  Level level;
  bool TakesValue() const { return text.back() == ' '; }
};

// Sorted, so that the few keywords sharing the first letter after a backslash are
// found without trying all of them.
constexpr std::array kKeywords{
    Keyword{"autocalculatable", Property::Autocalculatable, Level::Field},
    Keyword{"autosizable", Property::Autosizable, Level::Field},
    Keyword{"default ", Property::Default, Level::Field},
    Keyword{"extensible", Property::Extensible, Level::Class},
    Keyword{"field ", Property::Field, Level::Field},
    Keyword{"group ", Property::Group, Level::Any},
    Keyword{"ip-units ", Property::IpUnits, Level::Field},
    Keyword{"key ", Property::Key, Level::Field},
    Keyword{"maximum ", Property::Maximum, Level::Field},
    Keyword{"maximum< ", Property::MaximumBelow, Level::Field},
    Keyword{"memo ", Property::Memo, Level::Class},
    Keyword{"min-fields ", Property::MinFields, Level::Class},
    Keyword{"minimum ", Property::Minimum, Level::Field},
    Keyword{"minimum> ", Property::MinimumAbove, Level::Field},
    Keyword{"note ", Property::Note, Level::Field},
    Keyword{"object-list ", Property::ObjectList, Level::Field},
    Keyword{"obsolete ", Property::Obsolete, Level::Class},
    Keyword{"reference ", Property::Reference, Level::Field},
    Keyword{"required-field", Property::RequiredField, Level::Field},
    Keyword{"required-object", Property::RequiredObject, Level::Class},
    Keyword{"retaincase", Property::RetainCase, Level::Field},
    Keyword{"type ", Property::Type, Level::Field},
    Keyword{"unique-object", Property::UniqueObject, Level::Class},
    Keyword{"units ", Property::Units, Level::Field},
};
static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(),
                             [](const Keyword& a, const Keyword& b) { return a.text < b.text; }));

// The keyword that the text after a backslash begins with, in any letter case.
// No keyword is a prefix of another, so at most one matches.
const Keyword* MatchKeyword(std::string_view afterBackslash) {
  if (afterBackslash.empty()) return nullptr;
  const char first = LowerAscii(afterBackslash.front());
  auto it = std::lower_bound(kKeywords.begin(), kKeywords.end(), std::string_view(&first, 1),
                             [](const Keyword& k, std::string_view t) { return k.text < t; });
  for (; it != kKeywords.end() && it->text.front() == first; ++it) {
    const std::string_view keyword = it->text;
    if (afterBackslash.size() < keyword.size()) continue;
    std::size_t i = 1;
    while (i < keyword.size() && LowerAscii(afterBackslash[i]) == keyword[i]) ++i;
    if (i == keyword.size()) return &*it;
  }
  return nullptr;
}

constexpr auto kDelimiters = [] {
  std::array<bool, 256> table{};
  table[static_cast<unsigned char>(',')] = true;
  table[static_cast<unsigned char>(';')] = true;
  table[static_cast<unsigned char>('\\')] = true;
  return table;
}();

// Finds `pattern` in any letter case. The search runs on `pattern[anchor]`, a
// character that is rare in dictionaries and not a letter, so no lowered copy of
// the text is needed and most of it is skipped by memchr.
std::size_t FindNoCase(std::string_view text, std::string_view pattern, std::size_t anchor) {
  std::size_t from = anchor;
  while (from < text.size()) {
    const void* hit = std::memchr(text.data() + from, pattern[anchor], text.size() - from);
    if (!hit) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    const std::size_t start = at - anchor;
    if (StartsWithNoCase(text.substr(start), pattern)) return start;
    from = at + 1;
  }
  return std::string_view::npos;
}

// The signed decimal integer at the start of the text, kept in its low 16 bits.
std::uint16_t LeadingInteger16(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint16_t value = 0;  // arithmetic modulo 2^16 keeps exactly the low bits
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = static_cast<std::uint16_t>(value * 10u + static_cast<unsigned>(text[i] - '0'));
  return negative ? static_cast<std::uint16_t>(0u - value) : value;
}

class IddParser {
 public:
  // `file`, when the text is a file's, gets back the pages the parser has passed.
  IddParser(std::string_view text, std::string_view displayName, Dictionary& store, ProgressSink& progress,
            Prompter& prompter, WholeFile* file)
      : text_(text), displayName_(displayName), store_(store), progress_(progress), prompter_(prompter),
        file_(file) {}

  bool Run();

 private:
  std::size_t ContentEnd(std::size_t begin, std::size_t lineEnd) const;
  std::size_t FindDelimiter(std::size_t from, std::size_t contentEnd) const;
  std::size_t CountFieldsAhead(std::size_t from) const;
  void ReadVersion();
  std::size_t StartOfDefinitions() const;
  void ReadLine(std::size_t begin, std::size_t lineEnd);
  void ReportProgress(std::size_t nextLine);

  void OnComma(std::string_view token, std::size_t after);
  void OnSemicolon(std::string_view token);
  void OnProperty(std::size_t backslash, std::size_t contentEnd);
  void OpenClass(std::string_view name, std::size_t after);
  void AddField(std::string_view name);
  void ApplyFieldProperty(Property property, std::string_view value);
  void ApplyClassProperty(Property property, std::string_view value);
  void StartGroup(std::string_view name);
  void DropEmptyClassAndGroup();

  // A note or memo of many lines is gathered here and kept in the store's pool once
  // complete: growing the stored text line by line copies it again and again.
  struct TextTarget {
    std::uint16_t g = 0, c = 0, f = 0;
    bool memo = false;
    friend bool operator==(const TextTarget&, const TextTarget&) = default;
  };
  void Gather(const TextTarget& target, std::string_view line);
  void StoreGathered();
  CompactText& TextOf(const TextTarget& target) {
    return target.memo ? store_.GetClass(target.g, target.c).memo : store_.GetField(target.g, target.c, target.f).note;
  }

  void Warn(std::string_view text) { prompter_.Show(text, kAppCaption, Icon::Exclamation, Buttons::Ok); }
  void Fault(std::string_view text) { prompter_.Show(text, kAppCaption, Icon::None, Buttons::Ok); }
  std::string ClassName() const { return std::string(store_.GetClass(*group_, *classNo_).name.view()); }
  std::string FieldName() const { return std::string(store_.GetField(*group_, *classNo_, *field_).name.view()); }

  std::string_view text_;
  std::string_view displayName_;
  Dictionary& store_;
  ProgressSink& progress_;
  Prompter& prompter_;
  WholeFile* file_;

  std::optional<std::uint16_t> group_;
  std::optional<std::uint16_t> classNo_;
  std::optional<std::uint16_t> field_;
  bool inGroup_ = false;
  bool noGroupReported_ = false;
  bool classOpen_ = false;
  bool fieldOpen_ = false;
  // Past the 16-bit counts the store can hold, entries are read but not kept;
  // their properties must not land on the last entry that was kept.
  bool classLost_ = false;
  bool fieldLost_ = false;
  struct {
    bool groups = false, classes = false, fields = false, keys = false, names = false;
  } cutReported_;
  std::uint64_t step_ = 1;
  std::optional<TextTarget> gatherTarget_;
  std::string gathered_;
};

bool IddParser::Run() {
  ReadVersion();
  progress_.SetRange(static_cast<std::uint32_t>(text_.size()));
  std::size_t cursor = StartOfDefinitions();
  while (cursor < text_.size()) {
    std::size_t next = 0;
    const std::size_t lineEnd = FindLineEnd(text_, cursor, next);
    if (lineEnd > cursor) ReadLine(cursor, lineEnd);
    ReportProgress(next);
    cursor = next;
  }
  DropEmptyClassAndGroup();
  store_.BuildIndexes();
  if (store_.GroupCount() == 0) {
    store_.Clear();
    prompter_.Show(Format("No class found in %s.", std::string(displayName_).c_str()), kAppCaption, Icon::Error,
                   Buttons::Ok);
    return false;
  }
  return true;
}

void IddParser::ReadVersion() {
  constexpr std::string_view kVersion = "!idd_version ";
  const std::size_t at = FindNoCase(text_, kVersion, 0);
  if (at == std::string_view::npos) {
    store_.version = "Not found";
    return;
  }
  const std::size_t begin = at + kVersion.size();
  std::size_t next = 0;
  store_.version = std::string(text_.substr(begin, FindLineEnd(text_, begin, next) - begin));
}

// Everything up to the line that holds "simulation data;" is skipped.
std::size_t IddParser::StartOfDefinitions() const {
  constexpr std::string_view kStart = "simulation data;";
  const std::size_t at = FindNoCase(text_, kStart, kStart.size() - 1);
  if (at == std::string_view::npos) return 0;
  std::size_t next = 0;
  FindLineEnd(text_, at, next);
  return next;
}

// From "!" to the line end is a comment.
std::size_t IddParser::ContentEnd(std::size_t begin, std::size_t lineEnd) const {
  const void* bang = std::memchr(text_.data() + begin, '!', lineEnd - begin);
  return bang ? static_cast<std::size_t>(static_cast<const char*>(bang) - text_.data()) : lineEnd;
}

// The first ",", ";" or "\" at or after `from`, or contentEnd.
std::size_t IddParser::FindDelimiter(std::size_t from, std::size_t contentEnd) const {
  while (from < contentEnd && !kDelimiters[static_cast<unsigned char>(text_[from])]) ++from;
  return from;
}

void IddParser::ReadLine(std::size_t begin, std::size_t lineEnd) {
  const std::size_t contentEnd = ContentEnd(begin, lineEnd);
  std::size_t cursor = begin;
  while (cursor < contentEnd) {
    const std::size_t at = FindDelimiter(cursor, contentEnd);
    if (at == contentEnd) return;
    const std::string_view token = text_.substr(cursor, at - cursor);
    if (text_[at] == ',') {
      OnComma(token, at + 1);
    } else if (text_[at] == ';') {
      OnSemicolon(token);
    } else {
      // A property runs to the end of the line's content: one per line.
      OnProperty(at, contentEnd);
      return;
    }
    cursor = at + 1;
  }
}

// How many fields a class opened just before `from` will get: its comma and
// semicolon tokens up to the semicolon or "\group" line that ends it. Real
// classes run to thousands of fields; knowing the count lets the field array be
// allocated once instead of being moved again and again as it grows.
std::size_t IddParser::CountFieldsAhead(std::size_t from) const {
  std::size_t count = 0;
  std::size_t cursor = from;
  while (cursor < text_.size() && count < kMaxCount) {
    std::size_t next = 0;
    const std::size_t contentEnd = ContentEnd(cursor, FindLineEnd(text_, cursor, next));
    for (std::size_t at = FindDelimiter(cursor, contentEnd); at < contentEnd; at = FindDelimiter(cursor, contentEnd)) {
      if (text_[at] == '\\') {
        const Keyword* keyword = MatchKeyword(text_.substr(at + 1, contentEnd - at - 1));
        if (keyword && keyword->property == Property::Group && at + 1 + keyword->text.size() < contentEnd)
          return count;
        break;
      }
      if (at > cursor) {
        ++count;
        // Capped here too: one line can list millions of fields.
        if (text_[at] == ';' || count >= kMaxCount) return count;
      }
      cursor = at + 1;
    }
    cursor = next;
  }
  return count;
}

// One step per one per cent of the text, at most one per line.
void IddParser::ReportProgress(std::size_t nextLine) {
  if (step_ * text_.size() / 100 < nextLine) {
    progress_.SetPosition(static_cast<std::uint32_t>(nextLine));
    ++step_;
    if (file_) file_->Release(nextLine);
  }
}

void IddParser::OnComma(std::string_view token, std::size_t after) {
  if (token.empty()) return Fault("ERROR 2");
  if (!inGroup_) {
    // A dictionary without "\group" lines would give one box per class: once per file says it.
    if (!noGroupReported_) Fault("ERROR 1");
    noGroupReported_ = true;
    return;
  }
  if (classOpen_)
    AddField(TrimBlanks(token));
  else
    OpenClass(TrimBlanks(token), after);
}

void IddParser::OnSemicolon(std::string_view token) {
  if (token.empty()) return Fault("ERROR 4");
  if (!classOpen_) return;
  AddField(TrimBlanks(token));
  classOpen_ = false;
}

void IddParser::OpenClass(std::string_view name, std::size_t after) {
  classOpen_ = true;
  fieldOpen_ = false;
  fieldLost_ = false;
  cutReported_.fields = false;
  field_.reset();
  classNo_.reset();
  // A class in a group that was not kept is dropped silently: the group's message said so.
  classLost_ = !group_ || store_.ClassCount(*group_) >= kMaxCount;
  if (classLost_) {
    if (group_ && !cutReported_.classes) {
      cutReported_.classes = true;
      Warn(Format("Too many classes in group \"%s\".\r\nThe remaining classes will not be loaded.",
                  std::string(store_.GetGroup(*group_).name.view()).c_str()));
    }
    return;
  }
  classNo_ = store_.AddClass(*group_, name);
  auto& fields = store_.GetClass(*group_, *classNo_).fields;
  fields.reserve(CountFieldsAhead(after));
  PopulateForWriting(fields.data(), fields.capacity() * sizeof(DictField));
}

void IddParser::AddField(std::string_view name) {
  fieldOpen_ = true;
  if (classLost_ || fieldLost_) {
    fieldLost_ = true;
    return;
  }
  if (store_.FieldCount(*group_, *classNo_) >= kMaxCount) {
    fieldLost_ = true;
    if (!cutReported_.fields) {
      cutReported_.fields = true;
      Warn(Format("Too many fields in class \"%s\".\r\nThe remaining fields will not be loaded.", ClassName().c_str()));
    }
    return;
  }
  field_ = store_.AddField(*group_, *classNo_, name);
  cutReported_.keys = false;
  cutReported_.names = false;
}

void IddParser::OnProperty(std::size_t backslash, std::size_t contentEnd) {
  const std::string_view property = text_.substr(backslash + 1, contentEnd - backslash - 1);
  const Keyword* keyword = MatchKeyword(property);
  if (!keyword) return;
  const std::string_view value = property.substr(keyword->text.size());
  if (keyword->TakesValue() && value.empty()) return;
  switch (keyword->level) {
    case Level::Field:
      if (fieldOpen_ && !fieldLost_) ApplyFieldProperty(keyword->property, value);
      break;
    case Level::Class:
      if (!fieldOpen_ && classOpen_ && !classLost_) ApplyClassProperty(keyword->property, value);
      break;
    case Level::Any:
      StartGroup(TrimBlanks(value));
      break;
  }
}

void IddParser::ApplyFieldProperty(Property property, std::string_view value) {
  DictField& field = store_.GetField(*group_, *classNo_, *field_);
  const std::string_view trimmed = TrimBlanks(value);
  switch (property) {
    case Property::Field: field.label = store_.PoolText(trimmed); break;
    case Property::Note: Gather({*group_, *classNo_, *field_, false}, trimmed); break;
    case Property::RequiredField: field.flags |= FieldFlag::RequiredField; break;
    case Property::Units: field.units = store_.PoolText(trimmed); break;
    case Property::IpUnits: field.ipUnits = store_.PoolText(trimmed); break;
    case Property::Minimum:
      // "\minimum >0" is the exclusive form written with a blank before the sign.
      if (trimmed.starts_with('>')) {
        field.minimum = store_.PoolText(TrimBlanks(trimmed.substr(1)));
        field.flags &= ~FieldFlag::MinInclusive;
        break;
      }
      field.minimum = store_.PoolText(trimmed);
      field.flags |= FieldFlag::MinInclusive;
      break;
    case Property::MinimumAbove:
      field.minimum = store_.PoolText(trimmed);
      field.flags &= ~FieldFlag::MinInclusive;
      break;
    case Property::Maximum:
      if (trimmed.starts_with('<')) {  // "\maximum <100", as above
        field.maximum = store_.PoolText(TrimBlanks(trimmed.substr(1)));
        field.flags &= ~FieldFlag::MaxInclusive;
        break;
      }
      field.maximum = store_.PoolText(trimmed);
      field.flags |= FieldFlag::MaxInclusive;
      break;
    case Property::MaximumBelow:
      field.maximum = store_.PoolText(trimmed);
      field.flags &= ~FieldFlag::MaxInclusive;
      break;
    case Property::Default: field.defaultValue = store_.PoolText(trimmed); break;
    case Property::Autosizable: field.flags |= FieldFlag::Autosizable; break;
    case Property::Autocalculatable: field.flags |= FieldFlag::Autocalculatable; break;
    case Property::Type:
      // Compared at its start and untrimmed: "\type  real" names no type.
      if (StartsWithNoCase(value, "integer"))
        field.SetType(FieldType::Integer);
      else if (StartsWithNoCase(value, "real"))
        field.SetType(FieldType::Real);
      else if (StartsWithNoCase(value, "alpha"))
        field.SetType(FieldType::Alpha);
      else if (StartsWithNoCase(value, "choice"))
        field.SetType(FieldType::Choice);
      break;
    case Property::RetainCase: field.flags |= FieldFlag::RetainCase; break;
    case Property::Key:
      if (field.keys.size() < kMaxCount) {
        store_.AddKey(*group_, *classNo_, *field_, trimmed);
      } else if (!cutReported_.keys) {
        cutReported_.keys = true;
        Warn(Format("Too many keys in field \"%s\" of class \"%s\".\r\nThe remaining keys will not be loaded.",
                    FieldName().c_str(), ClassName().c_str()));
      }
      break;
    case Property::ObjectList:
    case Property::Reference:
      if (property == Property::ObjectList) field.SetType(FieldType::ObjectList);
      if (field.refNames.size() < kMaxCount) {
        const std::uint16_t position = store_.AddRefName(*group_, *classNo_, *field_, trimmed);
        if (property == Property::Reference) field.referencePositions.push_back(position);
      } else if (!cutReported_.names) {
        cutReported_.names = true;
        Warn(Format("Too many object-list and reference names in field \"%s\" of class \"%s\".\r\n"
                    "The remaining names will not be loaded.",
                    FieldName().c_str(), ClassName().c_str()));
      }
      break;
    default: break;
  }
}

void IddParser::ApplyClassProperty(Property property, std::string_view value) {
  DictClass& cls = store_.GetClass(*group_, *classNo_);
  switch (property) {
    case Property::Memo: Gather({*group_, *classNo_, 0, true}, TrimBlanks(value)); break;
    case Property::UniqueObject: cls.flags |= ClassFlag::UniqueObject; break;
    case Property::RequiredObject: cls.flags |= ClassFlag::RequiredObject; break;
    case Property::MinFields: cls.minFields = LeadingInteger16(value); break;
    case Property::Obsolete: cls.obsolete = store_.PoolText(TrimBlanks(value)); break;
    // The number of extensible fields after the colon is not kept.
    case Property::Extensible: cls.flags |= ClassFlag::Extensible; break;
    default: break;
  }
}

void IddParser::StartGroup(std::string_view name) {
  DropEmptyClassAndGroup();
  group_.reset();
  if (store_.GroupCount() < kMaxCount) {
    group_ = store_.AddGroup(name);
  } else if (!cutReported_.groups) {
    cutReported_.groups = true;
    Warn(Format("Too many groups in %s.\r\nThe remaining groups will not be loaded.",
                std::string(displayName_).c_str()));
  }
  inGroup_ = true;
  classNo_.reset();
  field_.reset();
  classOpen_ = false;
  fieldOpen_ = false;
  classLost_ = false;
  fieldLost_ = false;
  cutReported_.classes = false;
}

void IddParser::Gather(const TextTarget& target, std::string_view line) {
  if (gatherTarget_ != target) {
    StoreGathered();
    gatherTarget_ = target;
    gathered_.assign(TextOf(target).view());
  }
  gathered_.append(line).append("\r\n");
}

void IddParser::StoreGathered() {
  if (!gatherTarget_) return;
  TextOf(*gatherTarget_) = store_.PoolText(gathered_);
  gatherTarget_.reset();
  gathered_.clear();
}

// Only the last class of a group can lack fields, and only the last group classes.
void IddParser::DropEmptyClassAndGroup() {
  StoreGathered();  // before a class it belongs to can go
  if (classNo_ && !field_) {
    Warn(Format("No field found in class \"%s\".\r\nThis class will be deleted.", ClassName().c_str()));
    store_.RemoveLastClass();
    classNo_.reset();
  }
  if (group_ && store_.ClassCount(*group_) == 0) {
    Warn(Format("No class found in group \"%s\".\r\nThis group will be deleted.",
                std::string(store_.GetGroup(*group_).name.view()).c_str()));
    store_.RemoveLastGroup();
    group_.reset();
  }
}

}  // namespace

namespace {
bool LoadText(std::string_view text, std::string_view displayName, Dictionary& store, ProgressSink& progress,
              Prompter& prompter, WholeFile* file) {
  store.Clear();
  if (text.size() > kMaxFileSize) {
    prompter.Show(Format("Unable to load %s.", std::string(displayName).c_str()), kAppCaption, Icon::Error,
                  Buttons::Ok);
    return false;
  }
  return IddParser(text, displayName, store, progress, prompter, file).Run();
}
}  // namespace

bool LoadDictionaryText(std::string_view text, std::string_view displayName, Dictionary& store,
                        ProgressSink& progress, Prompter& prompter) {
  return LoadText(text, displayName, store, progress, prompter, nullptr);
}

bool LoadDictionary(const std::string& path, Dictionary& store, ProgressSink& progress, Prompter& prompter) {
  // Cleared before the file is opened, so a failed load leaves the store empty.
  store.Clear();
  WholeFile file;
  const ReadStatus status = file.Read(path);
  if (status != ReadStatus::Ok) {
    const char* format = status == ReadStatus::CannotOpen ? "Unable to open %s." : "Unable to load %s.";
    prompter.Show(Format(format, path.c_str()), kAppCaption, Icon::Error, Buttons::Ok);
    return false;
  }
  return LoadText(file.text(), path, store, progress, prompter, &file);
}

}  // namespace verdanto
