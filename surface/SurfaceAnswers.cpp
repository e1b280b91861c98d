#include "surface/SurfaceAnswers.h"

namespace verdanto {

void ScriptSurfaceAnswers(const SurfaceChoices& choices, AnswerScript& script) {
  script.picks.push_back(choices.entity);
  script.answers.push_back(choices.flip ? "Yes" : "No");
  script.answers.push_back(choices.order.value_or(""));
  if (choices.corner) script.answers.push_back(*choices.corner);
  for (int step = 0; step < (choices.shift < 0 ? -choices.shift : choices.shift); ++step)
    script.answers.emplace_back(choices.shift > 0 ? "SForward" : "SBackward");
  script.answers.emplace_back();  // Enter ends the starting position question
  script.answers.push_back(choices.name);
}

}  // namespace verdanto
