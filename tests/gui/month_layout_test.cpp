// The month view laid out for the screens people have, from 800x600 up, in
// English and in Yiddish, measured with the real screen fonts (Pango): no
// two texts overlap, none leaves its cell or the zmanim panel, and a day
// with more anniversaries than fit says so ("+N more") and names them all in
// its hint.
#include <set>

#include "../unit/recording_drawing.h"
#include "dialogs/widget_fonts.h"
#include "gui_test_util.h"
#include "render/drawing_gdk.h"
#include "base/text_format.h"
#include "calendar/learning.h"
#include "storage/user_files.h"

namespace {

using namespace guitest;
using testenv::TextBoxRecorder;

struct Screen {
  int width, height;
};
// The drawing area of a maximised window: the screen less the menu bar,
// the status line and a panel of the desktop.
constexpr int kWindowChrome = 80;
constexpr Screen kScreens[] = {{800, 600}, {1024, 768}, {1366, 768}, {1920, 1080}};

// Anniversaries by Hebrew date: one on 20 Nisan (Tuesday 7 April 2026, a
// Khol HaMoed day with an Omer line), six on 22 Nisan (Thursday 9 April
// 2026, Pesakh VIII with Yizkor, the Omer and the Daf Yomi).
constexpr const char* kAnniversaries =
    "\"Moshe Cohen\" B H 20.1.5750 0\n"
    "\"Rivka Levi\" Y H 22.1.5750 0\n"
    "\"Avraham Katz\" B H 22.1.5750 0\n"
    "\"Sarah Friedman\" A H 22.1.5750 0\n"
    "\"Yaakov Stern\" B H 22.1.5750 0\n"
    "\"Leah Rosen\" Y H 22.1.5750 0\n"
    "\"Chaim Weiss\" B H 22.1.5750 0\n";

class MonthLayoutTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallDefaultUserFiles());
    WriteFile(home_.lumaro("kivraanni"), kAnniversaries);
    settingsReset();
    setLanguage(GetParam());
    ChooseScreenFont();
    translate_init(getLanguagePrefix(getLanguage()));
    widget_ = gtk_label_new("");  // gives Pango its context; never shown
    g_object_ref_sink(widget_);
  }
  void TearDown() override {
    g_object_unref(widget_);
    translate_done();
    settingsReset();
  }

  // The month of `selected` painted for a screen, measured with Pango.
  std::unique_ptr<TextBoxRecorder> Paint(const Screen& screen, const GregorianDate& selected,
                                         MonthKind kind = MonthKind::kGregorian) {
    metrics_ = drawing_gdk_new(widget_, nullptr, nullptr, nullptr);
    auto recorder = std::make_unique<TextBoxRecorder>(*metrics_);
    const PaintHooks hooks = recorder->Hooks();
    PaintItInternal(*recorder, Area(screen), selected, true, false, nullptr, nullptr, &hooks, kind);
    return recorder;
  }
  static PaintArea Area(const Screen& s) { return {0, 0, s.width, s.height - kWindowChrome}; }

  TempHome home_;
  GtkWidget* widget_ = nullptr;
  DrawingPtr metrics_;
};

std::string Describe(const Screen& s) { return std::to_string(s.width) + "x" + std::to_string(s.height); }

// Months full of long lines: Pesakh with the Omer, double sections and the
// anniversaries; the autumn festivals; Khanukka with a Rosh Khodesh. Also
// in Hebrew months, whose caption names two Gregorian years in Tevet (the
// arrows count as boxes no text may cover).
TEST_P(MonthLayoutTest, NoTextOverlapsOrLeavesItsCell) {
  const GregorianDate months[] = {{7, 4, 2026}, {9, 5, 2026}, {23, 9, 2025}, {14, 10, 2025}, {21, 12, 2025}};
  for (const Screen& screen : kScreens) {
    for (const MonthKind kind : {MonthKind::kGregorian, MonthKind::kHebrew}) {
    for (const GregorianDate& month : months) {
      const auto painted = Paint(screen, month, kind);
      ASSERT_GT(painted->regions.size(), 28u);
      const std::vector<std::string> problems = painted->Problems(Area(screen));
      std::string shown;
      for (size_t i = 0; i < problems.size() && i < 8; ++i) shown += "\n  " + problems[i];
      EXPECT_TRUE(problems.empty()) << Describe(screen) << (kind == MonthKind::kHebrew ? " Hebrew month of " : " ")
                                    << month.month << "/" << month.year << ": " << problems.size()
                                    << " problem(s):" << shown;
    }
    }
  }
}

// With every study cycle chosen the cells carry their lines below Daf Yomi,
// fitted like every other line: nothing overlaps at 1024x768 (or any other
// size), and where a cell has the room it shows them all.
TEST_P(MonthLayoutTest, EveryStudyCycleFitsItsCell) {
  for (LearningCycle cycle : kLearningCycles) setLearningFlag(LearningCycleId(cycle), 1);
  for (const Screen& screen : kScreens) {
    for (const GregorianDate& month : {GregorianDate{7, 4, 2026}, GregorianDate{13, 6, 2026}}) {
      const auto painted = Paint(screen, month);
      const std::vector<std::string> problems = painted->Problems(Area(screen));
      EXPECT_TRUE(problems.empty()) << Describe(screen) << " " << month.month << ": " << problems.size()
                                    << " problem(s), the first: " << (problems.empty() ? "" : problems[0]);
    }
  }
  // On the largest screen a Shabbat in June (13 June 2026, Shelah Leha)
  // keeps its section and Daf Yomi and shows the first cycles below it; the
  // learning lines are the first to go when a cell is full.
  const std::vector<std::string> texts = Paint(kScreens[3], {13, 6, 2026})->TextsOfDay(13);
  auto shows = [&](const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
  };
  EXPECT_TRUE(shows(translate_perform("Shelah Leha"))) << ::testing::PrintToString(texts);
  EXPECT_TRUE(shows(translate_replace("Chulin 44"))) << ::testing::PrintToString(texts);
  EXPECT_TRUE(shows(translate_perform("Mishna"))) << ::testing::PrintToString(texts);
}

TEST_P(MonthLayoutTest, NoAnniversaryIsDroppedSilently) {
  for (const Screen& screen : kScreens) {
    const auto painted = Paint(screen, {7, 4, 2026});
    const std::string label = Describe(screen);
    // The single birthday of 7 April shows on every screen.
    const std::vector<std::string> seventh = painted->TextsOfDay(7);
    EXPECT_EQ(std::count_if(seventh.begin(), seventh.end(),
                            [](const std::string& t) { return t.find("Moshe Cohen") != std::string::npos; }),
              1)
        << label;
    // The six of 9 April: those drawn and the "+N more" line count six.
    const std::vector<std::string> ninth = painted->TextsOfDay(9);
    int drawn = 0;
    for (const char* name : {"Rivka Levi", "Avraham Katz", "Sarah Friedman", "Yaakov Stern", "Leah Rosen", "Chaim Weiss"})
      drawn += static_cast<int>(std::count_if(ninth.begin(), ninth.end(), [name](const std::string& t) {
        return t.find(name) != std::string::npos;
      }));
    const std::string moreFormat = translate_perform("+%d more");
    std::string more;
    for (const std::string& t : ninth)
      if (t.rfind(moreFormat.substr(0, moreFormat.find("%d")), 0) == 0) more = t;
    if (drawn < 6) {
      ASSERT_FALSE(more.empty()) << label << ": " << drawn << " of six drawn and no \"+N more\"";
      EXPECT_EQ(more, FormatInt(moreFormat, 6 - drawn)) << label;
      // Its hint names all six, one a line.
      std::string hint;
      for (const testenv::TextBox& h : painted->hints)
        if (h.text.find("Rivka Levi") != std::string::npos && h.text.find("Chaim Weiss") != std::string::npos)
          hint = h.text;
      EXPECT_EQ(std::count(hint.begin(), hint.end(), '\n'), 5) << label << ": " << hint;
    }
    // The small screens cannot hold six more lines in that cell.
    if (screen.height <= 768) {
      EXPECT_FALSE(more.empty()) << label;
    }
  }
}

// Neighbouring day numbers keep apart: the Hebrew number of a cell ends at
// least 8 pixels before the Gregorian number of the next begins.
TEST_P(MonthLayoutTest, DayNumbersOfNeighboursStandApart) {
  for (const Screen& screen : kScreens) {
    const auto painted = Paint(screen, {7, 4, 2026});
    const int w = Area(screen).width / 7;
    for (const testenv::PaintedRegion& r : painted->regions) {
      if (r.day == 0) continue;
      for (size_t i = r.firstText; i < r.endText; ++i) {
        const testenv::TextBox& b = painted->boxes[i];
        if (b.y < r.y || b.y > r.y + 8) continue;  // the number row only
        EXPECT_GE(b.x, r.x + 4) << Describe(screen) << " day " << r.day << " \"" << b.text << "\"";
        EXPECT_LE(b.x + b.width, r.x + w - 4) << Describe(screen) << " day " << r.day << " \"" << b.text << "\"";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, MonthLayoutTest,
                         ::testing::Values(kLanguageEnglish, kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return getLanguagePrefix(info.param);
                         });

}  // namespace
