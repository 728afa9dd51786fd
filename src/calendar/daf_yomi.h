// The daily Talmud page (a fixed cycle of 2711 pages starting 10 July 1923)
// and the days on which Yizkor is said.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/rules.h"
#include "calendar/types.h"

// Request and result of DafYomiGetIt. The caller sets sizeCheck to
// kDafYomiRecSize and the Gregorian date; the rest is filled on success.
constexpr int32_t kDafYomiRecSize = 800;
struct DafYomiRec {
  int32_t sizeCheck = 0;
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  int32_t cycle = 0;       // out
  std::string tractate;    // out
  int32_t page = 0;        // out
  std::string shortText;   // out: "%s %d" tractate, page
  std::string longText;    // out: "Cycle %d, %s %d"
};

// Error codes.
constexpr int kDafYomiOk = 0;
constexpr int kDafYomiBadStructure = 1;
constexpr int kDafYomiInvalidDate = 2;
constexpr int kDafYomiBeforeStart = 3;

// 0 on success and the outputs filled; 1 null or bad size check; 2 invalid
// date (year outside 1583..3000, month or day out of range); 3 before the
// first cycle.
int DafYomiGetIt(DafYomiRec* rec);
// "Tractate page", or empty on any error (the month view's form).
std::string DafYomiGetWithoutCycle(int day, int month, int year);
// The page of an absolute day: tractate and page, or page 0 before the
// first cycle.
struct DafYomiPage {
  std::string_view tractate;
  int page = 0;
};
DafYomiPage DafYomiPageOf(AbsoluteDay d);
// Pages of one cycle.
inline constexpr int kDafYomiCyclePages = 2711;
// Number of tractates of the cycle, and the name of tractate 0..count-1
// (empty outside).
int DafYomiTractateCount();
std::string_view DafYomiTractateName(int tractate);
// The tractate (0..count-1) and page of cycle index 0..2710; tractate -1
// and page 0 outside the cycle.
struct DafYomiPlace {
  int tractate = -1;
  int page = 0;
};
DafYomiPlace DafYomiPlaceAt(int index);

// Tractate of cycle index 0..2710 and its page; an index outside the cycle
// gives an empty name and page 0.
int GetDafYomiInternal(int index, std::string* tractate);
// True on a day Yizkor is said under the rules: Yom Kippur, Shemini Atseret, and the last day of Pesakh and of
// Shavuot, as the festival table marks them.
bool IsYizkor(AbsoluteDay d, const CalendarRules& rules);
