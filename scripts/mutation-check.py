#!/usr/bin/env python3
"""Plants the faults of tests/data/mutations.tsv (file, text, replacement, what) one at a time and checks
that the tests catch each: the unit tests, then the end-to-end tests, then the GUI tests under xvfb-run,
stopping at the first that fails; the file is restored afterwards. A fault no test catches is SURVIVED,
one whose text is not found exactly once STALE; either makes the exit status 1. With --jobs N the faults
are shared among N copies of the tree, each with its own build directory."""
import argparse, concurrent.futures, os, shutil, subprocess, sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
CLI_TARGETS = ["unit_tests", "lumaro-cli", "atomic_writer"]
GUI_TARGETS = ["gui_tests", "lumaro"]
SLOW_E2E = "kill_while_saving|install|print_cups|gui_screenshot|budget"


def run(cmd, cwd):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def build(root, build_dir, targets):
    return run(["cmake", "--build", build_dir, "-j2", "--target"] + targets, root) == 0


def caught_by(root, build_dir):
    """The first test stage that fails, or None."""
    if run([os.path.join(build_dir, "tests", "unit_tests"), "--gtest_fail_fast", "--gtest_brief=1"], root):
        return "unit tests"
    if run(["ctest", "--test-dir", build_dir, "-L", "e2e", "-E", SLOW_E2E, "--stop-on-failure", "-j2"], root):
        return "end-to-end tests"
    if (os.path.exists(os.path.join(build_dir, "lumaro")) and build(root, build_dir, GUI_TARGETS)
            and run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", os.path.join(build_dir, "tests", "gui_tests"),
                     "--gtest_fail_fast", "--gtest_brief=1"], root)):
        return "GUI tests"
    return None


def check(root, build_dir, mutation):
    path, text, replacement, what = mutation
    full = os.path.join(root, path)
    original = open(full, encoding="utf-8").read()
    if original.count(text) != 1:
        return f"STALE     {path}: {what} (the text is found {original.count(text)} times)"
    gui = path.startswith(("src/app/", "src/dialogs/"))
    try:
        with open(full, "w", encoding="utf-8") as f:
            f.write(original.replace(text, replacement))
        if not build(root, build_dir, GUI_TARGETS if gui else CLI_TARGETS):
            verdict = "caught (does not compile)"
        else:
            # The end-to-end tests run both programs: each carries the fault.
            if gui:
                build(root, build_dir, CLI_TARGETS)
            elif os.path.exists(os.path.join(build_dir, "lumaro")):
                build(root, build_dir, ["lumaro"])
            stage = caught_by(root, build_dir)
            verdict = f"caught by the {stage}" if stage else "SURVIVED"
    finally:
        with open(full, "w", encoding="utf-8") as f:
            f.write(original)
    return f"{verdict:9} {path}: {what}"


def copy_tree(n, build_dir):
    """A copy of the sources with its own build directory, configured like BUILD_DIR."""
    copy = os.path.join(ROOT, f".mutation-{n}")
    if not os.path.isdir(copy):
        shutil.copytree(ROOT, copy, ignore=shutil.ignore_patterns("build*", ".mutation-*", ".git"))
    with open(os.path.join(build_dir, "CMakeCache.txt")) as cache:
        options = [line.split("=", 1) for line in cache
                   if line.startswith(("CMAKE_BUILD_TYPE:", "LUMARO_", "CMAKE_CXX_COMPILER_LAUNCHER:"))]
    run(["cmake", "-S", copy, "-B", os.path.join(copy, "build")] + [f"-D{k}={v.strip()}" for k, v in options], copy)
    return copy, os.path.join(copy, "build")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build-dir", default="build")
    parser.add_argument("--only", metavar="SUBSTRING", help="only the faults whose file or description holds it")
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--list", action="store_true", help="print the faults (file: what) and exit")
    args = parser.parse_args()
    with open(os.path.join(ROOT, "tests", "data", "mutations.tsv"), encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip() and not line.startswith("#")]
    unescape = lambda text: text.replace("\\\\", "\0").replace("\\n", "\n").replace("\\t", "\t").replace("\0", "\\")
    mutations = [(path, unescape(text), unescape(new), what) for path, text, new, what in rows
                 if not args.only or args.only in path or args.only in what]
    if args.list:
        print("\n".join(f"{path}: {what}" for path, _, _, what in mutations))
        return 0
    build_dir = os.path.abspath(os.path.join(ROOT, args.build_dir))
    trees = [(ROOT, build_dir)] + [copy_tree(n, build_dir) for n in range(1, args.jobs)]
    for root, tree_build in trees:
        if not build(root, tree_build, CLI_TARGETS):
            print(f"the unmutated tree in {root} does not build", file=sys.stderr)
            return 2
    failed = 0

    def worker(n):
        nonlocal failed
        root, tree_build = trees[n]
        for mutation in mutations[n::len(trees)]:
            line = check(root, tree_build, mutation)
            failed += line.startswith(("STALE", "SURVIVED"))
            print(line, flush=True)
        # The sources are restored; so are the programs and tests built from them.
        gui = GUI_TARGETS if os.path.exists(os.path.join(tree_build, "lumaro")) else []
        build(root, tree_build, CLI_TARGETS + gui)

    with concurrent.futures.ThreadPoolExecutor(len(trees)) as pool:
        list(pool.map(worker, range(len(trees))))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
