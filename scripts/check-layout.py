#!/usr/bin/env python3
"""Checks that the includes between the folders of src/ all point down.

The folders, bottom to top (a folder may include its own files and those
of the folders below it, never those above it or beside it):

  base       setting values, translation, text formatting, file helpers
  calendar   the calendar and its date rules
  halakha    the halakha rules           (halakha and suntimes are side by
  suntimes   sun times and zmanim         side: neither includes the other)
  storage    persistence of user files
  compose    texts assembled from the rules (day information, reports, export)
  render     the month painter and its drawing backends
  forms      GTK-free models of the dialogs
  cli        the headless program         (cli and dialogs are side by side,
  dialogs    the GTK dialogs               and nothing includes cli)
  app        the GTK main window

GTK, GDK, Pango, GLib and Cairo headers may be included only in app/,
dialogs/ and render/drawing_gdk*. Inside every folder the includes between
its modules (a .h and its .cpp count as one module) have no cycle.

The settings store (base/settings.h) is read only at the top: in forms/,
cli/, dialogs/ and app/, and in compose/ by the one file that builds the
options value from it (current_options). Every folder below takes its
choices as values; so does render/: the options value built from the
settings (compose/current_options.h) is included only by forms/, cli/,
dialogs/ and app/.

Usage: scripts/check-layout.py [--root DIR]
Prints one line per violation, "file:line: ...", then a summary; the exit
status is 1 when there is a violation, 0 otherwise.
"""

import argparse
import os
import re
import sys

# Folder -> rank; a folder may include folders of a lower rank only.
RANKS = {
    "base": 0,
    "calendar": 1,
    "halakha": 2,
    "suntimes": 2,
    "storage": 3,
    "compose": 4,
    "render": 5,
    "forms": 6,
    "cli": 7,
    "dialogs": 7,
    "app": 8,
}
# Folders no other folder may include.
NOT_INCLUDED = {"cli"}
# Where the GUI toolkit's headers may be included.
GUI_FOLDERS = {"app", "dialogs"}
GUI_FILE_RE = re.compile(r"^src/render/drawing_gdk[^/]*$")
GUI_HEADER_RE = re.compile(r"^(gtk|gdk|gdk-pixbuf|pango|glib|glib-unix|gio|cairo)[/.-]")
# The one file of lumaro-cli that talks to the desktop's notification
# service may use GLib and GIO (D-Bus), never the toolkit itself.
DBUS_FILE_RE = re.compile(r"^src/cli/desktop_notify\.cpp$")
DBUS_HEADER_RE = re.compile(r"^(glib|gio)[/.-]")
# The settings store, and the files that may include it.
SETTINGS_HEADER = "base/settings.h"
SETTINGS_FOLDERS = {"base", "forms", "cli", "dialogs", "app"}
SETTINGS_FILE_RE = re.compile(r"^src/compose/current_options\.(h|cpp)$")
CURRENT_OPTIONS_HEADER = "compose/current_options.h"
CURRENT_OPTIONS_FOLDERS = {"forms", "cli", "dialogs", "app"}

INCLUDE_RE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def strip_block_comments(text):
    """The text with /* */ comments blanked, newlines kept (so lines stay)."""
    return re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)


def includes_of(path):
    """(line number, kind '"' or '<', name) of every #include of a file."""
    with open(path, encoding="utf-8", errors="replace") as f:
        text = strip_block_comments(f.read())
    for number, line in enumerate(text.split("\n"), 1):
        m = INCLUDE_RE.match(line)
        if m:
            yield number, m.group(1), m.group(2)


def source_files(root):
    src = os.path.join(root, "src")
    for top, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                yield os.path.relpath(os.path.join(top, name), root).replace(os.sep, "/")


def module_of(rel):
    """src/app/month_view.cpp -> app/month_view"""
    return os.path.splitext(rel[len("src/"):])[0]


def find_cycles(edges):
    """Every elementary cycle found by a depth-first search, each once."""
    cycles, seen = [], set()
    state = {}

    def visit(node, stack):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                cycle = stack[stack.index(nxt):]
                key = frozenset(cycle)
                if key not in seen:
                    seen.add(key)
                    cycles.append(cycle + [nxt])
            elif nxt not in state:
                visit(nxt, stack)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node, [])
    return cycles


def check(root):
    problems = []
    module_edges = {}  # module -> modules it includes, inside CYCLE_FREE folders
    where = {}  # (module, included module) -> "file:line" of the first such include
    for rel in source_files(root):
        parts = rel.split("/")
        folder = parts[1] if len(parts) > 2 else ""
        if folder not in RANKS:
            problems.append(f"{rel}: the folder '{folder}' has no place in the layout")
            continue
        gui_allowed = folder in GUI_FOLDERS or GUI_FILE_RE.match(rel)
        for line, kind, name in includes_of(os.path.join(root, rel)):
            at = f"{rel}:{line}"
            if kind == "<":
                dbus_allowed = DBUS_FILE_RE.match(rel) and DBUS_HEADER_RE.match(name)
                if GUI_HEADER_RE.match(name) and not gui_allowed and not dbus_allowed:
                    problems.append(f"{at}: includes <{name}>: toolkit headers belong in app/, dialogs/ "
                                    "and render/drawing_gdk*")
                continue
            target = name.split("/")[0] if "/" in name else folder
            if target not in RANKS:
                problems.append(f"{at}: includes \"{name}\", which is in no folder of the layout")
                continue
            if target != folder:
                if target in NOT_INCLUDED:
                    problems.append(f"{at}: includes \"{name}\": nothing includes {target}/")
                elif RANKS[target] > RANKS[folder]:
                    problems.append(f"{at}: includes \"{name}\": {folder}/ is below {target}/")
                elif RANKS[target] == RANKS[folder]:
                    problems.append(f"{at}: includes \"{name}\": {folder}/ and {target}/ stand side by side")
            if name == SETTINGS_HEADER and folder not in SETTINGS_FOLDERS and not SETTINGS_FILE_RE.match(rel):
                problems.append(f"{at}: includes \"{name}\": below forms/ the settings arrive as values "
                                "(compose/current_options builds them)")
            if (name == CURRENT_OPTIONS_HEADER and folder not in CURRENT_OPTIONS_FOLDERS
                    and not SETTINGS_FILE_RE.match(rel)):
                problems.append(f"{at}: includes \"{name}\": below forms/ the choices arrive as values "
                                "(the top builds them from the settings)")
            if target == folder:
                src_module = module_of(rel)
                dst_module = os.path.splitext(name if "/" in name else f"{folder}/{name}")[0]
                if dst_module != src_module:
                    module_edges.setdefault(src_module, set()).add(dst_module)
                    where.setdefault((src_module, dst_module), at)
    for cycle in find_cycles(module_edges):
        steps = ", ".join(f"{where[(a, b)]} ({a} -> {b})" for a, b in zip(cycle, cycle[1:]))
        problems.append(f"include cycle {' -> '.join(cycle)}: {steps}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    if not os.path.isdir(os.path.join(root, "src")):
        print(f"check-layout: no src/ under {root}", file=sys.stderr)
        return 2
    problems = check(root)
    for p in problems:
        print(p)
    print(f"{len(problems)} layout problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
