// The user's own places in the location dialog: the buttons "Add a
// place...", "Edit place..." and "Remove place" under the city list, and the
// place dialog they open (its checks are forms/place_form.h, the file
// storage/user_places.h).
#pragma once

#include <gtk/gtk.h>

// Adds the row of the three buttons to `rows`, working on the city picker
// `picker` (dialogs/city_picker.h): a place added or edited is saved in the
// city file and then chosen in the picker. Edit and Remove are offered only
// while a place the user added is chosen.
void AddPlaceButtonsRow(GtkWidget* rows, GtkWidget* picker);
