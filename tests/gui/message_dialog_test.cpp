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
  // Short lists are as high as their lines: the three-line list is the highest.
  EXPECT_EQ(lists[0].height, lists[1].height);
  EXPECT_GT(lists[2].height, lists[1].height);
  EXPECT_LT(lists[2].height, 200);

  // A second window opens beside the first: they are independent.
  GtkWidget* two = DialogsDoLongMessage(nullptr, &zmanim, nullptr, &halakha);
  lists = Lists(two);
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[1].rows.front(), "Halakha for date 1.1.2024:");
  ASSERT_TRUE(Click(two, "Close"));
  EXPECT_EQ(WindowsTitled("Message"), std::vector<GtkWidget*>{three});
}

// A line longer than the screen is wide wraps: the window stays on the
// screen and nothing scrolls sideways.
TEST_F(MessageTest, LongLinesWrap) {
  GdkScreen* screen = gdk_screen_get_default();
  std::string line;
  for (int i = 0; i < 60; ++i) line += "Haftarah (Sephardi ritual) ";
  const std::string text = "Readings:\n" + line + "\n";
  GtkWidget* window = DialogsDoLongMessage(nullptr, &text, nullptr, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return GTK_WIDGET_MAPPED(window) && window->allocation.width > 1; }));
  EXPECT_LE(window->allocation.width, gdk_screen_get_width(screen));
  for (GtkWidget* s : WidgetsOfType(window, GTK_TYPE_SCROLLED_WINDOW)) {
    GtkPolicyType horizontal, vertical;
    gtk_scrolled_window_get_policy(GTK_SCROLLED_WINDOW(s), &horizontal, &vertical);
    EXPECT_EQ(horizontal, GTK_POLICY_NEVER);
  }
}

// Heights: all lists whole when they fit; else the short ones whole and the
// long ones sharing the rest.
TEST(ShareSpace, Cases) {
  EXPECT_EQ(ShareSpace({100, 200, 300}, 1000), (std::vector<int>{100, 200, 300}));
  EXPECT_EQ(ShareSpace({100, 500, 900}, 900), (std::vector<int>{100, 400, 400}));
  EXPECT_EQ(ShareSpace({900, 100}, 500), (std::vector<int>{400, 100}));
  EXPECT_EQ(ShareSpace({300, 300, 300}, 600), (std::vector<int>{200, 200, 200}));
  EXPECT_EQ(ShareSpace({}, 600), std::vector<int>{});
  EXPECT_EQ(ShareSpace({50}, -10), std::vector<int>{0});
}

}  // namespace
