#include "halakha/takhanun.h"

#include "halakha/predicates.h"

namespace halakha {

namespace {

bool InRange(AbsoluteDay first, AbsoluteDay x, AbsoluteDay last) { return first <= x && x <= last; }

}  // namespace

int festive_no_takhanun(AbsoluteDay x, const CalendarRules& r) {
  using F = Festival;
  const bool free = khol_haMoed(x, r) ||
                    rosh_haShana(x + 1) ||  // the eve of Rosh HaShana
                    month(x) == kNisan ||
                    day_in_omer(x) == 33 ||  // Lag BeOmer
                    InRange(hebrDate(kSivan, 1, x), x, h_holiday(x, F::kShavuotI)) ||
                    tisha_beAv(x) || Av_15(x) ||
                    InRange(h_holiday(x, F::kYomKippur) - 1, x, h_holiday(x, F::kSheminiAtseret) - 1) ||
                    isru_khag(x, r) ||  // the day after Sukkot and after Shavuot
                    khanukah(x) || tu_beshvat(x) || purim(x) || shushan_purim(x, r) || adar_14(x) || adar_15(x);
  return free ? 1 : 0;
}

int takhanun_free(AbsoluteDay x, const CalendarRules& r) {
  return rosh_khodesh(x) || festive_no_takhanun(x, r) || luach_day(x, r, true) ? 1 : 0;
}

}  // namespace halakha
