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
  AnniversaryViewTest() {
    settingsReset();
    translate_init("");
  }
  ~AnniversaryViewTest() override { translate_done(); }
  testenv::TempHome home_;
};

AnniversaryRec Gregorian(const std::string& name, char type, AnniDate date, int afterSunset = 0) {
  return AnniversaryRec{name, type, 0, date, afterSunset};
}

// The list rows and the Calculate list (anniversary_view_rows.tsv).
TEST_F(AnniversaryViewTest, ListRowsAndCalculate) {
  const auto rows = testdata::ReadRows("anniversary_view_rows.tsv", '\t');
  ASSERT_GT(rows.size(), 10u);
  for (const auto& f : rows) {
    AnniversaryRec rec;
    ASSERT_TRUE(AnniParseLine(f.at(1), rec)) << f[1];
    std::string text;
    if (f[0] == "calculate") {
      const AnniCalculation c = AnniCalculate(AnniversaryList{rec}, 0, f.at(2).c_str(), f.at(3).c_str());
      EXPECT_EQ(c.error, "");
      for (const std::string& row : c.rows) text += (text.empty() ? "" : " | ") + row;
    } else {
      text = AnniListRowText(rec, *testdata::IsoDay(f.at(2)), f[0] == "dialog");
    }
    EXPECT_EQ(text.empty() ? "-" : text, f.at(4)) << f[0] << " " << f[1] << " " << f[2];
  }
}

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
  f.gregorianText = "nonsense";
  f.hebrewDayText = "30";
  f.hebrewMonth = 12;
  f.hebrewYearText = "5784";
  return f;
}

// The checks of the Calculate row and the edit form, from the data file; a
// refused form leaves the entry alone.
TEST_F(AnniversaryViewTest, FormMessages) {
  const AnniversaryList list{AnniversaryRec{"Yom Kippur", 'A', 1, {10, 7, 5700}, 0}};
  auto check = [](const AnniEditForm& form, const std::string& message) {
    AnniversaryRec rec = Gregorian("unchanged", 'A', {1, 1, 2000});
    EXPECT_EQ(AnniCheckEditForm(form, rec), message) << form.name << " " << form.gregorianText << " "
                                                     << form.hebrewDayText << "." << form.hebrewMonth;
    EXPECT_TRUE(message.empty() || rec.name == "unchanged");
  };
  const auto rows = testdata::ReadRows("anniversary_form.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (auto f : rows) {
    f.resize(5);
    if (f[0] == "calculate") {
      EXPECT_EQ(AnniCalculate(list, *testdata::ToInt(f[1]), f[2].c_str(), f[3].c_str()).error, f[4]) << f[2] << "|" << f[3];
    } else if (f[0] == "loss") {
      AnniEditForm form = ValidGregorian();
      form.type = f[1][0], form.recentLoss = true, form.burialText = f[2];
      check(form, f[3]);
    } else if (f[0] != "hebrew") {
      AnniEditForm form = ValidGregorian();
      (f[0] == "name" ? form.name : form.gregorianText) = testenv::Unescape(f[1]);
      if (f[0] == "name") form.gregorianText = "x";
      check(form, f[2]);
    } else {
      AnniEditForm form = ValidHebrew();
      form.hebrewDayText = f[1], form.hebrewMonth = *testdata::ToInt(f[2]), form.hebrewYearText = f[3];
      check(form, f[4]);
    }
  }
}

// What an accepted form makes of the entry; the form of an entry checks back
// to the same entry.
TEST_F(AnniversaryViewTest, EditFormAccepts) {
  AnniversaryRec rec = Gregorian("old", 'A', {1, 1, 2000}, 1);
  AnniEditForm f = ValidGregorian();
  f.gregorianText = "1.2.2000abc", f.afterSunset = false, f.name = std::string(255, 'n');  // after the year: ignored
  ASSERT_EQ(AnniCheckEditForm(f, rec), "");
  EXPECT_EQ(rec, Gregorian(std::string(255, 'n'), 'B', {1, 2, 2000}, 0));
  f.gregorianText = "  29.2.2024";
  f.afterSunset = true;
  ASSERT_EQ(AnniCheckEditForm(f, rec), "");
  EXPECT_TRUE(rec.date.day == 29 && rec.afterSunset == 1);
  AnniEditForm hf = ValidHebrew();
  hf.hebrewDayText = " 30 ";
  hf.afterSunset = false;
  ASSERT_EQ(AnniCheckEditForm(hf, rec), "");
  EXPECT_EQ(AnniFormatLine(rec), "\"Moshe\" B H 30.12.5784 1");  // a Hebrew date keeps the entry's After Sunset
  hf.type = 'Y', hf.recentLoss = true, hf.batMitzvah = true;  // buried on the day of death; a yortsayt has no mitzvah
  ASSERT_EQ(AnniCheckEditForm(hf, rec), "");
  EXPECT_EQ(AnniFormatLine(rec), "\"Moshe\" Y H 30.12.5784 1#burial=10.3.2024");  // 30 Adar I 5784 (a luach)
  AnniversaryRec loss = Gregorian("L", 'Y', {2, 3, 1985}, 1), girl = Gregorian("B", 'B', {2, 3, 1985});
  loss.burial = AnniDate{5, 3, 1985}, loss.adar = AdarChoice::kBoth, girl.batMitzvah = true;
  for (const AnniversaryRec& entry :
       {Gregorian("G", 'Y', {2, 3, 1985}, 1), AnniversaryRec{"H", 'B', 1, {30, 8, 5770}, 0}, loss, girl}) {
    AnniversaryRec back = Gregorian("other", 'A', {1, 1, 2000}, entry.afterSunset);
    ASSERT_EQ(AnniCheckEditForm(AnniEditFormFor(entry), back), "");
    EXPECT_EQ(back, entry);
  }
  EXPECT_EQ(getComboMonth(1) + getComboMonth(12) + getComboMonth(13) + getComboMonth(0) + getComboMonth(14),
            "NisanAdar/Adar IAdar II");
}

}  // namespace
