#include "ui/qt/CLoadDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <climits>
#include <exception>

#include "store/Dictionary.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/MessageBoxPrompter.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

// Maps the reader's progress onto the bar. The reader holds the only thread,
// so the bar repaints only when events are processed; that happens at most
// every few hundredths of a second, which costs the reader next to nothing.
class CLoadDialog::BarProgress final : public ProgressSink {
 public:
  explicit BarProgress(QProgressBar& bar) : bar_(bar) { sinceRepaint_.start(); }

  void SetRange(std::uint32_t maximum) override {
    bar_.setRange(0, ToBar(maximum));
    Repaint();
  }
  void SetPosition(std::uint32_t position) override {
    bar_.setValue(std::min(ToBar(position), bar_.maximum()));
    if (sinceRepaint_.elapsed() >= kRepaintMilliseconds) Repaint();
  }

 private:
  static constexpr qint64 kRepaintMilliseconds = 40;
  static int ToBar(std::uint32_t value) { return static_cast<int>(std::min<std::uint32_t>(value, INT_MAX)); }
  void Repaint() {
    // User input waits: a click must not start another command in the middle of a reading.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceRepaint_.restart();
  }

  QProgressBar& bar_;
  QElapsedTimer sinceRepaint_;
};

CLoadDialog::CLoadDialog(Dictionary& store, std::string path, LoadKind kind, QWidget* parent)
    : CLoadDialog(path,
                  [&store, path, kind](ProgressSink& progress, Prompter& prompter) {
                    return kind == LoadKind::LoadIdd ? LoadDictionary(path, store, progress, prompter)
                                                     : LoadInputFile(path, store, progress, prompter);
                  },
                  parent) {}

CLoadDialog::CLoadDialog(std::string path, Reader reader, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), reader_(std::move(reader)) {
  setObjectName(QStringLiteral("loadDialog"));
  setWindowTitle(QStringLiteral("Loading data"));
  setModal(true);

  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string::npos ? std::string_view(path)
                                                           : std::string_view(path).substr(slash + 1);
  text_ = new QLabel(QStringLiteral("Parsing %1").arg(ToWindowText(name)), this);
  text_->setObjectName(QStringLiteral("loadText"));
  text_->setTextFormat(Qt::PlainText);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("loadProgress"));
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);

  const DialogUnits units(font());
  setFixedSize(units.Size(200, 32));
  text_->setGeometry(units.Rect(6, 6, 188, 8));
  bar_->setGeometry(units.Rect(6, 20, 188, 6));
}

CLoadDialog::~CLoadDialog() = default;

void CLoadDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (started_) return;
  started_ = true;
  // Queued, so that this paint ends and the window shows before the reader
  // takes the thread.
  QMetaObject::invokeMethod(this, &CLoadDialog::RunReader, Qt::QueuedConnection);
}

void CLoadDialog::RunReader() {
  text_->repaint();
  bar_->repaint();
  BarProgress progress(*bar_);
  MessageBoxPrompter prompter(this);
  bool ok = false;
  // Nothing may leave through the event loop; a reader that runs out of memory
  // has failed like any other.
  try {
    ok = reader_(progress, prompter);
  } catch (const std::exception& error) {
    prompter.Show(error.what(), kAppCaption, Icon::Error, Buttons::Ok);
  }
  finished_ = true;
  done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void CLoadDialog::closeEvent(QCloseEvent* event) {
  if (finished_) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

// Escape would reject the dialog; a reading cannot be stopped.
void CLoadDialog::reject() {
  if (finished_) QDialog::reject();
}

bool QtLoadRunner::Run(LoadKind kind, const std::string& path, Dictionary& store) {
  CLoadDialog dialog(store, path, kind, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace verdanto
