#include "ui/qt/CAboutDialog.h"

#include <QTextEdit>

#include "ui/qt/DialogUnits.h"

namespace verdanto {

QString CAboutDialog::AboutText() {
  return QStringLiteral(
             "Verdanto BETA Version\n"
             "Free CAD plug-in to create and edit\n"
             "EnergyPlus input files\n"
             "\n"
             "Verdanto developers\n"
             "EnergyPlus is a program of the\n"
             "U.S. Department of Energy\n"
             "\n"
             "This release: ") +
         QStringLiteral(__DATE__);
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(QStringLiteral("About Verdanto"));
  setModal(true);

  text_ = new QTextEdit(this);
  text_->setObjectName(QStringLiteral("aboutText"));
  text_->setReadOnly(true);
  // Read-only, but the caret still moves so the keyboard can scroll the text.
  text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  text_->setPlainText(AboutText());
  QTextCursor all(text_->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  all.mergeBlockFormat(centred);

  const DialogUnits units(font());
  setFixedSize(units.Size(190, 110));
  text_->setGeometry(units.Rect(11, 11, 168, 88));

  // The focus is on the text, with nothing selected and the caret in view.
  text_->setFocus();
  text_->moveCursor(QTextCursor::Start);
  text_->ensureCursorVisible();
}

}  // namespace verdanto
