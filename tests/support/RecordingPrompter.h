#pragma once
// The headless backend's recording prompter, under the tests' names.
#include "headless/HeadlessPlatform.h"

namespace verdanto::testing {
using verdanto::RecordedMessage;
using verdanto::RecordingProgress;
using verdanto::RecordingPrompter;
}  // namespace verdanto::testing
