#!/usr/bin/env python3
"""Checks that every English text of the program has a translation in every interface language.
The texts: literals passed to translate_perform (or a helper handing its argument on); for other arguments
and translate_replace, the tables named by tests/data/translation_sources.tsv. With several languages each
problem and summary line starts with "<language>: "."""

import argparse
import collections
import os
import re
import sys
import unicodedata

DIGRAPH_LANGUAGES = {"yiddish"}  # only these write the Yiddish digraphs
# The files of a language, in the order the program reads them.
TRANSLATION_FILES = ["calendar", "gui", "gui2", "halakha", "dafyomi", "readings", "other", "molad", "learning"]
MAX_REPLACE_PASSES = 11
STRING = r'"((?:[^"\\\n]|\\.)*)"'
STRING_RE = re.compile(STRING)
CODE_RE = re.compile(r'"(?:[^"\\\n]|\\[\s\S])*["\n]?|\'(?:[^\'\\\n]|\\[\s\S])*[\'\n]?|//[^\n]*|/\*[\s\S]*?(?:\*/|\Z)')
ESCAPE_RE = re.compile(rb"\\(x[0-9a-fA-F]+|u[0-9a-fA-F]{4}|U[0-9a-fA-F]{8}|[0-7]{1,3}|.)", re.S)
SIMPLE_ESCAPES = {"n": "\n", "t": "\t", "r": "\r"}
Text = collections.namedtuple("Text", "text where")
Entry = collections.namedtuple("Entry", "key value where")

Source = collections.namedtuple("Source", "path text")  # path relative to the root, comments blanked out


def strip_comments(src):
    return CODE_RE.sub(lambda m: m.group(0) if m.group(0)[0] in "\"'" else re.sub(r"[^\n]", " ", m.group(0)), src)


def unescape(body):
    def one(m):
        e = m.group(1).decode("latin-1")
        if e[0] in "xuU" and len(e) > 1:
            return bytes([int(e[1:], 16) & 0xFF]) if e[0] == "x" else chr(int(e[1:], 16)).encode("utf-8")
        return bytes([int(e, 8) & 0xFF]) if e[0] in "01234567" else SIMPLE_ESCAPES.get(e, e).encode("utf-8")
    return ESCAPE_RE.sub(one, body.encode("utf-8")).decode("utf-8", errors="replace")


def only_literals(expr):
    """The value of an expression made only of adjacent string literals, else None."""
    if STRING_RE.sub("", expr).strip() or not STRING_RE.search(expr):
        return None
    return "".join(unescape(m.group(1)) for m in STRING_RE.finditer(expr))


def matching(src, start, close_ch=None):
    """Index of the bracket closing the one at `start`; with close_ch None, the top-level comma-separated parts."""
    depth, i, parts, begin = 0, start, [], 0
    while i < len(src):
        c = src[i]
        if c in "\"'":  # skip to past the closing quote
            i += 1
            while i < len(src) and src[i] != c:
                i += 2 if src[i] == "\\" else 1
        elif c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth == 0 and c == close_ch:
                return i
        elif c == "," and depth == 0 and close_ch is None:
            parts.append(src[begin:i].strip())
            begin = i + 1
        i += 1
    return parts + [src[begin:].strip()] if close_ch is None else -1


line_of = lambda src, pos: src.count("\n", 0, pos) + 1


def calls(src, name):
    for m in re.finditer(r"(?<![\w.:>])" + re.escape(name) + r"\s*\(", src.text):
        close_at = matching(src.text, m.end() - 1, ")")
        if close_at >= 0 and not re.match(r"\s*(\{|const\b|->|override\b)", src.text[close_at + 1:]):
            yield src.text[m.end():close_at].strip(), line_of(src.text, m.start())


def initializer(src, symbol):
    """(text, line) of the initializer of `symbol`: its braces, or up to ';'."""
    m = re.search(r"\b" + re.escape(symbol) + r"\s*(?:\[[^\]]*\])?\s*=\s*", src.text)
    if not m:
        raise LookupError(f"{src.path}: no definition of {symbol} found")
    start = m.end()
    end = matching(src.text, start, "}") if src.text[start] == "{" else src.text.index(";", start)
    return src.text[start:end + 1], line_of(src.text, start)


def function_body(src, name):
    for m in re.finditer(r"\b" + re.escape(name) + r"\s*\(", src.text):
        close_at = matching(src.text, m.end() - 1, ")")
        after = src.text[close_at + 1:]
        if re.match(r"\s*(const\s*)?(->[^{;]*)?\{", after):
            brace = close_at + 1 + after.index("{")
            return src.text[brace:matching(src.text, brace, "}") + 1], line_of(src.text, brace)
    raise LookupError(f"{src.path}: no body of {name} found")


def load_sources(root):
    sources = {}
    for top, dirs, files in os.walk(os.path.join(root, "src")):
        dirs.sort()
        for name in sorted(f for f in files if f.endswith((".cpp", ".h"))):
            rel = os.path.relpath(os.path.join(top, name), root)
            with open(os.path.join(top, name), encoding="utf-8") as f:
                sources[rel] = Source(rel, strip_comments(f.read()))
    return sources


# Each finder (column 4 of translation_sources.tsv) returns the texts: finder(sources, file, symbol, extra).

def found(path, text, line, pattern=STRING, value=lambda m: unescape(m.group(1))):
    """value(m) of every match of `pattern` in `text`, which starts at `line` of `path`."""
    return [Text(value(m), f"{path}:{line + text.count(chr(10), 0, m.start())}") for m in re.finditer(pattern, text)]


table_literals = lambda sources, path, symbol, skip="": [t for t in found(path, *initializer(sources[path], symbol))
                                                         if t.text and t.text != skip]


def table_column(sources, path, symbol, extra):
    """The N-th literal of every row {...} of a table (extra "N [SUFFIX]")."""
    column, _, suffix = extra.partition(" ")
    body, line = initializer(sources[path], symbol)
    rows = [found(path, m.group(0), line + body.count("\n", 0, m.start() + 1)) for m in re.finditer(r"\{[^{}]*\}", body[1:-1])]
    return [Text(row[int(column)].text + (" " + suffix if suffix else ""), row[int(column)].where)
            for row in rows if len(row) > int(column) and row[int(column)].text]


function_matches = lambda sources, path, function, pattern: found(
    path, *function_body(sources[path], function), pattern + r"\s*((?:" + STRING + r"\s*)+);", lambda m: only_literals(m.group(1)))


def file_texts(sources, prefix, _symbol, _extra):
    """The literals with letters of the files starting with `prefix` (#includes and KEYS_LIKE_THIS aside)."""
    return [t for path in sorted(p for p in sources if p.startswith(prefix) and p.endswith(".cpp"))
            for t in found(path, sources[path].text, 1, r"(?m)^[ \t]*#.*|" + STRING, lambda m: unescape(m.group(1) or ""))
            if re.search(r"[A-Za-z]", t.text) and not re.fullmatch(r"[A-Z0-9_]*", t.text)]


def call_arguments(sources, path, function, extra):
    """The literal argument N of every call of CALLEE inside `function` (extra "CALLEE N")."""
    callee, index = extra.split()
    body, line = function_body(sources[path], function)
    values = [(matching(args, 0), n) for args, n in calls(Source(path, body), callee)]
    values = [(only_literals(parts[int(index)]) if len(parts) > int(index) else None, n) for parts, n in values]
    return [Text(v, f"{path}:{line + n - 1}") for v, n in values if v is not None]


FINDERS = {
    "literals": table_literals, "column": table_column, "file-texts": file_texts, "arguments": call_arguments,
    # the display names of the zmanim: the name, and the suffix after a blank
    "zmanim-names": lambda s, p, symbol, _: found(p, *initializer(s[p], symbol), r'\{\s*' + STRING + r'\s*,\s*' + STRING,
                                                lambda m: unescape(m.group(1)) + (" " + unescape(m.group(2)) if m.group(2) else "")),
    # the second text of every row of the ZmanimOption tables
    "option-labels": lambda s, p, _, __: [t for m in re.finditer(r"std::array<ZmanimOption,\s*\d+>\s+(\w+)\s*=", s[p].text)
                                          for t in table_column(s, p, m.group(1), "1")],
    "help-lines": lambda s, p, symbol, _: [Text(t, f"{p}:{initializer(s[p], symbol)[1]}") for t in
                                           only_literals(initializer(s[p], symbol)[0].rstrip(";")).split("\n") if t],
    "type-letters": lambda s, p, _, __: found(p, s[p].text, 1, r"constexpr\s+char\s+kAnni\w+\s*=\s*'(.)'", lambda m: m.group(1)),
    "prefixed": lambda s, p, symbol, extra: [Text(table_literals(s, *extra.split())[0].text + t.text, t.where)
                                             for t in table_literals(s, p, symbol)],
    "body-texts": lambda s, p, f, _: [t for t in found(p, *function_body(s[p], f)) if re.search(r"[A-Za-z]", t.text)],
    "returns": lambda s, p, f, _: function_matches(s, p, f, r"\breturn\s+"),
    "assigned": lambda s, p, f, target: function_matches(s, p, f, re.escape(target) + r"\s*=\s*"),
}


def read_text_sources(path):
    """{kind: {(file, argument): [(how, file, symbol, extra)]}} and {file: [helper]}."""
    table, helpers = {"key": {}, "phrase": {}}, {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            kind, file, arg, *rest = line.rstrip("\n").split("\t")
            if kind == "helper":
                helpers.setdefault(file, []).append(arg)
            else:
                table[kind].setdefault((file, arg), []).append(tuple((rest + ["", "", ""])[:4]))
    return table, helpers


texts_from = lambda sources, rows: [t for how, p, symbol, extra in rows for t in FINDERS[how](sources, p, symbol, extra)]


HELPER_RE = re.compile(r"(\w+)\s*(?:=\s*\[[^\]]*\]\s*)?\(\s*(?:const\s+)?[\w:<>]+[\s*&]*(\w+)\s*\)\s*(?:->[^{]*)?"
                       r"\{\s*return\s+translate_perform\(\s*(\w+)\s*\)\s*;\s*\}")
TERNARY_RE = re.compile(r'[^?"]+\?\s*"((?:[^"\\]|\\.)*)"\s*:\s*"((?:[^"\\]|\\.)*)"')


def collect(sources, table, key_functions_of):
    """(keys, phrases, problems): the looked-up texts, the phrase texts, the call sites nobody described."""
    keys, phrases, problems, used = [], [], [], set()
    for path, src in sorted(sources.items()):
        if path.startswith("src/base/translate."):
            continue
        # Helpers whose whole body is `return translate_perform(param);`.
        helpers = {(m.group(1), m.group(2)) for m in HELPER_RE.finditer(src.text) if m.group(2) == m.group(3)}
        passed_on = {param for _, param in helpers}
        for function in ["translate_perform"] + [h for h, _ in helpers] + key_functions_of.get(path, []):
            for arg, line in calls(src, function):
                first = matching(arg, 0)[0]
                value, ternary = only_literals(first), TERNARY_RE.fullmatch(first)
                if value is not None:
                    keys.append(Text(value, f"{path}:{line}"))
                elif ternary:
                    keys += [Text(unescape(g), f"{path}:{line}") for g in ternary.groups()]
                elif function == "translate_perform" and (first in passed_on or (path in key_functions_of and first == "key")):
                    continue  # a helper handing its parameter on
                elif (path, first) in table["key"]:
                    used.add((path, first))
                    keys += texts_from(sources, table["key"][(path, first)])
                else:
                    problems.append(f"{path}:{line}: {function}({first}): where do these texts come from? "
                                    "Describe the call in tests/data/translation_sources.tsv")
        for arg, line in calls(src, "translate_replace"):
            first = matching(arg, 0)[0]
            if (path, first) in table["phrase"]:
                used.add((path, first))
                phrases += texts_from(sources, table["phrase"][(path, first)])
            else:
                problems.append(f"{path}:{line}: translate_replace({first}): which texts reach it? "
                                "Describe the call in tests/data/translation_sources.tsv")
    for stale in sorted((set(table["key"]) | set(table["phrase"])) - used):
        print(f"note: {stale[0]}: no call with the argument `{stale[1]}` (yet)", file=sys.stderr)
    return keys, phrases, problems


ENTRY_RE = re.compile(r'[ \t]*(")?((?:[^"\\]|\\.)*)(")?[ \t]*(=)?[ \t]*(")?"?((?:[^"\\]|\\.?)*)(")?(.*)')
ENTRY_PARTS = ((1, '" (key start) expected'), (3, '" (key end) expected'),
               (4, "= (separator between key and value) expected"), (5, '" (value start) expected'))
LINE_END_RE = re.compile(r"[ \t]*(#|/\*|$)")  # blanks, maybe a comment
INVALID_END = "Invalid characters after key-value-pair encountered"


def load_translations(root, language):
    """The entries of a language's files in reading order, read the way the program reads them, and the errors."""
    entries, errors = [], []
    for name in TRANSLATION_FILES:
        display, got = f"data/translations/{language}.{name}", []
        if not os.path.exists(os.path.join(root, display)):
            errors.append(f"{display}: missing")
            continue
        with open(os.path.join(root, display), "rb") as f:
            raw = f.read()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            errors.append(f"{display}: not UTF-8 ({e})")
            continue
        lines = [ln.rstrip("\r\n") for ln in text.split("\n")][:-1 if text.endswith("\n") else None]
        i = 0
        while i < len(lines):
            s, where, i = lines[i], f"{display}:{i + 1}", i + 1
            if LINE_END_RE.match(s):
                continue
            if s.count('"') == 1 and s[0] == '"' and i < len(lines):  # the value goes on on the next line
                s, i = (s if s.endswith((" ", "\t")) else s + " ") + lines[i], i + 1
            elif s.count('"') == 1 and s[0] != '"':  # the end of the last entry's value
                quote = s.index('"')
                problem = ('Internal error: " expected' if quote > 0 and s[quote - 1] == "\\" else INVALID_END
                           if not LINE_END_RE.match(s, quote + 1) else None if got else
                           "continuation line without an entry to continue")
                if problem:
                    errors.append(f"{where}: {problem}")
                else:
                    got[-1][1] += ("" if not got[-1][1] or got[-1][1].endswith(" ") else " ") + s[:quote]
                continue
            m = ENTRY_RE.match(s)
            problem = next((reason for group, reason in ENTRY_PARTS if m.group(group) is None),
                           INVALID_END if m.group(7) and not LINE_END_RE.match(m.group(8)) else None)
            if problem:
                errors.append(f"{where}: {problem}")
            else:
                got.append([re.sub(r"\\(.)", r"\1", m.group(2)), m.group(6), where])
        entries += [Entry(*e) for e in got]
    return entries, errors


def languages_present(root):
    directory = os.path.join(root, "data", "translations")
    names = [n.partition(".") for n in (os.listdir(directory) if os.path.isdir(directory) else [])]
    return sorted({language for language, _, file in names if language and file in TRANSLATION_FILES})


def replace_all(text, entries, used, inside_words):
    """translate_replace: longest keys first, newest first among equals, at most 11 passes per key."""
    for e in sorted(reversed(entries), key=lambda e: -len(e.key.encode("utf-8"))):
        for _ in range(MAX_REPLACE_PASSES if e.key else 0):
            if e.key not in text:
                break
            used.add(e.key)
            for m in re.finditer(re.escape(e.key), text):
                if ((e.key[0].isalpha() and m.start() > 0 and text[m.start() - 1].isalpha())
                        or (e.key[-1].isalpha() and m.end() < len(text) and text[m.end()].isalpha())):
                    inside_words.add(e.key)
            text = text.replace(e.key, e.value)
    return text


CONVERSION_RE = re.compile(r"%[-0 +]*\d{0,3}l?([ds%])")
# names that are written in Latin letters in every language: a paper format, the keys as the keyboard writes them,
# the file formats of the export and their file name extensions
LATIN_NAMES = re.compile(r"Ctrl\+,|\.(?:ics|csv)\b|\b(?:A4|iCalendar|CSV|Ctrl\+[A-Z]|Alt|F1|Home|Enter|Page Up|Page Down)\b")
COMPOSITIONS_PATH = "src/base/hebrew_points.h"
ENCODING_PATH = "src/render/ps_text_encoding.cpp"
ENCODING_HEADER = "src/render/ps_text_encoding.h"
NUMERALS_PATH = "src/calendar/hebrew_numerals.cpp"
HEX = r"0x([0-9A-Fa-f]{4})"


def print_checks(sources):
    """(composable (letter, point) pairs, {character: glyph name} of the print encoding, problems, notes)."""
    for path in (p for p in (COMPOSITIONS_PATH, ENCODING_PATH, ENCODING_HEADER, NUMERALS_PATH) if p not in sources):
        raise LookupError(f"{path} was not found")
    problems, composable, text = [], set(), sources[COMPOSITIONS_PATH].text
    start = text.find("kHebrewPointCompositions")
    for row in re.findall(r"\{\s*" + HEX + r",\s*" + HEX + r",\s*" + HEX + r"\s*\}", text[start:text.find("};", start)] if start >= 0 else ""):
        letter, point, composed = (chr(int(g, 16)) for g in row)
        if unicodedata.decomposition(composed) != f"{ord(letter):04X} {ord(point):04X}":
            problems.append(f"{COMPOSITIONS_PATH}: U+{ord(composed):04X} is not U+{ord(letter):04X} with U+{ord(point):04X}")
        composable.add((letter, point))
    if not composable:
        raise LookupError(f"{COMPOSITIONS_PATH}: kHebrewPointCompositions has no rows")
    names = table_literals(sources, ENCODING_PATH, "kAsciiGlyphNames")
    if len(names) != 95:
        raise LookupError(f"{ENCODING_PATH}: kAsciiGlyphNames has {len(names)} names, not 95")
    encoding = {chr(32 + i): t.text for i, t in enumerate(names)}
    for table, row in (("kPointedGlyphs", r"\{\s*" + HEX + r',\s*"([^"]+)"\s*\}'),
                       ("kHebrewRows", r"\{\s*\d+,\s*" + HEX + r',\s*"([^"]+)"\s*\}')):
        rows = re.findall(row, initializer(sources[ENCODING_PATH], table)[0])
        if not rows:
            raise LookupError(f"{ENCODING_PATH}: no rows found in {table}")
        encoding.update((chr(int(code, 16)), name) for code, name in rows)
    written = {ch for m in STRING_RE.finditer(sources[NUMERALS_PATH].text) for ch in unescape(m.group(1)) if ord(ch) > 127}
    if len(written) < 20:
        raise LookupError(f"{NUMERALS_PATH}: only {len(written)} Hebrew characters found in its literals")
    problems += [f"{NUMERALS_PATH}: the Hebrew numerals write U+{ord(ch):04X}, "
                 f"which the print encoding ({ENCODING_PATH}) has no row for" for ch in sorted(written) if ch not in encoding]
    m = re.search(r'kDefaultYiddishPrintFont\s*=\s*"([^"]+)"', sources[ENCODING_HEADER].text)
    if not m:
        raise LookupError(f"{ENCODING_HEADER}: kDefaultYiddishPrintFont was not found")
    afm = re.sub(r"\.pf[ab]$", ".afm", m.group(1))
    try:
        with open(afm, encoding="latin-1") as f:
            glyphs = set(re.findall(r"^C .*?; N ([^ ;]+) ;", f.read(), re.M))
    except OSError:
        return composable, encoding, problems, [f"{afm} is not installed: the glyphs of the default print font were not checked"]
    problems += [f"{afm}: the print font has no glyph \"{name}\" for U+{ord(ch):04X}"
                 for ch, name in sorted(encoding.items()) if name not in glyphs]
    return composable, encoding, problems, []


conversions = lambda text: [c for c in CONVERSION_RE.findall(text) if c != "%"]


def value_problems(value, language, composable, encoding):
    """What is wrong with a translated text of `language`, if anything."""
    problems = ["holds Latin letters"] if re.search(r"[A-Za-z]", LATIN_NAMES.sub("", CONVERSION_RE.sub("", value))) else []
    for previous, ch in zip([""] + list(value), value):
        code = ord(ch)
        problem = ((None if (previous, ch) in composable else f"point U+{code:04X} on {previous or 'nothing'!r} cannot be printed")
                   if 0x0591 <= code <= 0x05C7 and unicodedata.category(ch) == "Mn" else
                   f"presentation form U+{code:04X}: write the letter and its point" if 0xFB1D <= code <= 0xFB4F else
                   f"Yiddish digraph U+{code:04X}: write the two letters"
                   if 0x05F0 <= code <= 0x05F2 and language not in DIGRAPH_LANGUAGES else
                   "maqaf U+05BE cannot be printed: write a hyphen" if code == 0x05BE else
                   f"character U+{code:04X} cannot be printed" if ch not in encoding else None)
        problems += [problem] if problem else []
    return problems


def check_language(root, language, keys, phrases, composable, encoding):
    """(problems, notes, missing texts -> where, summary) of one language's files against the texts found."""
    entries, problems = load_translations(root, language)
    table = {}
    for e in entries:
        if e.key in table:
            problems.append(f"{e.where}: \"{e.key}\" is already translated at {table[e.key].where}")
        table[e.key] = e
        problems += [f"{e.where}: \"{e.key}\": the translation {p}" for p in value_problems(e.value, language, composable, encoding)]
    missing = {}
    for t in keys:
        e = table.get(t.text)
        if e is None:
            missing.setdefault(t.text, t.where)
        elif conversions(e.value) != conversions(t.text):
            problems.append(f"{e.where}: \"{t.text}\": the translation must have the conversions "
                            f"{conversions(t.text)} in this order, not {conversions(e.value)}")
    problems += [f"{where}: no translation of \"{text}\"" for text, where in missing.items()]
    used, seen = set(), set()
    for t in (t for t in phrases if not (t.text in seen or seen.add(t.text))):
        inside = set()
        result = replace_all(t.text, entries, used, inside)
        if re.search(r"[A-Za-z]", result):
            problems.append(f"{t.where}: English left in \"{t.text.strip()}\" -> \"{result.strip()}\"")
        problems += [f"{t.where}: the key \"{key}\" matches inside a word of \"{t.text.strip()}\"; "
                     "give the whole phrase an entry" for key in sorted(inside)]
    key_texts = {t.text for t in keys}
    notes = [f"{e.where}: \"{e.key}\" is not used by any text found" for e in entries if e.key not in used | key_texts]
    summary = f"{len(key_texts)} texts looked up, {len(seen)} texts translated by phrases, {len(entries)} entries"
    return problems, notes, missing, summary


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--language", action="append", metavar="NAME",
                        help="check this language only (may be repeated; default: every language present)")
    parser.add_argument("--list", action="store_true", help="print every text found and exit")
    parser.add_argument("--template", action="store_true", help="print entries for the missing texts")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    try:
        sources = load_sources(root)
        keys, phrases, source_problems = collect(sources, *read_text_sources(
            os.path.join(root, "tests", "data", "translation_sources.tsv")))
        composable, encoding, font_problems, font_notes = print_checks(sources)
        source_problems += font_problems
    except LookupError as e:
        print(f"check-translations: {e}", file=sys.stderr)
        return 1
    if args.list:
        for kind, texts in (("key", keys), ("phrase", phrases)):
            for t in texts:
                print(f"{kind}\t{t.where}\t{t.text}")
        return 0
    languages = list(dict.fromkeys(args.language)) if args.language else languages_present(root)
    bad = [f'"{name}" is not a language name' for name in languages if not re.fullmatch(r"[a-z][a-z0-9_-]*", name)]
    if bad or not languages:
        print("check-translations: " + (bad or [f"no translation files in {os.path.join(root, 'data', 'translations')}"])[0],
              file=sys.stderr)
        return 1
    failed = False
    for language in languages:
        prefix = f"{language}: " if len(languages) > 1 else ""
        problems, notes, missing, summary = check_language(root, language, keys, phrases, composable, encoding)
        problems = source_problems + problems  # problems of the sources hold for every language
        if args.template:
            if prefix:
                print(f"# {language}")
            for text in missing:
                print('"' + text.replace("\\", "\\\\").replace('"', '\\"') + '" = ""')
            continue
        for note in font_notes + notes:
            print(f"note: {prefix}{note}", file=sys.stderr)
        for p in problems:
            print(prefix + p)
        print(f"{prefix}{summary}, {len(problems)} problem(s)")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
