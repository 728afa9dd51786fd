// Entry of the GUI test binary: the tests need an X display (the test
// command runs them under Xvfb); listing them does not.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "no X display (run the GUI tests under xvfb-run)\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
