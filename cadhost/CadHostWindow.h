#pragma once
// The stand-in CAD program: a drawing and a command line. It implements the
// host interface for the plug-ins it loads with dlopen, passes its Host* to
// their entry points and runs the commands they register.

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "host/EmptyDocument.h"
#include "host/Host.h"

class QLineEdit;
class QPlainTextEdit;

namespace cadhost {

class DrawingArea;

class CadDocument final : public verdanto::EmptyDocument {
 public:
  CadDocument() : EmptyDocument("Drawing1.dwg") {}
};

class CadHostWindow final : public QMainWindow, public verdanto::Host {
  Q_OBJECT

 public:
  CadHostWindow();
  ~CadHostWindow() override;

  // Runs one command line as if typed: a command name, then its argument.
  void RunCommandLine(const QString& line);
  bool LoadPlugin(const QString& path);
  bool UnloadPlugin(const QString& name);

  // verdanto::Host
  void Print(std::string_view text) override;
  // No prompts yet: every one is answered as if cancelled.
  verdanto::PickAnswer PickEntity(std::string_view) override { return {}; }
  verdanto::PromptAnswer GetKeyword(std::string_view, std::string_view) override { return {}; }
  verdanto::PromptAnswer GetString(std::string_view, bool) override { return {}; }
  void PostCommandPrompt() override {}
  void AddCommand(std::string_view group, std::string_view globalName, std::string_view localName,
                  std::uint32_t flags, CommandHandler handler) override;
  void RemoveGroup(std::string_view group) override;
  void PushResourceHandle(verdanto::ResourceHandle handle) override;
  void PopResourceHandle() override;
  void SetKeepFocusQuery(KeepFocusQuery query) override;
  verdanto::HostDocument* ActiveDocument() override { return &document_; }

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
  DrawingArea* drawing_ = nullptr;
  CadDocument document_;
  std::vector<Command> commands_;
  std::vector<verdanto::ResourceHandle> resourceStack_;
  KeepFocusQuery keepFocus_;
  Plugin* keepFocusOwner_ = nullptr;
  std::vector<std::unique_ptr<Plugin>> plugins_;
  Plugin* calling_ = nullptr;  // the plug-in whose code runs now, if any
};

}  // namespace cadhost
