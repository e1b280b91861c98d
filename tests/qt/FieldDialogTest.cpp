#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

#include "tests/qt/ModalDialog.h"
#include "tests/qt/WithMainDialog.h"
#include "tests/support/FakeHost.h"
#include "tests/support/RecordingPrompter.h"
#include "ui/qt/CConversionDialog.h"
#include "ui/qt/CFieldDialog.h"

namespace verdanto::testing {
namespace {

template <typename T>
T* Child(QWidget& window, const char* name) {
  T* child = window.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

QStringList Entries(const QComboBox& box) {
  QStringList out;
  for (int i = 0; i < box.count(); ++i) out << box.itemText(i);
  return out;
}

// Replaces the text of an editable drop-down as the user does.
void Type(QComboBox& box, const QString& text) {
  box.lineEdit()->selectAll();
  QTest::keyClicks(box.lineEdit(), text);
}

enum SurfaceField : std::uint16_t { kName, kZoneName, kTilt, kTemperature };

// Zone (A1 \reference ZoneNames) and Surface: A1 Name; A2 Zone Name, an object
// list of ZoneNames; N1 Tilt, real <= 180 deg; N2 Temperature, C / F. One
// surface; zones "North" in layer "0" (current) and "South" in layer "Other".
struct FieldDialog : ::testing::Test {
  Dictionary store;
  LayerList layers;
  RecordingPrompter prompter;
  FakeHost host;
  std::uint16_t g = 0, surface = 0;

  void SetUp() override {
    g = store.AddGroup("Surfaces");
    const auto zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "ZoneNames");
    surface = store.AddClass(g, "Surface");
    Add("A1", "Name", FieldType::Alpha).note = "Unique name.\r\n";
    Add("A2", "Zone Name", FieldType::ObjectList);
    store.AddRefName(g, surface, kZoneName, "ZoneNames");
    DictField& tilt = Add("N1", "Tilt", FieldType::Real);
    tilt.units = "deg";
    tilt.maximum = "180";
    tilt.flags |= FieldFlag::MaxInclusive;
    DictField& temperature = Add("N2", "Temperature", FieldType::Real);
    temperature.units = "C";
    temperature.ipUnits = "F";
    store.BuildIndexes();
    layers.AddLayer("0", "");
    layers.SetCurrentLayer(0);
    const auto other = layers.At(layers.AddLayer("Other", "")).id;
    store.GetValue(g, zone, 0, store.AddObject(g, zone, kLayerZeroId)).value = "North";
    store.GetValue(g, zone, 0, store.AddObject(g, zone, other)).value = "South";
    store.AddObject(g, surface, kLayerZeroId);
  }

  DictField& Add(const char* name, const char* label, FieldType type) {
    DictField& field = store.GetField(g, surface, store.AddField(g, surface, name));
    field.label = label;
    field.SetType(type);
    return field;
  }
  FieldValue& Value(std::uint16_t f) { return store.GetValue(g, surface, f, 0); }
  std::unique_ptr<CFieldDialog> Open(std::uint16_t f) {
    auto dialog = std::make_unique<CFieldDialog>(store, layers, g, surface, 0, f, LayerFilter::OnlyCurrent, nullptr,
                                                 &prompter);
    dialog->UseHost(host, &host);
    dialog->show();
    return dialog;
  }
};

TEST_F(FieldDialog, ShowsTheFieldAndStoresAValueAfterTheQuestionIsAnsweredYes) {
  Value(kTilt) = FieldValue{"30", "old"};
  const auto dialog = Open(kTilt);
  EXPECT_EQ(dialog->windowTitle(), "N1 - Tilt");
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  auto* comment = Child<QPlainTextEdit>(*dialog, "commentBox");
  auto* properties = Child<QTableWidget>(*dialog, "propertiesList");
  EXPECT_EQ(value->currentText(), "30");
  EXPECT_FALSE(Child<QRadioButton>(*dialog, "onlyOnRadio")->isEnabled());
  EXPECT_EQ(properties->horizontalHeaderItem(0)->text(), "Properties");
  EXPECT_EQ(properties->horizontalHeader()->sectionSize(0), 100);
  EXPECT_EQ(properties->horizontalHeader()->sectionSize(1), properties->contentsRect().width() - 117);
  EXPECT_EQ(properties->rowCount(), 3);  // Units, Value <=, Type
  EXPECT_EQ(properties->item(1, 0)->text(), "Value <=");
  EXPECT_EQ(properties->item(1, 1)->text(), "180");

  Type(*value, "200");
  comment->selectAll();
  QTest::keyClicks(comment, "steep");
  QTest::keyClick(comment, Qt::Key_Return);  // a new line, not OK
  QTest::keyClicks(comment, "roof");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(prompter.messages.empty());

  prompter.script = {Answer::No, Answer::Yes};
  QTest::mouseClick(Child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
  EXPECT_TRUE(dialog->isVisible());  // No: the window stays, nothing is stored
  EXPECT_EQ(Value(kTilt).value, "30");
  QTest::keyClick(value->lineEdit(), Qt::Key_Return);  // Enter in the value box is OK
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(Value(kTilt).value, "200");
  EXPECT_EQ(Value(kTilt).comment, "steep\r\nroof");
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0].text,
            "The value entered is greater than the maximum allowed.\r\nDo you want to proceed anyway?");
}

TEST_F(FieldDialog, UntouchedAndPickedTextsKeepTheirBytes) {
  store.GetValue(g, 0, 0, 1).value = "S\xFC" "d";  // Windows-1252, not UTF-8
  Value(kName) = FieldValue{"Caf\xE9", "d\xE9j\xE0\r\nvu"};
  auto dialog = Open(kName);
  EXPECT_EQ(Child<QComboBox>(*dialog, "valueBox")->currentText(), QString::fromUtf8("Café"));
  EXPECT_EQ(Child<QPlainTextEdit>(*dialog, "commentBox")->toPlainText(), QString::fromUtf8("déjà\nvu"));
  dialog->accept();
  EXPECT_EQ(Value(kName).value, "Caf\xE9");
  EXPECT_EQ(Value(kName).comment, "d\xE9j\xE0\r\nvu");

  dialog = Open(kZoneName);
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  QTest::mouseClick(Child<QRadioButton>(*dialog, "onlyOnRadio"), Qt::LeftButton);
  value->setCurrentIndex(value->findText(QString::fromUtf8("Süd")));
  dialog->accept();
  EXPECT_EQ(Value(kZoneName).value, "S\xFC" "d");
}

TEST_F(FieldDialog, TheFilterRefillsTheNamesKeepsTheTextAndIsHandedBackOnCancel) {
  const auto dialog = Open(kZoneName);
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  auto* onlyOn = Child<QRadioButton>(*dialog, "onlyOnRadio");
  EXPECT_TRUE(onlyOn->isEnabled());
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "onlyCurrentRadio")->isChecked());
  EXPECT_EQ(Entries(*value), QStringList{"North"});
  Type(*value, "south");
  QTest::mouseClick(onlyOn, Qt::LeftButton);
  EXPECT_EQ(Entries(*value), (QStringList{"North", "South"}));
  EXPECT_EQ(value->currentText(), "south");  // the typed text stays
  EXPECT_EQ(value->currentIndex(), 1);       // and the list starts on its entry
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(dialog->Filter(), LayerFilter::OnlyOn);
  EXPECT_EQ(Value(kZoneName).value, "");
}

TEST_F(FieldDialog, ConvertsCToFInTheConversionWindowAndKeepsIt) {
  const auto dialog = Open(kTemperature);
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  Type(*value, "100");
  int shown = 0;
  WhenModalShown([&](QWidget& window) {
    ++shown;
    EXPECT_EQ(window.windowTitle(), "Units Conversion");
    EXPECT_EQ(host.resourceStack.size(), 1u);
    auto* choices = Child<QComboBox>(window, "choiceList");
    auto* newValue = Child<QLineEdit>(window, "newValueEdit");
    EXPECT_EQ(choices->count(), 160);
    EXPECT_EQ(choices->currentText(), "F -> C");  // from the field's IP unit to its SI unit
    EXPECT_EQ(Child<QLineEdit>(window, "valueEdit")->text(), "100");
    EXPECT_EQ(newValue->text(), "37.7777777777778");
    choices->setCurrentIndex(choices->findText("C -> F"));
    EXPECT_EQ(newValue->text(), "212");
    QTest::keyClick(&window, Qt::Key_Return);  // Enter does nothing
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(Child<QPushButton>(window, "keepNewButton"), Qt::LeftButton);
  });
  QTest::mouseClick(Child<QPushButton>(*dialog, "convertButton"), Qt::LeftButton);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(value->currentText(), "212");
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(host.pushCount, 1);
  EXPECT_EQ(Value(kTemperature).value, "");  // stored only on OK
}

TEST_F(FieldDialog, TheConversionWindowsOtherEndingsChangeNothingOrHandOverTheErrorText) {
  struct Case {
    const char* what;
    const char* typed;
    std::function<void(QWidget&)> end;
    const char* expected;
  };
  const Case cases[] = {
      {"Escape", "5", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); }, "5"},
      {"Cancel", "5", [](QWidget& w) { QTest::mouseClick(Child<QPushButton>(w, "cancelButton"), Qt::LeftButton); },
       "5"},
      {"close box", "5", [](QWidget& w) { w.close(); }, "5"},
      {"Keep new after an error", "5 x",
       [](QWidget& w) { QTest::mouseClick(Child<QPushButton>(w, "keepNewButton"), Qt::LeftButton); },
       "The value entered is not a real number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto dialog = Open(kTemperature);
    auto* value = Child<QComboBox>(*dialog, "valueBox");
    Type(*value, c.typed);
    int shown = 0;
    WhenModalShown([&](QWidget& window) {
      ++shown;
      c.end(window);
    });
    QTest::mouseClick(Child<QPushButton>(*dialog, "convertButton"), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(value->currentText(), c.expected);
  }
  EXPECT_TRUE(host.Balanced());
}

// The main window opens the editor on a click in the value column.
struct FieldEditorInMainWindow : WithMainDialog {
  QTableView* detail = nullptr;
  void SetUp() override {
    WithMainDialog::SetUp();
    Read("Zone1", "Zone, Z1, 1;\r\nZone, Z2, 2;\r\n");
    auto* tree = MainChild<QTreeView>("classTree");
    tree->setCurrentIndex(tree->model()->index(0, 0, tree->model()->index(0, 0, tree->model()->index(1, 0))));
    detail = MainChild<QTableView>("detailList");
    Model().layers.At(Model().layers.FindLayerByName("Zone1")).modified = false;
  }
  void ClickValue(int row) {
    const QModelIndex cell = detail->model()->index(row, 4);
    detail->scrollTo(cell);
    QTest::mouseClick(detail->viewport(), Qt::LeftButton, {}, detail->visualRect(cell).center());
  }
  bool Modified() { return Model().layers.At(Model().layers.FindLayerByName("Zone1")).modified; }
};

TEST_F(FieldEditorInMainWindow, OkRenamesTheCellAndTheTreeItemAndMarksTheLayer) {
  WhenModalShown([&](QWidget& editor) {
    EXPECT_EQ(editor.windowTitle(), "A1 - Name");
    EXPECT_EQ(host.resourceStack.size(), 1u);
    auto* value = Child<QComboBox>(editor, "valueBox");
    EXPECT_EQ(value->currentText(), "Z1");
    Type(*value, "Lobby");
    QTest::mouseClick(Child<QPushButton>(editor, "okButton"), Qt::LeftButton);
  });
  ClickValue(0);
  EXPECT_EQ(detail->model()->index(0, 4).data().toString(), "Lobby");
  EXPECT_EQ(ObjectItems(1, 0), (QStringList{"<Object 1> \"Lobby\"", "<Object 2> \"Z2\""}));
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(host.Balanced());
}

TEST_F(FieldEditorInMainWindow, CancelChangesNothing) {
  int shown = 0;
  WhenModalShown([&](QWidget& editor) {
    ++shown;
    Type(*Child<QComboBox>(editor, "valueBox"), "7");
    QTest::mouseClick(Child<QPushButton>(editor, "cancelButton"), Qt::LeftButton);
  });
  ClickValue(1);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(detail->model()->index(1, 4).data().toString(), "1");
  EXPECT_EQ(Model().store.GetValue(1, 0, 1, 0).value, "1");
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(host.Balanced());
}

}  // namespace
}  // namespace verdanto::testing
