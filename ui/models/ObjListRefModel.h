#pragma once
// The object-list and reference browser without a window toolkit: the list
// names in index order, the side shown, and the rows of the chosen name.

#include <cstdint>
#include <string>
#include <vector>

#include "relations/ReferenceRows.h"
#include "store/Dictionary.h"

namespace verdanto {

inline constexpr const char* kObjListRefTitle = "Object List - Reference";

// Widths of "Num", "Group", "Object" and "Field" for a list whose client area is
// `clientWidth` pixels wide: three tenths each for the texts, the rest for Num.
struct ObjListRefColumns {
  int num = 0, group = 0, object = 0, field = 0;
};
ObjListRefColumns ObjListRefColumnWidths(int clientWidth);

class ObjListRefModel {
 public:
  // The first name is chosen when there is one, and the object-list side.
  explicit ObjListRefModel(const Dictionary& store);

  std::vector<std::string> names;  // position i is RefName i
  int selectedName = -1;           // -1: none
  ReferenceSide side = ReferenceSide::ObjectList;
  std::vector<ReferenceRow> rows;

  // Each choice refills the rows, even when it did not change.
  void SelectName(int index);
  void SetSide(ReferenceSide shown);

 private:
  void Refill();
  const Dictionary& store_;
};

}  // namespace verdanto
