#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "dialogs/preferences.h"
#include "forms/dst_form.h"
#include "suntimes/dst.h"

namespace {

// The drop-down lists of one line; those a line does not have stay null.
struct LineWidgets {
  GtkWidget* weekNo = nullptr;
  GtkWidget* weekday = nullptr;
  GtkWidget* day = nullptr;
  GtkWidget* month = nullptr;
};

struct DstWidgets {
  GtkWidget* consider = nullptr;
  GtkWidget* automatic = nullptr;  // times by the city's own time zone
  std::vector<GtkWidget*> start;   // radio buttons "Common", "Israel"
  std::vector<GtkWidget*> end;
  LineWidgets startCommon, startIsrael, endCommon, endIsrael;
  GtkWidget* beforeAfter = nullptr;
  GtkWidget* rule = nullptr;  // the rows of the rule, inactive while it is not used
};

// One drop-down list of the dialog.
GtkWidget* dstx(const std::vector<std::string>& entries, const std::string& text) {
  return dialogs::NewChoiceList(entries, text);
}

void DSTConfigBeforeAfterUpdate(const DstWidgets& w) {
  gtk_label_set_text(GTK_LABEL(w.beforeAfter),
                     DstBeforeAfterLabel(dialogs::ChoiceListText(w.startIsrael.weekNo)).c_str());
}

void DSTConfigBeforeAfterSignal(GtkWidget*, gpointer widgets) {
  DSTConfigBeforeAfterUpdate(*static_cast<const DstWidgets*>(widgets));
}

std::string Text(GtkWidget* list) { return list ? dialogs::ChoiceListText(list) : std::string(); }

DstFormLine ReadLine(const LineWidgets& l) { return {Text(l.weekNo), Text(l.weekday), Text(l.day), Text(l.month)}; }

DstForm ReadForm(const DstWidgets& w) {
  DstForm form;
  form.consider = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.consider));
  form.startMethod = dialogs::ActiveRadio(w.start) == kDstIsrael ? kDstIsrael : kDstCommon;
  form.startCommon = ReadLine(w.startCommon);
  form.startIsrael = ReadLine(w.startIsrael);
  form.endMethod = dialogs::ActiveRadio(w.end) == kDstIsrael ? kDstIsrael : kDstCommon;
  form.endCommon = ReadLine(w.endCommon);
  form.endIsrael = ReadLine(w.endIsrael);
  return form;
}

// A Common line: [week number] [weekday] "in" [month].
LineWidgets CommonLine(const DstFormLine& shown) {
  return {dstx(GetWeekNoList(), shown.weekNo), dstx(GetWeekdayList(), shown.weekday), nullptr,
          dstx(GetMonthList(), shown.month)};
}

// The rule is used only while daylight saving is considered and the times
// do not follow the city's zone.
void ShowRuleInUse(GtkToggleButton*, gpointer widgets) {
  const auto& w = *static_cast<const DstWidgets*>(widgets);
  const bool used = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.consider)) &&
                    !gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.automatic));
  gtk_widget_set_sensitive(w.rule, used);
}

void AddDstRows(GtkWidget* rows, const DstForm& form, bool automatic, DstWidgets& w) {
  auto t = [](const char* key) { return translate_perform(key); };
  // Cities whose line names a time zone follow it; the rule below serves
  // the others.
  w.automatic = dialogs::NewCheckButton(t("Automatic (the city's time zone)"), automatic);
  dialogs::AddRow(rows, {w.automatic});
  w.consider = dialogs::NewCheckButton(t("Consider DST"), form.consider);
  dialogs::AddRow(rows, {w.consider});

  w.rule = gtk_vbox_new(FALSE, 0);
  gtk_box_pack_start(GTK_BOX(rows), w.rule, FALSE, FALSE, 0);
  rows = w.rule;
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("Start:"))});
  w.start = dialogs::NewRadioGroup({t("Common"), t("Israel")}, form.startMethod);
  w.startCommon = CommonLine(form.startCommon);
  dialogs::AddRow(rows, {w.start[kDstCommon], w.startCommon.weekNo, w.startCommon.weekday,
                         dialogs::DialogLabel(t("in")), w.startCommon.month});
  w.startIsrael = {dstx(GetWeekNoIsraelList(), form.startIsrael.weekNo),
                   dstx(GetWeekdayList(), form.startIsrael.weekday), dstx(GetDayList(), form.startIsrael.day),
                   dstx(GetMonthList(), form.startIsrael.month)};
  w.beforeAfter = dialogs::DialogLabel("");
  dialogs::AddRow(rows, {w.start[kDstIsrael], w.startIsrael.weekNo, w.startIsrael.weekday, w.beforeAfter,
                         w.startIsrael.day, w.startIsrael.month});
  DSTConfigBeforeAfterUpdate(w);

  dialogs::AddRow(rows, {dialogs::DialogLabel(t("End:"))});
  w.end = dialogs::NewRadioGroup({t("Common"), t("Israel")}, form.endMethod);
  w.endCommon = CommonLine(form.endCommon);
  dialogs::AddRow(rows, {w.end[kDstCommon], w.endCommon.weekNo, w.endCommon.weekday, dialogs::DialogLabel(t("in")),
                         w.endCommon.month});
  w.endIsrael.weekday = dstx(GetWeekdayList(), form.endIsrael.weekday);
  dialogs::AddRow(rows, {w.end[kDstIsrael], dialogs::DialogLabel(t("Last")), w.endIsrael.weekday,
                         dialogs::DialogLabel(t("before Yom Kippur"))});
  g_signal_connect(w.consider, "toggled", G_CALLBACK(ShowRuleInUse), &w);
  g_signal_connect(w.automatic, "toggled", G_CALLBACK(ShowRuleInUse), &w);
  g_signal_connect(w.startIsrael.weekNo, "changed", G_CALLBACK(DSTConfigBeforeAfterSignal), &w);
  ShowRuleInUse(nullptr, &w);
}

}  // namespace

SettingsBlock AddDaylightSaving(GtkWidget* rows) {
  auto w = std::make_shared<DstWidgets>();
  const DstSetting stored = getDSTstruct();
  AddDstRows(rows, DstFormFromRule(getIsDST() != 0, stored), getDSTAutomatic() != 0, *w);
  SettingsBlock block;
  // The rule is checked only while it is used: an unused rule is kept as stored.
  block.check = [w, stored] {
    const bool automatic = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w->automatic));
    const std::string message = automatic ? std::string() : DstFormCheck(ReadForm(*w), stored).message;
    return message.empty() ? message : translate_perform(message);
  };
  block.store = [w, stored] {
    const bool automatic = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w->automatic));
    setDSTAutomatic(automatic ? 1 : 0);
    const DstFormResult result = DstFormCheck(ReadForm(*w), stored);
    if (!result.message.empty()) return std::string();  // an unused rule left as it was
    setIsDST(result.isDst);
    setDSTstruct(result.rule);
    return std::string();
  };
  return block;
}
