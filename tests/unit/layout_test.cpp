// Layout: day cells measured with the recording Drawing's metrics (6 units a
// byte, lines 10 + size / 2 high) against a reviewed golden file; and for
// every layout (a cell of any size, a printed month on every paper in both
// orientations, a year sheet on every paper) one check: no text overlaps
// another or leaves its box. A year fits one page; more rows go on to more
// pages, each row once, every page with its title.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "ps_output.h"
#include "recording_drawing.h"
#include "render/cell_layout.h"
#include "render/colors.h"
#include "render/drawing_ps.h"
#include "render/month_painter.h"
#include "render/print.h"
#include "render/year_sheet.h"
#include "storage/user_files.h"
#include "test_env.h"

namespace {

using testenv::RecordingDrawing;
using K = CellLineKind;
using Strings = std::vector<std::string>;

constexpr int kSmallest = 7;
constexpr const char* kAharoni = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa";

FontSizeSet ScreenSizes() {
  FontSizeSet s;
  return FontSize_GetDefault(&s, false, false), s;
}

CellLine Line(K kind, FontRole role, std::string text, std::string hint = {}) {
  return {kind, role, kBlue, std::move(text), std::move(hint)};
}

CellContent Cell(std::string gregorian, std::string hebrew, std::vector<CellLine> lines) {
  return {std::move(gregorian), std::move(hebrew), {}, {}, {}, {}, std::move(lines)};
}

// A Shabbat that has everything: the lines in the order a cell shows them.
CellContent FullDay(int anniversaries) {
  CellContent c =
      Cell("14", "27",
           {Line(K::kHoliday, kFontImportant1, "Pesakh VIII"), Line(K::kTime, kFontShabbatTime, "08:52PM", "Havdalah"),
            Line(K::kYizkor, kFontImportant2, "Yizkor"), Line(K::kSection, kFontImportant2, "Shemini"),
            Line(K::kRoshKhodesh, kFontImportant2, "Rosh Khodesh"), Line(K::kOmer, kFontOmer, "7 L'Omer")});
  for (int i = 0; i < anniversaries; ++i)
    c.lines.push_back(Line(K::kAnniversary, kFontAnniversaries, "Birthday: N" + std::to_string(i)));
  c.lines.push_back(Line(K::kDafYomi, kFontDafYomi, "Menachos 88", "Daf Yomi"));
  return c;
}

// The full day with every study cycle chosen below its Daf Yomi.
CellContent EveryCycle() {
  CellContent c = FullDay(1);
  for (const char* cycle : {"Mishna Yomit", "Nach Yomi", "Yerushalmi", "Rambam"})
    c.lines.push_back(Line(K::kLearning, kFontDafYomi, "p. " + std::string(cycle).substr(0, 4), cycle));
  return c;
}

const CellLayoutOptions kCell{3, 4, 100, 60, "~"};  // inset, gap to the numbers, scales, ellipsis

// Known cells: a roomy one at the configured sizes; sizes shrinking to 80 %
// before lines go; long lines shrunk or cut with their whole text in the
// hint; a time without room between the numbers; with metrics that grow
// with the size, a time that fits between the numbers only when smaller
// keeps its size on a line of its own; a full day shrinking from 140 units
// high to 20, lines going least important first, six anniversaries and
// the study cycles never without a "+N more" naming the lines given up.
TEST(CellLayout, KnownCellsAsReviewed) {
  const CellContent longLines = Cell("1", "2",
                                     {Line(K::kSection, kFontImportant2, "Aharemoth, Kedoshim"),
                                      Line(K::kHoliday, kFontImportant1, "Shemini Atseret/Simkhat T")});
  const CellLine time = Line(K::kTime, kFontShabbatTime, "07:47PM"), omer = Line(K::kOmer, kFontOmer, "1 L'Omer");
  const CellContent purim = Cell("30", "29", {Line(K::kHoliday, kFontImportant1, "Purim"), time});
  const CellContent pesakh = Cell("3", "16", {Line(K::kHoliday, kFontImportant1, "Pesakh II"), time, omer});
  RecordingDrawing recording, proportional(kDeviceScreen, kColorModeColor, 1, true);
  FontBook fixed(recording, ScreenSizes(), kSmallest), grows(proportional, ScreenSizes(), kSmallest);
  std::vector<std::tuple<const char*, CellContent, FontBook*, int, int>> cases = {
      {"full day", FullDay(1), &fixed, 200, 300},
      {"full day", FullDay(1), &fixed, 200, 130},
      {"long lines", longLines, &fixed, 200, 200},
      {"long lines", longLines, &fixed, 100, 200},
      {"long lines", longLines, &fixed, 66, 200},
      {"Purim", purim, &fixed, 60, 200},
      {"Purim", purim, &fixed, 120, 200},
      {"Pesakh, growing metrics", pesakh, &grows, 90, 300},
      {"Pesakh, growing metrics", pesakh, &grows, 100, 300}};
  for (int height = 140; height >= 20; height -= 8) cases.emplace_back("full day", FullDay(1), &fixed, 200, height);
  for (int height = 260; height >= 40; height -= 20)
    cases.emplace_back("six anniversaries", FullDay(6), &fixed, 200, height);
  for (int height = 190; height >= 130; height -= 20)
    cases.emplace_back("every study cycle", EveryCycle(), &fixed, 200, height);
  std::ostringstream got;
  for (const auto& [name, content, fonts, width, height] : cases) {
    const CellLayout l = LayoutCell(*fonts, {100, 200, width, height}, content, kCell);
    got << "== " << name << ", " << width << "x" << height << ": scale " << l.scale << ", dropped " << l.droppedLines
        << ", hidden " << l.hiddenAnniversaries << "\n";
    for (const PlacedText& t : l.texts)
      got << t.text << " @" << t.box.x << "," << t.box.y << " " << t.box.width << "x" << t.box.height
          << (t.hint.empty() ? "" : " hint: " + t.hint) << "\n";
  }
  testenv::ExpectGolden("cell_layouts.txt", got.str());
  // The month's scale counts the anniversaries as one line.
  for (const auto& [content, height, scale] :
       {std::tuple{FullDay(1), 130, 80}, {FullDay(6), 130, 80}, {FullDay(6), 400, 100}, {FullDay(0), 30, 60}})
    EXPECT_EQ(LargestFittingScale(fixed, {0, 0, 200, height}, content, kCell), scale) << height;
  // A cut keeps whole characters and a point with its letter (shin, shin dot, bet, tav).
  const std::string shabbat = "\xD7\xA9\xD7\x81\xD7\x91\xD7\xAA";
  for (const auto& [text, width, fitted] :
       {std::tuple<std::string, int, std::string>{shabbat, 36, "\xD7\xA9\xD7\x81~ cut"}, {shabbat, 3, " cut"}}) {
    const FittedText fit = FitTextToWidth(fixed, kFontOmer, 12, 7, text, width, "~");
    EXPECT_EQ(fit.text + " " + (fit.cut ? "cut" : std::to_string(fit.size)), fitted);
  }
  // Whatever the cell's size, no text overlaps another or leaves the cell;
  // a cell that gives lines up ends in "+N more", or its day number's hint
  // names them, one a line.
  for (const CellContent& content : {FullDay(0), FullDay(2), FullDay(6), EveryCycle()})
    for (int width = 30; width <= 260; width += 23)
      for (int height = 24; height <= 300; height += 17) {
        const PaintArea cell{100, 200, width, height};
        std::vector<testenv::TextBox> boxes;
        const CellLayout l = LayoutCell(fixed, {100, 200, width, height}, content, kCell);
        for (const PlacedText& t : l.texts) boxes.push_back({t.box.x, t.box.y, t.box.width, t.box.height, t.text});
        const Strings problems = testenv::BoxProblems(boxes, &cell);
        EXPECT_TRUE(problems.empty()) << width << "x" << height << ": " << problems.front();
        if (l.droppedLines == 0) continue;
        const std::string& hint = l.texts.back().isMoreLine ? l.texts.back().hint : l.texts.front().hint;
        EXPECT_EQ(std::count(hint.begin(), hint.end(), '\n') + 1, l.droppedLines) << width << "x" << height;
      }
}

// The week's columns: Sunday's at the right in Hebrew (by the language, or
// chosen in any language), at the left in English or when chosen so; the
// weekday's name heads the column its days stand in, and a click on any cell
// finds the day drawn there, in both directions; the left month arrow goes
// back in a left-to-right week and on in a right-to-left one. 1 June 2025 is
// a Sunday.
TEST(MonthGridLayout, WeekDirectionAndHits) {
  testenv::TempHome home;
  settingsReset();
  const PaintArea area{0, 0, 1400, 1000};
  for (const auto& [language, choice, sundayColumn] : {std::tuple{kLanguageEnglish, kWeekRightToLeftByLanguage, 0},
                                                       {kLanguageHebrew, kWeekRightToLeftByLanguage, 6},
                                                       {kLanguageHebrew, kWeekRightToLeftOff, 0},
                                                       {kLanguageEnglish, kWeekRightToLeftOn, 6}}) {
    SCOPED_TRACE(std::to_string(language) + " " + std::to_string(choice));
    Options o = CurrentOptions();
    o.text.language = language;
    o.look.weekRightToLeft = choice;
    RecordingDrawing r;
    const PaintHooks hooks = r.Hooks();
    PaintItInternal(r, area, {1, 6, 2025}, o, true, false, nullptr, nullptr, &hooks);
    ASSERT_GE(r.regions.size(), 30u);
    const testenv::PaintedRegion& sunday = r.regions.front();
    ASSERT_EQ(sunday.day, 1);
    EXPECT_EQ(sunday.x, sundayColumn * 200);
    const auto heading = std::find_if(r.boxes.begin(), r.boxes.end(), [](const auto& b) { return b.text == "Sunday"; });
    ASSERT_NE(heading, r.boxes.end());
    EXPECT_TRUE(heading->x > sunday.x && heading->x + heading->width < sunday.x + sunday.width);
    // The left arrow goes to the month the eye reads next.
    const auto arrow =
        std::find_if(r.boxes.begin(), r.boxes.end(), [](const auto& b) { return b.text == "<polygon>"; });
    ASSERT_NE(arrow, r.boxes.end());
    CalendarHit left;
    left.x = arrow->x + 1;
    left.y = arrow->y + arrow->height / 2;
    PaintItInternal(r, area, {1, 6, 2025}, o, false, false, &left, nullptr);
    EXPECT_EQ(left.onNextArrow, sundayColumn == 6 ? 1 : 0);
    EXPECT_EQ(left.onPrevArrow, sundayColumn == 6 ? 0 : 1);
    for (const testenv::PaintedRegion& cell : r.regions) {
      if (cell.day == 0) continue;
      CalendarHit hit;
      hit.x = cell.x + cell.width / 2;
      hit.y = cell.y + cell.height / 2;
      PaintItInternal(r, area, {1, 6, 2025}, o, false, false, &hit, nullptr);
      EXPECT_EQ(hit.day, cell.day);
      EXPECT_EQ(hit.date, (GregorianDate{cell.day, 6, 2025}));
    }
  }
}

// Paints on PostScript pages of `paper` with margins of 10 mm, measured with
// the printer's widths; `paint` gets the recorder, the printable area (cut to
// `height` if given) and what starts a new page. Every page's texts are
// checked, and that each page is shown; returned are the pages' texts.
template <class Paint>
std::vector<std::vector<testenv::TextBox>> Print(const PrintPaperFormat& paper, bool landscape, const Options& o,
                                                 Paint paint, int height = 0) {
  PrintJob job;
  PrintSetPaper(job, paper, landscape);
  PrintSetMargins(job, 10, 10, 10, 10);
  PaintArea area = PrintArea(job);
  area.height = height ? height : area.height;
  std::vector<std::vector<testenv::TextBox>> pages;
  const std::string ps = testenv::Written([&](std::FILE* out) {
    DrawingPtr drawing = drawing_ps_new(out, job.paperWidth, job.paperHeight, 1, o);
    RecordingDrawing r(*drawing);
    paint(r, area, [&] {
      pages.push_back(std::move(r.boxes));
      r.boxes.clear();
      drawing_ps_next_page(*drawing);
    });
    pages.push_back(r.boxes);
  });
  for (const auto& page : pages) {
    const Strings problems = testenv::BoxProblems(page, &area);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
  }
  size_t shown = 0;
  for (size_t at = ps.find("showpage"); at != std::string::npos; at = ps.find("showpage", at + 1)) ++shown;
  EXPECT_EQ(shown, pages.size());
  return pages;
}

class PrintoutLayout : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (GetParam() != kLanguageEnglish && !std::filesystem::exists(kAharoni)) GTEST_SKIP() << "culmus is not installed";
    ASSERT_TRUE(InstallDefaultUserFiles());
    settingsReset();
    setLanguage(GetParam());
    setPrintYiddishFontFile(kAharoni);
    translate_init(getLanguagePrefix(GetParam()));
    o_ = CurrentOptions();
    o_.times.clock = ClockStyle{kTimeFormat12, isRightToLeftLanguage(GetParam())};  // the widest times
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  testenv::TempHome home_;
  Options o_;
};

// Months with long lines in both orientations; a year's sheet on one page.
TEST_P(PrintoutLayout, MonthsAndYearSheetsFitEveryPaper) {
  const GregorianDate months[] = {{1, 4, 2026}, {1, 5, 2026}, {1, 9, 2025}, {1, 10, 2025}, {1, 12, 2025}};
  const std::tuple<const char*, bool, int, bool> sheets[] = {{"Jerusalem", false, 2026, false},
                                                             {"New York City", true, 5787, true}};
  for (const PrintPaperFormat& paper : PrintPaperFormats) {
    for (bool landscape : {false, true})
      for (const GregorianDate& month : months) {
        SCOPED_TRACE(std::string(paper.name) + (landscape ? " landscape " : " portrait ") +
                     std::to_string(month.month));
        Print(paper, landscape, o_, [&](RecordingDrawing& r, const PaintArea& area, auto) {
          const PaintHooks hooks = r.Hooks();
          PaintItInternal(r, area, month, o_, true, true, nullptr, nullptr, &hooks);
          EXPECT_GE(r.regions.size(), 28u);
          const Strings problems = r.Problems(area);
          EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
        });
      }
    for (const auto& [city, diaspora, year, hebrew] : sheets) {
      SCOPED_TRACE(std::string(city) + " " + std::to_string(year) + " " + std::string(paper.name));
      o_.times.city = city;
      o_.rules.diaspora = diaspora;
      const YearSheetText text = YearSheetTextOf(year, hebrew, o_);
      EXPECT_GT(text.rows.size(), 60u);
      YearSheetLayout layout;
      EXPECT_EQ(
          Print(paper, false, o_, [&](auto& r, auto& area, auto next) { layout = PaintYearSheet(r, area, text, next); })
              .size(),
          1u);
      EXPECT_EQ(layout.pages, 1);
      EXPECT_FALSE(layout.labelsCut);
      EXPECT_GE(layout.size, 6);
    }
  }
}

// More rows than any size fits on a page go on to further pages, each row
// once and every page with its title; on a short page the same.
TEST_P(PrintoutLayout, RowsBeyondOnePageGoOnToMorePages) {
  o_.times.city = "New York City";
  const YearSheetText year = YearSheetTextOf(2026, false, o_);
  YearSheetText text = year;
  while (text.rows.size() < 260) {
    text.rows.insert(text.rows.end(), year.rows.begin(), year.rows.end());
    text.monthStarts.insert(text.monthStarts.end(), year.monthStarts.begin(), year.monthStarts.end());
  }
  for (size_t i = 0; i < text.rows.size(); ++i) text.rows[i][kSheetLabel] += " #" + std::to_string(i);
  for (int height : {0, 220}) {
    SCOPED_TRACE(height);
    YearSheetLayout layout;
    auto paint = [&](auto& r, auto& area, auto next) { layout = PaintYearSheet(r, area, text, next); };
    const auto pages = Print(PrintPaperFormats[0], false, o_, paint, height);
    EXPECT_GE(layout.pages, 2);
    EXPECT_EQ(pages.size(), static_cast<size_t>(layout.pages));
    EXPECT_GE(static_cast<size_t>(layout.rowsPerPage * layout.pages), text.rows.size());
    std::map<std::string, int> labels;
    for (const auto& page : pages) {
      EXPECT_EQ(
          std::count_if(page.begin(), page.end(), [&](const testenv::TextBox& b) { return b.text == text.title; }), 1);
      for (const testenv::TextBox& b : page)
        if (b.text.find(" #") != std::string::npos) ++labels[b.text];
    }
    EXPECT_EQ(labels.size(), text.rows.size());
    for (const auto& [label, count] : labels) EXPECT_EQ(count, 1) << label;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, PrintoutLayout,
                         ::testing::Values(kLanguageEnglish, kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) { return getLanguagePrefix(info.param); });

}  // namespace
