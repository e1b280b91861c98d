#pragma once
// The field editor: a modal window that draws a FieldEditorModel for one value
// of one object. OK (also Enter outside the comment box) checks the value, asks,
// stores and closes; Cancel, Escape and the close box store nothing. Whatever
// the ending, Filter() is the layer filter as the user left it.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>

#include "host/Host.h"
#include "layers/LayerList.h"

class QButtonGroup;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace verdanto {

class ConversionRunner;
class Dictionary;
class FieldEditorModel;
class Prompter;
class QtConversionRunner;

class CFieldDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits field f of object o of class (g, c).
  CFieldDialog(Dictionary& store, const LayerList& layers, std::uint16_t g, std::uint16_t c, std::uint16_t o,
               std::uint16_t f, LayerFilter filter, Prompter& prompter, ConversionRunner& converter,
               QWidget* parent = nullptr);
  ~CFieldDialog() override;

  LayerFilter Filter() const;
  FieldEditorModel& Model() { return *model_; }

  void accept() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FillValues();
  // The value box's text; the list's current entry follows it.
  void ShowValue(const QString& text);
  void ChangeFilter(LayerFilter filter);
  void Convert();
  // The boxes' texts into the model, as store text: unchanged texts and picked
  // entries keep their bytes.
  void TakeTexts();
  std::string StoreValue(const QString& shown) const;
  void SizeColumns();

  std::unique_ptr<FieldEditorModel> model_;
  std::string shownValue_;    // the store text last put into the value box
  std::string shownComment_;  // the comment as it came from the store
  QComboBox* value_ = nullptr;
  QPushButton* convert_ = nullptr;
  QButtonGroup* filters_ = nullptr;
  QPlainTextEdit* note_ = nullptr;
  QPlainTextEdit* comment_ = nullptr;
  QTableWidget* properties_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace verdanto
