// The Hebrew dates wherever the program shows them, in digits and in Hebrew
// numerals: the month view's caption and day numbers, the report headings,
// the anniversaries dialog's dates, and the language dialog's check box that
// chooses between them. The Hebrew dates of the captions are those of a
// printed luach (the numerals themselves are checked against a second
// calendar program in hebrew_numerals_test.cpp).
#include "compose/current_options.h"
#include "compose/hebrew_date_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "compose/day_report.h"
#include "compose/readings_list.h"
#include "forms/anniversary_view.h"
#include "forms/language_form.h"
#include "reference_data.h"
#include "render/month_painter.h"
#include "storage/user_files.h"
#include "test_env.h"

namespace {

class HebrewDateTextTest : public ::testing::Test {
 protected:
  HebrewDateTextTest() {
    settingsReset();
    std::string error;
    EXPECT_TRUE(InstallDefaultUserFiles(&error)) << error;
    settingsReset();
    Use(kLanguageEnglish);
  }
  ~HebrewDateTextTest() override {
    translate_done();
    settingsReset();
  }
  static void Use(int language) {
    setLanguage(language);
    translate_done();
    translate_init(getLanguagePrefix(language));
  }

  testenv::TempHome home_;
};

TEST_F(HebrewDateTextTest, MonthCaptions) {
  for (const auto& f : testdata::ReadRows("hebrew_captions.tsv", '\t')) {
    const int month = *testdata::ToInt(f.at(1)), year = *testdata::ToInt(f.at(2));
    if (f[0] == "gregorian") {
      EXPECT_EQ(HebrewMonthRangeCaption(month, year, false), f.at(3)) << month << "/" << year;
      EXPECT_EQ(HebrewMonthRangeCaption(month, year, true), f.at(4)) << month << "/" << year;
    } else {
      EXPECT_EQ(HebrewMonthGregorianCaption(month, year), f.at(3)) << month << "/" << year;
    }
  }
  // The month view's caption follows the setting: off in English, on in
  // Hebrew, and what the user chose in either.
  EXPECT_EQ(HebrewMonthRangeCaption(2, 2025, CurrentTextOptions().hebrewNumerals), "3 - 30 Shevat 5785");
  EXPECT_EQ(HebrewMonthNameText(kAdar, 5784, true), "אדר א׳");
  const bool on = HebrewNumeralsFor(kHebrewNumeralsOn, kLanguageEnglish);
  EXPECT_EQ(HebrewMonthRangeCaption(2, 2025, on), "ג׳ - ל׳ שבט תשפ״ה");
  EXPECT_EQ(HebrewMonthNameText(kNisan, 5786, on) + " " + HebrewYearText(5786, on), "ניסן תשפ״ו");
  Use(kLanguageHebrew);
  EXPECT_EQ(HebrewMonthRangeCaption(2, 2025, HebrewNumeralsFor(kHebrewNumeralsByLanguage, kLanguageHebrew)),
            "ג׳ - ל׳ שבט תשפ״ה");
  EXPECT_EQ(HebrewMonthRangeCaption(2, 2025, HebrewNumeralsFor(kHebrewNumeralsOff, kLanguageHebrew)), "3 - 30 שבט 5785");
  // The Gregorian dates stay digits, the month names translated.
  Use(kLanguageYiddish);
  const std::string yiddish = HebrewMonthGregorianCaption(kNisan, 5784);
  EXPECT_EQ(yiddish.find("April"), std::string::npos) << yiddish;
  EXPECT_EQ(yiddish.rfind("9 ", 0), 0u) << yiddish;
}

// In Yiddish the digits go with the Yiddish spelling of the month (with its
// points), the numerals with the Hebrew spelling a Yiddish luach uses too.
TEST_F(HebrewDateTextTest, YiddishMonthNamesWithAndWithoutNumerals) {
  Use(kLanguageYiddish);
  const HebrewDate kislev{25, kKislev, 5787};
  EXPECT_EQ(HebrewDateText(kislev, CurrentTextOptions().hebrewNumerals), "כ״ה כסלו תשפ״ז");
  EXPECT_EQ(HebrewDateText(kislev, false), "25 כּסלו 5787");
  EXPECT_EQ(HebrewDateText(kislev, true, HebrewThousands::kWrite), "כ״ה כסלו ה׳תשפ״ז");
  EXPECT_EQ(HebrewDateText(HebrewDate{1, kTishri, 5787}, false), "1 תּשרי 5787");
  EXPECT_EQ(HebrewDateText(HebrewDate{1, kTishri, 5787}, true), "א׳ תשרי תשפ״ז");
  Use(kLanguageEnglish);
  EXPECT_EQ(HebrewDateText(kislev, CurrentTextOptions().hebrewNumerals), "25 Kislev 5787");
  EXPECT_EQ(HebrewDateText(HebrewDate{14, kAdarII, 5784}, false), "14 Adar II 5784");
  EXPECT_EQ(HebrewDateText(HebrewDate{14, kAdarII, 5784}, true), "י״ד אדר ב׳ תשפ״ד");
}

// The report headings name the Hebrew date, with its thousands, only with
// numerals on; otherwise they stay as they were.
TEST_F(HebrewDateTextTest, ReportHeadings) {
  const AbsoluteDay shabbat = AbsoluteFromGregorian(27, 12, 2025);  // 7 Tevet 5786, Vayigash
  const CalendarRules rules{true, true};
  EXPECT_EQ(ReportHeadingHebrewDate(shabbat, false), "");
  EXPECT_EQ(ReportHeadingHebrewDate(shabbat, true), "ז׳ טבת ה׳תשפ״ו");
  auto firstLine = [](const std::string& text) { return text.substr(0, text.find('\n')); };
  EXPECT_EQ(firstLine(BuildHalakhaList(shabbat, rules, kStyleAshkenazi, true)),
            "Halakha for date 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
  EXPECT_EQ(firstLine(BuildReadingsList(shabbat, rules, kStyleAshkenazi, true)), "Readings for 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
  Use(kLanguageHebrew);
  const bool byLanguage = HebrewNumeralsFor(kHebrewNumeralsByLanguage, kLanguageHebrew);
  EXPECT_EQ(firstLine(BuildHalakhaList(shabbat, rules, kStyleAshkenazi, byLanguage)), "הלכה לתאריך 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
  EXPECT_EQ(firstLine(BuildReadingsList(shabbat, rules, kStyleAshkenazi, byLanguage)), "קריאות לתאריך 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
}

TEST_F(HebrewDateTextTest, AnniversaryDatesInTheDialog) {
  const AbsoluteDay purim = AbsoluteFromGregorian(14, 3, 2025);
  EXPECT_EQ(AnniOccurrenceText(purim), "14 March 2025 (14 Adar 5785)");
  setHebrewNumerals(kHebrewNumeralsOn);
  EXPECT_EQ(AnniOccurrenceText(purim), "14 March 2025 (י״ד אדר תשפ״ה)");
}

// The language dialog's check box: it follows the language until the user
// changes it; then it is the user's choice, in every language.
TEST(LanguageForm, NumeralsFollowTheLanguageUntilChanged) {
  LanguageForm form(kLanguageEnglish, kHebrewNumeralsByLanguage);
  EXPECT_FALSE(form.numeralsShown());
  form.ChooseLanguage(kLanguageHebrew);
  EXPECT_TRUE(form.numeralsShown());
  form.ShowNumerals(true);  // the dialog sets the box to what it shows
  EXPECT_EQ(form.numeralsChoice(), kHebrewNumeralsByLanguage);
  form.ChooseLanguage(kLanguageYiddish);
  EXPECT_TRUE(form.numeralsShown());
  form.ChooseLanguage(kLanguageEnglish);
  EXPECT_FALSE(form.numeralsShown());

  // The user turns them on in English: on in every language from then on.
  form.ShowNumerals(true);
  EXPECT_EQ(form.numeralsChoice(), kHebrewNumeralsOn);
  form.ChooseLanguage(kLanguageHebrew);
  EXPECT_TRUE(form.numeralsShown());
  form.ChooseLanguage(kLanguageEnglish);
  EXPECT_TRUE(form.numeralsShown());

  // Off in Hebrew stays off.
  LanguageForm hebrew(kLanguageHebrew, kHebrewNumeralsByLanguage);
  hebrew.ShowNumerals(false);
  hebrew.ChooseLanguage(kLanguageYiddish);
  EXPECT_FALSE(hebrew.numeralsShown());
  EXPECT_EQ(hebrew.numeralsChoice(), kHebrewNumeralsOff);

  testenv::TempHome home;
  settingsReset();
  hebrew.Store();
  EXPECT_EQ(getLanguage(), kLanguageYiddish);
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsOff);
  LanguageForm untouched(kLanguageHebrew, kHebrewNumeralsByLanguage);
  untouched.Store();
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsByLanguage);
  settingsReset();
}

}  // namespace
