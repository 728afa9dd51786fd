// The year sheet laid out with the widths the printer will use: no two
// texts overlap and none leaves the printable area, on every paper and in
// every language; a year fits one page; more rows than a page holds go on
// to further pages, each row once; a label too long for any size is cut.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/settings.h"
#include "compose/current_options.h"
#include "base/translate.h"
#include "ps_output.h"
#include "render/drawing_ps.h"
#include "render/print.h"
#include "render/year_sheet.h"
#include "storage/user_files.h"
#include "test_env.h"
#include "text_box_recorder.h"

namespace {

constexpr const char* kAharoni = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa";

struct PaintedSheet {
  YearSheetLayout layout;
  std::vector<std::vector<testenv::TextBox>> pages;
  std::string postscript;
};

// Paints `text` on a PostScript page, recording every text's box with the
// print fonts' widths, page by page.
PaintedSheet Paint(const YearSheetText& text, const PaintArea& area, int paperWidth, int paperHeight) {
  PaintedSheet sheet;
  testenv::MemoryFile out;
  {
    DrawingPtr ps = drawing_ps_new(out.file(), paperWidth, paperHeight, 1, CurrentOptions());
    testenv::TextBoxRecorder recorder(*ps);
    size_t pageStart = 0;
    auto endPage = [&] {
      sheet.pages.emplace_back(recorder.boxes.begin() + static_cast<long>(pageStart), recorder.boxes.end());
      pageStart = recorder.boxes.size();
    };
    sheet.layout = PaintYearSheet(recorder, area, text, [&] {
      endPage();
      drawing_ps_next_page(*ps);
    });
    endPage();
  }
  sheet.postscript = out.Text();
  return sheet;
}

// What is wrong on one page: a text outside the area, two texts that overlap.
std::vector<std::string> Problems(const std::vector<testenv::TextBox>& boxes, const PaintArea& area) {
  std::vector<std::string> problems;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const testenv::TextBox& a = boxes[i];
    if (a.text.empty()) continue;
    if (a.x < area.x || a.y < area.y || a.x + a.width > area.x + area.width || a.y + a.height > area.y + area.height)
      problems.push_back("\"" + a.text + "\" leaves the area");
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const testenv::TextBox& b = boxes[j];
      if (b.text.empty()) continue;
      const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
      if (!apart) problems.push_back("\"" + a.text + "\" overlaps \"" + b.text + "\"");
    }
  }
  return problems;
}

size_t Count(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
  return n;
}

class YearSheetLayoutTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (GetParam() != kLanguageEnglish && !std::filesystem::exists(kAharoni)) GTEST_SKIP() << "culmus is not installed";
    ASSERT_TRUE(InstallDefaultUserFiles());
    settingsReset();
    setLanguage(GetParam());
    setPrintYiddishFontFile(kAharoni);
    setTimeFormat(0);  // the 12-hour clock: the widest times
    translate_init(getLanguagePrefix(getLanguage()));
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  static PaintArea AreaOf(const PrintPaperFormat& paper, PrintJob* job) {
    PrintSetPaper(*job, paper, false);
    PrintSetMargins(*job, 10, 10, 10, 10);
    return PrintArea(*job);
  }
  testenv::TempHome home_;
};

TEST_P(YearSheetLayoutTest, ARealYearFitsOnePageOfEveryPaper) {
  const struct {
    const char* city;
    bool diaspora;
    int year;
    bool hebrew;
  } sheets[] = {
      {"New York City", true, 2026, false}, {"Jerusalem", false, 2026, false}, {"New York City", true, 5787, true}};
  for (const auto& s : sheets) {
    setCity(s.city);
    diasporaSetFlag(s.diaspora ? 1 : 0);
    const YearSheetText text = YearSheetTextOf(s.year, s.hebrew, CurrentOptions());
    ASSERT_GT(text.rows.size(), 60u);
    for (const PrintPaperFormat& paper : PrintPaperFormats) {
      SCOPED_TRACE(std::string(s.city) + " " + std::to_string(s.year) + " " + std::string(paper.name));
      PrintJob job;
      const PaintArea area = AreaOf(paper, &job);
      const PaintedSheet sheet = Paint(text, area, job.paperWidth, job.paperHeight);
      EXPECT_EQ(sheet.layout.pages, 1);
      EXPECT_FALSE(sheet.layout.labelsCut);
      EXPECT_GE(sheet.layout.size, 6);
      ASSERT_EQ(sheet.pages.size(), 1u);
      const std::vector<std::string> problems = Problems(sheet.pages[0], area);
      EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
      // Every cell of the table is drawn as it was composed.
      std::map<std::string, int> drawn;
      for (const testenv::TextBox& b : sheet.pages[0]) ++drawn[b.text];
      for (const auto& row : text.rows)
        for (const std::string& cell : row)
          if (!cell.empty()) {
            EXPECT_GT(drawn[cell], 0) << cell;
          }
      EXPECT_EQ(Count(sheet.postscript, "showpage"), 1u);
    }
  }
}

// More rows than any size fits on a page go on to further pages, each row
// once and every page with its heading; on a short page the same.
TEST_P(YearSheetLayoutTest, RowsBeyondOnePageGoOnToMorePages) {
  setCity("New York City");
  const YearSheetText year = YearSheetTextOf(2026, false, CurrentOptions());
  YearSheetText text = year;
  while (text.rows.size() < 260) {
    text.rows.insert(text.rows.end(), year.rows.begin(), year.rows.end());
    text.monthStarts.insert(text.monthStarts.end(), year.monthStarts.begin(), year.monthStarts.end());
  }
  for (int i = 0; i < static_cast<int>(text.rows.size()); ++i)
    text.rows[static_cast<size_t>(i)][kSheetLabel] += " #" + std::to_string(i);
  PrintJob job;
  const PaintArea letter = AreaOf(PrintPaperFormats[0], &job);
  const PaintArea shortArea{letter.x, letter.y, letter.width, 220};
  for (const PaintArea& area : {letter, shortArea}) {
    SCOPED_TRACE(area.height);
    const PaintedSheet sheet = Paint(text, area, job.paperWidth, job.paperHeight);
    EXPECT_GE(sheet.layout.pages, 2);
    ASSERT_EQ(sheet.pages.size(), static_cast<size_t>(sheet.layout.pages));
    EXPECT_EQ(Count(sheet.postscript, "showpage"), static_cast<size_t>(sheet.layout.pages));
    EXPECT_GE(static_cast<size_t>(sheet.layout.rowsPerPage * sheet.layout.pages), text.rows.size());
    // Fewer pages would not hold the rows at the smallest size.
    std::map<std::string, int> labels;
    for (const auto& page : sheet.pages) {
      const std::vector<std::string> problems = Problems(page, area);
      EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
      int titles = 0;
      for (const testenv::TextBox& b : page) {
        if (b.text == text.title) ++titles;
        if (b.text.find(" #") != std::string::npos) ++labels[b.text];
      }
      EXPECT_EQ(titles, 1);
    }
    EXPECT_EQ(labels.size(), text.rows.size());
    for (const auto& [label, count] : labels) EXPECT_EQ(count, 1) << label;
  }
}

// A label too long for a narrow page at the smallest size is cut to its column
// with an ellipsis; the times beside it keep their room.
TEST_P(YearSheetLayoutTest, ALabelTooLongIsCutToItsColumn) {
  setCity("New York City");
  YearSheetText text = YearSheetTextOf(2026, false, CurrentOptions());
  // Some 100 characters: more than the label column of a narrow page has
  // room for at any size, less than the longest text the printout shows in
  // the Hebrew font.
  std::string longLabel;
  auto characters = [](const std::string& s) {
    size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
  };
  while (characters(longLabel) < 100) longLabel += text.rows[0][kSheetLabel] + " ";
  text.rows[3][kSheetLabel] = longLabel;
  PrintJob job;
  const PaintArea a4 = AreaOf(PrintPaperFormats[2], &job);
  const PaintArea area{a4.x, a4.y, 300, a4.height};
  const PaintedSheet sheet = Paint(text, area, job.paperWidth, job.paperHeight);
  EXPECT_TRUE(sheet.layout.labelsCut) << "label column " << sheet.layout.width[kSheetLabel];
  EXPECT_EQ(sheet.layout.size, kSheetSmallestSize);
  ASSERT_EQ(sheet.pages.size(), 1u);
  const std::vector<std::string> problems = Problems(sheet.pages[0], area);
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
  bool cut = false;
  for (const testenv::TextBox& b : sheet.pages[0]) {
    if (b.text.size() > 3 && b.text.compare(b.text.size() - 3, 3, "...") == 0) {
      cut = true;
      EXPECT_LE(b.width, sheet.layout.width[kSheetLabel]);
    }
  }
  EXPECT_TRUE(cut);
  for (const std::string& cell : {text.rows[3][kSheetCandles], text.rows[3][kSheetHavdalah]}) {
    bool found = false;
    for (const testenv::TextBox& b : sheet.pages[0]) found = found || b.text == cell;
    EXPECT_TRUE(found) << cell;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, YearSheetLayoutTest,
                         ::testing::Values(kLanguageEnglish, kLanguageYiddish, kLanguageHebrew));

}  // namespace
