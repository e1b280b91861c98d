#pragma once
// The object store: the data dictionary (groups, classes, fields) and every
// object held against it. An object has no record of its own: object o of class
// (g, c) is entry o of each field's `values` and of the class's `objectLayers`.
// A field's column of values reaches only as far as the last object that was given
// a value or comment in it, so an object costs the values it holds, not the width
// of its class (thousands of fields, most of them empty in real files).
// Groups, classes, fields and objects are addressed by 16-bit positions that
// move down when an earlier entry is removed. Operations do not check indexes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/CompactArray.h"
#include "store/CompactText.h"
#include "store/TextPool.h"

namespace verdanto {

// Counts are 16-bit: readers must not add past this many of anything.
inline constexpr std::uint32_t kMaxCount = 0xFFFF;

enum class FieldType : std::uint32_t { Integer = 0, Real = 1, Alpha = 2, Choice = 3, ObjectList = 4, Unspecified = 5 };

namespace FieldFlag {
inline constexpr std::uint32_t RequiredField = 1u << 0;
inline constexpr std::uint32_t MinInclusive = 1u << 1;
inline constexpr std::uint32_t MaxInclusive = 1u << 2;
inline constexpr std::uint32_t Autosizable = 1u << 3;
inline constexpr std::uint32_t Autocalculatable = 1u << 4;
inline constexpr std::uint32_t TypeShift = 5;
inline constexpr std::uint32_t TypeMask = 7u << TypeShift;
inline constexpr std::uint32_t RetainCase = 1u << 8;
}  // namespace FieldFlag

namespace ClassFlag {
inline constexpr std::uint32_t UniqueObject = 1u << 0;
inline constexpr std::uint32_t RequiredObject = 1u << 1;
inline constexpr std::uint32_t Extensible = 1u << 2;
}  // namespace ClassFlag

struct FieldValue {
  CompactText value;
  CompactText comment;  // retained comment lines, joined by CR LF
};
static_assert(sizeof(FieldValue) <= 16, "one entry per field per object: keep it small");

// What every object holds in a field past the end of the field's column.
inline const FieldValue kNoValue{};

// The values of one field by object. Reading is open to all; past the end of the
// column it gives the shared empty value. Storing goes through DictClass::GetValue,
// which grows the column and keeps the class's per-object bounds.
class ValueColumn {
 public:
  const FieldValue& operator[](std::size_t o) const noexcept { return o < cells_.size() ? cells_[o] : kNoValue; }
  // Cells held: at most the class's object count, often fewer.
  std::size_t size() const noexcept { return cells_.size(); }
  bool empty() const noexcept { return cells_.empty(); }
  const FieldValue* begin() const noexcept { return cells_.begin(); }
  const FieldValue* end() const noexcept { return cells_.end(); }

 private:
  friend struct DictClass;
  CompactArray<FieldValue> cells_;
};

struct FieldRef {
  std::uint16_t group = 0;
  std::uint16_t classNo = 0;
  std::uint16_t field = 0;
  friend bool operator==(const FieldRef&, const FieldRef&) = default;
};

struct DictField {
  CompactText name;  // A1, N3, ...
  CompactText label;
  CompactText note;  // each \note text followed by CR LF
  CompactText units;
  CompactText ipUnits;
  CompactText minimum;  // empty: no lower bound
  CompactText maximum;  // empty: no upper bound
  CompactText defaultValue;
  CompactArray<CompactText> keys;
  // \object-list and \reference names as written, in file order. After
  // BuildIndexes, refNameLinks[i] is the position in the store's reference-name
  // index of the shared RefName of refNames[i].
  CompactArray<CompactText> refNames;
  CompactArray<std::uint32_t> refNameLinks;
  // Positions in refNames of the names written as \reference: an object-list
  // field that also carries \reference fills those lists with its values.
  CompactArray<std::uint16_t> referencePositions;
  ValueColumn values;  // by object, up to the last object with a value or comment here
  std::uint32_t flags = static_cast<std::uint32_t>(FieldType::Unspecified) << FieldFlag::TypeShift;

  std::uint16_t keyCount() const noexcept { return static_cast<std::uint16_t>(keys.size()); }
  std::uint16_t refNameCount() const noexcept { return static_cast<std::uint16_t>(refNames.size()); }
  FieldType type() const noexcept {
    return static_cast<FieldType>((flags & FieldFlag::TypeMask) >> FieldFlag::TypeShift);
  }
  void SetType(FieldType type) noexcept {
    flags = (flags & ~FieldFlag::TypeMask) | (static_cast<std::uint32_t>(type) << FieldFlag::TypeShift);
  }
  bool Has(std::uint32_t flag) const noexcept { return (flags & flag) != 0; }
};

static_assert(sizeof(DictField) <= 112, "tens of thousands per dictionary: keep it small");

struct DictClass {
  CompactText name;
  CompactText memo;  // each \memo text followed by CR LF
  CompactText obsolete;
  std::vector<DictField> fields;
  std::uint16_t minFields = 0;
  std::uint32_t flags = 0;
  std::vector<std::uint16_t> objectLayers;  // layer id of each object
  // Per object, a bound on its fields: every field at or past it is empty with no
  // comment. The writer and the checks stop there instead of visiting every field.
  std::vector<std::uint16_t> valueEnds;
  // Line of the input file on which each object began; 0 for an object not read from a file.
  std::vector<std::uint32_t> objectLines;

  std::uint16_t fieldCount() const noexcept { return static_cast<std::uint16_t>(fields.size()); }
  std::uint16_t objectCount() const noexcept { return static_cast<std::uint16_t>(objectLayers.size()); }
  bool Has(std::uint32_t flag) const noexcept { return (flags & flag) != 0; }
  std::uint32_t ObjectLine(std::uint16_t o) const noexcept { return o < objectLines.size() ? objectLines[o] : 0; }
  std::uint16_t ValueEnd(std::uint16_t o) const noexcept { return valueEnds[o]; }

  // Appends an object with every value empty; costs the same whatever the width.
  std::uint16_t AddObject(std::uint16_t layer);
  const FieldValue& GetValue(std::uint16_t f, std::uint16_t o) const noexcept { return fields[f].values[o]; }
  // For storing: grows field f's column to reach object o. Read through the const
  // overload, so that reading leaves the columns as they are.
  FieldValue& GetValue(std::uint16_t f, std::uint16_t o);
  void DeleteObject(std::uint16_t o);
  // Removes every object whose keep flag is false, keeping the others in order.
  void KeepObjects(const std::vector<bool>& keep);
};

struct DictGroup {
  CompactText name;
  std::vector<DictClass> classes;
  std::uint16_t classCount() const noexcept { return static_cast<std::uint16_t>(classes.size()); }
};

struct ClassIndexEntry {
  std::string_view name;  // the class's own name text
  std::uint16_t group = 0;
  std::uint16_t classNo = 0;
};

struct RefName {
  std::string name;
  std::vector<FieldRef> users;     // ObjectList fields that carry the name
  std::vector<FieldRef> definers;  // every other field that carries it (\reference)
  std::uint16_t userCount() const noexcept { return static_cast<std::uint16_t>(users.size()); }
  std::uint16_t definerCount() const noexcept { return static_cast<std::uint16_t>(definers.size()); }
};

class Dictionary {
 public:
  Dictionary() = default;
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  std::string version;  // "Not found" when the dictionary has none; empty after Clear

  std::uint16_t AddGroup(std::string_view name);
  DictGroup& GetGroup(std::uint16_t g) { return groups_[g]; }
  const DictGroup& GetGroup(std::uint16_t g) const { return groups_[g]; }
  std::uint16_t GroupCount() const noexcept { return static_cast<std::uint16_t>(groups_.size()); }

  std::uint16_t AddClass(std::uint16_t g, std::string_view name);
  DictClass& GetClass(std::uint16_t g, std::uint16_t c) { return groups_[g].classes[c]; }
  const DictClass& GetClass(std::uint16_t g, std::uint16_t c) const { return groups_[g].classes[c]; }
  std::uint16_t ClassCount(std::uint16_t g) const { return groups_[g].classCount(); }
  std::uint32_t TotalClassCount() const noexcept;

  std::uint16_t AddField(std::uint16_t g, std::uint16_t c, std::string_view name);
  DictField& GetField(std::uint16_t g, std::uint16_t c, std::uint16_t f) { return GetClass(g, c).fields[f]; }
  const DictField& GetField(std::uint16_t g, std::uint16_t c, std::uint16_t f) const {
    return GetClass(g, c).fields[f];
  }
  std::uint16_t FieldCount(std::uint16_t g, std::uint16_t c) const { return GetClass(g, c).fieldCount(); }

  std::uint16_t AddKey(std::uint16_t g, std::uint16_t c, std::uint16_t f, std::string_view text);
  std::uint16_t AddRefName(std::uint16_t g, std::uint16_t c, std::uint16_t f, std::string_view text);

  std::uint16_t AddObject(std::uint16_t g, std::uint16_t c, std::uint16_t layer);
  // The mutable overload is for storing: it grows the column (see DictClass::GetValue).
  FieldValue& GetValue(std::uint16_t g, std::uint16_t c, std::uint16_t f, std::uint16_t o) {
    return GetClass(g, c).GetValue(f, o);
  }
  const FieldValue& GetValue(std::uint16_t g, std::uint16_t c, std::uint16_t f, std::uint16_t o) const {
    return GetField(g, c, f).values[o];
  }
  void DeleteObject(std::uint16_t g, std::uint16_t c, std::uint16_t o);
  void DeleteLayerObjects(std::uint16_t layer);

  void BuildIndexes();
  bool FindClass(std::string_view name, std::uint16_t& g, std::uint16_t& c) const;
  const RefName& GetRefName(std::uint32_t i) const { return (*refNameIndex_)[i]; }
  std::uint32_t RefNameCount() const noexcept {
    return refNameIndex_ ? static_cast<std::uint32_t>(refNameIndex_->size()) : 0;
  }
  // The shared RefName of name i of a field; valid after BuildIndexes.
  const RefName& FieldRefName(const DictField& field, std::uint16_t i) const {
    return GetRefName(field.refNameLinks[i]);
  }
  bool HasClassIndex() const noexcept { return classIndex_.has_value(); }
  bool HasRefNameIndex() const noexcept { return refNameIndex_.has_value(); }

  void RemoveLastClass();
  void RemoveLastGroup();
  void Clear();

  // A text kept in the dictionary's pool, for the dictionary's own texts (names,
  // labels, units, bounds, keys): they live until Clear.
  CompactText PoolText(std::string_view text) { return texts_.Add(text); }
  // A value or comment as read from an input file. Read texts are kept together,
  // without an allocation each (most are a few bytes, and a large model holds
  // millions); a text the user changes later gets a block of its own. The pool
  // is given back when the store holds no object any more, or on Clear.
  CompactText ReadText(std::string_view text) { return readTexts_.Add(text); }

 private:
  TextPool texts_;  // before groups_: destroyed after the texts that borrow from it
  TextPool readTexts_;
  std::vector<DictGroup> groups_;
  std::optional<std::vector<ClassIndexEntry>> classIndex_;
  std::optional<std::vector<RefName>> refNameIndex_;
};

}  // namespace verdanto
