#include "ui/qt/QtFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/qt/TextConversion.h"

namespace verdanto {
namespace {

// Points the dialog at an initial file: its folder, and the name preselected.
void SelectInitial(QFileDialog& dialog, std::string_view initialName) {
  if (initialName.empty()) return;
  const QFileInfo info(ToWindowText(initialName));
  if (info.isDir()) {
    dialog.setDirectory(info.absoluteFilePath());
    return;
  }
  if (info.absoluteDir().exists()) dialog.setDirectory(info.absolutePath());
  dialog.selectFile(info.fileName());
}

std::optional<QStringList> Run(QFileDialog& dialog, std::string_view filter, std::string_view initialName) {
  dialog.setNameFilters(ToNameFilters(filter));
  SelectInitial(dialog, initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles();
}

}  // namespace

QStringList ToNameFilters(std::string_view filter) {
  QStringList filters;
  const QStringList parts = ToWindowText(filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    if (description.isEmpty()) break;  // the "||" that ends the list
    const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    if (patterns.isEmpty()) continue;  // a description without patterns lists nothing
    const QString listed = QStringLiteral("(%1)").arg(patterns);
    // Qt reads the patterns from the description's last parentheses; most
    // descriptions already end with them.
    filters << (description.endsWith(listed) ? description : description + QLatin1Char(' ') + listed);
  }
  return filters;
}

std::optional<std::vector<std::string>> QtFileChooser::OpenFiles(std::string_view filter,
                                                                 std::string_view initialName) {
  QFileDialog dialog(parent_.data(), QStringLiteral("Open"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  const std::optional<QStringList> chosen = Run(dialog, filter, initialName);
  if (!chosen) return std::nullopt;
  std::vector<std::string> paths;
  for (const QString& path : *chosen) paths.push_back(ToStoreText(path));
  return paths;
}

std::optional<std::string> QtFileChooser::OpenFile(std::string_view filter, std::string_view initialName) {
  QFileDialog dialog(parent_.data(), QStringLiteral("Open"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const std::optional<QStringList> chosen = Run(dialog, filter, initialName);
  if (!chosen) return std::nullopt;
  return ToStoreText(chosen->first());
}

std::optional<std::string> QtFileChooser::SaveFile(std::string_view filter, std::string_view defaultExtension,
                                                   std::string_view initialName, bool askOverwrite) {
  QFileDialog dialog(parent_.data(), QStringLiteral("Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToWindowText(defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !askOverwrite);
  const std::optional<QStringList> chosen = Run(dialog, filter, initialName);
  if (!chosen) return std::nullopt;
  return ToStoreText(chosen->first());
}

}  // namespace verdanto
