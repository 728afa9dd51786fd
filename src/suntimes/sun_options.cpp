#include "suntimes/sun_options.h"

#include <string>

#include "base/choices.h"

std::optional<SunCalculation> SunCalculationFromName(std::string_view name) {
  if (name == kSunCalculationClassic) return SunCalculation::kClassic;
  if (name == kSunCalculationPrecise) return SunCalculation::kPrecise;
  return std::nullopt;
}
