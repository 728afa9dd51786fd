#include "suntimes/calc.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "base/diagnostics.h"
#include "calendar/calendar.h"
#include "suntimes/noaa_sun.h"

namespace suntimes::detail {

enum class NodeKind : uint8_t {
  kInteger,
  kSunrise,
  kSunset,
  kProportionalHour,
  kProportionalTime,  // operands: the start and the end of the day
  kDepression,
  kFriday,
  kSaturday,
  kSum,      // terms joined by + and -
  kProduct,  // factors joined by * and /
  kError,    // the syntax error, reached after `inner` (when there is one) has a value
};

struct ProgramNode {
  explicit ProgramNode(NodeKind k) : kind(k) {}
  NodeKind kind;
  int value = 0;        // kInteger
  double argument = 0;  // kProportionalHour, kProportionalTime, kDepression
  // kDepression right after "SUNRISE -": a model that tells the two apart
  // measures the interval in the morning.
  bool morning = false;
  // kDepression that makes one moment with the sun before it: "SUNRISE -"
  // or "SUNSET +", at the start of its sum or after a "+".
  bool paired = false;
  int inner = -1;             // kFriday, kSaturday, kError
  std::vector<int> operands;  // kSum, kProduct, kProportionalTime
  std::vector<int> ops;       // the operator token before operands[i + 1]
};

}  // namespace suntimes::detail

using suntimes::detail::NodeKind;
using suntimes::detail::ProgramNode;

namespace {

constexpr std::string_view kErrFactor =
    "Number or ID (SUNRISE, SUNSET, PROPORTIONAL_HOUR, DEGREES_BELOW_HORIZON, FRIDAY or SATURDAY expected)";
constexpr std::string_view kErrOpen = "( expected";
constexpr std::string_view kErrNumber = "Integer-number or real-number expected";
constexpr std::string_view kErrClose = ") expected";
constexpr std::string_view kErrComma = ", expected";
constexpr std::string_view kErrTrailing = "Unexpected end of text";
constexpr std::string_view kErrTooDeep = "Expression nested too deeply";
constexpr std::string_view kErrNumberTooLarge = "Number too large";
constexpr std::string_view kErrNumberTooLong = "Number too long";
constexpr std::string_view kErrNameTooLong = "Name too long";

// Longest identifier and longest number text the scanner accepts.
constexpr size_t kMaxIdentifier = 255;
constexpr size_t kMaxNumberText = 250;

enum Token : int {
  kInvalid,
  kEnd,
  kPlus,
  kMinus,
  kTimes,
  kDivide,
  kOpen,
  kClose,
  kComma,
  kIdentifier,
  kInteger,
  kReal
};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // Reads the next token into `token` (and identifier, integerValue or
  // realValue) and returns it.
  Token Next() {
    tokenError = {};
    int c = Get();
    while (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = Get();
    switch (c) {
      case 0:
        return token = kEnd;
      case '+':
        return token = kPlus;
      case '-':
        return token = kMinus;
      case '*':
        return token = kTimes;
      case '/':
        return token = kDivide;
      case '(':
        return token = kOpen;
      case ')':
        return token = kClose;
      case ',':
        return token = kComma;
      default:
        break;
    }
    if (IsDigit(c)) return token = Number(c);
    if (IsLetter(c)) return token = Identifier(c);
    return token = kInvalid;
  }

  Token token = kInvalid;
  std::string identifier;  // upper-cased
  int integerValue = 0;
  double realValue = 0;
  // Why the token is invalid when it was a number or name the scanner could
  // not hold (empty for a stray character).
  std::string_view tokenError;

 private:
  // The next character, or 0 at the end (also at an embedded NUL).
  int Get() {
    if (atEnd_) return 0;
    const int c = position_ < text_.size() ? static_cast<unsigned char>(text_[position_]) : 0;
    ++position_;
    if (c == 0) atEnd_ = true;
    return c;
  }
  void Unget() {
    if (position_ > 0) --position_;
  }

  // The digits after `first`: an integer, or with a "." a real ("3." is 3.0).
  Token Number(int first) {
    std::string text(1, static_cast<char>(first));
    int64_t value = first - '0';
    bool tooLarge = false;
    int c = Get();
    for (; IsDigit(c); c = Get()) {
      value = value * 10 + (c - '0');
      if (value > INT_MAX) {
        tooLarge = true;
        value = INT_MAX;
      }
      if (text.size() <= kMaxNumberText) text.push_back(static_cast<char>(c));
    }
    if (c != '.') {
      Unget();
      if (tooLarge) return Invalid(kErrNumberTooLarge);
      integerValue = static_cast<int>(value);
      return kInteger;
    }
    text.push_back('.');
    for (c = Get(); IsDigit(c); c = Get()) {
      if (text.size() <= kMaxNumberText) text.push_back(static_cast<char>(c));
    }
    Unget();
    if (text.size() > kMaxNumberText) return Invalid(kErrNumberTooLong);
    if (text.back() == '.') text.push_back('0');
    double real = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), real);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(real))
      return Invalid(kErrNumberTooLarge);
    realValue = real;
    return kReal;
  }

  Token Identifier(int first) {
    identifier.assign(1, AsciiUpper(static_cast<char>(first)));
    bool tooLong = false;
    for (int c = Get(); IsLetter(c) || IsDigit(c); c = Get()) {
      if (identifier.size() < kMaxIdentifier) {
        identifier.push_back(AsciiUpper(static_cast<char>(c)));
      } else {
        tooLong = true;
      }
    }
    Unget();
    return tooLong ? Invalid(kErrNameTooLong) : kIdentifier;
  }

  Token Invalid(std::string_view why) {
    tokenError = why;
    return kInvalid;
  }

  std::string_view text_;
  size_t position_ = 0;
  bool atEnd_ = false;
};

}  // namespace

// Reads an expression into the nodes of a program. Each parse function
// starts at the construct's first token and leaves the scanner at the first
// token after it. The first syntax error becomes a kError node where the
// evaluation would meet it, and ends the reading: every enclosing
// parenthesis then only checks for its ")".
class ZmanimParser {
 public:
  explicit ZmanimParser(ZmanimProgram& program) : p_(program), s_(program.text_) {}

  void Run() {
    s_.Next();
    int root = Expr();
    if (!failed_ && s_.token != kEnd) root = Fail(kErrTrailing, root);
    p_.root_ = root;
  }

 private:
  void Message(std::string_view message) {
    // As printf's %s would show them: up to the first NUL.
    const std::string_view whole = std::string_view(p_.text_).substr(0, p_.text_.find('\0'));
    const std::string_view shown = message.substr(0, message.find('\0'));
    p_.errors_.push_back("Parsing error " + std::string(shown) + "\n  Original expression: " + std::string(whole) +
                         "\n");
  }
  // The syntax error, met after `before` (when there is one) has a value.
  int Fail(std::string_view message, int before = -1) {
    failed_ = true;
    Message(message);
    ProgramNode node(NodeKind::kError);
    node.inner = before;
    return Add(std::move(node));
  }
  // `fallback`, or the scanner's reason when the token is a number or name
  // it could not hold.
  int TokenFail(std::string_view fallback) {
    return Fail((s_.token == kInvalid && !s_.tokenError.empty()) ? s_.tokenError : fallback);
  }

  int Add(ProgramNode node) {
    p_.nodes_.push_back(std::move(node));
    return static_cast<int>(p_.nodes_.size()) - 1;
  }

  template <class Operand>
  int Chain(NodeKind kind, Token opA, Token opB, Operand operand) {
    const int first = operand();
    if (failed_ || (s_.token != opA && s_.token != opB)) return first;
    ProgramNode node(kind);
    node.operands.push_back(first);
    while (!failed_ && (s_.token == opA || s_.token == opB)) {
      node.ops.push_back(s_.token);
      s_.Next();
      node.operands.push_back(operand());
    }
    if (kind == NodeKind::kSum) MarkMorningDepressions(node);
    return Add(std::move(node));
  }

  // In "sunrise - degrees_below_horizon(x)" the depression is the morning's.
  // That and "sunset + degrees_below_horizon(x)" are one moment where the
  // sum adds them to what comes before.
  void MarkMorningDepressions(const ProgramNode& sum) {
    for (size_t i = 1; i < sum.operands.size(); ++i) {
      ProgramNode& right = p_.nodes_[static_cast<size_t>(sum.operands[i])];
      const ProgramNode& left = p_.nodes_[static_cast<size_t>(sum.operands[i - 1])];
      if (right.kind != NodeKind::kDepression) continue;
      const bool morning = sum.ops[i - 1] == kMinus && left.kind == NodeKind::kSunrise;
      const bool evening = sum.ops[i - 1] == kPlus && left.kind == NodeKind::kSunset;
      if (morning) right.morning = true;
      right.paired = (morning || evening) && (i == 1 || sum.ops[i - 2] == kPlus);
    }
  }

  int Expr() { return Chain(NodeKind::kSum, kPlus, kMinus, [this] { return Term(); }); }
  int Term() { return Chain(NodeKind::kProduct, kTimes, kDivide, [this] { return Factor(); }); }

  // "(" expression ")"; the current token is the "(".
  int Parenthesised() {
    if (depth_ >= kCalcMaxNesting) {
      tooDeep_ = true;
      return Fail(kErrTooDeep);
    }
    ++depth_;
    s_.Next();
    const int inner = Expr();
    --depth_;
    if (failed_) {
      // After an error inside, the ")" is still checked (not after the
      // nesting limit, which ends every level at once).
      if (tooDeep_) return inner;
      if (s_.token == kClose) {
        s_.Next();
      } else {
        Message(kErrClose);
      }
      return inner;
    }
    if (s_.token != kClose) return Fail(kErrClose, inner);
    s_.Next();
    return inner;
  }

  // "(" number, read into node.argument; false after a syntax error.
  bool OpenAndNumber(ProgramNode& node, int* error) {
    if (s_.Next() != kOpen) {
      *error = TokenFail(kErrOpen);
      return false;
    }
    s_.Next();
    if (s_.token == kInteger) {
      node.argument = s_.integerValue;
    } else if (s_.token == kReal) {
      node.argument = s_.realValue;
    } else {
      *error = TokenFail(kErrNumber);
      return false;
    }
    s_.Next();
    return true;
  }

  // "(" number ")" after PROPORTIONAL_HOUR and DEGREES_BELOW_HORIZON.
  int NumberArgument(NodeKind kind) {
    ProgramNode node(kind);
    int error = -1;
    if (!OpenAndNumber(node, &error)) return error;
    if (s_.token != kClose) return Fail(kErrClose);
    s_.Next();
    return Add(std::move(node));
  }

  // "(" number "," expression "," expression ")" after PROPORTIONAL_TIME.
  int ProportionalTime() {
    ProgramNode node(NodeKind::kProportionalTime);
    int error = -1;
    if (!OpenAndNumber(node, &error)) return error;
    for (int edge = 0; edge < 2; ++edge) {
      if (s_.token != kComma) return Fail(kErrComma, node.operands.empty() ? -1 : node.operands.back());
      s_.Next();
      node.operands.push_back(Expr());
      if (failed_) return node.operands.back();
    }
    if (s_.token != kClose) return Fail(kErrClose, node.operands.back());
    s_.Next();
    return Add(std::move(node));
  }

  int WeekdayFunction(NodeKind kind) {
    if (s_.Next() != kOpen) return TokenFail(kErrOpen);
    ProgramNode node(kind);
    node.inner = Parenthesised();
    return Add(std::move(node));
  }

  int Factor() {
    if (s_.token == kInteger) {
      ProgramNode node(NodeKind::kInteger);
      node.value = s_.integerValue;
      s_.Next();
      return Add(std::move(node));
    }
    if (s_.token == kOpen) return Parenthesised();
    if (s_.token != kIdentifier) return TokenFail(kErrFactor);
    const std::string& name = s_.identifier;  // upper-cased by the scanner
    if (name == "SUNRISE" || name == "SUNSET") {
      const NodeKind kind = name == "SUNRISE" ? NodeKind::kSunrise : NodeKind::kSunset;
      s_.Next();
      return Add(ProgramNode(kind));
    }
    if (name == "PROPORTIONAL_HOUR") return NumberArgument(NodeKind::kProportionalHour);
    if (name == "PROPORTIONAL_TIME") return ProportionalTime();
    if (name == "DEGREES_BELOW_HORIZON") return NumberArgument(NodeKind::kDepression);
    if (name == "FRIDAY") return WeekdayFunction(NodeKind::kFriday);
    if (name == "SATURDAY") return WeekdayFunction(NodeKind::kSaturday);
    return Fail(kErrFactor);
  }

  ZmanimProgram& p_;
  Scanner s_;
  int depth_ = 0;
  bool failed_ = false;
  bool tooDeep_ = false;
};

namespace {

bool InIntRange(double v) { return std::fabs(v) < static_cast<double>(INT_MAX); }

// One evaluation of a program's nodes on one day against one sun model.
class Evaluation {
 public:
  Evaluation(const std::vector<ProgramNode>& nodes, const SunModel& sun, int day, int month, int year)
      : nodes_(nodes), sun_(sun), whole_(sun.wholeMinutes()), day_(day), month_(month), year_(year) {}

  // Prints its syntax error's messages when the evaluation reaches it.
  const ZmanimProgram* reportTo = nullptr;
  // In a program without a syntax error nothing has a side effect, so
  // FRIDAY and SATURDAY may look at the weekday before their expression.
  bool weekdayFirst = false;

  // Why the value is missing, once Value(root) gave none.
  MissingTime Why() const { return sunFailed_ ? sun_.WhyMissing(failedDepression_, failedMoment_) : MissingTime{}; }

  // A value of exactly -1 ends the evaluation wherever a node yields it.
  std::optional<double> Value(int index) {
    const std::optional<double> v = Raw(index);
    if (v && *v == static_cast<double>(kNoTime)) return std::nullopt;
    return v;
  }

 private:
  int Weekday() {
    if (weekday_ < 0) weekday_ = WeekdayOf(AbsoluteFromGregorian(day_, month_, year_));
    return weekday_;
  }

  std::optional<double> Apply(int op, double left, double right) const {
    if (whole_) {
      // 32-bit integer arithmetic, "/" truncating towards zero.
      const auto l = static_cast<int64_t>(left), r = static_cast<int64_t>(right);
      int64_t v = 0;
      switch (op) {
        case kPlus:
          v = l + r;
          break;
        case kMinus:
          v = l - r;
          break;
        case kTimes:
          v = l * r;
          break;
        case kDivide:
          if (r == 0) return std::nullopt;
          v = l / r;
          break;
        default:
          return std::nullopt;
      }
      if (v < INT_MIN || v > INT_MAX) return std::nullopt;
      return static_cast<double>(v);
    }
    double v = 0;
    switch (op) {
      case kPlus:
        v = left + right;
        break;
      case kMinus:
        v = left - right;
        break;
      case kTimes:
        v = left * right;
        break;
      case kDivide:
        if (right == 0) return std::nullopt;
        v = left / right;
        break;
      default:
        return std::nullopt;
    }
    if (!InIntRange(v)) return std::nullopt;
    return v;
  }

  // x twelfths of the day from sunrise to sunset: truncated towards zero in
  // whole minutes.
  std::optional<double> ProportionalHours(double x) const {
    const std::optional<double> rise = sun_.Sunrise(), set = sun_.Sunset();
    if (!rise || !set) return std::nullopt;
    if (whole_) {
      const double hour = (*set - *rise) / 12.0;
      const double v = x * hour;
      if (!InIntRange(v)) return std::nullopt;
      return static_cast<int>(v / 60) * 60 + static_cast<int>(std::fmod(v, 60));
    }
    const double v = x * (*set - *rise) / 12.0;
    if (!InIntRange(v)) return std::nullopt;
    return v;
  }

  // The moment x twelfths of the way from `start` to `end`: in whole
  // minutes the twelfths are truncated towards zero as the hours of the day.
  std::optional<double> ProportionalTime(double x, int startNode, int endNode) {
    const std::optional<double> start = Value(startNode);
    if (!start) return std::nullopt;
    const std::optional<double> end = Value(endNode);
    if (!end) return std::nullopt;
    const double v = x * (*end - *start) / 12.0;
    if (!InIntRange(v) || !InIntRange(*start + v)) return std::nullopt;
    return *start + (whole_ ? std::trunc(v) : v);
  }

  // `value`, noting the sun as the reason when it has none.
  std::optional<double> BySun(std::optional<double> value, std::optional<double> depression = std::nullopt,
                              bool moment = false) {
    if (!value && !sunFailed_) {
      sunFailed_ = true;
      failedDepression_ = depression;
      failedMoment_ = moment;
    }
    return value;
  }

  // The operand of a sum at `i`: a paired depression makes one moment with
  // the sun before it, and `i` moves past it.
  std::optional<double> Operand(const ProgramNode& sum, size_t& i) {
    if (sum.kind == NodeKind::kSum && i + 1 < sum.operands.size()) {
      const ProgramNode& next = nodes_[static_cast<size_t>(sum.operands[i + 1])];
      if (next.kind == NodeKind::kDepression && next.paired) {
        ++i;
        return BySun(sun_.DepressionMoment(next.argument, next.morning), next.argument, true);
      }
    }
    return Value(sum.operands[i]);
  }

  std::optional<double> Raw(int index) {
    const ProgramNode& n = nodes_[static_cast<size_t>(index)];
    switch (n.kind) {
      case NodeKind::kInteger:
        return static_cast<double>(n.value);
      case NodeKind::kSunrise:
        return BySun(sun_.Sunrise());
      case NodeKind::kSunset:
        return BySun(sun_.Sunset());
      case NodeKind::kProportionalHour:
        if (!sun_.Sunrise() || !sun_.Sunset()) return BySun(std::nullopt);
        return ProportionalHours(n.argument);
      case NodeKind::kProportionalTime:
        return ProportionalTime(n.argument, n.operands[0], n.operands[1]);
      case NodeKind::kDepression:
        return BySun(sun_.DepressionInterval(n.argument, n.morning), n.argument);
      case NodeKind::kFriday:
      case NodeKind::kSaturday: {
        const bool onTheDay = Weekday() == (n.kind == NodeKind::kFriday ? kFriday : kShabbat);
        if (weekdayFirst && !onTheDay) return std::nullopt;
        const std::optional<double> value = Value(n.inner);
        if (!onTheDay) sunFailed_ = false;  // the weekday, not the sun
        if (!value || !onTheDay) return std::nullopt;
        return value;
      }
      case NodeKind::kSum:
      case NodeKind::kProduct: {
        size_t i = 0;
        std::optional<double> value = Operand(n, i);
        while (value && ++i < n.operands.size()) {
          const int op = n.ops[i - 1];
          const std::optional<double> right = Operand(n, i);
          if (!right) return std::nullopt;
          value = Apply(op, *value, *right);
        }
        return value;
      }
      case NodeKind::kError:
        if (n.inner >= 0 && !Value(n.inner)) return std::nullopt;
        if (reportTo) reportTo->ReportErrors();
        return std::nullopt;
    }
    return std::nullopt;
  }

  const std::vector<ProgramNode>& nodes_;
  const SunModel& sun_;
  const bool whole_;
  int day_, month_, year_;
  int weekday_ = -1;
  bool sunFailed_ = false;  // the first value that failed was one of the sun's
  std::optional<double> failedDepression_;
  bool failedMoment_ = false;
};

}  // namespace

ZmanimProgram::ZmanimProgram() = default;
ZmanimProgram::~ZmanimProgram() = default;
ZmanimProgram::ZmanimProgram(ZmanimProgram&&) noexcept = default;
ZmanimProgram& ZmanimProgram::operator=(ZmanimProgram&&) noexcept = default;

ZmanimProgram ZmanimProgram::Parse(std::string_view expression) {
  ZmanimProgram program;
  program.text_ = std::string(expression);
  ZmanimParser(program).Run();
  return program;
}

ZmanimProgram ZmanimProgram::Compile(std::string_view expression) {
  ZmanimProgram program = Parse(expression);
  program.ReportErrors();
  return program;
}

void ZmanimProgram::ReportErrors() const {
  for (const std::string& message : errors_) DiagMessage(message);
}

std::optional<double> ZmanimProgram::EvaluateWith(const SunModel& sun, int day, int month, int year,
                                                  bool reportWhenReached, MissingTime* why) const {
  if (why) *why = MissingTime{};
  if (month < 1 || month > 12 || day < 1 || day > 31 || root_ < 0) return std::nullopt;
  if (!valid() && !reportWhenReached) return std::nullopt;
  Evaluation evaluation(nodes_, sun, day, month, year);
  evaluation.weekdayFirst = valid();
  if (reportWhenReached) evaluation.reportTo = this;
  const std::optional<double> value = evaluation.Value(root_);
  if (!value && why) *why = evaluation.Why();
  return value;
}

int ZmanimProgram::Evaluate(int latitude, int longitude, int zone, int day, int month, int year) const {
  const std::optional<double> t = EvaluateWith(ClassicSun({latitude, longitude, zone, 0.0}, day, month, year),
                                               day, month, year);
  return t ? static_cast<int>(*t) : kNoTime;
}

std::optional<double> ZmanimProgram::EvaluateMinutes(const ZmanimPlace& place, int day, int month, int year,
                                                     const SunOptions& sun, MissingTime* why) const {
  if (!sun.precise()) return EvaluateWith(ClassicSun(place, day, month, year), day, month, year, false, why);
  return EvaluateWith(PreciseSun(place, day, month, year, sun.elevation), day, month, year, false, why);
}

namespace {

// Programs read for the entry points that take the text: the zmanim list
// and the times of a day evaluate the same few texts again and again.
const ZmanimProgram& CachedProgram(std::string_view expression) {
  thread_local std::unordered_map<std::string, ZmanimProgram> programs;
  std::string key(expression);
  const auto it = programs.find(key);
  if (it != programs.end()) return it->second;
  if (programs.size() >= 256) programs.clear();
  ZmanimProgram program = ZmanimProgram::Parse(expression);
  return programs.emplace(std::move(key), std::move(program)).first->second;
}

}  // namespace

int CalculateZmanim(int latitude, int longitude, int zone, int day, int month, int year, std::string_view expression,
                    const SunOptions& options) {
  SunOptions sun = options;
  sun.elevation = false;  // no place record, so no elevation
  const std::optional<double> t =
      CalculateZmanimMinutes({latitude, longitude, zone, 0.0}, day, month, year, expression, sun);
  if (!t) return kNoTime;
  return sun.precise() ? suntimes::noaa::RoundSecondsToMinute(*t * 60.0) : static_cast<int>(*t);
}

std::optional<double> CalculateZmanimMinutes(const ZmanimPlace& place, int day, int month, int year,
                                             std::string_view expression, const SunOptions& sun, MissingTime* why) {
  const ZmanimProgram& program = CachedProgram(expression);
  if (!sun.precise()) return program.EvaluateWith(ClassicSun(place, day, month, year), day, month, year, true, why);
  return program.EvaluateWith(PreciseSun(place, day, month, year, sun.elevation), day, month, year, true, why);
}
