// The zmanim expression language: a short text such as
// "sunrise + proportional_hour(3) - 36" evaluated for one date and place.
// A scanner and a recursive-descent parser compile the text once into a
// ZmanimProgram; one evaluator computes it for any day against a sun model
// (sun_model.h) that it asks for sunrise, sunset and depression times.
//
//   expression = term { ("+" | "-") term }
//   term       = factor { ("*" | "/") factor }
//   factor     = integer | "(" expression ")" | SUNRISE | SUNSET
//              | PROPORTIONAL_HOUR "(" number ")" | DEGREES_BELOW_HORIZON "(" number ")"
//              | PROPORTIONAL_TIME "(" number "," expression "," expression ")"
//              | FRIDAY "(" expression ")" | SATURDAY "(" expression ")"
//   number     = integer | real
//
// Names are matched without regard to letter case. There is no unary minus,
// and a real number stands only as the argument of the two functions.
// Evaluation goes from left to right; a value that does not exist ends it:
//  - a factor, term or whole expression whose value is exactly -1 (the old
//    failure mark, as "(0 - 1)"); an intermediate -1 inside one chain does
//    not (in "2 - 3 + 5" only the final value counts);
//  - FRIDAY(e) and SATURDAY(e) on another weekday;
//  - SUNRISE, SUNSET and the functions on a day without sunrise or sunset,
//    a depression the sun does not reach that day, a division by zero and a
//    value outside the int range of minutes.
//
// In the classic sun model values are whole minutes in a 32-bit int, "/"
// truncates towards zero and PROPORTIONAL_HOUR(x) is x twelfths of the day
// truncated towards zero; PROPORTIONAL_TIME(x, start, end) is the moment x
// twelfths of the way from start to end, for a day that begins and ends at
// other moments than sunrise and sunset (its twelfths truncated the same
// way); DEGREES_BELOW_HORIZON(x) is the interval from sunset until the sun
// is x degrees below the horizon in the evening.
//
// In the precise sun model the same texts are evaluated in real minutes
// carried to the fraction of a second:
//  - SUNRISE and SUNSET are the NOAA times at the apparent horizon (90 deg
//    50 min from the zenith, lowered by the dip of the place's elevation when
//    that is asked for);
//  - PROPORTIONAL_HOUR(x) is x twelfths of sunset - sunrise, not truncated,
//    and PROPORTIONAL_TIME(x, start, end) likewise;
//  - DEGREES_BELOW_HORIZON(x) is the interval from SUNSET until the sun's
//    centre is x degrees below the geometric horizon (zenith 90 + x) in the
//    evening, so "sunset + degrees_below_horizon(x)" is that moment. Written
//    directly after "sunrise -" (as "sunrise - degrees_below_horizon(16.1)")
//    it is the interval from the same depression in the morning until
//    SUNRISE, so the expression gives the morning's moment. Each of the two
//    (at the start of its sum or after a "+") is the moment the sun's centre
//    passes that depression, also on a day without sunrise or sunset (a
//    polar night keeps its dawn and nightfall). Depressions are always at
//    sea level;
//  - numbers are exact, "+", "-" and "*" are real arithmetic and "/" divides
//    without truncating (7 / 2 is 3.5 minutes);
//  - the result is rounded to the nearest minute (half a minute up) only when
//    it is shown or turned into a UTC instant (CityClock::ShowMinutes).
//
// Syntax errors are printed on the message stream (base/diagnostics.h) as
// "Parsing error <message>" and the whole expression. An expression has at
// most one syntax error, after which nothing more is read; when it lies
// inside "(", FRIDAY( or SATURDAY( each enclosing level still checks for its
// ")", so the error can be followed by ") expected" messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "suntimes/sun_model.h"
#include "suntimes/sun_options.h"

// The failure mark of the whole-minute entry points: no time that day.
constexpr int kNoTime = -1;

// Deepest nesting of "(", FRIDAY( and SATURDAY( accepted.
constexpr int kCalcMaxNesting = 64;

namespace suntimes::detail {
struct ProgramNode;
}

class ZmanimProgram {
 public:
  // Reads `expression` and prints its syntax error's messages, once, here;
  // an expression with one has no time on any day.
  static ZmanimProgram Compile(std::string_view expression);
  // Reads `expression` without printing anything.
  static ZmanimProgram Parse(std::string_view expression);
  ZmanimProgram();
  ~ZmanimProgram();
  ZmanimProgram(ZmanimProgram&&) noexcept;
  ZmanimProgram& operator=(ZmanimProgram&&) noexcept;

  bool valid() const { return errors_.empty(); }
  const std::string& text() const { return text_; }

  // Minutes after local standard-time midnight on the date at the place
  // (packed degrees, zone in whole hours east) by the classic sun, or kNoTime.
  int Evaluate(int latitude, int longitude, int zone, int day, int month, int year) const;
  // Minutes after local standard-time midnight in the frame of place.zone,
  // by the sun model `sun` chooses; nullopt for no time.
  // `why`, when given, tells why there is none.
  std::optional<double> EvaluateMinutes(const ZmanimPlace& place, int day, int month, int year, const SunOptions& sun,
                                        MissingTime* why = nullptr) const;
  // The value on the date against `sun`, nullopt for no time (also for a
  // month outside 1..12 or a day outside 1..31). With `reportWhenReached`
  // the syntax error is printed when the evaluation reaches it, as an
  // evaluation of the text on its own does: not when an earlier part of the
  // expression already has no time that day.
  std::optional<double> EvaluateWith(const SunModel& sun, int day, int month, int year, bool reportWhenReached = false,
                                     MissingTime* why = nullptr) const;

  // Prints the messages of the syntax error, if there is one.
  void ReportErrors() const;

 private:

  std::string text_;
  std::vector<suntimes::detail::ProgramNode> nodes_;
  int root_ = -1;
  std::vector<std::string> errors_;  // the messages of the syntax error, in order
  friend class ZmanimParser;
};

// Minutes after local standard-time midnight of `expression` on the date at
// the place, or kNoTime. Syntax errors are printed as the evaluation reaches
// them. Follows the calculation of `sun`: in the precise calculation the
// value is rounded to the nearest minute, at sea level (a precise value that
// rounds to -1 reads as kNoTime).
int CalculateZmanim(int latitude, int longitude, int zone, int day, int month, int year, std::string_view expression,
                    const SunOptions& sun);

// Minutes after local standard-time midnight (in the frame of place.zone) of
// `expression` on the date, by the calculation of `sun`: whole minutes in
// the classic calculation (the value of CalculateZmanim), real ones in the
// precise calculation; nullopt when there is no time, with the reason in
// `why` when it is given. Syntax errors as for CalculateZmanim.
std::optional<double> CalculateZmanimMinutes(const ZmanimPlace& place, int day, int month, int year,
                                             std::string_view expression, const SunOptions& sun,
                                             MissingTime* why = nullptr);
