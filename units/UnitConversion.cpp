#include "units/UnitConversion.h"

#include <algorithm>

#include "base/Text.h"
#include "units/NumberText.h"

namespace verdanto {

// Factors are written with enough digits to give their exact 64-bit value; rows
// 11 and 30 really do differ in their last digits.
const std::array<UnitConversion, kConversionRowCount> kConversionTable = {{
    /*  0 */ {"m", "ft", 3.281, 0},
    /*  1 */ {"W", "Btu/h", 3.412, 0},
    /*  2 */ {"m3/s", "ft3/min", 2118.6438, 0},
    /*  3 */ {"C", "F", 1.8, 32},
    /*  4 */ {"kg/J", "lb/Btu", 2325.83774250441, 0},
    /*  5 */ {"Pa", "psi", 0.0001450377, 0},
    /*  6 */ {"W/m-K", "Btu-in/h-ft2-F", 6.93481276005548, 0},
    /*  7 */ {"W/K", "Btu/h-F", 1.8987, 0},
    /*  8 */ {"deltaC", "deltaF", 1.8, 0},
    /*  9 */ {"m2", "ft2", 10.764961, 0},
    /* 10 */ {"K", "R", 1.8, 0},
    /* 11 */ {"1/K", "1/R", 0.555555556, 0},
    /* 12 */ {"(kg/s)/W", "(lbm/sec)/(Btu/hr)", 0.646078115385742, 0},
    /* 13 */ {"J/kg", "Btu/lb", 0.00042956, 7.6736},
    /* 14 */ {"kg-H2O/kg-air", "lb-H2O/lb-air", 1, 0},
    /* 15 */ {"kJ/kg", "Btu/lb", 0.429925, 0},
    /* 16 */ {"lux", "foot-candles", 0.092902267, 0},
    /* 17 */ {"kg/m3", "lb/ft3", 0.062428, 0},
    /* 18 */ {"kg/s", "lb/s", 2.2046, 0},
    /* 19 */ {"kg/s-m", "lb/s-ft", 0.67194, 0},
    /* 20 */ {"m3", "ft3", 35.319837041, 0},
    /* 21 */ {"m3", "gal", 264.172, 0},
    /* 22 */ {"W/m2-K", "Btu/h-ft2-F", 0.17611835153223, 0},
    /* 23 */ {"1/m", "1/ft", 0.304785126485827, 0},
    /* 24 */ {"J/kg-K", "Btu/lb-F", 0.000239005736137667, 0},
    /* 25 */ {"J/m3-K", "Btu/ft3-F", 1.49237004739337e-05, 0},
    /* 26 */ {"m/s", "ft/min", 196.86, 0},
    /* 27 */ {"m/s", "miles/hr", 2.2369, 0},
    /* 28 */ {"m2-K/W", "ft2-F-hr/Btu", 5.68181818181818, 0},
    /* 29 */ {"W/m2", "Btu/h-ft2", 0.316957210776545, 0},
    /* 30 */ {"A/K", "A/F", 0.555555555555556, 0},
    /* 31 */ {"g/kg", "grains/lb", 7, 0},
    /* 32 */ {"g/m-s", "lb/ft-s", 0.000671968949659, 0},
    /* 33 */ {"g/m-s-K", "lb/ft-s-F", 0.000373574867724868, 0},
    /* 34 */ {"J/K", "Btu/F", 0.000526917584820558, 0},
    /* 35 */ {"J/kg-K2", "Btu/lb-F2", 0.000132889924714692, 0},
    /* 36 */ {"J/m3", "Btu/ft3", 2.68096514745308e-05, 0},
    /* 37 */ {"kg/kg-K", "lb/lb-F", 0.555555555555556, 0},
    /* 38 */ {"kPa", "psi", 0.145038, 0},
    /* 39 */ {"kPa", "inHg", 0.29523, 0},
    /* 40 */ {"m2/s", "ft2/s", 10.764961, 0},
    /* 41 */ {"m3/kg", "ft3/lb", 16.018, 0},
    /* 42 */ {"m3/m3", "ft3/ft3", 1, 0},
    /* 43 */ {"N-s/m2", "lbf-s/ft2", 0.0208857913669065, 0},
    /* 44 */ {"V/K", "V/F", 0.555555555555556, 0},
    /* 45 */ {"W/m-K2", "Btu/h-F2-ft", 0.321418310071648, 0},
    /* 46 */ {"m3/s-m", "ft3/min-ft", 645.89, 0},
    /* 47 */ {"J/m2-K", "Btu/ft2-F", 4.89224766847393e-05, 0},
    /* 48 */ {"kg/kg", "lb/lb", 1, 0},
    /* 49 */ {"J/J", "Btu/Btu", 1, 0},
    /* 50 */ {"g/GJ", "lb/MWh", 0.00793664091373665, 0},
    /* 51 */ {"L/GJ", "gal/kWh", 0.000951022349025202, 0},
    /* 52 */ {"m3/GJ", "ft3/MWh", 127.13292, 0},
    /* 53 */ {"m3/s-m2", "ft3/min-ft2", 196.85, 0},
    /* 54 */ {"m3/s-person", "ft3/min-person", 2118.6438, 0},
    /* 55 */ {"W/m2-K2", "Btu/h-ft2-F2", 0.097826, 0},
    /* 56 */ {"g/MJ", "lb/MWh", 7.93664091373665, 0},
    /* 57 */ {"L/MJ", "gal/kWh", 0.951022349025202, 0},
    /* 58 */ {"m3/MJ", "ft3/kWh", 127.13292, 0},
    /* 59 */ {"W/W", "Btuh/Btuh", 1, 0},
    /* 60 */ {"$/m2", "$/ft2", 0.0928939733269818, 0},
    /* 61 */ {"$/kW", "$/(kBtuh/h)", 0.293083235638921, 0},
    /* 62 */ {"$/m3", "$/ft3", 0.0283127014102352, 0},
    /* 63 */ {"$/(W/K)", "$/(Btu/h-F)", 0.52667614683731, 0},
    /* 64 */ {"$/(m3/s)", "$/(ft3/min)", 0.000472000059660808, 0},
    /* 65 */ {"W/m", "Btu/h-ft", 1.04072, 0},
    /* 66 */ {"K/m", "F/ft", 0.54861322767449, 0},
    /* 67 */ {"J", "Wh", 0.000277777777777778, 0},
    /* 68 */ {"GJ", "ton-hrs", 78.9889415481832, 0},
    /* 69 */ {"kg/m2", "lb/ft2", 0.204794053596664, 0},
    /* 70 */ {"kg", "lb", 2.2046, 0},
    /* 71 */ {"percent/K", "percent/F", 0.555555555555556, 0},
    /* 72 */ {"kg/s2", "lb/s2", 2.2046, 0},
    /* 73 */ {"g/mol", "lb/mol", 0.0022046, 0},
    /* 74 */ {"deltaJ/kg", "deltaBtu/lb", 0.0004299, 0},
    /* 75 */ {"m", "in", 39.37, 0},
    /* 76 */ {"m3/s", "gal/min", 15852, 0},
    /* 77 */ {"Pa", "inHg", 0.00029613, 0},
    /* 78 */ {"Pa", "inH2O", 0.00401463, 0},
    /* 79 */ {"Pa", "ftH2O", 0.00033455, 0},
}};

std::string ConversionChoiceText(ConversionChoice choice) {
  const bool toIp = choice < kConversionRowCount;
  const auto& row = kConversionTable[static_cast<std::size_t>(toIp ? choice : choice - kConversionRowCount)];
  const std::string_view from = toIp ? row.siUnit : row.ipUnit;
  const std::string_view to = toIp ? row.ipUnit : row.siUnit;
  std::string text;
  text.reserve(from.size() + to.size() + 4);
  text.append(from).append(" -> ").append(to);
  return text;
}

std::string ConvertValue(std::string_view valueText, ConversionChoice choice) {
  double value = 0.0;
  if (!ReadWholeReal(valueText, value)) return std::string(kNotARealNumber);
  const bool toIp = choice < kConversionRowCount;
  const auto& row = kConversionTable[static_cast<std::size_t>(toIp ? choice : choice - kConversionRowCount)];
  const double converted = toIp ? value * row.factor + row.offset : (value - row.offset) / row.factor;
  return Format("%.15g", converted);
}

std::vector<ConversionChoiceEntry> SortedConversionChoices() {
  std::vector<ConversionChoiceEntry> entries;
  entries.reserve(kConversionChoiceCount);
  for (ConversionChoice row = 0; row < kConversionRowCount; ++row) {
    entries.push_back({ConversionChoiceText(row), row});
    entries.push_back({ConversionChoiceText(row + kConversionRowCount), row + kConversionRowCount});
  }
  // The texts differ without regard to case, so the order is fully determined.
  std::sort(entries.begin(), entries.end(), [](const ConversionChoiceEntry& a, const ConversionChoiceEntry& b) {
    return CompareNoCase(a.text, b.text) < 0;
  });
  return entries;
}

std::size_t PreselectedChoice(const std::vector<ConversionChoiceEntry>& entries, std::string_view siUnit,
                              std::string_view ipUnit) {
  std::string wanted;
  wanted.append(ipUnit).append(" -> ").append(siUnit);
  auto hit = std::find_if(entries.begin(), entries.end(),
                          [&](const ConversionChoiceEntry& e) { return EqualsNoCase(e.text, wanted); });
  // Else a choice that converts the field's value as it is stored: from its SI unit.
  if (hit == entries.end()) {
    hit = std::find_if(entries.begin(), entries.end(), [&](const ConversionChoiceEntry& e) {
      return e.choice < kConversionRowCount &&
             EqualsNoCase(kConversionTable[static_cast<std::size_t>(e.choice)].siUnit, siUnit);
    });
  }
  return hit == entries.end() ? 0 : static_cast<std::size_t>(hit - entries.begin());
}

}  // namespace verdanto
