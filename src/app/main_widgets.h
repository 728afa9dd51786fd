// The main window and its month view, as the main window module creates and
// destroys them (null while they do not exist), for the parts of the shell
// that show something on top of the window or ask for a repaint.
#pragma once

#include <gtk/gtk.h>

// The top-level window.
extern GtkWidget* gMainWindow;
// The month view; every redraw request goes to it (null between rebuilds).
extern GtkWidget* drawingArea;

// Queues a repaint of the month view.
void MainWindowRedraw();
