// The print dialog driven as a user would, the print path from Ctrl+P and
// the "Print..." menu item, and printer jobs through CUPS.
#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_test_util.h"
#include "dialogs/print_dialog.h"
#include "dialogs/printers.h"
#include "gui_test_util.h"

namespace {

using guitest::Beside;
using guitest::Click;
using guitest::ExpectMessage;
using guitest::UserScript;
using guitest::WidgetsOfType;
using guitest::WindowTitled;

constexpr const char* kTitle = "Select Printing Options";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The files in `dir`.
std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.insert(name);
    }
    closedir(d);
  }
  return names;
}

// Printer jobs put their temporary files into a private directory, which
// must be empty again afterwards.
class PrivateTempDir {
 public:
  explicit PrivateTempDir(const std::string& home) : dir_(home + "/spool") {
    std::filesystem::create_directory(dir_);
    SetPrintTempDirForTesting(dir_);
  }
  ~PrivateTempDir() { SetPrintTempDirForTesting("/tmp"); }
  std::set<std::string> Files() const { return FilesIn(dir_); }

 private:
  std::string dir_;
};

// A step that waits for the print dialog and acts on it.
UserScript::Step OnDialog(std::function<void(GtkWidget*)> act) {
  return [act] {
    GtkWidget* w = WindowTitled(kTitle);
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    act(w);
    return true;
  };
}

bool Active(GtkWidget* dialog, const char* label) {
  GtkWidget* b = guitest::FindButton(dialog, label);
  return b && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(b));
}

void Toggle(GtkWidget* dialog, const char* label) {
  GtkWidget* b = guitest::FindButton(dialog, label);
  ASSERT_NE(b, nullptr) << label;
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(b), TRUE);
}

std::vector<std::string> ComboItems(GtkWidget* combo) {
  std::vector<std::string> items;
  GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(combo));
  GtkTreeIter it;
  for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok; ok = gtk_tree_model_iter_next(model, &it)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, 0, &text, -1);
    items.push_back(text ? text : "");
    g_free(text);
  }
  return items;
}

GtkWidget* PrinterCombo(GtkWidget* dialog) { return Beside(dialog, "Printer:", GTK_TYPE_COMBO_BOX); }
GtkWidget* PaperCombo(GtkWidget* dialog) { return Beside(dialog, "Paper Size:", GTK_TYPE_COMBO_BOX); }
void SetEntry(GtkWidget* dialog, const char* label, const char* text) {
  gtk_entry_set_text(GTK_ENTRY(Beside(dialog, label)), text);
}

class PrintDialogTest : public ::testing::Test {
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

TEST_F(PrintDialogTest, StartsFromTheDefaultsAndCancels) {
  const bool noPrinters = PrintListPrinters().names.empty();
  UserScript user;
  user.Then("look at the defaults", OnDialog([&](GtkWidget* w) {
        EXPECT_EQ(ComboItems(PaperCombo(w)), (std::vector<std::string>{"US Letter (8.5x11 inches)",
                                                                       "US Legal (8.5x14 inches)",
                                                                       "ISO A4 (210x297 mm)"}));
        EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(PaperCombo(w))), 0);
        EXPECT_TRUE(Active(w, "Portrait"));
        EXPECT_FALSE(Active(w, "Landscape"));
        EXPECT_TRUE(Active(w, "Color"));
        EXPECT_FALSE(Active(w, "Black&White"));
        for (const char* m : {"Left margin:", "Top margin:", "Right margin:", "Bottom margin:"})
          EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, m))), "10") << m;
        EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "File:"))), std::string());
        // Without a print system there is no printer to choose: printing goes to a file.
        if (noPrinters) {
          EXPECT_TRUE(ComboItems(PrinterCombo(w)).empty());
          EXPECT_TRUE(Active(w, "File:"));
        }
        Click(w, "Cancel");
      }));
  user.Start();
  PrintJob job;
  EXPECT_FALSE(DoPrintDialog(nullptr, &job));
}

TEST_F(PrintDialogTest, RefusesWhatItCannotUseAndKeepsTheRest) {
  const std::string path = home_.path() + "/month.ps";
  UserScript user;
  user.Then("OK without a file", OnDialog([](GtkWidget* w) {
        Toggle(w, "File:");
        Click(w, "OK");
      }))
      .Then("told to enter a file", ExpectMessage("Please enter the file to print to"))
      .Then("a margin with its unit", OnDialog([&](GtkWidget* w) {
        SetEntry(w, "File:", path.c_str());
        SetEntry(w, "Left margin:", "12.5mm");
        Click(w, "OK");
      }))
      .Then("told the margin is wrong",
            ExpectMessage("The margin \"12.5mm\" is not a number of millimetres (for example 10 or 12.5)"))
      .Then("margins wider than the paper", OnDialog([](GtkWidget* w) {
        SetEntry(w, "Left margin:", "250");
        SetEntry(w, "Right margin:", "10");
        Click(w, "OK");
      }))
      .Then("told there is no room", ExpectMessage("The margins leave no room on the paper"))
      .Then("A4 landscape, black and white", OnDialog([](GtkWidget* w) {
        SetEntry(w, "Left margin:", " 12.5");
        SetEntry(w, "Bottom margin:", "");
        gtk_combo_box_set_active(GTK_COMBO_BOX(PaperCombo(w)), 2);
        Toggle(w, "Landscape");
        Toggle(w, "Black&White");
        Click(w, "OK");
      }));
  user.Start();
  PrintJob job;
  ASSERT_TRUE(DoPrintDialog(nullptr, &job));
  EXPECT_EQ(job.toFile, 1);
  EXPECT_EQ(job.filePath, path);
  EXPECT_EQ(job.paperName, "A4");
  EXPECT_EQ(job.paperWidth, 841);
  EXPECT_EQ(job.paperHeight, 595);
  EXPECT_EQ(job.orientation, 1);
  EXPECT_EQ(job.color, 0);
  EXPECT_EQ(job.leftMargin, 34);  // 12 mm
  EXPECT_EQ(job.topMargin, 28);
  EXPECT_EQ(job.rightMargin, 28);
  EXPECT_EQ(job.bottomMargin, 0);
  EXPECT_EQ(WindowTitled(kTitle), nullptr);
}

TEST_F(PrintDialogTest, ClosingTheWindowCancels) {
  UserScript user;
  user.Then("close the window", OnDialog([](GtkWidget* w) { gtk_widget_destroy(w); }));
  user.Start();
  PrintJob job;
  EXPECT_FALSE(DoPrintDialog(nullptr, &job));
}

TEST_F(PrintDialogTest, BrowseFillsTheFileEntry) {
  const std::string path = home_.path() + "/chosen.ps";
  UserScript user;
  // The file chooser runs its own loop: the click must not come from inside
  // the script's timer, which could not fire again until that loop ends.
  user.Then("press Browse...", OnDialog([](GtkWidget* w) {
        GtkWidget* browse = guitest::FindButton(w, "Browse...");
        ASSERT_NE(browse, nullptr);
        g_idle_add(
            [](gpointer b) -> gboolean {
              gtk_button_clicked(GTK_BUTTON(b));
              return FALSE;
            },
            browse);
      }))
      .Then("choose a file", [&] {
        GtkWidget* chooser = WindowTitled("Specify PostScript file to print to");
        if (!chooser || !GTK_WIDGET_MAPPED(chooser)) return false;
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), home_.path().c_str());
        gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), "chosen.ps");
        return true;
      })
      // The chooser reads its folder in the background and answers OK only
      // once it has; ask until it closes.
      .Then("accept it", [&] {
        GtkWidget* chooser = WindowTitled("Specify PostScript file to print to");
        if (!chooser) return true;
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
        return false;
      })
      .Then("OK once the chooser is gone", [] {
        GtkWidget* w = WindowTitled(kTitle);
        if (!w || WindowTitled("Specify PostScript file to print to")) return false;
        EXPECT_TRUE(Active(w, "File:"));
        Click(w, "OK");
        return true;
      });
  user.Start();
  PrintJob job;
  ASSERT_TRUE(DoPrintDialog(nullptr, &job));
  EXPECT_EQ(job.toFile, 1);
  EXPECT_EQ(job.filePath, path);
}

TEST_F(PrintDialogTest, AJobThePrinterRefusesIsReportedAndLeavesNoFile) {
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[0], false);
  PrintSetMargins(job, 10, 10, 10, 10);
  job.toFile = 0;
  job.printerName = "no-such-printer-of-lumaro";
  const PrivateTempDir spool(home_.path());
  std::string error;
  EXPECT_FALSE(PrintIt(job, GregorianDate{1, 10, 2024}, &error));
  EXPECT_NE(error.find("no-such-printer-of-lumaro"), std::string::npos) << error;
  EXPECT_TRUE(spool.Files().empty());
}

using PrintFromMainWindowTest = guitest::MainWindowTest;

TEST_F(PrintFromMainWindowTest, CtrlPPrintsTheMonthToAFile) {
  const std::string path = home_.path() + "/october.ps";
  SetSelectedDate({17, 10, 2024});
  UserScript user;
  user.Then("print to a file", OnDialog([&](GtkWidget* w) {
    Toggle(w, "File:");
    SetEntry(w, "File:", path.c_str());
    Click(w, "OK");
  }));
  user.Start();
  ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, GDK_p, GDK_CONTROL_MASK, GDK_KEY_PRESS));
  ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, GDK_p, GDK_CONTROL_MASK, GDK_KEY_RELEASE));
  ASSERT_TRUE(guitest::PumpUntil([&] { return user.Done() && !WindowTitled(kTitle); }));
  const std::string ps = ReadFile(path);
  EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0\n%%BoundingBox: 0 0 612 792\n", 0), 0u);
  EXPECT_NE(ps.find("(October 2024) show"), std::string::npos);
  EXPECT_EQ(ps.substr(ps.size() - 9), "showpage\n");
  EXPECT_EQ(WindowTitled("Message"), nullptr);
  // The key did not move the selection.
  EXPECT_EQ(SelectedDate(), (GregorianDate{17, 10, 2024}));
}

GtkWidget* ProgramMenuItem(const std::string& label) {
  GtkWidget* found = nullptr;
  guitest::ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (found || !GTK_IS_MENU_ITEM(w)) return;
    GtkWidget* menu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(w));
    if (!menu) return;
    guitest::ForEachDescendant(menu, [&](GtkWidget* item) {
      GtkWidget* child = GTK_IS_MENU_ITEM(item) ? gtk_bin_get_child(GTK_BIN(item)) : nullptr;
      if (!found && child && GTK_IS_LABEL(child) && label == gtk_label_get_text(GTK_LABEL(child))) found = item;
    });
  });
  return found;
}

// Run by tests/e2e/print_cups.sh with a private print system whose queue
// LUMARO_CUPS_QUEUE writes its jobs to a file; the script checks the file.
TEST_F(PrintFromMainWindowTest, PrintsThroughCups) {
  const char* queue = std::getenv("LUMARO_CUPS_QUEUE");
  if (!queue || !*queue) GTEST_SKIP() << "needs a print queue (tests/e2e/print_cups.sh runs this test)";
  SetSelectedDate({17, 10, 2024});
  const PrivateTempDir spool(home_.path());
  UserScript user;
  user.Then("choose the queue", OnDialog([&](GtkWidget* w) {
    const std::vector<std::string> printers = ComboItems(PrinterCombo(w));
    int index = -1;
    for (size_t i = 0; i < printers.size(); ++i)
      if (printers[i] == queue) index = static_cast<int>(i);
    EXPECT_GE(index, 0) << "the queue is not in the printer list";
    EXPECT_TRUE(Active(w, "Printer:"));
    gtk_combo_box_set_active(GTK_COMBO_BOX(PrinterCombo(w)), index);
    Click(w, "OK");
  }));
  user.Start();
  GtkWidget* item = ProgramMenuItem("Print...");
  ASSERT_NE(item, nullptr);
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  ASSERT_TRUE(user.Done());
  guitest::Pump();
  GtkWidget* message = WindowTitled("Message");
  if (message) {
    std::string text;
    for (const std::string& line : guitest::ContentLabels(message)) text += line + "\n";
    ADD_FAILURE() << "printing failed: " << text;
  }
  // The temporary file was handed over and removed.
  EXPECT_TRUE(spool.Files().empty());
}

}  // namespace
