// The layout of a day cell, measured with the recording Drawing's metrics
// (6 units a byte, lines 10 + size / 2 high): sizes shrink before lines go,
// lines go least important first, anniversaries never without a "+N more",
// and no text overlaps another or leaves the cell, whatever its size.
#include "render/cell_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "recording_drawing.h"
#include "test_env.h"
#include "render/colors.h"

namespace {

using testenv::RecordingDrawing;
using K = CellLineKind;

FontSizeSet EnglishScreenSizes() {
  FontSizeSet s;
  FontSize_GetDefault(&s, false, false);
  return s;
}

constexpr int kSmallest = 7;

CellLine Line(K kind, FontRole role, std::string text, std::string hint = {}) {
  return {kind, role, kBlue, std::move(text), std::move(hint)};
}

// A Shabbat that has everything: the lines in the order a cell shows them.
CellContent FullDay(int anniversaries) {
  CellContent c;
  c.gregorianNumber = "14";
  c.hebrewNumber = "27";
  c.lines = {Line(K::kHoliday, kFontImportant1, "Pesakh VIII"),
             Line(K::kTime, kFontShabbatTime, "08:52PM", "Havdalah"),
             Line(K::kYizkor, kFontImportant2, "Yizkor"),
             Line(K::kSection, kFontImportant2, "Shemini"),
             Line(K::kRoshKhodesh, kFontImportant2, "Rosh Khodesh"),
             Line(K::kOmer, kFontOmer, "7 L'Omer")};
  for (int i = 0; i < anniversaries; ++i)
    c.lines.push_back(Line(K::kAnniversary, kFontAnniversaries, "Birthday: N" + std::to_string(i)));
  c.lines.push_back(Line(K::kDafYomi, kFontDafYomi, "Menachos 88", "Daf Yomi"));
  return c;
}

CellLayoutOptions Options() {
  CellLayoutOptions o;
  o.inset = 3;
  o.numberGap = 4;
  o.ellipsis = "~";
  return o;
}

// Known cells laid out, against a reviewed golden file: a roomy cell at the
// configured sizes (the time between the day numbers, the Daf Yomi on the
// lower edge); one where the sizes shrink to 80 % before lines go; long
// lines shrunk or cut with their whole text in the hint; a time without room
// between the numbers below them; with metrics that grow with the size, a
// time that fits between the numbers only when smaller keeps its size on a
// line of its own; a full day shrinking from 140 units high to 20, where
// lines go least important first (holiday, time, section, Rosh Khodesh,
// Yizkor, anniversaries, Omer, Daf Yomi) and six anniversaries never go
// without a "+N more" naming them all, or the day number's hint doing so.
TEST(CellLayout, KnownCellsAsReviewed) {
  CellContent longLines;
  longLines.gregorianNumber = "1";
  longLines.hebrewNumber = "2";
  longLines.lines = {Line(K::kSection, kFontImportant2, "Aharemoth, Kedoshim"),
                     Line(K::kHoliday, kFontImportant1, "Shemini Atseret/Simkhat T")};
  CellContent purim;
  purim.gregorianNumber = "30";
  purim.hebrewNumber = "29";
  purim.lines = {Line(K::kHoliday, kFontImportant1, "Purim"), Line(K::kTime, kFontShabbatTime, "07:47PM")};
  CellContent pesakh;
  pesakh.gregorianNumber = "3";
  pesakh.hebrewNumber = "16";
  pesakh.lines = {Line(K::kHoliday, kFontImportant1, "Pesakh II"), Line(K::kTime, kFontShabbatTime, "07:47PM"),
                  Line(K::kOmer, kFontOmer, "1 L'Omer")};
  RecordingDrawing recording;
  RecordingDrawing proportional(kDeviceScreen, kColorModeColor, 1, true);
  FontBook fixed(recording, EnglishScreenSizes(), kSmallest), grows(proportional, EnglishScreenSizes(), kSmallest);
  const std::tuple<const char*, const CellContent, FontBook*, int, int> cases[] = {
      {"full day", FullDay(1), &fixed, 200, 300}, {"full day", FullDay(1), &fixed, 200, 130},
      {"long lines", longLines, &fixed, 200, 200}, {"long lines", longLines, &fixed, 100, 200},
      {"long lines", longLines, &fixed, 66, 200},  {"Purim", purim, &fixed, 60, 200},
      {"Purim", purim, &fixed, 120, 200},          {"Pesakh, growing metrics", pesakh, &grows, 90, 300},
      {"Pesakh, growing metrics", pesakh, &grows, 100, 300}};
  std::vector<std::tuple<const char*, const CellContent, FontBook*, int, int>> all(std::begin(cases), std::end(cases));
  for (int height = 140; height >= 20; height -= 8) all.emplace_back("full day", FullDay(1), &fixed, 200, height);
  for (int height = 260; height >= 40; height -= 20) all.emplace_back("six anniversaries", FullDay(6), &fixed, 200, height);
  std::string got;
  for (const auto& [name, content, fonts, width, height] : all) {
    const CellLayout l = LayoutCell(*fonts, {100, 200, width, height}, content, Options());
    got += "== " + std::string(name) + ", " + std::to_string(width) + "x" + std::to_string(height) + ": scale " +
           std::to_string(l.scale) + ", dropped " + std::to_string(l.droppedLines) + ", hidden " + std::to_string(l.hiddenAnniversaries) + "\n";
    for (const PlacedText& t : l.texts)
      got += t.text + " @" + std::to_string(t.box.x) + "," + std::to_string(t.box.y) + " " + std::to_string(t.box.width) +
             "x" + std::to_string(t.box.height) + (t.hint.empty() ? "" : " hint: " + t.hint) + "\n";
  }
  testenv::ExpectGolden("cell_layouts.txt", got);
}

// A property over cell sizes from tiny to large: nothing overlaps, nothing
// leaves the cell.
TEST(CellLayout, NothingOverlapsOrLeavesTheCellAtAnySize) {
  for (int anniversaries : {0, 2, 6}) {
    const CellContent content = FullDay(anniversaries);
    for (int width = 30; width <= 260; width += 23) {
      for (int height = 24; height <= 300; height += 17) {
        RecordingDrawing d;
        FontBook fonts(d, EnglishScreenSizes(), kSmallest);
        std::vector<testenv::TextBox> boxes;
        for (const PlacedText& t : LayoutCell(fonts, {100, 200, width, height}, content, Options()).texts)
          boxes.push_back({t.box.x, t.box.y, t.box.width, t.box.height, t.text});
        const PaintArea cell{100, 200, width, height};
        const std::vector<std::string> problems = testenv::BoxProblems(boxes, &cell);
        EXPECT_TRUE(problems.empty()) << width << "x" << height << ": " << problems.front();
      }
    }
  }
}

TEST(CellLayout, TheMonthScaleCountsAnniversariesAsOneLine) {
  RecordingDrawing d;
  FontBook fonts(d, EnglishScreenSizes(), kSmallest);
  const CellBox box{0, 0, 200, 130};
  const int one = LargestFittingScale(fonts, box, FullDay(1), Options());
  EXPECT_EQ(LargestFittingScale(fonts, box, FullDay(6), Options()), one);
  EXPECT_EQ(one, 80);
  EXPECT_EQ(LargestFittingScale(fonts, {0, 0, 200, 400}, FullDay(6), Options()), 100);
  EXPECT_EQ(LargestFittingScale(fonts, {0, 0, 200, 30}, FullDay(0), Options()), 60);
}

TEST(FitTextToWidth, CutsWholeCharactersAndKeepsPointsWithTheirLetters) {
  RecordingDrawing d;
  FontBook fonts(d, EnglishScreenSizes(), kSmallest);
  // "ש" + shin dot + "ב" + "ת": the dot (2 bytes) never stands without its letter.
  const std::string shabbat = "\xD7\xA9\xD7\x81\xD7\x91\xD7\xAA";
  const FittedText fit = FitTextToWidth(fonts, kFontOmer, 12, 7, shabbat, 6 * 6, "~");
  EXPECT_TRUE(fit.cut);
  EXPECT_EQ(fit.text, "\xD7\xA9\xD7\x81~");
  const FittedText nothing = FitTextToWidth(fonts, kFontOmer, 12, 7, shabbat, 3, "~");
  EXPECT_EQ(nothing.text, "");
  const FittedText fits = FitTextToWidth(fonts, kFontOmer, 12, 7, "abc", 18, "~");
  EXPECT_FALSE(fits.cut);
  EXPECT_EQ(fits.size, 12);
}

}  // namespace
