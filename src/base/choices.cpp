#include "base/choices.h"

const LanguageRow* FindLanguage(int language) {
  for (const LanguageRow& row : kLanguages)
    if (row.number == language) return &row;
  return nullptr;
}

std::string getLanguagePrefix(int language) {
  const LanguageRow* row = FindLanguage(language);
  return row ? std::string(row->prefix) : std::string();
}

bool isRightToLeftLanguage(int language) {
  const LanguageRow* row = FindLanguage(language);
  return row && row->rightToLeft;
}

bool HebrewNumeralsFor(int choice, int language) {
  if (choice == kHebrewNumeralsOff || choice == kHebrewNumeralsOn) return choice == kHebrewNumeralsOn;
  const LanguageRow* row = FindLanguage(language);
  return row && row->hebrewNumeralsByDefault;
}

bool WeekRightToLeftFor(int choice, int language) {
  if (choice == kWeekRightToLeftOff || choice == kWeekRightToLeftOn) return choice == kWeekRightToLeftOn;
  return isRightToLeftLanguage(language);
}
