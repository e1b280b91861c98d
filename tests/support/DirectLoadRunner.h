#pragma once
// The headless backend's direct load runner, under the tests' names.
#include "headless/HeadlessPlatform.h"

namespace verdanto::testing {
using verdanto::DirectLoadRunner;
}  // namespace verdanto::testing
