// The month painter: holiday colours of a printed luach (rows of
// tests/data/holiday_colors.tsv), the texts of a cell, months painted on the
// screen and on paper against a reviewed golden file, hit regions, the
// zmanim panel's entries.
#include "render/month_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "compose/current_options.h"
#include "compose/day_info.h"
#include "recording_drawing.h"
#include "render/colors.h"
#include "render/zmanim_panel.h"
#include "test_env.h"

namespace {

using testenv::RecordingDrawing;

class PainterTest : public ::testing::Test {
 protected:
  PainterTest() {
    settingsReset();
    translate_init("english");
    o_ = CurrentOptions();
  }
  ~PainterTest() override { translate_done(); }
  // The drawing operations, with the cells, hints and cleared rectangles the
  // painter reports among them; on paper when `paperColorMode` is set.
  std::string Paint(GregorianDate selected, MonthKind kind = MonthKind::kGregorian, const RepaintPair* pair = nullptr,
                    int paperColorMode = -1) {
    const bool paper = paperColorMode >= 0;
    RecordingDrawing d(paper ? kDevicePrinter : kDeviceScreen, paper ? paperColorMode : kColorModeColor, paper ? 4 : 1);
    const PaintHooks hooks = d.Hooks();
    if (!paper)
      PaintItInternal(d, area_, selected, o_, true, false, nullptr, pair, &hooks, kind);
    else
      PaintPrintIt(d, area_, selected, o_);
    std::string out;
    for (const std::string& op : d.ops) out += op + "\n";
    return out;
  }
  CalendarHit Hit(GregorianDate month, int x, int y, MonthKind kind = MonthKind::kGregorian) {
    RecordingDrawing d;
    CalendarHit hit;
    hit.x = x;
    hit.y = y;
    PaintItInternal(d, area_, month, o_, false, false, &hit, nullptr, nullptr, kind);
    EXPECT_TRUE(d.texts.empty()) << "a hit test draws nothing";
    return hit;
  }
  testenv::TempHome home_;
  const PaintArea area_{0, 0, 1400, 1000};
  Options o_;
};

TEST(HolidayColors, Rules) {
  const auto rows = testenv::CaseRows("holiday_colors.tsv");
  EXPECT_GT(rows.size(), 20u);
  for (const auto& row : rows) {
    const CellTint tint = FestivalFactsOf(FestivalOfId(std::stoi(row[0])), {row[2] == "diaspora", true}).tint;
    DrawingColor color = kCellGrey, expected = kCellGrey;
    GetHolidayColor(AbsoluteFromHebrew(row[3] == "rosh-khodesh" ? 1 : 5, kHeshvan, 5785), tint, &color);
    if (row[4] != "-") PaintGetColor(row[4].c_str(), &expected);
    EXPECT_EQ(color, expected) << row[1] << " " << row[2];
  }
}

// The relative luminance of a colour, as tests/data/text_contrast.tsv defines it.
double Luminance(const DrawingColor& c) {
  auto linear = [](int32_t channel) {
    const double v = channel / 65535.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

// Every text colour on every ground it is painted on reaches 4.5:1.
TEST(ColorsTest, TextsReadOnTheirGrounds) {
  const std::map<std::string, DrawingColor> texts = {
      {"black", kBlack}, {"blue", kBlue}, {"red", kRed}, {"fast-violet", kFastTimeColor}};
  const auto rows = testenv::CaseRows("text_contrast.tsv");
  EXPECT_GE(rows.size(), 13u);
  for (const auto& row : rows) {
    DrawingColor ground = row[0] == "grey" ? kCellGrey : kWhite;
    PaintGetColor(row[0], &ground);
    if (row[1] == "yes") ground = SelectedCellColor(ground);
    std::istringstream names(row[2]);
    for (std::string name; names >> name;) {
      ASSERT_EQ(texts.count(name), 1u) << name;
      const double a = Luminance(texts.at(name));
      const double b = Luminance(ground);
      const double ratio = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
      EXPECT_GE(ratio, 4.5) << name << " on " << row[0] << (row[1] == "yes" ? ", selected" : "");
    }
  }
}

// Rosh Khodesh numbered beside a holiday, in other languages by the long
// keys; Purim translated keeps its colour; the zmanim panel splits its lines
// at the first ": ".
TEST_F(PainterTest, DayAndPanelTexts) {
  auto info = [this](AbsoluteDay d) { return PaintInternal_GetDayInformation(d, o_.rules, o_.text.language); };
  const DayInformation k6 = info(AbsoluteFromHebrew(30, kKislev, 5785));
  EXPECT_EQ(k6.roshKhodesh + "|" + k6.holiday, "1st Rosh Khodesh|Khanukka VI");
  EXPECT_EQ(info(AbsoluteFromGregorian(14, 4, 2025)).omer, "1 L'Omer");
  o_.text.language = kLanguageYiddish;
  o_.text.hebrewNumerals = HebrewNumeralsFor(kHebrewNumeralsByLanguage, kLanguageYiddish);
  o_.times.clock.rightToLeft = true;
  EXPECT_EQ(info(AbsoluteFromHebrew(30, kKislev, 5785)).roshKhodesh, "1st day of Rosh Khodesh");
  std::filesystem::create_directories(home_.lumaro("translations"));
  const std::string purim = "\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D";
  testenv::WriteFile(home_.lumaro("translations/yiddish.calendar"), "\"Purim\" = \"" + purim + "\"\n");
  translate_done();
  translate_init("yiddish");
  const std::string ops = Paint({10, 3, 2025});
  EXPECT_NE(ops.find("|" + purim + "\n"), std::string::npos);
  EXPECT_NE(ops.find("fill 200 379 200 154 54484,65535,54484"), std::string::npos)
      << "Purim's colour in Yiddish, Friday second from the left";
  const auto entries = ZmanimPanelEntries("Zmanim for 1.1.2025\nPforzheim\nSunrise: 08:10AM\nA: b: c\n\nno colon\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name + "=" + entries[0].value, "Sunrise=08:10AM");
  EXPECT_EQ(entries[1].name + "=" + entries[1].value, "A=b: c");
}

// March 2025 (six rows, Taanit Ester's times, Purim), Yom Kippur 5786, Nisan
// 5784 by Hebrew months, a repaint of two cells, March on paper in colour
// and in black and white; on paper the selected day does not show.
TEST_F(PainterTest, MonthsAsReviewed) {
  testenv::WriteFile(home_.lumaro("cities"), "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1, Europe/Berlin\n");
  o_.times.clock.format = kTimeFormat24;
  const RepaintPair pair{3, 4};
  const std::string printed = Paint({10, 3, 2025}, MonthKind::kGregorian, nullptr, kColorModeColor);
  testenv::ExpectGolden("month_painter.txt",
                        "== March 2025, 10 March selected\n" + Paint({10, 3, 2025}) + "== October 2025\n" +
                            Paint({1, 10, 2025}) + "== Nisan 5784\n" + Paint({15, 4, 2024}, MonthKind::kHebrew) +
                            "== March 2025, 3 and 4 repainted\n" + Paint({4, 3, 2025}, MonthKind::kGregorian, &pair) +
                            "== March 2025 printed in colour\n" + printed +
                            "== March 2025 printed in black and white\n" +
                            Paint({10, 3, 2025}, MonthKind::kGregorian, nullptr, kColorModeBlackWhite));
  EXPECT_EQ(Paint({11, 3, 2025}, MonthKind::kGregorian, nullptr, kColorModeColor), printed);
}

// Today's cell, selected or not, has a bar of today's colour along its top
// on the screen; no other day has it, nor does paper.
TEST_F(PainterTest, TodaysMark) {
  for (const auto& [today, print, markedDay] : {std::tuple{GregorianDate{12, 3, 2025}, false, 12},
                                                {GregorianDate{10, 3, 2025}, false, 10},
                                                {GregorianDate{12, 4, 2025}, false, 0},
                                                {GregorianDate{12, 3, 2025}, true, 0}}) {
    SCOPED_TRACE(std::to_string(today.day) + "." + std::to_string(today.month) + (print ? " printed" : ""));
    RecordingDrawing d(print ? kDevicePrinter : kDeviceScreen, kColorModeColor, print ? 4 : 1);
    PaintHooks hooks = d.Hooks();
    hooks.today = today;
    PaintItInternal(d, area_, {10, 3, 2025}, o_, true, print, nullptr, nullptr, &hooks);
    const std::string color =
        std::to_string(kTodayMark.red) + "," + std::to_string(kTodayMark.green) + "," + std::to_string(kTodayMark.blue);
    std::vector<int> marked;
    for (const std::string& op : d.ops) {
      int x = 0, y = 0;
      char rgb[32] = "";
      if (std::sscanf(op.c_str(), "fill %d %d %*d %*d %31s", &x, &y, rgb) != 3 || color != rgb) continue;
      for (const testenv::PaintedRegion& cell : d.regions)
        if (cell.day && x >= cell.x && x < cell.x + cell.width && y >= cell.y && y < cell.y + cell.height)
          marked.push_back(cell.day);
    }
    EXPECT_EQ(marked, markedDay ? std::vector<int>{markedDay} : std::vector<int>{});
  }
}

// The caption "March 2025" is centred, 6 units a byte; a shared border
// belongs to the earlier day; a Hebrew month's cell names its date.
TEST_F(PainterTest, HitRegions) {
  const int x0 = area_.width / 2 - 6 * 10 / 2;
  EXPECT_TRUE(Hit({10, 3, 2025}, x0 + 3, 5).onMonthName);
  EXPECT_TRUE(Hit({10, 3, 2025}, x0 + 39, 5).onYear);
  EXPECT_EQ(Hit({1, 6, 2025}, 200, 100).day, 1);
  EXPECT_EQ(Hit({1, 6, 2025}, 201, 100).day, 2);
  EXPECT_EQ(Hit({15, 4, 2024}, 3 * 200 + 10, 71 + 4 * 154 + 20, MonthKind::kHebrew).date, (GregorianDate{8, 5, 2024}));
}

}  // namespace
