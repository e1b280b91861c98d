// The main window's "&Select...": the surface tool run on the selected class
// and object, with the window minimised while the host's command line has it.

#include "base/Platform.h"
#include "host/Host.h"
#include "surface/SurfaceFromRegion.h"
#include "surface/VertexFields.h"
#include "ui/models/MainWindowModel.h"

namespace verdanto {

namespace {

// The host is named as the about box names it.
constexpr std::string_view kNoActiveDocument = "There is no document active in CAD.\r\nNo selection is available.";
constexpr std::string_view kOverwriteQuestion = "Overwrite surface name and vertices data?\r\n(if No add a new object)";

}  // namespace

void MainWindowModel::SelectRegion(Host& host) {
  if (!selectEnabled || selecting != 0) return;
  HostDocument* document = host.ActiveDocument();
  if (document == nullptr) {
    prompter_.Show(kNoActiveDocument, kAppCaption, Icon::Warning, Buttons::Ok);
    return;
  }
  bool overwrite = false;
  if (selectedLayer != 0) {
    const Answer answer = prompter_.Show(kOverwriteQuestion, kAppCaption, Icon::Warning, Buttons::YesNoCancel);
    if (answer == Answer::Cancel) return;
    overwrite = answer == Answer::Yes;
  }
  const std::uint16_t g = selectedGroup;
  const std::uint16_t c = selectedClass;
  const std::uint16_t selected = selectedObject;

  keepFocus = 0;
  if (listener_ != nullptr) listener_->MinimiseWindow();
  selecting = true;

  const DictClass& dictClass = store.GetClass(g, c);
  SurfaceRequest request;
  request.maxVertices = vertexTriples;
  request.asksName = HasSurfaceNameField(dictClass);
  if (overwrite && request.asksName) request.defaultName = dictClass.fields[0].values[selected].value.str();
  SurfaceSettings settings{vertexEntryOrder, startingCorner};
  const SurfaceResult result = RunSurfaceFromRegion(host, *document, request, settings);
  vertexEntryOrder = settings.vertexEntryOrder;
  startingCorner = settings.startingCorner;

  if (result.accepted) WriteSurface(result, overwrite);

  keepFocus = 1;
  selecting = false;
  if (listener_ != nullptr) listener_->RestoreWindow();
  Notify(kDetailRowsPart);
}

void MainWindowModel::WriteSurface(const SurfaceResult& result, bool overwrite) {
  std::uint16_t o = selectedObject;
  if (overwrite) {
    const int layerIndex = layers.ItemOfLayerId(selectedLayer);
    if (layers.IsValid(layerIndex)) layers.At(layerIndex).modified = true;
  } else {
    const auto added = AppendObject();
    if (!added) return;
    o = *added;
    Commit();
    SelectTreeItem({TreeItemKind::Object, selectedGroup, selectedClass, o});
  }
  DictClass& dictClass = store.GetClass(selectedGroup, selectedClass);
  if (!result.name.empty()) {
    dictClass.GetValue(0, o).value = result.name;
    Staged(selectedGroup, selectedClass);  // no item comes or goes; its text is new
    Commit();
  }
  WriteVertexFields(dictClass, o, result.vertices, overwrite);
  if (selectedItem_ == TreeItem{TreeItemKind::Object, selectedGroup, selectedClass, o}) {
    FillValueColumn();
    Notify(kValueColumnPart);
  }
}

}  // namespace verdanto
