#include "render/month_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "calendar/calendar.h"
#include "recording_drawing.h"
#include "render/colors.h"
#include "render/day_info.h"
#include "render/font_sizes.h"
#include "render/zmanim_panel.h"
#include "storage/settings.h"
#include "storage/translate.h"
#include "test_env.h"

namespace {

using testenv::RecordingDrawing;
using testenv::TempHome;

class PainterTest : public ::testing::Test {
 protected:
  PainterTest() {
    settingsReset();
    translate_init("english");
  }
  ~PainterTest() override { translate_done(); }
  TempHome home_;
  const PaintArea area_{0, 0, 1400, 1000};
};

std::string ColorOf(const DrawingColor& c) {
  return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

TEST(HolidayColors, Rules) {
  const AbsoluteDay plain = AbsoluteFromHebrew(5, kHeshvan, 5785);
  const AbsoluteDay roshKhodesh = AbsoluteFromHebrew(1, kHeshvan, 5785);
  struct Case {
    const char* name;
    AbsoluteDay day;
    const char* expected;  // colour name, or "" for unchanged
  } cases[] = {
      {"Khol HaMoed", plain, "light-green"},   {"Hoshana Rabba", plain, "light-green"},
      {"Khanukka III", plain, "light-green"},  {"Purim", plain, "light-green"},
      {"Pesakh Sheni", plain, "light-green"},  {"Tu BeAv", plain, "light-green"},
      {"Shushan Purim", plain, ""},            {"Purim Katan", plain, ""},
      {"Rosh HaShana I", plain, "light-blue"}, {"Shemini Atseret/Simkhat Tora", plain, "light-blue"},
      {"Pesakh VII", plain, "light-blue"},     {"Shavuot II", plain, "light-blue"},
      {"Yom Kippur", plain, "yellow"},         {"Tsom Gedalya", plain, "light-red"},
      {"Taanit Ester", plain, "light-red"},    {"Tisha BeAv", plain, "dark-red"},
      {"Tsom Tevet", plain, ""},               {"Erev Pesakh", plain, ""},
      {"Erev Pesakh", roshKhodesh, "light-green"}, {"", roshKhodesh, "light-green"},
      {"Lag BeOmer", plain, ""},               {"Yom HaAtsmaut", plain, ""},
  };
  for (const Case& c : cases) {
    DrawingColor color = kCellGrey;
    GetHolidayColor(c.day, c.name, &color);
    DrawingColor expected = kCellGrey;
    PaintGetColor(c.expected, &expected);
    EXPECT_EQ(ColorOf(color), ColorOf(expected)) << c.name;
  }
  DrawingColor shabbat = kCellGrey;
  GetShabbatColor(&shabbat);
  EXPECT_EQ(shabbat, kWhite);
  DrawingColor unknown{1, 2, 3};
  PaintGetColor("purple", &unknown);
  EXPECT_EQ(unknown, (DrawingColor{1, 2, 3}));
}

TEST(Frames, ScreenBevelAndPaperOutline) {
  RecordingDrawing screen;
  Draw3DEffect(screen, 10, 20, 100, 50, false);
  // Two lines per side pair and per pixel of the 2-pixel frame: dark top/left, light right/bottom.
  ASSERT_EQ(screen.ops.size(), 8u);
  EXPECT_EQ(screen.ops[0], "line 10 20 110 20 32768,32768,32768");
  EXPECT_EQ(screen.ops[2], "line 110 20 110 70 50000,50000,50000");
  EXPECT_EQ(screen.ops[7], "line 11 69 110 69 50000,50000,50000");
  RecordingDrawing pressed;
  Draw3DEffect(pressed, 10, 20, 100, 50, true);
  EXPECT_EQ(pressed.ops.size(), 4u);  // only the dark right and bottom edges
  RecordingDrawing paper(kDevicePrinter);
  Draw3DEffect(paper, 10, 20, 100, 50, false);
  ASSERT_EQ(paper.ops.size(), 1u);
  EXPECT_EQ(paper.ops[0], "rect 10 20 100 50 0,0,0");
  EXPECT_EQ(Get3DEffectSize(paper), 0);
}

TEST_F(PainterTest, FontSizesFromDefaultsAndSettings) {
  FontSizeSet s;
  FontSize_GetDefault(&s, false, false);
  EXPECT_EQ(s.size[kFontCaption1], 22);
  EXPECT_EQ(s.size[kFontOmer], 12);
  FontSize_GetDefault(&s, false, true);
  EXPECT_EQ(s.size[kFontOmer], 16);
  FontSize_GetDefault(&s, true, true);
  EXPECT_EQ(s.size[kFontCaption2], 26);
  // Stored sizes apply to screen and paper alike; a reset brings the defaults back.
  FontSize_GetDefault(&s, false, false);
  s.size[kFontOmer] = 30;
  FontSize_Store(s);
  FontSizeSet paper;
  FontSize_GetDefault(&paper, false, true);
  FontSize_Load(&paper);
  EXPECT_EQ(paper.size[kFontOmer], 30);
  EXPECT_EQ(paper.size[kFontCaption1], 22);
  FontSize_Reset();
  FontSize_GetDefault(&paper, false, true);
  FontSize_Load(&paper);
  EXPECT_EQ(paper.size[kFontOmer], 16);
}

TEST_F(PainterTest, HebrewCaption) {
  // February 2025 lies within Shevat 5785.
  EXPECT_EQ(HebrewCaptionOfMonth(3, 2025), "1 Adar - 2 Nisan 5785");
  EXPECT_EQ(HebrewCaptionOfMonth(2, 2025), "3 - 30 Shevat 5785");
  // September 2025 spans Elul 5785 and Tishri 5786.
  EXPECT_EQ(HebrewCaptionOfMonth(9, 2025), "8 Elul 5785 - 8 Tishri 5786");
}

TEST_F(PainterTest, DayInformation) {
  // 16 Nisan 5785 (Monday 14 April 2025): Omer day 1.
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(14, 4, 2025)).omer, "1 L'Omer");
  // 30 Kislev 5785 (Tuesday 31 December 2024) and 1 Tevet.
  const DayInformation k6 = PaintInternal_GetDayInformation(AbsoluteFromHebrew(30, kKislev, 5785));
  EXPECT_EQ(k6.roshKhodesh, "1st Rosh Khodesh");
  EXPECT_EQ(k6.holiday, "Khanukka VI");
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromHebrew(1, kTevet, 5785)).roshKhodesh, "2nd Rosh Khodesh");
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromHebrew(1, kTishri, 5785)).roshKhodesh, "");
  // Shabbat 1 March 2025 (1 Adar): Terumah and Shabbat Shekalim.
  const DayInformation shekalim = PaintInternal_GetDayInformation(AbsoluteFromGregorian(1, 3, 2025));
  EXPECT_EQ(shekalim.torahSection, "Terumah");
  EXPECT_EQ(shekalim.specialShabbat, "Shabbat Shekalim");
  // Shabbat 3 May 2025: Tazria and Metsora read together.
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(3, 5, 2025)).torahSection, "Tazria, Metsora");
  // A weekday has no section.
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(4, 5, 2025)).torahSection, "");
  // In other languages the long Rosh Khodesh texts are the keys.
  setLanguage(kLanguageYiddish);
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromHebrew(30, kKislev, 5785)).roshKhodesh,
            "1st day of Rosh Khodesh");
}

TEST_F(PainterTest, FullPaintLaysOutTheMonth) {
  RecordingDrawing d;
  std::vector<std::string> hints;
  PaintHooks hooks;
  hooks.addHint = [&](int, int, int, int, std::string_view t) { hints.emplace_back(t); };
  // March 2025 begins on a Saturday and has 31 days: six rows.
  PaintItInternal(d, area_, GregorianDate{10, 3, 2025}, true, false, nullptr, nullptr, &hooks);
  EXPECT_TRUE(d.DrewText("March 2025"));
  EXPECT_TRUE(d.DrewText("1 Adar - 2 Nisan 5785"));
  for (const char* wd : {"Sunday", "Monday", "Shabbat"}) EXPECT_TRUE(d.DrewText(wd)) << wd;
  EXPECT_EQ(d.OpsStartingWith("polygon").size(), 2u);  // the two month arrows
  // 31 Gregorian day numbers, left-aligned in black.
  int dayNumbers = 0;
  for (const auto& op : d.OpsStartingWith("left "))
    if (op.find(" 0,0,0 |") != std::string::npos) ++dayNumbers;
  EXPECT_EQ(dayNumbers, 31);
  EXPECT_EQ(std::count(hints.begin(), hints.end(), "Gregorian day number"), 31);
  EXPECT_EQ(std::count(hints.begin(), hints.end(), "Jewish day number"), 31);
  // The selected day (10 March) is shaded; Purim (14 March) is light green.
  EXPECT_FALSE(d.OpsStartingWith("fill").empty());
  bool selectedShaded = false, purimGreen = false;
  for (const auto& op : d.OpsStartingWith("fill ")) {
    if (op.find("40960,40960,40960") != std::string::npos) selectedShaded = true;
    if (op.find("53248,65535,53248") != std::string::npos) purimGreen = true;
  }
  EXPECT_TRUE(selectedShaded);
  EXPECT_TRUE(purimGreen);
  EXPECT_TRUE(d.DrewText("Purim"));
}

TEST_F(PainterTest, HitTest) {
  RecordingDrawing probe;
  // Where the caption's words lie: centred, 6 units per byte.
  const std::string caption = "March 2025";
  const int x0 = area_.width / 2 - 6 * static_cast<int>(caption.size()) / 2;
  auto hitAt = [&](int x, int y) {
    RecordingDrawing d;
    CalendarHit hit;
    hit.x = x;
    hit.y = y;
    PaintItInternal(d, area_, GregorianDate{10, 3, 2025}, false, false, &hit, nullptr, nullptr);
    EXPECT_TRUE(d.texts.empty()) << "a hit test draws nothing";
    return hit;
  };
  EXPECT_EQ(hitAt(x0 + 3, 5).onMonthName, 1);
  EXPECT_EQ(hitAt(x0 + 6 * 6 + 3, 5).onYear, 1);
  const CalendarHit gap = hitAt(x0 + 5 * 6 + 3, 5);  // the blank between the two words
  EXPECT_EQ(gap.onMonthName + gap.onYear + gap.day, 0);
  // Far down in the first column of the last row: 30 March 2025 (a Sunday).
  EXPECT_EQ(hitAt(5, area_.height - 5).day, 30);
  // The grid's first row holds only Saturday 1 March, in the last column
  // (with the recording metrics the grid starts at y = 71, rows 154 high).
  EXPECT_EQ(hitAt(area_.width - 10, 150).day, 1);
  EXPECT_EQ(hitAt(10, 150).day, 0);
  EXPECT_EQ(hitAt(area_.width - 10, 300).day, 8);
}

TEST_F(PainterTest, PartialRepaintTouchesTwoCells) {
  RecordingDrawing d;
  std::vector<std::string> cleared;
  PaintHooks hooks;
  hooks.clearRect = [&](int x, int y, int, int) { cleared.push_back(std::to_string(x) + "," + std::to_string(y)); };
  const RepaintPair pair{3, 4};
  PaintItInternal(d, area_, GregorianDate{4, 3, 2025}, true, false, nullptr, &pair, &hooks);
  EXPECT_EQ(cleared.size(), 2u);
  int dayNumbers = 0;
  for (const auto& op : d.OpsStartingWith("left "))
    if (op.find(" 0,0,0 |3") != std::string::npos || op.find(" 0,0,0 |4") != std::string::npos) ++dayNumbers;
  EXPECT_EQ(dayNumbers, 2);
  EXPECT_FALSE(d.DrewText("10"));
}

TEST_F(PainterTest, PaperHasNoArrowsShadingOrPanel) {
  RecordingDrawing d(kDevicePrinter, kColorModeBlackWhite, 4);
  PaintPrintIt(d, area_, GregorianDate{10, 3, 2025});
  EXPECT_TRUE(d.OpsStartingWith("polygon").empty());
  for (const auto& op : d.OpsStartingWith("fill "))
    EXPECT_EQ(op.find("40960"), std::string::npos) << "no selected-day shading on paper: " << op;
  // Black and white: only the weekday header cells (white) are filled.
  for (const auto& op : d.OpsStartingWith("fill "))
    EXPECT_NE(op.find("65535,65535,65535"), std::string::npos) << op;
  EXPECT_TRUE(d.DrewText("March 2025"));
}

TEST_F(PainterTest, ShabbatShuvaIsNamed) {
  // 5785 began on Thursday 3 October 2024: Shabbat Shuva is 5 October.
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(5, 10, 2024)).specialShabbat, "Shabbat Shuva");
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(12, 10, 2024)).specialShabbat, "");
  // 5784 began on Shabbat 16 September 2023: the next Shabbat, 23 September.
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(16, 9, 2023)).specialShabbat, "");
  EXPECT_EQ(PaintInternal_GetDayInformation(AbsoluteFromGregorian(23, 9, 2023)).specialShabbat, "Shabbat Shuva");
}

// Row and column of every Gregorian day number drawn (left-aligned, black).
std::map<int, std::pair<int, int>> DayNumberPositions(const RecordingDrawing& d) {
  std::map<int, std::pair<int, int>> pos;
  for (const auto& op : d.OpsStartingWith("left ")) {
    const size_t bar = op.find(" 0,0,0 |");
    if (bar == std::string::npos) continue;
    int x = 0, y = 0;
    std::sscanf(op.c_str(), "left %d %d", &x, &y);
    pos[std::stoi(op.substr(bar + 8))] = {x, y};
  }
  return pos;
}

TEST_F(PainterTest, GridGeometry) {
  // June 2025 begins on a Sunday: the 1st in the leftmost column.
  RecordingDrawing june;
  PaintItInternal(june, area_, GregorianDate{1, 6, 2025}, true, false, nullptr, nullptr, nullptr);
  auto pos = DayNumberPositions(june);
  ASSERT_EQ(pos.size(), 30u);
  EXPECT_EQ(pos[1].first, 1);                   // cell left + 1 unit
  EXPECT_EQ(pos[8].first, 1);
  EXPECT_EQ(pos[7].first, 6 * (1400 / 7) + 1);  // Shabbat column
  // March 2025: 1st on Shabbat, 30th and 31st in columns 0 and 1 of the sixth row.
  RecordingDrawing march;
  PaintItInternal(march, area_, GregorianDate{1, 3, 2025}, true, false, nullptr, nullptr, nullptr);
  pos = DayNumberPositions(march);
  EXPECT_EQ(pos[1].first, 6 * 200 + 1);
  EXPECT_EQ(pos[30].first, 1);
  EXPECT_EQ(pos[31].first, 201);
  const int rowHeight = pos[8].second - pos[1].second;
  EXPECT_EQ(pos[30].second - pos[1].second, 5 * rowHeight);
  // The zmanim panel fills columns 2..6 of the sixth row (grey fill, 5 columns wide).
  bool panel = false;
  for (const auto& op : march.OpsStartingWith("fill 400 "))
    if (op.find(" 1000 ") != std::string::npos && op.find("53248,53248,53248") != std::string::npos) panel = true;
  EXPECT_TRUE(panel);
}

TEST_F(PainterTest, SharedBorderGoesToTheEarlierDay) {
  // June 2025: 1 June at column 0, 2 June at column 1; x = 200 is on both cells' border.
  RecordingDrawing probe;
  PaintItInternal(probe, area_, GregorianDate{1, 6, 2025}, true, false, nullptr, nullptr, nullptr);
  const int y = DayNumberPositions(probe)[1].second + 20;
  CalendarHit hit;
  hit.x = 200;
  hit.y = y;
  RecordingDrawing d;
  PaintItInternal(d, area_, GregorianDate{1, 6, 2025}, false, false, &hit, nullptr, nullptr);
  EXPECT_EQ(hit.day, 1);
  hit = CalendarHit{};
  hit.x = 201;
  hit.y = y;
  PaintItInternal(d, area_, GregorianDate{1, 6, 2025}, false, false, &hit, nullptr, nullptr);
  EXPECT_EQ(hit.day, 2);
}

TEST_F(PainterTest, ColoursUseEnglishNamesInYiddish) {
  std::filesystem::create_directories(home_.path() + "/.lumaro/translations");
  testenv::WriteFile(home_.path() + "/.lumaro/translations/yiddish.calendar",
                     "\"Purim\" = \"\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D\"\n");
  setLanguage(kLanguageYiddish);
  translate_done();
  translate_init("yiddish");
  RecordingDrawing d;
  PaintItInternal(d, area_, GregorianDate{14, 3, 2025}, true, true, nullptr, nullptr, nullptr);
  EXPECT_TRUE(d.DrewText("\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D"));  // the name is shown in Yiddish
  bool green = false;
  for (const auto& op : d.OpsStartingWith("fill "))
    if (op.find("53248,65535,53248") != std::string::npos) green = true;
  EXPECT_TRUE(green) << "Purim keeps its colour in Yiddish";
  EXPECT_EQ(translate_perform("Purim"), "\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D");  // back to Yiddish
}

TEST(ZmanimPanel, Entries) {
  const auto entries = ZmanimPanelEntries("Zmanim for 1.1.2025\nPforzheim\nSunrise: 08:10AM\nA: b: c\n\nno colon\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Sunrise");
  EXPECT_EQ(entries[0].value, "08:10AM");
  EXPECT_EQ(entries[1].name, "A");
  EXPECT_EQ(entries[1].value, "b: c");
}

}  // namespace
