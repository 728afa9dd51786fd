#include "calendar/learning.h"

#include <algorithm>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/festivals.h"
#include "calendar/learning_tables.h"

namespace {

using namespace calendar::detail;

struct CycleInfo {
  LearningCycle cycle;
  std::string_view id;
  std::string_view title;
};

constexpr std::array<CycleInfo, kLearningCycleCount> kCycleInfo = {{
    {LearningCycle::kMishnaYomit, "mishna-yomit", "Mishna Yomit"},
    {LearningCycle::kNachYomi, "nach-yomi", "Nach Yomi"},
    {LearningCycle::kYerushalmiYomi, "yerushalmi-yomi", "Yerushalmi Yomi"},
    {LearningCycle::kRambamOneChapter, "rambam-1", "Rambam, one chapter"},
    {LearningCycle::kRambamThreeChapters, "rambam-3", "Rambam, three chapters"},
    {LearningCycle::kTehillim, "tehillim", "Tehillim"},
    {LearningCycle::kPirkeiAvot, "pirkei-avot", "Pirkei Avot"},
    {LearningCycle::kArukhHaShulchanYomi, "arukh-hashulchan-yomi", "Arukh HaShulchan Yomi"},
    {LearningCycle::kDafWeekly, "daf-weekly", "Weekly Daf"},
    {LearningCycle::kYerushalmiSchottenstein, "yerushalmi-schottenstein", "Yerushalmi Yomi (Schottenstein)"},
    {LearningCycle::kTanakh929, "929", "929 Tanakh"},
    {LearningCycle::kChofetzChaim, "chofetz-chaim", "Chofetz Chaim"},
    {LearningCycle::kShemiratHaLashon, "shemirat-halashon", "Shemirat HaLashon"},
    {LearningCycle::kSeferHaMitzvot, "sefer-hamitzvot", "Sefer HaMitzvot"},
}};

constexpr bool InfoInEnumOrder() {
  for (size_t i = 0; i < kCycleInfo.size(); ++i)
    if (static_cast<size_t>(kCycleInfo[i].cycle) != i || kLearningCycles[i] != kCycleInfo[i].cycle) return false;
  return true;
}
static_assert(InfoInEnumOrder(), "one row per cycle, in the order of the enum");

const CycleInfo& InfoOf(LearningCycle cycle) { return kCycleInfo[static_cast<size_t>(cycle)]; }

// The single books of the two cycles that learn from one book.
constexpr std::string_view kPsalms = "Psalms";
constexpr std::string_view kAvos = "Avos";

// The day of a Hebrew date, computed once: the first days of the cycles.
AbsoluteDay MishnaStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(1, kSivan, 5707);  // 20 May 1947
  return day;
}
AbsoluteDay NachStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(20, kHeshvan, 5768);  // 1 November 2007
  return day;
}
AbsoluteDay YerushalmiStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(15, kShevat, 5740);  // 2 February 1980
  return day;
}
AbsoluteDay YerushalmiSchottensteinStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(20, kHeshvan, 5783);  // 14 November 2022
  return day;
}
// 929 began on Sunday 21 December 2014 (29 Kislev 5775); its first cycle
// stopped after chapter 869 (I Chronicles 5) on 18 April 2018, and the
// second began on Sunday 15 July 2018 (3 Av 5778).
AbsoluteDay Tanakh929Start() {
  static const AbsoluteDay day = AbsoluteFromHebrew(29, kKislev, 5775);
  return day;
}
AbsoluteDay Tanakh929SecondStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(3, kAv, 5778);
  return day;
}
AbsoluteDay RambamStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(27, kNisan, 5744);  // 29 April 1984
  return day;
}
AbsoluteDay DafWeeklyStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(25, kAdar, 5765);  // Sunday 6 March 2005
  return day;
}
AbsoluteDay ArukhHaShulchanStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(6, kSivan, 5780);  // 29 May 2020
  return day;
}
// The schedules by the Hebrew date are shown from the years their books
// appeared.
AbsoluteDay ChofetzChaimStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(1, kTishri, 5634);  // 22 September 1873
  return day;
}
AbsoluteDay ShemiratHaLashonStart() {
  static const AbsoluteDay day = AbsoluteFromHebrew(21, kShevat, 5636);  // 16 February 1876
  return day;
}

LearningPart WholeChapters(int book, int first, int last) {
  return {static_cast<int16_t>(book), {static_cast<int16_t>(first), 0}, {static_cast<int16_t>(last), 0}};
}

void Add(LearningPortion& p, const LearningPart& part) {
  if (p.count < static_cast<int>(p.parts.size())) p.parts[static_cast<size_t>(p.count++)] = part;
}

// ---------------------------------------------------------------- Mishna Yomit

// Mishna 0..4191 of the cycle as a one-mishna part.
LearningPart MishnaAt(int index) {
  for (size_t t = 0; t < MishnaTractates.size(); ++t) {
    const auto& mishnayot = MishnaTractates[t].mishnayot;
    for (size_t c = 0; c < mishnayot.size() && mishnayot[c] != 0; ++c) {
      if (index < mishnayot[c]) {
        const LearningPlace place{static_cast<int16_t>(c + 1), static_cast<int16_t>(index + 1)};
        return {static_cast<int16_t>(t), place, place};
      }
      index -= mishnayot[c];
    }
  }
  return {};
}

// Two mishnayot a day without a pause.
void MishnaYomit(AbsoluteDay d, LearningPortion& p) {
  const int64_t n = d - MishnaStart();
  if (n < 0) return;
  p.cycleNumber = static_cast<int>(n / kMishnaCycleDays) + 1;
  const int day = static_cast<int>(n % kMishnaCycleDays);
  Add(p, MishnaAt(2 * day));
  Add(p, MishnaAt(2 * day + 1));
}

// ---------------------------------------------------------------- chapter by chapter

// Chapter `index` (from 0) of a list of books as a one-chapter part.
template <size_t N>
LearningPart ChapterAt(const std::array<ChapterBook, N>& books, int index) {
  for (size_t b = 0; b < N; ++b) {
    if (index < books[b].chapters) return WholeChapters(static_cast<int>(b), index + 1, index + 1);
    index -= books[b].chapters;
  }
  return {};
}

// One chapter a day without a pause.
void NachYomi(AbsoluteDay d, LearningPortion& p) {
  const int64_t n = d - NachStart();
  if (n < 0) return;
  p.cycleNumber = static_cast<int>(n / kNachCycleDays) + 1;
  Add(p, ChapterAt(NachBooks, static_cast<int>(n % kNachCycleDays)));
}

// ---------------------------------------------------------------- Yerushalmi Yomi

// The two days of Hebrew year y on which the Yerushalmi does not advance:
// Yom Kippur and the fast of Tisha BeAv (on 10 Av when the 9th is a Shabbat).
std::array<AbsoluteDay, 2> YerushalmiPauses(int year) {
  return {FestivalDay(Festival::kYomKippur, year), FestivalDay(Festival::kTishaBeAv, year)};
}

// The pauses of one year in [from, to).
int PausesBetween(const std::array<AbsoluteDay, 2>& pauses, AbsoluteDay from, AbsoluteDay to) {
  int count = 0;
  for (AbsoluteDay pause : pauses)
    if (pause >= from && pause < to) ++count;
  return count;
}

// One page a day, except on Yom Kippur and the fast of Tisha BeAv: every
// Hebrew year has one of each, so the whole years between the first and the
// present one count two pauses each.
void YerushalmiYomi(AbsoluteDay d, LearningPortion& p) {
  const AbsoluteDay start = YerushalmiStart();
  if (d < start) return;
  static const int firstYear = HebrewFromAbsolute(start).year;
  static const std::array<AbsoluteDay, 2> firstYearPauses = YerushalmiPauses(firstYear);
  const int year = HebrewFromAbsolute(d).year;
  const std::array<AbsoluteDay, 2> pausesOfYear = year == firstYear ? firstYearPauses : YerushalmiPauses(year);
  for (AbsoluteDay pause : pausesOfYear)
    if (pause == d) return;
  int64_t pauses = PausesBetween(firstYearPauses, start, d);
  if (year > firstYear) pauses += 2 * static_cast<int64_t>(year - firstYear - 1) + PausesBetween(pausesOfYear, start, d);
  const int64_t pages = d - start - pauses;
  p.cycleNumber = static_cast<int>(pages / kYerushalmiCyclePages) + 1;
  Add(p, ChapterAt(YerushalmiTractates, static_cast<int>(pages % kYerushalmiCyclePages)));
}

// One page of the Schottenstein edition a day, without a pause.
void YerushalmiSchottenstein(AbsoluteDay d, LearningPortion& p) {
  const int64_t n = d - YerushalmiSchottensteinStart();
  if (n < 0) return;
  p.cycleNumber = static_cast<int>(n / kYerushalmiSchottensteinCyclePages) + 1;
  Add(p, ChapterAt(YerushalmiSchottensteinTractates, static_cast<int>(n % kYerushalmiSchottensteinCyclePages)));
}

// ---------------------------------------------------------------- 929

constexpr int k929FirstCycleChapters = 869;
constexpr int k929ReadingDays = 5;  // Sunday to Thursday
// A cycle takes whole weeks: 929 chapters fill 186 weeks but the last
// Thursday, which has none, and the next cycle begins on the Sunday after.
constexpr int k929CycleSlots = (kTanakhChapters + k929ReadingDays - 1) / k929ReadingDays * k929ReadingDays;

// Chapter `index` (from 0) of the Tanakh, the Torah first; books 0..4 are
// the Torah's, 5.. those of Nach.
LearningPart TanakhChapterAt(int index) {
  if (index < kTanakhChapters - kNachCycleDays) return ChapterAt(TorahBooks, index);
  LearningPart part = ChapterAt(NachBooks, index - (kTanakhChapters - kNachCycleDays));
  part.book = static_cast<int16_t>(part.book + kTorahBookCount);
  return part;
}

// A chapter on each day from Sunday to Thursday, without a festival pause.
void Tanakh929(AbsoluteDay d, LearningPortion& p) {
  const bool firstCycle = d < Tanakh929SecondStart();
  const AbsoluteDay start = firstCycle ? Tanakh929Start() : Tanakh929SecondStart();
  if (d < start) return;
  const int64_t n = d - start;  // both starts are Sundays
  if (n % 7 >= k929ReadingDays) return;
  const int64_t slot = n / 7 * k929ReadingDays + n % 7;
  const int64_t cycle = firstCycle ? 0 : slot / k929CycleSlots + 1;
  const int chapter = static_cast<int>(firstCycle ? slot : slot % k929CycleSlots);
  if (chapter >= (firstCycle ? k929FirstCycleChapters : kTanakhChapters)) return;
  p.cycleNumber = static_cast<int>(cycle) + 1;
  Add(p, TanakhChapterAt(chapter));
}

// ---------------------------------------------------------------- Rambam

LearningPart IntroPart(const RambamIntroPart& r) {
  return {r.book, {r.firstChapter, r.firstVerse}, {r.lastChapter, r.lastVerse}};
}

// The chapters of the laws at places [first, first + count): each chapter
// takes the next place, except one joined to the chapter before it, which
// shares that chapter's place.
void RambamLawChapters(int first, int count, bool threeChapters, LearningPortion& p) {
  int next = 0;  // places taken by the chapters before this one
  for (size_t i = 0; i < RambamLaws.size(); ++i) {
    const RambamLaw& law = RambamLaws[i];
    const bool lastJoined = threeChapters ? law.joinedInThree : law.joinedInOne;
    const int places = law.chapters - (lastJoined ? 1 : 0);
    if (next + places <= first) {  // the whole law comes before
      next += places;
      continue;
    }
    for (int c = 1; c <= law.chapters; ++c) {
      const bool joined = lastJoined && c == law.chapters;
      const int place = joined ? next - 1 : next++;
      if (place >= first + count) return;
      if (place >= first) Add(p, WholeChapters(kRambamIntroBookCount + static_cast<int>(i), c, c));
    }
  }
}

// The introductions, then the laws at `perDay` chapters a day, without a
// pause; the parts of one law are merged when the text is made.
template <size_t IntroDays>
void Rambam(AbsoluteDay d, int cycleDays, const std::array<RambamIntroPart, IntroDays>& intro, int perDay,
            LearningPortion& p) {
  const int64_t n = d - RambamStart();
  if (n < 0) return;
  p.cycleNumber = static_cast<int>(n / cycleDays) + 1;
  const int day = static_cast<int>(n % cycleDays);
  if (day < static_cast<int>(IntroDays)) {
    Add(p, IntroPart(intro[static_cast<size_t>(day)]));
    return;
  }
  RambamLawChapters((day - static_cast<int>(IntroDays)) * perDay, perDay, perDay == 3, p);
}

// ---------------------------------------------------------------- Sefer HaMitzvot

// The day's codes in order, each a part; a commandment of the same kind as
// the one before it is shown apart from it, not as a range.
void SeferHaMitzvot(AbsoluteDay d, LearningPortion& p) {
  const int64_t n = d - RambamStart();
  if (n < 0) return;
  p.cycleNumber = static_cast<int>(n / kRambamThreeChapterCycleDays) + 1;
  const std::string_view day = SeferHaMitzvotDays[static_cast<size_t>(n % kRambamThreeChapterCycleDays)];
  for (size_t at = 0; at <= day.size();) {
    const size_t end = std::min(day.find(' ', at), day.size());
    const MitzvaCode code = ReadMitzvaCode(day.substr(at, end - at));
    const bool apart = p.count > 0 && p.parts[static_cast<size_t>(p.count - 1)].book == code.book;
    Add(p, {static_cast<int16_t>(code.book), {static_cast<int16_t>(code.first), 0},
            {static_cast<int16_t>(code.last), 0}, apart});
    at = end + 1;
  }
}

// ---------------------------------------------------------------- Tehillim

// The day's psalms; the 29th of a 29-day month also reads those of the 30th.
void Tehillim(AbsoluteDay d, LearningPortion& p) {
  const HebrewDate h = HebrewFromAbsolute(d);
  const TehillimDay& day = TehillimMonth[static_cast<size_t>(h.day - 1)];
  const bool lastOfShortMonth = h.day == 29 && Last_Day_Of_Hebrew_Month(h.month, h.year) == 29;
  const TehillimDay& end = lastOfShortMonth ? TehillimMonth[kTehillimDays - 1] : day;
  Add(p, {0, {day.firstPsalm, day.firstVerse}, {end.lastPsalm, end.lastVerse}});
}

// ---------------------------------------------------------------- Pirkei Avot

constexpr int kAvotChapters = 6;
// Four rounds of the six chapters fill the season; when it has fewer
// Shabbatot, the last ones read two chapters each.
constexpr int kAvotSeasonChapters = 4 * kAvotChapters;

// The first Shabbat after day d.
AbsoluteDay ShabbatAfter(AbsoluteDay d) { return d + 1 + (kShabbat - WeekdayOf(d + 1) + 7) % 7; }

// The last day of Pesakh where it is kept: its eighth day where there is
// one, else its seventh.
AbsoluteDay LastDayOfPesakh(int year, const CalendarRules& rules) {
  const HebrewDate eighth = FestivalDate(Festival::kPesakhVIII, year, rules);
  return AbsoluteFromHebrew(eighth.day != 0 ? eighth : FestivalDate(Festival::kPesakhVII, year, rules));
}

// The Shabbat of the season without a chapter because of Tisha BeAv: the
// one before a fast kept on Sunday (the 9th of Av itself when it is a
// Shabbat, else the 8th); 0 when the fast falls on another day.
AbsoluteDay AvotTishaBeAvPause(int year) {
  const AbsoluteDay fast = FestivalDay(Festival::kTishaBeAv, year);
  return WeekdayOf(fast) == kSunday ? fast - 1 : 0;
}

// From the first Shabbat after Pesakh to the last before Rosh HaShana,
// except on a Shabbat that is a festival day or comes before the fast of
// Tisha BeAv.
void PirkeiAvot(AbsoluteDay d, const CalendarRules& rules, LearningPortion& p) {
  if (WeekdayOf(d) != kShabbat) return;
  const HebrewDate h = HebrewFromAbsolute(d);
  if (h.month > kElul) return;
  const AbsoluteDay first = ShabbatAfter(LastDayOfPesakh(h.year, rules));
  const AbsoluteDay last = ShabbatAfter(FestivalDay(Festival::kRoshHaShanaI, h.year + 1) - 8);
  if (d < first || d > last) return;
  const AbsoluteDay tishaBeAvPause = AvotTishaBeAvPause(h.year);
  int pausesBefore = 0;
  int pausesInSeason = 0;
  for (AbsoluteDay shabbat = first; shabbat <= last; shabbat += 7) {
    // A festival day pauses the chapters (the Diaspora's second day of
    // Shavuot is the one that can fall on a Shabbat of the season).
    if (shabbat != tishaBeAvPause && !IsFestivalDay(shabbat, rules)) continue;
    if (shabbat == d) return;
    ++pausesInSeason;
    if (shabbat < d) ++pausesBefore;
  }
  const int shabbatot = static_cast<int>((last - first) / 7) + 1 - pausesInSeason;
  const int index = static_cast<int>((d - first) / 7) - pausesBefore;  // 0..shabbatot-1
  const int doubled = std::min(std::max(kAvotSeasonChapters - shabbatot, 0), shabbatot);
  const int single = shabbatot - doubled;
  if (index < single) {
    const int chapter = index % kAvotChapters + 1;
    Add(p, WholeChapters(0, chapter, chapter));
    return;
  }
  // Past the single ones `single` is 0 or 2 * shabbatot - 24, an even number,
  // so every pair starts at chapter 1, 3 or 5.
  const int chapter = (single + 2 * (index - single)) % kAvotChapters + 1;
  Add(p, WholeChapters(0, chapter, chapter + 1));
}

// ---------------------------------------------------------------- Arukh HaShulchan Yomi

// The section that day `day` of the schedule learns.
int ArukhHaShulchanSectionOf(int day) {
  int section = 0;
  while (section + 1 < kArukhHaShulchanSectionCount &&
         ArukhHaShulchanSections[static_cast<size_t>(section + 1)].firstDay <= day)
    ++section;
  return section;
}

// The day's row of the schedule, which repeats without a pause.
void ArukhHaShulchanYomi(AbsoluteDay d, LearningPortion& p) {
  const int64_t n = d - ArukhHaShulchanStart();
  if (n < 0) return;
  p.cycleNumber = static_cast<int>(n / kArukhHaShulchanCycleDays) + 1;
  const int day = static_cast<int>(n % kArukhHaShulchanCycleDays);
  const SeifRange& r = ArukhHaShulchanDays[static_cast<size_t>(day)];
  Add(p, {static_cast<int16_t>(ArukhHaShulchanSectionOf(day)), {r.firstSiman, r.firstSeif}, {r.lastSiman, r.lastSeif}});
}

// ---------------------------------------------------------------- weekly Daf

// The pages of Daf Yomi in its order, one a week from Sunday to Shabbat.
void DafWeekly(AbsoluteDay d, LearningPortion& p) {
  if (d < DafWeeklyStart()) return;
  const int64_t week = (d - DafWeeklyStart()) / 7;
  p.cycleNumber = static_cast<int>(week / kDafYomiCyclePages) + 1;
  const DafYomiPlace page = DafYomiPlaceAt(static_cast<int>(week % kDafYomiCyclePages));
  Add(p, WholeChapters(page.tractate, page.page, page.page));
}

// ---------------------------------------------------------------- by the Hebrew date

// Row of the month in a year's table, which begins with Tishrei: Adar I and
// Adar II of a leap year are rows 5 and 6, its Nisan row 7.
int MonthRowFromTishri(int month, bool leap) { return month >= kTishri ? month - kTishri : month + (leap ? 6 : 5); }

// Adds portion `index` (1-based; 0 adds nothing).
template <size_t N>
void AddDated(const std::array<DatedPortion, N>& portions, uint16_t index, LearningPortion& p) {
  if (index == 0) return;
  const DatedPortion& dated = portions[index - 1u];
  const SeifRange& r = dated.range;
  Add(p, {dated.book, {r.firstSiman, r.firstSeif}, {r.lastSiman, r.lastSeif}});
  if (dated.alsoFirst != 0) Add(p, {dated.book, {dated.alsoFirst, 0}, {dated.alsoLast, 0}, true});
}

// The day's portion of its month's row; the 29th of a month of 29 days
// learns the 30th's too.
template <size_t N>
void ByHebrewDate(AbsoluteDay d, AbsoluteDay start, const std::array<DatedPortion, N>& portions,
                  const std::array<DatedMonth, kPlainYearMonths>& plainYear,
                  const std::array<DatedMonth, kLeapYearMonths>& leapYear, LearningPortion& p) {
  if (d < start) return;
  const HebrewDate h = HebrewFromAbsolute(d);
  const bool leap = Hebrew_Leap_Year(h.year) != 0;
  const auto row = static_cast<size_t>(MonthRowFromTishri(h.month, leap));
  const DatedMonth& month = leap ? leapYear[row] : plainYear[row];
  AddDated(portions, month[static_cast<size_t>(h.day - 1)], p);
  const bool shortMonth = Last_Day_Of_Hebrew_Month(h.month, h.year) == 29;
  if (h.day == 29 && shortMonth) AddDated(portions, month[29], p);
}

// ---------------------------------------------------------------- text

void AppendPlace(std::string& out, const LearningPlace& place) {
  if (place.chapter == 0) return;  // the whole book
  out += std::to_string(place.chapter);
  if (place.verse != 0) out += ':' + std::to_string(place.verse);
}

// "7", "7-8", "1:5", "1:1-2", "1:5-2:1", "119:1-96".
void AppendRange(std::string& out, const LearningPlace& first, const LearningPlace& last) {
  AppendPlace(out, first);
  if (first.chapter == last.chapter && first.verse == last.verse) return;
  out += '-';
  if (first.chapter == last.chapter && first.verse != 0 && last.verse != 0) {
    out += std::to_string(last.verse);
  } else {
    AppendPlace(out, last);
  }
}

}  // namespace

std::string_view LearningCycleId(LearningCycle cycle) { return InfoOf(cycle).id; }

std::string_view LearningCycleTitle(LearningCycle cycle) { return InfoOf(cycle).title; }

int LearningBookCount(LearningCycle cycle) {
  switch (cycle) {
    case LearningCycle::kMishnaYomit:
      return kMishnaTractateCount;
    case LearningCycle::kNachYomi:
      return kNachBookCount;
    case LearningCycle::kYerushalmiYomi:
    case LearningCycle::kYerushalmiSchottenstein:
      return kYerushalmiTractateCount;
    case LearningCycle::kTanakh929:
      return kTorahBookCount + kNachBookCount;
    case LearningCycle::kRambamOneChapter:
    case LearningCycle::kRambamThreeChapters:
      return kRambamIntroBookCount + kRambamLawCount;
    case LearningCycle::kTehillim:
    case LearningCycle::kPirkeiAvot:
      return 1;
    case LearningCycle::kArukhHaShulchanYomi:
      return kArukhHaShulchanSectionCount;
    case LearningCycle::kDafWeekly:
      return DafYomiTractateCount();
    case LearningCycle::kChofetzChaim:
      return kChofetzChaimBookCount;
    case LearningCycle::kShemiratHaLashon:
      return kShemiratHaLashonBookCount;
    case LearningCycle::kSeferHaMitzvot:
      return kSeferHaMitzvotBookCount;
  }
  return 0;
}

std::string_view LearningBookName(LearningCycle cycle, int book) {
  if (book < 0 || book >= LearningBookCount(cycle)) return {};
  const auto b = static_cast<size_t>(book);
  switch (cycle) {
    case LearningCycle::kMishnaYomit:
      return MishnaTractates[b].name;
    case LearningCycle::kNachYomi:
      return NachBooks[b].name;
    case LearningCycle::kYerushalmiYomi:
      return YerushalmiTractates[b].name;
    case LearningCycle::kRambamOneChapter:
    case LearningCycle::kRambamThreeChapters:
      return b < kRambamIntroBookCount ? RambamIntroBooks[b] : RambamLaws[b - kRambamIntroBookCount].name;
    case LearningCycle::kTehillim:
      return kPsalms;
    case LearningCycle::kPirkeiAvot:
      return kAvos;
    case LearningCycle::kArukhHaShulchanYomi:
      return ArukhHaShulchanSections[b].name;
    case LearningCycle::kDafWeekly:
      return DafYomiTractateName(book);
    case LearningCycle::kYerushalmiSchottenstein:
      return YerushalmiSchottensteinTractates[b].name;
    case LearningCycle::kTanakh929:
      return b < kTorahBookCount ? TorahBooks[b].name : NachBooks[b - kTorahBookCount].name;
    case LearningCycle::kChofetzChaim:
      return ChofetzChaimBooks[b];
    case LearningCycle::kShemiratHaLashon:
      return ShemiratHaLashonBooks[b];
    case LearningCycle::kSeferHaMitzvot:
      return SeferHaMitzvotBooks[b];
  }
  return {};
}

bool LearningBookIsRambamLaw(LearningCycle cycle, int book) {
  const bool rambam = cycle == LearningCycle::kRambamOneChapter || cycle == LearningCycle::kRambamThreeChapters;
  return rambam && book >= kRambamIntroBookCount && book < LearningBookCount(cycle);
}

LearningPortion GetLearningPortion(LearningCycle cycle, AbsoluteDay d, const CalendarRules& rules) {
  LearningPortion p;
  p.cycle = cycle;
  static const AbsoluteDay lastDay = AbsoluteFromGregorian(31, 12, kLastYear);
  if (d < 1 || d > lastDay) return p;
  switch (cycle) {
    case LearningCycle::kMishnaYomit:
      MishnaYomit(d, p);
      break;
    case LearningCycle::kNachYomi:
      NachYomi(d, p);
      break;
    case LearningCycle::kYerushalmiYomi:
      YerushalmiYomi(d, p);
      break;
    case LearningCycle::kRambamOneChapter:
      Rambam(d, kRambamOneChapterCycleDays, RambamOneChapterIntro, 1, p);
      break;
    case LearningCycle::kRambamThreeChapters:
      Rambam(d, kRambamThreeChapterCycleDays, RambamThreeChapterIntro, 3, p);
      break;
    case LearningCycle::kTehillim:
      Tehillim(d, p);
      break;
    case LearningCycle::kPirkeiAvot:
      PirkeiAvot(d, rules, p);
      break;
    case LearningCycle::kArukhHaShulchanYomi:
      ArukhHaShulchanYomi(d, p);
      break;
    case LearningCycle::kDafWeekly:
      DafWeekly(d, p);
      break;
    case LearningCycle::kYerushalmiSchottenstein:
      YerushalmiSchottenstein(d, p);
      break;
    case LearningCycle::kTanakh929:
      Tanakh929(d, p);
      break;
    case LearningCycle::kChofetzChaim:
      ByHebrewDate(d, ChofetzChaimStart(), ChofetzChaimPortions, ChofetzChaimPlainYear, ChofetzChaimLeapYear, p);
      break;
    case LearningCycle::kShemiratHaLashon:
      ByHebrewDate(d, ShemiratHaLashonStart(), ShemiratHaLashonPortions, ShemiratHaLashonPlainYear,
                   ShemiratHaLashonLeapYear, p);
      break;
    case LearningCycle::kSeferHaMitzvot:
      SeferHaMitzvot(d, p);
      break;
  }
  if (p.count == 0) p.cycleNumber = 0;
  return p;
}

std::string FormatLearningPortion(const LearningPortion& portion,
                                  const std::function<std::string(int book)>& bookName) {
  std::string out;
  const int count = std::min(portion.count, static_cast<int>(portion.parts.size()));
  auto part = [&portion](int i) -> const LearningPart& { return portion.parts[static_cast<size_t>(i)]; };
  for (int i = 0; i < count;) {
    const int book = part(i).book;
    if (!out.empty()) out += portion.cycle == LearningCycle::kSeferHaMitzvot ? "; " : ", ";
    if (bookName) {
      out += bookName(book);
    } else {
      out += LearningBookName(portion.cycle, book);
    }
    // The book's parts from i on, each range running to the part before the
    // next one apart.
    for (bool firstRange = true; i < count && part(i).book == book; firstRange = false) {
      int j = i + 1;
      while (j < count && part(j).book == book && !part(j).apart) ++j;
      if (part(i).first.chapter != 0) out += firstRange ? " " : ", ";
      AppendRange(out, part(i).first, part(j - 1).last);
      i = j;
    }
  }
  return out;
}
