// The small settings dialogs: Israel/Diaspora and style, the background
// image, the language and the clock format; and the help window. Each
// changes its settings in memory only when the user presses OK.
#pragma once

#include <gtk/gtk.h>

#include <string>

// "Diaspora" and "Style". True on OK.
bool DialogsConfigureIsraelDiasporaStyle();
// "BackgroundImage": typed or chosen with a file chooser; an empty text
// switches the image off. True on OK.
bool DialogsConfigureBackgroundImage();
// The file chooser behind "Browse...": on accept the chosen file replaces
// the text of `entry`.
void DialogConfigureBackgroundImageBrowse(GtkWidget* button, gpointer entry);
// Shows `text` (translated line by line) with a Close button and waits.
void DialogsDoHelp(GtkWidget* parent, const std::string& text);
// "Language": English, Yiddish or Hebrew, and "HebrewNumerals" (a check box
// that follows the language until the user sets it). True on OK; the caller
// reloads the translations and rebuilds the main window.
bool DialogsSelectLanguage();
// "TimeFormat": the 12- or 24-hour clock. True on OK.
bool TimeformatConfigure();
