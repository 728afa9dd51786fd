// The daily learning dialog: a check box for Daf Yomi and one for each study
// cycle (Mishna Yomit, Nach Yomi, ...), shown in the month view, the day
// report and the export when checked.
#pragma once

// "LearningDafYomi", "LearningMishnaYomit", ...: changed in memory on OK.
// True when OK changed a choice (the caller redraws the month view).
bool DialogsConfigureLearning();
