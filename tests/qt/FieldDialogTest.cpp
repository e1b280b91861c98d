#include "ui/qt/CFieldDialog.h"
#include "ui/qt/CConversionDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>

#include "tests/qt/WithMainDialog.h"
#include "tests/support/WindowScenarios.h"

namespace verdanto::testing {
namespace {

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

// The editor over SurfaceFields, with zones "North" in layer "0" (current) and
// "South" in layer "Other".
struct FieldDialog : ::testing::Test, SurfaceFields {
  RecordingPrompter prompter;
  FakeHost host;
  QtConversionRunner conversions{host, &host};  // the real window, opened as the plug-in opens it

  void SetUp() override {
    AddZone("North", zeroId);
    AddZone("South", otherId);
  }
  std::unique_ptr<CFieldDialog> Open(std::uint16_t f) {
    auto dialog =
        std::make_unique<CFieldDialog>(store, layers, g, surface, 0, f, LayerFilter::OnlyCurrent, prompter, conversions);
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
  EXPECT_EQ(properties->rowCount(), 5);  // Units, Value >=, Value <=, Default, Type
  EXPECT_EQ(properties->item(2, 0)->text() + properties->item(2, 1)->text(), "Value <=180");

  Type(*value, "200");
  comment->selectAll();
  QTest::keyClicks(comment, "steep");
  QTest::keyClick(comment, Qt::Key_Return);  // a new line, not OK
  QTest::keyClicks(comment, "roof");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(prompter.messages.empty());

  prompter.script = {Answer::No, Answer::Yes};
  Click(*dialog, "okButton");
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
  store.GetValue(g, zone, 0, 1).value = "S\xFC" "d";  // Windows-1252, not UTF-8
  Value(kName) = FieldValue{"Caf\xE9", "d\xE9j\xE0\r\nvu"};
  auto dialog = Open(kName);
  EXPECT_EQ(Child<QComboBox>(*dialog, "valueBox")->currentText(), QString::fromUtf8("Café"));
  EXPECT_EQ(Child<QPlainTextEdit>(*dialog, "commentBox")->toPlainText(), QString::fromUtf8("déjà\nvu"));
  dialog->accept();
  EXPECT_EQ(Value(kName).value, "Caf\xE9");
  EXPECT_EQ(Value(kName).comment, "d\xE9j\xE0\r\nvu");

  dialog = Open(kZoneName);
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  Click(*dialog, "onlyOnRadio");
  value->setCurrentIndex(value->findText(QString::fromUtf8("Süd")));
  dialog->accept();
  EXPECT_EQ(Value(kZoneName).value, "S\xFC" "d");
}

TEST_F(FieldDialog, TheFilterRefillsTheNamesKeepsTheTextAndIsHandedBackOnCancel) {
  const auto dialog = Open(kZoneName);
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "onlyCurrentRadio")->isChecked());
  EXPECT_EQ(Entries(*value), QStringList{"North"});
  Type(*value, "south");
  Click(*dialog, "onlyOnRadio");
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
    Click(window, "keepNewButton");
  });
  Click(*dialog, "convertButton");
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(value->currentText(), "212");
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(host.pushCount, 1);
  EXPECT_EQ(Value(kTemperature).value, "");  // stored only on OK
}

TEST_F(FieldDialog, TheConversionWindowsOtherEndingsChangeNothingOrHandOverTheErrorText) {
  const struct {
    const char* what;
    const char* typed;
    std::function<void(QWidget&)> end;
    const char* expected;
  } cases[] = {
      {"Escape", "5", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); }, "5"},
      {"Cancel", "5", [](QWidget& w) { Click(w, "cancelButton"); }, "5"},
      {"close box", "5", [](QWidget& w) { w.close(); }, "5"},
      {"Keep new after an error", "5 x", [](QWidget& w) { Click(w, "keepNewButton"); },
       "The value entered is not a real number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto dialog = Open(kTemperature);
    auto* value = Child<QComboBox>(*dialog, "valueBox");
    Type(*value, c.typed);
    int shown = 0;
    WhenModalShown([&](QWidget& window) {
      ++shown;
      c.end(window);
    });
    Click(*dialog, "convertButton");
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
    MainChild<QTreeView>("classTree")->setCurrentIndex(TreeIndex({1, 0, 0}));
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

TEST_F(FieldEditorInMainWindow, CancelChangesNothingAndOkRenamesTheCellAndTheTreeItemAndMarksTheLayer) {
  int shown = 0;
  WhenModalShown([&](QWidget& editor) {
    ++shown;
    Type(*Child<QComboBox>(editor, "valueBox"), "7");
    Click(editor, "cancelButton");
  });
  ClickValue(1);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(DetailColumn(4), (QStringList{"Z1", "1"}));
  EXPECT_EQ(Model().store.GetValue(1, 0, 1, 0).value, "1");
  EXPECT_FALSE(Modified());

  WhenModalShown([&](QWidget& editor) {
    EXPECT_EQ(editor.windowTitle(), "A1 - Name");
    EXPECT_EQ(host.resourceStack.size(), 1u);
    auto* value = Child<QComboBox>(editor, "valueBox");
    EXPECT_EQ(value->currentText(), "Z1");
    Type(*value, "Lobby");
    Click(editor, "okButton");
  });
  ClickValue(0);
  EXPECT_EQ(DetailColumn(4), (QStringList{"Lobby", "1"}));
  EXPECT_EQ(TreeChildren({1, 0}), (QStringList{"<Object 1> \"Lobby\"", "<Object 2> \"Z2\""}));
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(host.Balanced());
}

// Widths given in pixels were made for a narrower font than the windows may use.
TEST_F(FieldDialog, PropertyNamesFitTheirColumnInTheWindowsFont) {
  const auto dialog = Open(kTilt);
  auto* properties = Child<QTableWidget>(*dialog, "propertiesList");
  const int margins = 2 * (properties->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  for (const char* name : {"Autocalculatable", "Required field", "Retaincase"}) {
    EXPECT_GE(properties->horizontalHeader()->sectionSize(0),
              properties->fontMetrics().horizontalAdvance(QString::fromLatin1(name)) + margins)
        << name;
  }
}

}  // namespace
}  // namespace verdanto::testing
