#pragma once
// Names parameterised cases after their `what` text, with letters and digits only.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace verdanto::testing {

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.what;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

}  // namespace verdanto::testing
