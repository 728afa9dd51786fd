// The Hebrew dates wherever the program shows them, in digits or in Hebrew
// numerals as the language and the user's choice give: the month view's
// captions, dates, report headings and the anniversaries dialog's dates
// (tests/data/hebrew_captions.tsv, from printed luachs), and the language
// dialog's check box that chooses between them.
#include "compose/hebrew_date_text.h"

#include <gtest/gtest.h>

#include <string>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "compose/day_report.h"
#include "compose/readings_list.h"
#include "forms/anniversary_view.h"
#include "forms/language_form.h"
#include "reference_data.h"
#include "storage/user_files.h"
#include "test_env.h"

namespace {

TEST(HebrewDateText, InEveryLanguageAndChoice) {
  testenv::TempHome home;
  settingsReset();
  std::string error;
  ASSERT_TRUE(InstallDefaultUserFiles(&error)) << error;
  const auto rows = testdata::ReadRows("hebrew_captions.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (const auto& f : rows) {
    settingsReset();
    const int language = f.at(0) == "he" ? kLanguageHebrew : f[0] == "yi" ? kLanguageYiddish : kLanguageEnglish;
    setLanguage(language);
    translate_done();
    translate_init(getLanguagePrefix(language));
    setHebrewNumerals(f.at(1) == "on" ? kHebrewNumeralsOn
                      : f[1] == "off" ? kHebrewNumeralsOff
                                      : kHebrewNumeralsByLanguage);
    const bool on = CurrentTextOptions().hebrewNumerals;
    const std::string& what = f.at(2);
    const auto a = testdata::SplitRow(f.at(3), ' ');  // a month and year, or a day
    const int m = a.size() == 2 ? std::stoi(a[0]) : 0, y = a.size() == 2 ? std::stoi(a[1]) : 0;
    const AbsoluteDay d = a.size() == 1 ? *testdata::DayOf(a[0]) : 0;
    const CalendarRules rules{true, true};
    std::string got = what == "caption"     ? HebrewMonthRangeCaption(m, y, on)
                      : what == "gregorian" ? HebrewMonthGregorianCaption(m, y)
                      : what == "month"     ? HebrewMonthNameText(m, y, on) + " " + HebrewYearText(y, on)
                      : what == "heading"   ? ReportHeadingHebrewDate(d, on)
                      : what == "halakha"   ? BuildHalakhaList(d, rules, kStyleAshkenazi, on)
                      : what == "readings"  ? BuildReadingsList(d, rules, kStyleAshkenazi, on)
                      : what == "anniversary"
                          ? AnniOccurrenceText(d)
                          : HebrewDateText(HebrewFromAbsolute(d), on,
                                           what == "full" ? HebrewThousands::kWrite : HebrewThousands::kOmit);
    got = got.substr(0, got.find('\n'));
    EXPECT_EQ(got, f.at(4)) << f[0] << " " << f[1] << " " << what << " " << f[3];
  }
  translate_done();
  settingsReset();
}

// The check box follows the language until the user changes it; then it is
// the user's choice, in every language.
TEST(LanguageForm, NumeralsFollowTheLanguageUntilChanged) {
  LanguageForm form(kLanguageEnglish, kHebrewNumeralsByLanguage);
  std::string shown;
  for (int language : {kLanguageHebrew, kLanguageYiddish, kLanguageEnglish}) {
    form.ChooseLanguage(language);
    shown += form.numeralsShown() ? "on " : "off ";
    form.ShowNumerals(form.numeralsShown());  // the dialog sets the box to what it shows
  }
  EXPECT_EQ(shown + std::to_string(form.numeralsChoice()), "on on off " + std::to_string(kHebrewNumeralsByLanguage));
  form.ShowNumerals(true);  // on in English: on in every language
  form.ChooseLanguage(kLanguageHebrew);
  EXPECT_TRUE(form.numeralsShown() && form.numeralsChoice() == kHebrewNumeralsOn);
  LanguageForm hebrew(kLanguageHebrew, kHebrewNumeralsByLanguage);
  hebrew.ShowNumerals(false);  // off in Hebrew stays off
  hebrew.ChooseLanguage(kLanguageYiddish);
  EXPECT_FALSE(hebrew.numeralsShown());
  testenv::TempHome home;
  settingsReset();
  hebrew.Store();
  EXPECT_EQ(getLanguage(), kLanguageYiddish);
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsOff);
  LanguageForm(kLanguageHebrew, kHebrewNumeralsByLanguage).Store();
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsByLanguage);
  settingsReset();
}

}  // namespace
