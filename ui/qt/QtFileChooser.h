#pragma once
// The FileChooser of the windows: modal QFileDialogs over `parent`.

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "base/Platform.h"

namespace verdanto {

class QtFileChooser final : public FileChooser {
 public:
  explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}

  std::optional<std::vector<std::string>> OpenFiles(std::string_view filter, std::string_view initialName) override;
  std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialName) override;
  std::optional<std::string> SaveFile(std::string_view filter, std::string_view defaultExtension,
                                      std::string_view initialName, bool askOverwrite) override;

 private:
  QPointer<QWidget> parent_;
};

// "Desc|pattern;pattern|...||" as QFileDialog name filters, "Desc (pattern pattern)".
QStringList ToNameFilters(std::string_view filter);

}  // namespace verdanto
