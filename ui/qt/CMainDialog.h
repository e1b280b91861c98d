#pragma once
// The main window: a modeless top-level window that draws a MainWindowModel and
// forwards the user's actions to it. It owns the model, and with it the one
// Dictionary and the one LayerList, until it is destroyed.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "base/Platform.h"
#include "host/Host.h"

namespace verdanto {

class MainWindowModel;

class CMainDialog : public QWidget {
  Q_OBJECT

 public:
  // `module` is the plug-in's resource handle, pushed on the host around every
  // modal window; `platform` gives the message boxes, file choosers, readings
  // and the units conversion.
  CMainDialog(Host& host, ResourceHandle module, const Platform& platform, std::string settingsPath,
              std::function<void()> releaseMainWindow, QWidget* parent = nullptr);
  ~CMainDialog() override;

  // Start-up load of the dictionary, then the layer "0" and the class tree; shows
  // the window. False when the user gave up finding the dictionary (the caller
  // deletes the window).
  bool Create();
  // Shows the window normally and raises it (refused while a region selection runs).
  void RestoreWindow();
  // The close question; calls releaseMainWindow when the window may go.
  void RunCloseProcedure();
  // The answer to the host's keep-focus query: 1, or 0 while a region selection runs.
  int KeepFocus() const;

  MainWindowModel& Model();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace verdanto
