#include "suntimes/calc_program.h"

#include <climits>
#include <cmath>
#include <utility>

#include "calendar/calendar.h"
#include "suntimes/calc.h"
#include "suntimes/noaa_sun.h"

namespace suntimes::detail {

enum class NodeKind : uint8_t {
  kInteger,
  kSunrise,
  kSunset,
  kProportionalHour,
  kDepression,
  kFriday,
  kSaturday,
  kSum,      // terms joined by + and -
  kProduct,  // factors joined by * and /
};

struct ProgramNode {
  explicit ProgramNode(NodeKind k) : kind(k) {}
  NodeKind kind;
  int value = 0;              // kInteger
  double argument = 0;        // kProportionalHour, kDepression
  // kDepression right after "SUNRISE -": the precise calculation measures
  // the interval in the morning.
  bool morning = false;
  int inner = -1;             // kFriday, kSaturday: the expression inside
  std::vector<int> operands;  // kSum, kProduct
  std::vector<int> ops;       // the operator before operands[i + 1]
};

}  // namespace suntimes::detail

using suntimes::detail::NodeKind;
using suntimes::detail::ProgramNode;

// Reads an expression with the scanner of the expression language and the
// same grammar and limits as its parser, building nodes instead of values.
class ProgramBuilder {
 public:
  explicit ProgramBuilder(ZmanimProgram& program) : p_(program) {
    CalcInitScanner(s_, p_.text_);
  }

  bool Run() {
    CalcGetToken(s_);
    p_.root_ = Expr();
    if (p_.root_ < 0) return false;
    if (s_.token != kTokenEnd) return Error("Unexpected end of text");
    return true;
  }

 private:
  bool Error(std::string_view message) {
    CalcParseError(s_, message);
    return false;
  }
  // The scanner's own reason for an invalid token, or `fallback`.
  bool TokenError(std::string_view fallback) {
    return Error((s_.token == kTokenInvalid && !s_.tokenError.empty()) ? s_.tokenError : fallback);
  }

  int Add(ProgramNode node) {
    p_.nodes_.push_back(std::move(node));
    return static_cast<int>(p_.nodes_.size()) - 1;
  }

  // A chain of operands of one level.
  template <class Operand>
  int Chain(NodeKind kind, int opA, int opB, Operand operand) {
    const int first = operand();
    if (first < 0) return -1;
    if (s_.token != opA && s_.token != opB) return first;
    ProgramNode node(kind);
    node.operands.push_back(first);
    while (s_.token == opA || s_.token == opB) {
      node.ops.push_back(s_.token);
      CalcGetToken(s_);
      const int next = operand();
      if (next < 0) return -1;
      node.operands.push_back(next);
    }
    if (kind == NodeKind::kSum) MarkMorningDepressions(node);
    return Add(std::move(node));
  }

  // In "sunrise - degrees_below_horizon(x)" the depression is the morning's.
  void MarkMorningDepressions(const ProgramNode& sum) {
    for (size_t i = 1; i < sum.operands.size(); ++i) {
      ProgramNode& right = p_.nodes_[static_cast<size_t>(sum.operands[i])];
      const ProgramNode& left = p_.nodes_[static_cast<size_t>(sum.operands[i - 1])];
      if (sum.ops[i - 1] == kTokenMinus && left.kind == NodeKind::kSunrise && right.kind == NodeKind::kDepression)
        right.morning = true;
    }
  }

  int Expr() { return Chain(NodeKind::kSum, kTokenPlus, kTokenMinus, [this] { return Term(); }); }
  int Term() { return Chain(NodeKind::kProduct, kTokenTimes, kTokenDivide, [this] { return Factor(); }); }

  // "(" expression ")"; the current token is the "(".
  int Parenthesised() {
    if (depth_ >= kCalcMaxNesting) {
      Error("Expression nested too deeply");
      return -1;
    }
    ++depth_;
    CalcGetToken(s_);
    const int inner = Expr();
    --depth_;
    if (inner < 0) return -1;
    if (s_.token != kTokenClose) {
      Error(") expected");
      return -1;
    }
    CalcGetToken(s_);
    return inner;
  }

  // "(" number ")" after PROPORTIONAL_HOUR and DEGREES_BELOW_HORIZON.
  int NumberArgument(NodeKind kind) {
    if (CalcGetToken(s_) != kTokenOpen) return TokenError("( expected"), -1;
    CalcGetToken(s_);
    ProgramNode node(kind);
    if (s_.token == kTokenInteger) {
      node.argument = s_.integerValue;
    } else if (s_.token == kTokenReal) {
      node.argument = s_.realValue;
    } else {
      return TokenError("Integer-number or real-number expected"), -1;
    }
    if (CalcGetToken(s_) != kTokenClose) return Error(") expected"), -1;
    CalcGetToken(s_);
    return Add(std::move(node));
  }

  int WeekdayFunction(NodeKind kind) {
    if (CalcGetToken(s_) != kTokenOpen) return TokenError("( expected"), -1;
    const int inner = Parenthesised();
    if (inner < 0) return -1;
    ProgramNode node(kind);
    node.inner = inner;
    return Add(std::move(node));
  }

  int Factor() {
    constexpr std::string_view kFactorExpected =
        "Number or ID (SUNRISE, SUNSET, PROPORTIONAL_HOUR, DEGREES_BELOW_HORIZON, FRIDAY or SATURDAY expected)";
    if (s_.token == kTokenInteger) {
      ProgramNode node(NodeKind::kInteger);
      node.value = s_.integerValue;
      CalcGetToken(s_);
      return Add(std::move(node));
    }
    if (s_.token == kTokenOpen) return Parenthesised();
    if (s_.token != kTokenIdentifier) return TokenError(kFactorExpected), -1;
    const std::string& name = s_.identifier;  // upper-cased by the scanner
    if (name == "SUNRISE" || name == "SUNSET") {
      const NodeKind kind = name == "SUNRISE" ? NodeKind::kSunrise : NodeKind::kSunset;
      CalcGetToken(s_);
      return Add(ProgramNode(kind));
    }
    if (name == "PROPORTIONAL_HOUR") return NumberArgument(NodeKind::kProportionalHour);
    if (name == "DEGREES_BELOW_HORIZON") return NumberArgument(NodeKind::kDepression);
    if (name == "FRIDAY") return WeekdayFunction(NodeKind::kFriday);
    if (name == "SATURDAY") return WeekdayFunction(NodeKind::kSaturday);
    return Error(kFactorExpected), -1;
  }

  ZmanimProgram& p_;
  CalcState s_;
  int depth_ = 0;
};

namespace {

// Evaluates like the parser of the expression language: a factor or term
// without a value (or whose value is the mark -1) ends the evaluation.
class Evaluator {
 public:
  Evaluator(const std::vector<ProgramNode>& nodes, CalcState& s) : nodes_(nodes), s_(s) {}

  int Value(int index) {
    const ProgramNode& n = nodes_[static_cast<size_t>(index)];
    switch (n.kind) {
      case NodeKind::kInteger:
        return n.value;
      case NodeKind::kSunrise:
        return s_.sunTimesExist ? s_.sunrise : kNoTime;
      case NodeKind::kSunset:
        return s_.sunTimesExist ? s_.sunset : kNoTime;
      case NodeKind::kProportionalHour:
        return suntimes::detail::CalcProportionalHours(s_, n.argument);
      case NodeKind::kDepression:
        return suntimes::detail::CalcMinutesUntilDepression(s_, n.argument);
      case NodeKind::kFriday:
      case NodeKind::kSaturday: {
        const int value = Value(n.inner);
        if (value == kNoTime) return kNoTime;
        const int weekday = n.kind == NodeKind::kFriday ? kFriday : kShabbat;
        return WeekdayOf(AbsoluteFromGregorian(s_.day, s_.month, s_.year)) == weekday ? value : kNoTime;
      }
      case NodeKind::kSum:
      case NodeKind::kProduct: {
        int value = Value(n.operands[0]);
        if (value == kNoTime) return kNoTime;
        for (size_t i = 1; i < n.operands.size(); ++i) {
          const int right = Value(n.operands[i]);
          if (right == kNoTime) return kNoTime;
          if (!suntimes::detail::CalcApply(n.ops[i - 1], value, right, &value)) return kNoTime;
        }
        return value;
      }
    }
    return kNoTime;
  }

 private:
  const std::vector<ProgramNode>& nodes_;
  CalcState& s_;
};

// The sun of one day at one place in the precise calculation: sunrise and
// sunset in minutes after standard midnight of the zone.
class PreciseDay {
 public:
  PreciseDay(const ZmanimPlace& place, int day, int month, int year, bool elevation)
      : day_(day),
        month_(month),
        year_(year),
        latitudeDeg_(suntimes::noaa::DegreesFromPacked(place.latitude)),
        zoneMinutes_(place.zone * 60.0),
        solar_(year, month, day, suntimes::noaa::DegreesFromPacked(place.longitude), place.zone * 3600.0) {
    const suntimes::noaa::SunEvents sun =
        solar_.SunriseSunset(latitudeDeg_, elevation ? place.elevationMetres : 0.0);
    // As in the classic calculation, a day needs both to have either.
    if (sun.morning && sun.evening) {
      sunrise_ = Local(*sun.morning);
      sunset_ = Local(*sun.evening);
    }
  }

  int day() const { return day_; }
  int month() const { return month_; }
  int year() const { return year_; }
  const std::optional<double>& sunrise() const { return sunrise_; }
  const std::optional<double>& sunset() const { return sunset_; }

  // x twelfths of the day from sunrise to sunset.
  std::optional<double> ProportionalHours(double x) const {
    if (!sunrise_) return std::nullopt;
    return x * (*sunset_ - *sunrise_) / 12.0;
  }

  // From sunset until the sun is x degrees below the horizon in the evening
  // or, for `morning`, from that moment until sunrise; none when either does
  // not happen or the interval is negative (a depression above the horizon).
  std::optional<double> MinutesOfDepression(double x, bool morning) const {
    if (!sunrise_) return std::nullopt;
    const suntimes::noaa::SunEvents at = solar_.Depression(latitudeDeg_, x);
    const std::optional<double>& event = morning ? at.morning : at.evening;
    if (!event) return std::nullopt;
    const double interval = morning ? *sunrise_ - Local(*event) : Local(*event) - *sunset_;
    if (!(interval >= 0)) return std::nullopt;
    return interval;
  }

 private:
  // Seconds after 0h UTC to minutes after standard midnight.
  double Local(double utcSeconds) const { return utcSeconds / 60.0 + zoneMinutes_; }

  int day_, month_, year_;
  double latitudeDeg_;
  double zoneMinutes_;
  suntimes::noaa::SolarDay solar_;
  std::optional<double> sunrise_, sunset_;
};

// The sun of the day last asked for on this thread: a day's zmanim list
// evaluates many expressions for one place and date.
const PreciseDay& CachedPreciseDay(const ZmanimPlace& place, int day, int month, int year, bool elevation) {
  struct Key {
    int latitude, longitude, zone, day, month, year;
    double elevationMetres;
    bool operator==(const Key& o) const {
      return latitude == o.latitude && longitude == o.longitude && zone == o.zone && day == o.day &&
             month == o.month && year == o.year && elevationMetres == o.elevationMetres;
    }
  };
  // Only the elevation that is used tells days apart.
  const Key key{place.latitude, place.longitude, place.zone, day, month, year, elevation ? place.elevationMetres : 0.0};
  thread_local std::optional<Key> lastKey;
  thread_local std::optional<PreciseDay> last;
  if (!last || !lastKey || !(*lastKey == key)) {
    last.emplace(place, day, month, year, elevation);
    lastKey = key;
  }
  return *last;
}

// Evaluates in real minutes with the failure rules of the language: a value
// that does not exist, or is exactly -1, ends the evaluation.
class PreciseEvaluator {
 public:
  PreciseEvaluator(const std::vector<ProgramNode>& nodes, const PreciseDay& day) : nodes_(nodes), day_(day) {}

  std::optional<double> Value(int index) {
    std::optional<double> v = Raw(index);
    if (v && *v == static_cast<double>(kNoTime)) return std::nullopt;
    return v;
  }

 private:
  static bool InRange(double v) { return std::fabs(v) < static_cast<double>(INT_MAX); }

  static std::optional<double> Apply(int op, double left, double right) {
    double v = 0;
    switch (op) {
      case kTokenPlus:
        v = left + right;
        break;
      case kTokenMinus:
        v = left - right;
        break;
      case kTokenTimes:
        v = left * right;
        break;
      case kTokenDivide:
        if (right == 0) return std::nullopt;
        v = left / right;
        break;
      default:
        return std::nullopt;
    }
    if (!InRange(v)) return std::nullopt;
    return v;
  }

  std::optional<double> Raw(int index) {
    const ProgramNode& n = nodes_[static_cast<size_t>(index)];
    switch (n.kind) {
      case NodeKind::kInteger:
        return static_cast<double>(n.value);
      case NodeKind::kSunrise:
        return day_.sunrise();
      case NodeKind::kSunset:
        return day_.sunset();
      case NodeKind::kProportionalHour: {
        const std::optional<double> v = day_.ProportionalHours(n.argument);
        if (v && !InRange(*v)) return std::nullopt;
        return v;
      }
      case NodeKind::kDepression:
        return day_.MinutesOfDepression(n.argument, n.morning);
      case NodeKind::kFriday:
      case NodeKind::kSaturday: {
        const std::optional<double> value = Value(n.inner);
        if (!value) return std::nullopt;
        const int weekday = n.kind == NodeKind::kFriday ? kFriday : kShabbat;
        if (WeekdayOf(AbsoluteFromGregorian(day_.day(), day_.month(), day_.year())) != weekday) return std::nullopt;
        return value;
      }
      case NodeKind::kSum:
      case NodeKind::kProduct: {
        std::optional<double> value = Value(n.operands[0]);
        if (!value) return std::nullopt;
        for (size_t i = 1; i < n.operands.size(); ++i) {
          const std::optional<double> right = Value(n.operands[i]);
          if (!right) return std::nullopt;
          value = Apply(n.ops[i - 1], *value, *right);
          if (!value) return std::nullopt;
        }
        return value;
      }
    }
    return std::nullopt;
  }

  const std::vector<ProgramNode>& nodes_;
  const PreciseDay& day_;
};

}  // namespace

ZmanimProgram::ZmanimProgram() = default;
ZmanimProgram::~ZmanimProgram() = default;
ZmanimProgram::ZmanimProgram(ZmanimProgram&&) noexcept = default;
ZmanimProgram& ZmanimProgram::operator=(ZmanimProgram&&) noexcept = default;

ZmanimProgram ZmanimProgram::Compile(std::string_view expression) {
  ZmanimProgram program;
  program.text_ = std::string(expression);
  program.valid_ = ProgramBuilder(program).Run();
  if (!program.valid_) program.nodes_.clear();
  return program;
}

int ZmanimProgram::Evaluate(int latitude, int longitude, int zone, int day, int month, int year) const {
  if (!valid_) return kNoTime;
  CalcState s;
  if (!suntimes::detail::CalcFillSunTimes(s, latitude, longitude, zone, day, month, year)) return kNoTime;
  return Evaluator(nodes_, s).Value(root_);
}

std::optional<double> ZmanimProgram::EvaluateMinutes(const ZmanimPlace& place, int day, int month, int year,
                                                     const SunOptions& sun) const {
  if (!sun.precise()) {
    const int t = Evaluate(place.latitude, place.longitude, place.zone, day, month, year);
    return t == kNoTime ? std::nullopt : std::optional<double>(t);
  }
  if (!valid_) return std::nullopt;
  // The date checks of the classic calculation.
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  return PreciseEvaluator(nodes_, CachedPreciseDay(place, day, month, year, sun.elevation)).Value(root_);
}
