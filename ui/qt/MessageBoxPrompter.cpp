#include "ui/qt/MessageBoxPrompter.h"

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
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

Answer MessageBoxPrompter::Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) {
  QString shown = ToWindowText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(ToBoxIcon(icon), ToWindowText(caption), shown, ToBoxButtons(buttons), parent_.data());
  box.setTextFormat(Qt::PlainText);  // paths and values are never markup
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: break;
  }
  // Closing a question box with Escape or its close button.
  if (buttons == Buttons::YesNoCancel) return Answer::Cancel;
  if (buttons == Buttons::YesNo) return Answer::No;
  return Answer::Ok;
}

}  // namespace verdanto
