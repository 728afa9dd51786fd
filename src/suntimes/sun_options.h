// Which sun calculation the times of day use, passed as a value to the
// evaluators (CalculateZmanimMinutes, ZmanimProgram, CityClock's callers).
//
//  - Classic: the almanac method, whole minutes throughout (sunrise.cpp).
//  - Precise: the NOAA solar equations (noaa_sun.h) evaluated to the
//    second; an expression's value is real minutes, rounded to the nearest
//    minute only when it becomes a shown time or a UTC instant.
#pragma once

#include <optional>
#include <string_view>

enum class SunCalculation : unsigned char { kClassic, kPrecise };

struct SunOptions {
  SunCalculation calculation = SunCalculation::kClassic;
  // Sunrise and sunset seen from the place's elevation (precise only): the
  // horizon is lowered by the dip of an eye that high. Depression-angle
  // times stay at sea level.
  bool elevation = false;

  bool precise() const { return calculation == SunCalculation::kPrecise; }
  // True when the place's elevation changes anything.
  bool usesElevation() const { return precise() && elevation; }
};

// The calculation of "classic" or "precise" (the settings' and lumaro-cli's
// words), nullopt for any other text.
std::optional<SunCalculation> SunCalculationFromName(std::string_view name);
