// The texts of the anniversaries dialog, its Calculate row and the checks of
// the edit form.
#include "forms/anniversary_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/translate.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

class AnniversaryViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override { translate_done(); }
  testenv::TempHome home_;
};

AnniversaryRec Gregorian(const std::string& name, char type, AnniDate date, int afterSunset = 0) {
  return AnniversaryRec{name, type, 0, date, afterSunset};
}
AnniversaryRec Hebrew(const std::string& name, char type, AnniDate date) {
  return AnniversaryRec{name, type, 1, date, 0};
}

using testdata::Greg;

// 2 March 2014 was 30 Adar I 5774; the birthday falls on 1 Nisan in common
// years: 26 March 2020 (5780) and 14 March 2021 (5781; Pesakh, 15 Nisan, was
// 28 March 2021).
TEST_F(AnniversaryViewTest, EntryRows) {
  const AnniversaryRec birth = Gregorian("Birth", 'B', {2, 3, 2014});
  EXPECT_EQ(AnniListRowText(birth, Greg(1, 3, 2020), false), "Birth (B): 26 March 2020 (1 Nisan 5780)");
  // On the day itself the row shows that day, the day after the next year's.
  EXPECT_EQ(AnniListRowText(birth, Greg(26, 3, 2020), false), "Birth (B): 26 March 2020 (1 Nisan 5780)");
  EXPECT_EQ(AnniListRowText(birth, Greg(27, 3, 2020), false), "Birth (B): 14 March 2021 (1 Nisan 5781)");
  EXPECT_EQ(AnniListRowText(birth, Greg(1, 3, 2020), true), "B: 26 March 2020 (1 Nisan 5780) - Birth");
  // An event today or later has no date yet.
  EXPECT_EQ(AnniListRowText(birth, Greg(2, 3, 2014), false), "Birth (B)");
  EXPECT_EQ(AnniListRowText(Hebrew("Later", 'Y', {1, 7, 5800}), Greg(1, 1, 2024), true), "Later (Y)");
  // After sunset moves the event to the next day: the event lies before today.
  EXPECT_EQ(AnniListRowText(Gregorian("Eve", 'A', {1, 3, 2014}, 1), Greg(2, 3, 2014), false), "Eve (A)");
  EXPECT_NE(AnniListRowText(Gregorian("Eve", 'A', {1, 3, 2014}, 0), Greg(2, 3, 2014), false), "Eve (A)");
}

std::vector<std::string> Rows(const AnniversaryList& list, int selected, const char* from, const char* to,
                              std::string* error = nullptr) {
  const AnniCalculation c = AnniCalculate(list, selected, from, to);
  if (error) *error = c.error;
  return c.rows;
}

// Yom Kippur (10 Tishri) fell on 2 October 2025 (5786).
TEST_F(AnniversaryViewTest, CalculateSwapsYearsAndListsEachOccurrence) {
  const AnniversaryList list{Hebrew("Yom Kippur", 'A', {10, 7, 5700})};
  std::string error;
  const std::vector<std::string> rows = Rows(list, 0, "2030", "2025", &error);
  EXPECT_EQ(error, "");
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows.front(), "2 October 2025 (10 Tishri 5786)");
  for (size_t i = 0; i < rows.size(); ++i)
    EXPECT_NE(rows[i].find(" " + std::to_string(2025 + i) + " ("), std::string::npos) << rows[i];
  EXPECT_EQ(Rows(list, 0, "2025", "2030"), rows);
}

// 30 Adar I 5774 (2 March 2014): yortsayt 30 Shevat 5780 = 25 February 2020.
TEST_F(AnniversaryViewTest, CalculateNeverListsTheYearOfTheEvent) {
  const AnniversaryList list{Gregorian("Death", 'Y', {2, 3, 2014})};
  EXPECT_EQ(Rows(list, 0, "2014", "2014"), std::vector<std::string>{});
  EXPECT_EQ(Rows(list, 0, "2020", "2020"), std::vector<std::string>{"25 February 2020 (30 Shevat 5780)"});
  EXPECT_EQ(Rows(list, 0, "1583", "2013"), std::vector<std::string>{});
  // One occurrence in each Gregorian year after the event's.
  EXPECT_EQ(Rows(list, 0, "2015", "2024").size(), 10u);
}

// ---------------------------------------------------------------- edit form

AnniEditForm ValidGregorian() {
  AnniEditForm f;
  f.name = "Moshe";
  f.type = 'B';
  f.gregorian = true;
  f.gregorianText = "2.3.1985";
  return f;
}

AnniEditForm ValidHebrew() {
  AnniEditForm f = ValidGregorian();
  f.gregorian = false;
  f.gregorianText = "nonsense";  // not looked at for a Hebrew date
  f.hebrewDayText = "30";
  f.hebrewMonth = 12;
  f.hebrewYearText = "5784";
  return f;
}

// The checks of the Calculate row and the edit form, from the data file; a
// refused form leaves the entry alone.
TEST_F(AnniversaryViewTest, FormMessages) {
  const AnniversaryList list{Hebrew("Yom Kippur", 'A', {10, 7, 5700})};
  auto check = [](const AnniEditForm& form, const std::string& message) {
    AnniversaryRec rec = Gregorian("unchanged", 'A', {1, 1, 2000});
    EXPECT_EQ(AnniCheckEditForm(form, rec), message) << form.name << " " << form.gregorianText << " "
                                                     << form.hebrewDayText << "." << form.hebrewMonth;
    if (!message.empty()) {
      EXPECT_EQ(rec.name, "unchanged");
    }
  };
  const auto rows = testdata::ReadRows("anniversary_form.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (auto f : rows) {
    f.resize(5);
    if (f[0] == "calculate") {
      EXPECT_EQ(AnniCalculate(list, *testdata::ToInt(f[1]), f[2].c_str(), f[3].c_str()).error, f[4]) << f[2] << "|" << f[3];
    } else if (f[0] == "gregorian") {
      AnniEditForm form = ValidGregorian();
      form.gregorianText = f[1];
      check(form, f[2]);
    } else {
      AnniEditForm form = ValidHebrew();
      form.hebrewDayText = f[1];
      form.hebrewMonth = *testdata::ToInt(f[2]);
      form.hebrewYearText = f[3];
      check(form, f[4]);
    }
  }
  // The name is checked first.
  const std::pair<std::string, const char*> names[] = {
      {"", "Name must not be empty"},
      {std::string(256, 'a'), "Name must not be longer than 255 bytes"},
      {"two\nlines", "Name must not contain a line break"},
      {"Room #5", "Name must not contain the character #"}};
  for (const auto& [name, message] : names) {
    AnniEditForm form = ValidGregorian();
    form.name = name;
    form.gregorianText = "x";
    check(form, message);
  }
}

TEST_F(AnniversaryViewTest, EditFormAccepts) {
  AnniversaryRec rec = Gregorian("old", 'A', {1, 1, 2000}, 1);
  AnniEditForm f = ValidGregorian();
  f.gregorianText = "1.2.2000abc";  // anything after the year is ignored
  f.afterSunset = false;
  f.name = std::string(255, 'n');
  ASSERT_EQ(AnniCheckEditForm(f, rec), "");
  EXPECT_EQ(rec, Gregorian(std::string(255, 'n'), 'B', {1, 2, 2000}, 0));

  f.gregorianText = "  29.2.2024";
  f.afterSunset = true;
  ASSERT_EQ(AnniCheckEditForm(f, rec), "");
  EXPECT_EQ(rec.date.day, 29);
  EXPECT_EQ(rec.afterSunset, 1);

  // A Hebrew date keeps the After Sunset value the entry had.
  AnniEditForm hf = ValidHebrew();
  hf.hebrewDayText = " 30 ";
  hf.afterSunset = false;
  ASSERT_EQ(AnniCheckEditForm(hf, rec), "");
  AnniversaryRec expected = Hebrew("Moshe", 'B', {30, 12, 5784});
  expected.afterSunset = 1;
  EXPECT_EQ(rec, expected);
  hf.hebrewMonth = 13;
  hf.hebrewDayText = "29";
  EXPECT_EQ(AnniCheckEditForm(hf, rec), "");  // Adar II in a leap year
}

TEST_F(AnniversaryViewTest, EditFormFromEntry) {
  // The form of an entry checks back to the same entry.
  for (const AnniversaryRec& rec : {Gregorian("G", 'Y', {2, 3, 1985}, 1), Hebrew("H", 'B', {30, 8, 5770})}) {
    const AnniEditForm form = AnniEditFormFor(rec);
    EXPECT_EQ(form.gregorian, !rec.isHebrew);
    AnniversaryRec back = Gregorian("other", 'A', {1, 1, 2000}, rec.afterSunset);
    ASSERT_EQ(AnniCheckEditForm(form, back), "");
    EXPECT_EQ(back, rec);
  }
}

TEST_F(AnniversaryViewTest, MonthDropDown) {
  const std::string texts = getComboMonth(1) + "," + getComboMonth(12) + "," + getComboMonth(13) + ",";
  EXPECT_EQ(texts + getComboMonth(0) + getComboMonth(14), "Nisan,Adar/Adar I,Adar II,");
}

}  // namespace
