#include "calendar/readings.h"

#include <algorithm>

#include "base/utf8.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/reading_tables.h"
#include "calendar/torah_sections.h"

namespace {

// MyLoadString number ranges.
constexpr int kTorahNumberFirst = 1;
constexpr int kTorahNumberLast = 1000;
constexpr int kHaftarahNumberFirst = 2000;
constexpr int kHaftarahNumberLast = 3000;

// The maftir of Khanukka day 1..8 when it is read on a Shabbat: that day's
// prince alone (the eighth day reads to the end of the chapter).
constexpr std::array<int32_t, 8> kKhanukkaShabbatCodes = {100, 121, 122, 123, 124, 105, 108, 109};

// Weekday holiday codes that depend on the day.
constexpr int32_t kKhanukka6 = 105, kKhanukka6RoshKhodesh = 106;
constexpr int32_t kKhanukka7 = 107, kKhanukka7RoshKhodesh = 108;
constexpr int32_t kPesakh18Nisan = 114, kPesakh18NisanDefault = 115, kPesakh18NisanSunday = 116;
constexpr int32_t kPesakh19Nisan = 117, kPesakh19NisanDefault = 118, kPesakh19NisanMonday = 119;
// Shabbat Khol HaMoed Sukkot on 17, 19 and 20 Tishri.
constexpr int32_t kShabbat17Tishri = 77, kShabbat19Tishri = 80, kShabbat20Tishri = 82;

// Sections with rules of their own.
constexpr int32_t kAharemoth = 28, kKedoshim = 29;
constexpr int32_t kPinhas = 40, kMatoth = 41, kMaseh = 42, kNitsabim = 50;
constexpr int kYearTypeKedoshimRule = 9;    // Saturday, 383 days, Pesakh on Tuesday
constexpr int kYearTypeMasehOwnHaftarah = 0;  // Monday, 353 days, Pesakh on Tuesday

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
                        int diasporaFlag, int code) {
  std::string_view text;
  if (diasporaFlag == 0) text = FindText(israel, code);
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
  std::string Torah(int32_t code) const { return TextOf(GetTorahReading(rules.diaspora, code)); }
  std::string Haftarah(int32_t code) const { return TextOf(GetHaphtarahReading(rules.diaspora, code)); }
};

// The Shabbatot of Khanukka: the first Saturday on or after 25 Kislev, and a
// week later, a Shabbat of Khanukka only when it is not after the last day.
struct KhanukkaShabbatot {
  AbsoluteDay first;
  AbsoluteDay second;
};

KhanukkaShabbatot ShabbatotOf(const KhanukkaDays& k) {
  const AbsoluteDay first = SaturdayOnOrAfter(k.first);
  return {first, first + 7};
}

// The second code of the Shabbat whose first code is Matoth in Torah year
// `torahYear` (Maseh when the two are read together), or 1000. Matoth falls
// in Tammuz, so the search starts there.
int32_t SecondCodeWithMatoth(int torahYear, const CalendarRules& rules) {
  const AbsoluteDay end = DetermineBereshith(torahYear + 1);
  for (AbsoluteDay s = SaturdayOnOrAfter(AbsoluteFromHebrew(1, kTammuz, torahYear)); s < end; s += 7) {
    ShabbatSections x;
    if (GetTorahSectionShabbat(s, rules, &x) && x.c1 == kMatoth) return x.c2;
  }
  return kReadingNoCode;
}

// Index of the last Torah entry with text (0 when none has).
size_t LastUsedEntry(const ReadingsRec& rec) {
  for (size_t i = rec.torah.size(); i-- > 1;)
    if (!rec.torah[i].text.empty()) return i;
  return 0;
}

// The Haftarah bits that a Rosh Khodesh near this Shabbat gives to the
// sections c1 and c2.
int32_t RoshKhodeshBits(const HebrewDate& h, int32_t c1, int32_t c2) {
  const bool on = h.day == 1 || h.day == 30;
  const bool before = h.day == 29 || h.day == 30;
  if (!on && !before) return 0;
  const bool leap = Hebrew_Leap_Year(h.year) != 0;
  int32_t bits = 0;
  for (const RoshHodeshRow& row : RoshHodesh) {
    if (row.section != c1 && row.section != c2) continue;
    const RoshHodeshKind& kind = RoshHodeshKinds[static_cast<size_t>(row.kind)];
    if (on) bits |= leap ? kind.onLeap : kind.onCommon;
    if (before) bits |= leap ? kind.beforeLeap : kind.beforeCommon;
  }
  return bits;
}

// The Haftarah substitutions, in order: the own Haftarah of every entry with
// bit 2, then the bits of haphtarah_table. A substitution that replaces the
// Haftarah clears the three slots first (once); one that only adds the first
// and last verses of the Rosh Khodesh Haftarah keeps what was loaded when
// nothing replaces it. Each text goes into the first empty slot, unless a
// slot already holds the same text (Maseh in a year of type 0 brings its own
// Haftarah and the one of the second Shabbat of the three weeks, which are
// the same reading).
void ResolveHaftarot(const Texts& t, ReadingsRec* rec, const std::array<int32_t, 3>& codes) {
  std::array<int32_t, 3 + haphtarah_table.size()> subs{};
  size_t count = 0;
  bool replaces = false;
  int32_t allFlags = 0;
  for (size_t i = 0; i < 3; ++i) {
    allFlags |= rec->torah[i].flags;
    if (rec->torah[i].flags & kHaftOwn) {
      subs[count++] = codes[i];
      replaces = true;
    }
  }
  for (const HaftarahSubstitute& s : haphtarah_table) {
    if (!(allFlags & s.bit)) continue;
    subs[count++] = s.code;
    if (!(s.bit & kHaftAddsVerses)) replaces = true;
  }
  if (count == 0) return;
  if (replaces)
    for (std::string& h : rec->haphtarah) h.clear();
  for (size_t i = 0; i < count; ++i) {
    const std::string text = t.Haftarah(subs[i]);
    if (std::find(rec->haphtarah.begin(), rec->haphtarah.end(), text) != rec->haphtarah.end()) continue;
    for (std::string& slot : rec->haphtarah) {
      if (slot.empty()) {
        slot = text;
        break;
      }
    }
  }
}

// Steps of a Saturday. Returns 0 when the year type is unknown.
int ShabbatReadings(const Texts& t, AbsoluteDay d, const HebrewDate& h, ReadingsRec* rec, ReadingsIds* ids) {
  const int torahYear = d < DetermineBereshith(h.year) ? h.year - 1 : h.year;
  const int yearType = TorahGetYearType(torahYear);
  ShabbatSections sections;
  if (yearType == kNoYearType || !GetTorahSectionShabbat(d, t.rules, &sections)) return 0;
  int32_t c1 = sections.c1, c2 = sections.c2, c3 = sections.c3;
  const int32_t m = SecondCodeWithMatoth(torahYear, t.rules);
  const KhanukkaDays khanukka = KhanukkaOf(h.year);
  const KhanukkaShabbatot khanukkaShabbat = ShabbatotOf(khanukka);
  auto& e1 = rec->torah[0];
  auto& e2 = rec->torah[1];
  auto& e3 = rec->torah[2];

  // The section or festival, and Shemini Atseret with its further parts.
  if (c1 == kReadingKholHaMoedSukkot) {
    if (h.day == 17) c1 = kShabbat17Tishri;
    if (h.day == 19) c1 = kShabbat19Tishri;
    if (h.day == 20) c1 = kShabbat20Tishri;
  }
  e1.text = t.Torah(c1);
  rec->haphtarah[0] = t.Haftarah(c1);
  if (c1 == kReadingSheminiAtseretDay) {
    e1.text = t.Torah(kReadingSheminiAtseret);
    e2.text = t.Torah(kReadingSheminiAtseretPart2);
    e3.text = t.Torah(kReadingSheminiAtseretPart3);
  }

  // The second reading: a combined section, a special Shabbat or Khanukka.
  const bool inKhanukka = khanukka.Contains(d);
  if (inKhanukka) c2 = kKhanukkaShabbatCodes[static_cast<size_t>(d - khanukka.first)];
  if (c2 != kReadingNoCode) {
    e2.text = t.Torah(c2);
    if (!(inKhanukka && d == khanukkaShabbat.second)) rec->haphtarah[1] = t.Haftarah(c2);
  }

  // Shabbat Rosh Khodesh: its reading follows the week's sections and, being
  // the more frequent one, comes before the Khanukka reading or a special
  // maftir, which moves to the third slot with its Haftarah.
  if (IsRoshKhodeshDate(h)) {
    if (c1 == kReadingNoCode) {
      c1 = kReadingShabbatRoshKhodesh;
      e1.text = t.Torah(c1);
    } else if (c2 != kReadingNoCode && c2 >= kReadingShabbatRoshKhodesh) {
      c3 = c2;
      c2 = kReadingShabbatRoshKhodesh;
      e2.text = t.Torah(c2);
      rec->haphtarah[1] = t.Haftarah(c2);
    } else if (c2 != kReadingNoCode) {
      c3 = kReadingShabbatRoshKhodesh;
    } else {
      c2 = kReadingShabbatRoshKhodesh;
      e2.text = t.Torah(c2);
    }
  }
  if (c3 != kReadingNoCode) {
    e3.text = t.Torah(c3);
    rec->haphtarah[2] = t.Haftarah(c3);
  }

  // Rosh Khodesh Haftarah bits go to the last reading of the Shabbat.
  rec->torah[LastUsedEntry(*rec)].flags |= RoshKhodeshBits(h, c1, c2);
  // Whether the Shabbat reads a Rosh Khodesh Haftarah at all. The bits sit on
  // the Rosh Khodesh entry on Shabbat Rosh Khodesh itself, so the tests below
  // look at all three entries, not only at the section's own.
  const bool roshKhodeshHaftarah =
      ((e1.flags | e2.flags | e3.flags) & kHaftAnyRoshKhodesh) != 0;

  // Special codes whose own Haftarah replaces the first section's.
  const std::array<int32_t, 3> codes = {c1, c2, c3};
  for (size_t slot = 1; slot < 3; ++slot) {
    for (const ZeroRow& row : ZeroRecs) {
      if (row.code != codes[slot]) continue;
      if ((row.rules & kZeroRuleNotRoshKhodesh) && roshKhodeshHaftarah) continue;
      if ((row.rules & kZeroRuleOnlyAfter50) && c1 != kNitsabim) continue;
      rec->torah[c1 == kNitsabim ? 0 : slot].flags |= kHaftOwn;
    }
  }

  // Khanukka.
  if (d == khanukkaShabbat.first) e1.flags |= kHaftKhanukka1;
  if (khanukkaShabbat.second <= khanukka.last && d == khanukkaShabbat.second) e1.flags |= kHaftKhanukka2;

  // Sections read alone (Vayakhel or Pekude alone keeps its own Haftarah).
  if (c1 == kAharemoth && c2 == kReadingNoCode && !roshKhodeshHaftarah) e1.flags |= kHaftAharemothAlone;
  if (c1 == kKedoshim) {
    if (!roshKhodeshHaftarah) e1.flags |= kHaftKedoshim;
  } else if (c2 == kKedoshim && !roshKhodeshHaftarah) {
    e2.flags |= kHaftKedoshim;
  }
  if (yearType == kYearTypeKedoshimRule && c1 == kKedoshim) {
    e1.flags &= ~kHaftKedoshim;
    e1.flags |= kHaftKedoshimType9;
  }

  // The three weeks between 17 Tammuz and 9 Av.
  if (m != kMaseh) {
    if (c1 == kMatoth) e1.flags |= kHaftAffliction1;
    if (c1 == kPinhas) e1.flags |= kHaftPinhasBefore;
  } else if (c1 == kPinhas) {
    e1.flags |= kHaftAffliction1;
  }
  for (size_t slot = 0; slot < 3; ++slot) {
    if (codes[slot] != kMaseh) continue;
    rec->torah[slot].flags |= kHaftAffliction2;
    if (yearType == kYearTypeMasehOwnHaftarah) rec->torah[slot].flags |= kHaftOwn;
    break;
  }

  if (d == ShabbatShuvaOf(h.year)) AddParsha(rec, t.Torah(kReadingShabbatShuva), kHaftShabbatShuva);

  ResolveHaftarot(t, rec, codes);
  if (ids) *ids = ReadingsIds{1, c1, c2, c3};
  return 1;
}

// The weekday code of a holiday's reading.
int32_t AdjustHolidayCode(int32_t code, AbsoluteDay d, const HebrewDate& h) {
  const bool roshKhodesh = h.day == 30 || h.day == 1;
  if (code == kKhanukka6 && roshKhodesh) return kKhanukka6RoshKhodesh;
  if (code == kKhanukka7 && roshKhodesh) return kKhanukka7RoshKhodesh;
  if (code == kPesakh18Nisan) return WeekdayOf(d) == kSunday ? kPesakh18NisanSunday : kPesakh18NisanDefault;
  if (code == kPesakh19Nisan) return WeekdayOf(d) == kMonday ? kPesakh19NisanMonday : kPesakh19NisanDefault;
  return code;
}

void HolidayReadings(const Texts& t, AbsoluteDay d, const HebrewDate& h, ReadingsRec* rec) {
  const bool inKhanukka = KhanukkaOf(h.year).Contains(d);
  for (const HolidayReadingRow& row : HolidayRecs) {
    const HebrewDate date = FestivalDate(FestivalOfId(row.holidayId), h.year, t.rules);
    if (date.day == 0 || date != h) continue;
    const int32_t code = AdjustHolidayCode(row.code, d, h);
    rec->torah[0].text = t.Torah(code);
    rec->haphtarah[0] = inKhanukka ? std::string() : t.Haftarah(code);
    if (code == kReadingSimkhatTora && t.rules.diaspora) {
      rec->torah[1].text = t.Torah(kReadingSimkhatTora + 1);
      rec->torah[2].text = t.Torah(kReadingSimkhatTora + 2);
    }
    if (code == kReadingSheminiAtseretDay) {
      rec->torah[0].text = t.Torah(kReadingSheminiAtseret);
      rec->torah[1].text = t.Torah(kReadingSheminiAtseretPart2);
      rec->torah[2].text = t.Torah(kReadingSheminiAtseretPart3);
    }
  }
  // Rosh Khodesh, the more frequent reading, before the holiday's.
  if (IsRoshKhodeshDate(h)) {
    if (!rec->torah[0].text.empty()) rec->torah[1].text = rec->torah[0].text;
    rec->torah[0].text = t.Torah(kReadingRoshKhodesh);
  }
}

}  // namespace

std::string GetTorahReading(int diaspora, int code) {
  return ReadingText(ReadingTorahIsrael, ReadingTorahDiaspora, diaspora, code);
}

std::string GetHaphtarahReading(int diaspora, int code) {
  return ReadingText(ReadingHaphtarahIsrael, ReadingHaphtarahDiaspora, diaspora, code);
}

int GetTorahBase(int /*code*/) { return kTorahNumberFirst; }
int GetHaphtarahBase(int /*code*/) { return kHaftarahNumberFirst; }

std::string MyLoadString(const void* /*unused*/, int number) {
  const Texts t{CurrentCalendarRules()};
  if (number >= kTorahNumberFirst && number <= kTorahNumberLast) return t.Torah(number - kTorahNumberFirst);
  if (number >= kHaftarahNumberFirst && number <= kHaftarahNumberLast) return t.Haftarah(number - kHaftarahNumberFirst);
  return {};
}

void AddParsha(ReadingsRec* rec, std::string_view text, int32_t bits) {
  if (!rec) return;
  ReadingsTorahEntry* entry = &rec->torah[1];
  if (rec->torah[0].text.empty()) {
    entry = &rec->torah[0];
  } else if (!rec->torah[1].text.empty()) {
    entry = &rec->torah[2];
  }
  entry->text = CutUtf8(text, kReadingTextMax);
  entry->flags |= bits;
}

int ParashGetReadingsWithIDs(int day, int month, int year, const CalendarRules& rules, ReadingsRec* rec,
                             ReadingsIds* ids) {
  ReadingsRec scratch;
  if (!rec) rec = &scratch;
  *rec = ReadingsRec{};
  const Texts t{rules};
  const HebrewDate h{day, month, year};
  const AbsoluteDay d = AbsoluteFromHebrew(h);
  if (WeekdayOf(d) == kShabbat) return ShabbatReadings(t, d, h, rec, ids);
  HolidayReadings(t, d, h, rec);
  return 0;
}

int ParashGetReadingsWithIDs(int day, int month, int year, ReadingsRec* rec, ReadingsIds* ids) {
  return ParashGetReadingsWithIDs(day, month, year, CurrentCalendarRules(), rec, ids);
}

int ParashGetReadings(int day, int month, int year, ReadingsRec* rec) {
  return ParashGetReadingsWithIDs(day, month, year, rec, nullptr);
}
