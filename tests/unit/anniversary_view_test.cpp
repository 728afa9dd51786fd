// The texts of the anniversaries dialog, its Calculate row and the checks of
// the edit form.
#include "forms/anniversary_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/translate.h"
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

AbsoluteDay Greg(int d, int m, int y) { return AbsoluteFromGregorian(d, m, y); }

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

TEST_F(AnniversaryViewTest, CalculateMessages) {
  const AnniversaryList list{Hebrew("Yom Kippur", 'A', {10, 7, 5700})};
  struct Case {
    int selected;
    const char* from;
    const char* to;
    const char* error;
  } cases[] = {
      {-1, "2025", "2030", "An entry must be selected"},
      {1, "2025", "2030", "An entry must be selected"},
      {0, "2025 ", "2030", "'From' year is not a number"},
      {0, " ", "2030", "'From' year is not a number"},
      {0, "", "2030", "'From' year is not in the correct range"},  // empty converts to 0
      {0, "1582", "2030", "'From' year is not in the correct range"},
      {0, "99999999999999999999", "2030", "'From' year is not in the correct range"},
      {0, "2025", "2030x", "'To' year is not a number"},
      {0, "x", "", "'From' year is not a number"},
      {0, " +2025", "2025", ""},  // leading blanks and a sign are allowed
  };
  for (const Case& c : cases) {
    std::string error;
    Rows(list, c.selected, c.from, c.to, &error);
    EXPECT_EQ(error, c.error) << "'" << c.from << "' '" << c.to << "' selected " << c.selected;
  }
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

TEST_F(AnniversaryViewTest, EditFormMessagesInOrder) {
  auto check = [](const AnniEditForm& form, const std::string& message) {
    AnniversaryRec rec = Gregorian("unchanged", 'A', {1, 1, 2000});
    EXPECT_EQ(AnniCheckEditForm(form, rec), message) << form.name << " " << form.gregorianText << " "
                                                     << form.hebrewDayText << "." << form.hebrewMonth;
    EXPECT_EQ(rec.name, "unchanged");
  };
  // Name and Gregorian date text; the name is checked first, the year before month and day.
  const struct {
    std::string name;
    const char *date, *message;
  } gregorian[] = {
      {"", "x", "Name must not be empty"},
      {std::string(256, 'a'), "2.3.1985", "Name must not be longer than 255 bytes"},
      {"two\nlines", "2.3.1985", "Name must not contain a line break"},
      {"Room #5", "2.3.1985", "Name must not contain the character #"},
      {"M", "2-3-1985", "Date: . after day number expected"},
      {"M", "2.3", "Date: . after month number expected"},
      {"M", "2.3.1582", "Date: Year is not in the correct range"},
      {"M", "32.13.1500", "Date: Year is not in the correct range"},
      {"M", "32.13.2000", "Date: Month is not in the correct range"},
      {"M", "31.4.2000", "Date: Day is not in the correct range"},
      {"M", "29.2.2023", "Date: Day is not in the correct range"},
  };
  for (const auto& c : gregorian) {
    AnniEditForm f = ValidGregorian();
    f.name = c.name;
    f.gregorianText = c.date;
    check(f, c.message);
  }
  // Hebrew day, month and year; the Gregorian text is not looked at.
  struct Hebrew {
    const char* day;
    int month;
    const char* year;
    const char* message;
  } hebrew[] = {
      {"1a", 0, "5784", "Hebrew Day must be a number"},
      {"30", 0, "x", "Hebrew month must be selected"},
      {"30", 12, "57 84", "Hebrew Year must be a number"},
      {"30", 12, "5359", "Hebrew Year must be in range 5360-5860"},
      {"30", 13, "5785", "Hebrew month is invalid"},  // Adar II in a common year
      {"30", 12, "5785", "Hebrew day is invalid"},    // 30 Adar in a common year
      {"30", 8, "5786", "Hebrew day is invalid"},     // Heshvan of 29 days
  };
  for (const Hebrew& c : hebrew) {
    AnniEditForm f = ValidHebrew();
    f.hebrewDayText = c.day;
    f.hebrewMonth = c.month;
    f.hebrewYearText = c.year;
    check(f, c.message);
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
