// Everything the engine's results depend on, as one value: the calendar
// rules, the style, the place and the choices of the times of day, the
// learning cycles shown and the choices of the texts. It is built from the
// settings once, at the top (the windows, the dialogs, lumaro-cli; see
// compose/current_options.h), and passed down; no rule below reads the
// settings.
#pragma once

#include <cstdint>
#include <string>

#include "base/choices.h"
#include "calendar/rules.h"
#include "compose/learning_lines.h"
#include "suntimes/times_options.h"

// The choices of the texts: the interface language and whether Hebrew dates
// are written in Hebrew numerals. (The clock is TimesOptions::clock.)
struct TextOptions {
  int language = kLanguageEnglish;
  bool hebrewNumerals = false;

  bool rightToLeft() const { return isRightToLeftLanguage(language); }
};

// The choices of the look of the painted and printed pages.
struct LookOptions {
  std::string screenFont;        // the family of every text on the screen
  std::string printFontFile;     // the Hebrew print font's file as configured ("" for the shipped one)
  bool backgroundImage = false;  // a background image is configured and its file exists
  bool minorDays = true;         // the cells show the minor days and the moon
  // The week's direction: kWeekRightToLeftByLanguage, kWeekRightToLeftOff or
  // kWeekRightToLeftOn (see Options::weekRightToLeft).
  int weekRightToLeft = kWeekRightToLeftByLanguage;
};

// When the Hebrew date of the present moment turns to the next day: at the
// day's sunset, or at its havdalah time (nightfall by the havdalah choice).
enum class DateTurn : uint8_t { kSunset, kHavdalah };

// The reminders of the coming times: each on or off; candle lighting and a
// fast's beginning come a lead time before it (minutes), the others at their
// moment (see compose/reminders.h).
struct ReminderOptions {
  bool candles = true;
  int candlesMinutes = 30;
  bool omer = false;
  bool yortsayt = false;
  bool fast = false;
  int fastMinutes = 60;
  bool kiddushLevana = false;
};

struct Options {
  CalendarRules rules;
  int style = kStyleAshkenazi;  // kStyleSephardic or kStyleAshkenazi
  TimesOptions times;
  LearningChoice learning;
  TextOptions text;
  LookOptions look;
  DateTurn dateTurn = DateTurn::kSunset;
  ReminderOptions reminders;

  // True when the week of the month view and its printout runs from right
  // to left: Sunday in the rightmost column, Shabbat in the leftmost.
  bool weekRightToLeft() const { return WeekRightToLeftFor(look.weekRightToLeft, text.language); }
};
