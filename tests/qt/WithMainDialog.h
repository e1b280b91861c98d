#pragma once
// A main window over the small dictionary of the main-window tests, with
// scripted message boxes, file choosers and readings, for tests of the windows
// that it opens.

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTreeView>
#include <memory>
#include <string>

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
  int released = 0;
  std::unique_ptr<CMainDialog> main;

  void SetUp() override {
    const std::string settings = folder.Write("Verdanto.ini", "[IDD PATH]\r\n/dictionaries/Energy+.idd");
    main = std::make_unique<CMainDialog>(host, settings, [this] { ++released; });
    main->UseServices(&prompter, &chooser, &loader);
    loader.store = &main->Model().store;
    ASSERT_TRUE(main->Create());
  }

  MainWindowModel& Model() { return main->Model(); }
  template <typename T>
  T* MainChild(const char* name) {
    T* child = main->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // Reads `idf` into the layer named after the file /models/<layer>.idf.
  void Read(const std::string& layer, const std::string& idf) {
    const std::string path = "/models/" + layer + ".idf";
    loader.files[path] = idf;
    chooser.multiAnswers.push_back(std::vector<std::string>{path});
    MainChild<QAction>("openFilenameLayerAction")->trigger();
  }
  // The texts of the object items under class c of group g in the class tree.
  QStringList ObjectItems(int g, int c) {
    auto* tree = MainChild<QTreeView>("classTree");
    const QModelIndex parent = tree->model()->index(c, 0, tree->model()->index(g, 0));
    QStringList out;
    for (int row = 0; row < tree->model()->rowCount(parent); ++row)
      out << tree->model()->index(row, 0, parent).data().toString();
    return out;
  }
};

}  // namespace verdanto::testing
