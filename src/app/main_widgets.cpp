#include "app/main_widgets.h"

GtkWidget* gMainWindow = nullptr;
GtkWidget* drawingArea = nullptr;

void MainWindowRedraw() {
  if (drawingArea) gtk_widget_queue_draw(drawingArea);
}
