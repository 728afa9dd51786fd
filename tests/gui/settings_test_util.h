// Helpers for the settings-dialog tests: drop-down lists, what the month
// view shows (texts through a recording Drawing, pixels from the screen),
// and optional screenshots of dialogs.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/recording_drawing.h"
#include "app/main_window.h"
#include "app/month_view.h"
#include "dialog_test_util.h"
#include "gui_test_util.h"
#include "render/month_painter.h"

namespace guitest {

// The entries of a drop-down list.
inline std::vector<std::string> ChoiceEntries(GtkWidget* combo) {
  std::vector<std::string> entries;
  GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(combo));
  GtkTreeIter it;
  for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok; ok = gtk_tree_model_iter_next(model, &it)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, 0, &text, -1);
    entries.push_back(text ? text : "");
    g_free(text);
  }
  return entries;
}

// The text in the field of a drop-down list.
inline std::string ChoiceText(GtkWidget* combo) {
  return gtk_entry_get_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo))));
}

// Chooses the entry `text` of a drop-down list, as a user picking it would.
inline bool Choose(GtkWidget* combo, const std::string& text) {
  const std::vector<std::string> entries = ChoiceEntries(combo);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == text) {
      gtk_combo_box_set_active(GTK_COMBO_BOX(combo), static_cast<int>(i));
      return true;
    }
  }
  ADD_FAILURE() << "no entry '" << text << "'";
  return false;
}

// The n-th (0-based) button whose label reads `text`.
inline GtkWidget* NthButton(GtkWidget* root, const std::string& text, int n) {
  std::vector<GtkWidget*> found;
  ForEachDescendant(root, [&](GtkWidget* w) {
    if (!GTK_IS_BUTTON(w)) return;
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(w));
    if (child && GTK_IS_LABEL(child) && text == gtk_label_get_text(GTK_LABEL(child))) found.push_back(w);
  });
  EXPECT_GT(found.size(), static_cast<size_t>(n)) << "no button '" << text << "' #" << n;
  return static_cast<int>(found.size()) > n ? found[n] : nullptr;
}

inline void SetToggle(GtkWidget* button, bool on) {
  ASSERT_NE(button, nullptr);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(button), on ? TRUE : FALSE);
}

inline bool IsOn(GtkWidget* button) {
  return button && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button));
}

// The dialog titled `title` once it is on the screen, else null.
inline GtkWidget* Shown(const std::string& title) {
  GtkWidget* w = WindowTitled(title);
  return w && GTK_WIDGET_MAPPED(w) ? w : nullptr;
}

// With LUMARO_SCREENSHOT_DIR set, saves what `window` shows as <name>.png there.
inline void Screenshot(GtkWidget* window, const std::string& name) {
  const char* dir = std::getenv("LUMARO_SCREENSHOT_DIR");
  if (!dir || !window || !window->window) return;
  gdk_window_process_updates(window->window, TRUE);
  gdk_flush();
  int w = 0, h = 0;
  gdk_drawable_get_size(window->window, &w, &h);
  GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, window->window, nullptr, 0, 0, 0, 0, w, h);
  if (!pb) return;
  gdk_pixbuf_save(pb, (std::string(dir) + "/" + name + ".png").c_str(), "png", nullptr, nullptr);
  g_object_unref(pb);
}

// A step: takes a screenshot of the dialog `title` once it is shown (and
// its widgets are drawn).
inline UserScript::Step ScreenshotOf(const std::string& title, const std::string& name) {
  return [title, name] {
    GtkWidget* w = Shown(title);
    if (!w) return false;
    Pump();
    Screenshot(w, name);
    return true;
  };
}

// A step: presses `button` in the dialog `title`.
inline UserScript::Step Press(const std::string& title, const std::string& button) {
  return [title, button] {
    GtkWidget* w = Shown(title);
    return w && Click(w, button);
  };
}

// A step: closes the dialog `title` as the window manager would.
inline UserScript::Step CloseWindow(const std::string& title) {
  return [title] {
    GtkWidget* w = Shown(title);
    if (!w) return false;
    gtk_widget_destroy(w);
    return true;
  };
}

// The month view with the selected date shown and painted.
inline void ShowMonth(const GregorianDate& date) {
  SetSelectedDate(date);
  gtk_widget_queue_draw(drawingArea);
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
}

// What the painter draws for the view now, through a recording Drawing.
inline testenv::RecordingDrawing PaintedView() {
  testenv::RecordingDrawing d;
  const PaintArea area{0, 0, drawingArea->allocation.width, drawingArea->allocation.height};
  PaintItInternal(d, area, SelectedDate(), true, false, nullptr, nullptr);
  return d;
}

// The candle-lighting and havdalah times of the day cells, in the order drawn.
inline std::vector<std::string> CellTimes() {
  std::vector<std::string> times;
  const testenv::RecordingDrawing d = PaintedView();
  for (const std::string& op : d.OpsStartingWith("center ")) {
    const size_t bar = op.find(" |");
    const std::string text = op.substr(bar + 2);
    if (op.find(" 65535,0,0 |") != std::string::npos && text.find(':') != std::string::npos) times.push_back(text);
  }
  return times;
}

// Whether the whole month view waits for a repaint (and lets it happen).
// Call right after the command, before events are processed.
inline bool RedrawRequested() {
  GdkRegion* pending = gdk_window_get_update_area(drawingArea->window);
  bool whole = false;
  if (pending) {
    GdkRectangle box;
    gdk_region_get_clipbox(pending, &box);
    whole = box.x == 0 && box.y == 0 && box.width == drawingArea->allocation.width &&
            box.height == drawingArea->allocation.height;
    gdk_region_destroy(pending);
  }
  gtk_widget_queue_draw(drawingArea);
  gdk_window_process_updates(drawingArea->window, TRUE);
  return whole;
}

// Runs the menu command `id` while `user` acts in its dialogs. Events
// after the command are left for the caller (see RedrawRequested).
inline void RunMenuCommand(int id, UserScript& user) {
  // Nothing of the view may be waiting for a repaint before the command.
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
  user.Start();
  HandleMenuItem(nullptr, id);
}

}  // namespace guitest

namespace guitest {

// The drop-down lists in the row of the n-th button labelled `text`, in the
// order they were added to the row.
inline std::vector<GtkWidget*> ChoicesInRowOf(GtkWidget* window, const std::string& text, int n = 0) {
  std::vector<GtkWidget*> lists;
  GtkWidget* button = NthButton(window, text, n);
  if (!button) return lists;
  GList* row = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(button)));
  for (GList* l = row; l; l = l->next)
    if (GTK_IS_COMBO_BOX(l->data)) lists.push_back(GTK_WIDGET(l->data));
  g_list_free(row);
  return lists;
}

// A main-window test with the shipped city file in its HOME.
class SettingsDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", home_.path() + "/.lumaro/cities");
    MainWindowTest::SetUp();
  }
};

}  // namespace guitest
