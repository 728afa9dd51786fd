// Entry of the GUI test binary (run under Xvfb). A warning or critical
// message of GLib, GTK or any library under them fails the test during which
// it is logged: the program must use the toolkit without complaints.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void FailOnWarning(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
  const bool bad = (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) != 0;
  if (!bad) {
    g_log_default_handler(domain, level, message, nullptr);
    return;
  }
  const char* kind = (level & G_LOG_LEVEL_CRITICAL) ? "CRITICAL" : (level & G_LOG_LEVEL_ERROR) ? "ERROR" : "WARNING";
  std::fprintf(stderr, "%s-%s **: %s\n", domain ? domain : "", kind, message ? message : "");
  ADD_FAILURE() << "toolkit message: " << (domain ? domain : "") << "-" << kind << ": " << (message ? message : "");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  g_log_set_default_handler(FailOnWarning, nullptr);
  // Each test has a HOME of its own that is gone when it ends, but GTK keeps
  // the first data folder it finds (for its list of recently used files) and
  // writes there after the test: give it one that lasts as long as the run.
  char dataHome[] = "/tmp/lumaro-gui-data-XXXXXX";
  const bool haveDataHome = ::mkdtemp(dataHome) != nullptr;
  if (haveDataHome) ::setenv("XDG_DATA_HOME", dataHome, 1);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "no X display (run the GUI tests under xvfb-run)\n");
    return 1;
  }
  const int status = RUN_ALL_TESTS();
  std::error_code ec;
  if (haveDataHome) std::filesystem::remove_all(dataHome, ec);
  return status;
}
