#include <cstdio>
#include <cstring>

#include "app/indicator.h"
#include "app/main_window.h"
#include "base/version.h"

// The program takes two options of its own: --indicator (the Hebrew date in
// the panel instead of the window) and --preferences (the window with its
// Preferences open at the page of the panel and the reminders); --version and --help answer without
// opening a window (or needing a display). Anything else goes to GTK, which
// takes its own options (--display ...).
int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("lumaro %s\n", LUMARO_VERSION);
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf(
        "usage: lumaro [--indicator | --preferences | --version | --help]\n"
        "The Lumaro calendar: the month view of the Jewish and the civil calendar with\n"
        "holidays, Torah sections, zmanim, Shabbat times and anniversaries.\n"
        "Everything is set in the program's menus and kept in ~/.lumaro. lumaro-cli\n"
        "is the same calendar without a window.\n"
        "  --indicator  the Hebrew date in the panel, with the day's facts in its menu\n"
        "               and the reminders as desktop notifications (one per session)\n"
        "  --preferences  the calendar with its Preferences open at the panel's page\n");
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--indicator") == 0) return IndicatorMain(argc, argv);
    if (std::strcmp(argv[i], "--preferences") != 0) continue;
    MainWindowOpenPreferencesAtStart();
    for (int j = i; j < argc; ++j) argv[j] = argv[j + 1];  // GTK does not see it (argv[argc] is null)
    --argc;
    break;
  }
  return LumaroMain(argc, argv);
}
