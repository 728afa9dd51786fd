// The month view on the screen: the expose handler with the background
// image, the painter's screen entry, and the mouse handling.
#pragma once

#include <gtk/gtk.h>

#include "render/month_painter.h"

// Empties / releases the one-entry background image cache.
void BackgroundImageCacheInit();
void BackgroundImageCacheDone();
// Expands a leading "~" to $HOME.
std::string Paint_TranslateHomeDir(const std::string& path);
// The expose handler: clears, draws the background image, paints the month.
gboolean MainWindowPaint(GtkWidget* widget, GdkEventExpose* event, gpointer data);
// The screen entry of the painter: a full paint (draw, no pair), a partial
// repaint of two cells (draw, pair) or a hit test (no draw, hit).
void PaintIt(GtkWidget* widget, GdkWindow* window, bool draw, CalendarHit* hit, const RepaintPair* pair);
// The months the view shows, as the settings say (Gregorian by default).
MonthKind MonthViewKind();
// Mouse clicks on the month view.
gboolean MainWindowButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data);

// After today's sunset (or havdalah time, by the setting) the line of
// today's cell ("from sunset: 28 Kislev"), else ""; the status line says so
// while the pointer rests on no hint. The view is drawn again at the next
// turn or midnight, whichever comes first.
std::string TodayNoteNow(const Options& options);
