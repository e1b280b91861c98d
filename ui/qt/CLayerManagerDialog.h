#pragma once
// The layer manager: a modal window that draws a LayerManagerModel. Its list
// shows each layer's lamp, name (editable in place) and object count; several
// rows can be selected. Every command takes effect at once, so however the
// window is closed every change stays.

#include <QDialog>
#include <memory>

#include "ui/models/LayerManagerModel.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace verdanto {

class CLayerManagerDialog : public QDialog, private LayerManagerListener {
  Q_OBJECT

 public:
  // `tree` is the main window's class tree, which follows deletes and merges.
  CLayerManagerDialog(Dictionary& store, LayerList& layers, ObjectTreeObserver& tree, Prompter& prompter,
                      QWidget* parent = nullptr);
  ~CLayerManagerDialog() override;

  LayerManagerModel& Model() { return *model_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class LampDelegate;
  class List;

  void RowsChanged() override;  // LayerManagerListener
  void TakeSelection();
  void ShowButtons();
  void SizeColumns();

  std::unique_ptr<LayerManagerModel> model_;
  QLabel* currentLabel_ = nullptr;
  List* list_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* current_ = nullptr;
  QPushButton* mergeUp_ = nullptr;
  QPushButton* mergeDown_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool syncing_ = false;  // the window itself sets the list's rows and selection
};

}  // namespace verdanto
