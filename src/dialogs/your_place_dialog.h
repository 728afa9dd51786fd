// The first start's question: "Your place". Before the month shows any time
// a new user chooses the city (proposed from the system's time zone) and the
// language (from the locale); the festivals follow the city. Cancel keeps
// the proposal.
#pragma once

#include "forms/first_start.h"

// Runs the dialog with `proposal` chosen and takes the answer into the
// settings (Cancel or closing the window: the proposal).
void AskYourPlace(const PlaceProposal& proposal);
