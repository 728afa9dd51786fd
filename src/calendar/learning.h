// The daily study cycles beside Daf Yomi: Mishna Yomit, Nach Yomi,
// Yerushalmi Yomi, the Rambam (one and three chapters a day), the monthly
// Tehillim, Pirkei Avot on the Shabbat afternoons of the summer and the
// Arukh HaShulchan by its published daily schedule, the weekly Daf and the
// Yerushalmi by the pages of the Schottenstein edition, 929, the Tanakh
// a chapter a weekday, the Chofetz Chaim and Shemirat HaLashon by the
// Hebrew date, and the Sefer HaMitzvot beside the Rambam's three chapters.
//
// A portion is a short list of parts, each a book (tractate, law) of the
// cycle with a first and last place; the English text joins them as
// "Berachos 1:5-2:1", "Yesodei HaTorah 10, Dei'os 1-2" or "Psalms 119:1-96".
// Nothing here reads the settings: the caller passes the calendar rules
// (Israel or the Diaspora), and the festivals come from the festival table.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "calendar/rules.h"
#include "calendar/types.h"

enum class LearningCycle : int8_t {
  kMishnaYomit,              // two mishnayot a day since 1 Sivan 5707 (20 May 1947)
  kNachYomi,                 // a chapter of the Prophets and Writings a day since 20 Heshvan 5768 (1 November 2007)
  kYerushalmiYomi,           // a page of the Vilna Yerushalmi a day since 15 Shevat 5740 (2 February 1980)
  kRambamOneChapter,         // a chapter of the Rambam a day since 27 Nisan 5744 (29 April 1984)
  kRambamThreeChapters,      // three chapters a day, begun the same day
  kTehillim,                 // the psalms of the day of the Hebrew month
  kPirkeiAvot,               // a chapter of Avos on the Shabbat afternoons from Pesakh to Rosh HaShana
  kArukhHaShulchanYomi,      // a few seifim of the Arukh HaShulchan a day since 6 Sivan 5780 (29 May 2020)
  kDafWeekly,                // a page of Daf Yomi's order a week since Sunday 25 Adar I 5765 (6 March 2005)
  kYerushalmiSchottenstein,  // a page of the Schottenstein Yerushalmi a day since 20 Heshvan 5783 (14 November 2022)
  kTanakh929,                // a chapter of the Tanakh from Sunday to Thursday since 21 December 2014
  kChofetzChaim,             // the Chofetz Chaim thrice a year by the Hebrew date, shown from 1 Tishrei 5634 (1873)
  kShemiratHaLashon,         // Shemirat HaLashon once a year by the Hebrew date, shown from 21 Shevat 5636 (1876)
  kSeferHaMitzvot,           // the commandments of the day's three chapters of the Rambam, begun the same day
};

inline constexpr int kLearningCycleCount = 14;
// Every cycle, in the order the program lists them.
inline constexpr std::array<LearningCycle, kLearningCycleCount> kLearningCycles = {
    LearningCycle::kMishnaYomit,
    LearningCycle::kNachYomi,
    LearningCycle::kYerushalmiYomi,
    LearningCycle::kRambamOneChapter,
    LearningCycle::kRambamThreeChapters,
    LearningCycle::kTehillim,
    LearningCycle::kPirkeiAvot,
    LearningCycle::kArukhHaShulchanYomi,
    LearningCycle::kDafWeekly,
    LearningCycle::kYerushalmiSchottenstein,
    LearningCycle::kTanakh929,
    LearningCycle::kChofetzChaim,
    LearningCycle::kShemiratHaLashon,
    LearningCycle::kSeferHaMitzvot};

// The id by which Daf Yomi (calendar/daf_yomi.h) is listed beside these
// cycles in the settings, the learning lists and the export.
inline constexpr std::string_view kDafYomiId = "daf-yomi";

// A place in a book: chapter (or page, or paragraph of an introduction) and
// verse (mishna, halacha, seif); verse 0 stands for the whole chapter, and
// chapter 0 for the whole book.
struct LearningPlace {
  int16_t chapter = 0;
  int16_t verse = 0;
};

// One book's stretch of a portion, first..last inclusive. The stretches of
// one book that follow each other make one range in the text, except one
// `apart` from the stretch before it ("Hakdamah 28, 33-34").
struct LearningPart {
  int16_t book = 0;  // index of the cycle's book, see LearningBookName
  LearningPlace first;
  LearningPlace last;
  bool apart = false;
};

// The portion of one cycle on one day. `count` is 0 on a day without one
// (before the cycle began, Yom Kippur and Tisha BeAv for the Vilna
// Yerushalmi, Friday and Shabbat for 929, days other than the Shabbatot of
// the season for Pirkei Avot).
struct LearningPortion {
  LearningCycle cycle = LearningCycle::kMishnaYomit;
  int cycleNumber = 0;  // 1 for the first cycle; 0 for Tehillim, Pirkei Avot and the cycles by the Hebrew date
  int count = 0;        // parts used, 0..16
  std::array<LearningPart, 16> parts{};
};

// Short stable id: "mishna-yomit", "nach-yomi", "yerushalmi-yomi",
// "rambam-1", "rambam-3", "tehillim", "pirkei-avot", "arukh-hashulchan-yomi",
// "daf-weekly", "yerushalmi-schottenstein", "929", "chofetz-chaim",
// "shemirat-halashon", "sefer-hamitzvot".
std::string_view LearningCycleId(LearningCycle cycle);
// English name of the cycle (a translation key): "Mishna Yomit",
// "Nach Yomi", "Yerushalmi Yomi", "Rambam, one chapter",
// "Rambam, three chapters", "Tehillim", "Pirkei Avot", "Arukh HaShulchan Yomi",
// "Weekly Daf", "Yerushalmi Yomi (Schottenstein)", "929 Tanakh",
// "Chofetz Chaim", "Shemirat HaLashon", "Sefer HaMitzvot".
std::string_view LearningCycleTitle(LearningCycle cycle);
// Number of books of a cycle (tractates, books, laws with the Rambam's four
// introductions first, the four sections of the Arukh HaShulchan, the
// tractates of Daf Yomi for the weekly Daf, the Torah's five books and
// those of Nach for 929, the parts of the Chofetz Chaim and of Shemirat
// HaLashon, the kinds of the Sefer HaMitzvot's days: its introduction,
// principles, positive and negative commandments and the texts beside them);
// Tehillim has one ("Psalms"), Pirkei Avot one ("Avos").
int LearningBookCount(LearningCycle cycle);
// English name of book 0..count-1 of a cycle (a translation key), or empty.
std::string_view LearningBookName(LearningCycle cycle, int book);

// The portion of day d; none outside day 1 .. 31 December 3000 (kLastYear).
// The rules matter only for Pirkei Avot (the last day of Pesakh, a second
// festival day on a Shabbat).
LearningPortion GetLearningPortion(LearningCycle cycle, AbsoluteDay d, const CalendarRules& rules);
// Whether book `book` of a cycle is one of the laws of the Rambam (rather
// than one of the introductions before them, or a book of another cycle).
bool LearningBookIsRambamLaw(LearningCycle cycle, int book);

// English text of a portion: the parts in order, those of one book joined
// into one range ("Berachos 9:5, Pe'ah 1:1", "Avos 3-4") unless apart
// ("Hakdamah 28, 33-34"), a whole book by its name alone; the Sefer
// HaMitzvot separates its books by "; " ("Positive Commandment 3, 4;
// Negative Commandment 5"); empty when count is 0. `bookName`, when given,
// gives the name shown for the cycle's book of that index instead of its
// English name (for a translated text); the numbers stay.
std::string FormatLearningPortion(const LearningPortion& portion,
                                  const std::function<std::string(int book)>& bookName = nullptr);
