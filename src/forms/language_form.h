// The language dialog without its widgets: the interface language and
// "Hebrew dates in Hebrew numerals". The check box shows what the numerals
// will be; until the user changes it, it follows the language chosen (on for
// Yiddish and Hebrew, off for English), and once changed it is the user's
// choice in every language.
#pragma once

#include "base/settings.h"

class LanguageForm {
 public:
  // The settings as the dialog opens.
  LanguageForm(int language, int numeralsChoice) : language_(language), numerals_(numeralsChoice) {}
  static LanguageForm FromSettings() { return LanguageForm(getLanguage(), getHebrewNumerals()); }

  int language() const { return language_; }
  // The stored choice: kHebrewNumeralsByLanguage, kHebrewNumeralsOff or kHebrewNumeralsOn.
  int numeralsChoice() const { return numerals_; }
  // Whether the check box is on.
  bool numeralsShown() const { return HebrewNumeralsFor(numerals_, language_); }

  void ChooseLanguage(int language) { language_ = language; }
  // The check box is now `on`. Setting it to what it shows already (as the
  // dialog does after a change of language) leaves the choice as it was.
  void ShowNumerals(bool on) {
    if (on != numeralsShown()) numerals_ = on ? kHebrewNumeralsOn : kHebrewNumeralsOff;
  }

  // Writes the language and the choice into the settings.
  void Store() const {
    setLanguage(language_);
    setHebrewNumerals(numerals_);
  }

 private:
  int language_;
  int numerals_;
};
