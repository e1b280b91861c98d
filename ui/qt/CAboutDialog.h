#pragma once
// The modal "About Verdanto" box: one read-only, centred text. It closes with
// its close button or Escape.

#include <QDialog>

class QTextEdit;

namespace verdanto {

class CAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDialog(QWidget* parent = nullptr);

  // The lines of the box, separated by "\n".
  static QString AboutText();

 private:
  QTextEdit* text_ = nullptr;
};

}  // namespace verdanto
