#include "app/tooltips.h"

#include <cstring>
#include <vector>

namespace {

struct Hint {
  int x, y, width, height;
  std::string text;
};

// Oldest first; searched from the back so the newest wins.
std::vector<Hint> gHints;
GtkWidget* gStatusbar = nullptr;
int gLastX = -1;
int gLastY = -1;

// A hint of several lines (the anniversaries behind "+N more") shows them
// in one line of the status line.
std::string OneLine(std::string text) {
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.replace(at, 1, "; ");
  return text;
}

// ... and in full in a tooltip beside the pointer.
gboolean tooltipsQuery(GtkWidget*, gint x, gint y, gboolean keyboard, GtkTooltip* tooltip, gpointer) {
  if (keyboard) return FALSE;
  const std::string text = tooltips_text_at(x, y);
  if (text.find('\n') == std::string::npos) return FALSE;
  gtk_tooltip_set_text(tooltip, text.c_str());
  return TRUE;
}

gboolean tooltipsCallback(GtkWidget*, GdkEventMotion* event, gpointer) {
  gLastX = static_cast<int>(event->x);
  gLastY = static_cast<int>(event->y);
  tooltipsAlarm();
  return FALSE;  // other handlers still see the motion
}

}  // namespace

namespace {
// What the status line says while the pointer rests on no hint.
std::string gIdleText;
}  // namespace

void tooltips_init(GtkWidget* statusbar, GtkWidget* drawingArea) {
  gStatusbar = statusbar;
  gHints.clear();
  gtk_widget_add_events(drawingArea, GDK_POINTER_MOTION_MASK);
  g_signal_connect(drawingArea, "motion-notify-event", G_CALLBACK(tooltipsCallback), nullptr);
  gtk_widget_set_has_tooltip(drawingArea, TRUE);
  g_signal_connect(drawingArea, "query-tooltip", G_CALLBACK(tooltipsQuery), nullptr);
}

void tooltips_add(int x, int y, int width, int height, std::string_view text) {
  gHints.push_back({x, y, width, height, std::string(text)});
}

void tooltips_clear() { gHints.clear(); }

void tooltips_done() {
  gHints.clear();
  gStatusbar = nullptr;
}

std::string tooltips_text_at(int x, int y) {
  for (auto it = gHints.rbegin(); it != gHints.rend(); ++it) {
    if (x >= it->x && x < it->x + it->width && y >= it->y && y < it->y + it->height) return it->text;
  }
  return {};
}

void tooltips_set_idle(std::string_view text) { gIdleText = text; }

void tooltipsAlarm() {
  if (!gStatusbar) return;
  std::string text = OneLine(tooltips_text_at(gLastX, gLastY));
  if (text.empty()) text = gIdleText;
  const char* current = gtk_label_get_text(GTK_LABEL(gStatusbar));
  if (current && text == current) return;  // touch the label only when the text changes
  gtk_label_set_text(GTK_LABEL(gStatusbar), text.c_str());
}
