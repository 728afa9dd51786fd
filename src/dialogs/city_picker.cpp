#include "dialogs/city_picker.h"

#include <memory>

#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/widget_fonts.h"

namespace {

enum Column : int { kName = 0, kZone, kIndex, kColumns };

constexpr int kVisibleRows = 8;
constexpr const char* kPickerKey = "lumaro-city-picker";

// What a picker keeps: its cities, which of them match the search, and its widgets.
struct Picker {
  std::vector<CityChoice> cities;
  std::vector<bool> visible;
  std::string initial;
  GtkWidget* search = nullptr;
  GtkWidget* view = nullptr;
  GtkTreeModel* filter = nullptr;  // owned by the view
};

Picker* PickerOf(GtkWidget* widget) { return static_cast<Picker*>(g_object_get_data(G_OBJECT(widget), kPickerKey)); }

gboolean IsVisible(GtkTreeModel* model, GtkTreeIter* it, gpointer data) {
  const auto* p = static_cast<const Picker*>(data);
  gint index = -1;
  gtk_tree_model_get(model, it, kIndex, &index, -1);
  return index >= 0 && static_cast<size_t>(index) < p->visible.size() && p->visible[static_cast<size_t>(index)];
}

void ScrollToSelection(Picker* p) {
  GtkTreeModel* model = nullptr;
  GtkTreeIter it;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view)), &model, &it)) return;
  GtkTreePath* path = gtk_tree_model_get_path(model, &it);
  gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(p->view), path, nullptr, TRUE, 0.5f, 0.0f);
  gtk_tree_path_free(path);
}

// Narrows the list to what is typed; when the selected city drops out of
// it, the first one left is selected, so what OK takes is always in view.
void SearchChanged(GtkEditable* field, gpointer data) {
  auto* p = static_cast<Picker*>(data);
  p->visible = CitiesMatchingSearch(p->cities, gtk_entry_get_text(GTK_ENTRY(field)));
  gtk_tree_model_filter_refilter(GTK_TREE_MODEL_FILTER(p->filter));
  GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view));
  GtkTreeIter it;
  if (!gtk_tree_selection_get_selected(selection, nullptr, &it) && gtk_tree_model_get_iter_first(p->filter, &it))
    gtk_tree_selection_select_iter(selection, &it);
  ScrollToSelection(p);
}

// Puts the rows of `cities` into `store`; returns the row of `current`, or -1.
int FillStore(GtkListStore* store, const std::vector<CityChoice>& cities, const std::string& current) {
  int selected = -1;
  for (size_t i = 0; i < cities.size(); ++i) {
    GtkTreeIter it;
    gtk_list_store_append(store, &it);
    gtk_list_store_set(store, &it, kName, cities[i].name.c_str(), kZone, cities[i].zone.c_str(), kIndex,
                       static_cast<gint>(i), -1);
    if (selected < 0 && cities[i].name == current) selected = static_cast<int>(i);
  }
  return selected;
}

// Selects row `row` of the list (all rows shown) and brings it into view; -1 selects none.
void SelectRow(Picker* p, int row) {
  GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view));
  if (row < 0) {
    gtk_tree_selection_unselect_all(selection);
    return;
  }
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_selection_select_path(selection, path);
  gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(p->view), path, nullptr, TRUE, 0.5f, 0.0f);
  gtk_tree_path_free(path);
}

void DeletePicker(gpointer data) { delete static_cast<Picker*>(data); }

}  // namespace

GtkWidget* NewCityPicker(std::vector<CityChoice> cities, const std::string& current) {
  auto picker = std::make_unique<Picker>();
  Picker* p = picker.get();
  p->cities = std::move(cities);
  p->visible.assign(p->cities.size(), true);
  p->initial = current;

  GtkListStore* store = gtk_list_store_new(kColumns, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_INT);
  const int selected = FillStore(store, p->cities, current);
  p->filter = gtk_tree_model_filter_new(GTK_TREE_MODEL(store), nullptr);
  g_object_unref(store);  // the filter holds it
  gtk_tree_model_filter_set_visible_func(GTK_TREE_MODEL_FILTER(p->filter), IsVisible, p, nullptr);

  p->view = gtk_tree_view_new_with_model(p->filter);
  g_object_unref(p->filter);  // the view holds it
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(p->view), FALSE);
  gtk_tree_view_set_enable_search(GTK_TREE_VIEW(p->view), FALSE);  // the field above searches
  GtkCellRenderer* name = gtk_cell_renderer_text_new();
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(p->view), -1, "", name, "text", kName, nullptr);
  GtkCellRenderer* zone = gtk_cell_renderer_text_new();
  g_object_set(zone, "foreground", "#555555", nullptr);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(p->view), -1, "", zone, "text", kZone, nullptr);
  setFontDialog(p->view);
  setProperTextDirectionForWidget(p->view);
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view)), GTK_SELECTION_BROWSE);
  SelectRow(p, selected);

  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scrolled), p->view);
  // About kVisibleRows rows high.
  PangoLayout* layout = gtk_widget_create_pango_layout(p->view, "Xg");
  int textWidth = 0, textHeight = 0;
  pango_layout_get_pixel_size(layout, &textWidth, &textHeight);
  g_object_unref(layout);
  gtk_widget_set_size_request(scrolled, -1, kVisibleRows * (textHeight + 6));

  p->search = gtk_entry_new();
  setFontDialog(p->search);
  setProperTextDirectionForWidget(p->search);
  g_signal_connect(p->search, "changed", G_CALLBACK(SearchChanged), p);

  GtkWidget* searchRow = gtk_hbox_new(FALSE, 4);
  // In Yiddish the label stands at the right, the field fills the rest.
  GtkWidget* label = dialogs::DialogLabel(translate_perform("Search:"));
  if (isLanguageRightToLeft()) {
    gtk_box_pack_end(GTK_BOX(searchRow), label, FALSE, FALSE, 0);
    gtk_box_pack_end(GTK_BOX(searchRow), p->search, TRUE, TRUE, 0);
  } else {
    gtk_box_pack_start(GTK_BOX(searchRow), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(searchRow), p->search, TRUE, TRUE, 0);
  }
  GtkWidget* box = gtk_vbox_new(FALSE, 2);
  gtk_box_pack_start(GTK_BOX(box), searchRow, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), scrolled, TRUE, TRUE, 0);
  g_object_set_data_full(G_OBJECT(box), kPickerKey, picker.release(), DeletePicker);
  return box;
}

std::string CityPickerChoice(GtkWidget* widget) {
  const Picker* p = PickerOf(widget);
  if (!p) return {};
  GtkTreeModel* model = nullptr;
  GtkTreeIter it;
  if (gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view)), &model, &it)) {
    gint index = -1;
    gtk_tree_model_get(model, &it, kIndex, &index, -1);
    if (index >= 0 && static_cast<size_t>(index) < p->cities.size()) return p->cities[static_cast<size_t>(index)].name;
  }
  const char* typed = gtk_entry_get_text(GTK_ENTRY(p->search));
  return typed && *typed ? std::string() : p->initial;
}

GtkWidget* CityPickerSearchField(GtkWidget* picker) {
  const Picker* p = PickerOf(picker);
  return p ? p->search : nullptr;
}

GtkWidget* CityPickerList(GtkWidget* picker) {
  const Picker* p = PickerOf(picker);
  return p ? p->view : nullptr;
}

void CityPickerOnChosen(GtkWidget* picker, void (*chosen)(GtkWidget* picker, gpointer data), gpointer data) {
  const Picker* p = PickerOf(picker);
  if (!p) return;
  // The selection changes when a row is clicked and when the search picks
  // the first match; the handler gets the picker itself.
  struct Call {
    GtkWidget* picker;
    void (*chosen)(GtkWidget*, gpointer);
    gpointer data;
  };
  auto* call = new Call{picker, chosen, data};
  g_signal_connect_data(
      gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view)), "changed",
      G_CALLBACK(+[](GtkTreeSelection*, gpointer c) {
        auto* call = static_cast<Call*>(c);
        call->chosen(call->picker, call->data);
      }),
      call, +[](gpointer c, GClosure*) { delete static_cast<Call*>(c); }, GConnectFlags(0));
}

void CityPickerSetCities(GtkWidget* picker, std::vector<CityChoice> cities, const std::string& selected) {
  Picker* p = PickerOf(picker);
  if (!p) return;
  // The search is cleared, so every city is listed and `selected` in view.
  g_signal_handlers_block_by_func(p->search, reinterpret_cast<gpointer>(SearchChanged), p);
  gtk_entry_set_text(GTK_ENTRY(p->search), "");
  g_signal_handlers_unblock_by_func(p->search, reinterpret_cast<gpointer>(SearchChanged), p);
  p->cities = std::move(cities);
  p->visible.assign(p->cities.size(), true);
  if (!selected.empty()) p->initial = selected;
  GtkListStore* store = GTK_LIST_STORE(gtk_tree_model_filter_get_model(GTK_TREE_MODEL_FILTER(p->filter)));
  gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(GTK_TREE_VIEW(p->view)));
  gtk_list_store_clear(store);
  const int row = FillStore(store, p->cities, p->initial);
  if (row < 0) p->initial.clear();  // no longer in the file
  SelectRow(p, row);
}
