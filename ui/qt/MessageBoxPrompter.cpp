#include "ui/qt/MessageBoxPrompter.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

#include "ui/qt/TextConversion.h"

namespace verdanto {
namespace {

QMessageBox::Icon ToBoxIcon(Icon icon) {
  switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Exclamation:
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToBoxButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Qt takes Escape and the close box of a Yes/No box for a click on No. Here they
// end the box without an answer, so that no question is decided by backing out.
class QuestionBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool Undecided() const noexcept { return undecided_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!event->matches(QKeySequence::Cancel)) {
      QMessageBox::keyPressEvent(event);
      return;
    }
    undecided_ = true;
    reject();
  }
  // Reached only when the user (or the system) closes the box, not when a button ends it.
  void closeEvent(QCloseEvent* event) override {
    undecided_ = true;
    QDialog::closeEvent(event);
  }

 private:
  bool undecided_ = false;
};

}  // namespace

Answer MessageBoxPrompter::Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) {
  QString shown = ToWindowText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QuestionBox box(ToBoxIcon(icon), ToWindowText(caption), shown, ToBoxButtons(buttons), parent_.data());
  box.setTextFormat(Qt::PlainText);  // paths and values are never markup
  if (buttons != Buttons::Ok) {
    box.setDefaultButton(buttons == Buttons::YesNoDefaultNo ? QMessageBox::No : QMessageBox::Yes);
  }
  const int clicked = box.exec();
  // A question closed without an answer decides nothing: every caller takes Cancel
  // as "leave everything as it is".
  if (box.Undecided()) return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  switch (clicked) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: break;
  }
  return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

}  // namespace verdanto
