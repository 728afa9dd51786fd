#include "render/month_painter.h"

#include <array>
#include <string>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/festivals.h"
#include "calendar/names.h"
#include "render/colors.h"
#include "compose/day_info.h"
#include "compose/hebrew_date_text.h"
#include "render/font_sizes.h"
#include "render/zmanim_panel.h"
#include "compose/anniversary_lines.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "suntimes/shabbat_times.h"

namespace {

struct Fonts {
  std::array<DrawingFont, kFontRoleCount> f{};
  DrawingFont operator[](FontRole r) const { return f[r]; }
};

Fonts MakeFonts(Drawing& d) {
  FontSizeSet sizes;
  FontSize_GetDefault(&sizes, isLanguageRightToLeft(), d.get_device_class() == kDevicePrinter);
  FontSize_Load(&sizes);
  auto bold = [](FontRole r) { return r == kFontCaption1 || r == kFontCaption2 || r == kFontWeekdays; };
  Fonts fonts;
  for (int r = 0; r < kFontRoleCount; ++r) {
    const FontRole role = static_cast<FontRole>(r);
    fonts.f[r] = d.use_font(role == kFontShabbatTime ? "courier" : "helvetica", sizes.size[r],
                            bold(role) ? "bold" : "medium", "r");
  }
  return fonts;
}

bool InRect(const CalendarHit& hit, int x0, int x1, int y0, int y1) {
  return hit.x >= x0 && hit.x <= x1 && hit.y >= y0 && hit.y <= y1;
}

class MonthPainter {
 public:
  MonthPainter(Drawing& d, const PaintArea& area, const GregorianDate& selected, bool draw, bool print,
               CalendarHit* hit, const RepaintPair* pair, const PaintHooks* hooks)
      : d_(d), area_(area), selected_(selected), draw_(draw), print_(print), hit_(hit), pair_(pair),
        hooks_(hooks) {}

  void Run() {
    if (hit_) {
      hit_->onMonthName = hit_->onYear = hit_->day = hit_->onPrevArrow = hit_->onNextArrow = 0;
    }
    fonts_ = MakeFonts(d_);
    e_ = Get3DEffectSize(d_);
    screen_ = d_.get_device_class() == kDeviceScreen;
    if (draw_) d_.set_color(kBlack);
    y_ = area_.y;
    if (Caption()) return;
    if (!print_ && Arrows()) return;
    HebrewCaption();
    WeekdayHeader();
    if (Grid()) return;
    if (draw_ && !print_) {
      PaintInternal_Zmanim(AbsoluteFromGregorian(selected_), area_.x + 2 * w_, y0_ + 5 * r_, 5 * w_, r_, d_,
                           fonts_[kFontZmanim]);
    }
  }

 private:
  int Th(FontRole r) { return d_.get_text_height(fonts_[r]); }
  int Tw(FontRole r, std::string_view s) { return d_.get_text_width(fonts_[r], s); }

  void Hint(int x, int y, int w, int h, std::string_view text) {
    if (draw_ && screen_ && !pair_ && hooks_ && hooks_->addHint) hooks_->addHint(x, y, w, h, text);
  }

  // Returns true when the hit test found its answer.
  bool Caption() {
    const std::string month = GetGregorianMonthName(selected_.month);
    const std::string year = std::to_string(selected_.year);
    const std::string caption = month + " " + year;
    const int x0 = area_.x + area_.width / 2 - Tw(kFontCaption1, caption) / 2;
    if (hit_ && hit_->y >= area_.y && hit_->y <= area_.y + Th(kFontCaption1)) {
      // In a right-to-left language the year stands on the left.
      const bool rtl = isLanguageRightToLeft();
      const std::string& first = rtl ? year : month;
      const std::string& second = rtl ? month : year;
      const int firstEnd = x0 + Tw(kFontCaption1, first);
      const int secondStart = firstEnd + Tw(kFontCaption1, " ");
      const int secondEnd = secondStart + Tw(kFontCaption1, second);
      if (hit_->x >= x0 && hit_->x <= firstEnd) {
        (rtl ? hit_->onYear : hit_->onMonthName) = 1;
        return true;
      }
      if (hit_->x >= secondStart && hit_->x <= secondEnd) {
        (rtl ? hit_->onMonthName : hit_->onYear) = 1;
        return true;
      }
    }
    if (draw_) d_.draw_string_center(fonts_[kFontCaption1], area_.x, area_.width, y_, caption);
    y_ += Th(kFontCaption1);
    return false;
  }

  bool Arrows() {
    const int h = Th(kFontCaption1) + Th(kFontCaption2);
    const int a = h / 2;
    const int b = a / 2;
    const int c3 = area_.width / 3;
    const int top = area_.y + h / 2 - a / 2;
    if (draw_) {
      const DrawingPoint prev[3] = {{area_.x + c3 + b, top}, {area_.x + c3, top + a / 2}, {area_.x + c3 + b, top + a}};
      const int right = area_.x + area_.width - c3;
      const DrawingPoint next[3] = {{right - b, top}, {right, top + a / 2}, {right - b, top + a}};
      d_.fill_polygon(prev, 3);
      d_.fill_polygon(next, 3);
    }
    if (hit_ && hit_->y >= top && hit_->y <= top + a) {
      if (hit_->x >= area_.x + c3 && hit_->x <= area_.x + c3 + b) {
        hit_->onPrevArrow = 1;
        return true;
      }
      const int right = area_.x + area_.width - c3;
      if (hit_->x >= right - b && hit_->x <= right) {
        hit_->onNextArrow = 1;
        return true;
      }
    }
    return false;
  }

  void HebrewCaption() {
    if (draw_) {
      const DrawingColor saved = d_.GetColor();
      d_.set_color(kBlue);
      d_.draw_string_center(fonts_[kFontCaption2], area_.x, area_.width, y_,
                            HebrewCaptionOfMonth(selected_.month, selected_.year));
      d_.set_color(saved);
    }
    y_ += Th(kFontCaption2) + Th(kFontCaption2) / 2;
  }

  void WeekdayHeader() {
    w_ = area_.width / 7;
    const int hh = Th(kFontWeekdays) + d_.get_y_unit(1) + 2 * e_;
    if (draw_) {
      for (int i = 0; i < 7; ++i) {
        const int x = area_.x + i * w_;
        const DrawingColor saved = d_.GetColor();
        d_.set_color(kWhite);
        d_.fill_rectangle(x, y_, w_, hh);
        d_.set_color(saved);
        Draw3DEffect(d_, x, y_, w_, hh, false);
        d_.set_color(i == kShabbat ? kBlue : kBlack);
        d_.draw_string_center(fonts_[kFontWeekdays], x, w_, y_, GetWeekdayName(i));
        d_.set_color(kBlack);
      }
    }
    y_ += hh;
  }

  // Returns true when the hit test found a day.
  bool Grid() {
    y0_ = y_;
    r_ = (area_.height - y0_) / 6;
    const int lastDay = LastDayOfGregorianMonth(selected_.month, selected_.year);
    const AbsoluteDay first = AbsoluteFromGregorian(1, selected_.month, selected_.year);
    int column = WeekdayOf(first);
    int row = 0;
    for (int day = 1; day <= lastDay; ++day) {
      const bool paintThis = !pair_ || day == pair_->oldDay || day == pair_->newDay;
      if (paintThis) {
        const int cellX = area_.x + column * w_;
        const int cellY = y0_ + row * r_;
        if (hit_ && InRect(*hit_, column * w_, (column + 1) * w_, cellY, cellY + r_)) hit_->day = day;
        if (draw_) Cell(first + day - 1, day, cellX, cellY);
        if (hit_ && hit_->day) return true;
      }
      if (++column == 7) {
        column = 0;
        ++row;
      }
    }
    return false;
  }

  void Cell(AbsoluteDay d, int day, int cellX, int cellY) {
    const HebrewDate h = HebrewFromAbsolute(d);
    const GregorianDate g{day, selected_.month, selected_.year};
    const bool selectedCell = day == selected_.day;
    if (pair_ && hooks_ && hooks_->clearRect) hooks_->clearRect(cellX, cellY, w_ + 1, r_ + 1);

    // Background: grey, Shabbat, Rosh Khodesh, then every holiday in id order.
    DrawingColor cell = kCellGrey;
    if (WeekdayOf(d) == kShabbat) GetShabbatColor(&cell);
    GetHolidayColor(d, CellTint::kNone, &cell);
    const DayFestivals festivals = FestivalsOn(d, h, rules_);
    const bool holiday = !festivals.empty();
    for (Festival f : festivals) GetHolidayColor(d, FestivalFactsOf(f, rules_).tint, &cell);
    if (d_.get_color_mode() == kColorModeColor) {
      if (!print_ && selectedCell) cell = kSelectedGrey;
      if (cell != kCellGrey) {
        const DrawingColor saved = d_.GetColor();
        d_.set_color(cell);
        d_.fill_rectangle(cellX, cellY, w_, r_);
        d_.set_color(saved);
      }
    }
    Draw3DEffect(d_, cellX, cellY, w_, r_, !print_ && selectedCell);

    // Day numbers.
    const int ty = cellY + d_.get_y_unit(1);
    const DrawingFont numbers = fonts_[kFontDayNumbers];
    const int numberHeight = Th(kFontDayNumbers);
    const std::string greg = std::to_string(day);
    d_.set_color(kBlack);
    d_.draw_string_left(numbers, cellX + d_.get_x_unit(1), ty, greg);
    Hint(cellX + d_.get_x_unit(1), ty, Tw(kFontDayNumbers, greg), numberHeight,
         translate_perform("Gregorian day number"));
    const std::string heb = HebrewDayNumberText(h.day);
    const int cellRight = cellX + w_;
    d_.set_color(holiday ? kRed : kBlue);
    d_.draw_string_right(numbers, cellRight - d_.get_x_unit(1), ty, heb);
    const int hebWidth = Tw(kFontDayNumbers, heb);
    Hint(cellRight - d_.get_x_unit(1) - hebWidth, ty, hebWidth, numberHeight, translate_perform("Jewish day number"));

    // Candle lighting or havdalah.
    std::string shabbatTime;
    evenings_.Text(d, &shabbatTime, nullptr, nullptr);
    if (!shabbatTime.empty()) {
      d_.set_color(kRed);
      d_.draw_string_center(fonts_[kFontShabbatTime], cellX, w_, cellY, shabbatTime);
      const int tw = Tw(kFontShabbatTime, shabbatTime);
      const int wd = WeekdayOf(d);
      const std::string hint = wd == kFriday ? translate_perform("Candle Lighting")
                               : wd == kShabbat ? translate_perform("Havdalah")
                                                : std::string();
      Hint(cellX + w_ / 2 - tw / 2, cellY, tw, Th(kFontShabbatTime), hint);
    }

    // Information lines.
    int y = cellY + numberHeight + d_.get_y_unit(1);
    const DayInformation info = PaintInternal_GetDayInformation(d, rules_);
    auto line = [&](FontRole role, const DrawingColor& color, std::string_view text) {
      if (text.empty()) return;
      d_.set_color(color);
      d_.draw_string_center(fonts_[role], cellX, w_, y, text);
      y += Th(role);
    };
    const size_t slash = info.holiday.find('/');
    if (slash == std::string::npos) {
      line(kFontImportant1, kBlue, info.holiday);
    } else {
      line(kFontImportant1, kBlue, std::string_view(info.holiday).substr(0, slash + 1));
      line(kFontImportant1, kBlue, std::string_view(info.holiday).substr(slash + 1));
    }
    if (!info.holiday.empty() && IsYizkor(d, rules_)) line(kFontImportant2, kBlue, translate_perform("Yizkor"));
    line(kFontImportant2, kBlue, info.torahSection);
    line(kFontImportant2, kBlue, info.specialShabbat);
    line(kFontImportant2, kBlue, info.roshKhodesh);
    line(kFontOmer, kBlack, info.omer);

    // Anniversaries, while a line fits above the Daf Yomi line.
    const std::string daf = DafYomiGetWithoutCycle(g.day, g.month, g.year);
    const int dafHeight = Th(kFontDafYomi);
    const int dafTop = cellY + r_ - e_ - dafHeight;
    std::string annis;
    if (AnnifileGetForDay(d, nullptr, &annis)) {
      const int ah = Th(kFontAnniversaries);
      const int limit = daf.empty() ? cellY + r_ - e_ : dafTop;
      size_t start = 0;
      while (start < annis.size() && ah < r_ && y + ah <= limit) {
        size_t end = annis.find('\n', start);
        if (end == std::string::npos) end = annis.size();
        line(kFontAnniversaries, kBlack, std::string_view(annis).substr(start, end - start));
        start = end + 1;
      }
    }

    // Daf Yomi on the bottom edge inside the frame.
    if (!daf.empty()) {
      const std::string text = translate_replace(daf);
      d_.set_color(kBlue);
      d_.draw_string_center(fonts_[kFontDafYomi], cellX, w_, dafTop, text);
      const int tw = Tw(kFontDafYomi, text);
      Hint(cellX + w_ / 2 - tw / 2, dafTop, tw, dafHeight, translate_perform("Daf Yomi"));
    }
    d_.set_color(kBlack);
  }

  Drawing& d_;
  PaintArea area_;
  GregorianDate selected_;
  bool draw_;
  bool print_;
  CalendarHit* hit_;
  const RepaintPair* pair_;
  const PaintHooks* hooks_;
  Fonts fonts_;
  // The rules and the evening times of the whole paint.
  CalendarRules rules_ = CurrentCalendarRules();
  EveningTimes evenings_ = EveningTimes::FromSettings();
  int e_ = 0;
  bool screen_ = true;
  int y_ = 0;
  int w_ = 0;
  int y0_ = 0;
  int r_ = 0;
};

}  // namespace

std::string HebrewCaptionOfMonth(int month, int year) { return HebrewMonthRangeCaption(month, year); }

void PaintItInternal(Drawing& drawing, const PaintArea& area, const GregorianDate& selected, bool draw, bool print,
                     CalendarHit* hit, const RepaintPair* pair, const PaintHooks* hooks) {
  MonthPainter(drawing, area, selected, draw, print, hit, pair, hooks).Run();
}

void PaintPrintIt(Drawing& drawing, const PaintArea& area, const GregorianDate& selected) {
  PaintItInternal(drawing, area, selected, true, true, nullptr, nullptr, nullptr);
}
