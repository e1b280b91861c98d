#include "ui/qt/QtPlatform.h"

#include <QApplication>
#include <QWidget>

#include "ui/qt/MessageBoxPrompter.h"
#include "ui/qt/QtFileChooser.h"

namespace verdanto {

namespace {

// The window a modal window belongs over: the topmost modal one, else the active one.
QWidget* ActiveWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

QtPlatform::QtPlatform(Host& host, ResourceHandle module) : conversions_(host, module) {}

Answer QtPlatform::ActiveWindowPrompter::Show(std::string_view text, std::string_view caption, Icon icon,
                                              Buttons buttons) {
  return MessageBoxPrompter(ActiveWindow()).Show(text, caption, icon, buttons);
}

std::optional<std::vector<std::string>> QtPlatform::ActiveWindowFiles::OpenFiles(std::string_view filter,
                                                                                 std::string_view initialName) {
  return QtFileChooser(ActiveWindow()).OpenFiles(filter, initialName);
}

std::optional<std::string> QtPlatform::ActiveWindowFiles::OpenFile(std::string_view filter,
                                                                   std::string_view initialName) {
  return QtFileChooser(ActiveWindow()).OpenFile(filter, initialName);
}

std::optional<std::string> QtPlatform::ActiveWindowFiles::SaveFile(std::string_view filter,
                                                                   std::string_view defaultExtension,
                                                                   std::string_view initialName, bool askOverwrite) {
  return QtFileChooser(ActiveWindow()).SaveFile(filter, defaultExtension, initialName, askOverwrite);
}

bool QtPlatform::ActiveWindowLoader::Run(LoadKind kind, const std::string& path, Dictionary& store) {
  return QtLoadRunner(ActiveWindow()).Run(kind, path, store);
}

}  // namespace verdanto
