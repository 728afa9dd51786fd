// The daylight-saving dialog: whether daylight saving is considered, and the
// rule of its start and end, each by the "Common" method (n-th or last
// weekday of a month) or the "Israel" method.
#pragma once

// Runs the dialog; true when the user confirmed and the settings were changed.
bool DoConfigureDST();
