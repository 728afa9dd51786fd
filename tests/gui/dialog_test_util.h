// Helpers for driving the program's dialogs in-process: find a window by its
// title, read its labels and lists, press its buttons, and a scripted "user"
// that acts from timer callbacks while a dialog waits modally for answers.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace guitest {

// Visible top-level windows titled `title`, oldest first.
inline std::vector<GtkWidget*> WindowsTitled(const std::string& title) {
  std::vector<GtkWidget*> found;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next) {
    GtkWidget* w = GTK_WIDGET(l->data);
    const char* t = gtk_window_get_title(GTK_WINDOW(w));
    if (t && title == t && GTK_WIDGET_VISIBLE(w)) found.push_back(w);
  }
  g_list_free(all);
  return found;
}

// The one visible window titled `title`, or null.
inline GtkWidget* WindowTitled(const std::string& title) {
  const std::vector<GtkWidget*> w = WindowsTitled(title);
  return w.size() == 1 ? w.front() : nullptr;
}

inline void ForEachDescendant(GtkWidget* w, const std::function<void(GtkWidget*)>& fn) {
  fn(w);
  if (!GTK_IS_CONTAINER(w)) return;
  GList* children = gtk_container_get_children(GTK_CONTAINER(w));
  for (GList* l = children; l; l = l->next) ForEachDescendant(GTK_WIDGET(l->data), fn);
  g_list_free(children);
}

// Texts of the labels in a dialog's content area (not its buttons), in order.
inline std::vector<std::string> ContentLabels(GtkWidget* dialog) {
  std::vector<std::string> texts;
  ForEachDescendant(GTK_DIALOG(dialog)->vbox, [&](GtkWidget* w) {
    if (GTK_IS_LABEL(w) && !GTK_IS_BUTTON(gtk_widget_get_parent(w))) texts.push_back(gtk_label_get_text(GTK_LABEL(w)));
  });
  return texts;
}

// The button (also radio or check button) whose label reads `text`.
inline GtkWidget* FindButton(GtkWidget* root, const std::string& text) {
  GtkWidget* found = nullptr;
  ForEachDescendant(root, [&](GtkWidget* w) {
    if (found || !GTK_IS_BUTTON(w)) return;
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(w));
    if (child && GTK_IS_LABEL(child) && text == gtk_label_get_text(GTK_LABEL(child))) found = w;
  });
  return found;
}

inline bool Click(GtkWidget* root, const std::string& text) {
  GtkWidget* b = root ? FindButton(root, text) : nullptr;
  EXPECT_NE(b, nullptr) << "no button '" << text << "'";
  if (!b) return false;
  gtk_button_clicked(GTK_BUTTON(b));
  return true;
}

// Widgets of a type in the order they were packed.
inline std::vector<GtkWidget*> WidgetsOfType(GtkWidget* root, GType type) {
  std::vector<GtkWidget*> found;
  ForEachDescendant(root, [&](GtkWidget* w) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(w, type)) found.push_back(w);
  });
  return found;
}

// Rows (column 0) of a tree view.
inline std::vector<std::string> TreeRows(GtkWidget* view) {
  std::vector<std::string> rows;
  GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(view));
  GtkTreeIter it;
  for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok; ok = gtk_tree_model_iter_next(model, &it)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, 0, &text, -1);
    rows.push_back(text ? text : "");
    g_free(text);
  }
  return rows;
}

inline void SelectRow(GtkWidget* view, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_selection_select_path(gtk_tree_view_get_selection(GTK_TREE_VIEW(view)), path);
  gtk_tree_path_free(path);
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

// A scripted user: each step runs from a timer while the program waits in
// its modal loop and returns true when it could do its part (false: not
// yet, try again at the next tick). A step that waits too long fails the
// test and every dialog window is closed, so the program's call returns
// instead of hanging.
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
  // For steps that act on windows left open after the program's call
  // returned (messages that do not wait): runs the loop until the script ends.
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
    if (s->Done()) {
      // The script is over, so the program should have returned by now.
      if (++s->ticks_ > kMaxTicksPerStep) {
        ADD_FAILURE() << "the dialog still waits after the last step";
        s->source_ = 0;
        CloseAllDialogs();
        return FALSE;
      }
      return TRUE;
    }
    Entry& e = s->steps_[s->next_];
    if (e.step()) {
      ++s->next_;
      s->ticks_ = 0;
    } else if (++s->ticks_ > kMaxTicksPerStep) {
      ADD_FAILURE() << "gave up waiting at step: " << e.what;
      s->failed_ = true;
      s->next_ = s->steps_.size();
      s->source_ = 0;
      CloseAllDialogs();
      return FALSE;
    }
    return TRUE;
  }

  static void CloseAllDialogs() {
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l; l = l->next)
      if (GTK_IS_DIALOG(l->data)) gtk_widget_destroy(GTK_WIDGET(l->data));
    g_list_free(all);
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

// A step that waits for a single "Message" window, checks its text, and
// closes it with its OK button.
inline UserScript::Step ExpectMessage(std::string expected) {
  return [expected] {
    GtkWidget* w = WindowTitled("Message");
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    std::string text;
    for (const std::string& line : ContentLabels(w)) text += (text.empty() ? "" : "\n") + line;
    EXPECT_EQ(text, expected);
    Click(w, "OK");
    return true;
  };
}

// Destroys every dialog window left over by a test.
inline void CloseDialogs() {
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next)
    if (GTK_IS_DIALOG(l->data)) gtk_widget_destroy(GTK_WIDGET(l->data));
  g_list_free(all);
}

}  // namespace guitest
