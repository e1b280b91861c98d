#pragma once
// The headless backend's scripted file chooser, under the tests' names.
#include "headless/HeadlessPlatform.h"

namespace verdanto::testing {
using verdanto::FileRequest;
using verdanto::ScriptedFileChooser;
}  // namespace verdanto::testing
