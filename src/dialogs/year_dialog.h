// Choosing a year to view.
#pragma once

#include <string>

// Asks for a Gregorian year, preset with `currentYear`; returns the chosen
// year (1583..3000) or 0 when cancelled.
int DialogsDoYear(int currentYear);
