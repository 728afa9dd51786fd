#include "render/month_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "recording_drawing.h"
#include "calendar/festivals.h"
#include "render/colors.h"
#include "compose/day_info.h"
#include "render/font_sizes.h"
#include "render/zmanim_panel.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

using testenv::RecordingDrawing;

class PainterTest : public ::testing::Test {
 protected:
  PainterTest() {
    settingsReset();
    translate_init("english");
  }
  ~PainterTest() override { translate_done(); }

  // The month of `selected` painted (or only hit-tested when `hit` is given) into a recording.
  RecordingDrawing Paint(GregorianDate selected, CalendarHit* hit = nullptr, const PaintHooks* hooks = nullptr,
                         const RepaintPair* pair = nullptr) {
    RecordingDrawing d;
    PaintItInternal(d, area_, selected, CurrentOptions(), hit == nullptr, false, hit, pair, hooks);
    return d;
  }
  int DayAt(GregorianDate month, int x, int y) {
    CalendarHit hit;
    hit.x = x;
    hit.y = y;
    EXPECT_TRUE(Paint(month, &hit).texts.empty()) << "a hit test draws nothing";
    return hit.day;
  }

  testenv::TempHome home_;
  const PaintArea area_{0, 0, 1400, 1000};
};

bool Filled(const RecordingDrawing& d, const std::string& colour) {
  for (const auto& op : d.OpsStartingWith("fill "))
    if (op.find(" " + colour) != std::string::npos) return true;
  return false;
}

// Position of every Gregorian day number drawn (black digits alone).
std::map<int, std::pair<int, int>> DayNumberPositions(const RecordingDrawing& d) {
  std::map<int, std::pair<int, int>> pos;
  for (const auto& op : d.OpsStartingWith("left ")) {
    const size_t bar = op.find(" 0,0,0 |");
    if (bar == std::string::npos) continue;
    const std::string text = op.substr(bar + 8);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) continue;
    int x = 0, y = 0;
    std::sscanf(op.c_str(), "left %d %d", &x, &y);
    pos[std::stoi(text)] = {x, y};
  }
  return pos;
}

// The colours a luach gives each day, for every holiday of the festival
// table that has one, in Israel and in the Diaspora.
TEST(HolidayColors, Rules) {
  const AbsoluteDay plain = AbsoluteFromHebrew(5, kHeshvan, 5785);
  const AbsoluteDay roshKhodesh = AbsoluteFromHebrew(1, kHeshvan, 5785);
  using F = Festival;
  struct Case {
    Festival festival;
    bool diaspora;
    AbsoluteDay day;
    const char* expected;  // colour name, or "" for unchanged
  } cases[] = {
      {F::kSukkotIV, true, plain, "light-green"},        {F::kKhanukkaIII, true, plain, "light-green"},
      {F::kPurim, true, plain, "light-green"},           {F::kPesakhSheni, true, plain, "light-green"},
      {F::kHoshanaRabba, false, plain, "light-green"},   {F::kTuBeAv, false, plain, "light-green"},
      {F::kShushanPurim, true, plain, ""},               {F::kPurimKatan, true, plain, ""},
      {F::kRoshHaShanaI, true, plain, "light-blue"},     {F::kSheminiAtseret, false, plain, "light-blue"},
      {F::kPesakhVII, true, plain, "light-blue"},        {F::kYomKippur, true, plain, "yellow"},
      {F::kTsomGedalya, true, plain, "light-red"},       {F::kTaanitEster, true, plain, "light-red"},
      {F::kTishaBeAv, true, plain, "dark-red"},          {F::kTsomTevet, true, plain, ""},
      {F::kErevPesakh, true, plain, ""},                 {F::kErevPesakh, true, roshKhodesh, "light-green"},
      {F::kLagBaOmer, true, plain, ""},                  {F::kYomHaAtsmaut, false, plain, ""},
      // The second day of Sukkot and of Pesakh: a festival day in the
      // Diaspora, Khol HaMoed in Israel.
      {F::kSukkotII, true, plain, "light-blue"},         {F::kSukkotII, false, plain, "light-green"},
      {F::kPesakhII, true, plain, "light-blue"},         {F::kPesakhII, false, plain, "light-green"},
  };
  for (const Case& c : cases) {
    DrawingColor color = kCellGrey, expected = kCellGrey;
    const CalendarRules rules{c.diaspora, true};
    GetHolidayColor(c.day, FestivalFactsOf(c.festival, rules).tint, &color);
    PaintGetColor(c.expected, &expected);
    EXPECT_EQ(color, expected) << IdOf(c.festival) << (c.diaspora ? " Diaspora" : " Israel");
  }
  DrawingColor day = kCellGrey;
  GetHolidayColor(roshKhodesh, CellTint::kNone, &day);
  EXPECT_EQ(day, (DrawingColor{53248, 65535, 53248})) << "Rosh Khodesh without a holiday";
  DrawingColor shabbat = kCellGrey;
  GetShabbatColor(&shabbat);
  EXPECT_EQ(shabbat, kWhite);
}

TEST(Frames, ScreenBevelAndPaperOutline) {
  RecordingDrawing screen;
  Draw3DEffect(screen, 10, 20, 100, 50, false);
  // A 2-pixel frame: dark top and left, light right and bottom.
  ASSERT_EQ(screen.ops.size(), 8u);
  EXPECT_EQ(screen.ops[0], "line 10 20 110 20 32768,32768,32768");
  EXPECT_EQ(screen.ops[2], "line 110 20 110 70 50000,50000,50000");
  EXPECT_EQ(screen.ops[7], "line 11 69 110 69 50000,50000,50000");
  RecordingDrawing pressed;
  Draw3DEffect(pressed, 10, 20, 100, 50, true);
  EXPECT_EQ(pressed.ops.size(), 4u);  // only the dark right and bottom edges
  RecordingDrawing paper(kDevicePrinter);
  Draw3DEffect(paper, 10, 20, 100, 50, false);
  EXPECT_EQ(paper.ops, std::vector<std::string>{"rect 10 20 100 50 0,0,0"});
  EXPECT_EQ(Get3DEffectSize(paper), 0);
}

TEST_F(PainterTest, StoredFontSizesApplyToScreenAndPaper) {
  FontSizeSet s;
  FontSize_GetDefault(&s, false, false);
  EXPECT_EQ(s.size[kFontOmer], 12);
  s.size[kFontOmer] = 30;
  FontSize_Store(s);
  FontSizeSet paper;
  FontSize_GetDefault(&paper, false, true);
  EXPECT_EQ(paper.size[kFontOmer], 16);
  FontSize_Load(&paper);
  EXPECT_EQ(paper.size[kFontOmer], 30);
  FontSize_Reset();
  FontSize_GetDefault(&paper, false, true);
  FontSize_Load(&paper);
  EXPECT_EQ(paper.size[kFontOmer], 16);
}

TEST_F(PainterTest, CaptionsAndDayTexts) {
  // One Hebrew month, two months, two years.
  auto info = [](AbsoluteDay d) { return PaintInternal_GetDayInformation(d); };
  EXPECT_EQ(info(AbsoluteFromGregorian(14, 4, 2025)).omer, "1 L'Omer");
  const DayInformation k6 = info(AbsoluteFromHebrew(30, kKislev, 5785));
  EXPECT_EQ(k6.roshKhodesh, "1st Rosh Khodesh");
  EXPECT_EQ(k6.holiday, "Khanukka VI");
  EXPECT_EQ(info(AbsoluteFromHebrew(1, kTevet, 5785)).roshKhodesh, "2nd Rosh Khodesh");
  EXPECT_EQ(info(AbsoluteFromHebrew(1, kTishri, 5785)).roshKhodesh, "");
  const DayInformation shekalim = info(AbsoluteFromGregorian(1, 3, 2025));
  EXPECT_EQ(shekalim.torahSection, "Terumah");
  EXPECT_EQ(shekalim.specialShabbat, "Shabbat Shekalim");
  EXPECT_EQ(info(AbsoluteFromGregorian(3, 5, 2025)).torahSection, "Tazria, Metsora");
  EXPECT_EQ(info(AbsoluteFromGregorian(4, 5, 2025)).torahSection, "");
  // Shabbat Shuva: 5785 began on a Thursday, 5784 on Shabbat itself.
  EXPECT_EQ(info(AbsoluteFromGregorian(5, 10, 2024)).specialShabbat, "Shabbat Shuva");
  EXPECT_EQ(info(AbsoluteFromGregorian(16, 9, 2023)).specialShabbat, "");
  EXPECT_EQ(info(AbsoluteFromGregorian(23, 9, 2023)).specialShabbat, "Shabbat Shuva");
  // In other languages the long Rosh Khodesh texts are the keys.
  setLanguage(kLanguageYiddish);
  EXPECT_EQ(info(AbsoluteFromHebrew(30, kKislev, 5785)).roshKhodesh, "1st day of Rosh Khodesh");
}

TEST_F(PainterTest, FullPaintOfASixRowMonth) {
  std::vector<std::string> hints;
  PaintHooks hooks;
  hooks.addHint = [&](int, int, int, int, std::string_view t) { hints.emplace_back(t); };
  // March 2025 begins on a Saturday and has 31 days.
  const RecordingDrawing d = Paint({10, 3, 2025}, nullptr, &hooks);
  for (const char* text : {"March 2025", "1 Adar - 2 Nisan 5785", "Sunday", "Shabbat", "Purim"})
    EXPECT_TRUE(d.DrewText(text)) << text;
  EXPECT_EQ(d.OpsStartingWith("polygon").size(), 2u);  // the two month arrows
  EXPECT_EQ(std::count(hints.begin(), hints.end(), "Gregorian day number"), 31);
  EXPECT_EQ(std::count(hints.begin(), hints.end(), "Jewish day number"), 31);
  EXPECT_TRUE(Filled(d, "45260,45260,45260"));  // the selected day: its grey, darker
  EXPECT_TRUE(Filled(d, "53248,65535,53248"));  // Purim, light green
  const auto pos = DayNumberPositions(d);
  ASSERT_EQ(pos.size(), 31u);
  EXPECT_EQ(pos.at(1).first, 6 * 200 + 5);  // Shabbat column, inside the 2-unit frame and 3 units more
  EXPECT_EQ(pos.at(30).first, 5);
  EXPECT_EQ(pos.at(31).first, 205);
  EXPECT_EQ(pos.at(30).second - pos.at(1).second, 5 * (pos.at(8).second - pos.at(1).second));
  // The zmanim panel fills columns 2..6 of the sixth row, grey.
  bool panel = false;
  for (const auto& op : d.OpsStartingWith("fill 400 "))
    panel |= op.find(" 1000 ") != std::string::npos && op.find("53248,53248,53248") != std::string::npos;
  EXPECT_TRUE(panel);
  // June 2025 begins on a Sunday.
  const auto june = DayNumberPositions(Paint({1, 6, 2025}));
  ASSERT_EQ(june.size(), 30u);
  EXPECT_EQ(june.at(1).first, 5);
  EXPECT_EQ(june.at(7).first, 6 * 200 + 5);
}

TEST_F(PainterTest, HitRegions) {
  // The caption "March 2025" is centred, 6 units per byte.
  const int x0 = area_.width / 2 - 6 * 10 / 2;
  auto captionAt = [&](int x) {
    CalendarHit hit;
    hit.x = x;
    hit.y = 5;
    Paint({10, 3, 2025}, &hit);
    return std::to_string(hit.onMonthName) + std::to_string(hit.onYear) + std::to_string(hit.day);
  };
  EXPECT_EQ(captionAt(x0 + 3), "100");
  EXPECT_EQ(captionAt(x0 + 6 * 6 + 3), "010");
  EXPECT_EQ(captionAt(x0 + 5 * 6 + 3), "000");  // the blank between the words
  // With the recording metrics the grid starts at y = 71, rows 154 high.
  EXPECT_EQ(DayAt({10, 3, 2025}, area_.width - 10, 150), 1);
  EXPECT_EQ(DayAt({10, 3, 2025}, 10, 150), 0);
  EXPECT_EQ(DayAt({10, 3, 2025}, area_.width - 10, 300), 8);
  EXPECT_EQ(DayAt({10, 3, 2025}, 5, area_.height - 5), 30);
  // A shared border belongs to the earlier day.
  EXPECT_EQ(DayAt({1, 6, 2025}, 200, 100), 1);
  EXPECT_EQ(DayAt({1, 6, 2025}, 201, 100), 2);
}

// By Hebrew months: Nisan 5784 ran from Tuesday 9 April to Wednesday 8 May
// 2024, thirty days.
TEST_F(PainterTest, AHebrewMonthGridWithTheGregorianDatesSmall) {
  RecordingDrawing d;
  PaintItInternal(d, area_, {15, 4, 2024}, CurrentOptions(), true, false, nullptr, nullptr, nullptr, MonthKind::kHebrew);
  EXPECT_TRUE(d.DrewText("Nisan 5784"));
  EXPECT_TRUE(d.DrewText("9 April - 8 May 2024"));
  EXPECT_FALSE(d.DrewText("April 2024"));
  const auto pos = DayNumberPositions(d);  // the Gregorian numbers: 9..30 April, 1..8 May
  ASSERT_EQ(pos.size(), 30u);
  EXPECT_EQ(pos.at(9).first, 2 * 200 + 5);   // 1 Nisan, a Tuesday
  EXPECT_EQ(pos.at(13).first, 6 * 200 + 5);  // 5 Nisan, Shabbat
  EXPECT_EQ(pos.at(14).first, 5);            // 6 Nisan, the next row
  EXPECT_EQ(pos.at(8).first, 3 * 200 + 5);   // 30 Nisan, 8 May, a Wednesday of the fifth row
  EXPECT_EQ(pos.at(8).second - pos.at(9).second, 4 * (pos.at(14).second - pos.at(9).second));
  // Every Hebrew day 1..30 drawn once, each bigger than the Gregorian number beside it.
  std::map<std::string, int> hebrewSizes;
  int gregorianSize = 0;
  for (const auto& op : d.OpsStartingWith("left ")) {
    int x = 0, y = 0, size = 0;
    std::sscanf(op.c_str(), "left %d %d %d", &x, &y, &size);
    const std::string text = op.substr(op.find(" |") + 2);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) continue;
    if (op.find(" 0,0,0 |") != std::string::npos) {
      gregorianSize = size;
    } else if (op.find(" 0,0,65535 |") != std::string::npos || op.find(" 65535,0,0 |") != std::string::npos) {
      if (!hebrewSizes.count(text)) hebrewSizes[text] = size;
    }
  }
  EXPECT_EQ(hebrewSizes.size(), 30u);
  ASSERT_GT(gregorianSize, 0);
  for (const auto& [text, size] : hebrewSizes) EXPECT_GT(size, gregorianSize) << text;

  // The hit test names the cell's index in the month and its date.
  CalendarHit hit;
  hit.x = 2 * 200 + 10;
  hit.y = 150;
  PaintItInternal(d, area_, {15, 4, 2024}, CurrentOptions(), false, false, &hit, nullptr, nullptr, MonthKind::kHebrew);
  EXPECT_EQ(hit.day, 1);
  EXPECT_EQ(hit.date, (GregorianDate{9, 4, 2024}));
  hit.x = 3 * 200 + 10;
  hit.y = 71 + 4 * 154 + 20;
  PaintItInternal(d, area_, {15, 4, 2024}, CurrentOptions(), false, false, &hit, nullptr, nullptr, MonthKind::kHebrew);
  EXPECT_EQ(hit.day, 30);
  EXPECT_EQ(hit.date, (GregorianDate{8, 5, 2024}));
  hit.x = 10;
  hit.y = 150;
  PaintItInternal(d, area_, {15, 4, 2024}, CurrentOptions(), false, false, &hit, nullptr, nullptr, MonthKind::kHebrew);
  EXPECT_EQ(hit.day, 0);
}

TEST_F(PainterTest, PartialRepaintTouchesTwoCells) {
  std::vector<int> cleared;
  PaintHooks hooks;
  hooks.clearRect = [&](int x, int, int, int) { cleared.push_back(x); };
  const RepaintPair pair{3, 4};
  const RecordingDrawing d = Paint({4, 3, 2025}, nullptr, &hooks, &pair);
  EXPECT_EQ(cleared.size(), 2u);
  const auto pos = DayNumberPositions(d);
  EXPECT_EQ(pos.size(), 2u);
  EXPECT_EQ(pos.count(3) + pos.count(4), 2u);
}

TEST_F(PainterTest, PaperHasNoArrowsShadingOrColourInBlackAndWhite) {
  RecordingDrawing d(kDevicePrinter, kColorModeBlackWhite, 4);
  PaintPrintIt(d, area_, GregorianDate{10, 3, 2025}, CurrentOptions());
  EXPECT_TRUE(d.DrewText("March 2025"));
  EXPECT_TRUE(d.OpsStartingWith("polygon").empty());
  // Only the weekday header cells are filled, white.
  for (const auto& op : d.OpsStartingWith("fill ")) EXPECT_NE(op.find("65535,65535,65535"), std::string::npos) << op;
  // In colour the holidays keep their tints, and the selected day (an
  // ordinary Monday) is not shaded as on the screen.
  RecordingDrawing colour(kDevicePrinter, kColorModeColor, 4);
  PaintPrintIt(colour, area_, GregorianDate{10, 3, 2025}, CurrentOptions());
  EXPECT_TRUE(Filled(colour, "53248,65535,53248")) << "Purim";
  EXPECT_FALSE(Filled(colour, "40960,40960,40960")) << "the selected day is shaded on paper";
}

TEST_F(PainterTest, ColoursUseEnglishNamesInYiddish) {
  std::filesystem::create_directories(home_.lumaro("translations"));
  testenv::WriteFile(home_.lumaro("translations/yiddish.calendar"), "\"Purim\" = \"\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D\"\n");
  setLanguage(kLanguageYiddish);
  translate_done();
  translate_init("yiddish");
  const RecordingDrawing d = Paint({10, 3, 2025});
  EXPECT_TRUE(d.DrewText("\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D"));
  EXPECT_TRUE(Filled(d, "53248,65535,53248")) << "Purim keeps its colour in Yiddish";
}

// The times of a fast in its cell: the end in the time slot, violet, when
// no candle lighting or havdalah takes it; the beginning (and an end the
// slot has no room for) as lines below; none for Yom Kippur, whose times
// are its candles and havdalah.
TEST_F(PainterTest, FastTimesInTheCell) {
  testenv::WriteFile(home_.lumaro("cities"), "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1, Europe/Berlin\n");
  setTimeFormat(1);
  const std::string violet = "36864,0,45056", red = "65535,0,0";
  // The texts drawn in the cell of a day, with their colours: the text
  // operations whose position lies in the rectangle the painter reports for
  // that day.
  struct Rect {
    int x, y, w, h;
  };
  std::map<int, Rect> cells;
  auto cell = [&](const RecordingDrawing& d, const GregorianDate& g) {
    const Rect r = cells.at(g.day);
    std::vector<std::string> out;
    for (const auto& op : d.ops) {
      int x = 0, y = 0;
      if (std::sscanf(op.c_str(), "left %d %d", &x, &y) != 2) continue;
      if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) out.push_back(op);
    }
    return out;
  };
  auto count = [](const std::vector<std::string>& ops, const std::string& colour, const std::string& text) {
    return std::count_if(ops.begin(), ops.end(), [&](const std::string& op) {
      return op.find(" " + colour + " |") != std::string::npos && op.find(text) != std::string::npos;
    });
  };
  std::vector<std::string> hints;
  PaintHooks hooks;
  hooks.addHint = [&](int, int, int, int, std::string_view t) { hints.emplace_back(t); };
  hooks.boxPainted = [&](int day, int x, int y, int w, int h) {
    if (day > 0) cells[day] = {x, y, w, h};
  };

  const RecordingDrawing march = Paint({1, 3, 2025}, nullptr, &hooks);
  // Taanit Ester, Thursday 13 March: only violet times; candles red on the Friday.
  const auto ester = cell(march, {13, 3, 2025});
  EXPECT_EQ(count(ester, violet, ":"), 2) << ::testing::PrintToString(ester);
  EXPECT_EQ(count(ester, violet, "Fast begins 0"), 1);
  EXPECT_EQ(count(ester, red, ":"), 0);
  EXPECT_EQ(count(cell(march, {14, 3, 2025}), red, ":"), 1);
  EXPECT_EQ(std::count(hints.begin(), hints.end(), "Fast ends"), 1);
  EXPECT_EQ(std::count(hints.begin(), hints.end(), "Fast begins"), 1);

  // 10 Tevet on a Friday: the Shabbat candles keep the slot, the fast's
  // end and beginning become lines.
  const auto tevet = cell(Paint({1, 1, 2025}, nullptr, &hooks), {10, 1, 2025});
  EXPECT_EQ(count(tevet, red, ":"), 1);
  EXPECT_EQ(count(tevet, violet, "Fast ends 1"), 1);
  EXPECT_EQ(count(tevet, violet, "Fast begins 0"), 1);

  // Tisha BeAv 5785 deferred to Sunday: its beginning on Saturday's cell
  // under the havdalah, its end in Sunday's slot.
  const RecordingDrawing august = Paint({1, 8, 2025}, nullptr, &hooks);
  const auto saturday = cell(august, {2, 8, 2025});
  EXPECT_EQ(count(saturday, red, ":"), 1);
  EXPECT_EQ(count(saturday, violet, "Fast begins 2"), 1);
  const auto sunday = cell(august, {3, 8, 2025});
  EXPECT_EQ(count(sunday, violet, ":"), 1);
  EXPECT_EQ(count(sunday, violet, "Fast"), 0);  // the slot holds the time alone

  // Yom Kippur 5786: candles and havdalah, nothing violet.
  const RecordingDrawing october = Paint({1, 10, 2025}, nullptr, &hooks);
  for (int day : {1, 2}) EXPECT_EQ(count(cell(october, {day, 10, 2025}), violet, ":"), 0) << day;
  EXPECT_EQ(count(cell(october, {2, 10, 2025}), red, ":"), 1);
}

TEST(ZmanimPanel, Entries) {
  const auto entries = ZmanimPanelEntries("Zmanim for 1.1.2025\nPforzheim\nSunrise: 08:10AM\nA: b: c\n\nno colon\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name + "=" + entries[0].value, "Sunrise=08:10AM");
  EXPECT_EQ(entries[1].name + "=" + entries[1].value, "A=b: c");
}

}  // namespace
