// Hover hints: while the pointer moves over the month view, the status line
// names what lies under it. The painter registers a rectangle and a text for
// each item it draws; the newest rectangle containing the pointer wins.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <string_view>

// Stores the status label and the drawing area, empties the hints and
// listens to pointer motion on the area.
void tooltips_init(GtkWidget* statusbar, GtkWidget* drawingArea);
// Adds a hint covering x <= px < x + width, y <= py < y + height.
void tooltips_add(int x, int y, int width, int height, std::string_view text);
// Removes every hint (at the start of every paint).
void tooltips_clear();
// Removes every hint (when the window content is destroyed).
void tooltips_done();
// The hint at (x, y), or "" when none covers it.
std::string tooltips_text_at(int x, int y);
// Shows the hint under the last pointer position in the status label; a
// hint of several lines shows them joined by "; " there, and in full in a
// tooltip at the pointer.
void tooltipsAlarm();
// What the status line says while the pointer rests on no hint ("" for nothing).
void tooltips_set_idle(std::string_view text);
