// The month view painter: captions, arrows, weekday header, the grid of
// day cells and the zmanim panel, drawn only through a Drawing. It serves a
// full paint, a repaint of two cells, a hit test and printing.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "calendar/month_grid.h"
#include "calendar/types.h"
#include "compose/options.h"
#include "render/drawing.h"

// What lies under a point of the month view. x and y are the input; at
// most one result becomes non-zero.
struct CalendarHit {
  int32_t x = 0;
  int32_t y = 0;
  int32_t onMonthName = 0;
  int32_t onYear = 0;
  int32_t day = 0;  // index of the cell's day in the month shown (the Gregorian day by Gregorian months), 0 if none
  int32_t onPrevArrow = 0;
  int32_t onNextArrow = 0;
  GregorianDate date;  // the date of the cell under the point, when `day` is set
};

// The two cells to repaint: the previously and the newly selected day, as
// indexes of the month shown (as CalendarHit::day).
struct RepaintPair {
  int32_t oldDay = 0;
  int32_t newDay = 0;
};

// What the screen offers the painter besides the Drawing.
struct PaintHooks {
  // Registers a hover hint for a drawn text's box (screen only).
  std::function<void(int x, int y, int width, int height, std::string_view text)> addHint;
  // Restores the window background of a rectangle (before a cell is repainted).
  std::function<void(int x, int y, int width, int height)> clearRect;
  // Told the rectangle of every day cell (with its day) and of the zmanim
  // panel (day 0) once it is painted.
  std::function<void(int day, int x, int y, int width, int height)> boxPainted;
  // Today's local date, whose cell gets its own mark (a day 0 for none).
  GregorianDate today = {0, 0, 0};
  // After today's sunset (or havdalah time): today's line that says so
  // ("from sunset: 28 Kislev"), "" before.
  std::string todayNote;
};

// The painter. With draw false nothing is drawn and only `hit` is filled;
// with print true the arrows, the selected-day shading and the zmanim panel
// are left out. `selected` is the selected date; its month (Gregorian or
// Hebrew by `kind`) is painted.
void PaintItInternal(Drawing& drawing, const PaintArea& area, const GregorianDate& selected, const Options& options,
                     bool draw, bool print, CalendarHit* hit, const RepaintPair* pair, const PaintHooks* hooks = nullptr,
                     MonthKind kind = MonthKind::kGregorian);
// The print entry: a full paint for paper.
void PaintPrintIt(Drawing& drawing, const PaintArea& area, const GregorianDate& selected, const Options& options,
                  MonthKind kind = MonthKind::kGregorian);

