// The screen backend of the drawing interface: GDK and Pango on a
// drawing area's window. It owns none of the four objects it is given.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "render/drawing.h"

// A Drawing that paints on `drawable` with `gc`, making text layouts for
// `widget` in the font family `fontName` and colours in `colormap`.
DrawingPtr drawing_gdk_new(GtkWidget* widget, GdkDrawable* drawable, GdkGC* gc, GdkColormap* colormap,
                           const std::string& fontName);
// Frees the Drawing and the fonts made through it.
inline void drawing_gdk_free(DrawingPtr& drawing) { drawing.reset(); }
