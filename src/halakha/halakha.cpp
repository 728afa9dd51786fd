// The halakha report: the run, and the rules of the morning. Each rule is one
// short test over the predicates; the rules run in the order written, and
// the evening's rules (halakha_evening.cpp) follow in the same pass.
#include "halakha/halakha.h"

#include "calendar/daf_yomi.h"
#include "calendar/holidays.h"
#include "calendar/minor_days.h"
#include "calendar/molad.h"
#include "calendar/names.h"
#include "calendar/torah_sections.h"
#include "halakha/halakha_run.h"
#include "halakha/minor_days.h"
#include "halakha/predicates.h"
#include "halakha/seasons.h"
#include "halakha/takhanun.h"

namespace halakha::detail {

void Run::Emit(std::string_view line) const { HalakhaOutput(text, line); }

AbsoluteDay Run::H(Festival f) const { return h_holiday(d, f); }

bool InSukkot(const Run& run) { return run.H(F::kSukkotI) <= run.d && run.d <= run.H(F::kHoshanaRabba); }

bool SimkhatTora(AbsoluteDay x, const CalendarRules& r) {
  return r.diaspora ? isDay(x, F::kSimkhatTora) : isDay(x, F::kSheminiAtseret);
}

// Rosh HaShana begins the Hebrew year of x, so only the end needs a test.
bool TenDaysOfRepentance(AbsoluteDay x) { return x <= h_holiday(x, F::kYomKippur); }

bool RepentanceBeforeTheEve(AbsoluteDay x) { return x < h_holiday(x, F::kErevYomKippur); }

bool InElul(AbsoluteDay x) { return month(x) == kElul; }

void TenDaysAmida(const Run& run, bool weekdayAmida) {
  run.Emit("  Zokhreynu leKhayim");
  run.Emit("  HaMelekh haKadosh");
  if (weekdayAmida) run.Emit("  HaMelekh haMishpat");
}

// Tishri opens the Hebrew year of x: up to Hoshana Rabba is the start of the year.
bool Psalm27Season(AbsoluteDay x) { return InElul(x) || x <= h_holiday(x, F::kHoshanaRabba); }

namespace {

bool MondayOrThursday(AbsoluteDay x) { return WeekdayOf(x) == kMonday || WeekdayOf(x) == kThursday; }

bool KholHaMoedSukkot(AbsoluteDay x, const CalendarRules& r) { return khol_haMoed(x, r) && !khol_haMoed_Pesakh(x, r); }

bool SpecialShabbat(AbsoluteDay x, const CalendarRules& r) {
  return shabbat_zakhor(x, r) || shabbat_parah(x, r) || shabbat_haKhodesh(x, r) || shabbat_shekalim(x, r);
}

// Scrolls taken out and people called up.
struct TorahCount {
  int scrolls;
  int aliyot;
};

TorahCount CountScrollsAndAliyot(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  TorahCount c{1, 3};
  if (shabbat(d)) {
    c.aliyot = 7;
    if (SpecialShabbat(d, r)) ++c.scrolls;
    if (rosh_khodesh(d)) ++c.scrolls;
    if (khanukah(d)) ++c.scrolls;
    if (rosh_haShana(d) || isDay(d, F::kYomKippur) || yom_tov(d, r) || khol_haMoed(d, r)) ++c.scrolls;
  } else if (rosh_khodesh(d)) {
    c = {khanukah(d) ? 2 : 1, 4};
  } else if (khanukah(d)) {
    c = {1, 3};
  } else if (yom_tov(d, r)) {
    c = {2, 5};
  } else if (khol_haMoed(d, r)) {
    c = {InSukkot(run) ? 1 : 2, 4};  // one scroll on Sukkot, two on Pesakh
  } else if (rosh_haShana(d)) {
    c = {2, 5};
  } else if (isDay(d, F::kYomKippur)) {
    c = {2, 6};
  }
  // Simkhat Tora finishes the Torah, begins it again and reads the maftir.
  if (SimkhatTora(d, r)) c.scrolls = 3;
  return c;
}

std::string ScrollLine(const TorahCount& c) {
  // Each piece is a whole phrase, so the translation can replace it.
  return "  " + std::to_string(c.scrolls) + (c.scrolls == 1 ? " sefer torah; " : " sifrey torah; ") +
         std::to_string(c.aliyot) + " aliyot";
}

// The week's sections and special-Shabbat names, then the day's holiday text.
std::string SectionLine(AbsoluteDay d, const CalendarRules& r) {
  std::string line;
  auto append = [&line](const std::string& piece) {
    if (piece.empty()) return;
    line += line.empty() ? "      " : ", ";
    line += piece;
  };
  ShabbatSections s;
  if (GetTorahSectionShabbat(d, r, &s)) {
    for (int code : {s.c1, s.c2, s.c3}) {
      append(GetJewishTorahSectionName(code));
      append(GetJewishShabbatSectionName(code));
    }
  }
  append(GetSpecialDay(d, r));
  return line;
}

bool HasTorahReading(AbsoluteDay d, const CalendarRules& r) {
  return shabbat(d) || yom_tov(d, r) || high_holiday(d) || rosh_khodesh(d) || khol_haMoed(d, r) ||
         isDay(d, F::kPurim) || isDay(d, F::kTishaBeAv) || MondayOrThursday(d) || fast_day(d) || khanukah(d) ||
         luach_day(d, r, false);
}

bool HasMusaf(AbsoluteDay d, const CalendarRules& r) {
  return shabbat(d) || yom_tov(d, r) || high_holiday(d) || rosh_khodesh(d) || khol_haMoed(d, r);
}

}  // namespace

void DayNotes(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  // The holiday of the day.
  const std::string special = GetSpecialDay(d, r);
  if (!special.empty()) run.Emit("  " + special);
  // The minor days of the luach that have a line of their own.
  for (MinorDay day : halakha::MinorDatesOn(d, r)) {
    const std::string_view line = MinorDayOf(day).report;
    if (!line.empty()) run.Emit("  " + std::string(line));
  }
  if (run.place.tekufa) run.Emit("  " + std::string(TekufaName(*run.place.tekufa)));
  // Season: the wind and rain from Shemini Atseret to Pesakh, dew otherwise;
  // Shemini Atseret changes over at Musaf.
  if (d == run.H(F::kSheminiAtseret)) {
    run.Emit("  Mashiv haRuakh from Musaf");
  } else if (run.H(F::kSheminiAtseret) < d && d < run.H(F::kPesakhI)) {
    run.Emit("  Mashiv haRuakh");
  } else {
    run.Emit(run.SaysDew() ? "  Morid haTal" : "  no Mashiv haRuakh");
  }
  // The request for rain in the weekday Amida.
  if (!rest_day(d, r)) run.Emit(summer_request(d, r) ? "  Teyn Berakha" : "  Teyn Tal uMatar");
  // Sukkah.
  if (InSukkot(run)) run.Emit("  All meals in the Sukkah (with berakha)");
  // Shemini Atseret in the Sukkah, where it is the doubtful eighth day.
  if (r.diaspora && isDay(d, F::kSheminiAtseret)) run.Emit("  All meals in the Sukkah (without berakha)");
  // Tefilin on Khol HaMoed.
  if (khol_haMoed(d, r) && !shabbat(d)) run.Emit("  No tefilin today (customs vary)");
}

void Shakharit(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  run.Emit("Shakharit");
  // Tallit and tefilin on the fast of Av; Khanukka candles in the synagogue,
  // not on Shabbat, when no fire is lit.
  if (isDay(d, F::kTishaBeAv)) {
    run.Emit("  No tallit or tefillin until Minkha");
  } else if (khanukah(d) && !shabbat(d)) {
    run.Emit("  Light candles before Shakharit in synagogue ");
    run.Emit("    without blessings");
  }
  // Psalms of the festive days; the thanksgiving psalm.
  if (rest_day(d, r)) {
    run.Emit("  LaMinatseyekh Mizmor leDavid");
  } else if (d == run.H(F::kHoshanaRabba)) {
    run.Emit("  LaMinatseyekh Mizmor leDavid");
    run.Emit("  Mizmor leToda");
  } else if (isDay(run.t, F::kYomKippur) || isDay(run.t, F::kPesakhI) || khol_haMoed_Pesakh(d, r)) {
    run.Emit("  no Mizmor leToda");
  }
  // Psalm 104, the psalm of Rosh Khodesh.
  if (rosh_khodesh(d)) run.Emit("  Barekhi nafshi (Psalm 104)");
  // Psalm 130 in the Ten Days of Repentance: every one of them, Shabbat and
  // the holy days included, except in the Sephardic rite (the fast alone).
  if (run.Sephardic() ? isDay(d, F::kTsomGedalya) != 0 : TenDaysOfRepentance(d)) {
    run.Emit("  Shir haMaalot miMaamakim");
    run.Emit("    (Psalm 130) after Yishtabakh");
  }
  // Ten Days of Repentance.
  if (TenDaysOfRepentance(d)) TenDaysAmida(run, !rest_day(d, r));
  // The last morning of the season's words.
  if (d == run.H(F::kSheminiAtseret)) {
    run.Emit(run.SaysDew() ? "  Morid haTal (last time)" : "  no Morid haTal (last time)");
  } else if (d == run.H(F::kPesakhI)) {
    run.Emit("  Mashiv haRuakh (last time)");
  }
  if (yaale_day(d, r)) run.Emit("  Yaale veYavo");
  if (isDay(d, F::kPurim) || khanukah(d)) run.Emit("  Al haNisim");
  // Fasts.
  if (fast_day(d)) {
    if (shabbat(d)) {
      run.Emit("  no Avinu Malkeynu");  // only Yom Kippur falls on Shabbat
    } else {
      if (!isDay(d, F::kYomKippur)) run.Emit("  Aneynu (in repetition)");
      if (tisha_beAv(d)) {
        run.Emit("  no Birkat Kohanim");
        run.Emit("  no Avinu Malkeynu");
      } else {
        run.Emit("  Avinu Malkeynu");
      }
    }
  } else if (RepentanceBeforeTheEve(d)) {
    // Avinu Malkeynu in the days of Repentance, not on Shabbat; a Shabbat of
    // Rosh HaShana says that it is left out.
    if (!shabbat(d)) {
      run.Emit("  Avinu Malkeynu");
    } else if (rosh_haShana(d)) {
      run.Emit("  no Avinu Malkeynu");
    }
  }
  // The Selikhot of those who fast BeHaB.
  if (run.Ashkenazi() && halakha::IsBehab(d, r)) run.Emit("  Selikhot of BeHaB");
  // Takhanun.
  if (!rest_day(d, r)) {
    if (takhanun_free(d, r)) {
      run.Emit("  no Takhanun");
    } else {
      run.Emit(MondayOrThursday(d) ? "  long Takhanun" : "  Takhanun");
    }
  }
  if (khol_haMoed(d, r) && !shabbat(d)) run.Emit("  Remove tefilin (if wearing)");
  // The four species.
  if (InSukkot(run) && !shabbat(d)) run.Emit("  Lulav and etrog");
  // Hallel: whole on festivals, all of Sukkot and all of Khanukka; shortened
  // on Rosh Khodesh and on the later days of Pesakh, where the Sephardic rite
  // says no berakha over it.
  const char* shortHallel = run.Sephardic() ? "  short Hallel (without berakha)" : "  short Hallel";
  if (yom_tov(d, r) || khanukah(d) || KholHaMoedSukkot(d, r) || luach_day(d, r, true)) {
    run.Emit(d == run.H(F::kPesakhVII) || d == run.H(F::kPesakhVIII) ? shortHallel : "  full Hallel");
  } else if (rosh_khodesh(d) || khol_haMoed(d, r)) {
    run.Emit(shortHallel);
  }
  // The festival scrolls, after Hallel and before the Torah: Shir haShirim
  // and Kohelet on the Shabbat of the festival, a festival day too when it
  // has no Shabbat Khol HaMoed; Ruth on the last day of Shavuot.
  const bool diaspora = r.diaspora;
  if (shabbat(d) && run.H(diaspora ? F::kPesakhII : F::kPesakhI) <= d &&
             d <= run.H(diaspora ? F::kPesakhVIII : F::kPesakhVII)) {
    run.Emit("  Megilat Shir haShirim");
  } else if (isDay(d, diaspora ? F::kShavuotII : F::kShavuotI)) {
    run.Emit("  Megilat Ruth");
  } else if (shabbat(d) && run.H(F::kSukkotII) <= d && d <= run.H(F::kSheminiAtseret)) {
    run.Emit("  Megilat Kohelet");
  }
  // Hakafot.
  if (SimkhatTora(d, r)) run.Emit("Hakafot");
}

void TorahReading(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  if (!HasTorahReading(d, r)) return;
  run.Emit("Torah reading");
  run.Emit(ScrollLine(CountScrollsAndAliyot(run)));
  const std::string sections = SectionLine(d, r);
  if (!sections.empty()) run.Emit(sections);
  // Aramaic poems of Shavuot.
  if (isDay(d, F::kShavuotI)) run.Emit(run.Ashkenazi() ? "  Akdamut" : "  Ketuva");
  if (isDay(d, F::kShavuotII) && run.Ashkenazi() && r.diaspora) run.Emit("  Yetsiv Pitgam");
  if (rest_day(d, r) || tisha_beAv(d) || luach_day(d, r, false)) run.Emit("  Haftarah");
  // The blessing of those who will fast BeHaB in the week after.
  if (run.Ashkenazi() && halakha::IsBehabShabbat(d)) run.Emit("  Mi sheBerakh for those who fast BeHaB");
  // Lamentations, on the day the fast of Av is kept.
  if (isDay(d, F::kTishaBeAv)) {
    run.Emit("  Kinot");
    run.Emit("  Megilat Eykha (some congregations)");
  }
  // Birkat haKhodesh, with the molad of the coming month.
  if (IsShabbatMevarkhim(d)) {
    run.Emit("  Birkat haKhodesh");
    run.Emit(MoladRetrieveNextSimple(2, d));
  }
  // Av haRakhamim, on Shabbat and not in the Sephardic rite: said right after
  // Yizkor; otherwise left out on a Shabbat that would have no Takhanun on a
  // weekday, said in the weeks of the Omer, and left out when the month is
  // blessed.
  const bool avHaRakhamim = shabbat(d) && !run.Sephardic();
  const bool yizkor = IsYizkor(d, r);
  if (avHaRakhamim && !yizkor) {
    if (takhanun_free(d, r)) {
      run.Emit("  no Av haRakhamim");
    } else if (run.H(F::kPesakhVII) < d && d < run.H(F::kShavuotI)) {
      run.Emit("  Av haRakhamim");
    } else if (IsShabbatMevarkhim(d)) {
      run.Emit("  no Av haRakhamim");
    } else {
      run.Emit("  Av haRakhamim");
    }
  }
  // Remembrance of the dead: Yizkor with Av haRakhamim; the Sephardic rite
  // has no festival Yizkor and says hashkavot on Yom Kippur.
  if (yizkor && !run.Sephardic()) {
    run.Emit("  Yizkor");
    run.Emit("  Av haRakhamim");
  } else if (yizkor && isDay(d, F::kYomKippur)) {
    run.Emit("  Hashkavot");
  }
  if (rosh_haShana(d)) run.Emit(shabbat(d) ? "  no Shofar" : "  Shofar");
}

void AfterTorahReading(const Run& run) {
  const AbsoluteDay d = run.d;
  const CalendarRules& r = run.rules;
  // The Megilah of Purim morning, after the Torah reading.
  if (isDay(d, F::kPurim)) run.Emit("Megilat Ester");
  // Psalm 20 and the end of Shakharit on weekday special days: the festive
  // days (Purim Katan too), the eves of Pesakh and Yom Kippur, and Tisha BeAv.
  if (rest_day(d, r)) return;
  const bool festive = d == run.H(F::kHoshanaRabba) || khol_haMoed(d, r) || khanukah(d) || rosh_khodesh(d) ||
                       purim(d) || adar_14(d) || adar_15(d) || shushan_purim(d, r) || isDay(run.t, F::kPesakhI) || isDay(run.t, F::kYomKippur);
  if (tisha_beAv(d) || festive) {
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
  const CalendarRules& r = run.rules;
  if (!HasMusaf(d, r)) return;
  run.Emit("Musaf");
  if (d == run.H(F::kHoshanaRabba) && !run.Sephardic()) run.Emit("  Cantor wears kittel");
  if (TenDaysOfRepentance(d)) TenDaysAmida(run, false);
  // The prayers for rain and for dew; the rain is mentioned from this Musaf.
  if (d == run.H(F::kSheminiAtseret)) {
    run.Emit("  Tefilat Geshem");
    run.Emit("  Mashiv haRuakh");
  } else if (d == run.H(F::kPesakhI)) {
    run.Emit("  Tefilat Tal");
  }
  // The Musaf of a Shabbat that is Rosh Khodesh.
  if (shabbat(d) && rosh_khodesh(d)) run.Emit("  Ata Yatzarta");
  // Hoshanot.
  if (InSukkot(run)) {
    if (shabbat(d)) {
      run.Emit("  Hoshanot: no procession");
      run.Emit("     Ark opened but no Torah removed");
    } else if (d == run.H(F::kHoshanaRabba)) {
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
    run.Emit(d == run.H(F::kHoshanaRabba) ? "  LeDavid haShem Uri (Psalm 27, last time)"
                                      : "  LeDavid haShem Uri (Psalm 27)");
  } else if (khanukah(d)) {
    run.Emit("  Mizmor Shir Khannukat (Psalm 30)");
  }
  // Tashlikh, put off to the second day when the first is a Shabbat.
  if (d == run.H(F::kRoshHaShanaI)) run.Emit(shabbat(d) ? "no Tashlikh (wait until tomorrow)" : "Tashlikh");
  if (d - 1 == run.H(F::kRoshHaShanaI) && shabbat(d - 1)) run.Emit("Tashlikh");
}

}  // namespace halakha::detail

void HalakhaOutput(std::string* text, std::string_view line) {
  text->append(line);
  text->push_back('\n');
}

std::string HalakhaDo(AbsoluteDay d, const CalendarRules& rules, int style, const PlaceMoments& place) {
  using namespace halakha::detail;
  std::string text;
  const Run run{d, d + 1, rules, style, place, &text};
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
