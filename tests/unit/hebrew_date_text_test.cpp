// The Hebrew dates wherever the program shows them, in digits and in Hebrew
// numerals: the month view's caption and day numbers, the report headings,
// the anniversaries dialog's dates, and the language dialog's check box that
// chooses between them. The Hebrew dates of the captions are those of a
// printed luach (the numerals themselves are checked against a second
// calendar program in hebrew_numerals_test.cpp).
#include "compose/hebrew_date_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compose/current_options.h"
#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "compose/day_report.h"
#include "compose/readings_list.h"
#include "forms/anniversary_view.h"
#include "forms/language_form.h"
#include "recording_drawing.h"
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

// The caption of a Gregorian month: its first and last day's Hebrew dates,
// the month and year written once where they do not change.
TEST_F(HebrewDateTextTest, MonthCaptionsInNumeralsAndDigits) {
  struct Case {
    int month, year;
    const char* digits;
    const char* numerals;
  };
  const Case cases[] = {
      // 15 and 16 are ט״ו and ט״ז; Heshvan is חשון.
      {10, 2023, "16 Tishri - 16 Heshvan 5784", "ט״ז תשרי - ט״ז חשון תשפ״ד"},
      {6, 2026, "16 Sivan - 15 Tammuz 5786", "ט״ז סיון - ט״ו תמוז תשפ״ו"},
      // A leap year's two Adars.
      {2, 2024, "22 Shevat - 20 Adar I 5784", "כ״ב שבט - כ׳ אדר א׳ תשפ״ד"},
      {3, 2024, "21 Adar I - 21 Adar II 5784", "כ״א אדר א׳ - כ״א אדר ב׳ תשפ״ד"},
      // The Hebrew year changes inside the month.
      {10, 2024, "28 Elul 5784 - 29 Tishri 5785", "כ״ח אלול תשפ״ד - כ״ט תשרי תשפ״ה"},
      // One Hebrew month; 30 is ל׳.
      {2, 2025, "3 - 30 Shevat 5785", "ג׳ - ל׳ שבט תשפ״ה"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HebrewMonthRangeCaption(c.month, c.year, false), c.digits) << c.month << "/" << c.year;
    EXPECT_EQ(HebrewMonthRangeCaption(c.month, c.year, true), c.numerals) << c.month << "/" << c.year;
  }
  // The month view's caption follows the setting: off in English, on in
  // Hebrew, and what the user chose in either.
  EXPECT_EQ(HebrewCaptionOfMonth(2, 2025), "3 - 30 Shevat 5785");
  setHebrewNumerals(kHebrewNumeralsOn);
  EXPECT_EQ(HebrewCaptionOfMonth(2, 2025), "ג׳ - ל׳ שבט תשפ״ה");
  Use(kLanguageHebrew);
  setHebrewNumerals(kHebrewNumeralsByLanguage);
  EXPECT_EQ(HebrewCaptionOfMonth(2, 2025), "ג׳ - ל׳ שבט תשפ״ה");
  setHebrewNumerals(kHebrewNumeralsOff);
  EXPECT_EQ(HebrewCaptionOfMonth(2, 2025), "3 - 30 שבט 5785");
}

// The captions of a Hebrew month in the month view by Hebrew months: its
// name and year, and the Gregorian dates it spans.
TEST_F(HebrewDateTextTest, HebrewMonthCaptions) {
  EXPECT_EQ(HebrewMonthGregorianCaption(kNisan, 5784), "9 April - 8 May 2024");
  EXPECT_EQ(HebrewMonthGregorianCaption(kTevet, 5784), "13 December 2023 - 10 January 2024");
  EXPECT_EQ(HebrewMonthGregorianCaption(kAdar, 5785), "1 - 29 March 2025");  // within one Gregorian month
  EXPECT_EQ(HebrewMonthGregorianCaption(kAdarII, 5784), "11 March - 8 April 2024");
  EXPECT_EQ(HebrewMonthNameText(kAdarII, 5784, false), "Adar II");
  EXPECT_EQ(HebrewMonthNameText(kAdar, 5785, false), "Adar");
  EXPECT_EQ(HebrewMonthNameText(kAdar, 5784, true), "אדר א׳");
  EXPECT_EQ(HebrewYearText(5784, false), "5784");
  EXPECT_EQ(HebrewYearText(5784, true), "תשפ״ד");
  setHebrewNumerals(kHebrewNumeralsOn);
  EXPECT_EQ(HebrewMonthNameText(kNisan, 5786) + " " + HebrewYearText(5786), "ניסן תשפ״ו");
  // The Gregorian dates stay digits, the month names translated.
  Use(kLanguageYiddish);
  const std::string yiddish = HebrewMonthGregorianCaption(kNisan, 5784);
  EXPECT_EQ(yiddish.rfind("9 ", 0), 0u) << yiddish;
  EXPECT_NE(yiddish.find(" - 8 "), std::string::npos) << yiddish;
  EXPECT_EQ(yiddish.find("April"), std::string::npos) << yiddish;
  EXPECT_EQ(yiddish.substr(yiddish.size() - 5), " 2024") << yiddish;
}

// In Yiddish the digits go with the Yiddish spelling of the month (with its
// points), the numerals with the Hebrew spelling a Yiddish luach uses too.
TEST_F(HebrewDateTextTest, YiddishMonthNamesWithAndWithoutNumerals) {
  Use(kLanguageYiddish);
  const HebrewDate kislev{25, kKislev, 5787};
  EXPECT_EQ(HebrewDateText(kislev), "כ״ה כסלו תשפ״ז");
  EXPECT_EQ(HebrewDateText(kislev, false), "25 כּסלו 5787");
  EXPECT_EQ(HebrewDateText(kislev, true, HebrewThousands::kWrite), "כ״ה כסלו ה׳תשפ״ז");
  EXPECT_EQ(HebrewDateText(HebrewDate{1, kTishri, 5787}, false), "1 תּשרי 5787");
  EXPECT_EQ(HebrewDateText(HebrewDate{1, kTishri, 5787}, true), "א׳ תשרי תשפ״ז");
  Use(kLanguageEnglish);
  EXPECT_EQ(HebrewDateText(kislev), "25 Kislev 5787");
  EXPECT_EQ(HebrewDateText(HebrewDate{14, kAdarII, 5784}, false), "14 Adar II 5784");
  EXPECT_EQ(HebrewDateText(HebrewDate{14, kAdarII, 5784}, true), "י״ד אדר ב׳ תשפ״ד");
}

TEST_F(HebrewDateTextTest, DayNumbersOfTheCells) {
  const std::pair<int, const char*> cases[] = {{1, "א׳"}, {10, "י׳"}, {15, "ט״ו"}, {16, "ט״ז"}, {29, "כ״ט"}, {30, "ל׳"}};
  for (const auto& [day, numeral] : cases) {
    EXPECT_EQ(HebrewDayNumberText(day, true), numeral);
    EXPECT_EQ(HebrewDayNumberText(day, false), std::to_string(day));
  }

  // What the month view draws at the right of each cell: the Hebrew day
  // numbers of April 2025 (3 Nisan .. 2 Iyar 5785).
  auto hebrewNumbers = [] {
    return testenv::PaintedHebrewDayNumbers(PaintArea{0, 0, 1400, 1000}, GregorianDate{15, 4, 2025},
                                            translate_perform("Jewish day number"));
  };
  const std::vector<std::string> digits = hebrewNumbers();
  ASSERT_EQ(digits.size(), 30u);
  EXPECT_EQ(digits.front(), "3");
  EXPECT_EQ(digits[12], "15");  // 13 April: Pesakh
  EXPECT_EQ(digits.back(), "2");
  setHebrewNumerals(kHebrewNumeralsOn);
  const std::vector<std::string> numerals = hebrewNumbers();
  ASSERT_EQ(numerals.size(), 30u);
  EXPECT_EQ(numerals.front(), "ג׳");
  EXPECT_EQ(numerals[12], "ט״ו");
  EXPECT_EQ(numerals[27], "ל׳");  // 28 April, 30 Nisan
  EXPECT_EQ(numerals.back(), "ב׳");
}

// The report headings name the Hebrew date, with its thousands, only with
// numerals on; otherwise they stay as they were.
TEST_F(HebrewDateTextTest, ReportHeadings) {
  const AbsoluteDay shabbat = AbsoluteFromGregorian(27, 12, 2025);  // 7 Tevet 5786, Vayigash
  const CalendarRules rules{true, true};
  EXPECT_EQ(ReportHeadingHebrewDate(shabbat, false), "");
  EXPECT_EQ(ReportHeadingHebrewDate(shabbat, true), "ז׳ טבת ה׳תשפ״ו");
  auto firstLine = [](const std::string& text) { return text.substr(0, text.find('\n')); };
  EXPECT_EQ(firstLine(BuildHalakhaList(shabbat, rules, kStyleAshkenazi, isHebrewNumerals())), "Halakha for date 27.12.2025:");
  EXPECT_EQ(firstLine(BuildReadingsList(shabbat, rules, isHebrewNumerals())), "Readings for 27.12.2025:");
  setHebrewNumerals(kHebrewNumeralsOn);
  EXPECT_EQ(firstLine(BuildHalakhaList(shabbat, rules, kStyleAshkenazi, isHebrewNumerals())),
            "Halakha for date 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
  EXPECT_EQ(firstLine(BuildReadingsList(shabbat, rules, isHebrewNumerals())), "Readings for 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
  Use(kLanguageHebrew);
  setHebrewNumerals(kHebrewNumeralsByLanguage);
  EXPECT_EQ(firstLine(BuildHalakhaList(shabbat, rules, kStyleAshkenazi, isHebrewNumerals())), "הלכה לתאריך 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
  EXPECT_EQ(firstLine(BuildReadingsList(shabbat, rules, isHebrewNumerals())), "קריאות לתאריך 27.12.2025 (ז׳ טבת ה׳תשפ״ו):");
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
