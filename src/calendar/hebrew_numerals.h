// Numbers and Hebrew dates in Hebrew numerals, as a luach prints them:
// letters with a geresh after a single letter (א׳, י׳, ל׳) and gershayim
// before the last of several (י״א, כ״ה, תשפ״ז). 15 and 16 are ט״ו and ט״ז,
// also inside larger numbers (קט״ו). The letters are never final forms
// (תש״פ, not תש״ף). Thousands are a letter with a geresh before the rest
// (5787 is ה׳תשפ״ז); a year is usually written without them (תשפ״ז).
//
// Numbers outside 1..9999 (0, negative, 10000 and more) have no Hebrew
// numeral here: they are written in decimal digits ("0", "-3", "12000"), so
// a text never loses a number and nothing fails.
#pragma once

#include <string>

enum class HebrewThousands {
  kWrite,  // 5787 -> ה׳תשפ״ז
  kOmit,   // 5787 -> תשפ״ז; an exact thousand (5000) keeps its letter: ה׳
};

// Hebrew numeral of 1..9999; decimal digits for any other number.
// Examples: 1 -> א׳, 15 -> ט״ו, 115 -> קט״ו, 5787 -> ה׳תשפ״ז (תשפ״ז with kOmit).
std::string HebrewNumeral(int number, HebrewThousands thousands = HebrewThousands::kWrite);

// A Hebrew day of month 1..30: א׳ .. ל׳ (ט״ו, ט״ז); decimal digits otherwise.
std::string HebrewDayNumeral(int day);

// The month's name in Hebrew for months 1..13 (Nisan = 1 .. Adar = 12,
// Adar II = 13): ניסן .. אדר; month 12 is אדר א׳ in a leap year, month 13
// is אדר ב׳. Heshvan is written חשון. Empty for any other month number.
std::string HebrewMonthNameInHebrew(int month, int year);

// A Hebrew date as a luach writes it: day, month name, year, separated by
// blanks, e.g. (25, 9, 5787) -> "כ״ה כסלו תשפ״ז", with kWrite
// "כ״ה כסלו ה׳תשפ״ז". A day or year outside its range is written in
// digits, a month outside 1..13 as its number. The date is not checked
// against the calendar (30 Heshvan of a short year is written as given).
std::string HebrewDateInHebrew(int day, int month, int year,
                               HebrewThousands thousands = HebrewThousands::kOmit);
