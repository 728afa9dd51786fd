#include "app/month_view.h"

#include <string>

#include "compose/current_options.h"
#include "app/day_report.h"
#include "app/main_widgets.h"
#include "app/selected_date.h"
#include "app/tooltips.h"
#include "base/diagnostics.h"
#include "base/file_util.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/month_grid.h"
#include "calendar/names.h"
#include "compose/date_turn.h"
#include "compose/hebrew_date_text.h"
#include "calendar/navigation.h"
#include "dialogs/gtk_util.h"
#include "dialogs/widget_fonts.h"
#include "dialogs/year_dialog.h"
#include "render/drawing_gdk.h"

namespace {

// The background image, loaded once per path.
struct BackgroundImageCache {
  std::string path;
  GdkPixbuf* image = nullptr;
  void Release() {
    if (image) g_object_unref(image);
    image = nullptr;
  }
};
BackgroundImageCache bgImgCache;

// Whether a failure to load `path` is worth telling: not when it is the
// default image, which a new user simply does not have.
bool ReportImageFailure(const std::string& path) {
  return path != Paint_TranslateHomeDir(std::string(kDefaultBackgroundImage)) ||
         g_file_test(path.c_str(), G_FILE_TEST_EXISTS);
}

// Loads the configured image when its path changed; a failing file is not
// tried again until the path changes.
GdkPixbuf* CurrentBackgroundImage() {
  const std::string path = Paint_TranslateHomeDir(getBackgroundImage());
  if (path != bgImgCache.path) {
    bgImgCache.Release();
    if (!path.empty()) {
      GError* error = nullptr;
      bgImgCache.image = gdk_pixbuf_new_from_file(path.c_str(), &error);
      if (!bgImgCache.image && ReportImageFailure(path)) {
        DiagWarning("Error loading background image " + std::string(path.c_str()) + ": " +
                    (error ? error->message : "unknown error") + "\n");
      }
      if (error) g_error_free(error);
    }
    bgImgCache.path = path;
  }
  return bgImgCache.image;
}

// ---------------------------------------------------------------- popups

// Result of a month or year popup: -1 while open, 0 closed without a choice,
// otherwise the chosen item's value.
int32_t gMenuActivate = 0;

void MainMenuActivate(GtkWidget*, gpointer value) { gMenuActivate = GPOINTER_TO_INT(value); }

void MainMenuDestroy(GtkWidget*, gpointer) {
  if (gMenuActivate == -1) gMenuActivate = 0;
}

GtkWidget* PopupItem(GtkWidget* menu, const std::string& label, int value) {
  GtkWidget* item = gtk_menu_item_new_with_label(label.c_str());
  setProperTextDirectionForWidget(gtk_bin_get_child(GTK_BIN(item)));
  setFontMenu(gtk_bin_get_child(GTK_BIN(item)));
  g_signal_connect(item, "activate", G_CALLBACK(MainMenuActivate), GINT_TO_POINTER(value));
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
  gtk_widget_show(item);
  return item;
}

// Pops the menu up at the pointer and waits for a choice: 0 when it closed
// without one, otherwise the chosen item's value.
int RunPopup(GtkWidget* menu, GdkEventButton* event) {
  gMenuActivate = -1;
  g_signal_connect(menu, "hide", G_CALLBACK(MainMenuDestroy), nullptr);
  gtk_menu_popup(GTK_MENU(menu), nullptr, nullptr, nullptr, nullptr, event->button, event->time);
  while (gMenuActivate == -1) gtk_main_iteration();
  const int result = gMenuActivate;
  gtk_widget_destroy(menu);
  return result;
}

void ChooseMonth(GdkEventButton* event) {
  GtkWidget* menu = gtk_menu_new();
  for (int m = 1; m <= 12; ++m) PopupItem(menu, GetGregorianMonthName(m), m);
  const int month = RunPopup(menu, event);
  if (month == 0) return;
  SetSelectedDate(WithMonthYear(SelectedDate(), month, SelectedDate().year));
  MainWindowRedraw();
}

// By Hebrew months: the months of the shown Hebrew year in the order of
// the year, Tishri first (values 1..13 are the month numbers).
void ChooseHebrewMonth(GdkEventButton* event) {
  const HebrewDate shown = HebrewFromAbsolute(AbsoluteFromGregorian(SelectedDate()));
  GtkWidget* menu = gtk_menu_new();
  HebrewDate m{1, kTishri, shown.year};
  for (int i = 0; i < Last_Month_Of_Hebrew_Year(shown.year); ++i) {
    PopupItem(menu, HebrewMonthNameText(m.month, m.year), m.month);
    m = NextHebrewMonth(m.month, m.year);
  }
  const int month = RunPopup(menu, event);
  if (month == 0) return;
  SetSelectedDate(WithHebrewMonthYear(SelectedDate(), month, shown.year));
  MainWindowRedraw();
}

// By Hebrew months: the Hebrew years around the shown one whose month lies
// in the years the program shows.
void ChooseHebrewYear(GdkEventButton* event) {
  const GregorianDate selected = SelectedDate();
  const HebrewDate shown = HebrewFromAbsolute(AbsoluteFromGregorian(selected));
  GtkWidget* menu = gtk_menu_new();
  for (int y = shown.year - 2; y <= shown.year + 2; ++y) {
    if (y == shown.year || WithHebrewMonthYear(selected, shown.month, y) != selected)
      PopupItem(menu, HebrewYearText(y), y);
  }
  const int year = RunPopup(menu, event);
  if (year == 0) return;
  SetSelectedDate(WithHebrewMonthYear(selected, shown.month, year));
  MainWindowRedraw();
}

constexpr int kOtherYear = 1;  // the value of "Other..." (no year of the range is 1)

void ChooseYear(GdkEventButton* event) {
  GtkWidget* menu = gtk_menu_new();
  const int shownYear = SelectedDate().year;
  for (int y = shownYear - 2; y <= shownYear + 2; ++y) {
    if (y >= kFirstYear && y <= kLastYear) PopupItem(menu, std::to_string(y), y);
  }
  PopupItem(menu, translate_perform("Other..."), kOtherYear);
  int year = RunPopup(menu, event);
  if (year == kOtherYear) year = DialogsDoYear(SelectedDate().year);
  if (year == 0) return;
  SetSelectedDate(WithMonthYear(SelectedDate(), SelectedDate().month, year));
  MainWindowRedraw();
}

}  // namespace

void BackgroundImageCacheInit() {
  bgImgCache.Release();
  bgImgCache.path.clear();
}

void BackgroundImageCacheDone() { bgImgCache.Release(); }

std::string Paint_TranslateHomeDir(const std::string& path) { return ExpandHome(path); }

MonthKind MonthViewKind() { return getHebrewMonthView() ? MonthKind::kHebrew : MonthKind::kGregorian; }

namespace {

// The redraw due at the next turn of the Hebrew date or the next midnight.
guint gTurnRedraw = 0;

gboolean RedrawAtTurn(gpointer) {
  gTurnRedraw = 0;
  MainWindowRedraw();
  return FALSE;
}

}  // namespace

std::string TodayNoteNow(const Options& options) {
  const std::optional<DateTurns> turns = DateTurns::For(options);
  if (!turns) return {};
  const int64_t now = TodayClockNow();
  const DateNow at = turns->At(now);
  const int64_t midnight = turns->city().Midnight(at.civilDay + 1);
  const int64_t next = std::max<int64_t>(std::min(at.nextTurn, midnight) - now, 0) + 1;
  if (gTurnRedraw) g_source_remove(gTurnRedraw);
  gTurnRedraw = g_timeout_add_seconds(static_cast<guint>(std::min<int64_t>(next, 24 * 3600)), RedrawAtTurn, nullptr);
  const bool turned = at.afterTurn() && at.civilDay == AbsoluteFromGregorian(LocalToday());
  if (!turned) {
    tooltips_set_idle("");
    return {};
  }
  const std::string since = DateTurnLabel(at.hebrewDay, options.text.hebrewNumerals);
  const bool nightfall = options.dateTurn == DateTurn::kHavdalah;
  tooltips_set_idle(FormatText(
      translate_perform(nightfall ? "After nightfall the Hebrew date is %s" : "After sunset the Hebrew date is %s"),
      {since}));
  return FormatText(translate_perform(nightfall ? "from nightfall: %s" : "from sunset: %s"), {since});
}

void PaintIt(GtkWidget* widget, GdkWindow* window, bool draw, CalendarHit* hit, const RepaintPair* pair) {
  // A full paint registers the hints of the whole month anew; a hit test
  // and a two-cell repaint leave them as they are, so they stay valid.
  const bool fullPaint = draw && !pair;
  if (fullPaint) tooltips_clear();
  GObjectPtr<GdkGC> gc(gdk_gc_new(window));
  GdkColormap* colormap = gdk_drawable_get_colormap(window);
  int width = 0, height = 0;
  gdk_drawable_get_size(window, &width, &height);
  const Options options = CurrentOptions();
  DrawingPtr drawing = drawing_gdk_new(widget, window, gc.get(), colormap, options.look.screenFont);
  PaintHooks hooks;
  hooks.addHint = [](int x, int y, int w, int h, std::string_view text) { tooltips_add(x, y, w, h, text); };
  hooks.clearRect = [window](int x, int y, int w, int h) { gdk_window_clear_area(window, x, y, w, h); };
  hooks.today = LocalToday();
  hooks.todayNote = TodayNoteNow(options);
  PaintItInternal(*drawing, PaintArea{0, 0, width, height}, SelectedDate(), options, draw, false, hit, pair, &hooks,
                  MonthViewKind());
  drawing_gdk_free(drawing);
}

gboolean MainWindowPaint(GtkWidget* widget, GdkEventExpose* event, gpointer) {
  gdk_window_clear_area(widget->window, event->area.x, event->area.y, event->area.width, event->area.height);
  if (GdkPixbuf* image = CurrentBackgroundImage()) {
    gdk_draw_pixbuf(widget->window, nullptr, image, 0, 0, 0, 0, -1, -1, GDK_RGB_DITHER_NONE, 0, 0);
  }
  PaintIt(widget, widget->window, true, nullptr, nullptr);
  tooltipsAlarm();
  return TRUE;
}

gboolean MainWindowButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer) {
  CalendarHit hit;
  hit.x = static_cast<int>(event->x);
  hit.y = static_cast<int>(event->y);
  PaintIt(widget, event->window, false, &hit, nullptr);

  if (event->type == GDK_2BUTTON_PRESS && !hit.onPrevArrow && !hit.onNextArrow) {
    // The first click of the double click has already selected the day.
    showYom();
    return TRUE;
  }
  // The second press of a double click was already handled as a press.
  if (event->type != GDK_BUTTON_PRESS) return TRUE;
  const MonthKind kind = MonthViewKind();
  if (hit.day) {
    const GregorianDate old = SelectedDate();
    // Both days are cells of the month shown: indexes of its grid.
    const int oldDay = GridIndexOf(MonthGridOf(kind, old), AbsoluteFromGregorian(old));
    SetSelectedDate(hit.date);
    if (isBackgroundImage()) {
      MainWindowRedraw();
    } else {
      const RepaintPair pair{oldDay, hit.day};
      PaintIt(widget, event->window, true, nullptr, &pair);
    }
  } else if (hit.onMonthName) {
    kind == MonthKind::kHebrew ? ChooseHebrewMonth(event) : ChooseMonth(event);
  } else if (hit.onYear) {
    kind == MonthKind::kHebrew ? ChooseHebrewYear(event) : ChooseYear(event);
  } else if (hit.onPrevArrow) {
    SetSelectedDate(PreviousMonthOf(kind, SelectedDate()));
    MainWindowRedraw();
  } else if (hit.onNextArrow) {
    SetSelectedDate(NextMonthOf(kind, SelectedDate()));
    MainWindowRedraw();
  }
  return TRUE;
}
