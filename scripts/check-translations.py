#!/usr/bin/env python3
"""Checks that every English text of the program has a translation in every interface language.

translate_perform(key) looks one whole text up; translate_replace(text)
replaces every known key inside a longer text (the halakha, readings and
Daf Yomi lines), so there no English may be left. The texts are the
literals passed to translate_perform (or a helper handing its argument on)
and, for other arguments, the tables that tests/data/translation_sources.tsv
names; a call it does not describe fails the check. Each language's files
data/translations/<language>.* are read with the program's syntax; the
check fails naming each missing entry, English left after the replacement
(longest keys first, at most 11 passes), a format whose %d/%s differ from
its key's, a syntax error or key given twice, Latin letters or characters
the printout cannot show (points only where it composes them; Hebrew writes
no Yiddish digraphs and no maqaf), a Hebrew numeral character without a row
in the print encoding, or a glyph the default print font lacks.

Usage: scripts/check-translations.py [--root DIR] [--language NAME]... [--list] [--template]
With several languages each problem and summary line starts with "<language>: ".
"""

import argparse
import os
import re
import sys
import unicodedata
from dataclasses import dataclass, field

# Only these languages write the Yiddish digraphs (װ, ױ, ײ).
DIGRAPH_LANGUAGES = {"yiddish"}
# The files of a language, in the order the program reads them.
TRANSLATION_FILES = ["calendar", "gui", "gui2", "halakha", "dafyomi", "readings", "other", "molad", "learning"]
MAX_REPLACE_PASSES = 11

# --------------------------------------------------------------- C++ sources

STRING_RE = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def strip_comments(src):
    """The source with comments blanked out (line breaks kept), strings intact."""
    out = []
    i, n = 0, len(src)
    while i < n:
        c = src[i]
        if c == '"' or c == "'":
            j = i + 1
            while j < n and src[j] != c and src[j] != "\n":
                j += 2 if src[j] == "\\" else 1
            out.append(src[i:j + 1])
            i = j + 1
        elif src.startswith("//", i):
            j = src.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", src[i:j]))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def unescape(body):
    """The value of a C string literal's body."""
    simple = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", '"': '"', "'": "'", "0": "\0"}
    out = bytearray()
    i = 0
    raw = body.encode("utf-8")
    while i < len(raw):
        b = raw[i]
        if b != 0x5C:
            out.append(b)
            i += 1
            continue
        nxt = chr(raw[i + 1])
        if nxt == "x":
            m = re.match(rb"[0-9a-fA-F]+", raw[i + 2:])
            out.append(int(m.group(0), 16) & 0xFF)
            i += 2 + len(m.group(0))
        elif nxt in "uU":
            digits = 4 if nxt == "u" else 8
            out += chr(int(raw[i + 2:i + 2 + digits], 16)).encode("utf-8")
            i += 2 + digits
        elif nxt in "01234567" and re.match(rb"[0-7]{1,3}", raw[i + 1:]):
            m = re.match(rb"[0-7]{1,3}", raw[i + 1:])
            out.append(int(m.group(0), 8) & 0xFF)
            i += 1 + len(m.group(0))
        else:
            out += simple.get(nxt, nxt).encode("utf-8")
            i += 2
    return out.decode("utf-8", errors="replace")


def literals_in(text):
    return [unescape(m.group(1)) for m in STRING_RE.finditer(text)]


def only_literals(expr):
    """The value of an expression made only of adjacent string literals, else None."""
    rest = STRING_RE.sub("", expr)
    if rest.strip() or not STRING_RE.search(expr):
        return None
    return "".join(literals_in(expr))


def after_quoted(src, i):
    """Index just past the string or character literal that starts at `i`."""
    j = i + 1
    while j < len(src) and src[j] != src[i]:
        j += 2 if src[j] == "\\" else 1
    return j + 1


def matching(src, start, open_ch, close_ch):
    """Index of the bracket that closes the one at `start` (strings skipped)."""
    depth = 0
    i = start
    while i < len(src):
        c = src[i]
        if c == '"' or c == "'":
            i = after_quoted(src, i)
            continue
        if c == open_ch:
            depth += 1
        elif c == close_ch:
            depth -= 1
            if depth == 0:
                return i
        i += 1
    return -1


def line_of(src, pos):
    return src.count("\n", 0, pos) + 1


@dataclass
class Source:
    path: str  # relative to the root
    text: str  # comments blanked out

    def calls(self, name):
        """(argument text, line) of every call of `name`."""
        for m in re.finditer(r"(?<![\w.:>])" + re.escape(name) + r"\s*\(", self.text):
            open_at = m.end() - 1
            close_at = matching(self.text, open_at, "(", ")")
            if close_at < 0:
                continue
            if re.match(r"\s*(\{|const\b|->|override\b)", self.text[close_at + 1:]):
                continue  # the definition, not a call
            yield self.text[open_at + 1:close_at].strip(), line_of(self.text, m.start())

    def initializer(self, symbol):
        """(text, line) of the initializer of `symbol`: its braces, or up to ';'."""
        m = re.search(r"\b" + re.escape(symbol) + r"\s*(?:\[[^\]]*\])?\s*=\s*", self.text)
        if not m:
            raise LookupError(f"{self.path}: no definition of {symbol} found")
        start = m.end()
        if self.text[start] == "{":
            end = matching(self.text, start, "{", "}")
        else:
            end = self.text.index(";", start)
        return self.text[start:end + 1], line_of(self.text, start)

    def function_body(self, name):
        """(text, line) of the body of the function `name`."""
        for m in re.finditer(r"\b" + re.escape(name) + r"\s*\(", self.text):
            close_at = matching(self.text, m.end() - 1, "(", ")")
            after = self.text[close_at + 1:]
            stripped = after.lstrip()
            if stripped.startswith("{") or re.match(r"(const\s*)?(->[^{;]*)?\{", stripped):
                brace = close_at + 1 + after.index("{")
                end = matching(self.text, brace, "{", "}")
                return self.text[brace:end + 1], line_of(self.text, brace)
        raise LookupError(f"{self.path}: no body of {name} found")

    def literal_lines(self, body, first_line):
        """(literal, line) of every literal in `body`, which starts at first_line."""
        for m in STRING_RE.finditer(body):
            yield unescape(m.group(1)), first_line + body.count("\n", 0, m.start())


def load_sources(root):
    sources = {}
    for top, dirs, files in os.walk(os.path.join(root, "src")):
        dirs.sort()
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                path = os.path.join(top, name)
                rel = os.path.relpath(path, root)
                with open(path, encoding="utf-8") as f:
                    sources[rel] = Source(rel, strip_comments(f.read()))
    return sources


# --------------------------------------------------------------- where texts come from
# tests/data/translation_sources.tsv names, for every call whose argument is
# not a literal, the table or function its texts come from.

@dataclass
class Text:
    text: str
    where: str  # file:line


def table_literals(sources, path, symbol, skip=""):
    src = sources[path]
    body, line = src.initializer(symbol)
    return [Text(t, f"{path}:{n}") for t, n in src.literal_lines(body, line) if t and t != skip]


def table_column(sources, path, symbol, extra):
    """The N-th literal of every row {...} of a table (extra "N [SUFFIX]")."""
    column, _, suffix = extra.partition(" ")
    src = sources[path]
    body, line = src.initializer(symbol)
    out = []
    for m in re.finditer(r"\{[^{}]*\}", body[1:-1]):
        lits = list(src.literal_lines(m.group(0), line + body.count("\n", 0, m.start() + 1)))
        if len(lits) > int(column) and lits[int(column)][0]:
            out.append(Text(lits[int(column)][0] + (" " + suffix if suffix else ""), f"{path}:{lits[int(column)][1]}"))
    return out


def function_matches(sources, path, function, pattern):
    body, line = sources[path].function_body(function)
    return [Text(only_literals(m.group(1)), f"{path}:{line + body.count(chr(10), 0, m.start())}")
            for m in re.finditer(pattern + r"\s*((?:\"(?:[^\"\\\n]|\\.)*\"\s*)+);", body)]


def file_texts(sources, prefix, _symbol, _extra):
    """The literals with letters of the files starting with `prefix` (#includes and KEYS_LIKE_THIS aside)."""
    out = []
    for path in sorted(p for p in sources if p.startswith(prefix) and p.endswith(".cpp")):
        src = sources[path]
        for m in STRING_RE.finditer(src.text):
            t = unescape(m.group(1))
            if re.match(r"[ \t]*#", src.text[src.text.rfind("\n", 0, m.start()) + 1:m.start()]):
                continue
            if not re.fullmatch(r"[A-Z0-9_]*", t) and re.search(r"[A-Za-z]", t):
                out.append(Text(t, f"{path}:{line_of(src.text, m.start())}"))
    return out


def zmanim_names(sources, path, symbol, _extra):
    """Display names of the zmanim: the name, and the suffix after a blank."""
    body, line = sources[path].initializer(symbol)
    return [Text(unescape(m.group(1)) + (" " + unescape(m.group(2)) if m.group(2) else ""),
                 f"{path}:{line + body.count(chr(10), 0, m.start())}")
            for m in re.finditer(r'\{\s*"((?:[^"\\]|\\.)*)"\s*,\s*"((?:[^"\\]|\\.)*)"', body)]


def type_letters(sources, path, _symbol, _extra):
    src = sources[path]
    return [Text(m.group(1), f"{path}:{line_of(src.text, m.start())}")
            for m in re.finditer(r"constexpr\s+char\s+kAnni\w+\s*=\s*'(.)'", src.text)]


def option_labels(sources, path, _symbol, _extra):
    """The second text of every row of the ZmanimOption tables."""
    return [t for m in re.finditer(r"std::array<ZmanimOption,\s*\d+>\s+(\w+)\s*=", sources[path].text)
            for t in table_column(sources, path, m.group(1), "1")]


def call_arguments(sources, path, function, extra):
    """The literal argument N of every call of CALLEE inside `function` (extra "CALLEE N")."""
    callee, index = extra.split()
    body, line = sources[path].function_body(function)
    out = []
    for args, n in Source(path, body).calls(callee):
        parts = split_arguments(args)
        value = only_literals(parts[int(index)]) if len(parts) > int(index) else None
        if value is not None:
            out.append(Text(value, f"{path}:{line + n - 1}"))
    return out


def prefixed(sources, path, symbol, extra):
    """A table's texts after the first literal of another (extra "FILE SYMBOL")."""
    prefix = table_literals(sources, *extra.split())[0].text
    return [Text(prefix + t.text, t.where) for t in table_literals(sources, path, symbol)]


def body_texts(sources, path, function, _extra):
    src = sources[path]
    body, line = src.function_body(function)
    return [Text(t, f"{path}:{n}") for t, n in src.literal_lines(body, line) if re.search(r"[A-Za-z]", t)]


def help_lines(sources, path, symbol, _extra):
    body, line = sources[path].initializer(symbol)
    return [Text(t, f"{path}:{line}") for t in only_literals(body.rstrip(";")).split("\n") if t]


FINDERS = {
    "literals": table_literals, "column": table_column, "file-texts": file_texts, "zmanim-names": zmanim_names,
    "type-letters": type_letters, "option-labels": option_labels, "arguments": call_arguments,
    "prefixed": prefixed, "body-texts": body_texts, "help-lines": help_lines,
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
                how, where, symbol, extra = (rest + ["", "", ""])[:4]
                table[kind].setdefault((file, arg), []).append((how, where, symbol, extra))
    return table, helpers


def texts_from(sources, rows):
    out = []
    for how, path, symbol, extra in rows:
        out += FINDERS[how](sources, path, symbol, extra)
    return out


def forwarding_helpers(src):
    """Names of helpers in a file whose whole body is `return translate_perform(param);`."""
    names = set()
    pattern = (r"(\w+)\s*(?:=\s*\[[^\]]*\]\s*)?\(\s*(?:const\s+)?[\w:<>]+[\s*&]*(\w+)\s*\)\s*(?:->[^{]*)?"
               r"\{\s*return\s+translate_perform\(\s*(\w+)\s*\)\s*;\s*\}")
    for m in re.finditer(pattern, src.text):
        if m.group(2) == m.group(3):
            names.add((m.group(1), m.group(2)))
    return names


def collect(sources, table, key_functions_of):
    """(keys, phrases, problems): the translate_perform texts, the phrase texts,
    and the call sites nobody has described."""
    keys, phrases, problems, used = [], [], [], set()
    key_sources, phrase_sources = table["key"], table["phrase"]
    for path, src in sorted(sources.items()):
        if path.startswith("src/base/translate."):
            continue
        helpers = forwarding_helpers(src)
        key_functions = ["translate_perform"] + [h for h, _ in helpers] + key_functions_of.get(path, [])
        passed_on = {param for _, param in helpers}
        for function in key_functions:
            for arg, line in src.calls(function):
                first = split_arguments(arg)[0]
                value = only_literals(first)
                if value is not None:
                    keys.append(Text(value, f"{path}:{line}"))
                    continue
                ternary = re.fullmatch(r"[^?\"]+\?\s*(\"(?:[^\"\\]|\\.)*\")\s*:\s*(\"(?:[^\"\\]|\\.)*\")", first)
                if ternary:
                    keys += [Text(unescape(g[1:-1]), f"{path}:{line}") for g in ternary.groups()]
                elif function == "translate_perform" and (first in passed_on or (path in key_functions_of and first == "key")):
                    continue  # a helper handing its parameter on
                elif (path, first) in key_sources:
                    used.add((path, first))
                    keys += texts_from(sources, key_sources[(path, first)])
                else:
                    problems.append(f"{path}:{line}: {function}({first}): where do these texts come from? "
                                    "Describe the call in tests/data/translation_sources.tsv")
        for arg, line in src.calls("translate_replace"):
            first = split_arguments(arg)[0]
            if (path, first) in phrase_sources:
                used.add((path, first))
                phrases += texts_from(sources, phrase_sources[(path, first)])
            else:
                problems.append(f"{path}:{line}: translate_replace({first}): which texts reach it? "
                                "Describe the call in tests/data/translation_sources.tsv")
    for stale in sorted((set(key_sources) | set(phrase_sources)) - used):
        print(f"note: {stale[0]}: no call with the argument `{stale[1]}` (yet)", file=sys.stderr)
    return keys, phrases, problems


def split_arguments(args):
    """The arguments of a call's argument list, split at its top-level commas."""
    parts, depth, start, i = [], 0, 0, 0
    while i < len(args):
        c = args[i]
        if c == '"' or c == "'":
            i = after_quoted(args, i)
            continue
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif c == "," and depth == 0:
            parts.append(args[start:i].strip())
            start = i + 1
        i += 1
    parts.append(args[start:].strip())
    return parts



# --------------------------------------------------------------- translation files

@dataclass
class Entry:
    key: str
    value: str
    where: str


@dataclass
class LoadedFiles:
    entries: list = field(default_factory=list)  # reading order
    errors: list = field(default_factory=list)


def parse_translation_file(path, display):
    """Entries of one file, read the way the program reads it."""
    entries, errors = [], []
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        return [], [f"{display}: not UTF-8 ({e})"]
    lines = [ln.rstrip("\r\n") for ln in text.split("\n")]
    if text.endswith("\n"):
        lines.pop()

    def error(n, reason):
        errors.append(f"{display}:{n}: {reason}")

    def is_comment(s, i):
        return s[i:i + 1] == "#" or s[i:i + 2] == "/*"

    def skip_blanks(s, i):
        while i < len(s) and s[i] in " \t":
            i += 1
        return i

    def parse_entry(s, n):
        i = skip_blanks(s, 0)
        if i >= len(s) or s[i] != '"':
            return error(n, '" (key start) expected')
        i += 1
        key = []
        while i < len(s) and s[i] != '"':
            if s[i] == "\\":
                i += 1
                if i >= len(s):
                    break
            key.append(s[i])
            i += 1
        if i >= len(s):
            return error(n, '" (key end) expected')
        i = skip_blanks(s, i + 1)
        if i >= len(s) or s[i] != "=":
            return error(n, "= (separator between key and value) expected")
        i = skip_blanks(s, i + 1)
        if i >= len(s) or s[i] != '"':
            return error(n, '" (value start) expected')
        i += 1
        if i < len(s) and s[i] == '"':
            i += 1
        start = i
        closed = False
        while i < len(s):
            if s[i] == '"':
                closed = True
                break
            if s[i] == "\\" and i + 1 < len(s):
                i += 1
            i += 1
        value = s[start:i]
        if closed:
            j = skip_blanks(s, i + 1)
            if j < len(s) and not is_comment(s, j):
                return error(n, "Invalid characters after key-value-pair encountered")
        entries.append(Entry("".join(key), value, f"{display}:{n}"))

    i = 0
    while i < len(lines):
        s, n = lines[i], i + 1
        first = skip_blanks(s, 0)
        if first == len(s) or is_comment(s, first):
            i += 1
            continue
        if s.count('"') == 1:
            if s[0] == '"':
                if i + 1 < len(lines):
                    joined = s if s.endswith((" ", "\t")) else s + " "
                    parse_entry(joined + lines[i + 1], n)
                    i += 2
                    continue
                parse_entry(s, n)
            else:
                quote = s.index('"')
                if quote > 0 and s[quote - 1] == "\\":
                    error(n, 'Internal error: " expected')
                elif skip_blanks(s, quote + 1) < len(s) and not is_comment(s, skip_blanks(s, quote + 1)):
                    error(n, "Invalid characters after key-value-pair encountered")
                elif not entries:
                    error(n, "continuation line without an entry to continue")
                else:
                    e = entries[-1]
                    if e.value and not e.value.endswith(" "):
                        e.value += " "
                    e.value += s[:quote]
            i += 1
            continue
        parse_entry(s, n)
        i += 1
    return entries, errors


def languages_present(root):
    """The languages that have at least one translation file, sorted."""
    directory = os.path.join(root, "data", "translations")
    found = set()
    if os.path.isdir(directory):
        for name in os.listdir(directory):
            language, _, file = name.partition(".")
            if language and file in TRANSLATION_FILES:
                found.add(language)
    return sorted(found)


def load_translations(root, language):
    loaded = LoadedFiles()
    directory = os.path.join(root, "data", "translations")
    for name in TRANSLATION_FILES:
        path = os.path.join(directory, f"{language}.{name}")
        display = os.path.relpath(path, root)
        if not os.path.exists(path):
            loaded.errors.append(f"{display}: missing")
            continue
        entries, errors = parse_translation_file(path, display)
        loaded.entries += entries
        loaded.errors += errors
    return loaded


def replace_all(text, entries, used=None, inside_words=None):
    """translate_replace: longest keys first, newest first among equals, at
    most 11 passes per key, each pass left to right without overlaps. Keys
    that matched are added to `used`; a key that matched inside a word (a
    letter right before or after it) is added to `inside_words`."""
    order = sorted(reversed(entries), key=lambda e: -len(e.key.encode("utf-8")))
    for e in order:
        key = e.key
        if not key:
            continue
        for _ in range(MAX_REPLACE_PASSES):
            if key not in text:
                break
            if used is not None:
                used.add(key)
            out, i = [], 0
            while True:
                hit = text.find(key, i)
                if hit < 0:
                    out.append(text[i:])
                    break
                end = hit + len(key)
                if inside_words is not None and (
                        (key[0].isalpha() and hit > 0 and text[hit - 1].isalpha())
                        or (key[-1].isalpha() and end < len(text) and text[end].isalpha())):
                    inside_words.add(key)
                out.append(text[i:hit])
                out.append(e.value)
                i = end
            text = "".join(out)
    return text


# --------------------------------------------------------------- checks of the values

CONVERSION_RE = re.compile(r"%[-0 +]*\d{0,3}l?([ds%])")

# Points the printout composes with the letter before them: the table of
# src/base/hebrew_points.h, each row checked against Unicode's decomposition
# of its pointed letter.
COMPOSITIONS_PATH = "src/base/hebrew_points.h"
COMPOSITION_ROW_RE = re.compile(r"\{\s*0x([0-9A-Fa-f]{4}),\s*0x([0-9A-Fa-f]{4}),\s*0x([0-9A-Fa-f]{4})\s*\}")


def composable_pairs(sources, problems):
    source = sources.get(COMPOSITIONS_PATH)
    start = source.text.find("kHebrewPointCompositions") if source else -1
    if start < 0:
        raise LookupError(f"{COMPOSITIONS_PATH}: the table kHebrewPointCompositions was not found")
    body = source.text[start:source.text.find("};", start)]
    pairs = set()
    for m in COMPOSITION_ROW_RE.finditer(body):
        letter, point, composed = (chr(int(g, 16)) for g in m.groups())
        if unicodedata.decomposition(composed) != f"{ord(letter):04X} {ord(point):04X}":
            problems.append(f"{COMPOSITIONS_PATH}: U+{ord(composed):04X} is not U+{ord(letter):04X} "
                            f"with U+{ord(point):04X}")
        pairs.add((letter, point))
    if not pairs:
        raise LookupError(f"{COMPOSITIONS_PATH}: kHebrewPointCompositions has no rows")
    return pairs


# --------------------------------------------------------------- the print font

ENCODING_PATH = "src/render/ps_text_encoding.cpp"
ENCODING_HEADER = "src/render/ps_text_encoding.h"
NUMERALS_PATH = "src/calendar/hebrew_numerals.cpp"


def print_encoding(sources):
    """{character: glyph name} of the print encoding's rows."""
    src = sources.get(ENCODING_PATH)
    if src is None:
        raise LookupError(f"{ENCODING_PATH} was not found")
    glyphs = {}
    ascii_names, _ = src.initializer("kAsciiGlyphNames")
    names = [unescape(m.group(1)) for m in STRING_RE.finditer(ascii_names)]
    if len(names) != 95:
        raise LookupError(f"{ENCODING_PATH}: kAsciiGlyphNames has {len(names)} names, not 95")
    for i, name in enumerate(names):
        glyphs[chr(32 + i)] = name
    for table, row_re in (("kPointedGlyphs", r"\{\s*0x([0-9A-Fa-f]{4}),\s*\"([^\"]+)\"\s*\}"),
                          ("kHebrewRows", r"\{\s*\d+,\s*0x([0-9A-Fa-f]{4}),\s*\"([^\"]+)\"\s*\}")):
        body, _ = src.initializer(table)
        rows = re.findall(row_re, body)
        if not rows:
            raise LookupError(f"{ENCODING_PATH}: no rows found in {table}")
        for code, name in rows:
            glyphs[chr(int(code, 16))] = name
    return glyphs


def default_font_metrics(root, sources):
    """(path, glyph names) of the default print font's .afm file; names is None when it is not installed."""
    header = sources.get(ENCODING_HEADER)
    m = re.search(r'kDefaultYiddishPrintFont\s*=\s*"([^"]+)"', header.text if header else "")
    if not m:
        raise LookupError(f"{ENCODING_HEADER}: kDefaultYiddishPrintFont was not found")
    afm = re.sub(r"\.pf[ab]$", ".afm", m.group(1))
    try:
        with open(afm, encoding="latin-1") as f:
            return afm, set(re.findall(r"^C .*?; N ([^ ;]+) ;", f.read(), re.M))
    except OSError:
        return afm, None


def print_font_problems(root, sources, encoding):
    """What the print font and its encoding lack for the texts the program prints."""
    problems, notes = [], []
    numerals = sources.get(NUMERALS_PATH)
    if numerals is None:
        raise LookupError(f"{NUMERALS_PATH} was not found")
    written = set()
    for m in STRING_RE.finditer(numerals.text):
        written.update(ch for ch in unescape(m.group(1)) if ord(ch) > 127)
    if len(written) < 20:
        raise LookupError(f"{NUMERALS_PATH}: only {len(written)} Hebrew characters found in its literals")
    for ch in sorted(written):
        if ch not in encoding:
            problems.append(f"{NUMERALS_PATH}: the Hebrew numerals write U+{ord(ch):04X}, "
                            f"which the print encoding ({ENCODING_PATH}) has no row for")
    afm, names = default_font_metrics(root, sources)
    if names is None:
        notes.append(f"{afm} is not installed: the glyphs of the default print font were not checked")
    else:
        for ch, name in sorted(encoding.items()):
            if name not in names:
                problems.append(f"{afm}: the print font has no glyph \"{name}\" for U+{ord(ch):04X}")
    return problems, notes


def conversions(text):
    return [c for c in CONVERSION_RE.findall(text) if c != "%"]


# Names that Yiddish writes in Latin letters too.
LATIN_NAMES = re.compile(r"\bA4\b")


def value_problems(value, language, composable, encoding):
    """What is wrong with a translated text of `language`, if anything."""
    problems = []
    plain = LATIN_NAMES.sub("", CONVERSION_RE.sub("", value))
    if re.search(r"[A-Za-z]", plain):
        problems.append("holds Latin letters")
    previous = ""
    for ch in value:
        code = ord(ch)
        if 0x0591 <= code <= 0x05C7 and unicodedata.category(ch) == "Mn":
            if (previous, ch) not in composable:
                problems.append(f"point U+{code:04X} on {previous or 'nothing'!r} cannot be printed")
        elif 0xFB1D <= code <= 0xFB4F:
            problems.append(f"presentation form U+{code:04X}: write the letter and its point")
        elif 0x05F0 <= code <= 0x05F2 and language not in DIGRAPH_LANGUAGES:
            problems.append(f"Yiddish digraph U+{code:04X}: write the two letters")
        elif code == 0x05BE:
            problems.append("maqaf U+05BE cannot be printed: write a hyphen")
        elif ch not in encoding:
            problems.append(f"character U+{code:04X} cannot be printed")
        previous = ch
    return problems


# --------------------------------------------------------------- main

@dataclass
class LanguageResult:
    problems: list
    notes: list
    missing: dict  # text -> where
    summary: str


def check_language(root, language, keys, phrases, composable, encoding):
    """Every problem of one language's files against the texts found."""
    loaded = load_translations(root, language)
    problems = list(loaded.errors)
    table = {}
    for e in loaded.entries:
        if e.key in table:
            problems.append(f"{e.where}: \"{e.key}\" is already translated at {table[e.key].where}")
        table[e.key] = e
        for p in value_problems(e.value, language, composable, encoding):
            problems.append(f"{e.where}: \"{e.key}\": the translation {p}")

    missing = {}
    for t in keys:
        if t.text in table:
            e = table[t.text]
            if conversions(e.value) != conversions(t.text):
                problems.append(f"{e.where}: \"{t.text}\": the translation must have the conversions "
                                f"{conversions(t.text)} in this order, not {conversions(e.value)}")
        else:
            missing.setdefault(t.text, t.where)
    for text, where in missing.items():
        problems.append(f"{where}: no translation of \"{text}\"")

    used = set()
    seen = set()
    for t in phrases:
        if t.text in seen:
            continue
        seen.add(t.text)
        inside = set()
        result = replace_all(t.text, loaded.entries, used, inside)
        if re.search(r"[A-Za-z]", result):
            problems.append(f"{t.where}: English left in \"{t.text.strip()}\" -> \"{result.strip()}\"")
        for key in sorted(inside):
            problems.append(f"{t.where}: the key \"{key}\" matches inside a word of \"{t.text.strip()}\"; "
                            "give the whole phrase an entry")

    key_texts = {t.text for t in keys}
    notes = [f"{e.where}: \"{e.key}\" is not used by any text found"
             for e in loaded.entries if e.key not in used and e.key not in key_texts]
    summary = (f"{len(key_texts)} texts looked up, {len(seen)} texts translated by phrases, "
               f"{len(loaded.entries)} entries")
    return LanguageResult(problems, notes, missing, summary)


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
        table, helpers = read_text_sources(os.path.join(root, "tests", "data", "translation_sources.tsv"))
        keys, phrases, source_problems = collect(sources, table, helpers)
        composable = composable_pairs(sources, source_problems)
        encoding = print_encoding(sources)
        font_problems, font_notes = print_font_problems(root, sources, encoding)
        source_problems += font_problems
    except LookupError as e:
        print(f"check-translations: {e}", file=sys.stderr)
        return 1

    if args.list:
        for t in keys:
            print(f"key\t{t.where}\t{t.text}")
        for t in phrases:
            print(f"phrase\t{t.where}\t{t.text}")
        return 0

    languages = list(dict.fromkeys(args.language)) if args.language else languages_present(root)
    if not languages:
        print(f"check-translations: no translation files in {os.path.join(root, 'data', 'translations')}",
              file=sys.stderr)
        return 1
    for language in languages:
        if not re.fullmatch(r"[a-z][a-z0-9_-]*", language):
            print(f"check-translations: \"{language}\" is not a language name", file=sys.stderr)
            return 1
    several = len(languages) > 1
    failed = False
    for language in languages:
        prefix = f"{language}: " if several else ""
        result = check_language(root, language, keys, phrases, composable, encoding)
        # Problems of the sources hold for every language.
        problems = source_problems + result.problems
        if args.template:
            if several:
                print(f"# {language}")
            for text in result.missing:
                print('"' + text.replace("\\", "\\\\").replace('"', '\\"') + '" = ""')
            continue
        for note in font_notes + result.notes:
            print(f"note: {prefix}{note}", file=sys.stderr)
        for p in problems:
            print(prefix + p)
        print(f"{prefix}{result.summary}, {len(problems)} problem(s)")
        failed = failed or bool(problems)
    if args.template:
        return 0
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
