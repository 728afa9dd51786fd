// Message windows: plain messages, yes/no questions, the About box and the
// long-message window of the day report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test_util.h"
#include "dialogs/message.h"
#include "gui_test_util.h"

namespace {

using guitest::ContentLabels;
using guitest::UserScript;
using guitest::WindowTitled;

class MessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override {
    guitest::CloseDialogs();
    guitest::Pump();
    translate_done();
  }
  guitest::TempHome home_;
};

TEST_F(MessageTest, OneLabelPerLine) {
  struct Case {
    const char* text;
    std::vector<std::string> labels;
  } cases[] = {
      {"single line", {"single line"}},
      {"first\nsecond", {"first", "second"}},
      {"trailing newline\n", {"trailing newline"}},
      {"a\n\nb", {"a", "", "b"}},
  };
  for (const Case& c : cases) {
    DialogsDoMessage(c.text);
    GtkWidget* w = WindowTitled("Message");
    ASSERT_NE(w, nullptr) << c.text;
    EXPECT_EQ(ContentLabels(w), c.labels) << c.text;
    // It stays open on its own until its OK button closes it.
    guitest::Pump();
    EXPECT_NE(WindowTitled("Message"), nullptr);
    ASSERT_TRUE(guitest::Click(w, "OK"));
    EXPECT_EQ(WindowTitled("Message"), nullptr);
  }
}

TEST_F(MessageTest, YesNoWaitsForTheAnswer) {
  struct Case {
    const char* action;
    int expected;
  } cases[] = {{"Yes", kAnswerYes}, {"No", kAnswerNo}, {"close", kAnswerNo}};
  for (const Case& c : cases) {
    UserScript user;
    user.Then("answer", [&] {
      GtkWidget* w = WindowTitled("Message");
      if (!w || !GTK_WIDGET_MAPPED(w)) return false;
      EXPECT_EQ(ContentLabels(w), std::vector<std::string>{"Delete it?"});
      EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
      EXPECT_EQ(guitest::FindButton(w, "OK"), nullptr);
      if (std::string(c.action) == "close") {
        gtk_widget_destroy(w);  // as the window manager's close button does
      } else {
        guitest::Click(w, c.action);
      }
      return true;
    });
    user.Start();
    EXPECT_EQ(DialogsDoYesNo("Delete it?"), c.expected) << c.action;
    EXPECT_EQ(WindowTitled("Message"), nullptr) << c.action;
  }
}

TEST_F(MessageTest, AboutBox) {
  DialogsDoAbout();
  GtkWidget* w = WindowTitled("Message");
  ASSERT_NE(w, nullptr);
  const std::vector<std::string> lines = ContentLabels(w);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Lumaro");
  EXPECT_EQ(lines[1], "Version 3.0f");
  EXPECT_FALSE(lines[2].empty());
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4].rfind("E-Mail: ", 0), 0u);
  EXPECT_NE(lines[4].find('@'), std::string::npos);
  EXPECT_EQ(lines[5].rfind("Website: https://", 0), 0u);
}

// The lists of a long-message window: their rows and their sizes.
struct ListShape {
  std::vector<std::string> rows;
  int width, height;
};

std::vector<ListShape> Lists(GtkWidget* window) {
  std::vector<ListShape> lists;
  for (GtkWidget* s : guitest::WidgetsOfType(window, GTK_TYPE_SCROLLED_WINDOW)) {
    int w = 0, h = 0;
    gtk_widget_get_size_request(s, &w, &h);
    lists.push_back({guitest::TreeRows(gtk_bin_get_child(GTK_BIN(s))), w, h});
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
  for (const ListShape& l : lists) {
    EXPECT_EQ(l.width, W / 3);
    EXPECT_EQ(l.height, H / 5);
  }

  // A second window opens beside the first: they are independent.
  GtkWidget* two = DialogsDoLongMessage(nullptr, &zmanim, nullptr, &halakha);
  lists = Lists(two);
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].rows.front(), "Sunrise 6:01");
  EXPECT_EQ(lists[1].rows.front(), "Halakha for date 1.1.2024:");
  for (const ListShape& l : lists) EXPECT_EQ(l.height, H / 6);
  EXPECT_EQ(guitest::WindowsTitled("Message").size(), 2u);

  ASSERT_TRUE(guitest::Click(two, "Close"));
  EXPECT_EQ(guitest::WindowsTitled("Message"), std::vector<GtkWidget*>{three});
}

}  // namespace
