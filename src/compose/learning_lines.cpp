#include "compose/learning_lines.h"

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"

namespace {

// The short name that starts a cell's line of a cycle (a translation key),
// or empty where the book names tell the cycle already; by cycle.
constexpr std::array<std::string_view, kLearningCycleCount> kCellPrefixes = {
    "Mishna",             // kMishnaYomit: the tractates are Daf Yomi's
    "",                   // kNachYomi: the books of the Prophets and Writings
    "Yerushalmi",         // kYerushalmiYomi: the tractates again, with pages as Daf Yomi has
    "Rambam",             // kRambamOneChapter
    "Rambam",             // kRambamThreeChapters
    "",                   // kTehillim: "Psalms"
    "",                   // kPirkeiAvot: "Avos"
    "",                   // kArukhHaShulchanYomi: "Orach Chaim", "Yoreh De'ah", no other cycle's books
    "Weekly Daf",         // kDafWeekly: the tractates and pages of Daf Yomi
    "Yerushalmi",         // kYerushalmiSchottenstein
    "929",                // kTanakh929: the books of Nach Yomi and the Torah
    "Chofetz Chaim",      // kChofetzChaim: "Hakdamah", "Lavin" tell no book
    "Shemirat HaLashon",  // kShemiratHaLashon: nor do "Hakdamah" or "Book II"
    "Sefer HaMitzvot",    // kSeferHaMitzvot: nor does "Positive Commandment"
};

// "Hilchos " + the name: the key under which a law of the Rambam is looked up first.
constexpr std::string_view kLawKeyPrefix = "Hilchos ";

std::string TranslatedBookName(LearningCycle cycle, int book) {
  const std::string_view name = LearningBookName(cycle, book);
  if (LearningBookIsRambamLaw(cycle, book)) {
    const std::string key = std::string(kLawKeyPrefix) + std::string(name);
    const std::string& law = translate_perform(key);
    if (law != key) return law;
  }
  return translate_perform(name);
}

std::string DateText(AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  return DayMonthYearText(g.day, g.month, g.year);
}

}  // namespace

bool LearningChoice::AnyCycle() const {
  for (bool shown : cycles)
    if (shown) return true;
  return false;
}

std::string TranslatedLearningTitle(LearningCycle cycle) { return translate_perform(LearningCycleTitle(cycle)); }

std::string TranslatedDafYomi(AbsoluteDay d) {
  const DafYomiPage page = DafYomiPageOf(d);
  if (page.page == 0) return {};
  return translate_perform(page.tractate) + " " + std::to_string(page.page);
}

std::string TranslatedLearningText(LearningCycle cycle, AbsoluteDay d, const CalendarRules& rules) {
  return FormatLearningPortion(GetLearningPortion(cycle, d, rules),
                               [cycle](int book) { return TranslatedBookName(cycle, book); });
}

std::vector<LearningLine> LearningLinesOf(AbsoluteDay d, const LearningChoice& choice, const CalendarRules& rules) {
  std::vector<LearningLine> lines;
  if (choice.dafYomi) {
    std::string daf = TranslatedDafYomi(d);
    if (!daf.empty()) lines.push_back({kDafYomiId, translate_perform("Daf Yomi"), std::move(daf)});
  }
  for (LearningCycle cycle : kLearningCycles) {
    if (!choice.Shows(cycle)) continue;
    std::string text = TranslatedLearningText(cycle, d, rules);
    if (!text.empty()) lines.push_back({LearningCycleId(cycle), TranslatedLearningTitle(cycle), std::move(text)});
  }
  return lines;
}

std::string BuildLearningList(AbsoluteDay d, const LearningChoice& choice, const CalendarRules& rules) {
  if (!choice.AnyCycle()) return {};
  const std::vector<LearningLine> lines = LearningLinesOf(d, choice, rules);
  if (lines.empty()) return {};
  // The heading's format may come from a translation file: it is filled only
  // when its conversions match, never handed to printf.
  std::string text = FormatText(translate_perform("Learning for %s"), {DateText(d)}) + ":\n";
  for (const LearningLine& line : lines) text += line.title + ": " + line.text + "\n";
  return text;
}

std::vector<LearningCellLine> LearningCellLines(AbsoluteDay d, const LearningChoice& choice,
                                                const CalendarRules& rules) {
  std::vector<LearningCellLine> lines;
  for (LearningCycle cycle : kLearningCycles) {
    if (!choice.Shows(cycle)) continue;
    std::string text = TranslatedLearningText(cycle, d, rules);
    if (text.empty()) continue;
    const std::string_view prefix = kCellPrefixes[static_cast<size_t>(cycle)];
    if (!prefix.empty()) text = translate_perform(prefix) + " " + text;
    lines.push_back({LearningCycleId(cycle), std::move(text), TranslatedLearningTitle(cycle)});
  }
  return lines;
}
