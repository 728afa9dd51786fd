// Choosing a year to view.
#pragma once

#include <string>

// Asks for a Gregorian year, preset with `currentYear`; returns the chosen
// year (1583..3000) or 0 when cancelled.
int DialogsDoYear(int currentYear);

// The check of the year text: the year, or 0 with `error` set to the message.
int ParseYearText(const char* text, std::string* error);
