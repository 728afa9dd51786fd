#include "base/settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "base/file_util.h"
#include "base/settings_file.h"
#include "base/utf8.h"

namespace {

struct Values {
  int diaspora = 1;
  int postponeShushanPurim = 1;
  int style = kStyleAshkenazi;
  std::string cityFileName;
  std::string city = "Pforzheim";
  int candleLightingMin = 18;
  std::string havdalahValue = "45";
  int havdalahIsMin = 1;
  int isDst = 1;
  int dstStartMethod = 0;
  int dstStartWeekNo = 5;
  int dstStartWeekday = 0;
  int dstStartDay = 2;
  int dstStartMonth = 3;
  int dstEndMethod = 0;
  int dstEndWeekNo = 5;
  int dstEndWeekday = 0;
  int dstEndMonth = 10;
  int dstAutomatic = 0;
  int timeFormat = 0;
  std::string backgroundImage = std::string(kDefaultBackgroundImage);
  int language = kLanguageEnglish;
  int hebrewNumerals = kHebrewNumeralsByLanguage;
  std::string fontName = "Times New Roman";
  std::string printYiddishFontFile;
  std::string sunCalculation{kSunCalculationClassic};
  int sunElevation = 0;
  std::string zmanimPreset = "ashkenazi";
  // Expressions of the special days' times; empty: the built-in default.
  std::string timeFastBegins;
  std::string timeTishaBeAvBegins;
  std::string timeFastEnds;
  std::string timeKhanukka;
  std::string timeKhametsEat;
  std::string timeKhametsBurn;
  // The daily learning shown: Daf Yomi, and the cycles beside it.
  int learningDafYomi = 1;
  int learningMishnaYomit = 0;
  int learningNachYomi = 0;
  int learningYerushalmiYomi = 0;
  int learningRambamOneChapter = 0;
  int learningRambamThreeChapters = 0;
  int learningTehillim = 0;
  int learningPirkeiAvot = 0;
  int learningArukhHaShulchanYomi = 0;
  int learningDafWeekly = 0;
  int learningYerushalmiSchottenstein = 0;
  int learningTanakh929 = 0;
  int learningChofetzChaim = 0;
  int learningShemiratHaLashon = 0;
  int learningSeferHaMitzvot = 0;
  // The month view by Gregorian (0) or Hebrew (1) months.
  int hebrewMonthView = 0;
  // "city", "israel" or "diaspora"; empty until read (see settingsInit).
  std::string israelRules;
  // The month view's lines of the minor days and the moon: shown (1) or not (0).
  int showMinorDays = 1;
  // Yom HaAtsmaut and Yom Yerushalayim: a weekday (0) or as the Chief
  // Rabbinate's luach (1).
  int yomHaAtsmautLuach = 0;
  // The week of the month view from right to left: kWeekRightToLeftByLanguage,
  // kWeekRightToLeftOff or kWeekRightToLeftOn.
  int weekRightToLeft = kWeekRightToLeftByLanguage;
  // When the Hebrew date turns: kDateTurnSunset or kDateTurnHavdalah.
  std::string dateTurn{kDateTurnSunset};
  // The reminders: each on (1) or off (0), two with a lead time in minutes.
  int reminderCandles = 1;
  int reminderCandlesMinutes = 30;
  int reminderOmer = 0;
  int reminderYortsayt = 0;
  int reminderFast = 0;
  int reminderFastMinutes = 60;
  int reminderKiddushLevana = 0;
};

Values gValues;
// The settings file did not exist at the last settingsInit.
bool gFileWasMissing = false;

// One row per settings key, in the order they are read and written.
struct Row {
  std::string_view key;
  int Values::*intField;
  std::string Values::*stringField;
};

constexpr std::array<Row, 62> kRows = {{
    {"Diaspora", &Values::diaspora, nullptr},
    {"PostponeShushanPurim", &Values::postponeShushanPurim, nullptr},
    {"Style", &Values::style, nullptr},
    {"CurrentCityFileName", nullptr, &Values::cityFileName},
    {"CurrentCity", nullptr, &Values::city},
    {"CandleLightingMin", &Values::candleLightingMin, nullptr},
    {"HavdalahValue", nullptr, &Values::havdalahValue},
    {"HavdalahIsMin", &Values::havdalahIsMin, nullptr},
    {"IsDST", &Values::isDst, nullptr},
    {"DSTStartMethod", &Values::dstStartMethod, nullptr},
    {"DSTStartWeekNo", &Values::dstStartWeekNo, nullptr},
    {"DSTStartWeekday", &Values::dstStartWeekday, nullptr},
    {"DSTStartDay", &Values::dstStartDay, nullptr},
    {"DSTStartMonth", &Values::dstStartMonth, nullptr},
    {"DSTEndMethod", &Values::dstEndMethod, nullptr},
    {"DSTEndWeekNo", &Values::dstEndWeekNo, nullptr},
    {"DSTEndWeekday", &Values::dstEndWeekday, nullptr},
    {"DSTEndMonth", &Values::dstEndMonth, nullptr},
    {"DSTAutomatic", &Values::dstAutomatic, nullptr},
    {"TimeFormat", &Values::timeFormat, nullptr},
    {"BackgroundImage", nullptr, &Values::backgroundImage},
    {"Language", &Values::language, nullptr},
    {"HebrewNumerals", &Values::hebrewNumerals, nullptr},
    {"FontName", nullptr, &Values::fontName},
    {"PrintYiddishFontFile", nullptr, &Values::printYiddishFontFile},
    {"SunCalculation", nullptr, &Values::sunCalculation},
    {"SunElevation", &Values::sunElevation, nullptr},
    {"ZmanimPreset", nullptr, &Values::zmanimPreset},
    {"TimeFastBegins", nullptr, &Values::timeFastBegins},
    {"TimeTishaBeAvBegins", nullptr, &Values::timeTishaBeAvBegins},
    {"TimeFastEnds", nullptr, &Values::timeFastEnds},
    {"TimeKhanukka", nullptr, &Values::timeKhanukka},
    {"TimeKhametsEat", nullptr, &Values::timeKhametsEat},
    {"TimeKhametsBurn", nullptr, &Values::timeKhametsBurn},
    {"LearningDafYomi", &Values::learningDafYomi, nullptr},
    {"LearningMishnaYomit", &Values::learningMishnaYomit, nullptr},
    {"LearningNachYomi", &Values::learningNachYomi, nullptr},
    {"LearningYerushalmiYomi", &Values::learningYerushalmiYomi, nullptr},
    {"LearningRambamOneChapter", &Values::learningRambamOneChapter, nullptr},
    {"LearningRambamThreeChapters", &Values::learningRambamThreeChapters, nullptr},
    {"LearningTehillim", &Values::learningTehillim, nullptr},
    {"LearningPirkeiAvot", &Values::learningPirkeiAvot, nullptr},
    {"LearningArukhHaShulchanYomi", &Values::learningArukhHaShulchanYomi, nullptr},
    {"LearningDafWeekly", &Values::learningDafWeekly, nullptr},
    {"LearningYerushalmiSchottenstein", &Values::learningYerushalmiSchottenstein, nullptr},
    {"LearningTanakh929", &Values::learningTanakh929, nullptr},
    {"LearningChofetzChaim", &Values::learningChofetzChaim, nullptr},
    {"LearningShemiratHaLashon", &Values::learningShemiratHaLashon, nullptr},
    {"LearningSeferHaMitzvot", &Values::learningSeferHaMitzvot, nullptr},
    {"HebrewMonthView", &Values::hebrewMonthView, nullptr},
    {"ShowMinorDays", &Values::showMinorDays, nullptr},
    {"IsraelRules", nullptr, &Values::israelRules},
    {"YomHaAtsmautLuach", &Values::yomHaAtsmautLuach, nullptr},
    {"WeekRightToLeft", &Values::weekRightToLeft, nullptr},
    {"DateTurn", nullptr, &Values::dateTurn},
    {"ReminderCandles", &Values::reminderCandles, nullptr},
    {"ReminderCandlesMinutes", &Values::reminderCandlesMinutes, nullptr},
    {"ReminderOmer", &Values::reminderOmer, nullptr},
    {"ReminderYortsayt", &Values::reminderYortsayt, nullptr},
    {"ReminderFast", &Values::reminderFast, nullptr},
    {"ReminderFastMinutes", &Values::reminderFastMinutes, nullptr},
    {"ReminderKiddushLevana", &Values::reminderKiddushLevana, nullptr},
}};

// The reminder settings by the names the getters take.
struct ReminderRow {
  std::string_view name;
  int Values::*field;
};
constexpr std::array<ReminderRow, 7> kReminderRows = {{
    {"ReminderCandles", &Values::reminderCandles},
    {"ReminderCandlesMinutes", &Values::reminderCandlesMinutes},
    {"ReminderOmer", &Values::reminderOmer},
    {"ReminderYortsayt", &Values::reminderYortsayt},
    {"ReminderFast", &Values::reminderFast},
    {"ReminderFastMinutes", &Values::reminderFastMinutes},
    {"ReminderKiddushLevana", &Values::reminderKiddushLevana},
}};

// The learning flags by the ids of the cycles (calendar/learning.h).
struct LearningRow {
  std::string_view cycleId;
  int Values::*field;
};
constexpr std::array<LearningRow, 15> kLearningRows = {{
    {"daf-yomi", &Values::learningDafYomi},
    {"mishna-yomit", &Values::learningMishnaYomit},
    {"nach-yomi", &Values::learningNachYomi},
    {"yerushalmi-yomi", &Values::learningYerushalmiYomi},
    {"rambam-1", &Values::learningRambamOneChapter},
    {"rambam-3", &Values::learningRambamThreeChapters},
    {"tehillim", &Values::learningTehillim},
    {"pirkei-avot", &Values::learningPirkeiAvot},
    {"arukh-hashulchan-yomi", &Values::learningArukhHaShulchanYomi},
    {"daf-weekly", &Values::learningDafWeekly},
    {"yerushalmi-schottenstein", &Values::learningYerushalmiSchottenstein},
    {"929", &Values::learningTanakh929},
    {"chofetz-chaim", &Values::learningChofetzChaim},
    {"shemirat-halashon", &Values::learningShemiratHaLashon},
    {"sefer-hamitzvot", &Values::learningSeferHaMitzvot},
}};

const LearningRow* LearningRowOf(std::string_view cycleId) {
  for (const LearningRow& r : kLearningRows)
    if (r.cycleId == cycleId) return &r;
  return nullptr;
}

Values Defaults() {
  Values v;
  v.cityFileName = getDefaultCityFilename("cities");
  return v;
}

// What differs for a new user, one without a settings file: times follow
// the city's own time zone (a file without the key keeps the rule).
void ApplyNewUserDefaults(Values& v) {
  v.dstAutomatic = 1;
  v.israelRules = "city";
}

constexpr std::string_view kIsraelRulesNames[] = {"city", "israel", "diaspora"};

void SetString(std::string& field, std::string_view text) {
  field = CutUtf8(text, kSettingMaxBytes);
}

}  // namespace

void settingsReset() {
  gValues = Defaults();
  gFileWasMissing = false;
}

bool settingsFileWasMissing() { return gFileWasMissing; }

void settingsInit() {
  gValues = Defaults();
  gFileWasMissing = !FileStampOf(SettingsGetFileName()).exists;
  if (gFileWasMissing) ApplyNewUserDefaults(gValues);
  for (const Row& r : kRows) {
    if (r.intField) {
      gValues.*r.intField = SettingsGetInt(r.key, gValues.*r.intField);
    } else {
      SetString(gValues.*r.stringField, SettingsGet(r.key, gValues.*r.stringField));
    }
  }
  if (gValues.style != kStyleSephardic && gValues.style != kStyleAshkenazi) gValues.style = kStyleAshkenazi;
  setHebrewNumerals(gValues.hebrewNumerals);
  setHebrewMonthView(gValues.hebrewMonthView);
  setShowMinorDays(gValues.showMinorDays);
  setWeekRightToLeft(gValues.weekRightToLeft);
  // A file without the choice (or with a text it cannot be) keeps its
  // Diaspora flag as an explicit choice.
  const auto& names = kIsraelRulesNames;
  if (std::find(std::begin(names), std::end(names), gValues.israelRules) == std::end(names))
    gValues.israelRules = gValues.diaspora ? "diaspora" : "israel";
}

bool settingsDone() {
  std::vector<std::pair<std::string, std::string>> keyValues;
  keyValues.reserve(kRows.size());
  for (const Row& r : kRows) {
    std::string value = r.intField ? std::to_string(gValues.*r.intField) : gValues.*r.stringField;
    keyValues.emplace_back(std::string(r.key), std::move(value));
  }
  return SettingsSetMany(keyValues);
}

IsraelRulesChoice getIsraelRules() {
  if (gValues.israelRules == "city") return IsraelRulesChoice::kCity;
  if (gValues.israelRules == "israel") return IsraelRulesChoice::kIsrael;
  if (gValues.israelRules == "diaspora") return IsraelRulesChoice::kDiaspora;
  return gValues.diaspora ? IsraelRulesChoice::kDiaspora : IsraelRulesChoice::kIsrael;
}
void setIsraelRules(IsraelRulesChoice choice) {
  gValues.israelRules = std::string(kIsraelRulesNames[static_cast<size_t>(choice)]);
  if (choice != IsraelRulesChoice::kCity) gValues.diaspora = choice == IsraelRulesChoice::kDiaspora ? 1 : 0;
}
int diasporaGetFlag() { return gValues.diaspora; }
void diasporaSetFlag(int flag) {
  setIsraelRules(flag ? IsraelRulesChoice::kDiaspora : IsraelRulesChoice::kIsrael);
}
void diasporaNoteFlag(int flag) { gValues.diaspora = flag ? 1 : 0; }
int postponeShushanPurimGetFlag() { return gValues.postponeShushanPurim; }
void postponeShushanPurimSetFlag(int flag) { gValues.postponeShushanPurim = flag; }
int yomHaAtsmautLuachGetFlag() { return gValues.yomHaAtsmautLuach; }
void yomHaAtsmautLuachSetFlag(int flag) { gValues.yomHaAtsmautLuach = flag; }
int getStyle() { return gValues.style; }
void setStyle(int style) { gValues.style = style; }
std::string getCityFileName() { return gValues.cityFileName; }
void setCityFileName(std::string_view name) { SetString(gValues.cityFileName, name); }
std::string getCity() { return gValues.city; }
void setCity(std::string_view city) { SetString(gValues.city, city); }
int getCandleLightingMin() { return gValues.candleLightingMin; }
void setCandleLightingMin(int minutes) { gValues.candleLightingMin = minutes; }
std::string getHavdalahValue() { return gValues.havdalahValue; }
void setHavdalahValue(std::string_view value) { SetString(gValues.havdalahValue, value); }
int getHavdalahIsMin() { return gValues.havdalahIsMin; }
void setHavdalahIsMin(int flag) { gValues.havdalahIsMin = flag; }
int getIsDST() { return gValues.isDst; }
void setIsDST(int flag) { gValues.isDst = flag; }

DstSetting getDSTstruct() {
  const Values& v = gValues;
  return {v.dstStartMethod, v.dstStartWeekNo, v.dstStartWeekday, v.dstStartDay, v.dstStartMonth,
          v.dstEndMethod,   v.dstEndWeekNo,   v.dstEndWeekday,   v.dstEndMonth};
}
void getDSTstruct(DstSetting* dst) { *dst = getDSTstruct(); }
void setDSTstruct(const DstSetting& d) {
  Values& v = gValues;
  v.dstStartMethod = d.startMethod;
  v.dstStartWeekNo = d.startWeekNo;
  v.dstStartWeekday = d.startWeekday;
  v.dstStartDay = d.startDay;
  v.dstStartMonth = d.startMonth;
  v.dstEndMethod = d.endMethod;
  v.dstEndWeekNo = d.endWeekNo;
  v.dstEndWeekday = d.endWeekday;
  v.dstEndMonth = d.endMonth;
}

int getDSTAutomatic() { return gValues.dstAutomatic; }
void setDSTAutomatic(int flag) { gValues.dstAutomatic = flag; }

int getTimeFormat() { return gValues.timeFormat; }
void setTimeFormat(int format) { gValues.timeFormat = format; }
std::string getBackgroundImage() { return gValues.backgroundImage; }
void setBackgroundImage(std::string_view path) { SetString(gValues.backgroundImage, path); }
int getLanguage() { return gValues.language; }
void setLanguage(int language) { gValues.language = language; }
int getHebrewNumerals() { return gValues.hebrewNumerals; }
void setHebrewNumerals(int choice) {
  gValues.hebrewNumerals =
      choice == kHebrewNumeralsOff || choice == kHebrewNumeralsOn ? choice : kHebrewNumeralsByLanguage;
}
int getHebrewMonthView() { return gValues.hebrewMonthView; }
void setHebrewMonthView(int flag) { gValues.hebrewMonthView = flag ? 1 : 0; }
int getShowMinorDays() { return gValues.showMinorDays; }
void setShowMinorDays(int flag) { gValues.showMinorDays = flag ? 1 : 0; }
int getWeekRightToLeft() { return gValues.weekRightToLeft; }
void setWeekRightToLeft(int choice) {
  gValues.weekRightToLeft =
      choice == kWeekRightToLeftOff || choice == kWeekRightToLeftOn ? choice : kWeekRightToLeftByLanguage;
}

bool isHebrewNumerals() { return HebrewNumeralsFor(gValues.hebrewNumerals, gValues.language); }
std::string getFontName() { return gValues.fontName; }
void setFontName(std::string_view name) { SetString(gValues.fontName, name); }
std::string getPrintYiddishFontFile() { return gValues.printYiddishFontFile; }
void setPrintYiddishFontFile(std::string_view path) { SetString(gValues.printYiddishFontFile, path); }

std::string getSunCalculation() {
  return gValues.sunCalculation == kSunCalculationPrecise ? std::string(kSunCalculationPrecise)
                                                          : std::string(kSunCalculationClassic);
}
void setSunCalculation(std::string_view name) {
  gValues.sunCalculation = std::string(name == kSunCalculationPrecise ? kSunCalculationPrecise : kSunCalculationClassic);
}
int getSunElevation() { return gValues.sunElevation != 0 ? 1 : 0; }
void setSunElevation(int flag) { gValues.sunElevation = flag != 0 ? 1 : 0; }
std::string getZmanimPreset() { return gValues.zmanimPreset; }
void setZmanimPreset(std::string_view name) { SetString(gValues.zmanimPreset, name); }
std::string getTimeFastBegins() { return gValues.timeFastBegins; }
void setTimeFastBegins(std::string_view expression) { SetString(gValues.timeFastBegins, expression); }
std::string getTimeTishaBeAvBegins() { return gValues.timeTishaBeAvBegins; }
void setTimeTishaBeAvBegins(std::string_view expression) { SetString(gValues.timeTishaBeAvBegins, expression); }
std::string getTimeFastEnds() { return gValues.timeFastEnds; }
void setTimeFastEnds(std::string_view expression) { SetString(gValues.timeFastEnds, expression); }
std::string getTimeKhanukka() { return gValues.timeKhanukka; }
void setTimeKhanukka(std::string_view expression) { SetString(gValues.timeKhanukka, expression); }
std::string getTimeKhametsEat() { return gValues.timeKhametsEat; }
void setTimeKhametsEat(std::string_view expression) { SetString(gValues.timeKhametsEat, expression); }
std::string getTimeKhametsBurn() { return gValues.timeKhametsBurn; }
void setTimeKhametsBurn(std::string_view expression) { SetString(gValues.timeKhametsBurn, expression); }
int getLearningFlag(std::string_view cycleId) {
  const LearningRow* r = LearningRowOf(cycleId);
  return r ? (gValues.*r->field != 0 ? 1 : 0) : 0;
}
void setLearningFlag(std::string_view cycleId, int flag) {
  if (const LearningRow* r = LearningRowOf(cycleId)) gValues.*r->field = flag != 0 ? 1 : 0;
}

std::string getDateTurn() {
  return std::string(gValues.dateTurn == kDateTurnHavdalah ? kDateTurnHavdalah : kDateTurnSunset);
}
void setDateTurn(std::string_view name) {
  gValues.dateTurn = std::string(name == kDateTurnHavdalah ? kDateTurnHavdalah : kDateTurnSunset);
}
int getReminderSetting(std::string_view key) {
  for (const ReminderRow& r : kReminderRows)
    if (r.name == key) return gValues.*r.field;
  return 0;
}
void setReminderSetting(std::string_view key, int value) {
  for (const ReminderRow& r : kReminderRows)
    if (r.name == key) gValues.*r.field = value;
}

std::string getDefaultCityFilename(std::string_view fileName) {
  const char* home = std::getenv("HOME");
  if (!home) return std::string(fileName);
  std::string path = home;
  if (!path.empty() && path.back() != '/') path += '/';
  path += ".lumaro/";
  path += fileName;
  return path;
}




bool isLanguageRightToLeft() { return isRightToLeftLanguage(gValues.language); }

bool isBackgroundImage() {
  if (gValues.backgroundImage.empty()) return false;
  struct stat st {};
  return ::stat(ExpandHome(gValues.backgroundImage).c_str(), &st) == 0;
}

int ShabbatCompare(const char* a, const char* b) { return std::strcmp(a ? a : "", b ? b : ""); }

namespace {
size_t SkipBlanks(std::string_view t, size_t i) {
  while (i < t.size() && t[i] == ' ') ++i;
  return i;
}
size_t SkipDigits(std::string_view t, size_t i) {
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  return i;
}
}  // namespace

bool NumberIsInteger(std::string_view text) {
  size_t i = SkipBlanks(text, 0);
  if (i == text.size()) return false;
  i = SkipDigits(text, i);
  i = SkipBlanks(text, i);
  return i == text.size();
}

bool NumberIsFloat(std::string_view text) {
  size_t i = SkipBlanks(text, 0);
  size_t start = i;
  i = SkipDigits(text, i);
  bool digits = i > start;
  if (i < text.size() && text[i] == '.') {
    start = ++i;
    i = SkipDigits(text, i);
    digits = digits || i > start;
  }
  i = SkipBlanks(text, i);
  return i == text.size() && digits;
}
