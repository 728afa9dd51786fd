// The anniversaries dialog: the list of anniversaries, birthdays and
// yortsayt dates with the next day of each, Add / Modify / Remove through the
// edit dialog, and the days of one entry over a range of years.
#pragma once

#include <optional>

#include "calendar/types.h"
#include "storage/anniversaries.h"

// Runs the dialog until it is closed; the list is then written back to the
// anniversaries file (a failure to write is shown to the user).
void AnniDoDialog();
// Runs the edit dialog on `rec`. 1 when the user confirmed valid data (then
// `rec` holds it), 0 when cancelled (`rec` unchanged).
int AnniDoEdit(AnniversaryRec& rec);

namespace dialogs {
// Makes the dialog take `today` as today's date instead of the clock's
// (nullopt: the clock again). For tests.
void SetAnniversariesTodayForTesting(std::optional<GregorianDate> today);
}  // namespace dialogs
