// The day report window: the zmanim, the Torah and Haftarah readings, the
// halakha and the daily learning of the selected day, as up to four lists
// in a window of their own.
#pragma once

// Opens the report of the selected day (app/selected_date.h) in a new window
// over the main window and returns once it is shown; several reports can be
// open at once.
void showYom();
