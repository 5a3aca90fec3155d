#pragma once
// The progress counter shared by the commands, the product runs and the engine. StepProgress adds
// one and moves the main operator's progress bar to the new value, when a main operator is set.
namespace tavo {

void StepProgress();
// `steps` steps at once, with one move of the bar.
void StepProgress(int steps);
int ProgressCounter();
void SetProgressCounter(int value);

} // namespace tavo
