// Verse references for the reading tests: parses texts such as
// "Pesakh IV, Exodus 22:24 - 23:19; Numbers 28:19-25" or the published
// "Numbers 29:17-25, 29:17-22" into sets of ranges, so texts written in
// different styles can be compared by their verses alone.
#pragma once

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace verses {

struct Range {
  std::string book;
  int fromChapter = 0, fromVerse = 0, toChapter = 0, toVerse = 0;
  bool operator<(const Range& o) const {
    return std::tie(book, fromChapter, fromVerse, toChapter, toVerse) <
           std::tie(o.book, o.fromChapter, o.fromVerse, o.toChapter, o.toVerse);
  }
};
using RangeSet = std::set<Range>;

// The books a reading can come from; Ketuvim (the megillot) are not part of
// our texts and are left out of both sides.
inline const std::vector<std::string>& Books() {
  static const std::vector<std::string> books = {
      "Genesis", "Exodus",   "Leviticus", "Numbers", "Deuteronomy", "Joshua",  "Judges",
      "I Samuel", "II Samuel", "I Kings",  "II Kings", "Isaiah",     "Jeremiah", "Ezekiel",
      "Hosea",   "Joel",     "Amos",      "Obadiah", "Jonah",       "Micah",   "Nahum",
      "Habakkuk", "Zephaniah", "Haggai",  "Zechariah", "Malachi"};
  return books;
}
inline bool IsKetuvim(std::string_view word) {
  for (std::string_view k : {"Psalms", "Proverbs", "Job", "Song of Songs", "Ruth", "Lamentations",
                             "Ecclesiastes", "Esther", "Daniel", "Ezra", "Nehemiah", "Chronicles"})
    if (word.substr(0, k.size()) == k) return true;
  return false;
}
// Last chapter and verse of a Torah book, for "33:1-end".
inline std::pair<int, int> BookEnd(const std::string& book) {
  if (book == "Genesis") return {50, 26};
  if (book == "Exodus") return {40, 38};
  if (book == "Leviticus") return {27, 34};
  if (book == "Numbers") return {36, 13};
  if (book == "Deuteronomy") return {34, 12};
  return {0, 0};
}

// Every verse reference in `text`, in the order written. A reference without
// a book continues the last book named. "Isaiah 66, 1 & 23" stands for the
// two verses 66:1 and 66:23.
inline std::vector<Range> ParseInOrder(std::string_view text) {
  std::vector<Range> out;
  std::string book;
  bool skipping = false;  // inside a Ketuvim reference
  size_t i = 0;
  auto number = [&](int& v) {
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    v = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) v = v * 10 + (text[i++] - '0');
    return true;
  };
  auto skipSpaces = [&] {
    while (i < text.size() && text[i] == ' ') ++i;
  };
  while (i < text.size()) {
    bool matchedBook = false;
    for (const std::string& b : Books()) {
      if (text.substr(i, b.size()) == b && i + b.size() < text.size() && text[i + b.size()] == ' ' &&
          (i == 0 || !std::isalpha(static_cast<unsigned char>(text[i - 1])))) {
        book = b;
        i += b.size() + 1;
        matchedBook = true;
        skipping = false;
        break;
      }
    }
    if (!matchedBook && IsKetuvim(text.substr(i)) && (i == 0 || text[i - 1] == ' ')) {
      skipping = true;
      while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
      continue;
    }
    const size_t start = i;
    int chapter = 0;
    if (!book.empty() && number(chapter)) {
      if (i < text.size() && text[i] == ':') {
        ++i;
        int verse = 0;
        if (number(verse)) {
          Range r{book, chapter, verse, chapter, verse};
          const size_t save = i;
          skipSpaces();
          if (i < text.size() && text[i] == '-') {
            ++i;
            skipSpaces();
            int a = 0;
            if (text.substr(i, 3) == "end") {
              i += 3;
              std::tie(r.toChapter, r.toVerse) = BookEnd(book);
            } else if (number(a)) {
              if (i < text.size() && text[i] == ':') {
                ++i;
                int b = 0;
                number(b);
                r.toChapter = a;
                r.toVerse = b;
              } else {
                r.toVerse = a;
              }
            }
          } else {
            i = save;
          }
          if (!skipping) out.push_back(r);
          continue;
        }
      } else if (text.substr(i, 2) == ", ") {
        // "Isaiah 66, 1 & 23"
        size_t j = i;
        i += 2;
        int v1 = 0, v2 = 0;
        if (number(v1) && text.substr(i, 3) == " & ") {
          i += 3;
          if (number(v2)) {
            if (!skipping) {
              out.push_back(Range{book, chapter, v1, chapter, v1});
              out.push_back(Range{book, chapter, v2, chapter, v2});
            }
            continue;
          }
        }
        i = j;
      }
    }
    i = start + 1;
  }
  return out;
}

// The same as a set, for comparing verses regardless of order.
inline RangeSet Parse(std::string_view text) {
  const std::vector<Range> ranges = ParseInOrder(text);
  return RangeSet(ranges.begin(), ranges.end());
}

// Splits a Haftarah text into its Ashkenazi and Sephardi ranges:
// "A (Sephardi ritual: B)" and "A (Sephardi add B)".
struct HaftarahRanges {
  RangeSet ashkenazi;
  RangeSet sephardi;
};
inline HaftarahRanges ParseHaftarah(std::string_view text) {
  HaftarahRanges h;
  const size_t ritual = text.find("(Sephardi ritual:");
  const size_t add = text.find("(Sephardi add");
  if (ritual != std::string_view::npos) {
    h.ashkenazi = Parse(text.substr(0, ritual));
    h.sephardi = Parse(text.substr(ritual));
  } else if (add != std::string_view::npos) {
    h.ashkenazi = Parse(text.substr(0, add));
    h.sephardi = h.ashkenazi;
    for (const Range& r : Parse(text.substr(add))) h.sephardi.insert(r);
  } else {
    h.ashkenazi = h.sephardi = Parse(text);
  }
  return h;
}

inline void Add(RangeSet& to, const RangeSet& from) { to.insert(from.begin(), from.end()); }

// Single verses, so that "Numbers 29:17-25, 29:17-22" equals "Numbers 29:17-25".
struct Verse {
  std::string book;
  int chapter = 0, verse = 0;
  bool operator<(const Verse& o) const { return std::tie(book, chapter, verse) < std::tie(o.book, o.chapter, o.verse); }
  bool operator==(const Verse& o) const { return !(*this < o) && !(o < *this); }
};
using VerseSet = std::set<Verse>;
// Verses per chapter of each book, chapter 1 first.
using VerseCounts = std::map<std::string, std::vector<int>>;

// The verses of the ranges. A range that leaves its chapter or book (a
// malformed one) yields a marker verse 0:0 so that it never compares equal.
inline VerseSet Expand(const RangeSet& ranges, const VerseCounts& counts) {
  VerseSet out;
  for (const Range& r : ranges) {
    auto it = counts.find(r.book);
    if (it == counts.end() || r.fromChapter < 1 || r.toChapter < r.fromChapter ||
        static_cast<size_t>(r.toChapter) > it->second.size()) {
      out.insert(Verse{r.book, 0, 0});
      continue;
    }
    for (int c = r.fromChapter; c <= r.toChapter; ++c) {
      const int lastInChapter = it->second[static_cast<size_t>(c - 1)];
      const int from = c == r.fromChapter ? r.fromVerse : 1;
      const int to = c == r.toChapter ? r.toVerse : lastInChapter;
      if (from < 1 || to > lastInChapter || (c == r.toChapter && to < from)) {
        out.insert(Verse{r.book, 0, 0});
        break;
      }
      for (int v = from; v <= to; ++v) out.insert(Verse{r.book, c, v});
    }
  }
  return out;
}

// A short description: the verse runs of a set.
inline std::string Describe(const VerseSet& s) {
  std::string out;
  auto it = s.begin();
  while (it != s.end()) {
    auto runEnd = it;
    auto next = std::next(it);
    while (next != s.end() && next->book == runEnd->book &&
           ((next->chapter == runEnd->chapter && next->verse == runEnd->verse + 1) ||
            (next->chapter == runEnd->chapter + 1 && next->verse == 1))) {
      runEnd = next;
      ++next;
    }
    out += (out.empty() ? "" : "; ") + it->book + " " + std::to_string(it->chapter) + ":" +
           std::to_string(it->verse) + "-" + std::to_string(runEnd->chapter) + ":" + std::to_string(runEnd->verse);
    it = next;
  }
  return out.empty() ? "(nothing)" : out;
}

}  // namespace verses
