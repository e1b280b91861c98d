#pragma once
// The units conversion window: a modal window that draws a ConversionModel.
// "Keep new" ends it with Accepted and the caller takes NewValue(); "Cancel",
// Escape and the close box end it with Rejected. Enter does nothing: the window
// has no default action.

#include <QDialog>
#include <memory>
#include <string>
#include <string_view>

#include "host/Host.h"
#include "ui/models/ConversionModel.h"
#include "base/Platform.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace verdanto {

class CConversionDialog : public QDialog {
  Q_OBJECT

 public:
  CConversionDialog(std::string value, std::string_view siUnit, std::string_view ipUnit, QWidget* parent = nullptr);
  ~CConversionDialog() override;

  ConversionModel& Model() { return model_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowNewValue();

  ConversionModel model_;
  QLineEdit* value_ = nullptr;
  QComboBox* choices_ = nullptr;
  QLineEdit* newValue_ = nullptr;
  QPushButton* keepNew_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Runs CConversionDialog over the active window, between a push and a pop of
// `module` on the host, as every window of the plug-in opens.
class QtConversionRunner final : public ConversionRunner {
 public:
  QtConversionRunner(Host& host, ResourceHandle module) : host_(host), module_(module) {}
  std::optional<std::string> Run(std::string_view value, std::string_view siUnit, std::string_view ipUnit) override;

 private:
  Host& host_;
  ResourceHandle module_;
};

}  // namespace verdanto
