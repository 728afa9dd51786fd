// The halakha report: the run, and the rules of the morning. Each rule is one
// short test over the predicates; the rules run in the order written, and
// the evening's rules (halacha_evening.cpp) follow in the same pass.
#include "halakha/halacha.h"

#include "calendar/holidays.h"
#include "calendar/molad.h"
#include "calendar/names.h"
#include "calendar/torah_sections.h"
#include "halakha/halacha_run.h"
#include "halakha/predicates.h"

namespace halakha::detail {

void Run::Emit(std::string_view line) const { HalachaOutput(text, line); }

AbsoluteDay Run::H(std::string_view key) const { return h_holiday(d, key); }

bool InSukkot(const Run& run) { return run.H("SUKKOT_I") <= run.d && run.d <= run.H("SUKKOT_VII"); }

bool LastFestivalDay(AbsoluteDay x, int diaspora) {
  if (diaspora) return isDay(x, "PESAKH_VIII") || isDay(x, "SHAVUOT_II") || isDay(x, "SHEMINI_ATSERES_II");
  return isDay(x, "PESAKH_VII") || isDay(x, "SHAVUOT_I") || isDay(x, "SHEMINI_ATSERES_I");
}

bool SimkhatTora(AbsoluteDay x, int diaspora) {
  return diaspora ? isDay(x, "SHEMINI_ATSERES_II") : isDay(x, "SHEMINI_ATSERES_I");
}

// Rosh HaShana begins the Hebrew year of x, so only the end needs a test.
bool TenDaysOfRepentance(AbsoluteDay x) { return x <= h_holiday(x, "YOM_KIPPUR"); }

bool InElul(AbsoluteDay x) { return month(x) == kElul; }

// Tishri opens the Hebrew year of x: up to Hoshana Rabba is the start of the year.
bool Psalm27Season(AbsoluteDay x) { return InElul(x) || x <= h_holiday(x, "SUKKOT_VII"); }

namespace {

bool MondayOrThursday(AbsoluteDay x) { return WeekdayOf(x) == kMonday || WeekdayOf(x) == kThursday; }

bool KholHaMoedSukkot(AbsoluteDay x) { return khol_haMoed(x) && !khol_haMoed_Pesakh(x); }

// The last week of a month (days 23..29), when the coming month is blessed.
bool LastWeekOfMonth(AbsoluteDay x) { return day_in_month(x) >= 23 && day_in_month(x) <= 29; }

// The Shabbat on which the coming month is blessed; Tishri is not.
bool ShabbatMevarkhim(AbsoluteDay x) { return shabbat(x) && LastWeekOfMonth(x) && month(x) != kElul; }

bool SpecialShabbat(AbsoluteDay x) {
  return shabbat_zakhor(x) || shabbat_parah(x) || shabbat_haKhodesh(x) || shabbat_shekalim(x);
}

// Yizkor: Yom Kippur, Shemini Atseret, and the last day of Pesakh and of Shavuot.
bool YizkorDay(AbsoluteDay x, int diaspora) {
  if (isDay(x, "YOM_KIPPUR") || isDay(x, "SHEMINI_ATSERES_I")) return true;
  if (diaspora) return isDay(x, "PESAKH_VIII") || isDay(x, "SHAVUOT_II");
  return isDay(x, "PESAKH_VII") || isDay(x, "SHAVUOT_I");
}

// Scrolls taken out and people called up.
struct TorahCount {
  int scrolls;
  int aliyot;
};

TorahCount CountScrollsAndAliyot(const Run& run) {
  const AbsoluteDay d = run.d;
  TorahCount c{1, 3};
  if (shabbat(d)) {
    c.aliyot = 7;
    if (SpecialShabbat(d)) ++c.scrolls;
    if (rosh_khodesh(d)) ++c.scrolls;
    if (khanukah(d)) ++c.scrolls;
    if (rosh_haShana(d) || isDay(d, "YOM_KIPPUR") || yom_tov(d) || khol_haMoed(d)) ++c.scrolls;
  } else if (rosh_khodesh(d)) {
    c = {khanukah(d) ? 2 : 1, 4};
  } else if (khanukah(d)) {
    c = {1, 3};
  } else if (yom_tov(d)) {
    c = {2, 5};
  } else if (khol_haMoed(d)) {
    c = {InSukkot(run) ? 1 : 2, 4};  // one scroll on Sukkot, two on Pesakh
  } else if (rosh_haShana(d)) {
    c = {2, 5};
  } else if (isDay(d, "YOM_KIPPUR")) {
    c = {2, 6};
  }
  // Simkhat Tora finishes the Torah, begins it again and reads the maftir.
  if (SimkhatTora(d, run.diaspora)) c.scrolls = 3;
  return c;
}

std::string ScrollLine(const TorahCount& c) {
  // Each piece is a whole phrase, so the translation can replace it.
  return "  " + std::to_string(c.scrolls) + (c.scrolls == 1 ? " sefer torah; " : " sifrey torah; ") +
         std::to_string(c.aliyot) + " aliyot";
}

// The week's sections and special-Shabbat names, then the day's holiday text.
std::string SectionLine(AbsoluteDay d) {
  std::string line;
  auto append = [&line](const std::string& piece) {
    if (piece.empty()) return;
    line += line.empty() ? "      " : ", ";
    line += piece;
  };
  ShabbatSections s;
  if (GetTorahSectionShabbat(d, &s)) {
    for (int code : {s.c1, s.c2, s.c3}) {
      append(GetJewishTorahSectionName(code));
      append(GetJewishShabbatSectionName(code));
    }
  }
  append(GetSpecialDay(d));
  return line;
}

bool HasTorahReading(AbsoluteDay d) {
  return shabbat(d) || yom_tov(d) || high_holiday(d) || rosh_khodesh(d) || khol_haMoed(d) ||
         isDay(d, "PURIM") || isDay(d, "TISHA_BEAV") || MondayOrThursday(d) || fast_day(d) || khanukah(d);
}

bool HasMusaf(AbsoluteDay d) {
  return shabbat(d) || yom_tov(d) || high_holiday(d) || rosh_khodesh(d) || khol_haMoed(d);
}

}  // namespace

void DayNotes(const Run& run) {
  const AbsoluteDay d = run.d;
  // The holiday of the day.
  const std::string special = GetSpecialDay(d);
  if (!special.empty()) run.Emit("  " + special);
  // Season: the wind and rain from Shemini Atseret to Pesakh, dew otherwise.
  if (run.H("SHMINI_ATSERES_I") < d && d < run.H("PESAKH_I")) {
    run.Emit("  Mashiv haRuakh");
  } else {
    run.Emit(run.Sephardic() ? "  Morid haTal" : "  no Mashiv haRuakh");
  }
  // The request for rain in the weekday Amida.
  if (!rest_day(d)) run.Emit(summer_request(d) ? "  Teyn Berakha" : "  Teyn Tal uMatar");
  // Sukkah.
  if (InSukkot(run)) run.Emit("  All meals in the Sukkah (with berakha)");
  // Shemini Atseret in the Sukkah, where it is the doubtful eighth day.
  if (run.diaspora && isDay(d, "SHEMINI_ATSERES_I")) run.Emit("  All meals in the Sukkah (without berakha)");
  // Tefilin on Khol HaMoed.
  if (khol_haMoed(d) && !shabbat(d)) run.Emit("  No tefilin today (customs vary)");
}

void Shakharit(const Run& run) {
  const AbsoluteDay d = run.d;
  run.Emit("Shakharit");
  // Tallit and tefilin on the fast of Av; Khanukka candles in the synagogue.
  if (isDay(d, "TISHA_BEAV")) {
    run.Emit("  No tallit or tefillin until Minkha");
  } else if (khanukah(d)) {
    run.Emit("  Light candles before Shakharit in synagogue ");
    run.Emit("    without blessings");
  }
  // Psalms of the festive days; the thanksgiving psalm.
  if (rest_day(d)) {
    run.Emit("  LaMinatseyekh Mizmor leDavid");
  } else if (d == run.H("SUKKOT_VII")) {
    run.Emit("  LaMinatseyekh Mizmor leDavid");
    run.Emit("  Mizmor leToda");
  } else if (isDay(run.t, "YOM_KIPPUR") || isDay(run.t, "PESAKH_I") || khol_haMoed_Pesakh(d)) {
    run.Emit("  no Mizmor leToda");
  }
  // Psalm 104.
  if (rosh_khodesh(d) || khanukah(d)) run.Emit("  Barekhi nafshi (Psalm 104)");
  // Psalm 130 in the Ten Days of Repentance.
  if (isDay(d, "TZOM_GEDALIA")) {
    run.Emit("  Shir haMaalot miMaamakim");
    run.Emit("    (Psalm 130) after Yishtabakh");
  }
  // Ten Days of Repentance.
  if (TenDaysOfRepentance(d)) run.Emit("  Zokhreynu leKhayim");
  // The last morning of the season's words.
  if (d == run.H("SHMINI_ATSERES_I")) {
    run.Emit(run.Sephardic() ? "  Morid haTal (last time)" : "  no Morid haTal (last time)");
  } else if (d == run.H("PESAKH_I")) {
    run.Emit("  Mashiv haRuakh (last time)");
  }
  if (yaale_day(d)) run.Emit("  Yaale veYavo");
  if (isDay(d, "PURIM") || khanukah(d)) run.Emit("  Al haNisim");
  // Fasts.
  if (fast_day(d)) {
    if (shabbat(d)) {
      run.Emit("  no Avinu Malkeynu");  // only Yom Kippur falls on Shabbat
    } else {
      if (!isDay(d, "YOM_KIPPUR")) run.Emit("  Aneynu (in repetition)");
      if (tisha_beAv(d)) {
        run.Emit("  no Birkat Kohanim");
        run.Emit("  no Avinu Malkeynu");
      } else {
        run.Emit("  Avinu Malkeynu");
      }
    }
  }
  // Takhanun.
  if (!rest_day(d)) {
    if (takhanun_free(d)) {
      run.Emit("  no Takhanun");
    } else {
      run.Emit(MondayOrThursday(d) ? "  long Takhanun" : "  Takhanun");
    }
  }
  // Scrolls read in the morning.
  if (isDay(d, "PURIM")) {
    run.Emit("Megilat Ester");
  } else if (shabbat(d) && run.H("PESAKH_II") <= d && d <= run.H("PESAKH_VII")) {
    run.Emit("  Megilat Shir haShirim");
  } else if (isDay(d, "SHAVUOT_I")) {
    run.Emit("  Megilat Ruth");
  } else if (shabbat(d) && run.H("SUKKOT_II") <= d && d <= run.H("SUKKOT_VII")) {
    run.Emit("  Megilat Kohelet");
  }
  if (khol_haMoed(d) && !shabbat(d)) run.Emit("  Remove tefilin (if wearing)");
  // The four species.
  if (InSukkot(run) && !shabbat(d)) run.Emit("  Lulav and etrog");
  // Hallel: whole on festivals, all of Sukkot and all of Khanukka; shortened
  // on Rosh Khodesh and on the later days of Pesakh.
  if (yom_tov(d) || khanukah(d) || KholHaMoedSukkot(d)) {
    run.Emit(d == run.H("PESAKH_VII") || d == run.H("PESAKH_VIII") ? "  short Hallel" : "  full Hallel");
  } else if (rosh_khodesh(d) || khol_haMoed(d)) {
    run.Emit("  short Hallel");
  }
  // Hakafot.
  if (SimkhatTora(d, run.diaspora)) run.Emit("Hakafot");
}

void TorahReading(const Run& run) {
  const AbsoluteDay d = run.d;
  if (!HasTorahReading(d)) return;
  run.Emit("Torah reading");
  run.Emit(ScrollLine(CountScrollsAndAliyot(run)));
  const std::string sections = SectionLine(d);
  if (!sections.empty()) run.Emit(sections);
  // Aramaic poems of Shavuot.
  if (isDay(d, "SHAVUOT_I")) run.Emit(run.Ashkenazi() ? "  Akdamut" : "  Ketuva");
  if (isDay(d, "SHAVUOT_II") && run.Ashkenazi() && run.diaspora) run.Emit("  Yetsiv Pitgam");
  if (rest_day(d) || tisha_beAv(d)) run.Emit("  Haftarah");
  // Lamentations, on the day the fast of Av is kept.
  if (isDay(d, "TISHA_BEAV")) {
    run.Emit("  Kinot");
    run.Emit("  Megilat Eykha (some congregations)");
  }
  // Birkat haKhodesh, with the molad of the coming month.
  if (ShabbatMevarkhim(d)) {
    run.Emit("  Birkat haKhodesh");
    run.Emit(MoladRetrieveNextSimple(2, d));
  }
  // Av haRakhamim: said in the weeks of the Omer, else left out on the days
  // without Takhanun and on the Shabbat that blesses the month.
  if (shabbat(d)) {
    if (run.H("PESAKH_VII") < d && d < run.H("SHAVUOT_I")) {
      run.Emit("  Av haRakhamim");
    } else if (festive_no_takhanun(d) || LastWeekOfMonth(d)) {
      run.Emit("  no Av haRakhamim");
    } else {
      run.Emit("  Av haRakhamim");
    }
  }
  if (YizkorDay(d, run.diaspora)) run.Emit("  Yizkor");
  if (rosh_haShana(d)) run.Emit(shabbat(d) ? "  no Shofar" : "  Shofar");
}

void AfterTorahReading(const Run& run) {
  const AbsoluteDay d = run.d;
  // Psalm 20 and the end of Shakharit on weekday special days.
  if (rest_day(d)) return;
  if (tisha_beAv(d) || d == run.H("SUKKOT_VII") || khanukah(d) || rosh_khodesh(d)) {
    run.Emit("  no LaMenatseyakh");
    if (rosh_khodesh(d)) {
      run.Emit("  remove tefilin before Musaf");
    } else if (tisha_beAv(d)) {
      run.Emit("  no veAni Zot Briti");
      run.Emit("  Full Kaddish without Titkabel");
    }
  }
}

void Musaf(const Run& run) {
  const AbsoluteDay d = run.d;
  if (!HasMusaf(d)) return;
  run.Emit("Musaf");
  if (d == run.H("SUKKOT_VII")) run.Emit("  Cantor wears kittel");
  if (TenDaysOfRepentance(d)) run.Emit("  Zokhreynu leKhayim");
  // The prayers for rain and for dew.
  if (d == run.H("SHEMINI_ATSERES_I")) {
    run.Emit("  Tefilat Geshem");
  } else if (d == run.H("PESAKH_I")) {
    run.Emit("  Tefilat Tal");
  }
  // Hoshanot.
  if (InSukkot(run)) {
    if (shabbat(d)) {
      run.Emit("  Hoshanot: no procession");
      run.Emit("     Ark opened but no Torah removed");
    } else if (d == run.H("SUKKOT_VII")) {
      run.Emit("  Hoshanot: all sefer torahs");
      run.Emit("    Seven hakafot");
      run.Emit("  Beat the willow branches.");
    } else {
      run.Emit("  Hoshanot: one sefer torah");
    }
  }
  if (khanukah(d)) run.Emit("  Al haNisim");
}

void MorningClosingNotes(const Run& run) {
  const AbsoluteDay d = run.d;
  // The shofar of Elul, silent on the eve of Rosh HaShana.
  if (!shabbat(d) && InElul(d)) run.Emit(rosh_haShana(run.t) ? "  no Shofar" : "  Shofar");
  // Psalm 27 from Elul through Hoshana Rabba; Psalm 30 on Khanukka.
  if (Psalm27Season(d)) {
    run.Emit(d == run.H("SUKKOT_VII") ? "  LeDavid haShem Uri (Psalm 27, last time)"
                                      : "  LeDavid haShem Uri (Psalm 27)");
  } else if (khanukah(d)) {
    run.Emit("  Mizmor Shir Khannukat (Psalm 30)");
  }
  // Tashlikh, put off to the second day when the first is a Shabbat.
  if (d == run.H("ROSH_HASHANA_I")) run.Emit(shabbat(d) ? "no Tashlikh (wait until tomorrow)" : "Tashlikh");
  if (d - 1 == run.H("ROSH_HASHANA_I") && shabbat(d - 1)) run.Emit("Tashlikh");
}

}  // namespace halakha::detail

void HalachaOutput(std::string* text, std::string_view line) {
  text->append(line);
  text->push_back('\n');
}

std::string HalachaDo(AbsoluteDay d, int diaspora, int style) {
  using namespace halakha::detail;
  halakha::halachaSetDiaspora(diaspora);
  std::string text;
  const Run run{d, d + 1, diaspora, style, &text};
  DayNotes(run);
  Shakharit(run);
  TorahReading(run);
  AfterTorahReading(run);
  Musaf(run);
  MorningClosingNotes(run);
  Minkha(run);
  Neila(run);
  Maariv(run);
  Havdalah(run);
  EveningPsalmAndSelikhot(run);
  return text;
}
