// Helpers of the in-process GTK tests: finding and driving widgets, a scripted
// user acting while a dialog waits modally, the main window and its month view.
#pragma once

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../unit/recording_drawing.h"
#include "../unit/test_env.h"
#include "app/main_window.h"
#include "app/month_view.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "dialogs/city_picker.h"
#include "render/month_painter.h"

namespace guitest {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;
using Strings = std::vector<std::string>;
using G = GregorianDate;

inline void Pump() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// Pumps events until pred() holds; bounded by iterations, not by a clock.
template <class P>
bool PumpUntil(P pred) {
  for (int i = 0; i < 2000 && !pred(); ++i) {
    gdk_flush();
    Pump();
    g_usleep(1000);
  }
  return pred();
}

inline std::vector<GtkWidget*> Toplevels() {
  std::vector<GtkWidget*> found;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next) found.push_back(GTK_WIDGET(l->data));
  g_list_free(all);
  return found;
}

inline std::vector<GtkWidget*> WindowsTitled(const std::string& title) {
  std::vector<GtkWidget*> found = Toplevels();
  found.erase(std::remove_if(found.begin(), found.end(),
                             [&](GtkWidget* w) {
                               const char* t = gtk_window_get_title(GTK_WINDOW(w));
                               return !t || title != t || !GTK_WIDGET_VISIBLE(w);
                             }),
              found.end());
  return found;
}
inline GtkWidget* WindowTitled(const std::string& title) {
  const std::vector<GtkWidget*> w = WindowsTitled(title);
  return w.size() == 1 ? w.front() : nullptr;
}

inline void CloseDialogs() {
  for (GtkWidget* w : Toplevels())
    if (GTK_IS_DIALOG(w)) gtk_widget_destroy(w);
}

// `root` and every widget inside it of `type`, in order.
inline std::vector<GtkWidget*> WidgetsOfType(GtkWidget* root, GType type) {
  std::vector<GtkWidget*> found;
  if (G_TYPE_CHECK_INSTANCE_TYPE(root, type)) found.push_back(root);
  if (!GTK_IS_CONTAINER(root)) return found;
  GList* children = gtk_container_get_children(GTK_CONTAINER(root));
  for (GList* l = children; l; l = l->next)
    for (GtkWidget* w : WidgetsOfType(GTK_WIDGET(l->data), type)) found.push_back(w);
  g_list_free(children);
  return found;
}

inline std::string LabelText(GtkWidget* w) { return w && GTK_IS_LABEL(w) ? gtk_label_get_text(GTK_LABEL(w)) : "---"; }

// Texts of the labels in a dialog's content area (not its buttons).
inline Strings ContentLabels(GtkWidget* dialog) {
  Strings texts;
  for (GtkWidget* w : WidgetsOfType(GTK_DIALOG(dialog)->vbox, GTK_TYPE_LABEL))
    if (!GTK_IS_BUTTON(gtk_widget_get_parent(w))) texts.push_back(LabelText(w));
  return texts;
}

// The button (also radio or check button) labelled `text`.
inline GtkWidget* FindButton(GtkWidget* root, const std::string& text) {
  for (GtkWidget* w : WidgetsOfType(root, GTK_TYPE_BUTTON))
    if (LabelText(gtk_bin_get_child(GTK_BIN(w))) == text) return w;
  return nullptr;
}
inline void Click(GtkWidget* root, const std::string& text) {
  GtkWidget* b = root ? FindButton(root, text) : nullptr;
  EXPECT_NE(b, nullptr) << "no button '" << text << "'";
  if (b) gtk_button_clicked(GTK_BUTTON(b));
}

// Column 0 of every row of a list model.
inline Strings ModelRows(GtkTreeModel* model) {
  Strings rows;
  GtkTreeIter it;
  for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok; ok = gtk_tree_model_iter_next(model, &it)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, 0, &text, -1);
    rows.push_back(text ? text : "");
    g_free(text);
  }
  return rows;
}
inline Strings TreeRows(GtkWidget* view) { return ModelRows(gtk_tree_view_get_model(GTK_TREE_VIEW(view))); }
inline void SelectRow(GtkWidget* view, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_selection_select_path(gtk_tree_view_get_selection(GTK_TREE_VIEW(view)), path);
  gtk_tree_path_free(path);
}

inline void Choose(GtkWidget* combo, const std::string& text) {
  const Strings entries = ModelRows(gtk_combo_box_get_model(GTK_COMBO_BOX(combo)));
  const auto at = std::find(entries.begin(), entries.end(), text);
  ASSERT_NE(at, entries.end()) << "no entry '" << text << "'";
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), static_cast<int>(at - entries.begin()));
}

// The widget of `type` after the label or button `label` in its row (of a
// box, or of a table).
inline GtkWidget* Beside(GtkWidget* window, const std::string& label, GType type = GTK_TYPE_ENTRY) {
  GtkWidget* found = nullptr;
  for (GtkWidget* w : WidgetsOfType(window, GTK_TYPE_LABEL)) {
    if (found || LabelText(w) != label) continue;
    GtkWidget* item = GTK_IS_BUTTON(gtk_widget_get_parent(w)) ? gtk_widget_get_parent(w) : w;
    GtkWidget* parent = gtk_widget_get_parent(item);
    GList* row = gtk_container_get_children(GTK_CONTAINER(parent));
    const auto top = [&](gpointer child) {
      guint at = 0;
      if (GTK_IS_TABLE(parent))
        gtk_container_child_get(GTK_CONTAINER(parent), GTK_WIDGET(child), "top-attach", &at, nullptr);
      return at;
    };
    GList* from = GTK_IS_TABLE(parent) ? row : g_list_find(row, item);
    for (GList* l = from; l && !found; l = l->next)
      if (G_TYPE_CHECK_INSTANCE_TYPE(l->data, type) && top(l->data) == top(item)) found = GTK_WIDGET(l->data);
    g_list_free(row);
  }
  EXPECT_NE(found, nullptr) << "nothing beside '" << label << "'";
  return found;
}
// Acts on a dialog as `fields` (joined by |) say: "label=text" types into the
// entry beside the label; click:, on:, off: a button; list:N=entry chooses in
// the N-th drop-down list, choose:label=entry in the one beside the label, spin:N=text types into the N-th spin button,
// city:search=name types the search into the city picker and chooses the name,
// search:label=text types into the search field of the picker beside the label;
// chosen:city=name expects the city picker to show `name` chosen; at:title
// expects the window's notebook to show the page of that title, page:title
// shows it and limits the fields after it to that page.
inline void Act(GtkWidget* w, const std::string& fields) {
  std::istringstream list(fields);
  for (std::string f; std::getline(list, f, '|');) {
    const size_t colon = f.find(':'), eq = f.find('=');
    const std::string kind = f.substr(0, colon), arg = f.substr(colon + 1, eq - colon - 1);
    const std::string value = eq == std::string::npos ? "" : f.substr(eq + 1);
    if (kind == "at" || kind == "page") {
      GtkNotebook* book = GTK_NOTEBOOK(WidgetsOfType(w, GTK_TYPE_NOTEBOOK).at(0));
      const auto title = [&](int i) {
        return LabelText(gtk_notebook_get_tab_label(book, gtk_notebook_get_nth_page(book, i)));
      };
      if (kind == "at") {
        EXPECT_EQ(title(gtk_notebook_get_current_page(book)), arg);
      }
      for (int i = 0; kind == "page" && i < gtk_notebook_get_n_pages(book); ++i) {
        if (title(i) != arg) continue;
        gtk_notebook_set_current_page(book, i);
        w = gtk_notebook_get_nth_page(book, i);
      }
    } else if (kind == "click") {
      Click(w, arg);
    } else if (kind == "on" || kind == "off") {
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(FindButton(w, arg)), kind == "on");
    } else if (kind == "choose") {
      Choose(Beside(w, arg, GTK_TYPE_COMBO_BOX), value);
    } else if (kind == "list") {
      Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).at(std::stoul(arg)), value);
    } else if (kind == "spin") {
      gtk_entry_set_text(GTK_ENTRY(WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON).at(std::stoul(arg))), value.c_str());
    } else if (kind == "chosen") {
      EXPECT_EQ(CityPickerChoice(Beside(w, "Location:", GTK_TYPE_VBOX)), value);
    } else if (kind == "search") {
      gtk_entry_set_text(GTK_ENTRY(CityPickerSearchField(Beside(w, arg, GTK_TYPE_VBOX))), value.c_str());
    } else if (kind == "city") {
      GtkWidget* picker = Beside(w, "Location:", GTK_TYPE_VBOX);
      gtk_entry_set_text(GTK_ENTRY(CityPickerSearchField(picker)), arg.c_str());
      ASSERT_EQ(TreeRows(CityPickerList(picker)), Strings{value});
      SelectRow(CityPickerList(picker), 0);
    } else if (GtkWidget* e = Beside(w, f.substr(0, eq))) {
      gtk_entry_set_text(GTK_ENTRY(e), value.c_str());
    }
  }
}

// The rows of tests/data/gui/`name`, cut or padded to `columns` cells.
inline std::vector<Strings> Rows(const std::string& name, size_t columns) {
  std::vector<Strings> rows = testenv::CaseRows("gui/" + name);
  for (Strings& row : rows) row.resize(columns);
  return rows;
}

// A scripted user: each step runs from a timer while the program waits in its
// modal loop, true once it could act. A step that waits too long fails the test
// and every dialog is closed, so the program's call returns.
class UserScript {
 public:
  using Step = std::function<bool()>;
  UserScript& Then(const std::string& what, Step step) {
    steps_.push_back({what, std::move(step)});
    return *this;
  }
  void Start() { source_ = g_timeout_add(5, &UserScript::Tick, this); }
  bool Done() const { return next_ >= steps_.size(); }
  void Finish() {
    for (int i = 0; i < 4 * kMaxTicks && !Done(); ++i) gtk_main_iteration_do(TRUE);
  }
  ~UserScript() {
    if (source_) g_source_remove(source_);
    EXPECT_TRUE(failed_ || Done()) << "the program returned before the step: " << steps_[next_].first;
  }

 private:
  static constexpr int kMaxTicks = 800;
  static gboolean Tick(gpointer self) {
    auto* s = static_cast<UserScript*>(self);
    bool modal = false;
    for (GtkWidget* w : Toplevels()) modal |= GTK_WIDGET_VISIBLE(w) && gtk_window_get_modal(GTK_WINDOW(w));
    if (!s->Done() && s->steps_[s->next_].second()) {
      ++s->next_;
      s->ticks_ = 0;
    } else if (s->Done() && !modal) {
      s->ticks_ = 0;  // the program's call has returned; the test goes on
    } else if (++s->ticks_ > kMaxTicks) {
      ADD_FAILURE() << (s->Done() ? "the dialog still waits after the last step"
                                  : "gave up waiting at step: " + s->steps_[s->next_].first);
      s->failed_ = !s->Done();
      s->next_ = s->steps_.size();
      s->source_ = 0;
      CloseDialogs();
      return FALSE;
    }
    return TRUE;
  }
  std::vector<std::pair<std::string, Step>> steps_;
  size_t next_ = 0;
  int ticks_ = 0;
  bool failed_ = false;
  guint source_ = 0;
};
using Step = UserScript::Step;

// A step acting on the window `title` (or its translation) once it is shown.
inline Step On(const std::string& title, std::function<void(GtkWidget*)> act) {
  return [title, act] {
    GtkWidget* w = WindowTitled(title) ? WindowTitled(title) : WindowTitled(translate_perform(title));
    const bool shown = w && GTK_WIDGET_MAPPED(w);
    if (shown) act(w);
    return shown;
  };
}
inline Step Press(const std::string& title, const std::string& button) {
  return On(title, [button](GtkWidget* w) { Click(w, button); });
}
inline Step Fill(const std::string& title, const std::string& fields) {
  return On(title, [fields](GtkWidget* w) {
    Act(w, fields);
    Click(w, translate_perform("OK"));
  });
}
// A single "Message" window with this text, closed with OK.
inline Step ExpectMessage(std::string expected) {
  return On("Message", [expected](GtkWidget* w) {
    std::string text;
    for (const std::string& line : ContentLabels(w)) text += (text.empty() ? "" : "\n") + line;
    EXPECT_EQ(text, expected);
    Click(w, "OK");
  });
}

inline GtkWidget* MenuBar() { return WidgetsOfType(gMainWindow, GTK_TYPE_MENU_BAR).at(0); }

inline Strings MenuLabels(GtkWidget* menuShell) {
  Strings labels;
  GList* children = gtk_container_get_children(GTK_CONTAINER(menuShell));
  for (GList* l = children; l; l = l->next) labels.push_back(LabelText(gtk_bin_get_child(GTK_BIN(l->data))));
  g_list_free(children);
  return labels;
}

inline GtkWidget* MenuItem(const std::string& label) {
  for (GtkWidget* top : WidgetsOfType(MenuBar(), GTK_TYPE_MENU_ITEM))
    if (GtkWidget* sub = gtk_menu_item_get_submenu(GTK_MENU_ITEM(top)))
      for (GtkWidget* item : WidgetsOfType(sub, GTK_TYPE_MENU_ITEM))
        if (LabelText(gtk_bin_get_child(GTK_BIN(item))) == label) return item;
  ADD_FAILURE() << "no menu item " << label;
  return nullptr;
}

// The main window in a fresh HOME with the shipped city file, as start-up opens it.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", home_.lumaro("cities"),
                               std::filesystem::copy_options::skip_existing);
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
  std::string Path(const std::string& name) const { return home_.path() + "/" + name; }
  void PressKey(guint keyval, GdkModifierType mods = static_cast<GdkModifierType>(0)) {
    ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, keyval, mods, GDK_KEY_PRESS));
    ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, keyval, mods, GDK_KEY_RELEASE));
    Pump();
  }
  // Runs `user` while the menu item's command waits for it.
  void OpenByMenu(const std::string& item, UserScript& user) {
    gdk_window_process_updates(drawingArea->window, TRUE);  // nothing may wait for a repaint before
    Pump();
    user.Start();
    gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(item)));
    user.Finish();
  }
  TempHome home_;
};

inline GtkWidget* StatusLabel() {
  const std::vector<GtkWidget*> labels = WidgetsOfType(gtk_widget_get_parent(drawingArea), GTK_TYPE_LABEL);
  return labels.empty() ? nullptr : labels.back();
}

// A pointer move, or a press of the first mouse button, at p of the month view; painted before it returns.
inline void PointerAt(GdkPoint p, GdkEventType type = GDK_BUTTON_PRESS) {
  GdkEvent* ev = gdk_event_new(type);
  ev->any.window = GDK_WINDOW(g_object_ref(drawingArea->window));
  if (type == GDK_MOTION_NOTIFY) {
    ev->motion.x = p.x;
    ev->motion.y = p.y;
  } else {
    ev->button.x = p.x;
    ev->button.y = p.y;
    ev->button.button = 1;
    ev->button.time = GDK_CURRENT_TIME;
  }
  gtk_main_do_event(ev);
  gdk_event_free(ev);
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
}

inline void Repaint() {
  gtk_widget_queue_draw(drawingArea);
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
}
inline void ShowMonth(const G& date) {
  SetSelectedDate(date);
  Repaint();
}

inline GdkPoint FindPoint(const std::function<bool(const CalendarHit&)>& pred, int top = 0, int step = 2) {
  for (int y = top; y < drawingArea->allocation.height; y += step)
    for (int x = 0; x < drawingArea->allocation.width; x += step) {
      CalendarHit hit;
      hit.x = x;
      hit.y = y;
      PaintIt(drawingArea, drawingArea->window, false, &hit, nullptr);
      if (pred(hit)) return {x, y};
    }
  ADD_FAILURE() << "no such point";
  return {0, 0};
}
inline GdkPoint NextArrow() {
  return FindPoint([](const CalendarHit& h) { return h.onNextArrow == 1; });
}
// A point inside the cell of grid day `day`, below its numbers.
inline GdkPoint PointOfDay(int day) {
  const GdkPoint p =
      FindPoint([day](const CalendarHit& h) { return h.day == day; }, drawingArea->allocation.height / 5, 8);
  return {p.x + 20, p.y + 30};
}

inline testenv::RecordingDrawing PaintedView() {
  PumpUntil([] { return drawingArea->allocation.width > 1 && drawingArea->allocation.height > 1; });
  testenv::RecordingDrawing d;
  const PaintArea area{0, 0, drawingArea->allocation.width, drawingArea->allocation.height};
  PaintItInternal(d, area, SelectedDate(), CurrentOptions(), true, false, nullptr, nullptr, nullptr, MonthViewKind());
  return d;
}
inline bool ViewShows(const std::string& text) { return PaintedView().DrewText(text); }

// Whether the whole view waits for a repaint (called right after the command); lets it happen.
inline bool RedrawRequested() {
  GdkRegion* pending = gdk_window_get_update_area(drawingArea->window);
  GdkRectangle box{0, 0, 0, 0};
  if (pending) {
    gdk_region_get_clipbox(pending, &box);
    gdk_region_destroy(pending);
  }
  const bool whole = box.x == 0 && box.y == 0 && box.width == drawingArea->allocation.width &&
                     box.height == drawingArea->allocation.height;
  Repaint();
  return whole;
}

}  // namespace guitest
