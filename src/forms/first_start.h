// The place and language a new user is offered before anything shows a
// time: the city of the system's time zone (the most populous city of the
// city file in that zone) and the language of the locale. A system whose
// zone no city has (Etc/UTC) is offered the city of the settings' default,
// so nothing changes for it.
#pragma once

#include <string>

struct PlaceProposal {
  std::string city;  // as the city file writes it (ISO-8859-1)
  std::string zone;  // the system's zone the city was found by, or "" when none
  int language = 0;  // kLanguageEnglish, kLanguageYiddish or kLanguageHebrew
};

// The system's time zone: TZ (without a leading ':') when the database knows
// it, else the zone /etc/localtime links to, else /etc/timezone; the
// database's own name ("US/Eastern" is "America/New_York"), or "".
std::string SystemTimeZone();
// The language of the locale: LC_ALL, else LC_MESSAGES, else LANG; "he"
// Hebrew, "yi" Yiddish, anything else English.
int LocaleLanguage();
// The most populous city of `zone` in the city file, or "" when it has none.
std::string MostPopulousCity(const std::string& cityFile, const std::string& zone);
// The proposal for the settings as they are (a new user's defaults).
PlaceProposal ProposePlace();
// Takes the proposal (or the place the user chose instead) into the
// settings: the city, its own candle minutes where its line has them, the
// language; the festivals follow the city.
void ApplyPlaceProposal(const PlaceProposal& place);
// True when the settings file did not exist when the settings were read: the
// first start, when the proposal is offered.
bool FirstStart();
