#include <gtest/gtest.h>

#include "ui/qt/QtFileChooser.h"

namespace verdanto {
namespace {

TEST(FileChooserFilterTest, WindowsFiltersBecomeQtNameFilters) {
  const struct {
    std::string_view filter;
    QStringList expected;
  } cases[] = {
      {"EnergyPlus IDD (Energy+.idd)|Energy+.idd||", {"EnergyPlus IDD (Energy+.idd)"}},
      {"Energy+.idd (*.idd)|*.idd||", {"Energy+.idd (*.idd)"}},
      {"EnergyPlus (*.idf)|*.idf||", {"EnergyPlus (*.idf)"}},
      {"Inputs|*.idf;*.imf|All files (*.*)|*.*||", {"Inputs (*.idf *.imf)", "All files (*.*)"}},
      {"", {}},
      {"Dangling|", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ToNameFilters(c.filter), c.expected) << c.filter;
}

}  // namespace
}  // namespace verdanto
