// The month view laid out for the screens people have, from 800x600 up, in
// English, Yiddish and Hebrew, measured with the real screen fonts (Pango):
// no two texts overlap, and none leaves its cell or the zmanim panel.
#include "compose/current_options.h"
#include "../unit/recording_drawing.h"
#include "calendar/learning.h"
#include "dialogs/widget_fonts.h"
#include "gui_test_util.h"
#include "render/drawing_gdk.h"
#include "storage/user_files.h"

namespace {

using namespace guitest;
using testenv::TextBoxRecorder;

// The drawing area of a maximised window: the screen less the menu bar,
// the status line and a panel of the desktop (80 pixels).
constexpr PaintArea kAreas[] = {{0, 0, 800, 520}, {0, 0, 1024, 688}, {0, 0, 1366, 688}, {0, 0, 1920, 1000}};

class MonthLayoutTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallDefaultUserFiles());
    // One birthday on 20 Nisan (7 April 2026, Khol HaMoed with the Omer),
    // six entries on 22 Nisan (9 April 2026, Pesakh VIII with Yizkor).
    WriteFile(home_.lumaro("kivraanni"),
              "\"Moshe Cohen\" B H 20.1.5750 0\n\"Rivka Levi\" Y H 22.1.5750 0\n\"Avraham Katz\" B H 22.1.5750 0\n"
              "\"Sarah Friedman\" A H 22.1.5750 0\n\"Yaakov Stern\" B H 22.1.5750 0\n"
              "\"Leah Rosen\" Y H 22.1.5750 0\n\"Chaim Weiss\" B H 22.1.5750 0\n");
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
  std::unique_ptr<TextBoxRecorder> Paint(const PaintArea& area, const GregorianDate& selected,
                                         MonthKind kind = MonthKind::kGregorian) {
    metrics_ = drawing_gdk_new(widget_, nullptr, nullptr, nullptr, CurrentOptions().look.screenFont);
    auto recorder = std::make_unique<TextBoxRecorder>(*metrics_);
    const PaintHooks hooks = recorder->Hooks();
    PaintItInternal(*recorder, area, selected, CurrentOptions(), true, false, nullptr, nullptr, &hooks, kind);
    return recorder;
  }
  TempHome home_;
  GtkWidget* widget_ = nullptr;
  DrawingPtr metrics_;
};

// Months full of long lines: Pesakh with the Omer, double sections and the
// anniversaries; the autumn festivals; Khanukka with a Rosh Khodesh; in
// Gregorian and Hebrew months, and with every study cycle chosen.
TEST_P(MonthLayoutTest, NoTextOverlapsOrLeavesItsCell) {
  const GregorianDate months[] = {{7, 4, 2026}, {13, 6, 2026}, {23, 9, 2025}, {14, 10, 2025}, {21, 12, 2025}};
  for (bool allCycles : {false, true}) {
    for (LearningCycle cycle : kLearningCycles) setLearningFlag(LearningCycleId(cycle), allCycles ? 1 : 0);
    for (const PaintArea& area : kAreas)
      for (const MonthKind kind : {MonthKind::kGregorian, MonthKind::kHebrew})
        for (const GregorianDate& month : months) {
          const auto painted = Paint(area, month, kind);
          ASSERT_GT(painted->regions.size(), 28u);
          const Strings problems = painted->Problems(area);
          EXPECT_TRUE(problems.empty()) << area.width << (kind == MonthKind::kHebrew ? " Hebrew " : " ") << month.month
                                        << "/" << month.year << (allCycles ? " all cycles: " : ": ") << problems.size()
                                        << " problem(s), the first: " << (problems.empty() ? "" : problems[0]);
        }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, MonthLayoutTest, ::testing::Values(kLanguageEnglish, kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) { return getLanguagePrefix(info.param); });

}  // namespace
