// The halakha report, continued: Minkha and Neila of the day, then Maariv,
// Havdalah, the psalm of the season and Selikhot of the evening after it.
// The evening already belongs to the next day t, so most evening rules test t.
#include "calendar/holidays.h"
#include "calendar/minor_days.h"
#include "halakha/halakha_run.h"
#include "halakha/predicates.h"
#include "halakha/seasons.h"
#include "halakha/takhanun.h"

namespace halakha::detail {

namespace {

// Ashkenazim say Selikhot from the Sunday after that Saturday night to the
// eve of Yom Kippur, not on Shabbat or Rosh HaShana.
bool AshkenaziSelikhotMorning(AbsoluteDay x) {
  if (shabbat(x) || high_holiday(x)) return false;
  if (!InElul(x)) return x <= h_holiday(x, F::kErevYomKippur);
  for (AbsoluteDay night = hebrDate(kElul, 19, x); night <= hebrDate(kElul, 25, x); ++night)
    if (IsLeilSelikhot(night)) return x > night;
  return false;
}

// The Sephardic rite says Selikhot every morning from 2 Elul to the eve of
// Yom Kippur, but not on Shabbat or Rosh HaShana.
bool SephardicSelikhotMorning(AbsoluteDay x) {
  const bool season = (InElul(x) && day_in_month(x) > 1) || x <= h_holiday(x, F::kErevYomKippur);
  return season && !shabbat(x) && !rosh_haShana(x);
}

// A festival day, Rosh HaShana or Yom Kippur on a weekday that goes out into
// a weekday or into Khol HaMoed: Ato Khonantanu in the Amida and Havdalah
// over wine. One that runs into Shabbat or into a second festival day has
// neither.
bool HolyDayEndsIntoWeekday(const Run& run) {
  return !shabbat(run.d) && (yom_tov(run.d, run.rules) || high_holiday(run.d)) && !rest_day(run.t, run.rules);
}

// The season's words change at Musaf of Shemini Atseret and of Pesakh I:
// the Amidot after it on day d say the new ones.
void SeasonWordsAfterMusaf(const Run& run, AbsoluteDay d) {
  if (d == run.H(F::kSheminiAtseret)) {
    run.Emit("  Mashiv haRuakh");
  } else if (d == run.H(F::kPesakhI)) {
    run.Emit(run.SaysDew() ? "  Morid haTal" : "  no Mashiv haRuakh");
  }
}

// Kiddush Levana is not said on the evening that begins a Shabbat or a
// festival day.
bool KiddushLevanaEvening(const Run& run, AbsoluteDay e) {
  const AbsoluteDay next = e + 1;
  return !shabbat(next) && !yom_tov(next, run.rules) && !high_holiday(next);
}

// The evenings of the month on which Kiddush Levana is said: the first and
// the last of the window, each moved inward past the evenings it is not said.
void KiddushLevana(const Run& run) {
  const PlaceMoments& place = run.place;
  if (place.moonFirst == 0 || place.moonLast < place.moonFirst) return;
  AbsoluteDay first = place.moonFirst;
  while (first <= place.moonLast && !KiddushLevanaEvening(run, first)) ++first;
  AbsoluteDay last = place.moonLast;
  while (last >= first && !KiddushLevanaEvening(run, last)) --last;
  if (first > last) return;
  const AbsoluteDay d = run.d;
  if (d == first) run.Emit("  Kiddush Levana from tonight");
  if (d == last) run.Emit("  Last night for Kiddush Levana");
  // After the fasts the moon is blessed with the congregation.
  const bool afterFast = isDay(d, F::kYomKippur) || isDay(d, F::kTishaBeAv);
  if (afterFast && first < d && d < last) run.Emit("  Kiddush Levana tonight");
}

}  // namespace

void Minkha(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  const AbsoluteDay t = run.t;
  run.Emit("Minkha");
  // On Friday of Khanukka the synagogue lights before Minkha: by Maariv it is Shabbat.
  if (khanukah(t) && shabbat(t)) {
    run.Emit("  Light candles before Minkha");
    run.Emit("    in synagogue with blessings");
  }
  // Tallit and tefilin, put on at Minkha of the fast of Av.
  if (isDay(d, F::kTishaBeAv)) run.Emit("  Tallit and tefillin with berakha");
  // Torah reading at Minkha.
  if (fast_day(d) || shabbat(d)) {
    run.Emit("  Torah reading: 1 sefer torah, 3 aliyot");
    if (isDay(d, F::kYomKippur)) {
      run.Emit("  Haftarah (Jonah)");
    } else if (!shabbat(d)) {
      run.Emit("  Haftarah (Isaiah 55:6 - 56:8)");
    }
  }
  if (TenDaysOfRepentance(d)) TenDaysAmida(run, !rest_day(d, r));
  SeasonWordsAfterMusaf(run, d);
  if (yaale_day(d, r)) run.Emit("  Yaale veYavo");
  // The Amida of a public fast other than Yom Kippur.
  if (fast_day(d) && !high_holiday(d)) {
    run.Emit("  Aneynu");
    if (tisha_beAv(d)) run.Emit("  conclude uVerushalayim with Nakhem");
    run.Emit("  Birkat Kohanim (in repetition)");
    run.Emit("  Sim Shalom instead of Shalom Rav");
    // Not on Tisha BeAv, not on the eve of Purim, and not at Minkha of Erev
    // Shabbat (only 10 Tevet is a fast on a Friday). Taanit Ester put off to
    // Thursday is not the eve of Purim and says it.
    const bool evening = WeekdayOf(d) == kFriday || (isDay(d, F::kTaanitEster) && isDay(t, F::kPurim));
    run.Emit(tisha_beAv(d) || evening ? "  no Avinu Malkeynu" : "  Avinu Malkeynu");
  } else if (isDay(d, F::kYomKippur)) {
    run.Emit(shabbat(d) ? "  no Avinu Malkeynu" : "  Avinu Malkeynu");
  } else if (RepentanceBeforeTheEve(d)) {
    // As at Shakharit, and not at Minkha of Erev Shabbat.
    if (shabbat(d)) {
      if (rosh_haShana(d)) run.Emit("  no Avinu Malkeynu");
    } else if (WeekdayOf(d) != kFriday) {
      run.Emit("  Avinu Malkeynu");
    }
  }
  if (isDay(d, F::kPurim) || khanukah(d)) run.Emit("  Al haNisim");
  // Yom Kippur Katan, kept by those who fast or say its Selikhot.
  if (run.Ashkenazi() && IsYomKippurKatan(d)) {
    run.Emit("  Selikhot of Yom Kippur Katan");
    run.Emit("  Aneynu for those who fast");
  }
  // The confession of the eve of Yom Kippur.
  if (isDay(d, F::kErevYomKippur)) run.Emit("  Vidui (in the silent Amida)");
  // Takhanun, also left out before a day without it (no long form at Minkha);
  // on Shabbat, Tsidkatkha in its place, left out when a weekday would have
  // no Takhanun. Rosh HaShana on Shabbat says it in the Sephardic rite only.
  const bool noTakhanun = takhanun_free(d, r) || yom_tov(t, r) || high_holiday(t) || takhanun_free(t, r);
  if (!rest_day(d, r)) {
    run.Emit(noTakhanun || shabbat(t) ? "  no Takhanun" : "  Takhanun");
  } else if (shabbat(d) && !yom_tov(d, r) && !isDay(d, F::kYomKippur)) {
    const bool say = rosh_haShana(d) ? run.Sephardic() : !noTakhanun;
    run.Emit(say ? "  Tsidkatkha" : "  no Tsidkatkha");
  }
}

void Neila(const Run& run) {
  if (!isDay(run.d, F::kYomKippur)) return;
  // "Seal us" instead of "write us"; Avinu Malkeynu also on Shabbat.
  run.Emit("Neila");
  run.Emit("  Khotmeynu leKhayim");
  run.Emit("  Avinu Malkeynu");
}

void Maariv(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  const AbsoluteDay t = run.t;
  run.Emit("Maariv");
  // The day that begins.
  const std::string special = GetSpecialDay(t, r);
  if (!special.empty()) run.Emit("  " + special);
  if (isDay(t, F::kYomKippur)) run.Emit("  Kol Nidre");
  // Kabbalat Shabbat, shortened when the day ending or the Shabbat is a
  // festival day, Rosh HaShana or Yom Kippur.
  if (shabbat(t)) {
    const bool holy = yom_tov(d, r) || high_holiday(d) || yom_tov(t, r) || high_holiday(t);
    run.Emit(holy ? "  short Kabbalat Shabbat" : "  Kabbalat Shabbat");
  }
  // Khanukka candles in the synagogue (after Shabbat they come with Havdalah,
  // before Shabbat they were lit before Minkha).
  if (khanukah(t) && !shabbat(d) && !shabbat(t)) {
    run.Emit("  Light candles before Maariv");
    run.Emit("    in synagogue with blessings");
  }
  // The Havdalah of the Amida after Shabbat, festival days and the high holidays.
  if (shabbat(d)) {
    run.Emit(yom_tov(t, r) || rosh_haShana(t) ? "  veTodiyenu" : "  Ato Khonantanu");
  } else if (HolyDayEndsIntoWeekday(run)) {
    run.Emit("  Ato Khonantanu");
  }
  if (TenDaysOfRepentance(t)) TenDaysAmida(run, !rest_day(t, r));
  SeasonWordsAfterMusaf(run, d);
  // The first weekday Amida after a day of rest; the evening that first asks
  // for rain says so.
  if (first_rain_request(t, r)) {
    run.Emit("  Teyn Tal uMatar (first time)");
  } else if (!rest_day(t, r) && rest_day(d, r)) {
    run.Emit(summer_request(t, r) ? "  Teyn Berakha" : "  Teyn Tal uMatar");
  }
  if (yaale_day(t, r)) run.Emit("  Yaale veYavo");
  if (isDay(t, F::kPurim) || khanukah(t)) run.Emit("  Al haNisim");
  // Reading of the evening: the Megilah of Purim night, or the Hakafot.
  if (isDay(t, F::kPurim)) {
    run.Emit("  Megilat Ester");
  } else if (SimkhatTora(t, r)) {
    run.Emit("  Hakafot");
  }
  // Counting of the Omer, for the day that begins.
  if (day_in_omer(t) >= 1) run.Emit("  Sefirat haOmer");
  // The night of the fast of Av as it is kept.
  if (isDay(t, F::kTishaBeAv)) {
    run.Emit("  Megilat Eykha");
    run.Emit("  Kinot");
    run.Emit("  Full Kaddish without Titkabel");
  }
  KiddushLevana(run);
}

void Havdalah(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  const AbsoluteDay t = run.t;
  if (!shabbat(d)) {
    if (HolyDayEndsIntoWeekday(run)) {
      run.Emit("  Havdalah");
      // After Yom Kippur the flame is blessed, lit from one that burned through the fast.
      run.Emit(isDay(d, F::kYomKippur) ? "    candle from a flame kept through the fast, no spices"
                                      : "    no introduction, candle, or spices");
    }
    return;
  }
  if (khanukah(t)) run.Emit("  Light Khannuka candles before Havdalah");
  // A Shabbat followed by a festival or the second day of Rosh HaShana makes
  // Havdalah in the festival's kiddush.
  const bool festivalFollows = yom_tov(t, r) || t == h_holiday(t, F::kRoshHaShanaII);
  run.Emit(festivalFollows ? "  Havdalah during kiddush" : "  Havdalah");
}

void EveningPsalmAndSelikhot(const Run& run) {
  if (Psalm27Season(run.t)) {
    run.Emit("  LeDavid haShem Uri (Psalm 27)");
  } else if (khanukah(run.t)) {
    run.Emit("  Mizmor Shir Khannukat (Psalm 30)");
  }
  // Selikhot: the line ends the evening before each morning of Selikhot.
  if (run.Sephardic() ? SephardicSelikhotMorning(run.t) : AshkenaziSelikhotMorning(run.t)) run.Emit("Selikhot");
}

}  // namespace halakha::detail
