// Entry of the GUI test binary (run under Xvfb). A warning or critical
// message of GLib, GTK or any library under them fails the test during which
// it is logged: the program must use the toolkit without complaints.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  g_log_set_default_handler(
      [](const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
        if (!(level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)))
          return g_log_default_handler(domain, level, message, nullptr);
        ADD_FAILURE() << "toolkit message: " << (domain ? domain : "") << ": " << (message ? message : "");
      },
      nullptr);
  // GTK keeps the first data folder it finds (for its list of recently used
  // files) and writes there after a test's HOME is gone: one for the run.
  char dataHome[] = "/tmp/lumaro-gui-data-XXXXXX";
  if (::mkdtemp(dataHome)) ::setenv("XDG_DATA_HOME", dataHome, 1);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "no X display (run the GUI tests under xvfb-run)\n");
    return 1;
  }
  const int status = RUN_ALL_TESTS();
  std::filesystem::remove_all(dataHome);
  return status;
}
