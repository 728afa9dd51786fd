// The screen font and the font sizes of the month view.
#pragma once

// "FontName": one of the TrueType families installed. True on OK; the
// caller rebuilds the main window so the font takes effect.
bool DialogsConfigureFont();
// The eleven font sizes of the month view, starting from the screen defaults
// of Yiddish or English and the stored sizes. OK writes all eleven to the
// settings file at once, Reset removes them so the defaults apply again;
// true in both cases (the caller rebuilds the main window), false for Cancel.
bool FontSize_Configure(bool yiddish);
