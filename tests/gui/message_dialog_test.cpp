// Message windows: plain messages, yes/no questions and the long-message
// window of the day report.
#include "dialogs/message.h"

#include "gui_test_util.h"

namespace {

using namespace guitest;

using MessageTest = DialogTest;

TEST_F(MessageTest, OneLabelPerLineAndOpenUntilOK) {
  const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
      {"single line", {"single line"}},
      {"first\nsecond", {"first", "second"}},
      {"trailing newline\n", {"trailing newline"}},
      {"a\n\nb", {"a", "", "b"}},
  };
  for (const auto& [text, labels] : cases) {
    DialogsDoMessage(text);
    Pump();
    GtkWidget* w = WindowTitled("Message");
    ASSERT_NE(w, nullptr) << text;
    EXPECT_EQ(ContentLabels(w), labels) << text;
    ASSERT_TRUE(Click(w, "OK"));
    EXPECT_EQ(WindowTitled("Message"), nullptr);
  }
}

TEST_F(MessageTest, YesNoWaitsForTheAnswer) {
  const std::vector<std::pair<std::string, int>> cases = {{"Yes", kAnswerYes}, {"No", kAnswerNo}, {"close", kAnswerNo}};
  for (const auto& [action, expected] : cases) {
    UserScript user;
    user.Then("answer", On("Message", [action = action](GtkWidget* w) {
      EXPECT_EQ(ContentLabels(w), std::vector<std::string>{"Delete it?"});
      EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
      EXPECT_EQ(FindButton(w, "OK"), nullptr);
      if (action == "close") gtk_widget_destroy(w);
      else Click(w, action);
    }));
    user.Start();
    EXPECT_EQ(DialogsDoYesNo("Delete it?"), expected) << action;
    EXPECT_EQ(WindowTitled("Message"), nullptr) << action;
  }
}

// Rows and size of each list of a long-message window.
struct ListShape {
  std::vector<std::string> rows;
  int width, height;
};
std::vector<ListShape> Lists(GtkWidget* window) {
  std::vector<ListShape> lists;
  for (GtkWidget* s : WidgetsOfType(window, GTK_TYPE_SCROLLED_WINDOW)) {
    int w = 0, h = 0;
    gtk_widget_get_size_request(s, &w, &h);
    lists.push_back({TreeRows(gtk_bin_get_child(GTK_BIN(s))), w, h});
  }
  return lists;
}

TEST_F(MessageTest, LongMessageWithThreeAndTwoLists) {
  GdkScreen* screen = gdk_screen_get_default();
  const int W = gdk_screen_get_width(screen), H = gdk_screen_get_height(screen);
  const std::string zmanim = "Sunrise 6:01\nSunset 17:45\n", readings = "Readings:\nGenesis 1:1\n",
                    halakha = "Halakha for date 1.1.2024:\n\nTakhanun\n";
  GtkWidget* three = DialogsDoLongMessage(nullptr, &zmanim, &readings, &halakha);
  ASSERT_NE(three, nullptr);
  EXPECT_FALSE(gtk_window_get_modal(GTK_WINDOW(three)));
  std::vector<ListShape> lists = Lists(three);
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[0].rows, (std::vector<std::string>{"Sunrise 6:01", "Sunset 17:45"}));
  EXPECT_EQ(lists[1].rows, (std::vector<std::string>{"Readings:", "Genesis 1:1"}));
  EXPECT_EQ(lists[2].rows, (std::vector<std::string>{"Halakha for date 1.1.2024:", "", "Takhanun"}));
  for (const ListShape& l : lists) EXPECT_EQ(l.width * 1000 + l.height, W / 3 * 1000 + H / 5);

  // A second window opens beside the first: they are independent.
  GtkWidget* two = DialogsDoLongMessage(nullptr, &zmanim, nullptr, &halakha);
  lists = Lists(two);
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[1].rows.front(), "Halakha for date 1.1.2024:");
  for (const ListShape& l : lists) EXPECT_EQ(l.height, H / 6);
  ASSERT_TRUE(Click(two, "Close"));
  EXPECT_EQ(WindowsTitled("Message"), std::vector<GtkWidget*>{three});
}

}  // namespace
