// The screen font a user starts with. The settings name "Times New Roman",
// which many systems lack; there a family that shows Hebrew script takes its
// place, so Yiddish texts never depend on whatever the font system
// substitutes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The screen font of the settings' defaults.
inline constexpr std::string_view kDefaultScreenFont = "Times New Roman";

// Families that have Hebrew letters with their points, the Yiddish digraphs
// and Latin letters, in the order they are preferred in place of the
// default: a serif like it first (from culmus), then DejaVu Sans.
inline constexpr std::string_view kHebrewScreenFonts[] = {"Frank Ruehl CLM", "David CLM", "DejaVu Sans"};

// The family to use when `configured` is set: `configured` itself, unless it
// is the default (ignoring case) and not installed; then the first installed
// family of kHebrewScreenFonts, or still `configured` when none is.
std::string PickScreenFont(std::string_view configured, const std::function<bool(std::string_view)>& installed);
