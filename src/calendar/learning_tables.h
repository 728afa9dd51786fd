// The fixed facts of the daily study cycles: the tractates, books and laws in
// the order each cycle learns them, with their sizes. The rules that map a
// day to its portion live in learning.cpp.
//
// Names are the English (transliterated) texts the program shows and the
// keys under which they are translated. Tractates are spelt as the Daf Yomi
// line spells them (Ashkenazi: "Berachos", "Shabbos", "Kesuvos"), except that
// "Eruvin" and "Bava Kama" are spelt so; books of the Prophets and Writings
// keep the English names of the readings list ("I Kings", "Psalms"); the
// laws of the Rambam are transliterated without the word "Hilchos"
// ("Yesodei HaTorah", "Dei'os").
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace calendar::detail {

// One day's seifim of a schedule learnt by siman and seif, firstSiman:firstSeif
// to lastSiman:lastSeif inclusive, all in one section.
struct SeifRange {
  int16_t firstSiman;
  int16_t firstSeif;
  int16_t lastSiman;
  int16_t lastSeif;
};

// A section of the Arukh HaShulchan and the day of the schedule (from 0)
// on which it begins; it runs to the day before the next section's.
struct ScheduleSection {
  std::string_view name;
  int16_t firstDay;
};

// One day's stretch of a book learnt by the Hebrew date, siman:seif as
// chapter:paragraph (paragraph 0 where the book is counted by paragraphs
// alone, chapter 0 for a book learnt whole in a day); `alsoFirst`..`alsoLast`,
// when not 0, are further paragraphs of the book learnt the same day, apart
// from the first stretch.
struct DatedPortion {
  int8_t book;
  SeifRange range;
  int16_t alsoFirst = 0;
  int16_t alsoLast = 0;
};

// The days 1..30 of a month of a schedule by the Hebrew date, each a 1-based
// index into the schedule's portions (0: none). On the 29th of a month of 29
// days the 30th's portion is learnt as well.
using DatedMonth = std::array<uint16_t, 30>;

// A tractate of the Mishna and the number of mishnayot of each of its
// chapters (unused slots 0; Keilim, the longest, has 30 chapters).
struct MishnaTractate {
  std::string_view name;
  std::array<uint8_t, 30> mishnayot;
};

// A book, tractate or law learnt chapter (or page) by chapter.
struct ChapterBook {
  std::string_view name;
  int16_t chapters;
};

// A law of the Rambam. `joinedInOne` (`joinedInThree`): in the one-chapter
// (three-chapter) cycle its last chapter is learnt together with the one
// before it and takes no day (no place in the day's three) of its own.
struct RambamLaw {
  std::string_view name;
  int16_t chapters;
  bool joinedInOne = false;
  bool joinedInThree = false;
};

// One day's stretch of an introduction of the Rambam: paragraphs
// firstChapter..lastChapter (verses 0), or from one chapter:paragraph place
// to another.
struct RambamIntroPart {
  int16_t book;  // 0..kRambamIntroBookCount-1
  int16_t firstChapter;
  int16_t firstVerse;  // 0: the whole of firstChapter
  int16_t lastChapter;
  int16_t lastVerse;  // 0: the whole of lastChapter
};

// A day of the monthly Tehillim: first and last psalm, with verses where a
// day begins or ends inside a psalm (0: the whole psalm).
struct TehillimDay {
  int16_t firstPsalm;
  int16_t firstVerse;
  int16_t lastPsalm;
  int16_t lastVerse;
};

inline constexpr int kMishnaTractateCount = 63;
inline constexpr int kNachBookCount = 34;
inline constexpr int kTorahBookCount = 5;
inline constexpr int kYerushalmiTractateCount = 39;
inline constexpr int kRambamIntroBookCount = 4;
inline constexpr int kRambamLawCount = 84;
inline constexpr int kRambamOneChapterIntroDays = 12;
inline constexpr int kRambamThreeChapterIntroDays = 4;
inline constexpr int kTehillimDays = 30;
inline constexpr int kArukhHaShulchanSectionCount = 4;
inline constexpr int kChofetzChaimBookCount = 8;
inline constexpr int kChofetzChaimPortionCount = 140;
inline constexpr int kShemiratHaLashonBookCount = 8;
inline constexpr int kShemiratHaLashonPortionCount = 414;
inline constexpr int kSeferHaMitzvotBookCount = 8;
inline constexpr int kPlainYearMonths = 12;
inline constexpr int kLeapYearMonths = 13;

// Days of one cycle (learning_tables.cpp checks them against the tables).
inline constexpr int kMishnaCycleDays = 2096;        // 4192 mishnayot, two a day
inline constexpr int kNachCycleDays = 742;           // chapters
inline constexpr int kTanakhChapters = 929;          // the Torah's 187 and the 742 of Nach
inline constexpr int kYerushalmiCyclePages = 1554;   // pages; the cycle also pauses on fast days
inline constexpr int kYerushalmiSchottensteinCyclePages = 2094;  // pages of that edition, without a pause
inline constexpr int kRambamOneChapterCycleDays = 1017;   // 12 days of introductions, 1005 of laws
inline constexpr int kRambamThreeChapterCycleDays = 339;  // 4 days of introductions, 335 of laws
inline constexpr int kArukhHaShulchanCycleDays = 1719;   // the days of its published schedule

// Mishna Yomit: the six orders, tractate by tractate.
extern const std::array<MishnaTractate, kMishnaTractateCount> MishnaTractates;
// Nach Yomi: the Prophets and the Writings, one chapter a day.
extern const std::array<ChapterBook, kNachBookCount> NachBooks;
// The five books of the Torah, read before them in 929.
extern const std::array<ChapterBook, kTorahBookCount> TorahBooks;
// Yerushalmi Yomi: the tractates of the Vilna edition with their pages, each
// numbered from 1.
extern const std::array<ChapterBook, kYerushalmiTractateCount> YerushalmiTractates;
// Yerushalmi Yomi by the pages of the Schottenstein edition, in that
// edition's order of the tractates, each numbered from 1.
extern const std::array<ChapterBook, kYerushalmiTractateCount> YerushalmiSchottensteinTractates;
// The Rambam: the four introductions (books 0..3), then the laws with their
// chapters (law i is book kRambamIntroBookCount + i).
extern const std::array<std::string_view, kRambamIntroBookCount> RambamIntroBooks;
extern const std::array<RambamLaw, kRambamLawCount> RambamLaws;
// The days of the introductions before the laws in each Rambam cycle.
extern const std::array<RambamIntroPart, kRambamOneChapterIntroDays> RambamOneChapterIntro;
extern const std::array<RambamIntroPart, kRambamThreeChapterIntroDays> RambamThreeChapterIntro;
// Tehillim by the day of the Hebrew month, 1..30.
extern const std::array<TehillimDay, kTehillimDays> TehillimMonth;
// Arukh HaShulchan Yomi: the sections in the order learnt, and the seifim of
// each day of the schedule (learning_schedules.cpp).
extern const std::array<ScheduleSection, kArukhHaShulchanSectionCount> ArukhHaShulchanSections;
extern const std::array<SeifRange, kArukhHaShulchanCycleDays> ArukhHaShulchanDays;
// The schedules by the Hebrew date: the books in the order learnt, the
// portions, and the months of a plain and of a leap year from Tishrei
// (learning_schedules.cpp).
extern const std::array<std::string_view, kChofetzChaimBookCount> ChofetzChaimBooks;
extern const std::array<DatedPortion, kChofetzChaimPortionCount> ChofetzChaimPortions;
extern const std::array<DatedMonth, kPlainYearMonths> ChofetzChaimPlainYear;
extern const std::array<DatedMonth, kLeapYearMonths> ChofetzChaimLeapYear;
extern const std::array<std::string_view, kShemiratHaLashonBookCount> ShemiratHaLashonBooks;
extern const std::array<DatedPortion, kShemiratHaLashonPortionCount> ShemiratHaLashonPortions;
extern const std::array<DatedMonth, kPlainYearMonths> ShemiratHaLashonPlainYear;
extern const std::array<DatedMonth, kLeapYearMonths> ShemiratHaLashonLeapYear;
// The Sefer HaMitzvot: its books, and the codes of each day of the
// three-chapter cycle of the Rambam (learning_schedules.cpp).
extern const std::array<std::string_view, kSeferHaMitzvotBookCount> SeferHaMitzvotBooks;
extern const std::array<std::string_view, kRambamThreeChapterCycleDays> SeferHaMitzvotDays;

// The letters of a Sefer HaMitzvot day's codes, by book: "I" the
// introduction, "R1-3" principles, "P12" and "N5" a positive and a negative
// commandment, "T" the text of the prayers and "S" their order, "H" the text
// of the Haggadah, "M1-2" chapters of the laws of Megillah and Chanukah.
inline constexpr std::string_view kSeferHaMitzvotLetters = "IRPNTSHM";
inline constexpr size_t kMaxMitzvotCodesADay = 16;

// One code read: the book (-1 for a code that is none) and the first and
// last number (0 where the code has none).
struct MitzvaCode {
  int book = -1;
  int first = 0;
  int last = 0;
};

// Reads a code: a letter of kSeferHaMitzvotLetters, then nothing, a number or
// "first-last".
constexpr MitzvaCode ReadMitzvaCode(std::string_view code) {
  MitzvaCode out;
  if (code.empty() || kSeferHaMitzvotLetters.find(code[0]) == std::string_view::npos) return out;
  int* number = &out.first;
  for (size_t i = 1; i < code.size(); ++i) {
    if (code[i] == '-' && number == &out.first && out.first != 0) {
      number = &out.last;
    } else if (code[i] >= '0' && code[i] <= '9' && *number < 1000) {
      *number = *number * 10 + (code[i] - '0');
    } else {
      return out;
    }
  }
  if (number == &out.last && out.last == 0) return out;
  if (number == &out.first) out.last = out.first;
  out.book = static_cast<int>(kSeferHaMitzvotLetters.find(code[0]));
  return out;
}
static_assert(ReadMitzvaCode("R10-14").book == 1 && ReadMitzvaCode("R10-14").last == 14);
static_assert(ReadMitzvaCode("N365").first == 365 && ReadMitzvaCode("T").book == 4 && ReadMitzvaCode("X1").book == -1);

}  // namespace calendar::detail
