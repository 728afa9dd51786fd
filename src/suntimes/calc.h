// The zmanim expression language: a short text such as
// "sunrise + proportional_hour(3) - 36" evaluated for one date and place.
// A scanner and a recursive-descent parser that evaluates while it parses.
//
//   expression = term { ("+" | "-") term }
//   term       = factor { ("*" | "/") factor }
//   factor     = integer | "(" expression ")" | SUNRISE | SUNSET
//              | PROPORTIONAL_HOUR "(" number ")" | DEGREES_BELOW_HORIZON "(" number ")"
//              | FRIDAY "(" expression ")" | SATURDAY "(" expression ")"
//   number     = integer | real
//
// In the classic sun calculation values are whole minutes in a 32-bit int;
// -1 marks a time that does not exist and ends the evaluation wherever a
// factor or term yields it. Names are matched without regard to letter case.
//
// In the precise calculation (sun_options.h) the same texts are evaluated in
// real minutes carried to the fraction of a second:
//  - SUNRISE and SUNSET are the NOAA times at the apparent horizon (90 deg
//    50 min from the zenith, lowered by the dip of the place's elevation when
//    that is asked for);
//  - PROPORTIONAL_HOUR(x) is x twelfths of sunset - sunrise, not truncated;
//  - DEGREES_BELOW_HORIZON(x) is the interval from SUNSET until the sun's
//    centre is x degrees below the geometric horizon (zenith 90 + x) in the
//    evening, so "sunset + degrees_below_horizon(x)" is that moment. Written
//    directly after "sunrise -" (as "sunrise - degrees_below_horizon(16.1)")
//    it is the interval from the same depression in the morning until
//    SUNRISE, so the expression gives the morning's moment. Depressions are
//    always at sea level;
//  - numbers are exact, "+", "-" and "*" are real arithmetic and "/" divides
//    without truncating (7 / 2 is 3.5 minutes);
//  - the failure rules stay: a value of exactly -1 (as "(0 - 1)") ends the
//    evaluation wherever a factor or term yields it, a division by zero or a
//    value outside the int range of minutes gives no time, and so do SUNRISE,
//    SUNSET and the functions on a day without sunrise or sunset;
//  - the result is rounded to the nearest minute (half a minute up) only when
//    it is shown or turned into a UTC instant (CityClock::ShowMinutes).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "suntimes/sun_options.h"

// The failure mark: the time does not exist on that day.
constexpr int kNoTime = -1;

// Token codes of the scanner.
enum CalcToken : int {
  kTokenInvalid = 0,
  kTokenEnd = 1,
  kTokenPlus = 2,
  kTokenMinus = 3,
  kTokenTimes = 4,
  kTokenDivide = 5,
  kTokenOpen = 6,
  kTokenClose = 7,
  kTokenIdentifier = 8,
  kTokenInteger = 9,
  kTokenReal = 10,
};

// Longest identifier and longest number text the scanner accepts.
constexpr size_t kCalcMaxIdentifier = 255;
constexpr size_t kCalcMaxNumberText = 250;
// Deepest nesting of "(" , FRIDAY( and SATURDAY( accepted.
constexpr int kCalcMaxNesting = 64;

// One evaluation: the date, its sun times and the place, and the scanner.
struct CalcState {
  int day = 0, month = 0, year = 0;
  int sunrise = 0;  // minutes after midnight
  int sunset = 0;
  bool sunTimesExist = true;        // false on a polar day or night
  int latitude = 0, longitude = 0;  // packed degrees * 100 + minutes
  int zone = 0;                     // whole hours east of Greenwich
  std::string_view expression;
  size_t position = 0;
  bool atEnd = false;
  int token = kTokenInvalid;
  std::string identifier;  // upper-cased
  int integerValue = 0;
  double realValue = 0;
  // Why the scanner produced an invalid token, when it was a number or name
  // it could not hold (empty for a stray character).
  std::string_view tokenError;
  int depth = 0;
  // Set when a value did not exist for a reason other than a syntax error.
  bool quietFailure = false;
  bool tooDeep = false;  // the nesting limit was hit
};

// Minutes after local standard-time midnight of `expression` on the date at
// the place, or kNoTime. Syntax errors are printed on the message stream
// (base/diagnostics.h). Follows the calculation of `sun`: in the precise
// calculation the value is rounded to the nearest minute, at sea level (a
// precise value that rounds to -1 reads as kNoTime).
int CalculateZmanim(int latitude, int longitude, int zone, int day, int month, int year, std::string_view expression,
                    const SunOptions& sun);

// A place of an evaluation.
struct ZmanimPlace {
  int latitude = 0, longitude = 0;  // packed degrees * 100 + minutes
  int zone = 0;                     // whole hours east of Greenwich: the frame of the minutes
  double elevationMetres = 0;       // for sunrise and sunset when SunOptions::elevation is set
};

// Minutes after local standard-time midnight (in the frame of place.zone) of
// `expression` on the date, by the calculation of `sun`: whole minutes in
// the classic calculation (the value of CalculateZmanim), real ones in the
// precise calculation; nullopt when there is no time. Syntax errors as for
// CalculateZmanim.
std::optional<double> CalculateZmanimMinutes(const ZmanimPlace& place, int day, int month, int year,
                                             std::string_view expression, const SunOptions& sun);

// Evaluates in a state whose date, sun times and place are filled in.
int CalcEvaluate(CalcState& s, std::string_view expression);

// Scanner.
void CalcInitScanner(CalcState& s, std::string_view expression);
// The next character, or 0 at the end (also at an embedded NUL).
int CalcGetChar(CalcState& s);
void CalcUngetChar(CalcState& s);
// Reads the next token into s.token (and identifier, integerValue or
// realValue) and returns it.
int CalcGetToken(CalcState& s);

// Parser. On entry the current token is the construct's first; on return the
// first after it. Each returns the value or kNoTime.
int CalcParseExpr(CalcState& s);
int CalcParseTerm(CalcState& s);
int CalcParseFactor(CalcState& s);
// Prints "Parsing error <message>" and the whole expression on the message stream.
void CalcParseError(const CalcState& s, std::string_view message);

// 0 when the two texts are equal ignoring ASCII letter case, else 1.
int lstrcmpi(std::string_view a, std::string_view b);

namespace suntimes::detail {
// The date, the day's sunrise and sunset and the place of an evaluation;
// false (state untouched) for a month outside 1..12 or a day outside 1..31.
bool CalcFillSunTimes(CalcState& s, int latitude, int longitude, int zone, int day, int month, int year);
// x proportional hours (a twelfth of the time from sunrise to sunset each),
// truncated towards zero to whole minutes, or kNoTime.
int CalcProportionalHours(CalcState& s, double x);
// Minutes from sunset until the sun is x degrees below the horizon, or kNoTime.
int CalcMinutesUntilDepression(CalcState& s, double x);
// Applies one operator; false when the result does not exist (division by
// zero, or a result outside the int range).
bool CalcApply(int op, int left, int right, int* result);
}  // namespace suntimes::detail
