#include "dialogs/message.h"

#include <string_view>
#include <vector>

#include "dialogs/widget_fonts.h"
#include "dialogs/dialog_util.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "base/version.h"

int32_t idClickedButton = kAnswerPending;

namespace {

constexpr const char* kProgramVersion = LUMARO_VERSION;
constexpr const char* kAuthors = "Lumaro developers, 2026";
constexpr const char* kContactEmail = "lumaro-maintainers@users.noreply.c-seed-efc61bd7.example";
constexpr const char* kContactWebsite = "https://lumaro.example.org";

// The lines of a text: a trailing newline ends the last line and adds none.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// A list of the lines of `text`, one row each, in a scrolled window of the
// given size.
GtkWidget* LineList(std::string_view text, int width, int height) {
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  for (std::string_view line : Lines(text)) {
    const std::string row(line);
    GtkTreeIter it;
    gtk_list_store_append(store, &it);
    gtk_list_store_set(store, &it, 0, row.c_str(), -1);
  }
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);  // the view holds it
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "", gtk_cell_renderer_text_new(), "text", 0,
                                              nullptr);
  setFontDialog(view);
  setProperTextDirectionForWidget(view);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_widget_set_size_request(scrolled, width, height);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  return scrolled;
}

}  // namespace

void DialogButton(GtkWidget*, gpointer answer) { idClickedButton = GPOINTER_TO_INT(answer); }

void DialogDestroyAnswers(GtkWidget*, gpointer answer) {
  if (idClickedButton == kAnswerPending) idClickedButton = GPOINTER_TO_INT(answer);
}

void DialogButtonDestroy(GtkWidget* window, gpointer) { DialogDestroyAnswers(window, GINT_TO_POINTER(kAnswerNo)); }

void Dialog2Destroy(GtkWidget* window, gpointer) {
  DialogDestroyAnswers(window, GINT_TO_POINTER(kAnswerSettingsCancel));
}

void DialogDestroy(GtkWidget*, gpointer window) { gtk_widget_destroy(GTK_WIDGET(window)); }

int DialogsDoMessageEx(const std::string& text, bool ok, bool yesNo) {
  // Over a modal dialog a message must be modal too, or it could not be clicked.
  const bool modal = yesNo || gtk_grab_get_current() != nullptr;
  GtkWidget* window = dialogs::NewDialog("Message", modal);
  GtkWidget* content = dialogs::ContentArea(window);
  for (std::string_view line : Lines(text))
    gtk_box_pack_start(GTK_BOX(content), dialogs::DialogLabel(std::string(line)), FALSE, FALSE, 2);
  if (ok) {
    GtkWidget* button = gtk_button_new_with_label(translate_perform("OK").c_str());
    dialogs::ApplyDialogFont(button);
    g_signal_connect(button, "clicked", G_CALLBACK(DialogDestroy), window);
    gtk_box_pack_start(GTK_BOX(dialogs::ActionArea(window)), button, TRUE, TRUE, 0);
  }
  if (yesNo) {
    dialogs::AddActionButton(window, "Yes", kAnswerYes);
    dialogs::AddActionButton(window, "No", kAnswerNo);
    g_signal_connect(window, "destroy", G_CALLBACK(DialogButtonDestroy), nullptr);
  }
  gtk_widget_show_all(window);
  if (!yesNo) return kAnswerPending;

  dialogs::WindowRef ref(window);
  const int answer = dialogs::WaitForAnswer();
  ref.Destroy();
  return answer;
}

void DialogsDoMessage(const std::string& text) { DialogsDoMessageEx(text, true, false); }

int DialogsDoYesNo(const std::string& text) { return DialogsDoMessageEx(text, false, true); }

std::string DialogsAboutText() {
  return translate_perform("Lumaro") + "\n" + FormatText(translate_perform("Version %s"), {kProgramVersion}) +
         "\n" + translate_perform(kAuthors) + "\n\n" + translate_perform("E-Mail:") + " " + kContactEmail + "\n" +
         translate_perform("Website:") + " " + kContactWebsite;
}

void DialogsDoAbout() { DialogsDoMessage(DialogsAboutText()); }

GtkWidget* DialogsDoLongMessage(GtkWidget* parent, const std::string* zmanim, const std::string* readings,
                                const std::string* halakha, const std::string* learning) {
  GdkScreen* screen = parent ? gtk_widget_get_screen(parent) : gdk_screen_get_default();
  const int screenWidth = gdk_screen_get_width(screen);
  const int screenHeight = gdk_screen_get_height(screen);
  const std::string* texts[] = {zmanim, readings, halakha, learning};
  int present = 0;
  for (const std::string* t : texts) present += t ? 1 : 0;
  const int height = screenHeight / (present == 3 ? 5 : 6);
  const int width = screenWidth / 3;

  GtkWidget* window = dialogs::NewDialog("Message", false);
  for (const std::string* t : texts) {
    if (!t) continue;
    gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(window)), LineList(*t, width, height), TRUE, TRUE, 2);
  }
  GtkWidget* close = gtk_button_new_with_label(translate_perform("Close").c_str());
  dialogs::ApplyDialogFont(close);
  g_signal_connect(close, "clicked", G_CALLBACK(DialogDestroy), window);
  gtk_box_pack_start(GTK_BOX(dialogs::ActionArea(window)), close, TRUE, TRUE, 0);
  gtk_widget_show_all(window);
  return window;
}
