// The choices a calendar rule depends on, passed as a value: every rule that
// differs between Israel and the Diaspora, or with the Shushan Purim custom,
// takes one of these instead of reading the settings.
#pragma once

struct CalendarRules {
  bool diaspora = true;              // Diaspora rules (second festival days), else the Land of Israel's
  bool postponeShushanPurim = true;  // a Shushan Purim on Shabbat is kept on the Sunday
  // Yom HaAtsmaut and Yom Yerushalayim kept as the Chief Rabbinate's luach
  // (Hallel, no Takhanun, the reading) rather than as weekdays. It moves no
  // festival date.
  bool yomHaAtsmautLuach = false;
};

constexpr CalendarRules kIsraelRules{false, true, false};
constexpr CalendarRules kDiasporaRules{true, true, false};

inline bool operator==(const CalendarRules& a, const CalendarRules& b) {
  return a.diaspora == b.diaspora && a.postponeShushanPurim == b.postponeShushanPurim &&
         a.yomHaAtsmautLuach == b.yomHaAtsmautLuach;
}

// Whether the festival dates under `a` and `b` are the same (only the
// Diaspora flag and the Shushan Purim custom move a date).
inline bool SameFestivalDates(const CalendarRules& a, const CalendarRules& b) {
  return a.diaspora == b.diaspora && a.postponeShushanPurim == b.postponeShushanPurim;
}
