#pragma once
// The field editor without a window toolkit: one value of one object (field f
// of object o of class (g, c)) with its comment, what the dictionary says of the
// field, the values offered for it, and the editor's commands. A view draws
// these members, writes the user's value and comment texts into valueText and
// commentText before it runs a command, and shows what the command changed.
//
// Texts are 8-bit store text. The store is written only by a successful Ok().

#include <cstdint>
#include <string>
#include <vector>

#include "layers/LayerList.h"
#include "store/Dictionary.h"
#include "base/Platform.h"
#include "checks/OfferedValues.h"

namespace verdanto {

class Prompter;

struct FieldAddress {
  std::uint16_t group = 0;
  std::uint16_t classNo = 0;
  std::uint16_t object = 0;
  std::uint16_t field = 0;
};

enum class OkResult {
  Stored,       // the value and the comment are in the store: the window closes with OK
  BackToValue,  // nothing was stored: the window stays open, the focus goes back to the value box
};

class FieldEditorModel {
 public:
  // The address must name an existing object and field. `filter` is the choice
  // the main window kept from the last editor.
  FieldEditorModel(Dictionary& store, const LayerList& layers, const FieldAddress& at, LayerFilter filter,
                   Prompter& prompter, ConversionRunner& converter);

  // Fixed while the editor is open.
  std::string title;
  std::vector<PropertyRow> propertyRows;
  std::string noteText;
  bool filterEnabled = false;  // the filter only chooses the names an object-list field offers

  // What the user changes.
  std::string valueText;
  std::string commentText;  // lines joined by CR LF
  LayerFilter layerFilter = LayerFilter::OnlyCurrent;  // handed back to the main window on OK and Cancel alike
  std::vector<std::string> offeredValues;  // the value drop-down, sorted without regard to case

  // The user picked a filter choice. Only a real change (on an object-list field)
  // refills offeredValues; valueText stays. True when the list was refilled.
  bool ChangeFilter(LayerFilter filter);
  // "&C": the conversion window on valueText and the field's units. True when it
  // ended with "Keep new" and its text replaced valueText.
  bool Convert();
  // OK: checks valueText; a question is asked through the prompter and a refusal
  // shown. Stores value and comment when the value is accepted or the user says Yes.
  OkResult Ok();

  const FieldAddress& Address() const { return at_; }
  const DictField& Field() const { return store_.GetField(at_.group, at_.classNo, at_.field); }

 private:
  Dictionary& store_;
  const LayerList& layers_;
  FieldAddress at_;
  Prompter& prompter_;
  ConversionRunner& converter_;
};

// A comment as the store keeps it: every line break (CR LF, a lone CR or a lone
// LF) becomes CR LF, so that each line is written as a comment line of its own.
std::string CommentWithStoreLineEnds(std::string_view comment);

}  // namespace verdanto
