#pragma once
// A main window over the small dictionary of the main-window tests, with
// scripted message boxes, file choosers and readings, for tests of the window
// and of the windows that it opens.

#include <gtest/gtest.h>

#include <QAction>
#include <QTableView>
#include <QTreeView>
#include <memory>
#include <string>

#include "tests/qt/WindowDriver.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MainWindowSupport.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "ui/models/MainWindowModel.h"
#include "ui/qt/CMainDialog.h"

namespace verdanto::testing {

struct WithMainDialog : ::testing::Test {
  TempFolder folder;
  FakeHost host;
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  MemoryLoadRunner loader{prompter};
  ScriptedConversions conversions;
  int released = 0;
  std::unique_ptr<CMainDialog> main;

  void SetUp() override { ASSERT_TRUE(MakeMain(prompter)); }

  // A new main window whose message boxes go to `boxes`, created as the host creates it.
  bool MakeMain(Prompter& boxes) {
    const std::string settings = folder.Write("Verdanto.ini", "[IDD PATH]\r\n/dictionaries/Energy+.idd");
    main.reset();
    main = std::make_unique<CMainDialog>(host, &host, Platform{boxes, chooser, loader, conversions}, settings,
                                         [this] { ++released; });
    return main->Create();
  }

  MainWindowModel& Model() { return main->Model(); }
  template <typename T>
  T* MainChild(const char* name) {
    return Child<T>(*main, name);
  }
  // Reads `idf` into the layer named after the file /models/<layer>.idf.
  void Read(const std::string& layer, const std::string& idf) {
    const std::string path = "/models/" + layer + ".idf";
    loader.files[path] = idf;
    chooser.multiAnswers.push_back(std::vector<std::string>{path});
    MainChild<QAction>("openFilenameLayerAction")->trigger();
  }
  // The class tree's item at a path of rows (group, class, object), and the texts of its children.
  QModelIndex TreeIndex(std::initializer_list<int> rows) {
    QModelIndex index;
    for (const int row : rows) index = MainChild<QTreeView>("classTree")->model()->index(row, 0, index);
    return index;
  }
  QStringList TreeChildren(std::initializer_list<int> rows) {
    const QAbstractItemModel& tree = *MainChild<QTreeView>("classTree")->model();
    const QModelIndex parent = TreeIndex(rows);
    QStringList out;
    for (int row = 0; row < tree.rowCount(parent); ++row) out << tree.index(row, 0, parent).data().toString();
    return out;
  }
  QStringList DetailColumn(int column) {
    const QAbstractItemModel& rows = *MainChild<QTableView>("detailList")->model();
    QStringList out;
    for (int row = 0; row < rows.rowCount(); ++row) out << rows.index(row, column).data().toString();
    return out;
  }
};

}  // namespace verdanto::testing
