#include "app/day_report.h"

#include "app/main_window.h"
#include "calendar/calendar.h"
#include "dialogs/message.h"
#include "compose/day_report.h"

void showYom() {
  const DayReport report = BuildDayReport(AbsoluteFromGregorian(SelectedDate()));
  DialogsDoLongMessage(gMainWindow, &report.zmanim, report.readings.empty() ? nullptr : &report.readings,
                       &report.halakha);
}
