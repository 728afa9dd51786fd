// Anniversaries, birthdays and yortsayt dates: the user's entry and the
// rules that place it in a Hebrew year (a yortsayt of 30 Heshvan, Adar of a
// common year in a leap year, Adar I and Adar II).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/types.h"

// Entry types.
constexpr char kAnniAnniversary = 'A';
constexpr char kAnniBirthday = 'B';
constexpr char kAnniYortsayt = 'Y';

// The date of an event as the user gave it: Hebrew (day, month 1..13, year)
// or Gregorian (day, month 1..12, year), depending on AnniversaryRec::isHebrew.
struct AnniDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
};

// Where an event in Adar of a common year falls in a leap year.
enum class AdarChoice : uint8_t {
  kUsual,   // the type's own rule: Adar I for a yortsayt, Adar II for the others
  kAdarII,  // Adar II
  kAdarI,   // Adar I
  kBoth,    // Adar I and Adar II
};

// How an entry was written in the file, so that an entry nobody changed is
// written back as it was, with the lines before it (comments, blank lines,
// lines that are not entries) in their places.
struct AnniSource {
  std::string line;                      // the entry's line as read, without its line feed
  int order = 0;                         // 1.. in file order; 0 for an entry not read from the file
  std::vector<std::string> linesBefore;  // the other lines just before it
  std::vector<std::string> linesAfter;   // the last entry of the file: the lines after it
  bool endsWithLineFeed = true;          // the last entry of the file: whether the file ended with one
};

// One entry of the list.
struct AnniversaryRec {
  std::string name;
  char type = kAnniAnniversary;  // 'A', 'B' or 'Y'
  int isHebrew = 0;              // 1: date is Hebrew, 0: Gregorian
  AnniDate date;
  int afterSunset = 0;  // 1: the event was after sunset (Gregorian dates only)
  // A recent loss (yortsayt entries): the Gregorian date of the burial.
  std::optional<AnniDate> burial{};
  AdarChoice adar = AdarChoice::kUsual;
  bool batMitzvah = false;  // a birthday whose mitzvah comes at twelve years
  // What followed the entry on its line besides the fields above (a comment,
  // a field that could not be read), kept as it was written.
  std::string note{};
  AnniSource source{};  // not part of the entry's value
};

bool operator==(const AnniversaryRec& a, const AnniversaryRec& b);
inline bool operator!=(const AnniversaryRec& a, const AnniversaryRec& b) { return !(a == b); }

// The record the date rules work on.
struct AnniversaryCalc {
  HebrewDate event;  // Hebrew date of the event
  char type = kAnniAnniversary;
  int year = 0;       // the Hebrew year wanted
  HebrewDate result;  // the day of the anniversary in that year
};

// 'A' and 'B' follow AnniBirth, 'Y' AnniDeath; another type leaves result alone.
void AnniGetAnniversary(AnniversaryCalc& calc);
// Birthdays and anniversaries: the same day and month; Adar of a common year
// and Adar II go to the last month of the wanted year; a 30th that the wanted
// month lacks becomes the 1st of the next month (30 Heshvan -> 1 Kislev).
void AnniBirth(AnniversaryCalc& calc);
// Yortsayt: as AnniBirth, except that 30 Heshvan and 30 Kislev follow the
// length of that month in the year after the death, Adar II goes to the last
// month of the wanted year, and 30 Adar I is 30 Shevat in a common year.
void AnniDeath(AnniversaryCalc& calc);

// True when the entry's date exists (Gregorian years 1..9999, Hebrew years
// 3762..9999), so the rules above can be applied to it.
bool AnniDateIsValid(int isHebrew, const AnniDate& date);
// Absolute day of the event: the Hebrew date, or the Gregorian date plus one
// day when it was after sunset. The date must be valid.
AbsoluteDay AnniEventDay(const AnniversaryRec& rec);
// The day of the entry's anniversary in Hebrew year `year` (of two, the first).
AbsoluteDay AnniDayInYear(const AnniversaryRec& rec, int year);
// The days of the entry's anniversary in Hebrew year `year`: one, or two
// when an event in Adar of a common year falls in Adar I and Adar II of a
// leap year by the entry's choice. `adar` (the entry's choice) decides for
// such an event in a leap year; kUsual keeps the rules above.
std::vector<AbsoluteDay> AnniDaysInYear(const AnniversaryRec& rec, int year);
std::vector<AbsoluteDay> AnniDaysInYear(const HebrewDate& event, char type, AdarChoice adar, int year);

// Years to a bar mitzvah and to a bat mitzvah.
constexpr int kBarMitzvahYears = 13;
constexpr int kBatMitzvahYears = 12;
// The day of the bar (or, with `bat`, bat) mitzvah of a birth on Hebrew date
// `birth`: its birthday in the 13th (12th) year after, a birth in Adar of a
// common year in Adar II of a leap year unless `adar` is kAdarI.
AbsoluteDay AnniMitzvahDay(const HebrewDate& birth, bool bat, AdarChoice adar);
