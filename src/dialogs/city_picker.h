// The city of the location dialog, chosen by searching: a field to type
// part of a name into and, below it, the cities whose names hold it (letter
// case and accents aside), each with its time zone.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "forms/shabbat_form.h"

// The picker for `cities`, with `current` (a name as listed) selected and in
// view.
GtkWidget* NewCityPicker(std::vector<CityChoice> cities, const std::string& current);
// The city chosen: the selected one; with nothing selected and nothing
// typed, the city the picker was opened with (which may be "" or a name the
// file no longer has); else "".
std::string CityPickerChoice(GtkWidget* picker);
// Calls `chosen` with the picker whenever another city becomes the chosen one.
void CityPickerOnChosen(GtkWidget* picker, void (*chosen)(GtkWidget* picker, gpointer data), gpointer data);
// Lists `cities` instead, with the search cleared and `selected` selected,
// in view, and the city chosen when nothing is selected. With `selected`
// "" the city the picker was opened with is selected again, or none when
// it is no longer listed.
void CityPickerSetCities(GtkWidget* picker, std::vector<CityChoice> cities, const std::string& selected);
// The search field and the list of the picker (for tests).
GtkWidget* CityPickerSearchField(GtkWidget* picker);
GtkWidget* CityPickerList(GtkWidget* picker);
