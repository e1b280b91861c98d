// The field editor draws its model and forwards the user's acts; the checks,
// the offered values and the filter's logic are the model tests' concern.

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

TEST_F(FieldDialog, PropertyNamesFitStoresOnlyAfterYesAndEnterInTheCommentIsANewLine) {
  Value(kTilt) = FieldValue{"30", "old"};
  const auto dialog = Open(kTilt);
  auto* value = Child<QComboBox>(*dialog, "valueBox");
  auto* comment = Child<QPlainTextEdit>(*dialog, "commentBox");
  auto* properties = Child<QTableWidget>(*dialog, "propertiesList");
  EXPECT_EQ(std::tuple(dialog->windowTitle(), value->currentText(), Child<QRadioButton>(*dialog, "onlyOnRadio")->isEnabled(),
                       properties->item(2, 0)->text() + properties->item(2, 1)->text()),
            std::tuple("N1 - Tilt", "30", false, "Value <=180"));
  // Property names fit their column: widths given in pixels were made for a narrower font than the windows may use.
  const int margins = 2 * (properties->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  for (const char* name : {"Autocalculatable", "Required field", "Retaincase"})
    EXPECT_GE(properties->horizontalHeader()->sectionSize(0),
              properties->fontMetrics().horizontalAdvance(QString::fromLatin1(name)) + margins) << name;

  Type(*value, "200");
  comment->selectAll();
  QTest::keyClicks(comment, "steep");
  QTest::keyClick(comment, Qt::Key_Return);  // a new line, not OK
  QTest::keyClicks(comment, "roof");
  EXPECT_TRUE(dialog->isVisible());
  prompter.script = {Answer::No, Answer::Yes};
  Click(*dialog, "okButton");  // No: the window stays, nothing is stored
  EXPECT_EQ(std::tuple(dialog->isVisible(), Value(kTilt).value.str()), std::tuple(true, "30"));
  QTest::keyClick(value->lineEdit(), Qt::Key_Return);  // Enter in the value box is OK
  EXPECT_EQ(std::tuple(dialog->isVisible(), dialog->result()), std::tuple(false, int{QDialog::Accepted}));
  EXPECT_EQ(std::tuple(Value(kTilt).value.str(), Value(kTilt).comment.str(), prompter.messages.size()),
            std::tuple("200", "steep\r\nroof", 2u));
}

TEST_F(FieldDialog, UntouchedAndPickedTextsKeepTheirBytes) {
  store.GetValue(g, zone, 0, 1).value = "S\xFC" "d";  // Windows-1252, not UTF-8
  Value(kName) = FieldValue{"Caf\xE9", "d\xE9j\xE0\r\nvu"};
  auto dialog = Open(kName);
  EXPECT_EQ(std::tuple(Child<QComboBox>(*dialog, "valueBox")->currentText(), Child<QPlainTextEdit>(*dialog, "commentBox")->toPlainText()),
            std::tuple(QString::fromUtf8("Café"), QString::fromUtf8("déjà\nvu")));
  dialog->accept();
  EXPECT_EQ(std::tuple(Value(kName).value.str(), Value(kName).comment.str()), std::tuple("Caf\xE9", "d\xE9j\xE0\r\nvu"));

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
  EXPECT_EQ(std::tuple(Child<QRadioButton>(*dialog, "onlyCurrentRadio")->isChecked(), value->count()), std::tuple(true, 1));
  Type(*value, "south");
  Click(*dialog, "onlyOnRadio");
  EXPECT_EQ(std::tuple(value->count(), value->currentText(), value->currentIndex()), std::tuple(2, "south", 1));
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_EQ(std::tuple(dialog->result(), dialog->Filter(), Value(kZoneName).value.str()),
            std::tuple(int{QDialog::Rejected}, LayerFilter::OnlyOn, ""));
}

// Only Keep new hands a value back; Escape, Cancel and the close box change nothing.
TEST_F(FieldDialog, TheConversionWindowHandsBackTheNewValueOnlyOnKeepNew) {
  const struct {
    const char* what;
    const char* typed;
    void (*end)(QWidget&);
    const char* expected;
  } cases[] = {
      {"Keep new, C -> F", "100",
       [](QWidget& w) {
         EXPECT_EQ(Child<QLineEdit>(w, "valueEdit")->text(), "100");
         auto* choices = Child<QComboBox>(w, "choiceList");
         choices->setCurrentIndex(choices->findText("C -> F"));
         QTest::keyClick(&w, Qt::Key_Return);  // Enter does nothing
         EXPECT_TRUE(w.isVisible());
         Click(w, "keepNewButton");
       },
       "212"},
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
      EXPECT_EQ(host.resourceStack.size(), 1u);
      c.end(window);
    });
    Click(*dialog, "convertButton");  // stored only on OK
    EXPECT_EQ(std::tuple(shown, value->currentText(), Value(kTemperature).value.str()), std::tuple(1, c.expected, ""));
  }
  EXPECT_TRUE(host.Balanced());
}

// The main window opens the editor on a click in the value column.
TEST_F(WithMainDialog, AClickInTheValueColumnEditsTheFieldAndOkRenamesTheTreeItem) {
  Read("Zone1", "Zone, Z1, 1;\r\nZone, Z2, 2;\r\n");
  MainChild<QTreeView>("classTree")->setCurrentIndex(TreeIndex({1, 0, 0}));
  Layer& zone1 = Model().layers.At(Model().layers.FindLayerByName("Zone1"));
  zone1.modified = false;
  auto* detail = MainChild<QTableView>("detailList");
  const auto clickValue = [&](int row) {
    QTest::mouseClick(detail->viewport(), Qt::LeftButton, {}, detail->visualRect(detail->model()->index(row, 4)).center());
  };
  WhenModalShown([&](QWidget& editor) {
    Type(*Child<QComboBox>(editor, "valueBox"), "7");
    Click(editor, "cancelButton");
  });
  clickValue(1);
  EXPECT_EQ(std::tuple(DetailColumn(4), zone1.modified), std::tuple(QStringList{"Z1", "1"}, false));

  WhenModalShown([&](QWidget& editor) {
    EXPECT_EQ(std::tuple(editor.windowTitle(), host.resourceStack.size()), std::tuple("A1 - Name", 1u));
    Type(*Child<QComboBox>(editor, "valueBox"), "Lobby");
    Click(editor, "okButton");
  });
  clickValue(0);
  EXPECT_EQ(DetailColumn(4) + TreeChildren({1, 0}), (QStringList{"Lobby", "1", "<Object 1> \"Lobby\"", "<Object 2> \"Z2\""}));
  EXPECT_EQ(std::tuple(zone1.modified, host.Balanced()), std::tuple(true, true));
}

}  // namespace
}  // namespace verdanto::testing
