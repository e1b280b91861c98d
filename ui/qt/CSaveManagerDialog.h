#pragma once
// The save manager: a modal window that draws a SaveManagerModel. Its list has
// one checkable row per layer and the all-together row; "&Browse..." and a click
// in a "File Path" cell choose paths, "&Save" writes. OK (also Enter) hands the
// all-together path and the insert-comments choice back through Choices();
// Escape and the close box drop them.

#include <QDialog>
#include <memory>

#include "ui/models/SaveManagerModel.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace verdanto {

class CSaveManagerDialog : public QDialog {
  Q_OBJECT

 public:
  CSaveManagerDialog(const Dictionary& store, LayerList& layers, SaveChoices choices, Prompter& prompter,
                     FileChooser& chooser, QWidget* parent = nullptr);
  ~CSaveManagerDialog() override;

  // What the caller takes back when the window closed with OK.
  const SaveChoices& Choices() const { return model_->choices; }
  SaveManagerModel& Model() { return *model_; }

  void accept() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class View;
  class Rows;

  void SizeColumns();
  void ShowSelection();

  std::unique_ptr<SaveManagerModel> model_;
  std::unique_ptr<View> view_;
  Rows* rows_ = nullptr;
  QTableView* list_ = nullptr;
  QCheckBox* insertComments_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* progressLabel_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  bool syncing_ = false;  // the window itself moves the list's selection to the model's
};

}  // namespace verdanto
