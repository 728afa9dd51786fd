// Sunrise, sunset and the time the sun reaches a depression below the
// horizon, for one Gregorian date and one place, by the almanac
// approximation (mean anomaly, true longitude, right ascension,
// declination, local hour angle).
//
// Places are packed degrees and minutes: value = degrees * 100 + minutes,
// north and east positive (48 deg 53 min N is 4853, 74 deg 0 min W is -7400).
// Zones are whole hours east of Greenwich, standard time.
#pragma once

// Writes the local standard time of sunrise (which = 1) or sunset
// (which = 0) into hour and minute; a sunset after midnight has an hour of
// 24 or more. Returns 0 when the sun does not rise or
// does not set that day (polar day or night); hour and minute are then left
// as they were. For any other `which` the result is computed but nothing is
// written.
int GetSunsetSunrise(int day, int month, int year, int which, int latitude, int longitude, int zone, int* hour,
                     int* minute);

// Sunrise and sunset of one day in one call (the same values as two calls of
// GetSunsetSunrise). Returns 0, writing nothing, on a polar day or night.
int GetSunriseAndSunset(int day, int month, int year, int latitude, int longitude, int zone, int* riseHour,
                        int* riseMinute, int* setHour, int* setMinute);

// Sunset alone, as GetSunriseAndSunset gives it (0 also when the morning
// has no sunrise).
int GetSunset(int day, int month, int year, int latitude, int longitude, int zone, int* setHour, int* setMinute);

// Interval from ordinary sunset until the sun stands `degrees` below the
// horizon in the evening, as hours and minutes (both negative when the
// interval is). Returns 0 when sunset or that depression does not occur.
int GetDegreesBelowHorizon(int day, int month, int year, int latitude, int longitude, int zone, long double degrees,
                           int* hours, int* minutes);

namespace suntimes::detail {

// 1 for a Gregorian leap year.
int leap(int year);
// Day count used by the sun formulas: one more than the day of the year
// (1 January gives 2). Month must be 1..12.
int doy(int day, int month, int year);
// Hours (extended precision, any range) to a rounded hour and minute: a
// negative value gets 24 added once; 5 h 59.6 min gives 6:00; an hour above
// 24 loses 24 (exactly 24 stays).
void timeadj(int* hour, int* minute, long double t);
// The zenith distance of a depression below the horizon: 90 degrees plus the
// depression (without the 50 minutes of ordinary sunset), summed in extended
// precision and truncated to whole degrees and minutes. 16.1 gives 106 deg
// 6 min, 10.2 (stored slightly below its decimal) 100 deg 11 min.
void DepressionZenith(long double degrees, int* zenithDegrees, int* zenithMinutes);
// GetDegreesBelowHorizon for a day whose ordinary sunset exists and is
// known: `sunset` is its hour * 60 + minute as GetSunsetSunrise gives them.
int DegreesBelowHorizonAfterSunset(int sunset, int day, int month, int year, int latitude, int longitude, int zone,
                                   long double degrees, int* hours, int* minutes);
// The core: 1 when the sun reaches the zenith distance both in the morning
// and in the evening; rise and set are written as local extended-precision
// hours (not reduced to 0..24) whatever the result, and they are known only
// up to whole half days; `setNear` (when not null) receives mean noon plus
// the evening's hour angle, which lies within minutes of the evening's
// crossing. `rise` may be null when only the evening is wanted. The result
// depends on the day of the year, not on the year; the last answers are kept.
int suntime(int day, int month, int year, int zenithDegrees, int zenithMinutes, int lonDegrees, int lonMinutes,
            int lonEast, int latDegrees, int latMinutes, int latSouth, int zone, long double* rise, long double* set,
            long double* setNear = nullptr);

}  // namespace suntimes::detail
