// The options value built from the settings store, and the forms of the
// engine's functions that follow the settings, as thin wrappers over the
// forms that take values. This is the one file below the forms that reads
// the settings; the layers above call it once and pass the value down.
#pragma once

#include <cstdint>
#include <string>

#include "base/settings.h"
#include "calendar/torah_sections.h"
#include "calendar/types.h"
#include "compose/day_info.h"
#include "compose/day_report.h"
#include "compose/ics_export.h"
#include "compose/options.h"
#include "compose/year_sheet.h"

// The value the settings hold now.
Options CurrentOptions();
// Parts of it.
// The rules the user chose in the settings ("Diaspora", "PostponeShushanPurim",
// "YomHaAtsmautLuach").
CalendarRules CurrentCalendarRules();
// Whether the Diaspora's rules hold under `choice` for the city of the city
// file: by the city's zone when the choice is the city's (the rules last in
// force when the city is not found).
bool DiasporaRulesFor(IsraelRulesChoice choice, const std::string& cityFile, const std::string& city);
SunOptions CurrentSunOptions();
ZmanimOpinions CurrentZmanimOpinions();
SpecialTimeExpressions CurrentSpecialTimeExpressions();  // as stored: empty for a default
LearningChoice LearningChoiceFromSettings();
// Stores the learning choice in the settings (in memory; the file is written at exit).
void StoreLearningChoice(const LearningChoice& choice);
// The special days' expressions in use: the stored ones, defaults for the empty.
SpecialTimeExpressions SpecialTimeExpressionsInUse();
// The evening times of the settings.
EveningTimes EveningTimesFromSettings();

// The settings-reading forms (each the form taking a value, with CurrentOptions()).
std::string GetJewishHolidayName(int id);
void GetJewishHolidayDate(int id, int year, HebrewDate* out);
HebrewDate GetJewishHolidayDate(int id, int year);
std::string GetSpecialDay(AbsoluteDay d);
bool GetTorahSectionShabbat(AbsoluteDay d, ShabbatSections* out);
bool IsYizkor(AbsoluteDay d);
int CalculateZmanim(int latitude, int longitude, int zone, int day, int month, int year, std::string_view expression);
void TimeformatFormatTime(int hour, int minute, std::string* text);
std::string TimeformatFormatTime(int hour, int minute);
bool GetShabbatTimeValue(AbsoluteDay day, ShabbatTimeValue* value);
void GetShabbatTime(AbsoluteDay day, std::string* text, int* isCandleLighting, int* isHavdalah);
void GetZmanimForDay(AbsoluteDay day, std::string* text);
std::string HebrewDayNumberText(int day);
std::string HebrewDateText(const HebrewDate& h);
std::string HebrewDayMonthText(const HebrewDate& h);
std::string HebrewMonthRangeCaption(int month, int year);
std::string HebrewMonthNameText(int month, int year);
std::string HebrewYearText(int year);
std::string ReportHeadingHebrewDate(AbsoluteDay d);
DayInformation PaintInternal_GetDayInformation(AbsoluteDay d);
unsigned IcsDefaultKinds();
IcsTimesCheck IcsCheckTimes();
std::string IcsBuildCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds);
DayReport BuildDayReport(AbsoluteDay d);

TextOptions CurrentTextOptions();
// The reminders as the settings choose them.
ReminderOptions CurrentReminderOptions();
