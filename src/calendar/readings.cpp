// The readings of a day.
//
// A Saturday (ShabbatReadings) is read in three steps:
//  1. ShabbatCodes: the codes of the week's sections, then in this order
//       KholHaMoedSukkotByDate      Shabbat Khol HaMoed Sukkot on 17, 19 or 20 Tishri
//       KhanukkaDayAsSecondReading  a day of Khanukka takes the second slot
//       RoshKhodeshReading          Shabbat Rosh Khodesh adds Numbers 28:9-15
//  2. TorahTexts: the texts of the codes (each code's own Haftarah with it),
//     Shemini Atseret's three parts, and the Shabbat Shuva line.
//  3. Haftarot: the readings with a Haftarah of their own (OwnHaftarah: a
//     special Shabbat or a second section, kOwnHaftarah, and Maseh in some
//     years), then the substitutions of kHaftarahRules in their order:
//       SecondOfTheThreeWeeks, FirstOfTheThreeWeeks, PinhasBeforeTheThreeWeeks,
//       KedoshimReadsAmos, KedoshimReadsItsOwn, AharemothAlone,
//       SecondShabbatOfKhanukka, FirstShabbatOfKhanukka,
//       OnRoshKhodesh, OnRoshKhodeshVerses, BeforeRoshKhodeshVerses,
//       BeforeRoshKhodesh (by kRoshKhodeshBySection), ShabbatShuva.
//     When any of them replaces a Haftarah the loaded ones are cleared first;
//     when all only add verses, the loaded ones stay.
// The Sephardi Haftarot are part of the texts, in parentheses.
//
// Another day (HolidayReadings) reads its holiday's code, changed by the
// rows of kHolidayCodeRules, and Rosh Khodesh before it. Yom HaAtsmaut has a
// reading only when the rules keep it as the Chief Rabbinate's luach.
//
// A new rule is a named predicate and one row of kHaftarahRules or
// kHolidayCodeRules, placed where it must act in the order.
#include "calendar/readings.h"

#include <algorithm>
#include <iterator>

#include "base/choices.h"
#include "base/utf8.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/reading_tables.h"
#include "calendar/torah_sections.h"

namespace {

// Sections with rules of their own.
constexpr int32_t kAharemoth = 28, kKedoshim = 29;
constexpr int32_t kPinhas = 40, kMatoth = 41, kMaseh = 42, kNitsabim = 50;
// Shabbat Khol HaMoed Sukkot on 17, 19 and 20 Tishri.
constexpr int32_t kShabbat17Tishri = 77, kShabbat19Tishri = 80, kShabbat20Tishri = 82;
// The maftir of Khanukka day 1..8 when it is read on a Shabbat: that day's
// prince alone (the eighth day reads to the end of the chapter).
constexpr std::array<int32_t, 8> kKhanukkaShabbatCodes = {100, 121, 122, 123, 124, 105, 108, 109};

constexpr int kYearTypeKedoshimOwn = 9;       // Saturday, 383 days, Pesakh on Tuesday
constexpr int kYearTypeMasehOwnHaftarah = 0;  // Monday, 353 days, Pesakh on Tuesday

// ------------------------------------------------------------------ texts

template <size_t N>
std::string_view FindText(const std::array<ReadingRow, N>& table, int code) {
  for (const ReadingRow& row : table) {
    if (row.code == kReadingTableEnd) break;
    if (row.code == code) return row.text;
  }
  return {};
}

template <size_t NI, size_t ND>
std::string ReadingText(const std::array<ReadingRow, NI>& israel, const std::array<ReadingRow, ND>& diaspora,
                        const CalendarRules& rules, int code) {
  std::string_view text;
  if (!rules.diaspora) text = FindText(israel, code);
  if (text.empty()) text = FindText(diaspora, code);
  if (text == kReadingNone) return {};
  return std::string(text);
}

std::string TextOf(std::string text) {
  if (text.size() > kReadingTextMax) text = CutUtf8(text, kReadingTextMax);
  return text;
}

// The texts of reading codes under one set of rules.
struct Texts {
  const CalendarRules& rules;
  std::string Torah(int32_t code) const { return TextOf(GetTorahReading(rules, code)); }
  std::string Haftarah(int32_t code) const { return TextOf(GetHaftarahReading(rules, code)); }
};

// Puts `text` into Torah entry 1 when that is empty, else into entry 3 when
// entry 2 is taken, else into entry 2.
void AddParsha(ReadingsRec* rec, std::string_view text) {
  std::string* entry = &rec->torah[1];
  if (rec->torah[0].empty()) {
    entry = &rec->torah[0];
  } else if (!rec->torah[1].empty()) {
    entry = &rec->torah[2];
  }
  *entry = CutUtf8(text, kReadingTextMax);
}

// ---------------------------------------------------------- Rosh Khodesh

// What a section's Haftarah becomes when its Shabbat is Rosh Khodesh, or the
// day before it.
enum class NearRoshKhodesh : uint8_t {
  kOwn,         // the section keeps its own Haftarah
  kReplaced,    // Isaiah 66 (on Rosh Khodesh) or I Samuel 20 (the day before) instead
  kAddsVerses,  // their first and last verses after the section's own
};

struct RoshKhodeshRow {
  int32_t section;
  NearRoshKhodesh onLeap, onCommon;          // Shabbat Rosh Khodesh: day 1 or 30
  NearRoshKhodesh beforeLeap, beforeCommon;  // Shabbat before Rosh Khodesh: day 29 or 30
};

// The sections that can fall on or before a Rosh Khodesh with a rule; any
// other keeps its own Haftarah. On day 30 both columns apply.
constexpr NearRoshKhodesh kOwn = NearRoshKhodesh::kOwn;
constexpr NearRoshKhodesh kReplaced = NearRoshKhodesh::kReplaced;
constexpr NearRoshKhodesh kAddsVerses = NearRoshKhodesh::kAddsVerses;
constexpr RoshKhodeshRow kRoshKhodeshBySection[] = {
    // section, on Rosh Khodesh: leap, common; before it: leap, common
    {0, kOwn, kOwn, kReplaced, kReplaced},                     // Bereshith on 29 Tishri, 14 Oct 2023
    {1, kReplaced, kReplaced, kOwn, kOwn},                     // Noah on 1 Heshvan
    {5, kOwn, kOwn, kReplaced, kReplaced},                     // Toledoth before Kislev
    {9, kAddsVerses, kAddsVerses, kAddsVerses, kAddsVerses},   // Mikkets, Khanukka around Rosh Khodesh Tevet
    {13, kReplaced, kReplaced, kOwn, kOwn},                    // Vaera on 1 Shevat
    {17, kReplaced, kAddsVerses, kReplaced, kAddsVerses},      // Mishpatim around Adar (Shekalim in a common year)
    {18, kReplaced, kAddsVerses, kOwn, kOwn},                  // Terumah on Rosh Khodesh Adar
    {21, kOwn, kOwn, kAddsVerses, kAddsVerses},                // Vayakhel before Nisan or Adar II
    {22, kAddsVerses, kAddsVerses, kAddsVerses, kAddsVerses},  // Pekude around Nisan
    {23, kAddsVerses, kAddsVerses, kOwn, kOwn},                // Vayikra on 1 Nisan, with Hakhodesh
    {25, kOwn, kOwn, kReplaced, kReplaced},                    // Shemini before Iyar
    {26, kAddsVerses, kReplaced, kAddsVerses, kReplaced},      // Tazria around Iyar (common) or Nisan (leap)
    {28, kOwn, kOwn, kReplaced, kReplaced},                    // Aharemoth before Iyar
    {29, kReplaced, kReplaced, kOwn, kOwn},                    // Kedoshim on Rosh Khodesh Iyar
    {33, kOwn, kOwn, kReplaced, kReplaced},                    // Bemidbar before Sivan
    {37, kReplaced, kReplaced, kAddsVerses, kAddsVerses},      // Korah around Tammuz
    {38, kReplaced, kReplaced, kAddsVerses, kAddsVerses},      // Hukath around Tammuz
    {42, kAddsVerses, kAddsVerses, kOwn, kOwn},                // Maseh on 1 Av
    {46, kAddsVerses, kAddsVerses, kAddsVerses, kAddsVerses},  // Reeh around Elul
};

// The Rosh Khodesh Haftarot a Shabbat reads.
struct RoshKhodeshHaftarot {
  bool on = false;            // Isaiah 66 instead
  bool onVerses = false;      // its first and last verses added
  bool before = false;        // I Samuel 20 instead
  bool beforeVerses = false;  // its first and last verses added
  bool Any() const { return on || onVerses || before || beforeVerses; }
};

void Mark(NearRoshKhodesh what, bool* replaced, bool* addsVerses) {
  if (what == kReplaced) *replaced = true;
  if (what == kAddsVerses) *addsVerses = true;
}

// Of the sections c1 and c2 on the Hebrew date h.
RoshKhodeshHaftarot RoshKhodeshHaftarotOf(const HebrewDate& h, int32_t c1, int32_t c2) {
  RoshKhodeshHaftarot r;
  const bool on = h.day == 1 || h.day == 30;
  const bool before = h.day == 29 || h.day == 30;
  if (!on && !before) return r;
  const bool leap = Hebrew_Leap_Year(h.year) != 0;
  for (const RoshKhodeshRow& row : kRoshKhodeshBySection) {
    if (row.section != c1 && row.section != c2) continue;
    if (on) Mark(leap ? row.onLeap : row.onCommon, &r.on, &r.onVerses);
    if (before) Mark(leap ? row.beforeLeap : row.beforeCommon, &r.before, &r.beforeVerses);
  }
  return r;
}

// ---------------------------------------------------------------- Shabbat

// What the Shabbat rules look at.
struct Shabbat {
  AbsoluteDay d = 0;
  HebrewDate h{};
  int yearType = kNoYearType;
  int32_t withMatoth = kReadingNoCode;  // the code read with Matoth this year: kMaseh, or none
  KhanukkaDays khanukka{};
  AbsoluteDay khanukkaShabbat1 = 0;  // the first Saturday on or after 25 Kislev
  AbsoluteDay khanukkaShabbat2 = 0;  // a week later; of Khanukka only when not after its last day
  std::array<int32_t, 3> codes{};    // c1, c2, c3 (kReadingNoCode when empty)
  RoshKhodeshHaftarot roshKhodesh;   // found after the codes

  int32_t c1() const { return codes[0]; }
  int32_t c2() const { return codes[1]; }
  bool Reads(int32_t code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }
};

// The code read with Matoth in Torah year `torahYear` (Maseh when the two
// are read together), or 1000. Matoth falls in Tammuz, so the search starts
// there.
int32_t CodeWithMatoth(int torahYear, const CalendarRules& rules) {
  const AbsoluteDay end = DetermineBereshith(torahYear + 1);
  for (AbsoluteDay s = SaturdayOnOrAfter(AbsoluteFromHebrew(1, kTammuz, torahYear)); s < end; s += 7) {
    ShabbatSections x;
    if (GetTorahSectionShabbat(s, rules, &x) && x.c1 == kMatoth) return x.c2;
  }
  return kReadingNoCode;
}

// 1. The codes.

void KholHaMoedSukkotByDate(Shabbat* s) {
  if (s->codes[0] != kReadingKholHaMoedSukkot) return;
  if (s->h.day == 17) s->codes[0] = kShabbat17Tishri;
  if (s->h.day == 19) s->codes[0] = kShabbat19Tishri;
  if (s->h.day == 20) s->codes[0] = kShabbat20Tishri;
}

void KhanukkaDayAsSecondReading(Shabbat* s) {
  if (s->khanukka.Contains(s->d)) s->codes[1] = kKhanukkaShabbatCodes[static_cast<size_t>(s->d - s->khanukka.first)];
}

// Shabbat Rosh Khodesh: its reading follows the week's sections and, being
// the more frequent one, comes before the Khanukka reading or a special
// maftir, which moves to the third slot.
void RoshKhodeshReading(Shabbat* s) {
  if (!IsRoshKhodeshDate(s->h)) return;
  int32_t& c1 = s->codes[0];
  int32_t& c2 = s->codes[1];
  if (c1 == kReadingNoCode) {
    c1 = kReadingShabbatRoshKhodesh;
  } else if (c2 == kReadingNoCode) {
    c2 = kReadingShabbatRoshKhodesh;
  } else if (c2 >= kReadingShabbatRoshKhodesh) {  // not a section
    s->codes[2] = c2;
    c2 = kReadingShabbatRoshKhodesh;
  } else {
    s->codes[2] = kReadingShabbatRoshKhodesh;
  }
}

void ShabbatCodes(Shabbat* s) {
  KholHaMoedSukkotByDate(s);
  KhanukkaDayAsSecondReading(s);
  RoshKhodeshReading(s);
  s->roshKhodesh = RoshKhodeshHaftarotOf(s->h, s->codes[0], s->codes[1]);
}

// 2. The Torah texts, and the Haftarah of each code.
void TorahTexts(const Texts& t, const Shabbat& s, ReadingsRec* rec) {
  for (size_t i = 0; i < 3; ++i) {
    if (s.codes[i] == kReadingNoCode) continue;
    rec->torah[i] = t.Torah(s.codes[i]);
    rec->haftarah[i] = t.Haftarah(s.codes[i]);
  }
  if (s.c1() == kReadingSheminiAtseretDay) {
    rec->torah[0] = t.Torah(kReadingSheminiAtseret);
    rec->torah[1] = t.Torah(kReadingSheminiAtseretPart2);
    rec->torah[2] = t.Torah(kReadingSheminiAtseretPart3);
  }
  if (s.d == ShabbatShuvaOf(s.h.year)) AddParsha(rec, t.Torah(kReadingShabbatShuva));
}

// 3. The Haftarot.

// A special Shabbat or a second section that, in the second or third slot,
// brings its own Haftarah instead of the first section's.
enum class OwnWhen : uint8_t {
  kAlways,
  kUnlessRoshKhodesh,  // not when the Shabbat reads a Rosh Khodesh Haftarah
  kAfterNitsabim,      // only after Nitsabim, whose Haftarah is then read
};
struct OwnHaftarahRow {
  int32_t code;
  OwnWhen when;
};
constexpr OwnHaftarahRow kOwnHaftarah[] = {
    {39, OwnWhen::kAlways},             // Balak with Hukath
    {32, OwnWhen::kAlways},             // Behukkothai with Behar
    {65, OwnWhen::kAlways},             // Shabbat HaGadol
    {64, OwnWhen::kAlways},             // Shabbat Hakhodesh
    {27, OwnWhen::kUnlessRoshKhodesh},  // Metsora with Tazria
    {51, OwnWhen::kAfterNitsabim},      // Vayeleh with Nitsabim
    {63, OwnWhen::kAlways},             // Shabbat Parah
    {61, OwnWhen::kAlways},             // Shabbat Shekalim
    {62, OwnWhen::kAlways},             // Shabbat Zakhor
};

// The slots whose code's own Haftarah is read: a kOwnHaftarah code (its
// Haftarah, or Nitsabim's after Nitsabim), and Maseh in a year of type 0.
std::array<bool, 3> OwnHaftarah(const Shabbat& s) {
  std::array<bool, 3> own{};
  for (size_t slot = 1; slot < 3; ++slot) {
    for (const OwnHaftarahRow& row : kOwnHaftarah) {
      if (row.code != s.codes[slot]) continue;
      if (row.when == OwnWhen::kUnlessRoshKhodesh && s.roshKhodesh.Any()) continue;
      if (row.when == OwnWhen::kAfterNitsabim && s.c1() != kNitsabim) continue;
      own[s.c1() == kNitsabim ? 0 : slot] = true;
    }
  }
  if (s.yearType == kYearTypeMasehOwnHaftarah) {
    const auto maseh = std::find(s.codes.begin(), s.codes.end(), kMaseh);
    if (maseh != s.codes.end()) own[static_cast<size_t>(maseh - s.codes.begin())] = true;
  }
  return own;
}

bool SecondOfTheThreeWeeks(const Shabbat& s) { return s.Reads(kMaseh); }
// Matoth read alone, or Pinhas when Matoth and Maseh are read together.
bool FirstOfTheThreeWeeks(const Shabbat& s) { return s.c1() == (s.withMatoth == kMaseh ? kPinhas : kMatoth); }
bool PinhasBeforeTheThreeWeeks(const Shabbat& s) { return s.withMatoth != kMaseh && s.c1() == kPinhas; }
// Kedoshim, alone or after Aharemoth, reads Amos; not near Rosh Khodesh.
bool KedoshimReadsAmos(const Shabbat& s) {
  if (s.roshKhodesh.Any()) return false;
  if (s.c1() == kKedoshim) return s.yearType != kYearTypeKedoshimOwn;
  return s.c2() == kKedoshim;
}
// In a year of type 9 Aharemoth read Amos, and Kedoshim reads its own.
bool KedoshimReadsItsOwn(const Shabbat& s) { return s.yearType == kYearTypeKedoshimOwn && s.c1() == kKedoshim; }
bool AharemothAlone(const Shabbat& s) {
  return s.c1() == kAharemoth && s.c2() == kReadingNoCode && !s.roshKhodesh.Any();
}
bool SecondShabbatOfKhanukka(const Shabbat& s) {
  return s.d == s.khanukkaShabbat2 && s.khanukkaShabbat2 <= s.khanukka.last;
}
bool FirstShabbatOfKhanukka(const Shabbat& s) { return s.d == s.khanukkaShabbat1; }
bool OnRoshKhodesh(const Shabbat& s) { return s.roshKhodesh.on; }
bool OnRoshKhodeshVerses(const Shabbat& s) { return s.roshKhodesh.onVerses; }
bool BeforeRoshKhodeshVerses(const Shabbat& s) { return s.roshKhodesh.beforeVerses; }
bool BeforeRoshKhodesh(const Shabbat& s) { return s.roshKhodesh.before; }
bool ShabbatShuva(const Shabbat& s) { return s.d == ShabbatShuvaOf(s.h.year); }

enum class Effect : uint8_t { kReplaces, kAdds };  // replaces the Haftarot, or adds verses to them
struct HaftarahRule {
  bool (*applies)(const Shabbat&);
  int32_t haftarah;
  Effect effect;
};
// In the order they are applied; each text goes into the first free slot.
constexpr HaftarahRule kHaftarahRules[] = {
    {SecondOfTheThreeWeeks, kHaftarahAffliction2, Effect::kReplaces},        // 26 Jul 2025
    {FirstOfTheThreeWeeks, kHaftarahAffliction1, Effect::kReplaces},         // 19 Jul 2025
    {PinhasBeforeTheThreeWeeks, kHaftarahPinhas, Effect::kReplaces},         // 16 Jul 2011
    {KedoshimReadsAmos, kHaftarahKedoshim, Effect::kReplaces},               // 24 Apr 2010
    {KedoshimReadsItsOwn, kHaftarahKedoshimOwn, Effect::kReplaces},          // 11 May 2024 in Israel
    {AharemothAlone, kHaftarahAharemothAlone, Effect::kReplaces},            // 4 May 2024
    {SecondShabbatOfKhanukka, kHaftarahKhanukka2, Effect::kReplaces},        // 19 Dec 2009
    {FirstShabbatOfKhanukka, kHaftarahKhanukka1, Effect::kReplaces},         // 12 Dec 2009
    {OnRoshKhodesh, kHaftarahRoshKhodesh, Effect::kReplaces},                // 16 Jan 2010
    {OnRoshKhodeshVerses, kHaftarahRoshKhodeshVerses, Effect::kAdds},        // 24 Mar 2012
    {BeforeRoshKhodeshVerses, kHaftarahMakharKhodeshVerses, Effect::kAdds},  // 13 Feb 2010
    {BeforeRoshKhodesh, kHaftarahMakharKhodesh, Effect::kReplaces},          // 17 Oct 2009
    {ShabbatShuva, kHaftarahShabbatShuva, Effect::kReplaces},                // 26 Sep 2009
};

// Replaces or adds to the Haftarot loaded with the codes. A text already
// listed is not listed again (Maseh in a year of type 0 brings its own
// Haftarah and the one of the second Shabbat of the three weeks, which are
// the same reading).
void Haftarot(const Texts& t, const Shabbat& s, ReadingsRec* rec) {
  std::array<int32_t, 3 + std::size(kHaftarahRules)> subs{};
  size_t count = 0;
  bool replaces = false;
  const std::array<bool, 3> own = OwnHaftarah(s);
  for (size_t i = 0; i < 3; ++i) {
    if (!own[i]) continue;
    subs[count++] = s.codes[i];
    replaces = true;
  }
  for (const HaftarahRule& rule : kHaftarahRules) {
    if (!rule.applies(s)) continue;
    subs[count++] = rule.haftarah;
    if (rule.effect == Effect::kReplaces) replaces = true;
  }
  if (replaces)
    for (std::string& h : rec->haftarah) h.clear();
  for (size_t i = 0; i < count; ++i) {
    const std::string text = t.Haftarah(subs[i]);
    if (std::find(rec->haftarah.begin(), rec->haftarah.end(), text) != rec->haftarah.end()) continue;
    const auto slot = std::find(rec->haftarah.begin(), rec->haftarah.end(), std::string());
    if (slot != rec->haftarah.end()) *slot = text;
  }
}

// False when the year type is unknown.
bool ShabbatReadings(const Texts& t, AbsoluteDay d, const HebrewDate& h, ReadingsRec* rec, ReadingsIds* ids) {
  const int torahYear = d < DetermineBereshith(h.year) ? h.year - 1 : h.year;
  const int yearType = TorahGetYearType(torahYear);
  ShabbatSections sections;
  if (yearType == kNoYearType || !GetTorahSectionShabbat(d, t.rules, &sections)) return false;
  Shabbat s;
  s.d = d;
  s.h = h;
  s.yearType = yearType;
  s.withMatoth = CodeWithMatoth(torahYear, t.rules);
  s.khanukka = KhanukkaOf(h.year);
  s.khanukkaShabbat1 = SaturdayOnOrAfter(s.khanukka.first);
  s.khanukkaShabbat2 = s.khanukkaShabbat1 + 7;
  s.codes = {sections.c1, sections.c2, sections.c3};
  ShabbatCodes(&s);
  TorahTexts(t, s, rec);
  Haftarot(t, s, rec);
  if (ids) *ids = ReadingsIds{true, s.codes[0], s.codes[1], s.codes[2]};
  return true;
}

// ---------------------------------------------------------------- holidays

// What the holiday code rules look at (the rules for those that differ in
// Israel).
struct Day {
  AbsoluteDay d;
  HebrewDate h;
  const CalendarRules& rules;
  int style;
};

bool OnRoshKhodeshDate(const Day& x) { return IsRoshKhodeshDate(x.h); }
bool OnSunday(const Day& x) { return WeekdayOf(x.d) == kSunday; }
bool OnMonday(const Day& x) { return WeekdayOf(x.d) == kMonday; }
bool Always(const Day&) { return true; }
bool Sephardic(const Day& x) { return x.style == kStyleSephardic; }
// The third aliyah of a Khanukka weekday repeats the day's prince (the
// Sephardic custom, and the Ashkenazi one in the Land of Israel); the
// Ashkenazim abroad read the next day's prince.
bool ReadsTheDaysPrinceAgain(const Day& x) { return !x.rules.diaspora || Sephardic(x); }

// A holiday's code that becomes another on some days.
struct HolidayCodeRule {
  int32_t code;
  bool (*applies)(const Day&);
  int32_t becomes;
};
// Applied in order, each to the code the rows before it left.
constexpr HolidayCodeRule kHolidayCodeRules[] = {
    {105, OnRoshKhodeshDate, 106},  // Khanukka VI on Rosh Khodesh, 31 Dec 2024
    {107, OnRoshKhodeshDate, 108},  // Khanukka VII on Rosh Khodesh, 1 Jan 2025
    {114, OnSunday, 116},           // 18 Nisan after Shabbat Khol HaMoed, 12 Apr 2020
    {114, Always, 115},             // 18 Nisan
    {117, OnMonday, 119},           // 19 Nisan after Shabbat Khol HaMoed, 13 Apr 2020
    {117, Always, 118},             // 19 Nisan
    {101, ReadsTheDaysPrinceAgain, 121},  // Khanukka II, 16 Dec 2025
    {102, ReadsTheDaysPrinceAgain, 122},  // Khanukka III, 17 Dec 2025
    {103, ReadsTheDaysPrinceAgain, 123},  // Khanukka IV, 18 Dec 2025
    {104, ReadsTheDaysPrinceAgain, 124},  // Khanukka V, 19 Dec 2025
    {107, ReadsTheDaysPrinceAgain, 108},  // Khanukka VII, 14 Dec 2023
    {100, Sephardic, 125},                // Khanukka I from the priestly blessing, 15 Dec 2025
};

int32_t HolidayCode(int32_t code, const Day& x) {
  for (const HolidayCodeRule& rule : kHolidayCodeRules)
    if (code == rule.code && rule.applies(x)) code = rule.becomes;
  return code;
}

void HolidayReadings(const Texts& t, AbsoluteDay d, const HebrewDate& h, int style, ReadingsRec* rec) {
  const bool inKhanukka = KhanukkaOf(h.year).Contains(d);
  for (const HolidayReadingRow& row : HolidayRecs) {
    if (row.code == kReadingYomHaAtsmaut && !t.rules.yomHaAtsmautLuach) continue;
    const HebrewDate date = FestivalDate(FestivalOfId(row.holidayId), h.year, t.rules);
    if (date.day == 0 || date != h) continue;
    const int32_t code = HolidayCode(row.code, Day{d, h, t.rules, style});
    rec->torah[0] = t.Torah(code);
    rec->haftarah[0] = inKhanukka ? std::string() : t.Haftarah(code);
    if (code == kReadingSimkhatTora && t.rules.diaspora) {
      rec->torah[1] = t.Torah(kReadingSimkhatTora + 1);
      rec->torah[2] = t.Torah(kReadingSimkhatTora + 2);
    }
    if (code == kReadingSheminiAtseretDay) {
      rec->torah[0] = t.Torah(kReadingSheminiAtseret);
      rec->torah[1] = t.Torah(kReadingSheminiAtseretPart2);
      rec->torah[2] = t.Torah(kReadingSheminiAtseretPart3);
    }
  }
  // Rosh Khodesh, the more frequent reading, before the holiday's.
  if (IsRoshKhodeshDate(h)) {
    if (!rec->torah[0].empty()) rec->torah[1] = rec->torah[0];
    rec->torah[0] = t.Torah(kReadingRoshKhodesh);
  }
}

}  // namespace

std::string GetTorahReading(const CalendarRules& rules, int code) {
  return ReadingText(ReadingTorahIsrael, ReadingTorahDiaspora, rules, code);
}

std::string GetHaftarahReading(const CalendarRules& rules, int code) {
  return ReadingText(ReadingHaftarahIsrael, ReadingHaftarahDiaspora, rules, code);
}

bool ParashGetReadingsWithIDs(int day, int month, int year, const CalendarRules& rules, ReadingsRec* rec,
                              ReadingsIds* ids, int style) {
  ReadingsRec scratch;
  if (!rec) rec = &scratch;
  *rec = ReadingsRec{};
  const Texts t{rules};
  const HebrewDate h{day, month, year};
  const AbsoluteDay d = AbsoluteFromHebrew(h);
  if (WeekdayOf(d) == kShabbat) return ShabbatReadings(t, d, h, rec, ids);
  HolidayReadings(t, d, h, style, rec);
  return false;
}

bool ParashGetReadings(int day, int month, int year, const CalendarRules& rules, ReadingsRec* rec, int style) {
  return ParashGetReadingsWithIDs(day, month, year, rules, rec, nullptr, style);
}
