#include "compose/current_options.h"

#include "base/file_util.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "calendar/daf_yomi.h"
#include "calendar/holidays.h"
#include "compose/day_info.h"
#include "compose/day_report.h"
#include "compose/hebrew_date_text.h"
#include "compose/ics_export.h"
#include "compose/zmanim_text.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/timezone.h"

bool DiasporaRulesFor(IsraelRulesChoice choice, const std::string& cityFile, const std::string& city) {
  if (choice == IsraelRulesChoice::kIsrael) return false;
  if (choice == IsraelRulesChoice::kDiaspora) return true;
  CityRec place;
  // A city file that is not there yet (before the first start installs it) is not looked into.
  if (!FileStampOf(cityFile).exists || !CityGet(cityFile, city, &place)) return diasporaGetFlag() != 0;
  return !CityKeepsIsraelRules(place);
}

CalendarRules CurrentCalendarRules() {
  const bool diaspora = DiasporaRulesFor(getIsraelRules(), getCityFileName(), getCity());
  // Older readers of the settings file find the rules in force there.
  diasporaNoteFlag(diaspora ? 1 : 0);
  return {diaspora, postponeShushanPurimGetFlag() != 0, yomHaAtsmautLuachGetFlag() != 0};
}

SunOptions CurrentSunOptions() {
  SunOptions options;
  options.calculation = SunCalculationFromName(getSunCalculation()).value_or(SunCalculation::kClassic);
  options.elevation = getSunElevation() != 0;
  return options;
}

ZmanimOpinions CurrentZmanimOpinions() {
  ZmanimOpinions opinions;
  for (size_t row = 0; row < ZmanimRecs.size(); ++row) {
    const ZmanimRec& rec = ZmanimRecs[row];
    if (rec.kind == kZmanimChoice) opinions.index[row] = ZmanimOptionIndex(rec, SettingsGet(ZmanimSettingsKey(rec), ""));
  }
  return opinions;
}

SpecialTimeExpressions CurrentSpecialTimeExpressions() {
  SpecialTimeExpressions e;
  e.fastBegins = getTimeFastBegins();
  e.tishaBeAvBegins = getTimeTishaBeAvBegins();
  e.fastEnds = getTimeFastEnds();
  e.khanukka = getTimeKhanukka();
  e.khametsEat = getTimeKhametsEat();
  e.khametsBurn = getTimeKhametsBurn();
  return e;
}

LearningChoice LearningChoiceFromSettings() {
  LearningChoice choice;
  choice.dafYomi = getLearningFlag(kDafYomiId) != 0;
  for (LearningCycle cycle : kLearningCycles) choice.Set(cycle, getLearningFlag(LearningCycleId(cycle)) != 0);
  return choice;
}

void StoreLearningChoice(const LearningChoice& choice) {
  setLearningFlag(kDafYomiId, choice.dafYomi ? 1 : 0);
  for (LearningCycle cycle : kLearningCycles) setLearningFlag(LearningCycleId(cycle), choice.Shows(cycle) ? 1 : 0);
}

TextOptions CurrentTextOptions() {
  TextOptions text;
  text.language = getLanguage();
  text.hebrewNumerals = isHebrewNumerals();
  return text;
}

ReminderOptions CurrentReminderOptions() {
  ReminderOptions r;
  r.candles = getReminderSetting("ReminderCandles") != 0;
  r.candlesMinutes = getReminderSetting("ReminderCandlesMinutes");
  r.omer = getReminderSetting("ReminderOmer") != 0;
  r.yortsayt = getReminderSetting("ReminderYortsayt") != 0;
  r.fast = getReminderSetting("ReminderFast") != 0;
  r.fastMinutes = getReminderSetting("ReminderFastMinutes");
  r.kiddushLevana = getReminderSetting("ReminderKiddushLevana") != 0;
  return r;
}

Options CurrentOptions() {
  Options o;
  o.rules = CurrentCalendarRules();
  o.style = getStyle();
  TimesOptions& t = o.times;
  t.cityFile = getCityFileName();
  t.city = getCity();
  if (getIsDST()) t.dstRule = getDSTstruct();
  t.automaticZone = getDSTAutomatic() != 0;
  t.candleMinutes = getCandleLightingMin();
  t.havdalahValue = getHavdalahValue();
  t.havdalahInMinutes = getHavdalahIsMin() != 0;
  t.sun = CurrentSunOptions();
  t.opinions = CurrentZmanimOpinions();
  t.special = CurrentSpecialTimeExpressions();
  t.preset = getZmanimPreset();
  t.clock = ClockStyle{getTimeFormat(), isLanguageRightToLeft()};
  o.learning = LearningChoiceFromSettings();
  o.text = CurrentTextOptions();
  o.look = LookOptions{getFontName(), getPrintYiddishFontFile(), isBackgroundImage(), getShowMinorDays() != 0,
                       getWeekRightToLeft()};
  o.dateTurn = getDateTurn() == kDateTurnHavdalah ? DateTurn::kHavdalah : DateTurn::kSunset;
  o.reminders = CurrentReminderOptions();
  return o;
}

SpecialTimeExpressions SpecialTimeExpressionsInUse() {
  return CurrentSpecialTimeExpressions().WithDefaults(CurrentZmanimOpinions());
}

EveningTimes EveningTimesFromSettings() {
  const Options o = CurrentOptions();
  return EveningTimesFor(o.rules, o.times);
}

std::string GetJewishHolidayName(int id) { return GetJewishHolidayName(id, CurrentCalendarRules()); }

void GetJewishHolidayDate(int id, int year, HebrewDate* out) {
  if (id < 0 || id >= GetJewishHolidayCount() || out == nullptr) return;
  *out = GetJewishHolidayDate(id, year, CurrentCalendarRules());
}

HebrewDate GetJewishHolidayDate(int id, int year) { return GetJewishHolidayDate(id, year, CurrentCalendarRules()); }

std::string GetSpecialDay(AbsoluteDay d) { return GetSpecialDay(d, CurrentCalendarRules()); }

bool GetTorahSectionShabbat(AbsoluteDay d, ShabbatSections* out) {
  return GetTorahSectionShabbat(d, CurrentCalendarRules(), out);
}

bool IsYizkor(AbsoluteDay d) { return IsYizkor(d, CurrentCalendarRules()); }

int CalculateZmanim(int latitude, int longitude, int zone, int day, int month, int year, std::string_view expression) {
  return CalculateZmanim(latitude, longitude, zone, day, month, year, expression, CurrentSunOptions());
}

void TimeformatFormatTime(int hour, int minute, std::string* text) {
  TimeformatFormatTime(hour, minute, ClockStyle{getTimeFormat(), isLanguageRightToLeft()}, text);
}

std::string TimeformatFormatTime(int hour, int minute) {
  std::string text;
  TimeformatFormatTime(hour, minute, &text);
  return text;
}

bool GetShabbatTimeValue(AbsoluteDay day, ShabbatTimeValue* value) { return EveningTimesFromSettings().Value(day, value); }

void GetShabbatTime(AbsoluteDay day, std::string* text, int* isCandleLighting, int* isHavdalah) {
  EveningTimesFromSettings().Text(day, text, isCandleLighting, isHavdalah);
}

void GetZmanimForDay(AbsoluteDay day, std::string* text) {
  const Options o = CurrentOptions();
  GetZmanimForDay(day, o, text);
}

std::string HebrewDayNumberText(int day) { return HebrewDayNumberText(day, isHebrewNumerals()); }

std::string HebrewDateText(const HebrewDate& h) { return HebrewDateText(h, isHebrewNumerals()); }

std::string HebrewDayMonthText(const HebrewDate& h) { return HebrewDayMonthText(h, isHebrewNumerals()); }

std::string HebrewMonthRangeCaption(int month, int year) {
  return HebrewMonthRangeCaption(month, year, isHebrewNumerals());
}

std::string HebrewMonthNameText(int month, int year) { return HebrewMonthNameText(month, year, isHebrewNumerals()); }

std::string HebrewYearText(int year) { return HebrewYearText(year, isHebrewNumerals()); }

std::string ReportHeadingHebrewDate(AbsoluteDay d) { return ReportHeadingHebrewDate(d, isHebrewNumerals()); }

DayInformation PaintInternal_GetDayInformation(AbsoluteDay d) {
  return PaintInternal_GetDayInformation(d, CurrentCalendarRules(), getLanguage());
}

DayReport BuildDayReport(AbsoluteDay d) { return BuildDayReport(d, CurrentOptions()); }

unsigned IcsDefaultKinds() { return IcsDefaultKinds(LearningChoiceFromSettings()); }

IcsTimesCheck IcsCheckTimes() { return IcsCheckTimes(CurrentOptions().times); }

std::string IcsBuildCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds) {
  return IcsBuildCalendar(first, last, kinds, CurrentOptions());
}

