#include "suntimes/times_options.h"

EveningTimes EveningTimesFor(const CalendarRules& rules, const TimesOptions& options) {
  return EveningTimes(rules, options.cityFile, options.city, options.DstRule(), options.automaticZone,
                      options.CandleExpression(), options.HavdalahExpression(), options.sun, options.clock);
}

DayTimes DayTimesFor(const CalendarRules& rules, const TimesOptions& options, int style) {
  return DayTimes(EveningTimesFor(rules, options), options.special.WithDefaults(options.opinions), style);
}
