// A zmanim expression read once and evaluated for many days: the month
// view, the dump and the exports evaluate the same candle-lighting and
// havdalah expressions for every Friday and festival of a range. The value
// of every day is exactly what CalculateZmanim gives for the same text.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "suntimes/calc.h"
#include "suntimes/sun_options.h"

namespace suntimes::detail {
struct ProgramNode;
}

class ZmanimProgram {
 public:
  // Reads `expression`. Syntax errors go to the diagnostics sink once, here,
  // as CalculateZmanim prints them; an expression with one has no time on
  // any day.
  static ZmanimProgram Compile(std::string_view expression);
  ZmanimProgram();
  ~ZmanimProgram();
  ZmanimProgram(ZmanimProgram&&) noexcept;
  ZmanimProgram& operator=(ZmanimProgram&&) noexcept;

  bool valid() const { return valid_; }
  const std::string& text() const { return text_; }

  // Minutes after local standard-time midnight on the date at the place
  // (packed degrees, zone in whole hours east), or kNoTime.
  int Evaluate(int latitude, int longitude, int zone, int day, int month, int year) const;
  // Minutes after local standard-time midnight in the frame of place.zone,
  // by the calculation of `sun` (calc.h): in the classic calculation the
  // value of Evaluate, in the precise one real minutes; nullopt for no time.
  std::optional<double> EvaluateMinutes(const ZmanimPlace& place, int day, int month, int year,
                                        const SunOptions& sun) const;

 private:
  std::string text_;
  bool valid_ = false;
  std::vector<suntimes::detail::ProgramNode> nodes_;
  int root_ = -1;
  friend class ProgramBuilder;
};
