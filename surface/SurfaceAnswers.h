#pragma once
// The surface tool's dialogue answered from options given in advance (the
// command-line tool's --flip, --order, --corner, --shift and --name).

#include <cstdint>
#include <optional>
#include <string>

#include "surface/AnswerScript.h"

namespace verdanto {

struct SurfaceChoices {
  EntityId entity = kNoEntity;            // the region to pick
  bool flip = false;
  std::optional<std::string> order;       // "CCW" or "CW"; none keeps the order in force
  std::optional<std::string> corner;      // "LLC", "LRC", "ULC" or "URC"
  int shift = 0;                          // vertex 1 moved this many corners along the entry order
  std::string name;                       // empty keeps the offered name
};

// Queues the answers of one run: the pick, the flip, the order, the corner and
// its shifts, Enter, and the name. A refused pick is then cancelled.
void ScriptSurfaceAnswers(const SurfaceChoices& choices, AnswerScript& script);

}  // namespace verdanto
