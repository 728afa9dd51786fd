// The sun of one day at one place, as the zmanim expression language asks
// for it: sunrise, sunset and the times the sun stands a number of degrees
// below the horizon. Two models answer:
//
//  - ClassicSun: the almanac method (sunrise.h), whole minutes;
//  - PreciseSun: the NOAA solar equations (noaa_sun.h), real minutes carried
//    to the fraction of a second, sunrise and sunset optionally seen from
//    the place's elevation.
//
// Times are minutes after local standard-time midnight of the place's zone;
// nullopt is a time that does not exist that day. Both models compute
// nothing until they are first asked.
#pragma once

#include <optional>

#include "suntimes/missing_time.h"

struct ZmanimPlace {
  int latitude = 0, longitude = 0;  // packed degrees * 100 + minutes, north and east positive
  int zone = 0;                     // whole hours east of Greenwich: the frame of the minutes
  double elevationMetres = 0;       // for sunrise and sunset when SunOptions::elevation is set
};

class SunModel {
 public:
  virtual ~SunModel() = default;
  // True when every value is whole minutes and the language's arithmetic is
  // that of 32-bit integers.
  virtual bool wholeMinutes() const = 0;
  // Both exist or neither does (a polar day or night).
  virtual std::optional<double> Sunrise() const = 0;
  virtual std::optional<double> Sunset() const = 0;
  // Minutes from sunset until the sun is `degrees` below the horizon in the
  // evening or, for `morning` where the model tells the two apart, from that
  // moment in the morning until sunrise. Nullopt when the depression does not
  // happen, when the day has no sunset, or when the interval is negative.
  virtual std::optional<double> DepressionInterval(double degrees, bool morning) const = 0;
  // The moment the sun is `degrees` below the horizon in the morning
  // ("sunrise - degrees_below_horizon(x)") or the evening ("sunset +
  // degrees_below_horizon(x)"): sunrise less the interval or sunset plus it;
  // the precise model gives the crossing itself also on a day without
  // sunrise or sunset. Nullopt when the moment does not exist.
  virtual std::optional<double> DepressionMoment(double degrees, bool morning) const = 0;
  // Why a value that needed the sun has none: `depression` is the one asked
  // for (none for sunrise, sunset and the proportional hours), `moment` true
  // when DepressionMoment was asked.
  virtual MissingTime WhyMissing(std::optional<double> depression, bool moment) const = 0;
};

class ClassicSun final : public SunModel {
 public:
  ClassicSun(const ZmanimPlace& place, int day, int month, int year)
      : place_(place), day_(day), month_(month), year_(year) {}
  bool wholeMinutes() const override { return true; }
  std::optional<double> Sunrise() const override;
  std::optional<double> Sunset() const override;
  // The evening interval on both sides of the day.
  std::optional<double> DepressionInterval(double degrees, bool morning) const override;
  std::optional<double> DepressionMoment(double degrees, bool morning) const override;
  MissingTime WhyMissing(std::optional<double> depression, bool moment) const override;

 private:
  void Compute() const;
  ZmanimPlace place_;
  int day_, month_, year_;
  mutable bool computed_ = false;
  mutable bool exists_ = false;
  mutable int sunrise_ = 0, sunset_ = 0;
};

class PreciseSun final : public SunModel {
 public:
  // Sunrise and sunset from the place's elevation when `elevation` is set;
  // depressions are always at sea level.
  PreciseSun(const ZmanimPlace& place, int day, int month, int year, bool elevation)
      : place_(place), day_(day), month_(month), year_(year), elevation_(elevation) {}
  bool wholeMinutes() const override { return false; }
  std::optional<double> Sunrise() const override;
  std::optional<double> Sunset() const override;
  std::optional<double> DepressionInterval(double degrees, bool morning) const override;
  std::optional<double> DepressionMoment(double degrees, bool morning) const override;
  MissingTime WhyMissing(std::optional<double> depression, bool moment) const override;

 private:
  class Day;
  const Day& day() const;
  ZmanimPlace place_;
  int day_, month_, year_;
  bool elevation_;
};
