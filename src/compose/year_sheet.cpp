#include "compose/year_sheet.h"

#include <algorithm>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "compose/day_info.h"
#include "compose/hebrew_date_text.h"
#include "suntimes/cities.h"
#include "suntimes/missing_time.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timeformat.h"
#include "suntimes/zmanim_presets.h"

namespace {

// A rest lasts at most three days (Rosh HaShana on Thursday and Friday, then
// Shabbat); its havdalah comes that many days after the first candles.
constexpr int kLongestRest = 3;

bool IsCandles(DayTimeKind k) { return k == DayTimeKind::kCandles || k == DayTimeKind::kCandlesAfterNightfall; }

void AddPart(std::vector<std::string>& parts, std::string text) {
  if (text.empty() || std::find(parts.begin(), parts.end(), text) != parts.end()) return;
  parts.push_back(std::move(text));
}

// What the evening of a candles row begins: its festival days, Khol HaMoed,
// and on Shabbat the Torah section and the special Shabbat.
void RestParts(AbsoluteDay day, const CalendarRules& rules, std::vector<std::string>& parts) {
  const DayFestivals festivals = FestivalsOn(day, rules);
  for (Festival f : festivals) {
    const DayKind kind = FestivalFactsOf(f, rules).kind;
    if (WorkForbidden(kind) || kind == DayKind::kKholHaMoed) AddPart(parts, TranslatedFestivalName(f, rules));
  }
  if (WeekdayOf(day) != kShabbat) return;
  const DayInformation info = PaintInternal_GetDayInformation(day, rules, kLanguageEnglish);  // its Shabbat lines only
  AddPart(parts, info.torahSection);
  AddPart(parts, info.specialShabbat);
  for (Festival f : festivals)
    if (FestivalFactsOf(f, rules).kind == DayKind::kSpecialShabbat) AddPart(parts, TranslatedFestivalName(f, rules));
  if (parts.empty()) AddPart(parts, GetWeekdayName(kShabbat));
}

void FastParts(AbsoluteDay day, const CalendarRules& rules, std::vector<std::string>& parts) {
  for (Festival f : FestivalsOn(day, rules))
    if (FastKind(FestivalFactsOf(f, rules).kind)) AddPart(parts, TranslatedFestivalName(f, rules));
}

}  // namespace

YearSheetRange GregorianYearSheetRange(int year) {
  return {AbsoluteFromGregorian(1, 1, year), AbsoluteFromGregorian(31, 12, year), false};
}

YearSheetRange HebrewYearSheetRange(int year) {
  return {AbsoluteFromHebrew(1, kTishri, year), AbsoluteFromHebrew(1, kTishri, year + 1) - 1, true};
}

int FirstHebrewSheetYear() { return HebrewFromAbsolute(AbsoluteFromGregorian(1, 1, kFirstYear)).year + 1; }
int LastHebrewSheetYear() { return HebrewFromAbsolute(AbsoluteFromGregorian(31, 12, kLastYear)).year - 1; }

std::vector<YearSheetRow> YearSheetRows(const DayTimes& times, const YearSheetRange& range) {
  const CalendarRules& rules = times.evenings().rules();
  std::vector<YearSheetRow> rows;
  // The row a time of `date` joins: one of the same date, else a new one.
  auto rowOf = [&rows](AbsoluteDay date) -> YearSheetRow& {
    if (rows.empty() || rows.back().date != date) {
      rows.emplace_back();
      rows.back().date = date;
      rows.back().day = date;
    }
    return rows.back();
  };
  // The latest row that still waits for a time of `date` in `slot`, or null.
  auto openRow = [&rows](AbsoluteDay date, auto&& waits) -> YearSheetRow* {
    for (auto it = rows.rbegin(); it != rows.rend() && date - it->date <= kLongestRest; ++it)
      if (waits(*it)) return &*it;
    return nullptr;
  };

  // The first candles of a rest that begins on range.first come the evening
  // before; the last havdalah of a rest can come three days after its day.
  for (AbsoluteDay d = range.first - 1; d <= range.last + kLongestRest; ++d) {
    for (const DayTime& t : times.Of(d)) {
      if (t.minorDay) continue;  // the sheet has the Shabbat, festival and fast times only
      if (IsCandles(t.kind)) {
        YearSheetRow& row = rowOf(d);
        row.candles = t;
        row.day = d + 1;
      } else if (t.kind == DayTimeKind::kHavdalah) {
        if (YearSheetRow* row = openRow(d, [](const YearSheetRow& r) { return r.candles && !r.havdalah; })) {
          row->havdalah = t;
          row->havdalahDate = d;
        }
      } else if (t.kind == DayTimeKind::kFastBegins) {
        YearSheetRow& row = rowOf(d);
        row.fastBegins = t;
        row.fastBeginsDate = d;
      } else if (t.kind == DayTimeKind::kFastEnds) {
        if (YearSheetRow* row = openRow(d, [](const YearSheetRow& r) { return r.fastBegins && !r.fastEnds; })) {
          row->fastEnds = t;
          row->fastEndsDate = d;
          // A fast that begins the evening before is for the day it ends
          // on; a fast on a Friday makes its row one of the Friday.
          row->day = row->candles ? std::min(row->day, d) : d;
        }
      }
    }
  }

  std::vector<YearSheetRow> kept;
  for (YearSheetRow& row : rows) {
    // A Hebrew day begins at its evening: the sheet of a Hebrew year keeps
    // the rows of its days, Erev Rosh HaShana first. A Gregorian day begins
    // at midnight: the sheet of a Gregorian year keeps the rows of its
    // evenings, a Friday on 31 December too though its Shabbat is in the next.
    const AbsoluteDay of = range.hebrew ? row.day : row.date;
    if (of < range.first || of > range.last) continue;
    std::vector<std::string> parts;
    if (row.fastEnds) FastParts(row.fastEndsDate, rules, parts);
    if (row.candles) RestParts(row.date + 1, rules, parts);
    row.label = JoinWithCommas(parts);
    kept.push_back(std::move(row));
  }
  return kept;
}

// ------------------------------------------------------------ the texts

namespace {

// The cell of a time: with "(after midnight)" past midnight; a dash where
// the day has the time but it cannot be computed here, its reason added to
// `reasons` when it is the sun's.
std::string TimeText(const std::optional<DayTime>& t, const ClockStyle& clock, std::vector<std::string>& reasons) {
  if (!t) return {};
  if (t->computed) return TimeformatListedTime(t->time.hour, t->time.minute, clock);
  if (t->time.missing.bySun()) AddPart(reasons, MissingTimeText(t->time.missing));
  return std::string(kNoTimeMark);
}

std::string ZoneText(const CityRec& city, bool automatic, bool daylightSaving) {
  if (automatic && !city.zoneName.empty()) return city.zoneName;
  const std::string utc = city.gmtOffset == 0
                              ? std::string("UTC")
                              : FormatText("UTC%s%d", {city.gmtOffset > 0 ? "+" : "-",
                                                       city.gmtOffset > 0 ? city.gmtOffset : -city.gmtOffset});
  return daylightSaving ? FormatText(translate_perform("%s with daylight saving time"), {utc}) : utc;
}

}  // namespace

YearSheetSetup YearSheetSetupOf(int year, bool hebrewYear, const Options& options) {
  const TimesOptions& t = options.times;
  YearSheetSetup s;
  s.year = year;
  s.hebrewYear = hebrewYear;
  s.city = Utf8FromLatin1(t.city);
  CityRec city;
  if (CityGet(t.cityFile, t.city, &city)) s.zone = ZoneText(city, t.automaticZone, t.dstRule.has_value());
  s.candleMinutes = t.candleMinutes;
  s.havdalahInMinutes = t.havdalahInMinutes;
  s.havdalahValue = s.havdalahInMinutes ? std::to_string(ShabbatHavdalahMinutes(t.havdalahValue)) : t.havdalahValue;
  s.hebrewNumerals = options.text.hebrewNumerals;
  s.clock = t.clock;
  s.rightToLeft = options.text.rightToLeft();
  s.zmanim = PrintoutZmanimHeading(options);
  return s;
}

std::string PrintoutPlaceHeading(const Options& options) {
  const YearSheetSetup setup = YearSheetSetupOf(0, false, options);
  std::string text = setup.city;
  if (!setup.zone.empty()) text = FormatText(translate_perform("%s, time zone %s"), {setup.city, setup.zone});
  const std::string sun = translate_perform(options.times.sun.precise() ? "precise" : "classic");
  return FormatText(translate_perform("%s; sun calculation: %s"), {text, sun});
}

std::string PrintoutZmanimHeading(const Options& options) {
  return FormatText(translate_perform("Zmanim: %s"), {ZmanimPresetText(options.times)});
}

YearSheetText YearSheetTextOf(const std::vector<YearSheetRow>& rows, const YearSheetSetup& setup) {
  YearSheetText text;
  text.rightToLeft = setup.rightToLeft;
  const std::string year = HebrewYearText(setup.year, setup.hebrewYear && setup.hebrewNumerals);
  text.title = FormatText(translate_perform("Shabbat and festival times %s"), {year});
  text.heading.push_back(
      setup.zone.empty() ? setup.city : FormatText(translate_perform("%s, time zone %s"), {setup.city, setup.zone}));
  const std::string candles =
      FormatInt(translate_perform("Candle lighting %d minutes before sunset"), setup.candleMinutes);
  const std::string havdalah =
      setup.havdalahInMinutes
          ? FormatText(translate_perform("havdalah %s minutes after sunset"), {setup.havdalahValue})
          : FormatText(translate_perform("havdalah at %s degrees below the horizon"), {setup.havdalahValue});
  text.heading.push_back(candles + ", " + havdalah);
  if (!setup.zmanim.empty()) text.heading.push_back(setup.zmanim);

  text.columns = {translate_perform("Day"),         translate_perform("Date"),
                  translate_perform("Hebrew date"), translate_perform("Shabbat or festival"),
                  translate_perform("Candles"),     translate_perform("Havdalah"),
                  translate_perform("Fast begins"), translate_perform("Fast ends")};

  bool afterNightfall = false;
  std::vector<std::string> reasons;
  int month = 0;
  for (const YearSheetRow& row : rows) {
    const GregorianDate g = GregorianFromAbsolute(row.date);
    std::array<std::string, kSheetColumnCount> cells;
    cells[kSheetWeekday] = GetWeekdayName(WeekdayOf(row.date));
    cells[kSheetDate] = std::to_string(g.day) + " " + GetGregorianMonthName(g.month);
    // A Hebrew year spans two Gregorian years.
    if (setup.hebrewYear) cells[kSheetDate] += " " + std::to_string(g.year);
    cells[kSheetHebrewDate] = HebrewDayMonthText(HebrewFromAbsolute(row.date), setup.hebrewNumerals);
    cells[kSheetLabel] = row.label;
    cells[kSheetCandles] = TimeText(row.candles, setup.clock, reasons);
    if (row.candles && row.candles->kind == DayTimeKind::kCandlesAfterNightfall && row.candles->computed) {
      cells[kSheetCandles] += std::string(kAfterNightfallMark);
      afterNightfall = true;
    }
    cells[kSheetHavdalah] = TimeText(row.havdalah, setup.clock, reasons);
    cells[kSheetFastBegins] = TimeText(row.fastBegins, setup.clock, reasons);
    cells[kSheetFastEnds] = TimeText(row.fastEnds, setup.clock, reasons);
    text.monthStarts.push_back(month != 0 && g.month != month);
    month = g.month;
    text.rows.push_back(std::move(cells));
  }
  text.notes = SheetNotes(afterNightfall, reasons);
  return text;
}

YearSheetText YearSheetTextOf(int year, bool hebrewYear, const Options& options) {
  const CityFileSnapshot cityFile;  // one look at the city file for the whole sheet
  const DayTimes times = DayTimesFor(options.rules, options.times, options.style);
  const YearSheetRange range = hebrewYear ? HebrewYearSheetRange(year) : GregorianYearSheetRange(year);
  return YearSheetTextOf(YearSheetRows(times, range), YearSheetSetupOf(year, hebrewYear, options));
}

std::vector<std::string> SheetNotes(bool afterNightfall, const std::vector<std::string>& reasons) {
  std::vector<std::string> notes;
  if (afterNightfall)
    notes.push_back(std::string(kAfterNightfallMark) + " " +
                    translate_perform("Candles lit after nightfall, from a flame that was already burning"));
  if (!reasons.empty())
    notes.push_back(std::string(kNoTimeMark) + " " +
                    FormatText(translate_perform("No time that day: %s"), {JoinWithCommas(reasons)}));
  return notes;
}

std::string JoinWithCommas(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& p : parts) text += (text.empty() ? "" : ", ") + p;
  return text;
}
