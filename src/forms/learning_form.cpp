#include "forms/learning_form.h"

#include "base/translate.h"
#include "compose/current_options.h"
#include "compose/learning_lines.h"

LearningForm LearningFormFromSettings() {
  const LearningChoice choice = LearningChoiceFromSettings();
  LearningForm form;
  form[0] = {kDafYomiId, translate_perform("Daf Yomi"), choice.dafYomi};
  for (size_t i = 0; i < kLearningCycles.size(); ++i) {
    const LearningCycle cycle = kLearningCycles[i];
    form[i + 1] = {LearningCycleId(cycle), TranslatedLearningTitle(cycle), choice.Shows(cycle)};
  }
  return form;
}

bool LearningFormApply(const LearningForm& form) {
  LearningChoice choice;
  choice.dafYomi = form[0].chosen;
  for (size_t i = 0; i < kLearningCycles.size(); ++i) choice.Set(kLearningCycles[i], form[i + 1].chosen);
  const LearningChoice before = LearningChoiceFromSettings();
  StoreLearningChoice(choice);
  return before.dafYomi != choice.dafYomi || before.cycles != choice.cycles;
}
