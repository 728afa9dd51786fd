// The application settings: process-wide values behind getters and setters,
// read from the settings file at start-up and written back at exit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/choices.h"


// Longest string setting in bytes; setters cut longer text at a character boundary.
constexpr size_t kSettingMaxBytes = 255;



// Sets every value to its default, then reads each from the settings file.
// Without a settings file (a new user) DSTAutomatic starts on.
void settingsInit();
// Writes every value back to the settings file. False when that failed.
bool settingsDone();
// Sets every value to its default without reading the file (tests, CLI).
void settingsReset();
// True when the settings file did not exist at the last settingsInit: a new
// user, whose place is still to be chosen.
bool settingsFileWasMissing();

// How the festivals are kept (setting "IsraelRules"): as the city's zone
// says ("city": Land of Israel rules in Asia/Jerusalem, the Diaspora's
// elsewhere; a new user's default), or by an explicit choice ("israel",
// "diaspora"). A settings file from before the setting keeps its "Diaspora"
// flag as an explicit choice; any other stored text reads the same way.
enum class IsraelRulesChoice { kCity, kIsrael, kDiaspora };
IsraelRulesChoice getIsraelRules();
void setIsraelRules(IsraelRulesChoice choice);
// The explicit flag ("Diaspora"), 1 = Diaspora rules, 0 = Land of Israel
// rules: what an explicit choice keeps, and what the file tells older
// readers (the rules in force when the settings were last written).
// Setting it makes the choice explicit.
int diasporaGetFlag();
void diasporaSetFlag(int flag);
// Notes the rules in force under "city" for older readers of the file,
// leaving the choice as it is.
void diasporaNoteFlag(int flag);
// Postpone Shushan Purim to Sunday when it falls on Shabbat.
int postponeShushanPurimGetFlag();
void postponeShushanPurimSetFlag(int flag);
// Yom HaAtsmaut and Yom Yerushalayim kept as the Chief Rabbinate's luach (1) or as weekdays (0).
int yomHaAtsmautLuachGetFlag();
void yomHaAtsmautLuachSetFlag(int flag);
// 1 = Sephardic, 2 = Ashkenazi.
int getStyle();
void setStyle(int style);
// Path of the city file.
std::string getCityFileName();
void setCityFileName(std::string_view name);
// Name of the selected city.
std::string getCity();
void setCity(std::string_view city);
// Candle lighting, minutes before sunset.
int getCandleLightingMin();
void setCandleLightingMin(int minutes);
// End of Shabbat: minutes after sunset, or degrees below the horizon (decimal text).
std::string getHavdalahValue();
void setHavdalahValue(std::string_view value);
// 1 when the havdalah value is in minutes, 0 when it is degrees.
int getHavdalahIsMin();
void setHavdalahIsMin(int flag);
// Apply the daylight-saving rule.
int getIsDST();
void setIsDST(int flag);
void getDSTstruct(DstSetting* dst);
DstSetting getDSTstruct();
void setDSTstruct(const DstSetting& dst);
// 1: times follow the city's own time zone from the system's time-zone
// database where the city file names one (the rule above serves the others).
// Off by default, on for a new user.
int getDSTAutomatic();
void setDSTAutomatic(int flag);
// 0 = 12-hour clock, 1 = 24-hour clock.
int getTimeFormat();
void setTimeFormat(int format);
// The sun calculation: kSunCalculationClassic (the almanac method in whole
// minutes, the default) or kSunCalculationPrecise (the NOAA solar equations
// to the second, rounded when shown). Any other stored text reads as classic.
std::string getSunCalculation();
void setSunCalculation(std::string_view name);
// 1: sunrise and sunset of the precise calculation are seen from the city's
// elevation (the horizon lowered by its dip); 0 (the default): at sea level.
int getSunElevation();
void setSunElevation(int flag);
// The name of the community preset of the zmanim last chosen ("ashkenazi",
// the default); the options it set may have been changed since.
std::string getZmanimPreset();
void setZmanimPreset(std::string_view name);
// Image painted behind the month view; may begin with "~/".
// The background image a new user's settings name; most users have none
// there, which is no fault.
inline constexpr std::string_view kDefaultBackgroundImage = "~/.lumaro/lumaro-background.png";
std::string getBackgroundImage();
void setBackgroundImage(std::string_view path);
// 1 = English, 2 = Yiddish, 3 = Hebrew.
int getLanguage();
void setLanguage(int language);
// Hebrew dates in Hebrew numerals: kHebrewNumeralsByLanguage (stored as -1,
// also what any other stored value reads as), kHebrewNumeralsOff or
// kHebrewNumeralsOn.
int getHebrewNumerals();
void setHebrewNumerals(int choice);
// The same for the current settings.
bool isHebrewNumerals();
// 1: the month view shows Hebrew months (1 Nisan .. 29 Nisan in one grid);
// 0 (the default): Gregorian months. Any non-zero flag stores 1.
int getHebrewMonthView();
void setHebrewMonthView(int flag);
// 1 (the default): the month view and its printout show the minor days and
// the moments of the moon and the sun (Yom Kippur Katan, Kiddush Levana,
// the tekufot, ...); 0: not. Any non-zero flag stores 1.
int getShowMinorDays();
void setShowMinorDays(int flag);
// The week of the month view and its printout: kWeekRightToLeftByLanguage
// (the default, stored as -1, also what any other stored value reads as),
// kWeekRightToLeftOff (Sunday at the left) or kWeekRightToLeftOn (Sunday at
// the right).
int getWeekRightToLeft();
void setWeekRightToLeft(int choice);
// Font family used on screen.
std::string getFontName();
void setFontName(std::string_view name);
// PostScript font program embedded in Yiddish printouts.
std::string getPrintYiddishFontFile();
void setPrintYiddishFontFile(std::string_view path);
// Whether a daily learning cycle is shown (1) or not (0), by the cycle's id
// ("daf-yomi", "mishna-yomit", ... as calendar/learning.h names them): Daf
// Yomi by default, none of the others. An unknown id reads as 0 and is not
// stored; any non-zero flag stores 1.
int getLearningFlag(std::string_view cycleId);
void setLearningFlag(std::string_view cycleId, int flag);

// The zmanim expressions of the special days' times; an empty text stands
// for the built-in default (suntimes/day_times.h).
// Fast begins on the minor fasts (default: alot haShakhar by the zmanim choice).
std::string getTimeFastBegins();
void setTimeFastBegins(std::string_view expression);
// Tisha BeAv begins, on the evening before (default: sunset).
std::string getTimeTishaBeAvBegins();
void setTimeTishaBeAvBegins(std::string_view expression);
// Fast ends (default: nightfall).
std::string getTimeFastEnds();
void setTimeFastEnds(std::string_view expression);
// Khanukka candles on Sunday..Thursday evenings (default: nightfall).
std::string getTimeKhanukka();
void setTimeKhanukka(std::string_view expression);
// Erev Pesakh: last time to eat khamets, and to burn it (default: the end of
// the 4th and 5th proportional hour by the kriat shema choice).
std::string getTimeKhametsEat();
void setTimeKhametsEat(std::string_view expression);
std::string getTimeKhametsBurn();
void setTimeKhametsBurn(std::string_view expression);

// When the Hebrew date shown for now turns to the next day: at the day's
// sunset (kDateTurnSunset, the default) or at its havdalah time
// (kDateTurnHavdalah). Any other stored text reads as sunset.
inline constexpr std::string_view kDateTurnSunset = "sunset";
inline constexpr std::string_view kDateTurnHavdalah = "havdalah";
std::string getDateTurn();
void setDateTurn(std::string_view name);
// The reminders, by their keys: "ReminderCandles" (on by default),
// "ReminderCandlesMinutes" (30), "ReminderOmer", "ReminderYortsayt",
// "ReminderFast" (off by default), "ReminderFastMinutes" (60),
// "ReminderKiddushLevana" (off). Flags are 0 or 1, the others minutes. An
// unknown key reads as 0 and is not stored.
int getReminderSetting(std::string_view key);
void setReminderSetting(std::string_view key, int value);

// $HOME/.lumaro/<fileName>, or fileName alone when HOME is unset.
std::string getDefaultCityFilename(std::string_view fileName);
// The same for the current language.
bool isLanguageRightToLeft();
// True when a background image is configured and the file exists.
bool isBackgroundImage();
// strcmp order; a null string counts as empty.
int ShabbatCompare(const char* a, const char* b);
// Digits with optional blanks around them.
bool NumberIsInteger(std::string_view text);
// Digits with an optional decimal point, optional blanks around; at least one digit.
bool NumberIsFloat(std::string_view text);
