#include <cstdio>
#include <cstring>

#include "app/main_window.h"
#include "base/version.h"

// The program takes no options of its own; --version and --help answer
// without opening a window (or needing a display). Anything else goes to
// GTK, which takes its own options (--display ...).
int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("lumaro %s\n", LUMARO_VERSION);
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf(
        "usage: lumaro [--version | --help]\n"
        "The Lumaro calendar: the month view of the Jewish and the civil calendar with\n"
        "holidays, Torah sections, zmanim, Shabbat times and anniversaries.\n"
        "It takes no options; everything is set in the program's menus and kept in\n"
        "~/.lumaro. lumaro-cli is the same calendar without a window.\n");
    return 0;
  }
  return LumaroMain(argc, argv);
}
