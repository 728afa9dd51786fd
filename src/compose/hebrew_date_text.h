// How Hebrew dates are written wherever the program shows one: in decimal
// digits with the month's name in the interface language ("25 Kislev 5787",
// in Yiddish "25 כּסלו 5787"), or, with "Hebrew dates in Hebrew numerals"
// on, as a luach writes them, wholly in Hebrew: "כ״ה כסלו תשפ״ז" (the month
// names in their Hebrew spelling in every language, as Yiddish luchot also
// write them). The month cells, the caption of the month view and of the
// printout, the report headings, the iCalendar export, the anniversaries
// dialog and lumaro-cli's today and upcoming take their text from here.
//
// Each function is told whether numerals are on (compose/options.h has the
// forms that follow the settings).
#pragma once

#include <string>

#include "calendar/hebrew_numerals.h"
#include "calendar/types.h"

// The Hebrew day number of a month cell: "25", with numerals "כ״ה".
std::string HebrewDayNumberText(int day, bool numerals);

// A Hebrew date: "25 Kislev 5787" (the month translated), with numerals
// "כ״ה כסלו תשפ״ז", or "כ״ה כסלו ה׳תשפ״ז" with `thousands` kWrite.
std::string HebrewDateText(const HebrewDate& h, bool numerals, HebrewThousands thousands = HebrewThousands::kOmit);

// A Hebrew date without its year, as a table of one year writes it: "25
// Kislev", with numerals "כ״ה כסלו".
std::string HebrewDayMonthText(const HebrewDate& h, bool numerals);

// The Hebrew dates a Gregorian month spans, the year written once where it
// does not change: "3 - 30 Shevat 5785", "1 Adar - 2 Nisan 5785",
// "8 Elul 5785 - 8 Tishri 5786"; with numerals "ג׳ - ל׳ שבט תשפ״ה",
// "א׳ אדר - ב׳ ניסן תשפ״ה", "ח׳ אלול תשפ״ה - ח׳ תשרי תשפ״ו".
std::string HebrewMonthRangeCaption(int month, int year, bool numerals);

// The caption of a Hebrew month of the month view, in two parts: the
// month's name ("Adar II", with numerals "אדר ב׳") and its year ("5784",
// with numerals "תשפ״ד"); the caption reads "<name> <year>".
std::string HebrewMonthNameText(int month, int year, bool numerals);
std::string HebrewYearText(int year, bool numerals);
// The Gregorian dates Hebrew month `month` of `year` spans, the month and
// year written once where they do not change: "9 April - 8 May 2024",
// "12 December 2023 - 10 January 2024", "1 - 30 March 2025" (month names
// translated; the days always in digits).
std::string HebrewMonthGregorianCaption(int month, int year);

// The Hebrew date a heading of the day report adds to its Gregorian date
// ("Halakha for date 7.12.2026 (27 Kislev 5787):"): in digits "27 Kislev
// 5787", with numerals the date with its thousands ("ה׳ טבת ה׳תשפ״ו").
std::string ReportHeadingHebrewDate(AbsoluteDay d, bool numerals);
