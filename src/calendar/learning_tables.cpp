// The tables of the daily study cycles. Each row's comment gives where the
// row begins in the cycle and the day it began in a recent cycle, as a check
// against a printed calendar.
#include "calendar/learning_tables.h"

namespace calendar::detail {

// Mishna Yomit, two mishnayot a day: a cycle of 4192 mishnayot in 2096 days.
// The comment gives the index of the tractate's first mishna and the day it
// was learnt in the cycle begun 25 December 2021.
constexpr std::array<MishnaTractate, kMishnaTractateCount> MishnaTractates = {{
    {"Berachos", {5, 8, 6, 7, 5, 8, 5, 8, 5}},                // mishna 0 from 25 December 2021
    {"Pe'ah", {6, 8, 8, 11, 8, 11, 8, 9}},                    // mishna 57 from 22 January 2022
    {"Demai", {4, 5, 6, 7, 11, 12, 8}},                       // mishna 126 from 26 February 2022
    {"Kilayim", {9, 11, 7, 9, 8, 9, 8, 6, 10}},               // mishna 179 from 24 March 2022
    {"Shevi'is", {8, 10, 10, 10, 9, 6, 7, 11, 9, 9}},         // mishna 256 from 2 May 2022
    {"Terumos", {10, 6, 9, 13, 9, 6, 7, 12, 7, 12, 10}},      // mishna 345 from 15 June 2022
    {"Ma'asros", {8, 8, 10, 6, 8}},                           // mishna 446 from 5 August 2022
    {"Ma'aser Sheni", {7, 10, 13, 12, 15}},                   // mishna 486 from 25 August 2022
    {"Chalah", {9, 8, 10, 11}},                               // mishna 543 from 22 September 2022
    {"Orlah", {9, 17, 9}},                                    // mishna 581 from 11 October 2022
    {"Bikurim", {11, 11, 12, 5}},                             // mishna 616 from 29 October 2022
    {"Shabbos", {11, 7, 6, 2, 4, 10, 4, 7, 7, 6, 6, 6, 7, 4, 3, 8, 8, 3, 6, 5, 3, 6, 5, 5}},  // mishna 655 from 17 November 2022
    {"Eruvin", {10, 6, 9, 11, 9, 10, 11, 11, 4, 15}},         // mishna 794 from 26 January 2023
    {"Pesachim", {7, 8, 8, 9, 10, 6, 13, 8, 11, 9}},          // mishna 890 from 15 March 2023
    {"Shekalim", {7, 5, 4, 9, 6, 6, 7, 8}},                   // mishna 979 from 28 April 2023
    {"Yuma", {8, 7, 11, 6, 7, 8, 5, 9}},                      // mishna 1031 from 24 May 2023
    {"Sukah", {11, 9, 15, 10, 8}},                            // mishna 1092 from 24 June 2023
    {"Beitzah", {10, 10, 8, 7, 7}},                           // mishna 1145 from 20 July 2023
    {"Rosh Ha'Shanah", {9, 9, 8, 9}},                         // mishna 1187 from 10 August 2023
    {"Ta'anis", {7, 10, 9, 8}},                               // mishna 1222 from 28 August 2023
    {"Megilah", {11, 6, 6, 10}},                              // mishna 1256 from 14 September 2023
    {"Moed Katan", {10, 5, 9}},                               // mishna 1289 from 30 September 2023
    {"Chagigah", {8, 7, 8}},                                  // mishna 1313 from 12 October 2023
    {"Yevamos", {4, 10, 10, 13, 6, 6, 6, 6, 6, 9, 7, 6, 13, 9, 10, 7}},  // mishna 1336 from 24 October 2023
    {"Kesuvos", {10, 10, 9, 12, 9, 7, 10, 8, 9, 6, 6, 4, 11}},  // mishna 1464 from 27 December 2023
    {"Nedarim", {4, 5, 11, 8, 6, 10, 9, 7, 10, 8, 12}},       // mishna 1575 from 20 February 2024
    {"Nazir", {7, 10, 7, 7, 7, 11, 4, 2, 5}},                 // mishna 1665 from 5 April 2024
    {"Sotah", {9, 6, 8, 5, 5, 4, 8, 7, 15}},                  // mishna 1725 from 5 May 2024
    {"Gitin", {6, 7, 8, 9, 9, 7, 9, 10, 10}},                 // mishna 1792 from 8 June 2024
    {"Kidushin", {10, 10, 13, 14}},                           // mishna 1867 from 15 July 2024
    {"Bava Kama", {4, 6, 11, 9, 7, 6, 7, 7, 12, 10}},         // mishna 1914 from 8 August 2024
    {"Bava Metzia", {8, 11, 12, 12, 11, 8, 11, 9, 13, 6}},    // mishna 1993 from 16 September 2024
    {"Bava Basra", {6, 14, 8, 9, 11, 8, 4, 8, 10, 8}},        // mishna 2094 from 6 November 2024
    {"Sanhedrin", {6, 5, 8, 5, 5, 6, 11, 7, 6, 6, 6}},        // mishna 2180 from 19 December 2024
    {"Makos", {10, 8, 16}},                                   // mishna 2251 from 23 January 2025
    {"Shevuos", {7, 5, 11, 13, 5, 7, 8, 6}},                  // mishna 2285 from 9 February 2025
    {"Eduyos", {14, 10, 12, 12, 7, 3, 9, 7}},                 // mishna 2347 from 12 March 2025
    {"Avodah Zarah", {9, 7, 10, 12, 12}},                     // mishna 2421 from 18 April 2025
    {"Avos", {18, 16, 18, 22, 23, 11}},                       // mishna 2471 from 13 May 2025
    {"Horayos", {5, 7, 8}},                                   // mishna 2579 from 6 July 2025
    {"Zevachim", {4, 5, 6, 6, 8, 7, 6, 12, 7, 8, 8, 6, 8, 10}},  // mishna 2599 from 16 July 2025
    {"Menachos", {4, 5, 7, 5, 9, 7, 6, 7, 9, 9, 9, 5, 11}},   // mishna 2700 from 5 September 2025
    {"Chulin", {7, 10, 7, 7, 5, 7, 6, 6, 8, 4, 2, 5}},        // mishna 2793 from 21 October 2025
    {"Bechoros", {7, 9, 4, 10, 6, 12, 7, 10, 8}},             // mishna 2867 from 27 November 2025
    {"Erchin", {4, 6, 5, 4, 6, 5, 5, 7, 8}},                  // mishna 2940 from 3 January 2026
    {"Temurah", {6, 3, 5, 4, 6, 5, 6}},                       // mishna 2990 from 28 January 2026
    {"Kerisus", {7, 6, 10, 3, 8, 9}},                         // mishna 3025 from 14 February 2026
    {"Me'ilah", {4, 9, 8, 6, 5, 6}},                          // mishna 3068 from 8 March 2026
    {"Tamid", {4, 5, 9, 3, 6, 3, 4}},                         // mishna 3106 from 27 March 2026
    {"Midos", {9, 6, 8, 7, 4}},                               // mishna 3140 from 13 April 2026
    {"Kinim", {4, 5, 6}},                                     // mishna 3174 from 30 April 2026
    {"Keilim", {9, 8, 8, 4, 11, 4, 6, 11, 8, 8, 9, 8, 8, 8, 6, 8, 17, 9, 10, 7, 3, 10, 5, 17, 9, 9, 12, 10, 8, 4}},  // mishna 3189 from 7 May 2026
    {"Ohalos", {8, 7, 7, 3, 7, 7, 6, 6, 16, 7, 9, 8, 6, 7, 10, 5, 5, 10}},  // mishna 3443 from 11 September 2026
    {"Nega'im", {6, 5, 8, 11, 5, 8, 5, 10, 3, 10, 12, 7, 12, 13}},  // mishna 3577 from 17 November 2026
    {"Parah", {4, 5, 11, 4, 9, 5, 12, 11, 9, 6, 9, 11}},      // mishna 3692 from 14 January 2027
    {"Taharos", {9, 8, 8, 13, 9, 10, 9, 9, 9, 8}},            // mishna 3788 from 3 March 2027
    {"Mikva'os", {8, 10, 4, 5, 6, 11, 7, 5, 7, 8}},           // mishna 3880 from 18 April 2027
    {"Nidah", {7, 7, 7, 7, 9, 14, 5, 4, 11, 8}},              // mishna 3951 from 23 May 2027
    {"Machshirin", {6, 11, 8, 10, 11, 8}},                    // mishna 4030 from 2 July 2027
    {"Zavim", {6, 4, 3, 7, 12}},                              // mishna 4084 from 29 July 2027
    {"Tevul Yom", {5, 8, 6, 7}},                              // mishna 4116 from 14 August 2027
    {"Yadayim", {5, 4, 5, 8}},                                // mishna 4142 from 27 August 2027
    {"Uktzin", {6, 10, 12}},                                  // mishna 4164 from 7 September 2027
}};

constexpr int MishnaCount() {
  int total = 0;
  for (const MishnaTractate& t : MishnaTractates)
    for (uint8_t n : t.mishnayot) total += n;
  return total;
}
static_assert(MishnaCount() == 4192, "the Mishna has 4192 mishnayot");
static_assert(MishnaCount() == 2 * kMishnaCycleDays, "two mishnayot a day");

// Nach Yomi, one chapter a day: 742 chapters. The comment gives the day of
// the book's first chapter and its date in the cycle begun 1 February 2024.
constexpr std::array<ChapterBook, kNachBookCount> NachBooks = {{
    {"Joshua", 24},               // day 0 from 1 February 2024
    {"Judges", 21},               // day 24 from 25 February 2024
    {"I Samuel", 31},             // day 45 from 17 March 2024
    {"II Samuel", 24},            // day 76 from 17 April 2024
    {"I Kings", 22},              // day 100 from 11 May 2024
    {"II Kings", 25},             // day 122 from 2 June 2024
    {"Isaiah", 66},               // day 147 from 27 June 2024
    {"Jeremiah", 52},             // day 213 from 1 September 2024
    {"Ezekiel", 48},              // day 265 from 23 October 2024
    {"Hosea", 14},                // day 313 from 10 December 2024
    {"Joel", 4},                  // day 327 from 24 December 2024
    {"Amos", 9},                  // day 331 from 28 December 2024
    {"Obadiah", 1},               // day 340 from 6 January 2025
    {"Jonah", 4},                 // day 341 from 7 January 2025
    {"Micah", 7},                 // day 345 from 11 January 2025
    {"Nahum", 3},                 // day 352 from 18 January 2025
    {"Habakkuk", 3},              // day 355 from 21 January 2025
    {"Zephaniah", 3},             // day 358 from 24 January 2025
    {"Haggai", 2},                // day 361 from 27 January 2025
    {"Zechariah", 14},            // day 363 from 29 January 2025
    {"Malachi", 3},               // day 377 from 12 February 2025
    {"Psalms", 150},              // day 380 from 15 February 2025
    {"Proverbs", 31},             // day 530 from 15 July 2025
    {"Job", 42},                  // day 561 from 15 August 2025
    {"Song of Songs", 8},         // day 603 from 26 September 2025
    {"Ruth", 4},                  // day 611 from 4 October 2025
    {"Lamentations", 5},          // day 615 from 8 October 2025
    {"Ecclesiastes", 12},         // day 620 from 13 October 2025
    {"Esther", 10},               // day 632 from 25 October 2025
    {"Daniel", 12},               // day 642 from 4 November 2025
    {"Ezra", 10},                 // day 654 from 16 November 2025
    {"Nehemiah", 13},             // day 664 from 26 November 2025
    {"I Chronicles", 29},         // day 677 from 9 December 2025
    {"II Chronicles", 36},        // day 706 from 7 January 2026
}};

// The Torah in 929: the comment gives the book's first chapter of the
// program and the day it was read in the cycle begun 15 July 2018.
constexpr std::array<ChapterBook, kTorahBookCount> TorahBooks = {{
    {"Genesis", 50},      // chapter 0 on 15 July 2018
    {"Exodus", 40},       // chapter 50 on 23 September 2018
    {"Leviticus", 27},    // chapter 90 on 18 November 2018
    {"Numbers", 36},      // chapter 117 on 25 December 2018
    {"Deuteronomy", 34},  // chapter 153 on 13 February 2019
}};

// Yerushalmi Yomi, one page a day: 1554 pages. The comment gives the index of
// the tractate's first page and its date in the cycle begun 14 November 2022.
constexpr std::array<ChapterBook, kYerushalmiTractateCount> YerushalmiTractates = {{
    {"Berachos", 68},             // page 0 from 14 November 2022
    {"Pe'ah", 37},                // page 68 from 21 January 2023
    {"Demai", 34},                // page 105 from 27 February 2023
    {"Kilayim", 44},              // page 139 from 2 April 2023
    {"Shevi'is", 31},             // page 183 from 16 May 2023
    {"Terumos", 59},              // page 214 from 16 June 2023
    {"Ma'asros", 26},             // page 273 from 15 August 2023
    {"Ma'aser Sheni", 33},        // page 299 from 10 September 2023
    {"Chalah", 28},               // page 332 from 14 October 2023
    {"Orlah", 20},                // page 360 from 11 November 2023
    {"Bikurim", 13},              // page 380 from 1 December 2023
    {"Shabbos", 92},              // page 393 from 14 December 2023
    {"Eruvin", 65},               // page 485 from 15 March 2024
    {"Pesachim", 71},             // page 550 from 19 May 2024
    {"Beitzah", 22},              // page 621 from 29 July 2024
    {"Rosh Ha'Shanah", 22},       // page 643 from 21 August 2024
    {"Yuma", 42},                 // page 665 from 12 September 2024
    {"Sukah", 26},                // page 707 from 25 October 2024
    {"Ta'anis", 26},              // page 733 from 20 November 2024
    {"Shekalim", 33},             // page 759 from 16 December 2024
    {"Megilah", 34},              // page 792 from 18 January 2025
    {"Chagigah", 22},             // page 826 from 21 February 2025
    {"Moed Katan", 19},           // page 848 from 15 March 2025
    {"Yevamos", 85},              // page 867 from 3 April 2025
    {"Kesuvos", 72},              // page 952 from 27 June 2025
    {"Sotah", 47},                // page 1024 from 8 September 2025
    {"Nedarim", 40},              // page 1071 from 26 October 2025
    {"Nazir", 47},                // page 1111 from 5 December 2025
    {"Gitin", 54},                // page 1158 from 21 January 2026
    {"Kidushin", 48},             // page 1212 from 16 March 2026
    {"Bava Kama", 44},            // page 1260 from 3 May 2026
    {"Bava Metzia", 37},          // page 1304 from 16 June 2026
    {"Bava Basra", 34},           // page 1341 from 24 July 2026
    {"Shevuos", 44},              // page 1375 from 27 August 2026
    {"Makos", 9},                 // page 1419 from 11 October 2026
    {"Sanhedrin", 57},            // page 1428 from 20 October 2026
    {"Avodah Zarah", 37},         // page 1485 from 16 December 2026
    {"Horayos", 19},              // page 1522 from 22 January 2027
    {"Nidah", 13},                // page 1541 from 10 February 2027
}};

// Yerushalmi Yomi by the Schottenstein edition: a page a day, every day,
// since 14 November 2022; the edition orders the tractates of Moed and
// Nashim otherwise (Shekalim after Pesachim, Nedarim before Nazir and Sotah)
// and Nezikin too (Sanhedrin before Shevuos, Makos after Avodah Zarah).
constexpr std::array<ChapterBook, kYerushalmiTractateCount> YerushalmiSchottensteinTractates = {{
    {"Berachos", 94},             // page 0 from 14 November 2022
    {"Pe'ah", 73},                // page 94 from 16 February 2023
    {"Demai", 77},                // page 167 from 30 April 2023
    {"Kilayim", 84},              // page 244 from 16 July 2023
    {"Shevi'is", 87},             // page 328 from 8 October 2023
    {"Terumos", 107},             // page 415 from 3 January 2024
    {"Ma'asros", 46},             // page 522 from 19 April 2024
    {"Ma'aser Sheni", 59},        // page 568 from 4 June 2024
    {"Chalah", 49},               // page 627 from 2 August 2024
    {"Orlah", 42},                // page 676 from 20 September 2024
    {"Bikurim", 26},              // page 718 from 1 November 2024
    {"Shabbos", 113},             // page 744 from 27 November 2024
    {"Eruvin", 71},               // page 857 from 20 March 2025
    {"Pesachim", 86},             // page 928 from 30 May 2025
    {"Shekalim", 61},             // page 1014 from 24 August 2025
    {"Yuma", 57},                 // page 1075 from 24 October 2025
    {"Sukah", 33},                // page 1132 from 20 December 2025
    {"Beitzah", 49},              // page 1165 from 22 January 2026
    {"Rosh Ha'Shanah", 27},       // page 1214 from 12 March 2026
    {"Ta'anis", 31},              // page 1241 from 8 April 2026
    {"Megilah", 41},              // page 1272 from 9 May 2026
    {"Chagigah", 28},             // page 1313 from 19 June 2026
    {"Moed Katan", 23},           // page 1341 from 17 July 2026
    {"Yevamos", 88},              // page 1364 from 9 August 2026
    {"Kesuvos", 77},              // page 1452 from 5 November 2026
    {"Nedarim", 42},              // page 1529 from 21 January 2027
    {"Nazir", 53},                // page 1571 from 4 March 2027
    {"Sotah", 52},                // page 1624 from 26 April 2027
    {"Gitin", 53},                // page 1676 from 17 June 2027
    {"Kidushin", 53},             // page 1729 from 9 August 2027
    {"Bava Kama", 40},            // page 1782 from 1 October 2027
    {"Bava Metzia", 35},          // page 1822 from 10 November 2027
    {"Bava Basra", 39},           // page 1857 from 15 December 2027
    {"Sanhedrin", 75},            // page 1896 from 23 January 2028
    {"Shevuos", 49},              // page 1971 from 7 April 2028
    {"Avodah Zarah", 34},         // page 2020 from 26 May 2028
    {"Makos", 11},                // page 2054 from 29 June 2028
    {"Horayos", 18},              // page 2065 from 10 July 2028
    {"Nidah", 11},                // page 2083 from 28 July 2028
}};

constexpr int ChapterCount(const ChapterBook* first, const ChapterBook* last) {
  int total = 0;
  for (; first != last; ++first) total += first->chapters;
  return total;
}
static_assert(ChapterCount(NachBooks.begin(), NachBooks.end()) == kNachCycleDays, "Nach has 742 chapters");
static_assert(ChapterCount(TorahBooks.begin(), TorahBooks.end()) + kNachCycleDays == kTanakhChapters,
              "the Torah has 187 chapters");
static_assert(ChapterCount(YerushalmiSchottensteinTractates.begin(), YerushalmiSchottensteinTractates.end()) ==
                  kYerushalmiSchottensteinCyclePages,
              "the Schottenstein edition has 2094 pages");
static_assert(ChapterCount(YerushalmiTractates.begin(), YerushalmiTractates.end()) == kYerushalmiCyclePages,
              "the Vilna Yerushalmi has 1554 pages");

constexpr std::array<std::string_view, kRambamIntroBookCount> RambamIntroBooks = {
    "Hakdamah",            // the introduction: how the Oral Law was handed down, 45 paragraphs
    "Mitzvos Asei",        // the 248 positive commandments
    "Mitzvos Lo Sa'asei",  // the 365 negative commandments
    "Tochen HaChibur",     // the commandments by book and law, 14 books
};

// The laws in the order of the fourteen books, 1006 chapters in all. The
// comment gives the law's book number (after the four introductions) and the
// day its first chapter was learnt in the one-chapter cycle begun 23 April
// 2023. The last chapter of Seder HaTefilah is learnt with the one before it
// in the one-chapter cycle; the last of Chametz u'Matzah (the text of the
// Haggadah) with the one before it in the three-chapter cycle.
constexpr std::array<RambamLaw, kRambamLawCount> RambamLaws = {{
    {"Yesodei HaTorah", 10},                        // book 4 from 5 May 2023
    {"Dei'os", 7},                                  // book 5 from 15 May 2023
    {"Talmud Torah", 7},                            // book 6 from 22 May 2023
    {"Avodah Zarah", 12},                           // book 7 from 29 May 2023
    {"Teshuvah", 10},                               // book 8 from 10 June 2023
    {"Krias Shema", 4},                             // book 9 from 20 June 2023
    {"Tefilah u'Birkas Kohanim", 15},               // book 10 from 24 June 2023
    {"Tefilin u'Mezuzah v'Sefer Torah", 10},        // book 11 from 9 July 2023
    {"Tzitzis", 3},                                 // book 12 from 19 July 2023
    {"Berachos", 11},                               // book 13 from 22 July 2023
    {"Milah", 3},                                   // book 14 from 2 August 2023
    {"Seder HaTefilah", 5, true},                   // book 15 from 5 August 2023
    {"Shabbos", 30},                                // book 16 from 9 August 2023
    {"Eruvin", 8},                                  // book 17 from 8 September 2023
    {"Shevisas Asor", 3},                           // book 18 from 16 September 2023
    {"Yom Tov", 8},                                 // book 19 from 19 September 2023
    {"Chametz u'Matzah", 9, false, true},           // book 20 from 27 September 2023
    {"Shofar v'Sukah v'Lulav", 8},                  // book 21 from 6 October 2023
    {"Shekalim", 4},                                // book 22 from 14 October 2023
    {"Kiddush HaChodesh", 19},                      // book 23 from 18 October 2023
    {"Ta'aniyos", 5},                               // book 24 from 6 November 2023
    {"Megilah v'Chanukah", 4},                      // book 25 from 11 November 2023
    {"Ishus", 25},                                  // book 26 from 15 November 2023
    {"Geirushin", 13},                              // book 27 from 10 December 2023
    {"Yibum v'Chalitzah", 8},                       // book 28 from 23 December 2023
    {"Na'arah Besulah", 3},                         // book 29 from 31 December 2023
    {"Sotah", 4},                                   // book 30 from 3 January 2024
    {"Isurei Bi'ah", 22},                           // book 31 from 7 January 2024
    {"Ma'achalos Asuros", 17},                      // book 32 from 29 January 2024
    {"Shechitah", 14},                              // book 33 from 15 February 2024
    {"Shevuos", 12},                                // book 34 from 29 February 2024
    {"Nedarim", 13},                                // book 35 from 12 March 2024
    {"Nezirus", 10},                                // book 36 from 25 March 2024
    {"Erchin v'Charamin", 8},                       // book 37 from 4 April 2024
    {"Kilayim", 10},                                // book 38 from 12 April 2024
    {"Matnos Aniyim", 10},                          // book 39 from 22 April 2024
    {"Terumos", 15},                                // book 40 from 2 May 2024
    {"Ma'asros", 14},                               // book 41 from 17 May 2024
    {"Ma'aser Sheni v'Neta Reva'i", 11},            // book 42 from 31 May 2024
    {"Bikurim", 12},                                // book 43 from 11 June 2024
    {"Shemitah v'Yovel", 13},                       // book 44 from 23 June 2024
    {"Beis HaBechirah", 8},                         // book 45 from 6 July 2024
    {"Klei HaMikdash", 10},                         // book 46 from 14 July 2024
    {"Bi'as HaMikdash", 9},                         // book 47 from 24 July 2024
    {"Isurei HaMizbe'ach", 7},                      // book 48 from 2 August 2024
    {"Ma'aseh HaKorbanos", 19},                     // book 49 from 9 August 2024
    {"Temidin u'Musafin", 10},                      // book 50 from 28 August 2024
    {"Pesulei HaMukdashin", 19},                    // book 51 from 7 September 2024
    {"Avodas Yom HaKipurim", 5},                    // book 52 from 26 September 2024
    {"Me'ilah", 8},                                 // book 53 from 1 October 2024
    {"Korban Pesach", 10},                          // book 54 from 9 October 2024
    {"Chagigah", 3},                                // book 55 from 19 October 2024
    {"Bechoros", 8},                                // book 56 from 22 October 2024
    {"Shegagos", 15},                               // book 57 from 30 October 2024
    {"Mechusrei Kaparah", 5},                       // book 58 from 14 November 2024
    {"Temurah", 4},                                 // book 59 from 19 November 2024
    {"Tumas Meis", 25},                             // book 60 from 23 November 2024
    {"Parah Adumah", 15},                           // book 61 from 18 December 2024
    {"Tumas Tzara'as", 16},                         // book 62 from 2 January 2025
    {"Metamei Mishkav u'Moshav", 13},               // book 63 from 18 January 2025
    {"She'ar Avos HaTumos", 20},                    // book 64 from 31 January 2025
    {"Tumas Ochlin", 16},                           // book 65 from 20 February 2025
    {"Keilim", 28},                                 // book 66 from 8 March 2025
    {"Mikva'os", 11},                               // book 67 from 5 April 2025
    {"Nizkei Mamon", 14},                           // book 68 from 16 April 2025
    {"Geneivah", 9},                                // book 69 from 30 April 2025
    {"Gezeilah va'Aveidah", 18},                    // book 70 from 9 May 2025
    {"Chovel u'Mazik", 8},                          // book 71 from 27 May 2025
    {"Rotze'ach u'Shmiras Nefesh", 13},             // book 72 from 4 June 2025
    {"Mechirah", 30},                               // book 73 from 17 June 2025
    {"Zechiyah u'Matanah", 12},                     // book 74 from 17 July 2025
    {"Shecheinim", 14},                             // book 75 from 29 July 2025
    {"Sheluchin v'Shutafin", 10},                   // book 76 from 12 August 2025
    {"Avadim", 9},                                  // book 77 from 22 August 2025
    {"Sechirus", 13},                               // book 78 from 31 August 2025
    {"She'eilah u'Pikadon", 8},                     // book 79 from 13 September 2025
    {"Malveh v'Loveh", 27},                         // book 80 from 21 September 2025
    {"To'en v'Nit'an", 16},                         // book 81 from 18 October 2025
    {"Nachalos", 11},                               // book 82 from 3 November 2025
    {"Sanhedrin", 26},                              // book 83 from 14 November 2025
    {"Eidus", 22},                                  // book 84 from 10 December 2025
    {"Mamrim", 7},                                  // book 85 from 1 January 2026
    {"Avel", 14},                                   // book 86 from 8 January 2026
    {"Melachim u'Milchamos", 12},                   // book 87 from 22 January 2026
}};

constexpr int RambamChapters() {
  int total = 0;
  for (const RambamLaw& law : RambamLaws) total += law.chapters;
  return total;
}
static_assert(RambamChapters() == 1006, "the laws of the Rambam have 1006 chapters");

// Places of the laws in a cycle: chapters less those joined to the one before.
constexpr int RambamPlaces(bool threeChapters) {
  int total = 0;
  for (const RambamLaw& law : RambamLaws) total += law.chapters - ((threeChapters ? law.joinedInThree : law.joinedInOne) ? 1 : 0);
  return total;
}
static_assert(kRambamOneChapterIntroDays + RambamPlaces(false) == kRambamOneChapterCycleDays,
              "one chapter a day after the introductions");
static_assert(RambamPlaces(true) % 3 == 0 &&
                  kRambamThreeChapterIntroDays + RambamPlaces(true) / 3 == kRambamThreeChapterCycleDays,
              "three chapters a day after the introductions");

// The first twelve days of the one-chapter cycle: each introduction in three.
constexpr std::array<RambamIntroPart, kRambamOneChapterIntroDays> RambamOneChapterIntro = {{
    {0, 1, 0, 21, 0},     // day 0: Hakdamah 1-21
    {0, 22, 0, 33, 0},    // day 1
    {0, 34, 0, 45, 0},    // day 2
    {1, 1, 0, 83, 0},     // day 3: Mitzvos Asei 1-83
    {1, 84, 0, 166, 0},   // day 4
    {1, 167, 0, 248, 0},  // day 5
    {2, 1, 0, 122, 0},    // day 6: Mitzvos Lo Sa'asei 1-122
    {2, 123, 0, 245, 0},  // day 7
    {2, 246, 0, 365, 0},  // day 8
    {3, 1, 1, 4, 8},      // day 9: Tochen HaChibur 1:1-4:8
    {3, 5, 1, 9, 9},      // day 10
    {3, 10, 1, 14, 10},   // day 11
}};

// The first four days of the three-chapter cycle: one introduction a day.
constexpr std::array<RambamIntroPart, kRambamThreeChapterIntroDays> RambamThreeChapterIntro = {{
    {0, 1, 0, 45, 0},    // day 0: Hakdamah 1-45
    {1, 1, 0, 248, 0},   // day 1: Mitzvos Asei 1-248
    {2, 1, 0, 365, 0},   // day 2: Mitzvos Lo Sa'asei 1-365
    {3, 1, 1, 14, 10},   // day 3: Tochen HaChibur 1:1-14:10
}};

// The psalms of each day of the Hebrew month; in a month of 29 days the 29th
// takes the psalms of the 29th and the 30th.
constexpr std::array<TehillimDay, kTehillimDays> TehillimMonth = {{
    {1, 0, 9, 0},        // 1
    {10, 0, 17, 0},      // 2
    {18, 0, 22, 0},      // 3
    {23, 0, 28, 0},      // 4
    {29, 0, 34, 0},      // 5
    {35, 0, 38, 0},      // 6
    {39, 0, 43, 0},      // 7
    {44, 0, 48, 0},      // 8
    {49, 0, 54, 0},      // 9
    {55, 0, 59, 0},      // 10
    {60, 0, 65, 0},      // 11
    {66, 0, 68, 0},      // 12
    {69, 0, 71, 0},      // 13
    {72, 0, 76, 0},      // 14
    {77, 0, 78, 0},      // 15
    {79, 0, 82, 0},      // 16
    {83, 0, 87, 0},      // 17
    {88, 0, 89, 0},      // 18
    {90, 0, 96, 0},      // 19
    {97, 0, 103, 0},     // 20
    {104, 0, 105, 0},    // 21
    {106, 0, 107, 0},    // 22
    {108, 0, 112, 0},    // 23
    {113, 0, 118, 0},    // 24
    {119, 1, 119, 96},   // 25: the first half of psalm 119
    {119, 97, 119, 176}, // 26: its second half
    {120, 0, 134, 0},    // 27: the songs of ascents
    {135, 0, 139, 0},    // 28
    {140, 0, 144, 0},    // 29
    {145, 0, 150, 0},    // 30
}};

constexpr bool TehillimInOrder() {
  int next = 1;  // first psalm not yet read
  for (const TehillimDay& day : TehillimMonth) {
    const bool continuesPsalm = day.firstVerse > 1;
    if (day.firstPsalm != (continuesPsalm ? next - 1 : next)) return false;
    next = day.lastPsalm + 1;
  }
  return next == 151;
}
static_assert(TehillimInOrder(), "the month covers the 150 psalms in order");

}  // namespace calendar::detail
