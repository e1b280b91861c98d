#pragma once
// The main window without a window toolkit: the class tree as data, the
// selection, the rows of the detail and properties lists, the note texts, the
// buttons' states and every command of the window. A view draws this state and
// forwards the user's actions; it learns what changed through a
// MainWindowListener, item by item for the tree so that a tree of tens of
// thousands of objects is never rebuilt as a whole.
//
// The model owns the one Dictionary and the one LayerList. It follows the layer
// operations (delete, merge, reading files into a layer) as their
// ObjectTreeObserver, and the views of the layer list (the layers box, the layer
// manager) as its LayerListListener.

#include <cstdint>
#include <map>
#include <set>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"
#include "layers/LayerOps.h"
#include "layers/OpenFiles.h"
#include "store/Dictionary.h"
#include "surface/SurfaceFromRegion.h"
#include "surface/VertexFields.h"
#include "ui/models/FieldEditorModel.h"
#include "checks/OfferedValues.h"

namespace verdanto {

class FileChooser;
class Host;
class LoadRunner;
class Prompter;

// A tree item's 32-bit key: a group (g, 0), a class (g, c), an object (layer id, object index).
constexpr std::uint32_t MakeItemKey(std::uint16_t low, std::uint16_t high) {
  return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}

enum class TreeItemKind { None, Group, Class, Object };

struct TreeItem {
  TreeItemKind kind = TreeItemKind::None;
  std::uint16_t group = 0;
  std::uint16_t classNo = 0;  // Class and Object items
  std::uint16_t object = 0;   // Object items: the object's index in its class
  friend bool operator==(const TreeItem&, const TreeItem&) = default;
};

struct DetailRow {
  std::string id;      // the field's name (A1, N3, ...)
  std::string field;   // its label
  std::string units;
  std::string rfs;     // "x" when the field is required
  std::string value;   // the shown object's value, when the value column is there
};

// Parts of the window a change touched; a view redraws those.
enum ViewPart : unsigned {
  kTitlePart = 1u << 0,
  kTreeSelectionPart = 1u << 1,   // the model selected another tree item
  kDetailRowsPart = 1u << 2,      // all rows and columns of the detail list
  kValueColumnPart = 1u << 3,     // only the "<Object %d>" column
  kDetailSelectionPart = 1u << 4,
  kPropertiesPart = 1u << 5,
  kNotesPart = 1u << 6,           // memoText and noteText
  kButtonsPart = 1u << 7,
  kLayersBoxPart = 1u << 8,
};

class MainWindowListener {
 public:
  virtual ~MainWindowListener() = default;
  // The whole tree is rebuilt between the two calls.
  virtual void BeginTreeReset() {}
  virtual void EndTreeReset() {}
  // The object items of class (g, c) go from oldCount to newCount between the two
  // calls: newCount - oldCount items inserted at row `first`, or oldCount -
  // newCount removed from it. Every item from `first` on may show a new text.
  virtual void BeginObjectItemsChange(std::uint16_t /*g*/, std::uint16_t /*c*/, int /*first*/, int /*oldCount*/,
                                      int /*newCount*/) {}
  virtual void EndObjectItemsChange(std::uint16_t /*g*/, std::uint16_t /*c*/, int /*first*/, int /*newCount*/) {}
  virtual void ViewsChanged(unsigned /*parts*/) {}
  // Open all / Close all: expand or collapse every group and class item, select the
  // selected item again and scroll so that its group is the first visible row.
  virtual void SetAllExpanded(bool /*expanded*/, std::uint16_t /*groupOnTop*/) {}
  // A region selection runs on the host's command line with the window minimised.
  virtual void MinimiseWindow() {}
  virtual void RestoreWindow() {}
};

enum class CloseOutcome {
  Refused,    // a region selection runs, or the question was closed without an answer
  SaveFirst,  // the user wants to save: open the save manager, the window stays
  Release,    // destroy the window and release it
};

inline constexpr std::string_view kTitlePrefix = "Verdanto BETA Version - IDD Version ";
inline constexpr std::string_view kOpenIdfFilter = "EnergyPlus (*.idf)|*.idf||";

// "<Object %d> \"%s\"": the object's index plus 1 and its first value.
std::string ObjectText(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t o);

class MainWindowModel final : public LayerListListener, public ObjectTreeObserver {
 public:
  MainWindowModel(Prompter& prompter, FileChooser& chooser, LoadRunner& loader);
  ~MainWindowModel() override;
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  void SetListener(MainWindowListener* listener) { listener_ = listener; }

  // --- The window state -------------------------------------------------------
  Dictionary store;
  LayerList layers;
  std::uint16_t selectedGroup = 0;
  std::uint16_t selectedClass = 0;
  std::uint16_t selectedLayer = 0;  // 0: no object selected
  std::uint16_t selectedObject = 0;
  std::string title;
  std::string memoText;
  std::string noteText;
  std::int32_t keepFocus = 1;
  std::string saveAllPath;
  bool insertComments = true;
  std::int32_t relationsFlow = 0;
  std::int32_t relationsLayers = 0;
  std::int32_t relationsPotential = 0;
  LayerFilter fieldLayerFilter = LayerFilter::OnlyCurrent;
  bool selecting = false;  // a region selection runs
  bool rebuilding = false;  // tree selection changes are ignored meanwhile
  std::uint32_t vertexTriples = 0;
  std::int32_t vertexEntryOrder = 1;
  std::int32_t startingCorner = 0;

  // The lists and buttons as shown.
  std::vector<DetailRow> detailRows;
  bool hasValueColumn = false;
  std::string valueHeader;  // "<Object %d>" while the value column is there
  int selectedDetailRow = -1;
  std::vector<PropertyRow> propertyRows;
  bool addEnabled = false;
  bool dupEnabled = false;
  bool delEnabled = false;
  bool selectEnabled = false;  // at least 3 vertex triples

  // --- Creation ------------------------------------------------------------------
  // The start-up load of the dictionary (settings file, file chooser, loading
  // dialog); false when the user gave up. Then SetUp().
  bool Create(const std::string& settingsPath);
  // With the dictionary loaded: title, layer "0", the tree.
  void SetUp();
  void BuildTree();

  // --- The class tree --------------------------------------------------------------
  // What the views show: these read the tree as the listener was last told.
  int ObjectItemCount(std::uint16_t g, std::uint16_t c) const;
  std::uint16_t ObjectOfItem(std::uint16_t g, std::uint16_t c, int row) const;
  int RowOfObject(std::uint16_t g, std::uint16_t c, std::uint16_t o) const;  // -1 when not shown
  std::string ItemText(const TreeItem& item) const;
  std::uint32_t ItemKey(const TreeItem& item) const;
  const TreeItem& SelectedItem() const { return selectedItem_; }

  // The user selected a tree item (ignored while rebuilding).
  void SelectTreeItem(const TreeItem& item);
  // The user selected a row of the detail list; -1 when none is selected.
  void SelectDetailRow(int row);
  // Open all / Close all of the tree's context menu.
  void SetAllOpen(bool open);

  // --- Commands --------------------------------------------------------------------
  void AddObject();
  void DupObject();
  void DelObject();
  // A click in the detail list: the field to edit, when the click opens the editor.
  std::optional<FieldAddress> FieldToEdit(int row, int column) const;
  // The field editor closed; it hands back its layer filter whatever the result.
  void FieldEdited(const FieldAddress& target, bool accepted, LayerFilter filter);
  // "Open in file&name layer..." and "Open in &current layer...".
  void OpenFiles(OpenMode mode);
  // Closing: the guard, then the question about modified layers.
  CloseOutcome RequestClose();
  // The restore command: refused, with a message, while a region selection runs.
  bool RequestRestore();
  // "&Select...": a surface of the selected class from a region picked in the
  // host's active drawing, written over the selected object or added as a new one.
  void SelectRegion(Host& host);

  // --- LayerListListener: the layers box or the layer manager changed a layer ------
  void LayerSelectionChanged() override;

  // --- ObjectTreeObserver: the layer operations tell what became of the objects ------
  void BeginTreeChange(TreeChange kind) override;
  void EndTreeChange(TreeChange kind) override;
  void ObjectRemoved(std::uint16_t g, std::uint16_t c, std::uint16_t o) override;
  void ObjectRenumbered(std::uint16_t g, std::uint16_t c, std::uint16_t oldIndex, std::uint16_t newIndex) override;
  void ObjectHidden(std::uint16_t g, std::uint16_t c, std::uint16_t o) override;
  void ObjectShown(std::uint16_t g, std::uint16_t c, std::uint16_t o, std::uint16_t layerId) override;

 private:
  using ItemList = std::vector<std::uint16_t>;  // object indexes, ascending

  bool HasClass(std::uint16_t g, std::uint16_t c) const;
  // Items as changed so far; Staged copies them for a change that the views are
  // told about in Commit, one class at a time.
  const ItemList& Items(std::uint16_t g, std::uint16_t c) const;
  ItemList& Staged(std::uint16_t g, std::uint16_t c);
  // Tells the views of the staged changes, class by class: first the rows of
  // objects whose items went, then those of objects whose items came, each run
  // of rows on its own; a renumbered class only changes its items' texts.
  void Commit();
  void InsertItem(std::uint16_t g, std::uint16_t c, std::uint16_t o);
  // Removes an object's item; a selection on it moves to the next item of the
  // class, or to the class item.
  void RemoveItem(std::uint16_t g, std::uint16_t c, std::uint16_t o);

  TreeItem FollowFirstChildren(TreeItem item) const;
  void ShowSelection(const TreeItem& previous);
  // Sets the tree selection again (or what took the selected item's place) and
  // renews every list.
  void Reselect();
  void PickLayer(int picked);
  void ApplyLamp(int index);
  void ShowLayerObjects(std::uint16_t g, std::uint16_t c, const std::vector<std::uint16_t>& objectLayers,
                        std::uint16_t id);
  void HideLayerObjects(std::uint16_t g, std::uint16_t c, const std::vector<std::uint16_t>& objectLayers,
                        std::uint16_t id);
  void FillClassRows();
  void FillValueColumn();
  // Appends an object to the selected class in the current layer and selects it;
  // nothing when there is no class or no room.
  std::optional<std::uint16_t> AppendObject();
  // Writes an accepted surface over the selected object or into a new one.
  void WriteSurface(const SurfaceResult& result, bool overwrite);
  void UpdateButtons();
  void ShowLayerOfSelection();
  void Notify(unsigned parts);

  Prompter& prompter_;
  FileChooser& chooser_;
  LoadRunner& loader_;
  MainWindowListener* listener_ = nullptr;

  std::vector<std::vector<ItemList>> items_;  // [g][c], as the views were told
  std::map<std::uint32_t, ItemList> staged_;  // key (g, c)
  std::set<std::uint32_t> renumbered_;        // staged classes whose items only have new numbers
  TreeItem selectedItem_;
};

}  // namespace verdanto
