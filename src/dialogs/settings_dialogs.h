// The help window and the file chooser of the background image.
#pragma once

#include <gtk/gtk.h>

#include <string>

// The file chooser behind "Browse...": on accept the chosen file replaces
// the text of `entry`.
void DialogConfigureBackgroundImageBrowse(GtkWidget* button, gpointer entry);
// Shows `text` (translated line by line) with a Close button and waits.
void DialogsDoHelp(GtkWidget* parent, const std::string& text);
