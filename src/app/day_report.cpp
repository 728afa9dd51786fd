#include "app/day_report.h"

#include "compose/current_options.h"
#include "app/main_widgets.h"
#include "app/selected_date.h"
#include "calendar/calendar.h"
#include "compose/day_report.h"
#include "dialogs/message.h"

void showYom() {
  const DayReport report = BuildDayReport(AbsoluteFromGregorian(SelectedDate()), CurrentOptions());
  DialogsDoLongMessage(gMainWindow, report.title, &report.zmanim, report.readings.empty() ? nullptr : &report.readings,
                       &report.halakha, report.learning.empty() ? nullptr : &report.learning);
}
