#include "CadHostWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>
#include <exception>

#include "DrawingArea.h"
#include "base/Text.h"

namespace cadhost {

CadHostWindow::CadHostWindow() {
  setObjectName(QStringLiteral("cadHost"));
  setWindowTitle(QStringLiteral("CAD Host - Drawing1.dwg"));

  drawing_ = new DrawingArea;
  drawing_->keepFocusQuery = [this] { return keepFocus_ ? keepFocus_() : 0; };

  history_ = new QPlainTextEdit;
  history_->setObjectName(QStringLiteral("commandHistory"));
  history_->setReadOnly(true);
  history_->setFocusPolicy(Qt::NoFocus);
  history_->setFont(QFont(QStringLiteral("Monospace")));
  input_ = new QLineEdit;
  input_->setObjectName(QStringLiteral("commandInput"));
  input_->setFont(history_->font());
  connect(input_, &QLineEdit::returnPressed, this, &CadHostWindow::OnCommandEntered);

  auto* prompt = new QHBoxLayout;
  prompt->setContentsMargins(0, 0, 0, 0);
  prompt->addWidget(new QLabel(QStringLiteral("Command:")));
  prompt->addWidget(input_);
  auto* commandLine = new QWidget;
  auto* column = new QVBoxLayout(commandLine);
  column->setContentsMargins(2, 2, 2, 2);
  column->addWidget(history_);
  column->addLayout(prompt);

  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(drawing_);
  splitter->addWidget(commandLine);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);
  resize(1000, 700);
  input_->setFocus();
}

CadHostWindow::~CadHostWindow() = default;

void CadHostWindow::OnCommandEntered() {
  const QString line = input_->text();
  input_->clear();
  RunCommandLine(line);
}

void CadHostWindow::RunCommandLine(const QString& line) {
  const QString trimmed = line.trimmed();
  if (trimmed.isEmpty()) return;
  PrintLine("Command: " + trimmed.toStdString());
  const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
  const QString name = blank < 0 ? trimmed : trimmed.left(blank);
  const QString argument = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
  const std::string upper = verdanto::ToUpperAscii(name.toStdString());

  if (upper == "APPLOAD" || upper == "APPUNLOAD") {
    if (argument.isEmpty()) {
      PrintLine(upper + " needs the plug-in's " + (upper == "APPLOAD" ? "path." : "name."));
    } else if (upper == "APPLOAD") {
      LoadPlugin(argument);
    } else {
      UnloadPlugin(argument);
    }
  } else if (upper == "QUIT") {
    close();
  } else if (!RunRegisteredCommand(upper)) {
    PrintLine("Unknown command \"" + upper + "\".");
  }
}

bool CadHostWindow::RunRegisteredCommand(const std::string& name) {
  const auto found = std::find_if(commands_.begin(), commands_.end(), [&](const Command& command) {
    return verdanto::EqualsNoCase(command.globalName, name) || verdanto::EqualsNoCase(command.localName, name);
  });
  if (found == commands_.end()) return false;
  // Copies: the command may remove its own group while it runs.
  const CommandHandler handler = found->handler;
  Plugin* const owner = found->owner;
  Plugin* const outer = calling_;
  calling_ = owner;
  try {
    handler();
  } catch (const std::exception& error) {
    PrintLine(error.what());
  }
  calling_ = outer;
  return true;
}

void CadHostWindow::Print(std::string_view text) {
  QScrollBar* scroll = history_->verticalScrollBar();
  history_->moveCursor(QTextCursor::End);
  history_->insertPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  scroll->setValue(scroll->maximum());
}

void CadHostWindow::PrintLine(const std::string& text) {
  const bool atLineStart = history_->document()->lastBlock().text().isEmpty();
  Print(atLineStart ? text : "\n" + text);
}

void CadHostWindow::AddCommand(std::string_view group, std::string_view globalName, std::string_view localName,
                               std::uint32_t flags, CommandHandler handler) {
  // A name registered again takes the new handler, as a redefinition does.
  std::erase_if(commands_, [&](const Command& command) { return verdanto::EqualsNoCase(command.globalName, globalName); });
  commands_.push_back({std::string(group), std::string(globalName), std::string(localName), flags,
                       std::move(handler), calling_});
}

void CadHostWindow::RemoveGroup(std::string_view group) {
  std::erase_if(commands_, [&](const Command& command) { return verdanto::EqualsNoCase(command.group, group); });
}

void CadHostWindow::PushResourceHandle(verdanto::ResourceHandle handle) { resourceStack_.push_back(handle); }

void CadHostWindow::PopResourceHandle() {
  if (resourceStack_.empty()) {
    qWarning("cadhost: resource handle popped more often than pushed");
    return;
  }
  resourceStack_.pop_back();
}

void CadHostWindow::SetKeepFocusQuery(KeepFocusQuery query) {
  keepFocus_ = std::move(query);
  keepFocusOwner_ = keepFocus_ ? calling_ : nullptr;
}

void CadHostWindow::closeEvent(QCloseEvent* event) {
  // Every plug-in hears that the program quits and may keep a window open
  // (to save its work first); then the program stays.
  if (!QuitPlugins()) {
    event->ignore();
    return;
  }
  if (!resourceStack_.empty()) qWarning("cadhost: %zu resource handles still pushed", resourceStack_.size());
  event->accept();
}

}  // namespace cadhost
