// Helpers for the in-process GTK tests: a private HOME, event pumping and
// the main window opened the way the program opens it.
#pragma once

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "storage/settings.h"
#include "storage/translate.h"

namespace guitest {

inline void Pump() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// Pumps events until pred() holds; bounded by iterations, not by a clock.
template <class P>
bool PumpUntil(P pred, int maxIter = 2000) {
  for (int i = 0; i < maxIter; ++i) {
    if (pred()) return true;
    gdk_flush();
    Pump();
    g_usleep(1000);
  }
  return pred();
}

class TempHome {
 public:
  TempHome() {
    char tmpl[] = "/tmp/lumaro-gui-XXXXXX";
    path_ = ::mkdtemp(tmpl);
    ::setenv("HOME", path_.c_str(), 1);
    std::filesystem::create_directory(path_ + "/.lumaro");
  }
  ~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Opens the main window in a fresh HOME, as start-up does.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsInit();
    translate_init(getLanguagePrefix(getLanguage()));
    MainWindowOpen();
    ASSERT_NE(gMainWindow, nullptr);
    ASSERT_TRUE(PumpUntil([] { return drawingArea && GTK_WIDGET_MAPPED(drawingArea); }));
  }
  void TearDown() override {
    if (gMainWindow) gtk_widget_destroy(gMainWindow);
    Pump();
    translate_done();
  }

  // Sends a key press and release to the main window and waits for them.
  void PressKey(guint keyval) {
    ASSERT_NE(gMainWindow, nullptr);
    ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, keyval, static_cast<GdkModifierType>(0),
                                      GDK_KEY_PRESS));
    ASSERT_TRUE(gdk_test_simulate_key(gMainWindow->window, -1, -1, keyval, static_cast<GdkModifierType>(0),
                                      GDK_KEY_RELEASE));
    Pump();
  }

  TempHome home_;
};

}  // namespace guitest
