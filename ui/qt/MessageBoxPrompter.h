#pragma once
// The Prompter of the windows: a modal QMessageBox over `parent`.

#include <QPointer>
#include <QWidget>

#include "base/Platform.h"

namespace verdanto {

class MessageBoxPrompter final : public Prompter {
 public:
  explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace verdanto
