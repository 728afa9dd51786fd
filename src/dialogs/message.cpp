#include "dialogs/message.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

#include "dialogs/widget_fonts.h"
#include "dialogs/dialog_util.h"
#include "dialogs/gtk_util.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "base/version.h"


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

// The report window takes at most this share of the screen.
constexpr int kReportScreenPercent = 90;
// Room the window needs besides its lists: the Close button, borders, a
// scroll bar and the window manager's frame.
constexpr int kReportChromeHeight = 90;
constexpr int kReportChromeWidth = 60;
constexpr int kReportSmallestWrap = 320;

// A list of the lines of `text`, one row each; rows wrap at `wrapWidth`
// pixels, so the list never scrolls sideways.
struct LineList {
  GtkWidget* view = nullptr;
  GtkWidget* scrolled = nullptr;
  GtkCellRenderer* renderer = nullptr;
};

LineList NewLineList(std::string_view text) {
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  for (std::string_view line : Lines(text)) {
    const std::string row(line);
    GtkTreeIter it;
    gtk_list_store_append(store, &it);
    gtk_list_store_set(store, &it, 0, row.c_str(), -1);
  }
  LineList l;
  l.view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);  // the view holds it
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(l.view), FALSE);
  l.renderer = gtk_cell_renderer_text_new();
  g_object_set(l.renderer, "wrap-mode", PANGO_WRAP_WORD_CHAR, nullptr);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(l.view), -1, "", l.renderer, "text", 0, nullptr);
  setFontDialog(l.view);
  setProperTextDirectionForWidget(l.view);
  l.scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(l.scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(l.scrolled), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(l.scrolled), l.view);
  return l;
}

// The width of the widest line of `text` in the list's font.
int WidestLine(GtkWidget* view, std::string_view text) {
  int widest = 0;
  for (std::string_view line : Lines(text)) {
    GObjectPtr<PangoLayout> layout(gtk_widget_create_pango_layout(view, std::string(line).c_str()));
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout.get(), &w, &h);
    widest = std::max(widest, w);
  }
  return widest;
}

}  // namespace

int DialogsDoMessageEx(const std::string& text, bool ok, bool yesNo) {
  return DialogsDoMessageTitled("Message", text, ok, yesNo);
}

int DialogsDoMessageTitled(const std::string& title, const std::string& text, bool ok, bool yesNo) {
  // Over a modal dialog a message must be modal too, or it could not be clicked.
  const bool modal = yesNo || gtk_grab_get_current() != nullptr;
  GtkWidget* window = dialogs::NewDialog(title.c_str(), modal);
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
    // "Yes" last in the reading direction, as OK is.
    const bool rtl = isLanguageRightToLeft();
    const std::string yes = translate_perform("Yes"), no = translate_perform("No");
    dialogs::AddActionButton(window, rtl ? yes : no, rtl ? kAnswerYes : kAnswerNo);
    dialogs::AddActionButton(window, rtl ? no : yes, rtl ? kAnswerNo : kAnswerYes);
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

void dialogs::ShowInputError(const std::string& message) { DialogsDoMessage(message); }

std::string DialogsAboutText() {
  return translate_perform("Lumaro") + "\n" + FormatText(translate_perform("Version %s"), {kProgramVersion}) +
         "\n" + translate_perform(kAuthors) + "\n\n" + translate_perform("E-Mail:") + " " + kContactEmail + "\n" +
         translate_perform("Website:") + " " + kContactWebsite;
}

void DialogsDoAbout() { DialogsDoMessageTitled(translate_perform("About Lumaro"), DialogsAboutText(), true, false); }

GtkWidget* DialogsDoLongMessage(GtkWidget* parent, const std::string& title, const std::string* zmanim,
                                const std::string* readings, const std::string* halakha, const std::string* learning) {
  GdkScreen* screen = parent ? gtk_widget_get_screen(parent) : gdk_screen_get_default();
  const int screenWidth = gdk_screen_get_width(screen);
  const int screenHeight = gdk_screen_get_height(screen);
  const int maxWidth = std::max(kReportSmallestWrap, screenWidth * kReportScreenPercent / 100 - kReportChromeWidth);
  const int maxHeight = screenHeight * kReportScreenPercent / 100 - kReportChromeHeight;

  GtkWidget* window = dialogs::NewDialog(title.c_str(), false);
  std::vector<std::string_view> texts;
  for (const std::string* t : {zmanim, readings, halakha, learning})
    if (t) texts.push_back(*t);
  const size_t n = texts.size();
  // The height of a list of `text` whose rows wrap at `wrap` pixels, with
  // its frame, measured on a list made for it (a list measures its rows
  // once), and the width of its longest line.
  auto heightAt = [](std::string_view text, int wrap) {
    LineList l = NewLineList(text);
    g_object_ref_sink(l.scrolled);
    g_object_set(l.renderer, "wrap-width", std::max(wrap, 1), nullptr);
    GtkRequisition r;
    gtk_widget_size_request(l.view, &r);
    gtk_widget_destroy(l.scrolled);
    g_object_unref(l.scrolled);
    return r.height + 4;
  };
  std::vector<int> widest{0};
  for (std::string_view text : texts) {
    LineList l = NewLineList(text);
    g_object_ref_sink(l.scrolled);
    widest.push_back(WidestLine(l.view, text));
    gtk_widget_destroy(l.scrolled);
    g_object_unref(l.scrolled);
  }
  widest.erase(widest.begin());
  // One below the other, as wide as the longest line up to most of the
  // screen: fine when the lists are short.
  const int longest = widest.empty() ? 0 : *std::max_element(widest.begin(), widest.end());
  const int stackedWrap = std::clamp(longest, std::min(kReportSmallestWrap, maxWidth), maxWidth);
  std::vector<int> stacked;
  for (std::string_view text : texts) stacked.push_back(heightAt(text, stackedWrap));
  const int stackedTotal = std::accumulate(stacked.begin(), stacked.end(), 0);
  // Side by side, each as wide as its longest line within a share of the
  // width: for long lists.
  const std::vector<int> sideWraps =
      ShareSpace(widest, maxWidth - static_cast<int>(n > 0 ? n - 1 : 0) * kReportChromeWidth / 2);
  int sideTallest = 0;
  for (size_t i = 0; i < n; ++i) sideTallest = std::max(sideTallest, heightAt(texts[i], sideWraps[i]));
  const bool sideBySide = stackedTotal > maxHeight && sideTallest < stackedTotal;

  GtkWidget* box = sideBySide ? gtk_hbox_new(FALSE, 4) : gtk_vbox_new(FALSE, 2);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(window)), box, TRUE, TRUE, 0);
  // Every list as high as its lines as long as they fit on the screen;
  // otherwise the short ones whole and the rest share what is left.
  const std::vector<int> heights = sideBySide ? std::vector<int>(n, std::min(sideTallest, maxHeight))
                                              : ShareSpace(stacked, maxHeight);
  for (size_t i = 0; i < n; ++i) {
    const LineList l = NewLineList(texts[i]);
    g_object_set(l.renderer, "wrap-width", std::max(sideBySide ? sideWraps[i] : stackedWrap, 1), nullptr);
    gtk_widget_set_size_request(l.scrolled, -1, heights[i]);
    // Side by side they read from the right in Yiddish.
    if (sideBySide && isLanguageRightToLeft()) {
      gtk_box_pack_end(GTK_BOX(box), l.scrolled, TRUE, TRUE, 2);
    } else {
      gtk_box_pack_start(GTK_BOX(box), l.scrolled, TRUE, TRUE, 2);
    }
  }
  GtkWidget* close = gtk_button_new_with_label(translate_perform("Close").c_str());
  dialogs::ApplyDialogFont(close);
  g_signal_connect(close, "clicked", G_CALLBACK(DialogDestroy), window);
  gtk_box_pack_start(GTK_BOX(dialogs::ActionArea(window)), close, TRUE, TRUE, 0);
  gtk_widget_show_all(window);
  return window;
}

std::vector<int> ShareSpace(const std::vector<int>& needed, int available) {
  std::vector<int> heights(needed.size(), 0);
  std::vector<size_t> order(needed.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return needed[a] < needed[b]; });
  int left = std::max(available, 0);
  for (size_t k = 0; k < order.size(); ++k) {
    const int fair = left / static_cast<int>(order.size() - k);
    heights[order[k]] = std::min(needed[order[k]], fair);
    left -= heights[order[k]];
  }
  return heights;
}
