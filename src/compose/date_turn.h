// The Hebrew date in force at a moment at the configured city: it turns to
// the next day at the day's sunset, or at its havdalah time when the user
// chose so, and stays until the next turn; the civil date changes at
// midnight. Where the sun gives no such time that day (the polar summer and
// winter), the date turns at the civil midnight that ends the day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/types.h"
#include "compose/city_time.h"
#include "compose/options.h"
#include "suntimes/calc.h"
#include "suntimes/shabbat_times.h"

// What the present moment is, for the month view and the panel.
struct DateNow {
  AbsoluteDay civilDay = 0;   // the local date
  AbsoluteDay hebrewDay = 0;  // the day whose Hebrew date is in force (civilDay + 1 after the turn)
  int64_t nextTurn = 0;       // the moment the Hebrew date turns next
  bool afterTurn() const { return hebrewDay > civilDay; }
};

// The turns of the Hebrew date at one city, by one choice.
class DateTurns {
 public:
  // Nothing when the city is not in the city file.
  static std::optional<DateTurns> For(const Options& options);

  // The moment Hebrew date d + 1 begins: sunset (or havdalah time) of day d,
  // or the midnight that ends d where the sun gives none.
  int64_t TurnOf(AbsoluteDay d) const;
  // The Hebrew date at a moment.
  DateNow At(int64_t moment) const;
  const CityTime& city() const { return city_; }

 private:
  DateTurns(CityTime city, EveningTimes evenings, std::string expression);
  CityTime city_;
  EveningTimes evenings_;
  ZmanimProgram program_;
};

// "27 Kislev", with Hebrew numerals "כ״ז כסלו": the label of a Hebrew date
// without its year, in the interface language.
std::string DateTurnLabel(AbsoluteDay hebrewDay, bool hebrewNumerals);
