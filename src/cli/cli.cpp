#include "cli/cli.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "base/settings.h"
#include "base/translate.h"
#include "base/version.h"
#include "cli/commands.h"
#include "cli/date_text.h"
#include "compose/city_time.h"
#include "compose/current_options.h"
#include "forms/first_start.h"
#include "forms/city_names.h"
#include "render/print.h"
#include "storage/user_files.h"
#include "suntimes/cities.h"
#include "suntimes/sun_options.h"
#include "suntimes/zmanim_presets.h"

namespace cli {

namespace {
int gMaxRangeDays = 0;
}  // namespace

void SetMaxRangeDaysForTesting(int days) { gMaxRangeDays = days; }
int MaxRangeDays() { return gMaxRangeDays; }

int UsageFail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "lumaro-cli: %s\n", message.c_str());
  return kCliUsage;
}

std::string TakePrintOption(const std::string& option, const std::string& value, std::optional<std::string>& outFile,
                            const PrintPaperFormat*& paper) {
  if (option == "--out") {
    if (outFile) return "--out given twice";
    if (value.empty()) return "--out needs a file name";
    outFile = value;
    return "";
  }
  if (paper) return "--paper given twice";
  paper = PrintFindPaperFormat(value);
  return paper ? "" : "unknown paper '" + value.substr(0, 40) + "' (Letter, Legal or A4)";
}

std::string TerminalOutputError(std::FILE* out, const std::string& what, bool outOption) {
  if (!::isatty(::fileno(out))) return {};
  return "will not write " + what + " to a terminal; " +
         (outOption ? "use --out FILE, or redirect standard output to a file"
                    : "redirect standard output to a file (> FILE)");
}

namespace {

// ------------------------------------------------------------ the commands

// One command: its arguments, what it does in one line, an example, and
// the function that runs it. `lumaro-cli --help` and `COMMAND --help` are
// made from these rows.
struct Command {
  std::string_view name;
  std::string_view arguments;
  std::string_view description;
  std::string_view example;
  int (*run)(const Args&, const Options&, std::FILE*, std::FILE*);
};

constexpr Command kCommands[] = {
    {"today", "[--date DATE]",
     "what the day is: dates, holidays, Omer, section, Daf Yomi, times, anniversaries", "today --date 2026-04-02",
     CmdToday},
    {"now", "[--at YYYY-MM-DDTHH:MM]",
     "the civil date, the Hebrew date since the last sunset, the state (weekday, shabbat, festival, fast) and when "
     "it next changes, tab-separated; exit 3 while Shabbat or a festival day is in force",
     "now --at 2026-12-03T12:00", CmdNow},
    {"reminders", "FROM TO",
     "the reminders the settings ask for in the days (LOCAL-DATETIME, KIND, SUMMARY, BODY)",
     "reminders 2026-12-01 2026-12-07", CmdReminders},
    {"upcoming", "[--days N] [--from DATE] [--notify]",
     "the anniversaries, birthdays and yortsayt dates of the next N days (default 7)", "upcoming --days 30",
     CmdUpcoming},
    {"day", "DATE", "the day report: zmanim, readings, halakha and the chosen learning of a day", "day 2026-04-02",
     CmdDay},
    {"zmanim", "DATE", "the zmanim of a day for the configured city", "zmanim 2026-04-02", CmdZmanim},
    {"dump", "FROM TO", "one tab-separated line of calendar facts per day", "dump 2026-04-01 2026-04-30", CmdDump},
    {"times", "FROM TO",
     "candle lighting, havdalah, fast, Khanukka, khamets and minor-day times (DATE, KIND, TIME, LABEL)",
     "times 2026-03-01 2026-04-30", CmdTimes},
    {"minor-days", "FROM TO",
     "Yom Kippur Katan, BeHaB, Taanit Bekhorot, Kiddush Levana, the tekufot, Birkat HaChama and other minor days "
     "(DATE, KIND, TEXT)",
     "minor-days 2026-01-01 2026-12-31", CmdMinorDays},
    {"learning", "FROM TO [--chosen]", "the study cycles of each day (DATE, CYCLE, TEXT), all or the chosen ones",
     "learning 2026-04-01 2026-04-07", CmdLearning},
    {"ics",
     "FROM TO [--holidays] [--parasha] [--times] [--anniversaries] [--daf-yomi] [--omer] [--learning] "
     "[--hebrew-dates] [--minor-days]",
     "an iCalendar file of the days FROM..TO", "ics 2026-01-01 2026-12-31 --holidays > holidays.ics", CmdIcs},
    {"csv",
     "FROM TO [--holidays] [--parasha] [--times] [--anniversaries] [--daf-yomi] [--omer] [--learning] "
     "[--hebrew-dates] [--minor-days] [--bom] [--out FILE]",
     "the events of ics as a comma-separated file (Subject, Start Date, Start Time, End Date, End Time, All Day "
     "Event, Description, Location) for calendars that import CSV; a UTF-8 byte-order mark first with --bom",
     "csv 2026-01-01 2026-12-31 --holidays --out holidays.csv", CmdCsv},
    {"month",
     "YYYY-MM|--hebrew-month YYYY-MM-DD [--out FILE] [--pdf] [--paper Letter|Legal|A4] [--landscape] [--bw] "
     "[--margins L,T,R,B]",
     "the month printed as PostScript (or PDF) as the print dialog prints it; the Hebrew month holding the date with "
     "--hebrew-month",
     "month 2026-04 --paper A4 --pdf --out april.pdf", CmdMonth},
    {"year-sheet", "YEAR [--hebrew] [--out FILE] [--paper Letter|Legal|A4] [--pdf]",
     "the Shabbat and festival times of a Gregorian (or Hebrew) year on one page, as PostScript (or PDF)",
     "year-sheet 2026 --paper A4 --pdf --out 2026.pdf", CmdYearSheet},
    {"zmanim-sheet", "YYYY-MM [--hebrew-month] [--out FILE] [--pdf] [--csv] [--paper Letter|Legal|A4] [--portrait]",
     "a month of zmanim and day times, a row per day, as PostScript, PDF or CSV; with --hebrew-month YYYY-MM is a "
     "Hebrew year and month (1 Nisan .. 12 Adar, 13 Adar II)",
     "zmanim-sheet 5787-01 --hebrew-month --pdf --out nisan.pdf", CmdZmanimSheet},
    {"molad", "FROM_YEAR TO_YEAR", "the molad of every month of the Hebrew years", "molad 5786 5787", CmdMolad},
    {"anniversary", "TYPE D.M.Y YEAR [--adar 1|2|both]",
     "the day of an anniversary (A), birthday (B) or yortsayt (Y) in a Hebrew year; --adar: where an event in Adar "
     "of a common year falls in a leap year (Adar I, Adar II or both: two lines)",
     "anniversary Y 30.8.5780 5786",
     CmdAnniversary},
    {"eval", "DATE LAT LON ZONE EXPRESSION | --batch", "the value of a zmanim expression in minutes",
     "eval 2026-04-02 3147 3513 2 \"sunset - 18\"", CmdEval},
    {"indicator-autostart", "on|off|status", "whether the panel indicator (lumaro --indicator) starts at login",
     "indicator-autostart on", CmdIndicatorAutostart},
    {"mourning", "DEATH-DATE [--burial DATE] [--after-sunset]",
     "the end of shiva and shloshim, the last day of Kaddish, the twelve months and the first yortsayt after a "
     "death, with the festivals that shorten them (KEY, DATE, LABEL: DAY, WHY)",
     "mourning 2025-04-06 --burial 2025-04-07", CmdMourning},
};

const Command* FindCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (c.name == name) return &c;
  return nullptr;
}

// ------------------------------------------------------------ the options

// The choices of one run: the options value, built from the settings and
// changed by the options, and what the options leave for later.
struct RunOptions {
  Options options;
  bool checkCity = false;          // --city was given: look it up once the user's files are there
  std::string cityTyped;           // its value as given (UTF-8)
  bool numeralsGiven = false;      // --hebrew-numerals was given
  bool rulesGiven = false;         // --israel or --diaspora was given
  bool languageGiven = false;      // --language was given
  const ZmanimPreset* preset = nullptr;  // --preset: its candle minutes also over the city's
};

// One option before the command. It changes the options value of this run
// only: the CLI never changes the settings. `apply` gets the value (empty for
// an option without one) and returns an error message, or "" when it took.
struct GlobalOption {
  std::string_view name;
  std::string_view value;  // how the value is written in the help ("" for none)
  std::string_view help;
  std::string (*apply)(std::string_view value, RunOptions& run);
};

std::string Shown(std::string_view v) { return std::string(v.substr(0, 40)); }

// The city of the run (as the city file writes it) with its own candle
// minutes, as choosing it in the location dialog brings them.
void UsePlace(const std::string& city, Options& options) {
  options.times.city = city;
  CityRec place;
  if (CityGet(options.times.cityFile, city, &place) && place.candleMinutes)
    options.times.candleMinutes = *place.candleMinutes;
}

// "english|yiddish|...": the interface languages the settings know.
std::string LanguageChoices() {
  std::string names;
  for (int language = 1; !getLanguagePrefix(language).empty(); ++language)
    names += (names.empty() ? "" : "|") + getLanguagePrefix(language);
  return names;
}

std::string OnOff(std::string_view option, std::string_view v, bool& flag) {
  if (v != "on" && v != "off") return "invalid value '" + Shown(v) + "' for " + std::string(option) + " (on or off)";
  flag = v == "on";
  return {};
}

const GlobalOption kGlobalOptions[] = {
    {"--israel", "", "Land of Israel rules",
     [](std::string_view, RunOptions& run) {
       run.options.rules.diaspora = false;
       run.rulesGiven = true;
       return std::string();
     }},
    {"--diaspora", "", "Diaspora rules",
     [](std::string_view, RunOptions& run) {
       run.options.rules.diaspora = true;
       run.rulesGiven = true;
       return std::string();
     }},
    {"--style", "1|2", "1 Sephardic, 2 Ashkenazi",
     [](std::string_view v, RunOptions& run) {
       if (v != "1" && v != "2") return "invalid style '" + Shown(v) + "' (1 Sephardic, 2 Ashkenazi)";
       run.options.style = v == "1" ? kStyleSephardic : kStyleAshkenazi;
       return std::string();
     }},
    {"--yom-haatsmaut", "weekday|luach", "Yom HaAtsmaut and Yom Yerushalayim as weekdays or as the Chief Rabbinate's luach",
     [](std::string_view v, RunOptions& run) {
       if (v != "weekday" && v != "luach") return "--yom-haatsmaut needs weekday or luach, not '" + Shown(v) + "'";
       run.options.rules.yomHaAtsmautLuach = v == "luach";
       return std::string();
     }},
    {"--city", "NAME", "the city of the times and its candle minutes (letter case and accents aside)",
     [](std::string_view v, RunOptions& run) {
       if (v.empty()) return std::string("--city needs a city name");
       run.cityTyped = std::string(v);
       run.checkCity = true;
       return std::string();
     }},
    {"--12h", "", "12-hour clock",
     [](std::string_view, RunOptions& run) {
       run.options.times.clock.format = 0;
       return std::string();
     }},
    {"--24h", "", "24-hour clock",
     [](std::string_view, RunOptions& run) {
       run.options.times.clock.format = 1;
       return std::string();
     }},
    {"--language", "LANGUAGE", "the interface language of the texts (see below)",
     [](std::string_view v, RunOptions& run) {
       for (int language = 1; !getLanguagePrefix(language).empty(); ++language) {
         if (v == getLanguagePrefix(language)) {
           run.options.text.language = language;
           run.languageGiven = true;
           return std::string();
         }
       }
       return "unknown language '" + Shown(v) + "' (" + LanguageChoices() + ")";
     }},
    {"--dst-automatic", "on|off", "times in the city's own time zone where the city file names one",
     [](std::string_view v, RunOptions& run) { return OnOff("--dst-automatic", v, run.options.times.automaticZone); }},
    {"--sun", "classic|precise", "the sun calculation: the almanac's (classic) or NOAA's to the second (precise)",
     [](std::string_view v, RunOptions& run) {
       const std::optional<SunCalculation> calculation = SunCalculationFromName(v);
       if (!calculation) return "--sun needs classic or precise, not '" + Shown(v) + "'";
       run.options.times.sun.calculation = *calculation;
       return std::string();
     }},
    {"--elevation", "on|off", "sunrise and sunset from the city's elevation (precise calculation only)",
     [](std::string_view v, RunOptions& run) { return OnOff("--elevation", v, run.options.times.sun.elevation); }},
    {"--preset", "NAME", "the zmanim, candles, havdalah and sun calculation of a community (see below)",
     [](std::string_view v, RunOptions& run) {
       run.preset = ZmanimPresetByName(v);
       if (!run.preset) return "unknown preset '" + Shown(v) + "' (" + ZmanimPresetNames() + ")";
       ApplyZmanimPreset(*run.preset, &run.options.times);
       return std::string();
     }},
    {"--hebrew-numerals", "on|off", "Hebrew dates in Hebrew numerals (default: on in Yiddish and Hebrew)",
     [](std::string_view v, RunOptions& run) {
       run.numeralsGiven = true;
       return OnOff("--hebrew-numerals", v, run.options.text.hebrewNumerals);
     }},
};

const GlobalOption* FindOption(std::string_view name) {
  for (const GlobalOption& o : kGlobalOptions)
    if (o.name == name) return &o;
  return nullptr;
}

// ------------------------------------------------------------ help

constexpr std::string_view kProgram = "lumaro-cli";

std::string Synopsis() { return "usage: lumaro-cli [OPTION]... COMMAND [ARGUMENT]..."; }

// `text` padded with blanks to `width` columns (ASCII).
std::string Pad(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  else text += "  ";
  return text;
}

std::string FullHelp() {
  std::string h = Synopsis() + "\n";
  h += "The Lumaro calendar without a window: it reads the settings, the city file and\n"
       "the anniversaries of the program and prints to standard output.\n\nCommands:\n";
  for (const Command& c : kCommands) {
    h += "  " + std::string(c.name) + " " + std::string(c.arguments) + "\n";
    h += "      " + std::string(c.description) + "\n";
  }
  h += "\nOptions, before the command (for this run only; the settings file is never changed):\n";
  for (const GlobalOption& o : kGlobalOptions) {
    const std::string name = std::string(o.name) + (o.value.empty() ? "" : " " + std::string(o.value));
    h += "  " + Pad(name, 24) + std::string(o.help) + "\n";
  }
  h += "  " + Pad("--help", 24) + "this help; COMMAND --help: the command's usage\n";
  h += "  " + Pad("--version", 24) + "the version\n";
  h += "\nLANGUAGE is one of " + LanguageChoices() + ". Dates are YYYY-MM-DD (years 1583..3000).\n";
  h += "NAME of --preset is one of " + ZmanimPresetNames() + "; options after it change its choices.\n";
  h += "Exit status: 0 done, 1 the output could not be written, 2 usage error or bad input,\n"
       "3 (now) Shabbat or a festival day is in force.\n";
  h += "LUMARO_NOW=YYYY-MM-DDTHH:MM[:SS] (the city's local time) or @SECONDS (since 1970) sets the clock.\n";
  return h;
}

// The commands whose output depends on the place.
bool UsesThePlace(const Command& c) {
  constexpr std::string_view kPlaceless[] = {"upcoming", "learning", "molad", "anniversary", "eval",
                                              "indicator-autostart", "mourning"};
  return std::find(std::begin(kPlaceless), std::end(kPlaceless), c.name) == std::end(kPlaceless);
}

std::string CommandHelp(const Command& c) {
  return "usage: lumaro-cli [OPTION]... " + std::string(c.name) + " " + std::string(c.arguments) + "\n" +
         std::string(c.description) + "\nexample: lumaro-cli " + std::string(c.example) + "\n";
}

std::string CommandNames() {
  std::string names;
  for (const Command& c : kCommands) names += (names.empty() ? "" : " ") + std::string(c.name);
  return names;
}

// Loads the user's settings and translations for one run; never writes them.
class Session {
 public:
  Session() { settingsInit(); }
  // A first run gets ~/.lumaro and the shipped city file; a failure only
  // means that times cannot be shown, which the commands report.
  void InstallUserFiles() { InstallDefaultUserFiles(); }
  void LoadTranslations(int language) {
    translate_init(getLanguagePrefix(language), ShippedTranslationsFolder());
    translated_ = true;
  }
  ~Session() {
    if (translated_) translate_done();
  }

 private:
  bool translated_ = false;
};

}  // namespace
}  // namespace cli

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  using namespace cli;
  Session session;
  RunOptions run;
  run.options = CurrentOptions();
  size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      const std::string help = FullHelp();
      std::fputs(help.c_str(), out);
      return kCliOk;
    }
    if (a == "--version") {
      std::fprintf(out, "%s %s\n", kProgram.data(), LUMARO_VERSION);
      return kCliOk;
    }
    if (a.size() < 2 || a[0] != '-') break;
    const GlobalOption* option = FindOption(a);
    if (!option) return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'; see lumaro-cli --help");
    std::string value;
    if (!option->value.empty()) {
      if (i + 1 >= args.size())
        return UsageFail(err, a + " needs a value (" + (a == "--language" ? LanguageChoices() : std::string(option->value)) + ")");
      value = args[++i];
    }
    const std::string error = option->apply(value, run);
    if (!error.empty()) return UsageFail(err, error);
  }
  if (i >= args.size()) return UsageFail(err, "no command given (" + CommandNames() + "); see lumaro-cli --help");
  const std::string& name = args[i];
  const Command* command = FindCommand(name);
  if (!command) return UsageFail(err, "unknown command '" + name.substr(0, 40) + "'; see lumaro-cli --help");
  const Args rest(args.begin() + static_cast<long>(i) + 1, args.end());
  if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
    const std::string help = CommandHelp(*command);
    std::fputs(help.c_str(), out);
    return kCliOk;
  }
  Options& options = run.options;
  session.InstallUserFiles();
  // Without settings the place and language the program's first start
  // offers; it asks there, here it says so.
  std::string proposed;  // what is said of a proposed place once the command has run
  if (settingsFileWasMissing()) {
    const PlaceProposal proposal = ProposePlace();
    if (!run.languageGiven) options.text.language = proposal.language;
    if (!run.checkCity) {
      UsePlace(proposal.city, options);
      proposed = "lumaro-cli: no settings yet: the place is " + Utf8FromLatin1(options.times.city) +
                 (proposal.zone.empty() ? "" : " (by the time zone " + proposal.zone + ")") +
                 "; the program asks for it on its first start\n";
    }
  }
  if (run.checkCity) {
    std::vector<std::string> closest;
    const std::optional<std::string> found =
        FindCityByName(ShabbatFormCities(options.times.cityFile), run.cityTyped, &closest);
    if (!found) {
      const std::string named = "unknown city \"" + run.cityTyped.substr(0, 80) + "\"";
      if (closest.empty()) return UsageFail(err, named + " (not in the city file " + options.times.cityFile + ")");
      return UsageFail(err, named + "; did you mean " + QuotedNames(closest) + "?");
    }
    std::string latin1;
    UsePlace(Latin1FromUtf8(*found, &latin1) ? latin1 : *found, options);
  }
  // A preset's candle minutes stand over the city's own.
  if (run.preset) options.times.candleMinutes = run.preset->candleMinutes;
  // The festivals follow the place unless chosen.
  if (!run.rulesGiven)
    options.rules.diaspora = DiasporaRulesFor(getIsraelRules(), options.times.cityFile, options.times.city);
  // What follows the language unless chosen itself: the clock's direction
  // and the numerals of the Hebrew dates.
  options.times.clock.rightToLeft = options.text.rightToLeft();
  if (!run.numeralsGiven) options.text.hebrewNumerals = HebrewNumeralsFor(getHebrewNumerals(), options.text.language);
  // A clock set for a test or a demonstration.
  const ClockOverride clock = ReadClockOverride(options.times);
  if (clock.set && !clock.moment) return UsageFail(err, clock.error);
  if (clock.moment) SetNowForTesting(static_cast<std::time_t>(*clock.moment));
  session.LoadTranslations(options.text.language);
  const int status = command->run(rest, options, out, err);
  if (status == kCliOk && !proposed.empty() && UsesThePlace(*command)) std::fputs(proposed.c_str(), err);
  return status;
}
