// The printout laid out with the widths the printer will use: on every
// paper, in both orientations and in English and Yiddish, no two texts
// overlap and none runs over its cell.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "compose/current_options.h"
#include "base/settings.h"
#include "base/translate.h"
#include "render/drawing_ps.h"
#include "render/print.h"
#include "ps_output.h"
#include "storage/user_files.h"
#include "test_env.h"
#include "recording_drawing.h"

namespace {

constexpr const char* kAharoni = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa";

class PrintLayoutTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (GetParam() == kLanguageYiddish && !std::filesystem::exists(kAharoni)) GTEST_SKIP() << "culmus is not installed";
    ASSERT_TRUE(InstallDefaultUserFiles());
    settingsReset();
    setLanguage(GetParam());
    setPrintYiddishFontFile(kAharoni);
    translate_init(getLanguagePrefix(getLanguage()));
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  testenv::TempHome home_;
};

TEST_P(PrintLayoutTest, NoTextOverlapsOrRunsOverItsCell) {
  const GregorianDate months[] = {{1, 4, 2026}, {1, 5, 2026}, {1, 9, 2025}, {1, 10, 2025}, {1, 12, 2025}};
  for (const PrintPaperFormat& paper : PrintPaperFormats) {
    for (bool landscape : {false, true}) {
      PrintJob job;
      PrintSetPaper(job, paper, landscape);
      PrintSetMargins(job, 10, 10, 10, 10);
      const PaintArea area = PrintArea(job);
      for (const GregorianDate& month : months) {
        testenv::MemoryFile out;
        DrawingPtr ps = drawing_ps_new(out.file(), job.paperWidth, job.paperHeight, 1, CurrentOptions());
        testenv::TextBoxRecorder recorder(*ps);
        const PaintHooks hooks = recorder.Hooks();
        PaintItInternal(recorder, area, month, CurrentOptions(), true, true, nullptr, nullptr, &hooks);
        ASSERT_GE(recorder.regions.size(), 28u);
        const std::vector<std::string> problems = recorder.Problems(area);
        EXPECT_TRUE(problems.empty()) << paper.name << (landscape ? " landscape " : " portrait ") << month.month
                                      << "/" << month.year << ": " << problems.size() << " problem(s), first: "
                                      << (problems.empty() ? "" : problems.front());
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, PrintLayoutTest, ::testing::Values(kLanguageEnglish, kLanguageYiddish),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == kLanguageYiddish ? std::string("Yiddish") : std::string("English");
                         });

}  // namespace
