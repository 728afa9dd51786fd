// The choice of opinion for each of the zmanim that have several.
#pragma once

// Runs the dialog; the choices are written to the settings file at once.
// 1 when it ended with OK, 0 otherwise.
int ZmanimdlgDoDialog();
