#include "CadHostWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>
#include <exception>

#include "DrawingArea.h"
#include "PromptInput.h"
#include "base/Text.h"
#include "drawing/Pick.h"

namespace cadhost {

CadHostWindow::CadHostWindow() {
  setObjectName(QStringLiteral("cadHost"));
  session_.document().SetInApplicationContext(true);
  ShowDocumentName();

  drawing_ = new DrawingArea(session_);
  drawing_->keepFocusQuery = [this] { return keepFocus_ ? keepFocus_() : 0; };
  drawing_->clicked = [this](QPointF viewPoint) { AnswerClick(viewPoint); };
  session_.zoomExtents = [this] { drawing_->ZoomExtents(); };

  history_ = new QPlainTextEdit;
  history_->setObjectName(QStringLiteral("commandHistory"));
  history_->setReadOnly(true);
  history_->setFocusPolicy(Qt::NoFocus);
  history_->setFont(QFont(QStringLiteral("Monospace")));
  input_ = new QLineEdit;
  input_->setObjectName(QStringLiteral("commandInput"));
  input_->setFont(history_->font());
  connect(input_, &QLineEdit::returnPressed, this, &CadHostWindow::OnCommandEntered);
  // Keys typed over the drawing go to the command line, as in a CAD program.
  drawing_->setFocusProxy(input_);

  auto* prompt = new QHBoxLayout;
  prompt->setContentsMargins(0, 0, 0, 0);
  promptLabel_ = new QLabel(QStringLiteral("Command:"));
  promptLabel_->setObjectName(QStringLiteral("commandPrompt"));
  prompt->addWidget(promptLabel_);
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
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &CadHostWindow::CancelPrompt);
}

CadHostWindow::~CadHostWindow() = default;

void CadHostWindow::OnCommandEntered() {
  const QString line = input_->text();
  input_->clear();
  if (prompt_) {
    if (prompt_->done) return;  // answered already; its event loop is ending
    Print(line.toStdString());
    AnswerTyped(*prompt_, line);
  } else {
    RunCommandLine(line);
  }
}

void CadHostWindow::RunScript(const QStringList& lines, bool endCancels) {
  script_.insert(script_.end(), lines.begin(), lines.end());
  scriptEndCancels_ = endCancels;
  while (!script_.empty()) {
    const QString line = script_.front();
    script_.pop_front();
    RunCommandLine(line);
  }
  scriptEndCancels_ = false;
}

void CadHostWindow::RunCommandLine(const QString& line) {
  if (line.trimmed() == QStringLiteral("^C")) return;
  if (line.trimmed().isEmpty() && lastCommand_.isEmpty()) return;
  // Enter alone repeats the last command.
  const QString trimmed = line.trimmed().isEmpty() ? lastCommand_ : line.trimmed();
  PrintLine("Command: " + trimmed.toStdString());
  RunCommand(trimmed);
  ShowDocumentName();
  PostCommandPrompt();
}

void CadHostWindow::RunCommand(const QString& trimmed) {
  const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
  const QString name = blank < 0 ? trimmed : trimmed.left(blank);
  const QString argument = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
  const std::string upper = verdanto::ToUpperAscii(name.toStdString());
  lastCommand_ = name;

  if (CadSession::IsCommand(upper)) {
    session_.document().SetInApplicationContext(false);
    session_.Run(trimmed.toStdString(), console_);
    session_.document().SetInApplicationContext(true);
  } else if (upper == "APPLOAD" || upper == "APPUNLOAD") {
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
  session_.document().SetInApplicationContext(false);
  try {
    handler();
  } catch (const std::exception& error) {
    PrintLine(error.what());
  }
  session_.document().SetInApplicationContext(true);
  calling_ = outer;
  return true;
}

void CadHostWindow::Print(std::string_view text) {
  QScrollBar* scroll = history_->verticalScrollBar();
  history_->moveCursor(QTextCursor::End);
  history_->insertPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  scroll->setValue(scroll->maximum());
  drawing_->update();  // whatever printed may have changed the drawing too
}

void CadHostWindow::PrintLine(const std::string& text) {
  const bool atLineStart = history_->document()->lastBlock().text().isEmpty();
  Print(atLineStart ? text : "\n" + text);
}

void CadHostWindow::ShowDocumentName() {
  setWindowTitle(QStringLiteral("CAD Host - ") + QString::fromStdString(session_.document().Name()));
}

CadHostWindow::Prompt CadHostWindow::RunPrompt(PromptKind kind, std::string_view text, std::string_view keywords,
                                               bool allowSpaces) {
  Prompt prompt{kind, std::string(keywords), allowSpaces, false, {}, verdanto::kNoEntity};
  Print(text);
  drawing_->update();
  // The prompt's last line shows beside the input, as the command line's own prompt.
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
  const QString oldLabel = promptLabel_->text();
  promptLabel_->setText(shown.mid(shown.lastIndexOf(QLatin1Char('\n')) + 1));
  Prompt* const outer = prompt_;
  prompt_ = &prompt;
  while (!prompt.done && !script_.empty()) {
    const QString line = script_.front();
    script_.pop_front();
    Print(line.toStdString());
    AnswerTyped(prompt, line);
  }
  if (!prompt.done && scriptEndCancels_) prompt.done = true;  // cancelled, as the answer starts
  if (!prompt.done) {
    QEventLoop loop;
    std::function<void()> outerQuit = std::move(quitPrompt_);
    quitPrompt_ = [&loop] { loop.quit(); };
    loop.exec();
    quitPrompt_ = std::move(outerQuit);
  }
  prompt_ = outer;
  promptLabel_->setText(oldLabel);
  return prompt;
}

void CadHostWindow::AnswerTyped(Prompt& prompt, const QString& typed) {
  const std::string text = typed.toStdString();
  const std::string trimmed(verdanto::TrimBlanks(text));
  if (trimmed == "^C") {
    prompt.answer.status = verdanto::PromptStatus::Cancelled;
    prompt.done = true;
  } else if (prompt.kind == PromptKind::String) {
    prompt.answer = {verdanto::PromptStatus::Ok, prompt.allowSpaces ? text : trimmed.substr(0, trimmed.find(' '))};
    prompt.done = true;
  } else if (trimmed.empty()) {
    prompt.answer.status = verdanto::PromptStatus::Empty;
    prompt.done = true;
  } else if (prompt.kind == PromptKind::Point) {
    prompt.answer = {verdanto::PromptStatus::Ok, trimmed};
    prompt.done = true;
  } else if (prompt.kind == PromptKind::Keyword) {
    if (auto keyword = MatchKeyword(prompt.keywords, trimmed)) {
      prompt.answer = {verdanto::PromptStatus::Ok, std::move(*keyword)};
      prompt.done = true;
    } else {
      PrintLine("Invalid option keyword.");
    }
  } else {  // a pick: a handle typed
    std::uint64_t value = 0;
    const verdanto::Entity* entity =
        verdanto::ParseHandle(trimmed, value) ? session_.drawing().Find(trimmed) : nullptr;
    if (entity) {
      prompt.answer.status = verdanto::PromptStatus::Ok;
      prompt.entity = value;
      // A pick asked again (the plug-in refused the last one) shows only the new answer.
      if (prompt.kind == PromptKind::Pick) picked_.clear();
      picked_.insert(entity->handle);
      drawing_->SetHighlighted(picked_);
      prompt.done = true;
    } else {
      PrintLine("No entity has the handle " + trimmed + ".");
    }
  }
  if (prompt.done && &prompt == prompt_ && quitPrompt_) quitPrompt_();
}

void CadHostWindow::AnswerClick(QPointF viewPoint) {
  if (!prompt_ || prompt_->done) return;
  const verdanto::ViewPlane view = session_.viewPlane();
  if (prompt_->kind == PromptKind::Point) {
    // On the plane of the view through the UCS origin.
    const verdanto::Vec3 depth = verdanto::Cross(view.right, view.up);
    const verdanto::Vec3 world = viewPoint.x() * view.right + viewPoint.y() * view.up +
                                 verdanto::Dot(session_.document().ucs().origin, depth) * depth;
    const verdanto::Vec3 ucs = session_.document().WorldToUcsPoint(world);
    const QString typed = QStringLiteral("%1,%2,%3").arg(ucs.x, 0, 'g', 10).arg(ucs.y, 0, 'g', 10).arg(ucs.z, 0, 'g', 10);
    Print(typed.toStdString());
    AnswerTyped(*prompt_, typed);
    return;
  }
  if (prompt_->kind != PromptKind::Pick && prompt_->kind != PromptKind::Select) return;
  // A few pixels' reach, whatever the zoom.
  const std::string handle =
      verdanto::NearestEntity(session_.drawing(), view, viewPoint.x(), viewPoint.y(), 5 / drawing_->scale());
  if (!handle.empty()) {
    AnswerTyped(*prompt_, QString::fromStdString(handle));
  } else if (prompt_->kind == PromptKind::Pick) {
    prompt_->answer.status = verdanto::PromptStatus::Empty;
    prompt_->done = true;
    if (quitPrompt_) quitPrompt_();
  }
}

void CadHostWindow::CancelPrompt() {
  if (!prompt_ || prompt_->done) return;
  prompt_->answer.status = verdanto::PromptStatus::Cancelled;
  prompt_->done = true;
  if (quitPrompt_) quitPrompt_();
}

verdanto::PickAnswer CadHostWindow::PickEntity(std::string_view prompt) {
  const Prompt answered = RunPrompt(PromptKind::Pick, prompt);
  return {answered.answer.status, answered.entity};
}

verdanto::PickAnswer CadHostWindow::Console::SelectEntity(std::string_view prompt) {
  const Prompt answered = window_.RunPrompt(PromptKind::Select, prompt);
  return {answered.answer.status, answered.entity};
}

verdanto::PromptAnswer CadHostWindow::Console::GetPoint(std::string_view prompt) {
  return window_.RunPrompt(PromptKind::Point, prompt).answer;
}

verdanto::PromptAnswer CadHostWindow::GetKeyword(std::string_view keywords, std::string_view prompt) {
  return RunPrompt(PromptKind::Keyword, prompt, keywords).answer;
}

verdanto::PromptAnswer CadHostWindow::GetString(std::string_view prompt, bool allowSpaces) {
  return RunPrompt(PromptKind::String, prompt, {}, allowSpaces).answer;
}

void CadHostWindow::PostCommandPrompt() {
  if (prompt_) return;
  promptLabel_->setText(QStringLiteral("Command:"));
  // A dialogue is over: what it picked is no longer highlighted.
  picked_.clear();
  drawing_->SetHighlighted({});
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
  // A command waiting for an answer ends first, so that its event loop does not outlive the program.
  CancelPrompt();
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
