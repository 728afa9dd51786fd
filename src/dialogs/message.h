// Message windows: a message with an OK button, a yes/no question that waits
// for its answer, the About box and the long-message window of the day
// report.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/dialog_util.h"

// A window titled "Message" with one label per line of `text`. With `ok` it
// has an OK button that closes it; without `yesNo` it returns -1 at once and
// stays open on its own. With `yesNo` it has the buttons Yes and No, waits
// and returns kAnswerYes or kAnswerNo (also when the window is closed).
int DialogsDoMessageEx(const std::string& text, bool ok, bool yesNo);
// The same under the window title `title`.
int DialogsDoMessageTitled(const std::string& title, const std::string& text, bool ok, bool yesNo);
// A message with an OK button; returns at once.
void DialogsDoMessage(const std::string& text);
// Asks `text`; kAnswerYes or kAnswerNo.
int DialogsDoYesNo(const std::string& text);
namespace dialogs {
// Tells the user what is wrong with the input (a message box above the dialog).
void ShowInputError(const std::string& message);
}  // namespace dialogs
// The About box, titled "About Lumaro": program name, version, authors, contact lines.
void DialogsDoAbout();
// The text of the About box.
std::string DialogsAboutText();
// Shows up to four texts (each may be null) as lists, one row per line,
// with a Close button, in a window titled `title`; not modal, returns at once
// (the window, for tests).
// The lists stand one below the other, as wide as the longest line and each
// as high as its lines, up to nine tenths of the screen; when they are too
// long for that they stand side by side. Longer lines wrap, and only lists
// that still do not fit scroll, up and down.
GtkWidget* DialogsDoLongMessage(GtkWidget* parent, const std::string& title, const std::string* zmanim,
                                const std::string* readings, const std::string* halakha,
                                const std::string* learning = nullptr);
// Space for items that need `needed` each within `available`: each gets
// what it needs when all fit; otherwise those that need less than an equal
// share get what they need and the others share the rest equally.
std::vector<int> ShareSpace(const std::vector<int>& needed, int available);
