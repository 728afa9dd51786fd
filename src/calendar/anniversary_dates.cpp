#include "calendar/anniversary_dates.h"

#include "calendar/calendar.h"

bool operator==(const AnniversaryRec& a, const AnniversaryRec& b) {
  const auto same = [](const AnniDate& x, const AnniDate& y) {
    return x.day == y.day && x.month == y.month && x.year == y.year;
  };
  return a.name == b.name && a.type == b.type && a.isHebrew == b.isHebrew && same(a.date, b.date) &&
         a.afterSunset == b.afterSunset && a.burial.has_value() == b.burial.has_value() &&
         (!a.burial || same(*a.burial, *b.burial)) && a.adar == b.adar && a.batMitzvah == b.batMitzvah &&
         a.note == b.note;
}

namespace {

// The date `day` `month` `year`, a day past the end of the month becoming
// the first of the next month.
HebrewDate Rolled(int day, int month, int year) {
  return HebrewFromAbsolute(AbsoluteFromHebrew(HebrewDate{day, month, year}));
}

// Yortsayt of a death on the 30th of Heshvan or Kislev (`month`): if that
// month had only 29 days in the year after the death, the yortsayt is the
// month's last day every year; otherwise it is the 30th, or the 1st of the
// next month in years where the month has 29 days.
HebrewDate LongMonthYortsayt(int month, const AnniversaryCalc& calc) {
  if (Last_Day_Of_Hebrew_Month(month, calc.event.year + 1) < 30)
    return HebrewFromAbsolute(AbsoluteFromHebrew(HebrewDate{1, month + 1, calc.year}) - 1);
  return Rolled(30, month, calc.year);
}

}  // namespace

void AnniGetAnniversary(AnniversaryCalc& calc) {
  switch (calc.type) {
    case kAnniAnniversary:
    case kAnniBirthday:
      AnniBirth(calc);
      break;
    case kAnniYortsayt:
      AnniDeath(calc);
      break;
    default:
      break;
  }
}

void AnniBirth(AnniversaryCalc& calc) {
  // Adar of a common year and Adar II fall in the wanted year's last month.
  const int month = calc.event.month == Last_Month_Of_Hebrew_Year(calc.event.year)
                        ? Last_Month_Of_Hebrew_Year(calc.year)
                        : calc.event.month;
  calc.result = Rolled(calc.event.day, month, calc.year);
}

void AnniDeath(AnniversaryCalc& calc) {
  const HebrewDate& e = calc.event;
  if (e.day == 30 && e.month == kHeshvan) {
    calc.result = LongMonthYortsayt(kHeshvan, calc);
  } else if (e.day == 30 && e.month == kKislev) {
    calc.result = LongMonthYortsayt(kKislev, calc);
  } else if (e.month == kAdarII) {
    calc.result = HebrewDate{e.day, Last_Month_Of_Hebrew_Year(calc.year), calc.year};
  } else if (e.day == 30 && e.month == kAdar) {
    // 30 Adar I: Adar I in a leap year, the last day of Shevat otherwise.
    calc.result = HebrewDate{30, Hebrew_Leap_Year(calc.year) ? kAdar : kShevat, calc.year};
  } else {
    // Adar of a common year falls in Adar I of a leap year.
    calc.result = Rolled(e.day, e.month, calc.year);
  }
}

bool AnniDateIsValid(int isHebrew, const AnniDate& d) {
  if (isHebrew) {
    return d.year >= 3762 && d.year <= 9999 && d.month >= 1 && d.month <= Last_Month_Of_Hebrew_Year(d.year) &&
           d.day >= 1 && d.day <= Last_Day_Of_Hebrew_Month(d.month, d.year);
  }
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= LastDayOfGregorianMonth(d.month, d.year);
}

AbsoluteDay AnniEventDay(const AnniversaryRec& rec) {
  const AnniDate& d = rec.date;
  if (rec.isHebrew) return AbsoluteFromHebrew(HebrewDate{d.day, d.month, d.year});
  return AbsoluteFromGregorian(GregorianDate{d.day, d.month, d.year}) + (rec.afterSunset == 1 ? 1 : 0);
}

std::vector<AbsoluteDay> AnniDaysInYear(const HebrewDate& event, char type, AdarChoice adar, int year) {
  const bool adarOfCommonYear = event.month == kAdar && !Hebrew_Leap_Year(event.year);
  if (adarOfCommonYear && Hebrew_Leap_Year(year) && adar != AdarChoice::kUsual) {
    const AbsoluteDay adarI = AbsoluteFromHebrew(HebrewDate{event.day, kAdar, year});
    const AbsoluteDay adarII = AbsoluteFromHebrew(HebrewDate{event.day, kAdarII, year});
    if (adar == AdarChoice::kBoth) return {adarI, adarII};
    return {adar == AdarChoice::kAdarI ? adarI : adarII};
  }
  AnniversaryCalc calc;
  calc.event = event;
  calc.type = type;
  calc.year = year;
  AnniGetAnniversary(calc);
  return {AbsoluteFromHebrew(calc.result)};
}

std::vector<AbsoluteDay> AnniDaysInYear(const AnniversaryRec& rec, int year) {
  return AnniDaysInYear(HebrewFromAbsolute(AnniEventDay(rec)), rec.type, rec.adar, year);
}

AbsoluteDay AnniDayInYear(const AnniversaryRec& rec, int year) { return AnniDaysInYear(rec, year).front(); }

AbsoluteDay AnniMitzvahDay(const HebrewDate& birth, bool bat, AdarChoice adar) {
  const int year = birth.year + (bat ? kBatMitzvahYears : kBarMitzvahYears);
  const AdarChoice month = adar == AdarChoice::kAdarI ? AdarChoice::kAdarI : AdarChoice::kAdarII;
  return AnniDaysInYear(birth, kAnniBirthday, month, year).front();
}
