#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui_test_util.h"
#include "storage/settings_file.h"

namespace {

using guitest::MainWindowTest;

std::vector<std::string> MenuLabels(GtkWidget* menuShell) {
  std::vector<std::string> labels;
  GList* children = gtk_container_get_children(GTK_CONTAINER(menuShell));
  for (GList* l = children; l; l = l->next) {
    GtkWidget* item = GTK_WIDGET(l->data);
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(item));
    labels.push_back(child && GTK_IS_LABEL(child) ? gtk_label_get_text(GTK_LABEL(child)) : "---");
  }
  g_list_free(children);
  return labels;
}

GtkWidget* FindMenuBar(GtkWidget* container) {
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  for (GList* l = children; l && !found; l = l->next) {
    GtkWidget* w = GTK_WIDGET(l->data);
    if (GTK_IS_MENU_BAR(w)) found = w;
    else if (GTK_IS_CONTAINER(w)) found = FindMenuBar(w);
  }
  g_list_free(children);
  return found;
}

TEST_F(MainWindowTest, OpensFullScreenWithMenus) {
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(gMainWindow)), "Lumaro");
  int w = 0, h = 0;
  gtk_window_get_size(GTK_WINDOW(gMainWindow), &w, &h);
  EXPECT_EQ(w, gdk_screen_get_width(gdk_screen_get_default()));
  EXPECT_EQ(h, gdk_screen_get_height(gdk_screen_get_default()));

  GtkWidget* bar = FindMenuBar(gMainWindow);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuLabels(bar), (std::vector<std::string>{"Program", "Settings", "Help"}));
  GList* menus = gtk_container_get_children(GTK_CONTAINER(bar));
  ASSERT_EQ(g_list_length(menus), 3u);
  auto submenu = [&](int i) { return gtk_menu_item_get_submenu(GTK_MENU_ITEM(g_list_nth_data(menus, i))); };
  EXPECT_EQ(MenuLabels(submenu(0)),
            (std::vector<std::string>{"Display information about current day...", "Jump to today!",
                                      "Anniversaries/Birthdays/yortsayt", "Print...", "Export to calendar file...", "---",
                                      "Exit"}));
  EXPECT_EQ(MenuLabels(submenu(1)),
            (std::vector<std::string>{"Set Israel/Diaspora & Style...", "Configure Shabbat Times...",
                                      "Configure Zmanim...", "Configure Daylight Savings Time...",
                                      "Configure Time Format...", "Configure Background Image...", "Font",
                                      "Font Sizes", "Select Language..."}));
  EXPECT_EQ(MenuLabels(submenu(2)), (std::vector<std::string>{"Help", "---", "About this program..."}));
  g_list_free(menus);
}

TEST_F(MainWindowTest, PageDownClampsTheDay) {
  SetSelectedDate({31, 1, 2024});
  PressKey(GDK_Page_Down);
  EXPECT_EQ(SelectedDate(), (GregorianDate{29, 2, 2024}));
  SetSelectedDate({31, 1, 2023});
  PressKey(GDK_Page_Down);
  EXPECT_EQ(SelectedDate(), (GregorianDate{28, 2, 2023}));
  PressKey(GDK_Page_Up);
  EXPECT_EQ(SelectedDate(), (GregorianDate{28, 1, 2023}));
}

TEST_F(MainWindowTest, ArrowKeysStepDays) {
  SetSelectedDate({31, 12, 2024});
  PressKey(GDK_Right);
  EXPECT_EQ(SelectedDate(), (GregorianDate{1, 1, 2025}));
  PressKey(GDK_Left);
  EXPECT_EQ(SelectedDate(), (GregorianDate{31, 12, 2024}));
  PressKey(GDK_Down);
  EXPECT_EQ(SelectedDate(), (GregorianDate{7, 1, 2025}));
  PressKey(GDK_Up);
  PressKey(GDK_Up);
  EXPECT_EQ(SelectedDate(), (GregorianDate{24, 12, 2024}));
  // Other keys change nothing.
  PressKey(GDK_a);
  PressKey(GDK_Home);
  EXPECT_EQ(SelectedDate(), (GregorianDate{24, 12, 2024}));
}

TEST_F(MainWindowTest, EndsOfTheRangeDoNotMove) {
  SetSelectedDate({15, 1, 1583});
  PressKey(GDK_Page_Up);
  EXPECT_EQ(SelectedDate(), (GregorianDate{15, 1, 1583}));
  SetSelectedDate({15, 12, 3000});
  PressKey(GDK_Page_Down);
  EXPECT_EQ(SelectedDate(), (GregorianDate{15, 12, 3000}));
}

TEST_F(MainWindowTest, ExitWritesEverySetting) {
  setCity("Haifa");
  HandleMenuItem(nullptr, kCmdExit);
  guitest::Pump();
  EXPECT_EQ(gMainWindow, nullptr);
  EXPECT_EQ(SettingsGet("CurrentCity", ""), "Haifa");
  EXPECT_EQ(SettingsGet("PrintYiddishFontFile", "missing"), "");
  EXPECT_EQ(SettingsGetInt("Language", 0), 1);
}

TEST_F(MainWindowTest, JumpToToday) {
  SetSelectedDate({1, 1, 1600});
  HandleMenuItem(nullptr, kCmdToday);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  EXPECT_EQ(SelectedDate().month, local.tm_mon + 1);
  EXPECT_EQ(SelectedDate().day, local.tm_mday);
}

}  // namespace

namespace {

// The labels of the menu bar after a rebuild come from the new language.
using guitest::MainWindowTest;

TEST_F(MainWindowTest, RebuildAfterLanguageChangeKeepsTheMonth) {
  std::filesystem::create_directories(home_.path() + "/.lumaro/translations");
  std::ofstream(home_.path() + "/.lumaro/translations/yiddish.gui")
      << "\"Program\" = \"\xD7\xA4\xD7\xA8\xD7\x90\xD7\x92\xD7\xA8\xD7\x90\xD7\x9E\"\n";
  SetSelectedDate({17, 8, 2031});
  setLanguage(kLanguageYiddish);
  MainWindowRebuild(true);
  guitest::Pump();
  ASSERT_NE(drawingArea, nullptr);
  GtkWidget* bar = FindMenuBar(gMainWindow);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuLabels(bar).front(), "\xD7\xA4\xD7\xA8\xD7\x90\xD7\x92\xD7\xA8\xD7\x90\xD7\x9E");
  EXPECT_EQ(gtk_widget_get_direction(bar), GTK_TEXT_DIR_RTL);
  EXPECT_EQ(SelectedDate(), (GregorianDate{17, 8, 2031}));
  // Keys still reach the navigation once, not once per rebuild.
  PressKey(GDK_Right);
  EXPECT_EQ(SelectedDate(), (GregorianDate{18, 8, 2031}));
  setLanguage(kLanguageEnglish);
  MainWindowRebuild(true);
  EXPECT_EQ(MenuLabels(FindMenuBar(gMainWindow)).front(), "Program");
}

}  // namespace
