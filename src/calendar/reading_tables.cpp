#include "calendar/reading_tables.h"

// Verse ranges are written "Book chapter:verse-verse" inside one chapter and
// "Book chapter:verse - chapter:verse" across chapters; the parts of a
// reading are separated by "; " and each names its book. A Haftarah whose
// Sephardi custom differs carries it in parentheses. Example dates in the
// comments are Diaspora dates of 5785 (2024/25) unless another year is named.

// clang-format off
constexpr std::array<ReadingRow, 120> ReadingTorahDiaspora = {{
    {0, "Bereshith, Genesis 1:1 - 6:8"},                            // 26 Oct 2024
    {1, "Noah, Genesis 6:9 - 11:32"},                               // 2 Nov 2024
    {2, "Le'h Leha, Genesis 12:1 - 17:27"},                         // 9 Nov 2024
    {3, "Vayera, Genesis 18:1 - 22:24"},                            // 16 Nov 2024
    {4, "Haye Sarah, Genesis 23:1 - 25:18"},                        // 23 Nov 2024
    {5, "Toledoth, Genesis 25:19 - 28:9"},                          // 30 Nov 2024
    {6, "Vayetse, Genesis 28:10 - 32:3"},                           // 7 Dec 2024
    {7, "Vayishlah, Genesis 32:4 - 36:43"},                         // 14 Dec 2024
    {8, "Vayesheb, Genesis 37:1 - 40:23"},                          // 21 Dec 2024
    {9, "Mikkets, Genesis 41:1 - 44:17"},                           // 28 Dec 2024
    {10, "Vayiggash, Genesis 44:18 - 47:27"},                       // 4 Jan 2025
    {11, "Vayhee, Genesis 47:28 - 50:26"},                          // 11 Jan 2025
    {12, "Shemoth, Exodus 1:1 - 6:1"},                              // 18 Jan 2025
    {13, "Vaera, Exodus 6:2 - 9:35"},                               // 25 Jan 2025
    {14, "Bo, Exodus 10:1 - 13:16"},                                // 1 Feb 2025
    {15, "Beshallah, Shabbat Shirah, Exodus 13:17 - 17:16"},        // 8 Feb 2025
    {16, "Yithro, Exodus 18:1 - 20:23"},                            // 15 Feb 2025
    {17, "Mishpatim, Exodus 21:1 - 24:18"},                         // 22 Feb 2025
    {18, "Terumah, Exodus 25:1 - 27:19"},                           // 1 Mar 2025
    {19, "Tetsavveh, Exodus 27:20 - 30:10"},                        // 8 Mar 2025
    {20, "Ki Tissa, Exodus 30:11 - 34:35"},                         // 15 Mar 2025
    {21, "Vayakhel, Exodus 35:1 - 38:20"},                          // 22 Mar 2025
    {22, "Pekude, Exodus 38:21 - 40:38"},                           // 29 Mar 2025
    {23, "Vayikra, Leviticus 1:1 - 5:26"},                          // 5 Apr 2025
    {24, "Tsav, Leviticus 6:1 - 8:36"},                             // 12 Apr 2025
    {25, "Shemini, Leviticus 9:1 - 11:47"},                         // 26 Apr 2025
    {26, "Tazria, Leviticus 12:1 - 13:59"},                         // 3 May 2025, with Metsora
    {27, "Metsora, Leviticus 14:1 - 15:33"},                        // 3 May 2025, with Tazria
    {28, "Aharemoth, Leviticus 16:1 - 18:30"},                      // 10 May 2025, with Kedoshim
    {29, "Kedoshim, Leviticus 19:1 - 20:27"},                       // 10 May 2025, with Aharemoth
    {30, "Emor, Leviticus 21:1 - 24:23"},                           // 17 May 2025
    {31, "Behar, Leviticus 25:1 - 26:2"},                           // 24 May 2025, with Behukkothai
    {32, "Behukkothai, Leviticus 26:3 - 27:34"},                    // 24 May 2025, with Behar
    {33, "Bemidbar, Numbers 1:1 - 4:20"},                           // 31 May 2025
    {34, "Naso, Numbers 4:21 - 7:89"},                              // 7 Jun 2025
    {35, "Behaaloteha, Numbers 8:1 - 12:16"},                       // 14 Jun 2025
    {36, "Shelah Leha, Numbers 13:1 - 15:41"},                      // 21 Jun 2025
    {37, "Korah, Numbers 16:1 - 18:32"},                            // 28 Jun 2025
    {38, "Hukath, Numbers 19:1 - 22:1"},                            // 5 Jul 2025
    {39, "Balak, Numbers 22:2 - 25:9"},                             // 12 Jul 2025
    {40, "Pinhas, Numbers 25:10 - 30:1"},                           // 19 Jul 2025
    {41, "Matoth, Numbers 30:2 - 32:42"},                           // 26 Jul 2025, with Maseh
    {42, "Maseh, Numbers 33:1 - 36:13"},                            // 26 Jul 2025, with Matoth
    {43, "Debarim, Shabbat Khazon, Deuteronomy 1:1 - 3:22"},        // 2 Aug 2025
    {44, "Vaethanan, Shabbat Nakhamu, Deuteronomy 3:23 - 7:11"},    // 9 Aug 2025
    {45, "Ekeb, Deuteronomy 7:12 - 11:25"},                         // 16 Aug 2025
    {46, "Reeh, Deuteronomy 11:26 - 16:17"},                        // 23 Aug 2025
    {47, "Shofetim, Deuteronomy 16:18 - 21:9"},                     // 30 Aug 2025
    {48, "Ki Tetse, Deuteronomy 21:10 - 25:19"},                    // 6 Sep 2025
    {49, "Ki Tabo, Deuteronomy 26:1 - 29:8"},                       // 13 Sep 2025
    {50, "Nitsabim, Deuteronomy 29:9 - 30:20"},                     // 20 Sep 2025
    {51, "Vayeleh, Deuteronomy 31:1-30"},                           // 27 Sep 2025
    {52, "Haazinu, Deuteronomy 32:1-52"},                           // 5 Oct 2024
    {53, "Simkhat Tora, Deuteronomy 33:1-end"},                     // 23 Tishri, 25 Oct 2024
    {54, "Genesis 1:1 - 2:3"},                                      // its second part
    {55, "Numbers 29:35 - 30:1"},                                   // its third part
    {60, "Rosh Khodesh, Numbers 28:9-15"},                          // Shabbat 1 Adar I, 10 Feb 2024
    {61, "Shabbat Shekalim, Exodus 30:11-16"},                      // 22 Feb 2025
    {62, "Shabbat Zakhor, Deuteronomy 25:17-19"},                   // 8 Mar 2025
    {63, "Shabbat Parah, Numbers 19:1-22"},                         // 22 Mar 2025
    {64, "Shabbat Hakhodesh, Exodus 12:1-20"},                      // 29 Mar 2025
    {65, "Shabbat HaGadol"},                                        // 12 Apr 2025
    {66, "Shabbat Shuva"},                                          // 5 Oct 2024
    {70, "Rosh HaShana I, Genesis 21:1-34; Numbers 29:1-6"},        // 3 Oct 2024
    {71, "Rosh HaShana II, Genesis 22:1-24; Numbers 29:1-6"},       // 4 Oct 2024
    {72, "Tsom Gedalya, Morning: Exodus 32:11-14 and Exodus 34:1-10; Afternoon: Exodus 32:11-14 and Exodus 34:1-10"},  // 6 Oct 2024
    {73, "Yom Kippur, Morning: Leviticus 16:1-34; Numbers 29:7-11; Afternoon: Leviticus 18:1-30"},  // 12 Oct 2024
    {74, "Sukkot I, Leviticus 22:26 - 23:44; Numbers 29:12-16"},    // 17 Oct 2024
    {75, "Sukkot II, Leviticus 22:26 - 23:44; Numbers 29:12-16"},   // 18 Oct 2024
    {76, "Sukkot III, Numbers 29:17-25"},                           // 17 Tishri on a weekday, 9 Oct 2025
    {77, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:17-22"},  // 17 Tishri, 19 Oct 2024
    {78, "Sukkot IV, Numbers 29:20-28"},                            // 20 Oct 2024
    {79, "Sukkot V, Numbers 29:23-31"},                             // 21 Oct 2024
    {80, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:23-28"},  // 19 Tishri, 11 Oct 2025
    {81, "Sukkot VI, Numbers 29:26-34"},                            // 22 Oct 2024
    {82, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:26-31"},  // 20 Tishri, 15 Oct 2022
    {83, "Hoshana Rabba, Numbers 29:26-34"},                        // 23 Oct 2024
    {84, "Khol HaMoed Sukkot"},                                     // replaced by 77, 80 or 82
    {85, "Shemini Atseret, Deuteronomy 14:22 - 16:17; Numbers 29:35 - 30:1"},  // 24 Oct 2024
    {201, ""},                                                      // Simkhat Tora is a day of its own here
    {202, ""},
    {86, "Taanit Ester, Morning: Exodus 32:11-14 and Exodus 34:1-10; Afternoon: Exodus 32:11-14 and Exodus 34:1-10"},  // 13 Mar 2025
    {87, "Purim, Exodus 17:8-16"},                                  // 14 Mar 2025
    {88, "Tsom Tevet, Morning: Exodus 32:11-14 and Exodus 34:1-10; Afternoon: Exodus 32:11-14 and Exodus 34:1-10"},  // 10 Jan 2025
    {89, "Pesakh I, Exodus 12:21-51; Numbers 28:16-25"},            // 13 Apr 2025
    {90, "Shabbat Khol HaMoed Pesakh, Exodus 33:12 - 34:26; Numbers 28:19-25"},  // 27 Apr 2024
    {91, "Pesakh VII, Exodus 13:17 - 15:26; Numbers 28:19-25"},     // 19 Apr 2025
    {92, "Pesakh VIII, Deuteronomy 14:22 - 16:17; Numbers 28:19-25"},  // on Shabbat, 23 Apr 2022
    {93, "Pesakh VIII, Deuteronomy 15:19 - 16:17; Numbers 28:19-25"},  // 20 Apr 2025
    {94, "Shavuot I, Exodus 19:1 - 20:23; Numbers 28:26-31"},       // 2 Jun 2025
    {95, "Shavuot II, Deuteronomy 15:19 - 16:17; Numbers 28:26-31"},  // 3 Jun 2025
    {96, "Shavuot II, Deuteronomy 14:22 - 16:17; Numbers 28:26-31"},  // on Shabbat, 27 May 2023
    {97, "Yom HaAtsmaut, Deuteronomy 7:12 - 8:18"},                 // 1 May 2025
    {98, "Tsom Tammuz, Morning: Exodus 32:11-14 and Exodus 34:1-10; Afternoon: Exodus 32:11-14 and Exodus 34:1-10"},  // 13 Jul 2025
    {99, "Tisha BeAv, Morning: Deuteronomy 4:25-40; Afternoon: Exodus 32:11-14 and Exodus 34:1-10"},  // 3 Aug 2025
    {100, "Khanukka I, Numbers 7:1-17"},                            // 26 Dec 2024
    {101, "Khanukka II, Numbers 7:18-29"},                          // 27 Dec 2024
    {102, "Khanukka III, Numbers 7:24-35"},                         // 28 Dec 2024
    {103, "Khanukka IV, Numbers 7:30-41"},                          // 29 Dec 2024
    {104, "Khanukka V, Numbers 7:36-47"},                           // 30 Dec 2024
    {105, "Khanukka VI, Numbers 7:42-47"},                          // on Shabbat, 28 Dec 2019 (the sixth day is always Rosh Khodesh)
    {106, "Khanukka VI, Numbers 7:42-47"},                          // on Rosh Khodesh, 31 Dec 2024
    {107, "Khanukka VII, Numbers 7:48-59"},                         // 2 Tevet, 14 Dec 2023
    {108, "Khanukka VII, Numbers 7:48-53"},                         // on Rosh Khodesh, 1 Jan 2025
    {109, "Khanukka VIII, Numbers 7:54 - 8:4"},                     // 2 Jan 2025
    {110, "Khanukka VIII, Numbers 7:54 - 8:4"},                     // the eighth day never falls on Rosh Khodesh
    {111, "Rosh Khodesh, Numbers 28:1-15"},                         // a weekday Rosh Khodesh, 1 Nov 2024
    {112, "Pesakh II, Leviticus 22:26 - 23:44; Numbers 28:16-25"},  // 14 Apr 2025
    {113, "Pesakh III, Exodus 13:1-16; Numbers 28:19-25"},          // 15 Apr 2025
    {115, "Pesakh IV, Exodus 22:24 - 23:19; Numbers 28:19-25"},     // 16 Apr 2025
    {116, "Pesakh IV, Exodus 13:1-16; Numbers 28:19-25"},           // 18 Nisan on a Sunday, 12 Apr 2020
    {118, "Pesakh V, Exodus 34:1-26; Numbers 28:19-25"},            // 17 Apr 2025
    {119, "Pesakh V, Exodus 22:24 - 23:19; Numbers 28:19-25"},      // 19 Nisan on a Monday, 13 Apr 2020
    {120, "Pesakh VI, Numbers 9:1-14; Numbers 28:19-25"},           // 18 Apr 2025
    {121, "Khanukka II, Numbers 7:18-23"},                          // the maftir on Shabbat, 9 Dec 2023
    {122, "Khanukka III, Numbers 7:24-29"},                         // on Shabbat, 28 Dec 2024
    {123, "Khanukka IV, Numbers 7:30-35"},                          // on Shabbat, 16 Dec 2028
    {124, "Khanukka V, Numbers 7:36-41"},                           // never on Shabbat: 25 Kislev is no Tuesday
    {125, "Khanukka I, Numbers 6:22 - 7:17"},                       // the Sephardic first day, 15 Dec 2025
    {kReadingTableEnd, ""},
}};

// Israel: one festival day less, Simkhat Tora on Shemini Atseret, each
// weekday of Khol HaMoed Sukkot reads the offering of that day alone, and
// Khol HaMoed Pesakh keeps its order of readings when 17 Nisan is a Shabbat
// (16 Nisan has already read Leviticus 22:26).
constexpr std::array<ReadingRow, 31> ReadingTorahIsrael = {{
    {89, "Pesakh I, Exodus 12:21-51; Numbers 28:16-25"},            // 13 Apr 2025
    {112, "Pesakh II, Leviticus 22:26 - 23:44; Numbers 28:19-25"},  // first day of Khol HaMoed, 14 Apr 2025
    {113, "Pesakh III, Exodus 13:1-16; Numbers 28:19-25"},          // 15 Apr 2025
    {115, "Pesakh IV, Exodus 22:24 - 23:19; Numbers 28:19-25"},     // 16 Apr 2025
    {118, "Pesakh V, Exodus 34:1-26; Numbers 28:19-25"},            // 17 Apr 2025
    {120, "Pesakh VI, Numbers 9:1-14; Numbers 28:19-25"},           // 18 Apr 2025
    {91, "Pesakh VII, Exodus 13:17 - 15:26; Numbers 28:19-25"},     // 19 Apr 2025
    {90, "Shabbat Khol HaMoed Pesakh, Exodus 33:12 - 34:26; Numbers 28:19-25"},  // 27 Apr 2024
    {92, "(none)"},                                                 // no eighth day
    {93, "(none)"},
    {74, "Sukkot I, Leviticus 22:26 - 23:44; Numbers 29:12-16"},    // 17 Oct 2024
    {75, "Sukkot II, Numbers 29:17-19"},                            // 18 Oct 2024
    {76, "Sukkot III, Numbers 29:20-22"},                           // 9 Oct 2025
    {77, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:20-22"},  // 19 Oct 2024
    {78, "Sukkot IV, Numbers 29:23-25"},                            // 20 Oct 2024
    {79, "Sukkot V, Numbers 29:26-28"},                             // 21 Oct 2024
    {80, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:26-28"},  // 11 Oct 2025
    {81, "Sukkot VI, Numbers 29:29-31"},                            // 22 Oct 2024
    {82, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:29-31"},  // 15 Oct 2022
    {83, "Hoshana Rabba, Numbers 29:32-34"},                        // 23 Oct 2024
    {84, "Khol HaMoed Sukkot"},
    {85, "Shemini Atseret/Simkhat Tora"},                           // 24 Oct 2024
    {201, "Deuteronomy 33:1 - 34:12"},
    {202, "Genesis 1:1 - 2:3; Numbers 29:35 - 30:1"},
    {53, "(none)"},                                                 // no separate Simkhat Tora
    {54, "(none)"},
    {55, "(none)"},
    {94, "Shavuot, Exodus 19:1 - 20:23; Numbers 28:26-31"},         // 2 Jun 2025
    {95, "(none)"},                                                 // no second day
    {96, "(none)"},
    {kReadingTableEnd, ""},
}};

constexpr std::array<ReadingRow, 126> ReadingHaftarahDiaspora = {{
    {0, "Isaiah 42:5 - 43:10 (Sephardi ritual: Isaiah 42:5-21)"},   // Bereshith
    {1, "Isaiah 54:1 - 55:5 (Sephardi ritual: Isaiah 54:1-10)"},    // Noah
    {2, "Isaiah 40:27 - 41:16"},                                    // Le'h Leha
    {3, "II Kings 4:1-37 (Sephardi ritual: II Kings 4:1-23)"},      // Vayera
    {4, "I Kings 1:1-31"},                                          // Haye Sarah
    {5, "Malachi 1:1 - 2:7"},                                       // Toledoth
    {6, "Hosea 12:13 - 14:10 (Sephardi ritual: Hosea 11:7 - 12:12)"},  // Vayetse
    {7, "Obadiah 1:1-21"},                                          // Vayishlah
    {8, "Amos 2:6 - 3:8"},                                          // Vayesheb
    {9, "I Kings 3:15 - 4:1"},                                      // Mikkets
    {10, "Ezekiel 37:15-28"},                                       // Vayiggash
    {11, "I Kings 2:1-12"},                                         // Vayhee
    {12, "Isaiah 27:6 - 28:13; Isaiah 29:22-23 (Sephardi ritual: Jeremiah 1:1 - 2:3)"},  // Shemoth
    {13, "Ezekiel 28:25 - 29:21"},                                  // Vaera
    {14, "Jeremiah 46:13-28"},                                      // Bo
    {15, "Judges 4:4 - 5:31 (Sephardi ritual: Judges 5:1-31)"},     // Beshallah
    {16, "Isaiah 6:1 - 7:6; Isaiah 9:5-6 (Sephardi ritual: Isaiah 6:1-13)"},  // Yithro
    {17, "Jeremiah 34:8-22; Jeremiah 33:25-26"},                    // Mishpatim
    {18, "I Kings 5:26 - 6:13"},                                    // Terumah
    {19, "Ezekiel 43:10-27"},                                       // Tetsavveh
    {20, "I Kings 18:1-39 (Sephardi ritual: I Kings 18:20-39)"},    // Ki Tissa
    {21, "I Kings 7:40-50 (Sephardi ritual: I Kings 7:13-26)"},     // Vayakhel
    {22, "I Kings 7:51 - 8:21 (Sephardi ritual: I Kings 7:40-50)"},  // Pekude
    {23, "Isaiah 43:21 - 44:23"},                                   // Vayikra
    {24, "Jeremiah 7:21 - 8:3; Jeremiah 9:22-23"},                  // Tsav
    {25, "II Samuel 6:1 - 7:17 (Sephardi ritual: II Samuel 6:1-19)"},  // Shemini
    {26, "II Kings 4:42 - 5:19"},                                   // Tazria
    {27, "II Kings 7:3-20"},                                        // Metsora
    {28, "Amos 9:7-15 (Sephardi ritual: Ezekiel 22:1-16)"},         // Aharemoth
    {29, "Ezekiel 22:1-19 (Sephardi ritual: Ezekiel 20:2-20)"},     // Kedoshim
    {30, "Ezekiel 44:15-31"},                                       // Emor
    {31, "Jeremiah 32:6-27"},                                       // Behar
    {32, "Jeremiah 16:19 - 17:14"},                                 // Behukkothai
    {33, "Hosea 2:1-22"},                                           // Bemidbar
    {34, "Judges 13:2-25"},                                         // Naso
    {35, "Zechariah 2:14 - 4:7"},                                   // Behaaloteha
    {36, "Joshua 2:1-24"},                                          // Shelah Leha
    {37, "I Samuel 11:14 - 12:22"},                                 // Korah
    {38, "Judges 11:1-33"},                                         // Hukath
    {39, "Micah 5:6 - 6:8"},                                        // Balak
    {40, "I Kings 18:46 - 19:21"},                                  // Pinhas
    {41, "Jeremiah 1:1 - 2:3"},                                     // Matoth
    {42, "Jeremiah 2:4-28; Jeremiah 3:4 (Sephardi ritual: Jeremiah 2:4-28; Jeremiah 4:1-2)"},  // Maseh
    {43, "Isaiah 1:1-27"},                                          // Debarim
    {44, "Isaiah 40:1-26"},                                         // Vaethanan
    {45, "Isaiah 49:14 - 51:3"},                                    // Ekeb
    {46, "Isaiah 54:11 - 55:5"},                                    // Reeh
    {47, "Isaiah 51:12 - 52:12"},                                   // Shofetim
    {48, "Isaiah 54:1-10"},                                         // Ki Tetse
    {49, "Isaiah 60:1-22"},                                         // Ki Tabo
    {50, "Isaiah 61:10 - 63:9"},                                    // Nitsabim
    {51, "Isaiah 55:6 - 56:8"},                                     // Vayeleh
    {52, "II Samuel 22:1-51"},                                      // Haazinu
    {53, "Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)"},          // Simkhat Tora
    {54, "(none)"},
    {55, "(none)"},
    {60, "(none)"},  // Shabbat Rosh Khodesh reads 300 or adds 302
    {61, "II Kings 12:1-17 (Sephardi ritual: II Kings 11:17 - 12:17)"},  // Shekalim
    {62, "I Samuel 15:2-34 (Sephardi ritual: I Samuel 15:1-34)"},   // Zakhor
    {63, "Ezekiel 36:16-38 (Sephardi ritual: Ezekiel 36:16-36)"},   // Parah
    {64, "Ezekiel 45:16 - 46:18 (Sephardi ritual: Ezekiel 45:18 - 46:15)"},  // Hakhodesh
    {65, "Malachi 3:4-24"},                                         // Shabbat HaGadol
    {66, "Hosea 14:2-10; Micah 7:18-20 or Hosea 14:2-10; Joel 2:15-27"},  // Shabbat Shuva
    {300, "Isaiah 66:1-24"},                                        // Shabbat Rosh Khodesh
    {301, "I Samuel 20:18-42"},                                     // Shabbat before Rosh Khodesh
    {302, "Isaiah 66, 1 & 23"},                                     // added on Shabbat Rosh Khodesh
    {303, "I Samuel 20, 18 & 42"},                                  // added on the Shabbat before
    {304, "Zechariah 2:14 - 4:7"},                                  // first Shabbat of Khanukka
    {305, "I Kings 7:40-50"},                                       // second Shabbat of Khanukka
    {306, "Amos 9:7-15 (Sephardi ritual: Ezekiel 22:1-16)"},        // Aharemoth alone
    {307, "Amos 9:7-15 (Sephardi ritual: Ezekiel 20:2-20)"},        // Kedoshim alone, or with Aharemoth
    {308, "Ezekiel 22:1-19 (Sephardi ritual: Ezekiel 20:2-20)"},    // Kedoshim after Aharemoth read its own
    {309, "I Kings 18:46 - 19:21"},                                 // Pinhas before 17 Tammuz
    {310, "Jeremiah 1:1 - 2:3"},                                    // first Shabbat of the three weeks
    {311, "Jeremiah 2:4-28; Jeremiah 3:4 (Sephardi ritual: Jeremiah 2:4-28; Jeremiah 4:1-2)"},  // second Shabbat
    {312, "Hosea 14:2-10; Micah 7:18-20 or Hosea 14:2-10; Joel 2:15-27"},  // Shabbat Shuva
    {70, "I Samuel 1:1 - 2:10"},                                    // Rosh HaShana I
    {71, "Jeremiah 31:2-20"},                                       // Rosh HaShana II
    {72, "Afternoon: Isaiah 55:6 - 56:8"},                          // Tsom Gedalya
    {73, "Morning: Isaiah 57:14 - 58:14; Afternoon: Jonah 1:1 - 4:11; Micah 7:18-20"},  // Yom Kippur
    {74, "Zechariah 14:1-21"},                                      // Sukkot I
    {75, "I Kings 8:2-21"},                                         // Sukkot II
    {76, "(none)"},                                                 // weekdays of Khol HaMoed
    {77, "Ezekiel 38:18 - 39:16"},                                  // Shabbat Khol HaMoed Sukkot
    {78, "(none)"},
    {79, "(none)"},
    {80, "Ezekiel 38:18 - 39:16"},
    {81, "(none)"},
    {82, "Ezekiel 38:18 - 39:16"},
    {83, "(none)"},                                                 // Hoshana Rabba
    {84, "Ezekiel 38:18 - 39:16"},
    {200, "I Kings 8:54-66"},                                       // Shemini Atseret
    {86, "Afternoon: Isaiah 55:6 - 56:8"},                          // Taanit Ester
    {87, "(none)"},                                                 // Purim
    {88, "Afternoon: Isaiah 55:6 - 56:8"},                          // Tsom Tevet
    {89, "Joshua 3:5-7; Joshua 5:2 - 6:1; Joshua 6:27 (Sephardi ritual: Joshua 5:2 - 6:1; Joshua 6:27)"},  // Pesakh I
    {90, "Ezekiel 37:1-14"},                                        // Shabbat Khol HaMoed Pesakh
    {91, "II Samuel 22:1-51"},                                      // Pesakh VII
    {92, "Isaiah 10:32 - 12:6"},                                    // Pesakh VIII
    {93, "Isaiah 10:32 - 12:6"},
    {94, "Ezekiel 1:1-28; Ezekiel 3:12"},                           // Shavuot I
    {95, "Habakkuk 3:1-19 (Sephardi ritual: Habakkuk 2:20 - 3:19)"},  // Shavuot II
    {96, "Habakkuk 3:1-19 (Sephardi ritual: Habakkuk 2:20 - 3:19)"},
    {97, "Isaiah 10:32 - 12:6"},                                    // Yom HaAtsmaut
    {98, "Afternoon: Isaiah 55:6 - 56:8"},                          // Tsom Tammuz
    {99, "Morning: Jeremiah 8:13 - 9:23; Afternoon: Isaiah 55:6 - 56:8"},  // Tisha BeAv
    {100, "(none)"},                                                // Khanukka weekdays
    {101, "(none)"},
    {102, "(none)"},
    {103, "(none)"},
    {104, "(none)"},
    {105, "(none)"},
    {106, "(none)"},
    {107, "(none)"},
    {108, "(none)"},
    {109, "(none)"},
    {110, "(none)"},
    {111, "(none)"},                                                // weekday Rosh Khodesh
    {112, "II Kings 23:1-9; II Kings 23:21-25"},                    // Pesakh II
    {113, "(none)"},                                                // Khol HaMoed Pesakh
    {115, "(none)"},
    {116, "(none)"},
    {118, "(none)"},
    {119, "(none)"},
    {120, "(none)"},
    {kReadingTableEnd, ""},
}};

constexpr std::array<ReadingRow, 27> ReadingHaftarahIsrael = {{
    {89, "Joshua 3:5-7; Joshua 5:2 - 6:1; Joshua 6:27 (Sephardi ritual: Joshua 5:2 - 6:1; Joshua 6:27)"},  // Pesakh I
    {112, "(none)"},                                                // Khol HaMoed from 16 Nisan
    {113, "(none)"},
    {115, "(none)"},
    {116, "(none)"},
    {118, "(none)"},
    {119, "(none)"},
    {120, "(none)"},
    {91, "II Samuel 22:1-51"},                                      // Pesakh VII
    {90, "Ezekiel 37:1-14"},                                        // Shabbat Khol HaMoed Pesakh
    {92, "(none)"},
    {93, "(none)"},
    {96, "(none)"},
    {95, "(none)"},
    {74, "Zechariah 14:1-21"},                                      // Sukkot I
    {75, "(none)"},                                                 // Khol HaMoed from 16 Tishri
    {76, "(none)"},
    {77, "Ezekiel 38:18 - 39:16"},
    {78, "(none)"},
    {79, "(none)"},
    {80, "Ezekiel 38:18 - 39:16"},
    {81, "(none)"},
    {82, "Ezekiel 38:18 - 39:16"},
    {83, "(none)"},
    {84, "Ezekiel 38:18 - 39:16"},
    {200, "Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)"},         // Shemini Atseret/Simkhat Tora
    {kReadingTableEnd, ""},
}};

// The reading of a holiday's day, in the order the rows are tried.
constexpr std::array<HolidayReadingRow, 37> HolidayRecs = {{
    {70, 0},     // Rosh HaShana I
    {71, 42},    // Rosh HaShana II
    {72, 31},    // Tsom Gedalya
    {73, 1},     // Yom Kippur
    {74, 2},     // Sukkot I
    {75, 3},     // Sukkot II / first day of Khol HaMoed
    {76, 4},     // 17 Tishri
    {78, 5},     // 18 Tishri
    {79, 6},     // 19 Tishri
    {81, 7},     // 20 Tishri
    {83, 8},     // Hoshana Rabba
    {200, 9},    // Shemini Atseret
    {53, 10},    // Simkhat Tora (Diaspora)
    {86, 29},    // Taanit Ester
    {87, 28},    // Purim
    {88, 32},    // Tsom Tevet
    {97, 37},    // Yom HaAtsmaut
    {94, 26},    // Shavuot I
    {95, 39},    // Shavuot II (Diaspora)
    {98, 33},    // Tsom Tammuz
    {99, 30},    // Tisha BeAv
    {100, 18},   // Khanukka I
    {101, 19},   // Khanukka II
    {102, 20},   // Khanukka III
    {103, 21},   // Khanukka IV
    {104, 22},   // Khanukka V
    {105, 23},   // Khanukka VI (106 on Rosh Khodesh)
    {107, 24},   // Khanukka VII (108 on Rosh Khodesh)
    {109, 25},   // Khanukka VIII
    {89, 11},    // Pesakh I
    {112, 12},   // Pesakh II / first day of Khol HaMoed
    {113, 13},   // 17 Nisan
    {114, 14},   // 18 Nisan: 115, or 116 on a Sunday
    {117, 15},   // 19 Nisan: 118, or 119 on a Monday
    {120, 16},   // 20 Nisan
    {91, 17},    // Pesakh VII
    {93, 40},    // Pesakh VIII (Diaspora)
}};

// clang-format on

namespace {

template <size_t N>
constexpr bool TextsFit(const std::array<ReadingRow, N>& table) {
  for (const ReadingRow& row : table)
    if (row.text.size() > kReadingTextMax) return false;
  return true;
}

template <size_t N>
constexpr bool EndsWithSentinelOnly(const std::array<ReadingRow, N>& table) {
  for (size_t i = 0; i + 1 < N; ++i)
    if (table[i].code == kReadingTableEnd) return false;
  return table[N - 1].code == kReadingTableEnd;
}

static_assert(TextsFit(ReadingTorahDiaspora) && TextsFit(ReadingTorahIsrael) &&
              TextsFit(ReadingHaftarahDiaspora) && TextsFit(ReadingHaftarahIsrael));
static_assert(EndsWithSentinelOnly(ReadingTorahDiaspora) && EndsWithSentinelOnly(ReadingTorahIsrael) &&
              EndsWithSentinelOnly(ReadingHaftarahDiaspora) && EndsWithSentinelOnly(ReadingHaftarahIsrael));

}  // namespace
