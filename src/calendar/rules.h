// The choices a calendar rule depends on, passed as a value: every rule that
// differs between Israel and the Diaspora, or with the Shushan Purim custom,
// takes one of these instead of reading the settings.
#pragma once

struct CalendarRules {
  bool diaspora = true;              // Diaspora rules (second festival days), else the Land of Israel's
  bool postponeShushanPurim = true;  // a Shushan Purim on Shabbat is kept on the Sunday
};

constexpr CalendarRules kIsraelRules{false, true};
constexpr CalendarRules kDiasporaRules{true, true};

inline bool operator==(const CalendarRules& a, const CalendarRules& b) {
  return a.diaspora == b.diaspora && a.postponeShushanPurim == b.postponeShushanPurim;
}
