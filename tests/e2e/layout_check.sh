#!/bin/bash
# scripts/check-layout.py: the includes between the folders of src/ point
# down, toolkit headers stay in the GUI folders, the settings store is read
# only at the top, and no folder has an include cycle. It passes on the
# sources as they are, and on a copy with a fault put
# in it fails naming the file, the line and the include.
source "$(dirname "$0")/lib/common.sh"

CHECK="$LUMARO_SOURCE_DIR/scripts/check-layout.py"
command -v python3 > /dev/null || { fail "python3 is missing (scripts/install-deps.sh installs it)"; finish; }

out=$(python3 "$CHECK" --root "$LUMARO_SOURCE_DIR")
status=$?
expect_eq "the sources pass" 0 "$status"
[ "$status" -eq 0 ] || printf '%s\n' "$out" | head -30 >&2
printf '%s\n' "$out" | grep -q '^0 layout problem(s)$' || fail "no summary line: $out"

COPY="$E2E_HOME/tree"
pristine() { rm -rf "$COPY"; mkdir -p "$COPY"; cp -r "$LUMARO_SOURCE_DIR/src" "$COPY/src"; }
pristine

# expect_fault NAME PATTERN: the check fails and reports a line matching PATTERN.
expect_fault() {
  local out status
  out=$(python3 "$CHECK" --root "$COPY")
  status=$?
  [ "$status" -eq 1 ] || fail "$1: exit status $status, expected 1"
  printf '%s\n' "$out" | grep -q -- "$2" || { fail "$1: no line matching '$2'"; printf '%s\n' "$out" | head -5 >&2; }
  pristine
}

# A rule of the calendar reaching up into the persistence.
sed -i '1a #include "storage/user_files.h"' "$COPY/src/calendar/molad.cpp"
expect_fault "upward include" '^src/calendar/molad.cpp:2: includes "storage/user_files.h": calendar/ is below storage/$'
# The foundation reaching into the calendar.
sed -i '1a #include "calendar/types.h"' "$COPY/src/base/utf8.cpp"
expect_fault "base includes calendar" '^src/base/utf8.cpp:2: includes "calendar/types.h": base/ is below calendar/$'
# The halakha rules and the sun times side by side.
sed -i '1a #include "suntimes/calc.h"' "$COPY/src/halakha/predicates.cpp"
expect_fault "sideways include" 'predicates.cpp:2: includes "suntimes/calc.h": halakha/ and suntimes/ stand side by side'
# A dialog that reaches into the main window, and the GUI into the CLI.
sed -i '1a #include "app/selected_date.h"' "$COPY/src/dialogs/year_dialog.cpp"
expect_fault "dialog includes app" 'year_dialog.cpp:2: includes "app/selected_date.h": dialogs/ is below app/'
sed -i '1a #include "cli/args.h"' "$COPY/src/app/main_window.cpp"
expect_fault "app includes cli" 'main_window.cpp:2: includes "cli/args.h": nothing includes cli/'
# A toolkit header in the engine; the GDK drawing backend may have one.
sed -i '1a #include <gtk/gtk.h>' "$COPY/src/render/colors.cpp"
expect_fault "gtk in the engine" '^src/render/colors.cpp:2: includes <gtk/gtk.h>'
sed -i '1a #include <pango/pango.h>' "$COPY/src/render/drawing_gdk.cpp"
out=$(python3 "$CHECK" --root "$COPY")
expect_eq "pango in the gdk backend" 0 $?
pristine
# A commented-out include counts for nothing; an unknown folder is named.
sed -i '1a /*\n#include "app/main_window.h"\n*/' "$COPY/src/base/utf8.cpp"
out=$(python3 "$CHECK" --root "$COPY")
expect_eq "include in a comment" 0 $?
pristine
sed -i '1a #include "misc/thing.h"' "$COPY/src/base/utf8.cpp"
expect_fault "unknown folder" 'utf8.cpp:2: includes "misc/thing.h", which is in no folder of the layout'
# The main window's modules in a circle again.
sed -i '1a #include "app/main_window.h"' "$COPY/src/app/month_view.cpp"
expect_fault "cycle in app" 'include cycle app/main_window -> app/month_view -> app/main_window'
sed -i '1a #include "calendar/molad.h"' "$COPY/src/calendar/calendar.h"
expect_fault "cycle in calendar" 'include cycle calendar/calendar -> calendar/molad -> calendar/calendar'
# A rule reading the settings store; only compose/current_options may, in compose/.
sed -i '1a #include "base/settings.h"' "$COPY/src/suntimes/sunrise.cpp"
expect_fault "settings in suntimes" '^src/suntimes/sunrise.cpp:2: includes "base/settings.h": below forms/'
sed -i '1a #include "base/settings.h"' "$COPY/src/compose/readings_list.cpp"
expect_fault "settings in compose" '^src/compose/readings_list.cpp:2: includes "base/settings.h"'
# The painter asking the settings for its choices instead of taking the value.
sed -i '1a #include "compose/current_options.h"' "$COPY/src/render/month_painter.cpp"
expect_fault "current options in render" '^src/render/month_painter.cpp:2: includes "compose/current_options.h": below forms/'

finish
