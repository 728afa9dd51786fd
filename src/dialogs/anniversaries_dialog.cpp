#include "dialogs/anniversaries_dialog.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <string>

#include "dialogs/widget_fonts.h"
#include "calendar/calendar.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "forms/anniversary_view.h"
#include "compose/anniversary_lines.h"
#include "compose/current_options.h"
#include "base/file_util.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "storage/autostart.h"

namespace {

// Answers of the main dialog's buttons.
enum AnniAnswer : int { kAdd = 1, kModify = 2, kRemove = 3, kCalculate = 4, kClose = 5 };

std::optional<GregorianDate> gTodayForTesting;

GregorianDate Today() {
  if (gTodayForTesting) return *gTodayForTesting;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

// ------------------------------------------------------------ widgets

// Room for a line like "Moshe Cohen (B): 27 September 2026 (20 Tishri 5787)".
constexpr int kListSmallestWidth = 460;
// The list's frame and the scroll bar beside the rows.
constexpr int kListFrameWidth = 30;

// A one-column list of texts in a scrolled window.
struct TextList {
  GtkListStore* store = nullptr;  // owned by the view
  GtkWidget* view = nullptr;
  GtkWidget* scrolled = nullptr;
};

// Rows wrap at the list's width, so a long name never needs scrolling sideways.
TextList NewTextList(int width, int height) {
  TextList l;
  l.store = gtk_list_store_new(1, G_TYPE_STRING);
  l.view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(l.store));
  g_object_unref(l.store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(l.view), FALSE);
  GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
  g_object_set(renderer, "wrap-mode", PANGO_WRAP_WORD_CHAR, "wrap-width", width - kListFrameWidth, nullptr);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(l.view), -1, "", renderer, "text", 0, nullptr);
  setFontDialog(l.view);
  setProperTextDirectionForWidget(l.view);
  l.scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(l.scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(l.scrolled), GTK_SHADOW_IN);
  gtk_widget_set_size_request(l.scrolled, width, height);
  gtk_container_add(GTK_CONTAINER(l.scrolled), l.view);
  return l;
}

void AppendRow(GtkListStore* store, const std::string& text) {
  GtkTreeIter it;
  gtk_list_store_append(store, &it);
  gtk_list_store_set(store, &it, 0, text.c_str(), -1);
}

// ------------------------------------------------------------ main dialog

struct AnniDialog {
  AnniversaryList list;
  AnniversaryList loaded;  // as read from the file
  AnniLoadResult load;
  std::string fileContent;  // kept to save a copy when lines were left out
  AbsoluteDay today = 0;
  GtkWidget* window = nullptr;
  TextList entries;
  TextList occurrences;
  GtkWidget* fromEntry = nullptr;
  GtkWidget* toEntry = nullptr;
  GtkWidget* remind = nullptr;
};

void AnniFillTheList(AnniDialog& d) {
  gtk_list_store_clear(d.entries.store);
  for (const AnniversaryRec& rec : d.list) AppendRow(d.entries.store, AnniListRowText(rec, d.today, isLanguageRightToLeft()));
}

// Index of the selected entry, or -1.
int AnniGetCurrentItem(const AnniDialog& d) {
  GtkTreeModel* model = nullptr;
  GtkTreeIter it;
  GtkTreeSelection* sel = gtk_tree_view_get_selection(GTK_TREE_VIEW(d.entries.view));
  if (!gtk_tree_selection_get_selected(sel, &model, &it)) return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &it);
  const int index = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return index;
}

// Fills the occurrences list for the selected entry and the two years; with
// `tell`, problems are shown to the user.
void AnniDoCalculate(AnniDialog& d, bool tell) {
  gtk_list_store_clear(d.occurrences.store);
  const AnniCalculation calc = AnniCalculate(d.list, AnniGetCurrentItem(d), gtk_entry_get_text(GTK_ENTRY(d.fromEntry)),
                                             gtk_entry_get_text(GTK_ENTRY(d.toEntry)));
  if (!calc.error.empty()) {
    if (tell) DialogsDoMessage(translate_perform(calc.error));
    return;
  }
  for (const std::string& row : calc.rows) AppendRow(d.occurrences.store, row);
}

// A new selection recalculates without messages.
void Recalculate(GtkTreeSelection*, gpointer dialog) { AnniDoCalculate(*static_cast<AnniDialog*>(dialog), false); }

// The window is going: its lists must not be recalculated while they are
// taken apart.
void StopRecalculating(GtkWidget*, gpointer dialog) {
  AnniDialog& d = *static_cast<AnniDialog*>(dialog);
  g_signal_handlers_disconnect_by_func(gtk_tree_view_get_selection(GTK_TREE_VIEW(d.entries.view)),
                                       reinterpret_cast<gpointer>(Recalculate), dialog);
}

void ListChanged(AnniDialog& d) {
  AnniFillTheList(d);
  gtk_list_store_clear(d.occurrences.store);
}

void OnAdd(AnniDialog& d) {
  AnniversaryRec rec;
  const GregorianDate today = GregorianFromAbsolute(d.today);
  rec.date = {today.day, today.month, today.year};
  if (AnniDoEdit(rec) != 1) return;
  AnniFileInsertSorted(d.list, rec);
  ListChanged(d);
}

void OnModify(AnniDialog& d) {
  const int index = AnniGetCurrentItem(d);
  AnniversaryRec rec;
  if (!AnniFileGet(d.list, index, rec)) {
    DialogsDoMessage(translate_perform("An entry must be selected"));
    return;
  }
  if (AnniDoEdit(rec) != 1) return;
  AnniFileModify(d.list, index, rec);
  ListChanged(d);
}

void OnRemove(AnniDialog& d) {
  const int index = AnniGetCurrentItem(d);
  AnniversaryRec rec;
  if (!AnniFileGet(d.list, index, rec)) {
    DialogsDoMessage(translate_perform("An entry must be selected"));
    return;
  }
  const std::string question =
      FormatText(translate_perform("Are you really sure to delete entry for %s?"), {rec.name});
  if (DialogsDoYesNo(question) != kAnswerYes) return;
  AnniFileRemove(d.list, index);
  ListChanged(d);
}

// The check box turns the login reminder on or off at once; when the
// choice cannot be saved it is said and the box shows the state again.
void RemindToggled(GtkToggleButton* button, gpointer) {
  const bool on = gtk_toggle_button_get_active(button) != 0;
  std::string error;
  if (AutostartSetReminderEnabled(on, &error)) return;
  g_signal_handlers_block_by_func(button, reinterpret_cast<gpointer>(RemindToggled), nullptr);
  gtk_toggle_button_set_active(button, AutostartReminderEnabled() ? TRUE : FALSE);
  g_signal_handlers_unblock_by_func(button, reinterpret_cast<gpointer>(RemindToggled), nullptr);
  DialogsDoMessage(FormatText(translate_perform("The reminder could not be changed: %s"), {error}));
}

GtkWidget* BuildMainDialog(AnniDialog& d) {
  GdkScreen* screen = gdk_screen_get_default();
  // Wide enough for the lines of a usual name on any screen; longer ones wrap.
  const int width = std::min(std::max(gdk_screen_get_width(screen) / 3, kListSmallestWidth),
                             gdk_screen_get_width(screen) * 9 / 10);
  const int height = gdk_screen_get_height(screen) / 5;
  const int year = GregorianFromAbsolute(d.today).year;
  auto t = [](const char* key) { return translate_perform(key); };

  GtkWidget* window = dialogs::NewDialog("Anniversaries", true);
  GtkWidget* box = dialogs::ContentArea(window);
  dialogs::AddRow(box, {dialogs::DialogLabel(t("Anniversaries/Birthdays/yortsayt"))});
  d.entries = NewTextList(width, height);
  gtk_box_pack_start(GTK_BOX(box), d.entries.scrolled, TRUE, TRUE, 2);
  dialogs::AddRow(box, {dialogs::AnswerButton(t("Add..."), kAdd), dialogs::AnswerButton(t("Modify..."), kModify),
                        dialogs::AnswerButton(t("Remove..."), kRemove)});
  d.fromEntry = dialogs::DialogEntry(4, std::to_string(year));
  d.toEntry = dialogs::DialogEntry(4, std::to_string(year + 5));
  dialogs::AddRow(box, {dialogs::DialogLabel(t("From")), d.fromEntry, dialogs::DialogLabel(t("to")), d.toEntry,
                        dialogs::AnswerButton(t("Calculate"), kCalculate)});
  d.occurrences = NewTextList(width, height);
  gtk_box_pack_start(GTK_BOX(box), d.occurrences.scrolled, TRUE, TRUE, 2);
  d.remind = gtk_check_button_new_with_label(t("Remind me at login of the coming week").c_str());
  dialogs::ApplyDialogFont(d.remind);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(d.remind), AutostartReminderEnabled() ? TRUE : FALSE);
  g_signal_connect(d.remind, "toggled", G_CALLBACK(RemindToggled), nullptr);
  dialogs::AddRow(box, {d.remind});
  dialogs::AddActionButton(window, t("Close"), kClose);

  g_signal_connect(gtk_tree_view_get_selection(GTK_TREE_VIEW(d.entries.view)), "changed", G_CALLBACK(Recalculate), &d);
  g_signal_connect(window, "destroy", G_CALLBACK(StopRecalculating), &d);
  g_signal_connect(window, "destroy", G_CALLBACK(DialogDestroyAnswers), GINT_TO_POINTER(kClose));
  return window;
}

// Writes the list back. A file that could not be read is never overwritten,
// and a file with lines that were left out is first kept as "<file>.bak".
void StoreList(const AnniDialog& d) {
  const std::string path = AnniFileGetFilename();
  if (d.load.readError) {
    if (d.list != d.loaded)
      DialogsDoMessage(FormatText(
          translate_perform("The anniversaries file %s could not be read, so your changes were not saved."), {path}));
    return;
  }
  std::string error;
  if (d.load.skippedLines > 0) {
    const std::string backup = path + ".bak";
    if (!AnniFileWriteCopy(backup, d.fileContent, &error)) {
      DialogsDoMessage(FormatText(
          translate_perform("The anniversaries were not saved: a copy of %s could not be kept (%s)."), {path, error}));
      return;
    }
    DialogsDoMessage(FormatText(
        translate_perform("Some lines of the anniversaries file could not be read; the previous file was kept as %s."),
        {backup}));
  }
  if (!AnniFileStore(d.list, &error))
    DialogsDoMessage(FormatText(translate_perform("The anniversaries could not be saved: %s"), {error}));
}

// ------------------------------------------------------------ edit dialog

constexpr std::array<char, 3> kTypes = {kAnniAnniversary, kAnniBirthday, kAnniYortsayt};
constexpr std::array<const char*, 3> kTypeLabels = {"Anniversary", "Birthday", "yortsayt"};

struct EditWidgets {
  GtkWidget* name = nullptr;
  std::array<GtkWidget*, 3> types{};
  GtkWidget* gregorian = nullptr;
  GtkWidget* gregorianText = nullptr;
  GtkWidget* afterSunset = nullptr;
  GtkWidget* hebrewDay = nullptr;
  GtkWidget* hebrewMonth = nullptr;
  GtkWidget* hebrewYear = nullptr;
  GtkWidget* recentLoss = nullptr;
  GtkWidget* burialText = nullptr;
  GtkWidget* adar = nullptr;
  GtkWidget* batMitzvah = nullptr;
};

// The rows of the leap-year drop-down, in AdarChoice order.
constexpr std::array<const char*, 4> kAdarLabels = {"the usual month", "Adar II", "Adar I", "Adar I and Adar II"};

AnniEditForm ReadForm(const EditWidgets& w) {
  AnniEditForm f;
  f.name = gtk_entry_get_text(GTK_ENTRY(w.name));
  for (size_t i = 0; i < kTypes.size(); ++i)
    if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.types[i]))) f.type = kTypes[i];
  f.gregorian = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.gregorian));
  f.gregorianText = gtk_entry_get_text(GTK_ENTRY(w.gregorianText));
  f.afterSunset = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.afterSunset));
  f.hebrewDayText = gtk_entry_get_text(GTK_ENTRY(w.hebrewDay));
  // Row 0 of the drop-down is the empty one; rows 1..13 are the months.
  const int row = gtk_combo_box_get_active(GTK_COMBO_BOX(w.hebrewMonth));
  f.hebrewMonth = row >= 1 && row <= 13 ? row : 0;
  f.hebrewYearText = gtk_entry_get_text(GTK_ENTRY(w.hebrewYear));
  f.recentLoss = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.recentLoss));
  f.burialText = gtk_entry_get_text(GTK_ENTRY(w.burialText));
  const int adar = gtk_combo_box_get_active(GTK_COMBO_BOX(w.adar));
  const bool adarShown = adar >= 0 && adar < static_cast<int>(kAdarLabels.size());
  f.adar = adarShown ? static_cast<AdarChoice>(adar) : AdarChoice::kUsual;
  f.batMitzvah = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.batMitzvah));
  return f;
}

// The edit dialog; `mitzvah` (when not empty) is a birthday's bar or bat mitzvah.
GtkWidget* BuildEditDialog(const AnniEditForm& form, EditWidgets& w, const std::string& mitzvah) {
  auto t = [](const char* key) { return translate_perform(key); };
  GtkWidget* window = dialogs::NewDialog("Edit Anniversary/Birthday/yortsayt", true);
  GtkWidget* box = dialogs::ContentArea(window);

  w.name = dialogs::AddLabelEntryRow(box, t("Name:"), 30, form.name);

  GSList* group = nullptr;
  for (size_t i = 0; i < kTypes.size(); ++i) {
    w.types[i] = gtk_radio_button_new_with_label(group, t(kTypeLabels[i]).c_str());
    group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(w.types[i]));
    dialogs::ApplyDialogFont(w.types[i]);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.types[i]), form.type == kTypes[i]);
  }
  dialogs::AddRow(box, {w.types[0], w.types[1], w.types[2]});

  w.gregorian = gtk_radio_button_new_with_label(nullptr, t("Gregorian date of event:").c_str());
  GtkWidget* hebrew = gtk_radio_button_new_with_label(gtk_radio_button_get_group(GTK_RADIO_BUTTON(w.gregorian)),
                                                      t("Hebrew date of event:").c_str());
  dialogs::ApplyDialogFont(w.gregorian);
  dialogs::ApplyDialogFont(hebrew);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(form.gregorian ? w.gregorian : hebrew), TRUE);
  w.gregorianText = dialogs::DialogEntry(10, form.gregorianText);
  w.afterSunset = gtk_check_button_new_with_label(t("After Sunset").c_str());
  dialogs::ApplyDialogFont(w.afterSunset);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.afterSunset), form.afterSunset);
  dialogs::AddRow(box, {w.gregorian, w.gregorianText, w.afterSunset});

  w.hebrewDay = dialogs::DialogEntry(2, form.hebrewDayText);
  w.hebrewMonth = gtk_combo_box_new_text();
  gtk_combo_box_append_text(GTK_COMBO_BOX(w.hebrewMonth), "");
  for (int m = 1; m <= 13; ++m) gtk_combo_box_append_text(GTK_COMBO_BOX(w.hebrewMonth), getComboMonth(m).c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(w.hebrewMonth), form.hebrewMonth);
  dialogs::ApplyDialogFont(w.hebrewMonth);
  w.hebrewYear = dialogs::DialogEntry(4, form.hebrewYearText);
  dialogs::AddRow(box, {hebrew, dialogs::DialogLabel(t("Day:")), w.hebrewDay, dialogs::DialogLabel(t("Month:")),
                        w.hebrewMonth, dialogs::DialogLabel(t("Year:")), w.hebrewYear});

  // A yortsayt of a recent loss: the burial date, empty for the day of death.
  w.recentLoss = gtk_check_button_new_with_label(t("Recent loss, buried on:").c_str());
  dialogs::ApplyDialogFont(w.recentLoss);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.recentLoss), form.recentLoss);
  w.burialText = dialogs::DialogEntry(10, form.burialText);
  dialogs::AddRow(box, {w.recentLoss, w.burialText, dialogs::DialogLabel(t("(empty: the day of death)"))});
  dialogs::AddRow(box, {dialogs::DialogLabel(t("The dates of mourning: a rabbi decides in cases of doubt."))});

  w.adar = gtk_combo_box_new_text();
  for (const char* label : kAdarLabels) gtk_combo_box_append_text(GTK_COMBO_BOX(w.adar), t(label).c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(w.adar), static_cast<int>(form.adar));
  dialogs::ApplyDialogFont(w.adar);
  w.batMitzvah = gtk_check_button_new_with_label(t("Bat mitzvah (at twelve)").c_str());
  dialogs::ApplyDialogFont(w.batMitzvah);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.batMitzvah), form.batMitzvah);
  dialogs::AddRow(box, {dialogs::DialogLabel(t("Adar of a common year, in a leap year:")), w.adar, w.batMitzvah});
  if (!mitzvah.empty()) dialogs::AddRow(box, {dialogs::DialogLabel(mitzvah)});

  dialogs::AddOkCancel(window);
  return window;
}

}  // namespace

namespace dialogs {
void SetAnniversariesTodayForTesting(std::optional<GregorianDate> today) { gTodayForTesting = today; }
}  // namespace dialogs

int AnniDoEdit(AnniversaryRec& rec) {
  EditWidgets w;
  const Options options = CurrentOptions();
  const auto mitzvah = AnniMitzvahOf(rec, options.rules);
  GtkWidget* window = BuildEditDialog(AnniEditFormFor(rec), w,
                                      mitzvah ? AnniMitzvahText(rec, *mitzvah, options.text.hebrewNumerals) : "");
  AnniversaryRec edited = rec;
  const int answer = dialogs::RunUntilAccepted(window, dialogs::kAnswerOk, dialogs::kAnswerCancel, [&] {
    const std::string error = AnniCheckEditForm(ReadForm(w), edited);
    if (error.empty()) return true;
    dialogs::ShowInputError(error);  // the checks' messages are shown untranslated
    return false;
  });
  if (answer != dialogs::kAnswerOk) return 0;
  rec = edited;
  return 1;
}

void AnniDoDialog() {
  AnniDialog d;
  const GregorianDate today = Today();
  d.today = AbsoluteFromGregorian(today);
  d.load = AnniFileLoad(d.list);
  d.loaded = d.list;
  if (d.load.skippedLines > 0) ReadWholeFile(AnniFileGetFilename(), d.fileContent);

  d.window = BuildMainDialog(d);
  dialogs::WindowRef ref(d.window);
  AnniFillTheList(d);
  gtk_widget_show_all(d.window);
  if (d.load.readError)
    DialogsDoMessage(
        FormatText(translate_perform("The anniversaries file %s could not be read."), {AnniFileGetFilename()}));
  if (!d.load.problems.empty()) {
    // The lines' own messages are shown untranslated, as the checks' are.
    std::string lines;
    for (const std::string& problem : d.load.problems) lines += "\n" + problem;
    DialogsDoMessage(translate_perform("Some fields of the anniversaries file could not be read; the entries are "
                                       "shown without them, and the file keeps their text:") +
                     lines);
  }

  for (bool open = true; open && ref.get();) {
    switch (dialogs::WaitForAnswer()) {
      case kAdd: OnAdd(d); break;
      case kModify: OnModify(d); break;
      case kRemove: OnRemove(d); break;
      case kCalculate: AnniDoCalculate(d, true); break;
      default: open = false; break;
    }
  }
  ref.Destroy();
  StoreList(d);
  AnniFileDone(d.list);
}
