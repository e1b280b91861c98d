#pragma once
// The stand-in CAD program: a drawing and a command line. It implements the
// host interface for the plug-ins it loads with dlopen, passes its Host* to
// their entry points and runs the commands they register.

#include <QMainWindow>
#include <QPointF>
#include <deque>
#include <functional>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "CadSession.h"
#include "host/Host.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace cadhost {

class DrawingArea;

class CadHostWindow final : public QMainWindow, public verdanto::Host {
  Q_OBJECT

 public:
  CadHostWindow();
  ~CadHostWindow() override;

  // Runs one command line as if typed: a command name, then its argument.
  void RunCommandLine(const QString& line);
  bool LoadPlugin(const QString& path);
  bool UnloadPlugin(const QString& name);
  // Lines answered in turn, before anything typed: commands and answers to their prompts.
  // "^C" stands for Escape. With `endCancels`, a prompt left without an answer is cancelled.
  void RunScript(const QStringList& lines, bool endCancels);
  CadSession& Cad() { return session_; }

  // verdanto::Host
  void Print(std::string_view text) override;
  // Prompts wait in an event loop of their own, so the caller's dialogue reads as straight code.
  verdanto::PickAnswer PickEntity(std::string_view prompt) override;
  verdanto::PromptAnswer GetKeyword(std::string_view keywords, std::string_view prompt) override;
  verdanto::PromptAnswer GetString(std::string_view prompt, bool allowSpaces) override;
  void PostCommandPrompt() override;
  void AddCommand(std::string_view group, std::string_view globalName, std::string_view localName,
                  std::uint32_t flags, CommandHandler handler) override;
  void RemoveGroup(std::string_view group) override;
  void PushResourceHandle(verdanto::ResourceHandle handle) override;
  void PopResourceHandle() override;
  void SetKeepFocusQuery(KeepFocusQuery query) override;
  verdanto::HostDocument* ActiveDocument() override { return &session_.document(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Plugin {
    std::string path;  // absolute, as loaded
    std::string name;  // the file name, as APPUNLOAD names it
    void* handle = nullptr;
    verdanto::EntryPointFunction entry = nullptr;
  };
  struct Command {
    std::string group;
    std::string globalName;
    std::string localName;
    std::uint32_t flags = 0;
    CommandHandler handler;
    Plugin* owner = nullptr;  // whose code the handler is
  };

  enum class PromptKind { Pick, Select, Keyword, String, Point };
  struct Prompt {
    PromptKind kind = PromptKind::String;
    std::string keywords;
    bool allowSpaces = false;
    bool done = false;
    verdanto::PromptAnswer answer;
    verdanto::EntityId entity = verdanto::kNoEntity;
  };
  // The host's own commands see the command line through this.
  class Console final : public CommandConsole {
   public:
    explicit Console(CadHostWindow& window) : window_(window) {}
    void Print(std::string_view text) override { window_.Print(text); }
    verdanto::PickAnswer PickEntity(std::string_view prompt) override { return window_.PickEntity(prompt); }
    verdanto::PromptAnswer GetKeyword(std::string_view keywords, std::string_view prompt) override {
      return window_.GetKeyword(keywords, prompt);
    }
    verdanto::PromptAnswer GetString(std::string_view prompt, bool allowSpaces) override {
      return window_.GetString(prompt, allowSpaces);
    }
    void PostCommandPrompt() override { window_.PostCommandPrompt(); }
    verdanto::PickAnswer SelectEntity(std::string_view prompt) override;
    verdanto::PromptAnswer GetPoint(std::string_view prompt) override;

   private:
    CadHostWindow& window_;
  };

  Prompt RunPrompt(PromptKind kind, std::string_view text, std::string_view keywords = {}, bool allowSpaces = false);
  // Takes a typed answer, or says why not and leaves the prompt waiting.
  void AnswerTyped(Prompt& prompt, const QString& typed);
  void AnswerClick(QPointF viewPoint);
  void CancelPrompt();
  void RunCommand(const QString& line);
  void ShowDocumentName();

  // The host's own messages start on a fresh line, whatever was printed before.
  void PrintLine(const std::string& text);
  void OnCommandEntered();
  bool RunRegisteredCommand(const std::string& name);
  int CallEntryPoint(Plugin& plugin, int message);
  Plugin* FindPlugin(const QString& nameOrPath) const;
  void ForgetPlugin(Plugin& plugin);
  bool QuitPlugins();

  QPlainTextEdit* history_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLabel* promptLabel_ = nullptr;
  DrawingArea* drawing_ = nullptr;
  CadSession session_;
  Console console_{*this};
  Prompt* prompt_ = nullptr;             // the prompt waiting for an answer, if any
  std::function<void()> quitPrompt_;      // ends its event loop
  std::deque<QString> script_;
  bool scriptEndCancels_ = false;
  QString lastCommand_;
  std::set<std::string> picked_;          // highlighted while a command runs
  std::vector<Command> commands_;
  std::vector<verdanto::ResourceHandle> resourceStack_;
  KeepFocusQuery keepFocus_;
  Plugin* keepFocusOwner_ = nullptr;
  std::vector<std::unique_ptr<Plugin>> plugins_;
  Plugin* calling_ = nullptr;  // the plug-in whose code runs now, if any
};

}  // namespace cadhost
