// Pictures of the real windows for the documentation, made without a CAD host:
//   verdanto-screenshot --dictionary IDD --input IDF --main-window PNG
//                       [--field-editor PNG] [--class NAME] [--object NAME] [--field LABEL]
// It creates the main window as the plug-in does, reads the input file through
// the "Open in file&name layer..." menu command (the file chooser answers with
// it), selects the object in the class tree and saves the window. With
// --field-editor it then clicks the object's value cell of the field and saves
// the field editor that opens. Messages go to the standard error output.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <optional>
#include <string>

#include "host/QuietHost.h"
#include "base/Platform.h"
#include "ui/models/MainWindowModel.h"
#include "ui/qt/CMainDialog.h"
#include "ui/qt/QtPlatform.h"

namespace verdanto {
namespace {

// A host without a drawing: what the plug-in prints goes to the terminal.
class TerminalHost final : public QuietHost {
 public:
  void Print(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stderr); }
};

// Message boxes are printed, not shown; any message means the pictures would
// not show what they should.
class TerminalPrompter final : public Prompter {
 public:
  int shown = 0;
  Answer Show(std::string_view text, std::string_view caption, Icon, Buttons buttons) override {
    ++shown;
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
  }
};

// The file dialogs answer with the one input file.
class FixedFileChooser final : public FileChooser {
 public:
  explicit FixedFileChooser(std::string path) : path_(std::move(path)) {}
  std::optional<std::vector<std::string>> OpenFiles(std::string_view, std::string_view) override {
    return std::vector<std::string>{path_};
  }
  std::optional<std::string> OpenFile(std::string_view, std::string_view) override { return path_; }
  std::optional<std::string> SaveFile(std::string_view, std::string_view, std::string_view, bool) override {
    return std::nullopt;
  }

 private:
  std::string path_;
};

int Fail(const QString& why) {
  std::fprintf(stderr, "verdanto-screenshot: %s\n", qPrintable(why));
  return 1;
}

bool Save(QWidget& window, const QString& path) {
  QApplication::processEvents();
  return window.grab().save(path, "PNG");
}

// The object of class (g, c) whose first value is `name`; the first object when
// `name` is empty.
std::optional<std::uint16_t> FindObject(const Dictionary& store, std::uint16_t g, std::uint16_t c,
                                        const std::string& name) {
  const DictClass& dictClass = store.GetClass(g, c);
  if (dictClass.objectCount() == 0 || dictClass.fieldCount() == 0) return std::nullopt;
  if (name.empty()) return 0;
  for (std::uint16_t o = 0; o < dictClass.objectCount(); ++o) {
    if (dictClass.fields[0].values[o].value == name) return o;
  }
  return std::nullopt;
}

std::optional<int> FindFieldRow(const DictClass& dictClass, const std::string& label) {
  for (std::uint16_t f = 0; f < dictClass.fieldCount(); ++f) {
    if (dictClass.fields[f].label == label) return f;
  }
  return std::nullopt;
}

}  // namespace
}  // namespace verdanto

int main(int argc, char** argv) {
  using namespace verdanto;
  QApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Saves pictures of the Verdanto windows."));
  parser.addHelpOption();
  const QCommandLineOption dictionaryOption(QStringLiteral("dictionary"), QStringLiteral("The IDD file."),
                                            QStringLiteral("path"));
  const QCommandLineOption inputOption(QStringLiteral("input"), QStringLiteral("The IDF file to open."),
                                       QStringLiteral("path"));
  const QCommandLineOption mainOption(QStringLiteral("main-window"), QStringLiteral("PNG of the main window."),
                                      QStringLiteral("png"));
  const QCommandLineOption fieldOption(QStringLiteral("field-editor"), QStringLiteral("PNG of the field editor."),
                                       QStringLiteral("png"));
  const QCommandLineOption classOption(QStringLiteral("class"), QStringLiteral("Class of the object to select."),
                                       QStringLiteral("name"), QStringLiteral("BuildingSurface:Detailed"));
  const QCommandLineOption objectOption(QStringLiteral("object"),
                                        QStringLiteral("Name of the object to select (default: the first)."),
                                        QStringLiteral("name"));
  const QCommandLineOption fieldLabelOption(QStringLiteral("field"), QStringLiteral("Label of the field to edit."),
                                            QStringLiteral("label"), QStringLiteral("Construction Name"));
  parser.addOptions({dictionaryOption, inputOption, mainOption, fieldOption, classOption, objectOption,
                     fieldLabelOption});
  parser.process(app);
  if (!parser.isSet(dictionaryOption) || !parser.isSet(inputOption) || !parser.isSet(mainOption))
    return Fail(QStringLiteral("--dictionary, --input and --main-window are needed."));

  // The settings file the start-up load reads, naming the dictionary.
  QTemporaryDir settingsFolder;
  const QString settingsPath = settingsFolder.filePath(QStringLiteral("Verdanto.ini"));
  QFile settings(settingsPath);
  if (!settings.open(QIODevice::WriteOnly) ||
      settings.write("[IDD PATH]\r\n" + QFileInfo(parser.value(dictionaryOption)).absoluteFilePath().toUtf8()) < 0)
    return Fail(QStringLiteral("cannot write ") + settingsPath);
  settings.close();

  TerminalHost host;
  TerminalPrompter prompter;
  FixedFileChooser chooser(QFileInfo(parser.value(inputOption)).absoluteFilePath().toStdString());
  // Message boxes go to the terminal and the input file is fixed; the readings
  // and the units conversion are the real windows.
  QtPlatform windows(host, &host);
  const Platform real = windows.Services();
  CMainDialog window(host, &host, Platform{prompter, chooser, real.loader, real.conversions}, settingsPath.toStdString(),
                     [] {});
  if (!window.Create()) return Fail(QStringLiteral("the dictionary did not load."));
  QApplication::processEvents();

  window.findChild<QAction*>(QStringLiteral("openFilenameLayerAction"))->trigger();
  MainWindowModel& model = window.Model();
  std::uint16_t g = 0;
  std::uint16_t c = 0;
  if (!model.store.FindClass(parser.value(classOption).toStdString(), g, c))
    return Fail(QStringLiteral("no class ") + parser.value(classOption));
  const auto object = FindObject(model.store, g, c, parser.value(objectOption).toStdString());
  if (!object) return Fail(QStringLiteral("no such object in ") + parser.value(classOption));
  // Selected as a click in the tree would: the tree tells the model.
  auto* tree = window.findChild<QTreeView*>(QStringLiteral("classTree"));
  const QModelIndex classItem = tree->model()->index(c, 0, tree->model()->index(g, 0));
  tree->setCurrentIndex(tree->model()->index(model.RowOfObject(g, c, *object), 0, classItem));
  // Wide enough for the tree's names, as a user would pull the window wider.
  while (tree->horizontalScrollBar()->maximum() > 0 && window.width() < 1600) {
    window.resize(window.width() + 16, window.height());
    QApplication::processEvents();
  }

  // A click on the field's row (not on its value) shows the field's note.
  const auto row = FindFieldRow(model.store.GetClass(g, c), parser.value(fieldLabelOption).toStdString());
  if (!row) return Fail(QStringLiteral("no field ") + parser.value(fieldLabelOption));
  auto* detail = window.findChild<QTableView*>(QStringLiteral("detailList"));
  const QModelIndex idCell = detail->model()->index(*row, 0);
  detail->scrollTo(idCell);
  QTest::mouseClick(detail->viewport(), Qt::LeftButton, {}, detail->visualRect(idCell).center());
  if (prompter.shown != 0) return Fail(QStringLiteral("the windows showed messages."));
  if (!Save(window, parser.value(mainOption))) return Fail(QStringLiteral("cannot save ") + parser.value(mainOption));

  if (parser.isSet(fieldOption)) {
    const QModelIndex cell = detail->model()->index(*row, detail->model()->columnCount() - 1);
    bool saved = false;
    // The editor is modal: it is saved and cancelled from inside its own loop.
    QTimer::singleShot(300, [&] {
      QWidget* editor = QApplication::activeModalWidget();
      if (!editor) return;
      saved = Save(*editor, parser.value(fieldOption));
      editor->close();
    });
    QTest::mouseClick(detail->viewport(), Qt::LeftButton, {}, detail->visualRect(cell).center());
    if (!saved) return Fail(QStringLiteral("the field editor did not open."));
  }
  return prompter.shown == 0 ? 0 : 1;
}
