#!/usr/bin/env python3
"""Checks that the includes between the folders of src/ all point down: a folder includes its own files
and those of lower folders only (RANKS; halakha/suntimes and cli/dialogs side by side; nothing includes
cli/). GTK, GDK, Pango, GLib and Cairo headers belong in app/, dialogs/ and render/drawing_gdk*
(forms/desktop_notify.cpp may use GLib and GIO for D-Bus). base/settings.h is read only by forms/, cli/,
dialogs/, app/ and compose/current_options, whose header only those four include: below them the
choices arrive as values. Inside a folder the includes between modules (a .h and its .cpp) have no cycle.
Usage: scripts/check-layout.py [--root DIR]: a "file:line: ..." line per violation, a summary, status 1."""
import argparse, os, re, sys

RANKS = {"base": 0, "calendar": 1, "halakha": 2, "suntimes": 2, "storage": 3, "compose": 4, "render": 5,
         "forms": 6, "cli": 7, "dialogs": 7, "app": 8}
GUI_HEADER_RE = re.compile(r"^(gtk|gdk|gdk-pixbuf|pango|glib|glib-unix|gio|cairo)[/.-]")
TOP = {"forms", "cli", "dialogs", "app"}
CURRENT_OPTIONS_RE = re.compile(r"^src/compose/current_options\.(h|cpp)$")
INCLUDE_RE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def find_cycles(edges):
    """Every elementary cycle a depth-first search meets, each once."""
    cycles, seen, state = [], set(), {}

    def visit(node, stack):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                cycle = stack[stack.index(nxt):]
                if frozenset(cycle) not in seen:
                    seen.add(frozenset(cycle))
                    cycles.append(cycle + [nxt])
            elif nxt not in state:
                visit(nxt, stack)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node, [])
    return cycles


def source_files(root):
    """src/... paths of every .cpp and .h, sorted."""
    for top, _, names in os.walk(os.path.join(root, "src")):
        for name in names:
            if name.endswith((".cpp", ".h")):
                yield os.path.relpath(os.path.join(top, name), root).replace(os.sep, "/")


def gui_header_allowed(rel, folder, name):
    """Toolkit headers in app/, dialogs/ and render/drawing_gdk*; GLib and GIO also in forms/desktop_notify.cpp."""
    if folder in ("app", "dialogs") or rel.startswith("src/render/drawing_gdk"):
        return True
    return rel == "src/forms/desktop_notify.cpp" and re.match(r"(glib|gio)[/.-]", name) is not None


def check(root):
    problems, edges, where = [], {}, {}
    for rel in sorted(source_files(root)):
        parts = rel.split("/")
        folder = parts[1] if len(parts) > 2 else ""
        if folder not in RANKS:
            problems.append(f"{rel}: the folder '{folder}' has no place in the layout")
            continue
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), f.read(), flags=re.S)
        for number, line in enumerate(text.split("\n"), 1):
            m = INCLUDE_RE.match(line)
            if not m:
                continue
            at, kind, name = f"{rel}:{number}", m.group(1), m.group(2)
            if kind == "<":
                if GUI_HEADER_RE.match(name) and not gui_header_allowed(rel, folder, name):
                    problems.append(f"{at}: includes <{name}>: toolkit headers belong in app/, dialogs/ "
                                    "and render/drawing_gdk*")
                continue
            target = name.split("/")[0] if "/" in name else folder
            if target not in RANKS:
                problems.append(f"{at}: includes \"{name}\", which is in no folder of the layout")
                continue
            if target == "cli" and folder != "cli":
                problems.append(f"{at}: includes \"{name}\": nothing includes cli/")
            elif RANKS[target] > RANKS[folder]:
                problems.append(f"{at}: includes \"{name}\": {folder}/ is below {target}/")
            elif RANKS[target] == RANKS[folder] and target != folder:
                problems.append(f"{at}: includes \"{name}\": {folder}/ and {target}/ stand side by side")
            if name == "base/settings.h" and folder not in TOP | {"base"} and not CURRENT_OPTIONS_RE.match(rel):
                problems.append(f"{at}: includes \"{name}\": below forms/ the settings arrive as values "
                                "(compose/current_options builds them)")
            if name == "compose/current_options.h" and folder not in TOP and not CURRENT_OPTIONS_RE.match(rel):
                problems.append(f"{at}: includes \"{name}\": below forms/ the choices arrive as values "
                                "(the top builds them from the settings)")
            source = os.path.splitext(rel[len("src/"):])[0]
            dest = os.path.splitext(name if "/" in name else f"{folder}/{name}")[0]
            if target == folder and dest != source:
                edges.setdefault(source, set()).add(dest)
                where.setdefault((source, dest), at)
    for cycle in find_cycles(edges):
        steps = ", ".join(f"{where[(a, b)]} ({a} -> {b})" for a, b in zip(cycle, cycle[1:]))
        problems.append(f"include cycle {' -> '.join(cycle)}: {steps}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split(":")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    root = os.path.abspath(parser.parse_args().root)
    if not os.path.isdir(os.path.join(root, "src")):
        print(f"check-layout: no src/ under {root}", file=sys.stderr)
        return 2
    problems = check(root)
    print("\n".join(problems + [f"{len(problems)} layout problem(s)"]))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
