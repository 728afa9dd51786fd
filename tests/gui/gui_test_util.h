// Helpers for the in-process GTK tests: event pumping, finding and driving
// widgets, a scripted "user" that acts while a dialog waits modally, the
// main window opened as start-up opens it, and what the month view shows.
#pragma once

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../unit/recording_drawing.h"
#include "../unit/test_env.h"
#include "app/main_window.h"
#include "app/month_view.h"
#include "dialogs/city_picker.h"
#include "render/month_painter.h"
#include "base/settings.h"
#include "base/translate.h"

namespace guitest {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

inline void Pump() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// Pumps events until pred() holds; bounded by iterations, not by a clock.
template <class P>
bool PumpUntil(P pred, int maxIter = 2000) {
  for (int i = 0; i < maxIter; ++i) {
    if (pred()) return true;
    gdk_flush();
    Pump();
    g_usleep(1000);
  }
  return pred();
}

// Visible top-level windows titled `title`, oldest first.
inline std::vector<GtkWidget*> WindowsTitled(const std::string& title) {
  std::vector<GtkWidget*> found;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next) {
    const char* t = gtk_window_get_title(GTK_WINDOW(l->data));
    if (t && title == t && GTK_WIDGET_VISIBLE(l->data)) found.push_back(GTK_WIDGET(l->data));
  }
  g_list_free(all);
  return found;
}

inline GtkWidget* WindowTitled(const std::string& title) {
  const std::vector<GtkWidget*> w = WindowsTitled(title);
  return w.size() == 1 ? w.front() : nullptr;
}

// The window titled `title` once it is on the screen, else null.
inline GtkWidget* Shown(const std::string& title) {
  GtkWidget* w = WindowTitled(title);
  return w && GTK_WIDGET_MAPPED(w) ? w : nullptr;
}

inline bool AnyModalWindow() {
  bool found = false;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next)
    found = found || (GTK_WIDGET_VISIBLE(l->data) && gtk_window_get_modal(GTK_WINDOW(l->data)));
  g_list_free(all);
  return found;
}

inline void CloseDialogs() {
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next)
    if (GTK_IS_DIALOG(l->data)) gtk_widget_destroy(GTK_WIDGET(l->data));
  g_list_free(all);
}

inline void ForEachDescendant(GtkWidget* w, const std::function<void(GtkWidget*)>& fn) {
  fn(w);
  if (!GTK_IS_CONTAINER(w)) return;
  GList* children = gtk_container_get_children(GTK_CONTAINER(w));
  for (GList* l = children; l; l = l->next) ForEachDescendant(GTK_WIDGET(l->data), fn);
  g_list_free(children);
}

inline std::vector<GtkWidget*> WidgetsOfType(GtkWidget* root, GType type) {
  std::vector<GtkWidget*> found;
  ForEachDescendant(root, [&](GtkWidget* w) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(w, type)) found.push_back(w);
  });
  return found;
}

// Texts of the labels in a dialog's content area (not its buttons), in order.
inline std::vector<std::string> ContentLabels(GtkWidget* dialog) {
  std::vector<std::string> texts;
  ForEachDescendant(GTK_DIALOG(dialog)->vbox, [&](GtkWidget* w) {
    if (GTK_IS_LABEL(w) && !GTK_IS_BUTTON(gtk_widget_get_parent(w))) texts.push_back(gtk_label_get_text(GTK_LABEL(w)));
  });
  return texts;
}

// The n-th (0-based) button (also radio or check button) labelled `text`.
inline GtkWidget* NthButton(GtkWidget* root, const std::string& text, int n) {
  std::vector<GtkWidget*> found;
  ForEachDescendant(root, [&](GtkWidget* w) {
    GtkWidget* child = GTK_IS_BUTTON(w) ? gtk_bin_get_child(GTK_BIN(w)) : nullptr;
    if (child && GTK_IS_LABEL(child) && text == gtk_label_get_text(GTK_LABEL(child))) found.push_back(w);
  });
  return static_cast<int>(found.size()) > n ? found[n] : nullptr;
}

inline GtkWidget* FindButton(GtkWidget* root, const std::string& text) { return NthButton(root, text, 0); }

inline bool Click(GtkWidget* root, const std::string& text) {
  GtkWidget* b = root ? FindButton(root, text) : nullptr;
  EXPECT_NE(b, nullptr) << "no button '" << text << "'";
  if (b) gtk_button_clicked(GTK_BUTTON(b));
  return b != nullptr;
}

// Clicks from the main loop once the current step has returned: a file
// chooser waits in a loop of its own, which would keep the script's timer
// from firing again while the clicking step still runs.
inline void ClickLater(GtkWidget* root, const std::string& text) {
  GtkWidget* b = FindButton(root, text);
  ASSERT_NE(b, nullptr) << text;
  g_idle_add(+[](gpointer button) -> gboolean {
    gtk_button_clicked(GTK_BUTTON(button));
    return FALSE;
  }, b);
}

inline void SetToggle(GtkWidget* button, bool on) {
  ASSERT_NE(button, nullptr);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(button), on ? TRUE : FALSE);
}

inline bool IsOn(GtkWidget* button) { return button && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button)); }
inline bool IsOn(GtkWidget* root, const std::string& label) { return IsOn(FindButton(root, label)); }

// Column 0 of every row of a list model (tree views and drop-down lists).
inline std::vector<std::string> ModelRows(GtkTreeModel* model) {
  std::vector<std::string> rows;
  GtkTreeIter it;
  for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok; ok = gtk_tree_model_iter_next(model, &it)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, 0, &text, -1);
    rows.push_back(text ? text : "");
    g_free(text);
  }
  return rows;
}

inline std::vector<std::string> TreeRows(GtkWidget* view) {
  return ModelRows(gtk_tree_view_get_model(GTK_TREE_VIEW(view)));
}
inline std::vector<std::string> ChoiceEntries(GtkWidget* combo) {
  return ModelRows(gtk_combo_box_get_model(GTK_COMBO_BOX(combo)));
}

inline void SelectRow(GtkWidget* view, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_selection_select_path(gtk_tree_view_get_selection(GTK_TREE_VIEW(view)), path);
  gtk_tree_path_free(path);
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

// The entry (or other widget of `type`) that follows the label or button
// `label` in its row.
inline GtkWidget* Beside(GtkWidget* window, const char* label, GType type = GTK_TYPE_ENTRY) {
  GtkWidget* found = nullptr;
  ForEachDescendant(window, [&](GtkWidget* w) {
    if (found || !GTK_IS_LABEL(w) || std::string(gtk_label_get_text(GTK_LABEL(w))) != label) return;
    GtkWidget* item = GTK_IS_BUTTON(gtk_widget_get_parent(w)) ? gtk_widget_get_parent(w) : w;
    GList* row = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(item)));
    bool after = false;
    for (GList* l = row; l && !found; l = l->next) {
      if (l->data == item) after = true;
      else if (after && G_TYPE_CHECK_INSTANCE_TYPE(l->data, type)) found = GTK_WIDGET(l->data);
    }
    g_list_free(row);
  });
  EXPECT_NE(found, nullptr) << "nothing beside '" << label << "'";
  return found;
}

inline std::string EntryText(GtkWidget* window, const char* label) {
  GtkWidget* e = Beside(window, label);
  return e ? gtk_entry_get_text(GTK_ENTRY(e)) : "(no entry)";
}
inline void SetEntry(GtkWidget* window, const char* label, const std::string& text) {
  if (GtkWidget* e = Beside(window, label)) gtk_entry_set_text(GTK_ENTRY(e), text.c_str());
}
inline GtkWidget* ComboBeside(GtkWidget* window, const char* label) {
  return Beside(window, label, GTK_TYPE_COMBO_BOX);
}

// The city picker of the location dialog: its field, the names it lists
// now, the city chosen, and choosing one as a user would (typing part of
// the name, then clicking the row).
inline GtkWidget* CityPickerIn(GtkWidget* window) { return Beside(window, "Location:", GTK_TYPE_VBOX); }
inline std::vector<std::string> CityRows(GtkWidget* window) {
  return TreeRows(CityPickerList(CityPickerIn(window)));
}
inline std::string ChosenCity(GtkWidget* window) { return CityPickerChoice(CityPickerIn(window)); }
inline void TypeCitySearch(GtkWidget* window, const std::string& text) {
  gtk_entry_set_text(GTK_ENTRY(CityPickerSearchField(CityPickerIn(window))), text.c_str());
}
inline bool ChooseCityRow(GtkWidget* window, const std::string& name) {
  GtkWidget* list = CityPickerList(CityPickerIn(window));
  const std::vector<std::string> rows = TreeRows(list);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == name) {
      SelectRow(list, static_cast<int>(i));
      return true;
    }
  }
  ADD_FAILURE() << "no city '" << name << "' listed";
  return false;
}

// The drop-down lists in the row of the n-th button labelled `text`.
inline std::vector<GtkWidget*> ChoicesInRowOf(GtkWidget* window, const std::string& text, int n = 0) {
  std::vector<GtkWidget*> lists;
  GtkWidget* button = NthButton(window, text, n);
  EXPECT_NE(button, nullptr) << text << " #" << n;
  if (!button) return lists;
  GList* row = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(button)));
  for (GList* l = row; l; l = l->next)
    if (GTK_IS_COMBO_BOX(l->data)) lists.push_back(GTK_WIDGET(l->data));
  g_list_free(row);
  return lists;
}

// The whole text of a text view.
inline std::string TextOf(GtkWidget* view) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
  const std::string s = text;
  g_free(text);
  return s;
}

// With LUMARO_SCREENSHOT_DIR set, saves what `window` shows as <name>.png there.
inline void Screenshot(GtkWidget* window, const std::string& name) {
  const char* dir = std::getenv("LUMARO_SCREENSHOT_DIR");
  if (!dir || !*dir || !window || !window->window) return;
  gdk_window_process_all_updates();
  gdk_flush();
  Pump();
  int w = 0, h = 0;
  gdk_drawable_get_size(window->window, &w, &h);
  GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, window->window, nullptr, 0, 0, 0, 0, w, h);
  ASSERT_NE(pb, nullptr) << name;
  EXPECT_TRUE(gdk_pixbuf_save(pb, (std::string(dir) + "/" + name + ".png").c_str(), "png", nullptr, nullptr));
  g_object_unref(pb);
}

// A scripted user: each step runs from a timer while the program waits in
// its modal loop and returns true when it could do its part (false: not
// yet, try again at the next tick). A step that waits too long fails the
// test and every dialog is closed, so the program's call returns.
class UserScript {
 public:
  using Step = std::function<bool()>;
  UserScript& Then(const std::string& what, Step step) {
    steps_.push_back({what, std::move(step)});
    return *this;
  }
  // Starts acting; call before the dialog function that waits.
  void Start() { source_ = g_timeout_add(5, &UserScript::Tick, this); }
  bool Done() const { return next_ >= steps_.size(); }
  // For windows left open after the program's call returned (messages that
  // do not wait): runs the loop until the script ends.
  void Finish() {
    for (int i = 0; i < 4 * kMaxTicksPerStep && !Done(); ++i) gtk_main_iteration_do(TRUE);
  }
  ~UserScript() {
    if (source_) g_source_remove(source_);
    if (!failed_) {
      EXPECT_TRUE(Done()) << "the program returned before the step: " << steps_[next_].what;
    }
  }

 private:
  static constexpr int kMaxTicksPerStep = 800;

  static gboolean Tick(gpointer self) {
    auto* s = static_cast<UserScript*>(self);
    if (!s->Done() && s->steps_[s->next_].step()) {
      ++s->next_;
      s->ticks_ = 0;
    } else if (s->Done() && !AnyModalWindow()) {
      s->ticks_ = 0;  // the program's call has returned; the test goes on
    } else if (++s->ticks_ > kMaxTicksPerStep) {
      if (s->Done()) {
        ADD_FAILURE() << "the dialog still waits after the last step";
      } else {
        ADD_FAILURE() << "gave up waiting at step: " << s->steps_[s->next_].what;
        s->failed_ = true;
        s->next_ = s->steps_.size();
      }
      s->source_ = 0;
      CloseDialogs();
      return FALSE;
    }
    return TRUE;
  }

  struct Entry {
    std::string what;
    Step step;
  };
  std::vector<Entry> steps_;
  size_t next_ = 0;
  int ticks_ = 0;
  bool failed_ = false;
  guint source_ = 0;
};
using Step = UserScript::Step;

// A step that waits until the window `title` is on the screen and acts on it.
inline Step On(const std::string& title, std::function<void(GtkWidget*)> act) {
  return [title, act] {
    GtkWidget* w = Shown(title);
    if (w) act(w);
    return w != nullptr;
  };
}

inline Step Press(const std::string& title, const std::string& button) {
  return On(title, [button](GtkWidget* w) { Click(w, button); });
}

// Closes the window `title` as the window manager would.
inline Step CloseWindow(const std::string& title) {
  return On(title, [](GtkWidget* w) { gtk_widget_destroy(w); });
}

inline Step ScreenshotOf(const std::string& title, const std::string& name) {
  return On(title, [name](GtkWidget* w) { Screenshot(w, name); });
}

// Waits for a single "Message" window, checks its text (or only its start,
// when the rest names a system error) and closes it with OK.
inline Step ExpectMessage(std::string expected, bool prefixOnly = false) {
  return On("Message", [expected, prefixOnly](GtkWidget* w) {
    std::string text;
    for (const std::string& line : ContentLabels(w)) text += (text.empty() ? "" : "\n") + line;
    EXPECT_EQ(prefixOnly ? text.substr(0, expected.size()) : text, expected);
    Click(w, "OK");
  });
}

// Two steps for a file chooser titled `title` (opened by ClickLater): put
// `path` in it, then accept once it shows the path (it reads its folder in
// the background) and wait until it is gone.
inline Step PutInChooser(const std::string& title, const std::string& path) {
  return On(title, [path](GtkWidget* w) {
    GtkFileChooser* c = GTK_FILE_CHOOSER(w);
    if (gtk_file_chooser_get_action(c) == GTK_FILE_CHOOSER_ACTION_SAVE) {
      gtk_file_chooser_set_current_folder(c, std::filesystem::path(path).parent_path().c_str());
      gtk_file_chooser_set_current_name(c, std::filesystem::path(path).filename().c_str());
    } else {
      gtk_file_chooser_set_filename(c, path.c_str());
    }
  });
}
inline Step AcceptChooser(const std::string& title, const std::string& path) {
  return [title, path] {
    GtkWidget* w = WindowTitled(title);
    if (!w) return true;
    gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(w));
    if (file && path == file) gtk_dialog_response(GTK_DIALOG(w), GTK_RESPONSE_ACCEPT);
    else if (gtk_file_chooser_get_action(GTK_FILE_CHOOSER(w)) == GTK_FILE_CHOOSER_ACTION_OPEN)
      gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(w), path.c_str());
    g_free(file);
    return false;
  };
}

// Dialog tests without the main window: fresh settings in a private HOME.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override {
    CloseDialogs();
    Pump();
    translate_done();
  }
  std::string Path(const std::string& name) const { return home_.path() + "/" + name; }
  TempHome home_;
};

// Opens the main window in a fresh HOME, as start-up does.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsInit();
    translate_init(getLanguagePrefix(getLanguage()));
    MainWindowOpen();
    ASSERT_NE(gMainWindow, nullptr);
    ASSERT_TRUE(PumpUntil([] { return drawingArea && GTK_WIDGET_MAPPED(drawingArea); }));
  }
  void TearDown() override {
    CloseDialogs();
    if (gMainWindow) gtk_widget_destroy(gMainWindow);
    Pump();
    translate_done();
  }

  // Sends a key press and release to the main window and waits for them.
  void PressKey(guint keyval, GdkModifierType mods = static_cast<GdkModifierType>(0)) {
    ASSERT_NE(gMainWindow, nullptr);
    ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, keyval, mods, GDK_KEY_PRESS));
    ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, keyval, mods, GDK_KEY_RELEASE));
    Pump();
  }

  TempHome home_;
};

// A main-window test with the shipped city file in its HOME.
class SettingsDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", home_.path() + "/.lumaro/cities");
    MainWindowTest::SetUp();
  }
};

inline GtkWidget* MenuBar() { return WidgetsOfType(gMainWindow, GTK_TYPE_MENU_BAR).at(0); }

// Labels of the items of a menu or menu bar ("---" for a separator).
inline std::vector<std::string> MenuLabels(GtkWidget* menuShell) {
  std::vector<std::string> labels;
  GList* children = gtk_container_get_children(GTK_CONTAINER(menuShell));
  for (GList* l = children; l; l = l->next) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(l->data));
    labels.push_back(child && GTK_IS_LABEL(child) ? gtk_label_get_text(GTK_LABEL(child)) : "---");
  }
  g_list_free(children);
  return labels;
}

// The item labelled `label` in the main window's menus.
inline GtkWidget* MenuItem(const std::string& label) {
  GtkWidget* found = nullptr;
  ForEachDescendant(MenuBar(), [&](GtkWidget* w) {
    GtkWidget* sub = GTK_IS_MENU_ITEM(w) ? gtk_menu_item_get_submenu(GTK_MENU_ITEM(w)) : nullptr;
    if (!sub) return;
    ForEachDescendant(sub, [&](GtkWidget* item) {
      GtkWidget* child = GTK_IS_MENU_ITEM(item) ? gtk_bin_get_child(GTK_BIN(item)) : nullptr;
      if (!found && child && GTK_IS_LABEL(child) && label == gtk_label_get_text(GTK_LABEL(child))) found = item;
    });
  });
  EXPECT_NE(found, nullptr) << label;
  return found;
}

inline GtkWidget* StatusLabel() {
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(drawingArea)));
  for (GList* l = children; l; l = l->next)
    if (GTK_IS_LABEL(l->data)) found = GTK_WIDGET(l->data);
  g_list_free(children);
  return found;
}
inline std::string StatusText() {
  GtkWidget* l = StatusLabel();
  return l ? gtk_label_get_text(GTK_LABEL(l)) : "(no status label)";
}

// The pointer moves to (x, y) of the month view.
inline void Hover(int x, int y) {
  GdkEvent* ev = gdk_event_new(GDK_MOTION_NOTIFY);
  ev->motion.window = GDK_WINDOW(g_object_ref(drawingArea->window));
  ev->motion.x = x;
  ev->motion.y = y;
  gtk_main_do_event(ev);
  gdk_event_free(ev);
  Pump();
}

// A press of the first mouse button at p of the month view (a double click
// with GDK_2BUTTON_PRESS), painted before it returns.
inline void ClickView(GdkPoint p, GdkEventType type = GDK_BUTTON_PRESS) {
  GdkEvent* ev = gdk_event_new(type);
  ev->button.window = GDK_WINDOW(g_object_ref(drawingArea->window));
  ev->button.x = p.x;
  ev->button.y = p.y;
  ev->button.button = 1;
  ev->button.time = GDK_CURRENT_TIME;
  gtk_main_do_event(ev);
  gdk_event_free(ev);
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
}

// The month view with the selected date shown and painted.
inline void ShowMonth(const GregorianDate& date) {
  SetSelectedDate(date);
  gtk_widget_queue_draw(drawingArea);
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
}

// What the painter draws for the view now (its Gregorian or Hebrew month),
// through a recording Drawing.
inline testenv::RecordingDrawing PaintedView() {
  // A rebuilt window's new area gets its size from the next events.
  PumpUntil([] { return drawingArea->allocation.width > 1 && drawingArea->allocation.height > 1; });
  testenv::RecordingDrawing d;
  const PaintArea area{0, 0, drawingArea->allocation.width, drawingArea->allocation.height};
  PaintItInternal(d, area, SelectedDate(), true, false, nullptr, nullptr, nullptr, MonthViewKind());
  return d;
}

// The candle-lighting and havdalah times of the day cells, in the order drawn.
inline std::vector<std::string> CellTimes() {
  std::vector<std::string> times;
  for (const std::string& op : PaintedView().ops) {
    const size_t bar = op.find(" |");
    if (bar == std::string::npos) continue;
    const std::string text = op.substr(bar + 2);
    if (op.find(" 65535,0,0 |") != std::string::npos && text.find(':') != std::string::npos) times.push_back(text);
  }
  return times;
}

// "hh:mmAM"/"hh:mmPM" (or "hh:mm") in minutes after midnight, or -1.
inline int Minutes(const std::string& t) {
  if (t.size() < 5 || t[2] != ':') return -1;
  const int h = std::stoi(t.substr(0, 2)), m = std::stoi(t.substr(3, 2));
  if (t.size() == 5) return h * 60 + m;
  return (h % 12 + (t.substr(5) == "PM" ? 12 : 0)) * 60 + m;
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
  gdk_window_process_updates(drawingArea->window, TRUE);  // nothing may wait for a repaint before
  Pump();
  user.Start();
  HandleMenuItem(nullptr, id);
}

}  // namespace guitest
