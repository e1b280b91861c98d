#pragma once
// Checks the objects in the store the way the field editor checks one value,
// for reporting every doubtful value at once (verdanto check):
// - a non-empty value that the editor's check would question or refuse;
// - a non-empty value of an object-list field that names no object of its lists
//   (matched as the reference index matches: whole names, case ignored, over
//   the objects of all layers);
// - an empty value of a required field.
// By default the check judges as the simulation reads a file: a required field
// left empty takes its default, "autosize" and "autocalculate" are alike, an
// integer field takes a whole-number real (see CheckReadValue). Strict rules are
// the editor's own. Under both, an object-list field that also carries \reference
// fills that list with its values, and lists that no class fills are not judged.
// The store must not change while a StoreCheck is in use: it keeps views of the
// values that define each list.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "relations/NameSet.h"
#include "store/Dictionary.h"
#include "checks/ValueCheck.h"

namespace verdanto {

enum class CheckRules { AsRead, Strict };

class StoreCheck {
 public:
  // Called once per finding: object, field, and what is wrong in one sentence
  // (a text that lasts only for the call).
  using Report = std::function<void(std::uint16_t object, std::uint16_t field, std::string_view finding)>;

  explicit StoreCheck(const Dictionary& store, CheckRules rules = CheckRules::AsRead);

  // Checks objects first .. end - 1 of class (g, c), object by object and field by
  // field within each; returns the number of findings.
  std::uint32_t CheckObjects(std::uint16_t g, std::uint16_t c, std::uint16_t first, std::uint16_t end,
                             const Report& report);

 private:
  struct Finding {
    std::uint16_t object;
    std::uint16_t field;
    std::string_view text;  // a fixed message or an entry of unknownNames_
  };

  const NameSet& ListNames(std::uint32_t refName);
  bool FillsList(const DictField& field, std::size_t position) const;
  bool IsJudgeable(const DictField& field) const;
  bool NamesAnObject(const DictField& field, std::string_view value);
  std::string_view UnknownNameFinding(const DictField& field, std::string_view value);
  void CheckOne(const DictField& field, std::optional<PreparedCheck>& check, std::uint16_t o, std::uint16_t f,
                std::string_view value);

  const Dictionary& store_;
  CheckRules rules_;
  // By position in the reference-name index: the object-list fields that also fill
  // the list through \reference (the index counts them among its users only).
  std::vector<std::vector<FieldRef>> listFillers_;
  std::vector<std::unique_ptr<NameSet>> listNames_;   // by position in the reference-name index, made when needed
  std::vector<Finding> findings_;                     // of the objects being checked
  std::vector<std::optional<PreparedCheck>> checks_;  // by field of the class being checked
  std::deque<std::string> unknownNames_;              // texts of findings_ that are not fixed messages
};

// Appends the report line of one finding of object o of class (g, c), field f:
//   <file>:<line>: <class> <Object n> "<name>", field <name> - <label>: <finding>
// where <line> is the line the object began on (":<line>" is left out for an
// object not read from a file), n = o - firstOfFile + 1 counts the class's
// objects of that file from 1, and " - <label>" is left out for a field without
// a label. No line end.
void AppendFindingLine(std::string& line, std::string_view file, const Dictionary& store, std::uint16_t g,
                       std::uint16_t c, std::uint16_t o, std::uint16_t firstOfFile, std::uint16_t f,
                       std::string_view finding);

// What a finding says without the value it is about, for counting findings by kind:
// "names no object of <lists>" for a name that names no object, else the finding.
std::string_view FindingKind(std::string_view finding);

}  // namespace verdanto
