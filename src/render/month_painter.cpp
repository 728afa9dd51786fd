#include "render/month_painter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/festivals.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "render/cell_layout.h"
#include "render/colors.h"
#include "compose/day_info.h"
#include "compose/minor_day_lines.h"
#include "compose/hebrew_date_text.h"
#include "compose/learning_lines.h"
#include "render/font_sizes.h"
#include "render/time_marks.h"
#include "compose/year_sheet.h"
#include "render/zmanim_panel.h"
#include "compose/anniversary_lines.h"
#include "compose/mourning_lines.h"
#include "storage/anniversaries.h"
#include "compose/options.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "suntimes/day_times.h"
#include "suntimes/missing_time.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timeformat.h"

namespace {

// The smallest size a text is shrunk to: 7 points on the screen; on paper,
// where texts are 6 points smaller than the size asked for, 6 points.
constexpr int kSmallestScreenSize = 7;
constexpr int kSmallestPaperSize = 12;
// A cell's texts may shrink to this share of the configured sizes before
// lines are given up.
constexpr int kSmallestCellScale = 60;  // percent

// By Hebrew months the Gregorian day number is this much of the Hebrew one's size.
constexpr int kSmallGregorianPercent = 60;

FontSizeSet PaintFontSizes(Drawing& d, bool rightToLeft) {
  FontSizeSet sizes;
  FontSize_GetDefault(&sizes, rightToLeft, d.get_device_class() == kDevicePrinter);
  FontSize_Load(&sizes);
  return sizes;
}

bool InRect(const CalendarHit& hit, int x0, int x1, int y0, int y1) {
  return hit.x >= x0 && hit.x <= x1 && hit.y >= y0 && hit.y <= y1;
}

// The short name of an evening time in a cell: "Candles" (also after
// nightfall; the hint tells which), "Havdalah".
std::string CellTimeName(EveningTime kind) {
  return kind == EveningTime::kHavdalah ? translate_perform("Havdalah") : translate_perform("Candles");
}

// The tints a printout's legend explains, by their colour names, in the
// order it names them.
struct LegendTint {
  std::string_view colorName;
  std::string_view label;  // a translation key
};
constexpr LegendTint kLegendTints[] = {
    {"yellow", "Shabbat, Yom Kippur"},
    {"light-blue", "Festival"},
    {"light-green", "Rosh Khodesh, Khol HaMoed, minor festival"},
    {"light-red", "Minor fast"},
    {"dark-red", "Tisha BeAv"},
};

// The colour of the time each mark stands before.
DrawingColor TimeMarkColor(TimeMark mark) { return mark == TimeMark::kFastEnd ? kFastTimeColor : kRed; }

// One entry of the printout's legend: a swatch of a cell's tint, or a time
// mark in its colour, and what it means.
struct LegendEntry {
  bool swatch = false;
  DrawingColor color;
  std::string mark;  // the mark's text, when not a swatch
  std::string label;
  int width = 0;     // of the whole entry
};

// A holiday name split after its first "/" ("Erev Pesakh/..." on two lines).
std::vector<std::string> HolidayLines(const std::string& holiday) {
  const size_t slash = holiday.find('/');
  if (slash == std::string::npos || slash + 1 == holiday.size()) return {holiday};
  return {holiday.substr(0, slash + 1), holiday.substr(slash + 1)};
}

class MonthPainter {
  // The choices of the whole paint (initialised first: the fonts depend on them).
  const Options options_;

 public:
  MonthPainter(Drawing& d, const PaintArea& area, const GregorianDate& selected, const Options& options, bool draw,
               bool print, CalendarHit* hit, const RepaintPair* pair, const PaintHooks* hooks, MonthKind kind)
      : options_(options), d_(d), area_(area), selected_(selected), draw_(draw), print_(print), hit_(hit), pair_(pair),
        hooks_(hooks), screen_(d.get_device_class() == kDeviceScreen),
        fonts_(d, PaintFontSizes(d, options_.text.rightToLeft()), screen_ ? kSmallestScreenSize : kSmallestPaperSize), kind_(kind),
        grid_(MonthGridOf(kind, selected)), selectedIndex_(GridIndexOf(grid_, AbsoluteFromGregorian(selected))),
        selectedHebrew_(HebrewFromAbsolute(AbsoluteFromGregorian(selected))) {}

  void Run() {
    if (hit_) {
      hit_->onMonthName = hit_->onYear = hit_->day = hit_->onPrevArrow = hit_->onNextArrow = 0;
    }
    e_ = Get3DEffectSize(d_);
    if (draw_) d_.set_color(kBlack);
    cellOptions_.inset = e_ + d_.get_x_unit(screen_ ? 3 : 1);
    cellOptions_.numberGap = d_.get_x_unit(4);
    cellOptions_.smallestScale = kSmallestCellScale;
    // PostScript fonts have no "…" in the encodings the printout uses.
    cellOptions_.ellipsis = screen_ ? "\xE2\x80\xA6" : "...";
    cellOptions_.moreFormat = translate_perform("+%d more");
    y_ = area_.y;
    if (Caption()) return;
    if (!print_ && Arrows()) return;
    HebrewCaption();
    if (print_) PrepareLegend();
    WeekdayHeader();
    if (Grid()) return;
    if (draw_ && print_) Legend();
    if (draw_ && !print_) {
      // The panel takes the five columns of the last row its days leave free.
      const int x = options_.weekRightToLeft() ? area_.x : area_.x + 2 * w_;
      const int y = y0_ + 5 * r_;
      PaintInternal_Zmanim(AbsoluteFromGregorian(selected_), options_, x, y, 5 * w_, r_, fonts_);
      if (hooks_ && hooks_->boxPainted) hooks_->boxPainted(0, x, y, 5 * w_, r_);
    }
  }

 private:
  int Th(FontRole r) { return fonts_.Height(r, fonts_.Size(r)); }

  void Hint(int x, int y, int w, int h, std::string_view text) {
    if (draw_ && screen_ && !pair_ && hooks_ && hooks_->addHint) hooks_->addHint(x, y, w, h, text);
  }

  // A one-line text of `role` fitted to `width`.
  FittedText Fit(FontRole role, std::string_view text, int width) {
    return FitTextToWidth(fonts_, role, fonts_.Size(role), fonts_.Smallest(), text, width, cellOptions_.ellipsis);
  }

  // The left edge of the weekday column `column` (0 Sunday .. 6 Shabbat):
  // counted from the left, or in a right-to-left week from the right.
  int ColumnX(int column) const { return area_.x + (options_.weekRightToLeft() ? 6 - column : column) * w_; }

  // Today's cell is marked on the screen only.
  bool IsToday(AbsoluteDay d) const {
    return !print_ && hooks_ && hooks_->today.day != 0 && AbsoluteFromGregorian(hooks_->today) == d;
  }

  // Returns true when the hit test found its answer.
  bool Hebrew() const { return kind_ == MonthKind::kHebrew; }

  bool Caption() {
    const std::string month = CaptionMonth(), year = CaptionYear();
    const std::string caption = month + " " + year;
    const FittedText fit = Fit(kFontCaption1, caption, area_.width);
    const DrawingFont font = fonts_.Font(kFontCaption1, fit.size);
    const int x0 = area_.x + area_.width / 2 - fit.width / 2;
    if (hit_ && hit_->y >= area_.y && hit_->y <= area_.y + Th(kFontCaption1)) {
      // In a right-to-left language the year stands on the left; so it
      // does in a Hebrew month's caption written wholly in Hebrew.
      const bool rtl = options_.text.rightToLeft() || (Hebrew() && options_.text.hebrewNumerals);
      const std::string& first = rtl ? year : month;
      const std::string& second = rtl ? month : year;
      const int firstEnd = x0 + d_.get_text_width(font, first);
      const int secondStart = firstEnd + d_.get_text_width(font, " ");
      const int secondEnd = secondStart + d_.get_text_width(font, second);
      if (hit_->x >= x0 && hit_->x <= firstEnd) {
        (rtl ? hit_->onYear : hit_->onMonthName) = 1;
        return true;
      }
      if (hit_->x >= secondStart && hit_->x <= secondEnd) {
        (rtl ? hit_->onMonthName : hit_->onYear) = 1;
        return true;
      }
    }
    if (draw_) d_.draw_string_center(font, area_.x, area_.width, y_, fit.text);
    y_ += Th(kFontCaption1);
    return false;
  }

  // The month arrows stand a third of the width in from each side, or
  // farther out when a caption line needs the room between them.
  struct ArrowPlaces {
    int top, a, b, prevLeft, nextRight;
  };
  ArrowPlaces PlaceArrows() {
    const int h = Th(kFontCaption1) + Th(kFontCaption2);
    ArrowPlaces p;
    p.a = h / 2;
    p.b = p.a / 2;
    p.top = area_.y + h / 2 - p.a / 2;
    const int c3 = area_.width / 3;
    const int widest = std::max(Fit(kFontCaption1, CaptionText(), area_.width).width,
                                Fit(kFontCaption2, SecondCaptionText(), area_.width).width);
    const int centre = area_.x + area_.width / 2;
    p.prevLeft = std::max(area_.x, std::min(area_.x + c3, centre - widest / 2 - p.b - p.b));
    p.nextRight = std::min(area_.x + area_.width, std::max(area_.x + area_.width - c3, centre + widest / 2 + p.b + p.b));
    return p;
  }

  bool Arrows() {
    const ArrowPlaces p = PlaceArrows();
    const int a = p.a, b = p.b, top = p.top;
    if (draw_) {
      const DrawingPoint prev[3] = {{p.prevLeft + b, top}, {p.prevLeft, top + a / 2}, {p.prevLeft + b, top + a}};
      const int right = p.nextRight;
      const DrawingPoint next[3] = {{right - b, top}, {right, top + a / 2}, {right - b, top + a}};
      d_.fill_polygon(prev, 3);
      d_.fill_polygon(next, 3);
    }
    // In a right-to-left week the months run the same way: the left arrow
    // goes to the next month.
    const bool rtl = options_.weekRightToLeft();
    if (hit_ && hit_->y >= top && hit_->y <= top + a) {
      if (hit_->x >= p.prevLeft && hit_->x <= p.prevLeft + b) {
        (rtl ? hit_->onNextArrow : hit_->onPrevArrow) = 1;
        return true;
      }
      if (hit_->x >= p.nextRight - b && hit_->x <= p.nextRight) {
        (rtl ? hit_->onPrevArrow : hit_->onNextArrow) = 1;
        return true;
      }
    }
    return false;
  }

  // The caption's two lines: the month and year; the other calendar's range.
  std::string CaptionMonth() const {
    return Hebrew() ? HebrewMonthNameText(selectedHebrew_.month, selectedHebrew_.year, options_.text.hebrewNumerals)
                    : GetGregorianMonthName(selected_.month);
  }
  std::string CaptionYear() const {
    return Hebrew() ? HebrewYearText(selectedHebrew_.year, options_.text.hebrewNumerals) : std::to_string(selected_.year);
  }
  std::string CaptionText() const { return CaptionMonth() + " " + CaptionYear(); }
  std::string SecondCaptionText() const {
    return Hebrew() ? HebrewMonthGregorianCaption(selectedHebrew_.month, selectedHebrew_.year)
                    : HebrewMonthRangeCaption(selected_.month, selected_.year, options_.text.hebrewNumerals);
  }

  void HebrewCaption() {
    if (draw_) {
      const std::string text = SecondCaptionText();
      const FittedText fit = Fit(kFontCaption2, text, area_.width);
      const DrawingColor saved = d_.GetColor();
      d_.set_color(kBlue);
      d_.draw_string_center(fonts_.Font(kFontCaption2, fit.size), area_.x, area_.width, y_, fit.text);
      d_.set_color(saved);
    }
    y_ += Th(kFontCaption2);
    if (print_) PlaceHeading();
    y_ += Th(kFontCaption2) / 2;
  }

  // The printout's line under the captions: the city, its time zone, the
  // sun calculation the times come from and the zmanim preset in force.
  void PlaceHeading() {
    if (draw_) {
      const std::string text = PrintoutPlaceHeading(options_) + "; " + PrintoutZmanimHeading(options_);
      const FittedText fit = Fit(kFontOmer, text, area_.width);
      d_.set_color(kBlack);
      d_.draw_string_center(fonts_.Font(kFontOmer, fit.size), area_.x, area_.width, y_, fit.text);
    }
    y_ += Th(kFontOmer);
  }

  // The cell colour of day d, the selection apart: grey, Shabbat, Rosh
  // Khodesh, then every holiday in id order.
  DrawingColor CellColorOf(AbsoluteDay d, const HebrewDate& h) {
    DrawingColor cell = kCellGrey;
    if (WeekdayOf(d) == kShabbat) GetShabbatColor(&cell);
    GetHolidayColor(d, CellTint::kNone, &cell);
    for (Festival f : FestivalsOn(d, h, rules_)) GetHolidayColor(d, FestivalFactsOf(f, rules_).tint, &cell);
    return cell;
  }

  // The legend at the foot of a printout: the tints the month's cells have
  // (in colour), and the marks of the times, each with its meaning. Entries
  // run in the reading direction and wrap onto further lines; the grid
  // ends above them.
  void PrepareLegend() {
    legend_.clear();
    const DrawingFont font = fonts_.Font(kFontOmer);
    const int box = Th(kFontOmer) * 2 / 3;
    const int gap = d_.get_x_unit(2);
    if (d_.get_color_mode() == kColorModeColor) {
      std::vector<DrawingColor> used;
      for (int day = 1; day <= grid_.days; ++day) {
        const AbsoluteDay d = grid_.first + day - 1;
        used.push_back(CellColorOf(d, HebrewFromAbsolute(d)));
      }
      for (const LegendTint& tint : kLegendTints) {
        LegendEntry e;
        e.swatch = true;
        PaintGetColor(tint.colorName, &e.color);
        if (std::find(used.begin(), used.end(), e.color) == used.end()) continue;
        e.label = translate_perform(tint.label);
        e.width = box + gap + d_.get_text_width(font, e.label);
        legend_.push_back(e);
      }
    }
    for (const TimeMarkRow& row : kTimeMarks) {
      LegendEntry e;
      e.color = TimeMarkColor(row.mark);
      e.mark = std::string(row.utf8);
      e.label = translate_perform(row.meaning);
      e.width = d_.get_text_width(font, e.mark) + gap + d_.get_text_width(font, e.label);
      legend_.push_back(e);
    }
    // Lines of entries, each as wide as the area allows.
    legendLines_ = 1;
    int x = 0;
    for (LegendEntry& e : legend_) {
      e.width = std::min(e.width, area_.width);
      if (x > 0 && x + e.width > area_.width) {
        ++legendLines_;
        x = 0;
      }
      x += e.width + 4 * gap;
    }
    legendHeight_ = legendLines_ * Th(kFontOmer) + d_.get_y_unit(2);
  }

  void Legend() {
    const DrawingFont font = fonts_.Font(kFontOmer);
    const int box = Th(kFontOmer) * 2 / 3;
    const int gap = d_.get_x_unit(2);
    const bool rtl = options_.text.rightToLeft();
    int y = area_.y + area_.height - legendLines_ * Th(kFontOmer);
    size_t first = 0;
    while (first < legend_.size()) {
      // The entries of this line, and its width: it is centred.
      size_t end = first;
      int width = 0;
      while (end < legend_.size() && (end == first || width + 4 * gap + legend_[end].width <= area_.width)) {
        width += (end == first ? 0 : 4 * gap) + legend_[end].width;
        ++end;
      }
      int x = area_.x + (area_.width - width) / 2;
      for (size_t i = first; i < end; ++i) {
        const size_t k = rtl ? end - 1 - (i - first) : i;
        LegendEntryAt(legend_[k], font, box, gap, x, y, rtl);
        x += legend_[k].width + 4 * gap;
      }
      y += Th(kFontOmer);
      first = end;
    }
    d_.set_color(kBlack);
  }

  // One entry from x: its swatch or mark first in the reading direction.
  void LegendEntryAt(const LegendEntry& e, DrawingFont font, int box, int gap, int x, int y, bool rtl) {
    const int symbolWidth = e.swatch ? box : d_.get_text_width(font, e.mark);
    const int symbolX = rtl ? x + e.width - symbolWidth : x;
    const int labelX = rtl ? x : x + symbolWidth + gap;
    if (e.swatch) {
      const int top = y + (Th(kFontOmer) - box) / 2;
      d_.set_color(e.color);
      d_.fill_rectangle(symbolX, top, box, box);
      d_.set_color(kBlack);
      d_.draw_rectangle(symbolX, top, box, box);
    } else {
      d_.set_color(e.color);
      d_.draw_string_left(font, symbolX, y, e.mark);
    }
    d_.set_color(kBlack);
    const FittedText fit = Fit(kFontOmer, e.label, e.width - symbolWidth - gap);
    d_.draw_string_left(fonts_.Font(kFontOmer, fit.size), labelX + (rtl ? e.width - symbolWidth - gap - fit.width : 0),
                        y, fit.text);
  }

  void WeekdayHeader() {
    w_ = area_.width / 7;
    const int hh = Th(kFontWeekdays) + d_.get_y_unit(1) + 2 * e_;
    if (draw_) {
      const int inset = e_ + d_.get_x_unit(1);
      for (int i = 0; i < 7; ++i) {
        const int x = ColumnX(i);
        const DrawingColor saved = d_.GetColor();
        d_.set_color(kWhite);
        d_.fill_rectangle(x, y_, w_, hh);
        d_.set_color(saved);
        Draw3DEffect(d_, x, y_, w_, hh, false);
        d_.set_color(i == kShabbat ? kBlue : kBlack);
        const FittedText fit = Fit(kFontWeekdays, GetWeekdayName(i), w_ - 2 * inset);
        d_.draw_string_center(fonts_.Font(kFontWeekdays, fit.size), x, w_, y_ + e_, fit.text);
        d_.set_color(kBlack);
      }
    }
    y_ += hh;
  }

  // Returns true when the hit test found a day.
  bool Grid() {
    y0_ = y_;
    // The screen keeps six rows; paper has the rows of the weeks the month
    // takes, down to the legend.
    const int rows = print_ ? GridCellOf(grid_, grid_.days).row + 1 : 6;
    r_ = (area_.y + area_.height - legendHeight_ - y0_) / rows;
    const int lastDay = grid_.days;
    const AbsoluteDay first = grid_.first;
    if (draw_) PrepareCells(first, lastDay);
    for (int day = 1; day <= lastDay; ++day) {
      const bool paintThis = !pair_ || day == pair_->oldDay || day == pair_->newDay;
      if (!paintThis) continue;
      const GridCell cell = GridCellOf(grid_, day);
      const int cellX = ColumnX(cell.column);
      const int cellY = y0_ + cell.row * r_;
      if (hit_ && InRect(*hit_, cellX, cellX + w_, cellY, cellY + r_)) {
        hit_->day = day;
        hit_->date = GregorianFromAbsolute(first + day - 1);
      }
      if (draw_) Cell(first + day - 1, day, cellX, cellY);
      if (hit_ && hit_->day) return true;
    }
    return false;
  }

  // What the cell of day d shows, in the order it stands.
  CellContent ContentOf(AbsoluteDay d, const GregorianDate& g, const HebrewDate& h, const DayFestivals& festivals) {
    CellContent c;
    c.gregorianNumber = std::to_string(g.day);
    c.hebrewNumber = HebrewDayNumberText(h.day, options_.text.hebrewNumerals);
    c.gregorianColor = kBlack;
    c.hebrewColor = festivals.empty() ? kBlue : kRed;
    c.gregorianHint = translate_perform("Gregorian day number");
    c.hebrewHint = translate_perform("Jewish day number");
    if (Hebrew()) c.gregorianPercent = kSmallGregorianPercent;
    auto add = [&](CellLineKind kind, FontRole role, const DrawingColor& color, std::string text,
                   std::string hint = {}) {
      if (!text.empty()) c.lines.push_back({kind, role, color, std::move(text), std::move(hint)});
    };
    // A time of the evening after midnight: "(after midnight)" in its hint,
    // and in the cell where it fits. A time named by `name` shows the first
    // of its forms that fits the cell at the size of its line: its name
    // ("Candles 04:11PM", between the day numbers or on a line of its own),
    // the mark of its kind ("✡ 04:11PM"), the bare time; the last two the
    // same in every language. So every time of the month has one size, and
    // only a bare time too wide for its cell is shrunk.
    auto addTime = [&](CellLineKind kind, FontRole role, const DrawingColor& color, const std::string& prefix,
                       const ShabbatTimeValue& time, const std::string& label, const std::string& name = {},
                       TimeMark mark = TimeMark::kCandles) {
      const std::string clock = prefix + TimeformatFormatTime(time.hour, time.minute, options_.times.clock);
      const bool late = IsAfterMidnight(time.hour);
      const std::string note = late ? " " + translate_perform("(after midnight)") : "";
      add(kind, role, color, clock, label + note);
      if (late || !name.empty()) c.lines.back().longer = (name.empty() ? "" : name + " ") + clock + note;
      if (!name.empty()) c.lines.back().marked = TimeMarked(mark, clock, options_.text.rightToLeft());
    };

    if (IsToday(d)) add(CellLineKind::kTodayNote, kFontOmer, kBlue, hooks_->todayNote, hooks_->todayNote);
    DayInformation info = PaintInternal_GetDayInformation(d, rules_, options_.text.language);
    // A special Shabbat that is a row of the festival table (Shabbat
    // HaGadol) stands where the others stand, below the section; the
    // holiday line names the day's first other festival.
    std::string holiday, special;
    for (Festival f : festivals) {
      const std::string name = TranslatedFestivalName(f, rules_);
      if (FestivalFactsOf(f, rules_).kind == DayKind::kSpecialShabbat) {
        if (special.empty()) special = name;
      } else if (holiday.empty()) {
        holiday = name;
      }
    }
    if (info.specialShabbat.empty()) info.specialShabbat = special;

    for (std::string& part : HolidayLines(holiday)) add(CellLineKind::kHoliday, kFontImportant1, kBlue, part);

    // Candle lighting or havdalah; on a fast day without either, the end of
    // the fast in its own colour. Other times of a fast (its beginning, an
    // end when the slot is taken) are lines of their own.
    // An evening time that the sun does not give is a dash whose hint says
    // why.
    ShabbatTimeValue evening;
    bool slotTaken = times_.evenings().Value(d, &evening);
    if (slotTaken) {
      addTime(CellLineKind::kTime, kFontShabbatTime, kRed, "", evening, EveningTimeLabel(evening.kind),
              CellTimeName(evening.kind), evening.kind == EveningTime::kHavdalah ? TimeMark::kEnd : TimeMark::kCandles);
    } else if (evening.kind != EveningTime::kNone && evening.missing.bySun()) {
      add(CellLineKind::kTime, kFontShabbatTime, kRed, "-",
          EveningTimeLabel(evening.kind) + ": " + MissingTimeText(evening.missing));
      slotTaken = true;
    }
    const std::vector<DayTime> dayTimes = times_.Of(d);
    for (const DayTime& t : dayTimes) {
      if ((t.kind != DayTimeKind::kFastBegins && t.kind != DayTimeKind::kFastEnds) || !t.computed || t.atEveningTime)
        continue;
      if (t.minorDay && !options_.look.minorDays) continue;  // Taanit Bekhorot goes with the minor days
      if (t.kind == DayTimeKind::kFastEnds && !slotTaken) {
        addTime(CellLineKind::kTime, kFontShabbatTime, kFastTimeColor, "", t.time, DayTimeLabel(t), DayTimeLabel(t),
                TimeMark::kFastEnd);
      } else {
        addTime(CellLineKind::kFastTime, kFontOmer, kFastTimeColor, DayTimeLabel(t) + " ", t.time, DayTimeLabel(t));
      }
    }

    if (!holiday.empty() && IsYizkor(d, rules_)) add(CellLineKind::kYizkor, kFontImportant2, kBlue, translate_perform("Yizkor"));
    add(CellLineKind::kSection, kFontImportant2, kBlue, info.torahSection);
    add(CellLineKind::kSpecialShabbat, kFontImportant2, kBlue, info.specialShabbat);
    add(CellLineKind::kRoshKhodesh, kFontImportant2, kBlue, info.roshKhodesh);
    add(CellLineKind::kOmer, kFontOmer, kBlack, info.omer);
    // The minor days and the moments of the moon and the sun; Purim Katan
    // is already the holiday line.
    if (options_.look.minorDays) {
      for (const MinorDayLine& line : MinorDayLinesOf(d, rules_, dayTimes, options_.times.clock)) {
        if (line.day == MinorDay::kPurimKatan) continue;
        const std::string_view report = MinorDayOf(line.day).report;
        add(CellLineKind::kMinorDay, kFontOmer, kBlack, line.Text(),
            report.empty() ? line.title : translate_perform(report));
      }
    }

    // A birthday whose bar or bat mitzvah is still to come has it in its hint.
    for (const AnniversaryRec& rec : AnniFileEntriesOnDay(d)) {
      const auto mitzvah = AnniMitzvahOf(rec, rules_);
      add(CellLineKind::kAnniversary, kFontAnniversaries, kBlack, AnniversaryLine(rec),
          mitzvah && mitzvah->day >= d ? AnniMitzvahText(rec, *mitzvah, options_.text.hebrewNumerals) : "");
    }
    for (const auto& [rec, mitzvah] : AnniMitzvahsOnDay(AnniFileMitzvahsOnDay(d), d, rules_))
      add(CellLineKind::kAnniversary, kFontAnniversaries, kBlack, AnniMitzvahLine(rec),
          AnniMitzvahShabbatText(mitzvah, options_.text.hebrewNumerals));
    // The milestones of a recent loss, their reason in the hint.
    for (MourningDayLine& line : MourningFileLinesOnDay(d, rules_, options_.text.hebrewNumerals))
      add(CellLineKind::kAnniversary, kFontAnniversaries, kBlack, std::move(line.text), std::move(line.reason));

    if (learning_.dafYomi) {
      const std::string daf = DafYomiGetWithoutCycle(g.day, g.month, g.year);
      if (!daf.empty())
        add(CellLineKind::kDafYomi, kFontDafYomi, kBlue, translate_replace(daf), translate_perform("Daf Yomi"));
    }
    for (LearningCellLine& line : LearningCellLines(d, learning_, rules_))
      add(CellLineKind::kLearning, kFontDafYomi, kBlue, std::move(line.text), std::move(line.hint));
    return c;
  }

  // The contents of all cells of the month, and the one scale their texts
  // are drawn at (also when only two cells are repainted, so they match the
  // others).
  //
  // The scale is the largest at which every cell fits, but never below the
  // one at which a cell holds the day numbers with a time and the four
  // usual lines (holiday, section, Omer, Daf Yomi): a month with a crowded
  // day is not drawn smaller for it; that day gives lines up instead.
  void PrepareCells(AbsoluteDay first, int lastDay) {
    contents_.clear();
    const CellBox box{0, 0, w_, r_};
    int scale = cellOptions_.largestScale;
    for (int day = 1; day <= lastDay; ++day) {
      const AbsoluteDay d = first + day - 1;
      const HebrewDate h = HebrewFromAbsolute(d);
      contents_.push_back(ContentOf(d, GregorianFromAbsolute(d), h, FestivalsOn(d, h, rules_)));
      scale = std::min(scale, LargestFittingScale(fonts_, box, contents_.back(), cellOptions_));
    }
    CellContent usual;
    usual.gregorianNumber = usual.hebrewNumber = "30";
    usual.lines = {{CellLineKind::kHoliday, kFontImportant1, kBlue, "X", ""},
                   {CellLineKind::kTime, kFontShabbatTime, kRed, "X", ""},
                   {CellLineKind::kSection, kFontImportant2, kBlue, "X", ""},
                   {CellLineKind::kOmer, kFontOmer, kBlack, "X", ""},
                   {CellLineKind::kDafYomi, kFontDafYomi, kBlue, "X", ""}};
    scale = std::max(scale, LargestFittingScale(fonts_, box, usual, cellOptions_));
    cellOptions_.largestScale = cellOptions_.smallestScale = scale;
    SizeTimeLines(fonts_, box, contents_, cellOptions_);
  }

  void Cell(AbsoluteDay d, int day, int cellX, int cellY) {
    const HebrewDate h = HebrewFromAbsolute(d);
    const bool selectedCell = !print_ && day == selectedIndex_;
    if (pair_ && hooks_ && hooks_->clearRect) hooks_->clearRect(cellX, cellY, w_ + 1, r_ + 1);

    // Background: its colour; the selected day a darker shade of it.
    DrawingColor cell = CellColorOf(d, h);
    if (d_.get_color_mode() == kColorModeColor) {
      if (selectedCell) cell = SelectedCellColor(cell);
      if (cell != kCellGrey) {
        const DrawingColor saved = d_.GetColor();
        d_.set_color(cell);
        d_.fill_rectangle(cellX, cellY, w_, r_);
        d_.set_color(saved);
      }
    }
    Draw3DEffect(d_, cellX, cellY, w_, r_, selectedCell);
    if (selectedCell) {
      // A frame inside the bevel marks the selection on any tint.
      d_.set_color(kSelectedFrame);
      for (int i = 0; i < e_; ++i) d_.draw_rectangle(cellX + e_ + i, cellY + e_ + i, w_ - 2 * (e_ + i), r_ - 2 * (e_ + i));
    }
    if (IsToday(d)) {
      // A bar along the top inside the bevel, above the texts, marks today
      // apart from the selection (over the top of its frame).
      d_.set_color(kTodayMark);
      d_.fill_rectangle(cellX + e_, cellY + e_, w_ - 2 * e_, cellOptions_.inset - e_);
    }

    const CellLayout layout =
        LayoutCell(fonts_, {cellX, cellY, w_, r_}, contents_[static_cast<size_t>(day - 1)], cellOptions_);
    for (const PlacedText& t : layout.texts) {
      d_.set_color(t.color);
      d_.draw_string_left(t.font, t.box.x, t.box.y, t.text);
      if (!t.hint.empty()) Hint(t.box.x, t.box.y, t.box.width, t.box.height, t.hint);
    }
    d_.set_color(kBlack);
    if (hooks_ && hooks_->boxPainted) hooks_->boxPainted(day, cellX, cellY, w_, r_);
  }

  Drawing& d_;
  PaintArea area_;
  GregorianDate selected_;
  bool draw_;
  bool print_;
  CalendarHit* hit_;
  const RepaintPair* pair_;
  const PaintHooks* hooks_;
  bool screen_;
  FontBook fonts_;
  CellLayoutOptions cellOptions_;
  std::vector<CellContent> contents_;  // of the days 1.. of the month
  std::vector<LegendEntry> legend_;    // of a printout
  int legendLines_ = 0;
  int legendHeight_ = 0;  // below the grid, 0 on the screen
  // The rules and the times of the whole paint.
  CalendarRules rules_ = options_.rules;
  DayTimes times_ = DayTimesFor(options_.rules, options_.times, options_.style);
  LearningChoice learning_ = options_.learning;
  MonthKind kind_;
  MonthGrid grid_;     // the days of the month shown
  int selectedIndex_;  // the selected day's index in grid_
  HebrewDate selectedHebrew_;
  int e_ = 0;
  int y_ = 0;
  int w_ = 0;
  int y0_ = 0;
  int r_ = 0;
};

}  // namespace

void PaintItInternal(Drawing& drawing, const PaintArea& area, const GregorianDate& selected, const Options& options,
                     bool draw, bool print, CalendarHit* hit, const RepaintPair* pair, const PaintHooks* hooks,
                     MonthKind kind) {
  MonthPainter(drawing, area, selected, options, draw, print, hit, pair, hooks, kind).Run();
}

void PaintPrintIt(Drawing& drawing, const PaintArea& area, const GregorianDate& selected, const Options& options,
                  MonthKind kind) {
  PaintItInternal(drawing, area, selected, options, true, true, nullptr, nullptr, nullptr, kind);
}
