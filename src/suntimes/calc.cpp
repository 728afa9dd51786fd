#include "suntimes/calc.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "base/diagnostics.h"
#include "calendar/calendar.h"
#include "suntimes/calc_program.h"
#include "suntimes/noaa_sun.h"
#include "suntimes/sunrise.h"

namespace {

constexpr std::string_view kErrFactor =
    "Number or ID (SUNRISE, SUNSET, PROPORTIONAL_HOUR, DEGREES_BELOW_HORIZON, FRIDAY or SATURDAY expected)";
constexpr std::string_view kErrOpen = "( expected";
constexpr std::string_view kErrNumber = "Integer-number or real-number expected";
constexpr std::string_view kErrClose = ") expected";
constexpr std::string_view kErrTrailing = "Unexpected end of text";
constexpr std::string_view kErrTooDeep = "Expression nested too deeply";
constexpr std::string_view kErrNumberTooLarge = "Number too large";
constexpr std::string_view kErrNumberTooLong = "Number too long";
constexpr std::string_view kErrNameTooLong = "Name too long";

// A value that does not exist that day (no syntax error).
int NoTime(CalcState& s) {
  s.quietFailure = true;
  return kNoTime;
}

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Reports `fallback`, or the scanner's reason when the token is a number or
// name it could not hold.
void ReportTokenError(const CalcState& s, std::string_view fallback) {
  CalcParseError(s, (s.token == kTokenInvalid && !s.tokenError.empty()) ? s.tokenError : fallback);
}

// Reads a ")" after an argument or inner expression and moves past it.
bool ExpectClose(CalcState& s) {
  if (s.token != kTokenClose) {
    CalcParseError(s, kErrClose);
    return false;
  }
  CalcGetToken(s);
  return true;
}

// "(" number ")" of PROPORTIONAL_HOUR and DEGREES_BELOW_HORIZON. The current
// token is the function name.
bool ParseNumberArgument(CalcState& s, double* value) {
  if (CalcGetToken(s) != kTokenOpen) {
    ReportTokenError(s, kErrOpen);
    return false;
  }
  CalcGetToken(s);
  if (s.token == kTokenInteger) {
    *value = s.integerValue;
  } else if (s.token == kTokenReal) {
    *value = s.realValue;
  } else {
    ReportTokenError(s, kErrNumber);
    return false;
  }
  CalcGetToken(s);
  return ExpectClose(s);
}

// "(" expression ")" of FRIDAY and SATURDAY and of plain parentheses; the
// current token is the "(". The ")" is checked even when the inner
// expression failed, so one error can be followed by ") expected".
int ParseParenthesised(CalcState& s) {
  if (s.depth >= kCalcMaxNesting) {
    CalcParseError(s, kErrTooDeep);
    s.tooDeep = true;
    return kNoTime;
  }
  ++s.depth;
  CalcGetToken(s);
  const int value = CalcParseExpr(s);
  --s.depth;
  // The ")" is checked even after a syntax error inside (so one error can be
  // followed by ") expected"), but an inner expression that merely has no
  // time that day (another weekday, a polar night) stops here quietly, and
  // so does every level above an expression nested too deeply.
  if (value == kNoTime && (s.quietFailure || s.tooDeep)) return kNoTime;
  if (!ExpectClose(s)) return kNoTime;
  return value;
}

// FRIDAY(e) and SATURDAY(e): e on that weekday, else no time.
int ParseWeekdayFunction(CalcState& s, int weekday) {
  if (CalcGetToken(s) != kTokenOpen) {
    ReportTokenError(s, kErrOpen);
    return kNoTime;
  }
  const int value = ParseParenthesised(s);
  if (value == kNoTime) return kNoTime;
  const AbsoluteDay d = AbsoluteFromGregorian(s.day, s.month, s.year);
  return WeekdayOf(d) == weekday ? value : NoTime(s);
}

}  // namespace

namespace suntimes::detail {

int CalcProportionalHours(CalcState& s, double x) {
  if (!s.sunTimesExist) return NoTime(s);
  const double hour = (s.sunset - s.sunrise) / 12.0;
  const double v = x * hour;
  if (!(std::fabs(v) < static_cast<double>(INT_MAX))) return NoTime(s);
  return static_cast<int>(v / 60) * 60 + static_cast<int>(std::fmod(v, 60));
}

int CalcMinutesUntilDepression(CalcState& s, double x) {
  int hours = 0, minutes = 0;
  // The day's sunset is already known (and without one there is no interval).
  if (!s.sunTimesExist || !suntimes::detail::DegreesBelowHorizonAfterSunset(
                              s.sunset, s.day, s.month, s.year, s.latitude, s.longitude, s.zone, x, &hours, &minutes))
    return NoTime(s);
  if (hours < 0 || minutes < 0) return NoTime(s);
  return hours * 60 + minutes;
}

bool CalcApply(int op, int left, int right, int* result) {
  switch (op) {
    case kTokenPlus:
      return !__builtin_add_overflow(left, right, result);
    case kTokenMinus:
      return !__builtin_sub_overflow(left, right, result);
    case kTokenTimes:
      return !__builtin_mul_overflow(left, right, result);
    case kTokenDivide:
      if (right == 0 || (left == INT_MIN && right == -1)) return false;
      *result = left / right;
      return true;
    default:
      return false;
  }
}

bool CalcFillSunTimes(CalcState& s, int latitude, int longitude, int zone, int day, int month, int year) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  s.day = day;
  s.month = month;
  s.year = year;
  int riseHour = 0, riseMinute = 0, setHour = 0, setMinute = 0;
  // On a polar day or night there is no sunrise or sunset; expressions that
  // need them yield no time.
  s.sunTimesExist = GetSunriseAndSunset(day, month, year, latitude, longitude, zone, &riseHour, &riseMinute, &setHour,
                                        &setMinute) == 1;
  s.sunrise = riseHour * 60 + riseMinute;
  s.sunset = setHour * 60 + setMinute;
  s.latitude = latitude;
  s.longitude = longitude;
  s.zone = zone;
  return true;
}

}  // namespace suntimes::detail

namespace {

using suntimes::detail::CalcApply;
using suntimes::detail::CalcMinutesUntilDepression;
using suntimes::detail::CalcProportionalHours;

// Scans the digits after `first`; the token is an integer or a real.
int ScanNumber(CalcState& s, int first) {
  std::string text(1, static_cast<char>(first));
  int64_t value = first - '0';
  bool tooLarge = false;
  int c = CalcGetChar(s);
  for (; IsDigit(c); c = CalcGetChar(s)) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) {
      tooLarge = true;
      value = INT_MAX;
    }
    if (text.size() <= kCalcMaxNumberText) text.push_back(static_cast<char>(c));
  }
  if (c != '.') {
    CalcUngetChar(s);
    if (tooLarge) {
      s.tokenError = kErrNumberTooLarge;
      return s.token = kTokenInvalid;
    }
    s.integerValue = static_cast<int>(value);
    return s.token = kTokenInteger;
  }
  // A real: the digits, the point and the fraction digits ("3." is 3.0).
  text.push_back('.');
  for (c = CalcGetChar(s); IsDigit(c); c = CalcGetChar(s)) {
    if (text.size() <= kCalcMaxNumberText) text.push_back(static_cast<char>(c));
  }
  CalcUngetChar(s);
  if (text.size() > kCalcMaxNumberText) {
    s.tokenError = kErrNumberTooLong;
    return s.token = kTokenInvalid;
  }
  if (text.back() == '.') text.push_back('0');
  double real = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), real);
  if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(real)) {
    s.tokenError = kErrNumberTooLarge;
    return s.token = kTokenInvalid;
  }
  s.realValue = real;
  return s.token = kTokenReal;
}

int ScanIdentifier(CalcState& s, int first) {
  s.identifier.assign(1, AsciiUpper(static_cast<char>(first)));
  bool tooLong = false;
  int c = CalcGetChar(s);
  for (; IsLetter(c) || IsDigit(c); c = CalcGetChar(s)) {
    if (s.identifier.size() < kCalcMaxIdentifier) {
      s.identifier.push_back(AsciiUpper(static_cast<char>(c)));
    } else {
      tooLong = true;
    }
  }
  CalcUngetChar(s);
  if (tooLong) {
    s.tokenError = kErrNameTooLong;
    return s.token = kTokenInvalid;
  }
  return s.token = kTokenIdentifier;
}

}  // namespace

int lstrcmpi(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return 1;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return 1;
  }
  return 0;
}

void CalcInitScanner(CalcState& s, std::string_view expression) {
  s.expression = expression;
  s.position = 0;
  s.atEnd = false;
}

int CalcGetChar(CalcState& s) {
  if (s.atEnd) return 0;
  const int c = s.position < s.expression.size() ? static_cast<unsigned char>(s.expression[s.position]) : 0;
  ++s.position;
  if (c == 0) s.atEnd = true;
  return c;
}

void CalcUngetChar(CalcState& s) {
  if (s.position > 0) --s.position;
}

int CalcGetToken(CalcState& s) {
  s.tokenError = {};
  int c = CalcGetChar(s);
  while (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = CalcGetChar(s);
  switch (c) {
    case 0:
      return s.token = kTokenEnd;
    case '+':
      return s.token = kTokenPlus;
    case '-':
      return s.token = kTokenMinus;
    case '*':
      return s.token = kTokenTimes;
    case '/':
      return s.token = kTokenDivide;
    case '(':
      return s.token = kTokenOpen;
    case ')':
      return s.token = kTokenClose;
    default:
      break;
  }
  if (IsDigit(c)) return ScanNumber(s, c);
  if (IsLetter(c)) return ScanIdentifier(s, c);
  return s.token = kTokenInvalid;
}

void CalcParseError(const CalcState& s, std::string_view message) {
  // As printf's %s would show them: up to the first NUL.
  const std::string_view whole = s.expression.substr(0, s.expression.find('\0'));
  const std::string_view shown = message.substr(0, message.find('\0'));
  DiagMessage("Parsing error " + std::string(shown) + "\n  Original expression: " + std::string(whole) + "\n");
}

int CalcParseFactor(CalcState& s) {
  if (s.token == kTokenInteger) {
    const int value = s.integerValue;
    CalcGetToken(s);
    return value;
  }
  if (s.token == kTokenOpen) return ParseParenthesised(s);
  if (s.token != kTokenIdentifier) {
    ReportTokenError(s, kErrFactor);
    return kNoTime;
  }
  if (lstrcmpi(s.identifier, "SUNRISE") == 0 || lstrcmpi(s.identifier, "SUNSET") == 0) {
    const int value = s.identifier == "SUNRISE" ? s.sunrise : s.sunset;
    CalcGetToken(s);
    return s.sunTimesExist ? value : NoTime(s);
  }
  if (lstrcmpi(s.identifier, "PROPORTIONAL_HOUR") == 0) {
    double x = 0;
    if (!ParseNumberArgument(s, &x)) return kNoTime;
    return CalcProportionalHours(s, x);
  }
  if (lstrcmpi(s.identifier, "DEGREES_BELOW_HORIZON") == 0) {
    double x = 0;
    if (!ParseNumberArgument(s, &x)) return kNoTime;
    return CalcMinutesUntilDepression(s, x);
  }
  if (lstrcmpi(s.identifier, "FRIDAY") == 0) return ParseWeekdayFunction(s, kFriday);
  if (lstrcmpi(s.identifier, "SATURDAY") == 0) return ParseWeekdayFunction(s, kShabbat);
  CalcParseError(s, kErrFactor);
  return kNoTime;
}

int CalcParseTerm(CalcState& s) {
  int value = CalcParseFactor(s);
  if (value == kNoTime) return kNoTime;
  while (s.token == kTokenTimes || s.token == kTokenDivide) {
    const int op = s.token;
    CalcGetToken(s);
    const int right = CalcParseFactor(s);
    if (right == kNoTime) return kNoTime;
    if (!CalcApply(op, value, right, &value)) return NoTime(s);
  }
  return value;
}

int CalcParseExpr(CalcState& s) {
  int value = CalcParseTerm(s);
  if (value == kNoTime) return kNoTime;
  // An intermediate -1 does not end the evaluation: in 2 - 3 + 5 only the
  // final value counts.
  while (s.token == kTokenPlus || s.token == kTokenMinus) {
    const int op = s.token;
    CalcGetToken(s);
    const int right = CalcParseTerm(s);
    if (right == kNoTime) return kNoTime;
    if (!CalcApply(op, value, right, &value)) return NoTime(s);
  }
  return value;
}

int CalcEvaluate(CalcState& s, std::string_view expression) {
  CalcInitScanner(s, expression);
  s.depth = 0;
  s.quietFailure = false;
  s.tooDeep = false;
  CalcGetToken(s);
  const int value = CalcParseExpr(s);
  if (value == kNoTime) return kNoTime;
  if (s.token != kTokenEnd) {
    CalcParseError(s, kErrTrailing);
    return kNoTime;
  }
  return value;
}

namespace {

int CalculateZmanimClassic(int latitude, int longitude, int zone, int day, int month, int year,
                           std::string_view expression) {
  CalcState s;
  if (!suntimes::detail::CalcFillSunTimes(s, latitude, longitude, zone, day, month, year)) return kNoTime;
  return CalcEvaluate(s, expression);
}

}  // namespace

int CalculateZmanim(int latitude, int longitude, int zone, int day, int month, int year, std::string_view expression,
                    const SunOptions& options) {
  SunOptions sun = options;
  if (!sun.precise()) return CalculateZmanimClassic(latitude, longitude, zone, day, month, year, expression);
  sun.elevation = false;  // no place record, so no elevation
  const std::optional<double> t =
      ZmanimProgram::Compile(expression).EvaluateMinutes({latitude, longitude, zone, 0.0}, day, month, year, sun);
  return t ? suntimes::noaa::RoundSecondsToMinute(*t * 60.0) : kNoTime;
}

std::optional<double> CalculateZmanimMinutes(const ZmanimPlace& place, int day, int month, int year,
                                             std::string_view expression, const SunOptions& sun) {
  if (!sun.precise()) {
    const int t = CalculateZmanimClassic(place.latitude, place.longitude, place.zone, day, month, year, expression);
    return t == kNoTime ? std::nullopt : std::optional<double>(t);
  }
  return ZmanimProgram::Compile(expression).EvaluateMinutes(place, day, month, year, sun);
}
