#include "suntimes/sun_options.h"

#include <string>

#include "base/choices.h"

std::string_view SunCalculationName(SunCalculation calculation) {
  return calculation == SunCalculation::kPrecise ? kSunCalculationPrecise : kSunCalculationClassic;
}

std::optional<SunCalculation> SunCalculationFromName(std::string_view name) {
  if (name == kSunCalculationClassic) return SunCalculation::kClassic;
  if (name == kSunCalculationPrecise) return SunCalculation::kPrecise;
  return std::nullopt;
}
