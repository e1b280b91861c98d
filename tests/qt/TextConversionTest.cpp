#include "ui/qt/TextConversion.h"

#include <gtest/gtest.h>

#include "ui/qt/QtFileChooser.h"

namespace verdanto {
namespace {

struct Shown {
  const char* name;
  std::string store;
  std::u16string window;
};

// How store bytes are shown: valid UTF-8 as UTF-8, anything else as Windows-1252.
const Shown kShown[] = {
    {"Empty", "", u""},
    {"Ascii", "Zone,  !- Name\r\n", u"Zone,  !- Name\r\n"},
    {"EmbeddedNul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    {"Utf8TwoBytes", "Temp \xC2\xB0" "C", u"Temp \u00B0C"},
    {"Utf8FourBytes", "\xF0\x9F\x8C\xA1", u"\U0001F321"},
    {"Utf8LeadingBom", "\xEF\xBB\xBFZone", u"\uFEFFZone"},
    {"Cp1252Degree", "Temp \xB0" "C", u"Temp \u00B0C"},
    {"Cp1252High", "\x80\x93\x8A\x9C\x9F\x83", u"\u20AC\u201C\u0160\u0153\u0178\u0192"},
    {"Cp1252Unassigned", "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
    {"Cp1252Latin1", "caf\xE9 \xFF", u"caf\u00E9 \u00FF"},
    {"TruncatedSequence", "ab\xE2\x82", u"ab\u00E2\u201A"},
    {"StrayContinuation", "\xBF", u"\u00BF"},
    {"OverlongSlash", "\xC0\xAF", u"\u00C0\u00AF"},
    {"EncodedSurrogate", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
    {"BeyondUnicode", "\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},
    {"MixedValidAndInvalid", "\xC2\xB0\xB0", u"\u00C2\u00B0\u00B0"},
};
void PrintTo(const Shown& shown, std::ostream* out) { *out << shown.name; }

// Not QString::fromStdU16String, which would drop a leading byte order mark.
QString Utf16(const std::u16string& text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

class ToWindowTextTest : public ::testing::TestWithParam<Shown> {};

TEST_P(ToWindowTextTest, ShowsTheBytesAndAnUnchangedTextGoesBackByteForByte) {
  const Shown& c = GetParam();
  EXPECT_EQ(ToWindowText(c.store), Utf16(c.window));
  EXPECT_EQ(ToStoreTextKeeping(ToWindowText(c.store), c.store), c.store);
}

INSTANTIATE_TEST_SUITE_P(Texts, ToWindowTextTest, ::testing::ValuesIn(kShown),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(TextConversionTest, WindowTextAndChangedTextGoToTheStoreAsUtf8) {
  EXPECT_EQ(ToStoreText(Utf16(u"20 \u00B0C \u20AC")), "20 \xC2\xB0" "C \xE2\x82\xAC");
  EXPECT_EQ(ToStoreText(QString()), "");
  // A Windows-1252 original that the user edited comes back as UTF-8.
  const std::string original = "caf\xE9";
  EXPECT_EQ(ToStoreTextKeeping(ToWindowText(original) + QStringLiteral("s"), original), "caf\xC3\xA9s");
  EXPECT_EQ(ToStoreTextKeeping(QString(), original), "");
}

TEST(FileChooserFilterTest, WindowsFiltersBecomeQtNameFilters) {
  const struct {
    std::string_view filter;
    QStringList expected;
  } cases[] = {
      {"EnergyPlus IDD (Energy+.idd)|Energy+.idd||", {"EnergyPlus IDD (Energy+.idd)"}},
      {"EnergyPlus (*.idf)|*.idf||", {"EnergyPlus (*.idf)"}},
      {"Inputs|*.idf;*.imf|All files (*.*)|*.*||", {"Inputs (*.idf *.imf)", "All files (*.*)"}},
      {"", {}},
      {"Dangling|", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ToNameFilters(c.filter), c.expected) << c.filter;
}

}  // namespace
}  // namespace verdanto
