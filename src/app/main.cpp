#include "app/main_window.h"

int main(int argc, char** argv) { return LumaroMain(argc, argv); }
