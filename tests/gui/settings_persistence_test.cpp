// Every settings dialog: Cancel and closing the window change nothing; what
// is confirmed is in the settings file after the program exits.
#include "gui_test_util.h"
#include "base/settings_file.h"

namespace {

using namespace guitest;

// Everything the settings dialogs can change: the values in memory and the
// settings file as it is on disk.
std::string SettingsState() {
  const DstSetting d = getDSTstruct();
  std::string s;
  for (int v : {diasporaGetFlag(), getStyle(), getCandleLightingMin(), getHavdalahIsMin(), getIsDST(), d.startMethod,
                d.startWeekNo, d.startWeekday, d.startDay, d.startMonth, d.endMethod, d.endWeekNo, d.endWeekday,
                d.endMonth, getDSTAutomatic(), getTimeFormat(), getLanguage(), getHebrewNumerals()})
    s += std::to_string(v) + ",";
  for (const char* cycle : {"daf-yomi", "mishna-yomit", "nach-yomi", "yerushalmi-yomi", "rambam-1", "rambam-3",
                            "tehillim", "pirkei-avot"})
    s += std::to_string(getLearningFlag(cycle)) + ",";
  s += getCity() + "|" + getHavdalahValue() + "|" + getBackgroundImage() + "|" + getFontName() + "|";
  return s + ReadFile(SettingsGetFileName());
}

struct DialogCase {
  int command;
  const char* title;
  // Changes something in the dialog, as a user would before giving up.
  std::function<void(GtkWidget*)> edit;
};

void FirstChoice(GtkWidget* w, const char* entry) {
  Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), entry);
}

const std::vector<DialogCase>& Cases() {
  static const std::vector<DialogCase> cases = {
      {kCmdIsraelDiasporaStyle, "Set Israel/Diaspora & Style",
       [](GtkWidget* w) { Click(w, "Israel"); Click(w, "Sephardic"); }},
      {kCmdShabbatTimes, "Configure Shabbat Times",
       [](GtkWidget* w) {
         TypeCitySearch(w, "jeru");
         ChooseCityRow(w, "Jerusalem");
         gtk_entry_set_text(GTK_ENTRY(Beside(w, "Candle Lighting:")), "40");
       }},
      {kCmdDaylightSaving, "Configure Daylight Savings Time",
       [](GtkWidget* w) {
         SetToggle(FindButton(w, "Consider DST"), false);
         SetToggle(FindButton(w, "Automatic (the city's time zone)"), true);
       }},
      {kCmdZmanim, "Configure Zmanim", [](GtkWidget* w) { FirstChoice(w, ""); }},
      {kCmdLearning, "Daily Learning",
       [](GtkWidget* w) {
         SetToggle(FindButton(w, "Daf Yomi"), false);
         SetToggle(FindButton(w, "Nach Yomi"), true);
       }},
      {kCmdTimeFormat, "Time format", [](GtkWidget* w) { Click(w, "24 hour"); }},
      {kCmdBackgroundImage, "Select Background Image",
       [](GtkWidget* w) { gtk_entry_set_text(GTK_ENTRY(Beside(w, "Background Image")), "/x.png"); }},
      {kCmdLanguage, "Select Language",
       [](GtkWidget* w) {
         Click(w, "Hebrew");
         SetToggle(FindButton(w, "Hebrew dates in Hebrew numerals"), false);
       }},
      {kCmdFont, "Select Font", [](GtkWidget* w) { FirstChoice(w, "DejaVu Sans"); }},
      {kCmdFontSizes, "Configure font sizes",
       [](GtkWidget* w) {
         gtk_spin_button_set_value(GTK_SPIN_BUTTON(WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON).front()), 40);
       }},
  };
  return cases;
}

TEST_F(SettingsDialogTest, CancelOrClosingTheWindowChangesNothing) {
  settingsDone();  // a settings file to compare
  const std::string before = SettingsState();
  for (const DialogCase& c : Cases()) {
    for (bool close : {false, true}) {
      SCOPED_TRACE(std::string(c.title) + (close ? ", closed" : ", cancelled"));
      GtkWidget* area = drawingArea;
      UserScript user;
      user.Then("edit", On(c.title, c.edit))
          .Then("give up", close ? CloseWindow(c.title) : Press(c.title, "Cancel"));
      RunMenuCommand(c.command, user);
      EXPECT_FALSE(RedrawRequested());
      EXPECT_EQ(drawingArea, area);  // not rebuilt either
      EXPECT_EQ(SettingsState(), before);
    }
  }
}

TEST_F(SettingsDialogTest, SettingsChosenInDialogsAreInTheFileAfterExit) {
  auto confirm = [](int command, const char* title, std::function<void(GtkWidget*)> edit) {
    UserScript user;
    user.Then(title, On(title, [edit](GtkWidget* w) {
      edit(w);
      Click(w, "OK");
    }));
    RunMenuCommand(command, user);
    Pump();
  };
  confirm(kCmdShabbatTimes, "Configure Shabbat Times", [](GtkWidget* w) {
    TypeCitySearch(w, "zur");
    ChooseCityRow(w, "Z\xC3\xBCrich");
    gtk_entry_set_text(GTK_ENTRY(Beside(w, "Candle Lighting:")), "22");
    gtk_entry_set_text(GTK_ENTRY(Beside(w, "End of Shabbat:")), "7.5");
    Click(w, "degrees below horizon");
  });
  confirm(kCmdIsraelDiasporaStyle, "Set Israel/Diaspora & Style", [](GtkWidget* w) {
    Click(w, "Israel");
    Click(w, "Sephardic");
  });
  confirm(kCmdTimeFormat, "Time format", [](GtkWidget* w) { Click(w, "24 hour"); });
  confirm(kCmdDaylightSaving, "Configure Daylight Savings Time", [](GtkWidget* w) {
    Choose(ChoicesInRowOf(w, "Common", 1)[2], "November");
    SetToggle(FindButton(w, "Automatic (the city's time zone)"), true);
  });
  confirm(kCmdBackgroundImage, "Select Background Image", [](GtkWidget* w) {
    gtk_entry_set_text(GTK_ENTRY(Beside(w, "Background Image")), "~/pictures/sky.png");
  });
  confirm(kCmdZmanim, "Configure Zmanim", [](GtkWidget* w) {
    Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "7.08 deg bel. horizon");  // the last row
  });
  confirm(kCmdFont, "Select Font", [](GtkWidget* w) { FirstChoice(w, "DejaVu Serif"); });
  confirm(kCmdLearning, "Daily Learning", [](GtkWidget* w) {
    SetToggle(FindButton(w, "Daf Yomi"), false);
    SetToggle(FindButton(w, "Rambam, three chapters"), true);
  });
  confirm(kCmdFontSizes, "Configure font sizes", [](GtkWidget* w) {
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON).front()), 30);
  });

  HandleMenuItem(nullptr, kCmdExit);
  Pump();
  ASSERT_EQ(gMainWindow, nullptr);
  const std::string file = ReadFile(SettingsGetFileName());
  for (const char* line : {"CurrentCity: \"Z\xFCrich\"\n", "CandleLightingMin: \"22\"\n", "HavdalahValue: \"7.5\"\n",
                           "HavdalahIsMin: \"0\"\n", "Diaspora: \"0\"\n", "Style: \"1\"\n", "TimeFormat: \"1\"\n",
                           "DSTEndMonth: \"11\"\n", "IsDST: \"1\"\n", "DSTAutomatic: \"1\"\n", "BackgroundImage: \"~/pictures/sky.png\"\n",
                           "ZmanimTzaitHakochavim: \"Deg708\"\n", "FontName: \"DejaVu Serif\"\n",
                           "FontSizeZmanim: \"30\"\n", "LearningDafYomi: \"0\"\n", "LearningRambamThreeChapters: \"1\"\n",
                           "LearningRambamOneChapter: \"0\"\n"})
    EXPECT_NE(file.find(line), std::string::npos) << line << " missing from\n" << file;
}

}  // namespace
