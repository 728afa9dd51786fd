// The location and Shabbat-times dialog: the city of all computed times,
// candle lighting in minutes before sunset, and the end of Shabbat in
// minutes after sunset or degrees below the horizon.
#pragma once

// Runs the dialog; 1 when the user confirmed valid input (the settings were
// changed), 0 when cancelled.
int DoConfigureShabbatTimes();
