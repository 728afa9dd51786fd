#include "calendar/learning.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

CalendarRules RulesOf(bool diaspora) { return diaspora ? kDiasporaRules : kIsraelRules; }

// ---------------------------------------------------------------- the reference

// Names of the independent calendar (tests/data/learning_reference.tsv) that
// we spell otherwise; any other name must be the same on both sides.
const std::map<std::string, std::string> kTractateNames = {
    {"Berakhot", "Berachos"},   {"Peah", "Pe'ah"},          {"Sheviit", "Shevi'is"},
    {"Terumot", "Terumos"},     {"Maasrot", "Ma'asros"},    {"Maaser Sheni", "Ma'aser Sheni"},
    {"Challah", "Chalah"},      {"Bikkurim", "Bikurim"},    {"Shabbat", "Shabbos"},
    {"Yoma", "Yuma"},           {"Sukkah", "Sukah"},        {"Rosh Hashanah", "Rosh Ha'Shanah"},
    {"Taanit", "Ta'anis"},      {"Megillah", "Megilah"},    {"Yevamot", "Yevamos"},
    {"Ketubot", "Kesuvos"},     {"Gittin", "Gitin"},        {"Kiddushin", "Kidushin"},
    {"Bava Kamma", "Bava Kama"}, {"Bava Batra", "Bava Basra"}, {"Makkot", "Makos"},
    {"Shevuot", "Shevuos"},     {"Eduyot", "Eduyos"},       {"Avot", "Avos"},
    {"Horayot", "Horayos"},     {"Menachot", "Menachos"},   {"Chullin", "Chulin"},
    {"Bekhorot", "Bechoros"},   {"Arakhin", "Erchin"},      {"Keritot", "Kerisus"},
    {"Meilah", "Me'ilah"},      {"Middot", "Midos"},        {"Kinnim", "Kinim"},
    {"Kelim", "Keilim"},        {"Oholot", "Ohalos"},       {"Negaim", "Nega'im"},
    {"Tahorot", "Taharos"},     {"Mikvaot", "Mikva'os"},    {"Niddah", "Nidah"},
    {"Makhshirin", "Machshirin"}, {"Oktzin", "Uktzin"},
};
const std::map<std::string, std::string> kNachNames = {{"Nachum", "Nahum"}};
const std::map<std::string, std::string> kRambamNames = {
    {"Transmission of the Oral Law", "Hakdamah"},
    {"Positive Mitzvot", "Mitzvos Asei"},
    {"Negative Mitzvot", "Mitzvos Lo Sa'asei"},
    {"Overview of Mishneh Torah Contents", "Tochen HaChibur"},
    {"Foundations of the Torah", "Yesodei HaTorah"},
    {"Human Dispositions", "Dei'os"},
    {"Torah Study", "Talmud Torah"},
    {"Foreign Worship and Customs of the Nations", "Avodah Zarah"},
    {"Repentance", "Teshuvah"},
    {"Reading the Shema", "Krias Shema"},
    {"Prayer and the Priestly Blessing", "Tefilah u'Birkas Kohanim"},
    {"Tefillin, Mezuzah and the Torah Scroll", "Tefilin u'Mezuzah v'Sefer Torah"},
    {"Fringes", "Tzitzis"},
    {"Blessings", "Berachos"},
    {"Circumcision", "Milah"},
    {"The Order of Prayer", "Seder HaTefilah"},
    {"Sabbath", "Shabbos"},
    {"Rest on the Tenth of Tishrei", "Shevisas Asor"},
    {"Rest on a Holiday", "Yom Tov"},
    {"Leavened and Unleavened Bread", "Chametz u'Matzah"},
    {"Shofar, Sukkah and Lulav", "Shofar v'Sukah v'Lulav"},
    {"Sheqel Dues", "Shekalim"},
    {"Sanctification of the New Month", "Kiddush HaChodesh"},
    {"Fasts", "Ta'aniyos"},
    {"Scroll of Esther and Hanukkah", "Megilah v'Chanukah"},
    {"Marriage", "Ishus"},
    {"Divorce", "Geirushin"},
    {"Levirate Marriage and Release", "Yibum v'Chalitzah"},
    {"Virgin Maiden", "Na'arah Besulah"},
    {"Woman Suspected of Infidelity", "Sotah"},
    {"Forbidden Intercourse", "Isurei Bi'ah"},
    {"Forbidden Foods", "Ma'achalos Asuros"},
    {"Ritual Slaughter", "Shechitah"},
    {"Oaths", "Shevuos"},
    {"Vows", "Nedarim"},
    {"Nazariteship", "Nezirus"},
    {"Appraisals and Devoted Property", "Erchin v'Charamin"},
    {"Diverse Species", "Kilayim"},
    {"Gifts to the Poor", "Matnos Aniyim"},
    {"Heave Offerings", "Terumos"},
    {"Tithes", "Ma'asros"},
    {"Second Tithes and Fourth Year's Fruit", "Ma'aser Sheni v'Neta Reva'i"},
    {"First Fruits and other Gifts to Priests Outside the Sanctuary", "Bikurim"},
    {"Sabbatical Year and the Jubilee", "Shemitah v'Yovel"},
    {"The Chosen Temple", "Beis HaBechirah"},
    {"Vessels of the Sanctuary and Those who Serve Therein", "Klei HaMikdash"},
    {"Admission into the Sanctuary", "Bi'as HaMikdash"},
    {"Things Forbidden on the Altar", "Isurei HaMizbe'ach"},
    {"Sacrificial Procedure", "Ma'aseh HaKorbanos"},
    {"Daily Offerings and Additional Offerings", "Temidin u'Musafin"},
    {"Sacrifices Rendered Unfit", "Pesulei HaMukdashin"},
    {"Service on the Day of Atonement", "Avodas Yom HaKipurim"},
    {"Trespass", "Me'ilah"},
    {"Paschal Offering", "Korban Pesach"},
    {"Festival Offering", "Chagigah"},
    {"Firstlings", "Bechoros"},
    {"Offerings for Unintentional Transgressions", "Shegagos"},
    {"Offerings for Those with Incomplete Atonement", "Mechusrei Kaparah"},
    {"Substitution", "Temurah"},
    {"Defilement by a Corpse", "Tumas Meis"},
    {"Red Heifer", "Parah Adumah"},
    {"Defilement by Leprosy", "Tumas Tzara'as"},
    {"Those Who Defile Bed or Seat", "Metamei Mishkav u'Moshav"},
    {"Other Sources of Defilement", "She'ar Avos HaTumos"},
    {"Defilement of Foods", "Tumas Ochlin"},
    {"Vessels", "Keilim"},
    {"Immersion Pools", "Mikva'os"},
    {"Damages to Property", "Nizkei Mamon"},
    {"Theft", "Geneivah"},
    {"Robbery and Lost Property", "Gezeilah va'Aveidah"},
    {"One Who Injures a Person or Property", "Chovel u'Mazik"},
    {"Murderer and the Preservation of Life", "Rotze'ach u'Shmiras Nefesh"},
    {"Sales", "Mechirah"},
    {"Ownerless Property and Gifts", "Zechiyah u'Matanah"},
    {"Neighbors", "Shecheinim"},
    {"Agents and Partners", "Sheluchin v'Shutafin"},
    {"Slaves", "Avadim"},
    {"Hiring", "Sechirus"},
    {"Borrowing and Deposit", "She'eilah u'Pikadon"},
    {"Creditor and Debtor", "Malveh v'Loveh"},
    {"Plaintiff and Defendant", "To'en v'Nit'an"},
    {"Inheritances", "Nachalos"},
    {"The Sanhedrin and the Penalties within their Jurisdiction", "Sanhedrin"},
    {"Testimony", "Eidus"},
    {"Rebels", "Mamrim"},
    {"Mourning", "Avel"},
    {"Kings and Wars", "Melachim u'Milchamos"},
};

// A day field of the reference: which of our cycles, whose names it uses,
// and its column in a day line.
struct Column {
  LearningCycle cycle;
  bool diaspora;
  const std::map<std::string, std::string>* names;  // null: a cycle of one book
  size_t field;
};
const Column kColumns[] = {
    {LearningCycle::kMishnaYomit, true, &kTractateNames, 0},
    {LearningCycle::kNachYomi, true, &kNachNames, 1},
    {LearningCycle::kYerushalmiYomi, true, &kTractateNames, 2},
    {LearningCycle::kRambamOneChapter, true, &kRambamNames, 3},
    {LearningCycle::kRambamThreeChapters, true, &kRambamNames, 4},
    {LearningCycle::kTehillim, true, nullptr, 5},
    {LearningCycle::kPirkeiAvot, true, nullptr, 6},
    {LearningCycle::kPirkeiAvot, false, nullptr, 7},
};
constexpr size_t kDayFields = 8;

struct Reference {
  std::map<std::string, std::map<int, std::string>> names;  // cycle id -> index -> name
  std::map<std::string, std::string> starts;                // cycle id -> YYYY-MM-DD
  AbsoluteDay firstDay = 0;
  std::vector<testdata::Row> days;
};

// Read once: the file has a line per day for 151 years.
const Reference& LoadReference() {
  static const Reference ref = [] {
    Reference r;
    std::ifstream in(testenv::TestDataDir() + "/learning_reference.tsv");
    std::string line;
    int declared = -1;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      testdata::Row f = testdata::SplitRow(line, '\t');
      if (f[0] == "name" && f.size() == 4) {
        r.names[f[1]][testdata::ToInt(f[2]).value_or(-1)] = f[3];
      } else if (f[0] == "start" && f.size() == 3) {
        r.starts[f[1]] = f[2];
      } else if (f[0] == "days" && f.size() == 3) {
        r.firstDay = testdata::IsoDay(f[1]).value_or(0);
        declared = testdata::ToInt(f[2]).value_or(-1);
      } else {
        r.days.push_back(std::move(f));
      }
    }
    if (static_cast<int>(r.days.size()) != declared) r.days.clear();  // a cut file checks nothing
    return r;
  }();
  return ref;
}

// The portions as comparable tokens "name chapter" (one per whole chapter,
// page or psalm) or "name c:v" / "name c:v-c:v" where verses are given.
using Tokens = std::vector<std::string>;

void AddChapters(Tokens& out, const std::string& name, int first, int last) {
  for (int c = first; c <= last; ++c) out.push_back(name + " " + std::to_string(c));
}

// The reference's place texts: "7", "7-8", "3+4", "1:5", "1:1-4:8", "119:1-119:96".
void AddReferencePlace(Tokens& out, const std::string& name, const std::string& place) {
  if (place.find(':') != std::string::npos) {
    out.push_back(name + " " + place);
    return;
  }
  const size_t sep = place.find_first_of("-+");
  if (sep != std::string::npos && place[sep] == '+') {
    for (const std::string& c : testdata::SplitRow(place, '+')) out.push_back(name + " " + c);
    return;
  }
  const int first = testdata::ToInt(place.substr(0, sep)).value_or(-1);
  const int last = sep == std::string::npos ? first : testdata::ToInt(place.substr(sep + 1)).value_or(-1);
  AddChapters(out, name, first, last);
}

Tokens ReferenceTokens(const Reference& ref, const Column& column, const std::string& field) {
  Tokens out;
  if (field.empty()) return out;
  const std::string id(LearningCycleId(column.cycle));
  for (const std::string& part : testdata::SplitRow(field, ',')) {
    if (!column.names) {
      AddReferencePlace(out, std::string(LearningBookName(column.cycle, 0)), part);
      continue;
    }
    const size_t slash = part.find('/');
    const auto index = testdata::ToInt(part.substr(0, slash));
    const auto& names = ref.names.at(id);
    const auto known = names.find(index.value_or(-1));
    std::string name = known == names.end() ? "?" : known->second;
    const auto ours = column.names->find(name);
    if (ours != column.names->end()) name = ours->second;
    AddReferencePlace(out, name, part.substr(slash + 1));
  }
  return out;
}

std::string PlaceText(const LearningPlace& p) { return std::to_string(p.chapter) + ":" + std::to_string(p.verse); }

Tokens OurTokens(const LearningPortion& p) {
  Tokens out;
  for (int i = 0; i < p.count; ++i) {
    const LearningPart& part = p.parts[static_cast<size_t>(i)];
    const std::string name(LearningBookName(p.cycle, part.book));
    if (part.first.verse == 0 && part.last.verse == 0) {
      AddChapters(out, name, part.first.chapter, part.last.chapter);
    } else if (part.first.chapter == part.last.chapter && part.first.verse == part.last.verse) {
      out.push_back(name + " " + PlaceText(part.first));
    } else {
      out.push_back(name + " " + PlaceText(part.first) + "-" + PlaceText(part.last));
    }
  }
  return out;
}

std::string Joined(const Tokens& tokens) {
  std::string s;
  for (const std::string& t : tokens) s += (s.empty() ? "" : " | ") + t;
  return s;
}

// Every day of every cycle from 1950 (or the cycle's start) to 2100.
TEST(Learning, EveryDayMatchesIndependentCalendar) {
  const Reference& ref = LoadReference();
  ASSERT_GT(ref.days.size(), 55000u) << "learning_reference.tsv missing or cut short";
  for (const Column& column : kColumns) {
    const std::string label = std::string(LearningCycleId(column.cycle)) + (column.diaspora ? "" : " (Israel)");
    int mismatches = 0;
    int portions = 0;
    for (size_t i = 0; i < ref.days.size(); ++i) {
      const testdata::Row& row = ref.days[i];
      ASSERT_EQ(row.size(), kDayFields) << "day line " << i;
      const AbsoluteDay d = ref.firstDay + static_cast<AbsoluteDay>(i);
      const Tokens expected = ReferenceTokens(ref, column, row[column.field]);
      const Tokens actual = OurTokens(GetLearningPortion(column.cycle, d, RulesOf(column.diaspora)));
      if (!expected.empty()) ++portions;
      if (expected != actual && ++mismatches <= 5) {
        ADD_FAILURE() << label << " " << testdata::IsoOf(d) << ": expected [" << Joined(expected) << "], got ["
                      << Joined(actual) << "]";
      }
    }
    EXPECT_EQ(mismatches, 0) << label;
    EXPECT_GT(portions, 0) << label;
  }
}

// The reference's first day of each cycle that counts from a start date.
TEST(Learning, StartDatesMatchIndependentCalendar) {
  const Reference& ref = LoadReference();
  for (LearningCycle cycle : kLearningCycles) {
    const auto start = ref.starts.find(std::string(LearningCycleId(cycle)));
    if (LearningCycleStart(cycle) == 0) {
      EXPECT_EQ(start, ref.starts.end()) << LearningCycleId(cycle);
      continue;
    }
    ASSERT_NE(start, ref.starts.end()) << LearningCycleId(cycle);
    EXPECT_EQ(testdata::IsoOf(LearningCycleStart(cycle)), start->second) << LearningCycleId(cycle);
  }
}

// ---------------------------------------------------------------- worked examples

AbsoluteDay Day(int day, int month, int year) { return AbsoluteFromGregorian(day, month, year); }

// Values worked out by hand from the published descriptions of the cycles.
TEST(Learning, WorkedExamples) {
  struct Case {
    const char* label;
    LearningCycle cycle;
    AbsoluteDay day;
    bool diaspora;
    const char* text;
  };
  using C = LearningCycle;
  const Case cases[] = {
      {"Mishna Yomit begins on 1 Sivan 5707", C::kMishnaYomit, Day(20, 5, 1947), true, "Berachos 1:1-2"},
      {"the day before it", C::kMishnaYomit, Day(19, 5, 1947), true, ""},
      {"a day across two chapters", C::kMishnaYomit, Day(22, 5, 1947), true, "Berachos 1:5-2:1"},
      {"Berachos has 57 mishnayot: day 28 ends it", C::kMishnaYomit, Day(17, 6, 1947), true, "Berachos 9:5, Pe'ah 1:1"},
      {"Nach Yomi begins on 20 Heshvan 5768", C::kNachYomi, Day(1, 11, 2007), true, "Joshua 1"},
      {"the day before it", C::kNachYomi, Day(31, 10, 2007), true, ""},
      {"742 days later the next cycle", C::kNachYomi, Day(1, 11, 2007) + 742, true, "Joshua 1"},
      {"the last day of a cycle", C::kNachYomi, Day(1, 11, 2007) + 741, true, "II Chronicles 36"},
      {"Yerushalmi Yomi begins on 15 Shevat 5740", C::kYerushalmiYomi, Day(2, 2, 1980), true, "Berachos 1"},
      {"the day before it", C::kYerushalmiYomi, Day(1, 2, 1980), true, ""},
      {"Yom Kippur 5741", C::kYerushalmiYomi, AbsoluteFromHebrew(10, kTishri, 5741), true, ""},
      {"the fast on 10 Av 5778 (9 Av a Shabbat)", C::kYerushalmiYomi, Day(22, 7, 2018), true, ""},
      {"Rambam begins on 27 Nisan 5744", C::kRambamOneChapter, Day(29, 4, 1984), true, "Hakdamah 1-21"},
      {"the day before it", C::kRambamOneChapter, Day(28, 4, 1984), true, ""},
      {"the last day of the introductions", C::kRambamOneChapter, Day(10, 5, 1984), true, "Tochen HaChibur 10:1-14:10"},
      {"the first chapter of the laws", C::kRambamOneChapter, Day(11, 5, 1984), true, "Yesodei HaTorah 1"},
      {"Seder HaTefilah 4 and 5 on one day", C::kRambamOneChapter, Day(8, 8, 2023), true, "Seder HaTefilah 4-5"},
      {"three chapters: the first day", C::kRambamThreeChapters, Day(29, 4, 1984), true, "Hakdamah 1-45"},
      {"three chapters across two laws", C::kRambamThreeChapters, Day(6, 5, 1984), true, "Yesodei HaTorah 10, Dei'os 1-2"},
      {"the Haggadah with chapter 8", C::kRambamThreeChapters, Day(23, 6, 1984), true,
       "Chametz u'Matzah 8-9, Shofar v'Sukah v'Lulav 1-2"},
      {"Tehillim on the 1st", C::kTehillim, AbsoluteFromHebrew(1, kTishri, 5785), true, "Psalms 1-9"},
      {"Tehillim on the 25th", C::kTehillim, AbsoluteFromHebrew(25, kTishri, 5785), true, "Psalms 119:1-96"},
      {"Tehillim on the 26th", C::kTehillim, AbsoluteFromHebrew(26, kTishri, 5785), true, "Psalms 119:97-176"},
      {"29 Tishri (a month of 30)", C::kTehillim, AbsoluteFromHebrew(29, kTishri, 5785), true, "Psalms 140-144"},
      {"30 Tishri", C::kTehillim, AbsoluteFromHebrew(30, kTishri, 5785), true, "Psalms 145-150"},
      {"29 Iyar (a month of 29)", C::kTehillim, AbsoluteFromHebrew(29, kIyar, 5784), true, "Psalms 140-150"},
      // 5784: Pesakh on Tuesday, 22 Shabbatot, the last two doubled.
      {"first Shabbat after Pesakh 5784", C::kPirkeiAvot, Day(4, 5, 2024), true, "Avos 1"},
      {"a weekday", C::kPirkeiAvot, Day(5, 5, 2024), true, ""},
      {"the third Shabbat", C::kPirkeiAvot, Day(18, 5, 2024), false, "Avos 3"},
      {"three Shabbatot before Rosh HaShana 5785", C::kPirkeiAvot, Day(14, 9, 2024), true, "Avos 2"},
      {"two before", C::kPirkeiAvot, Day(21, 9, 2024), true, "Avos 3-4"},
      {"the last Shabbat", C::kPirkeiAvot, Day(28, 9, 2024), true, "Avos 5-6"},
      {"a winter Shabbat", C::kPirkeiAvot, Day(5, 10, 2024), true, ""},
      // 5778: Pesakh on Shabbat, so 22 Nisan and 9 Av are Shabbatot.
      {"22 Nisan 5778 is Pesakh in the Diaspora", C::kPirkeiAvot, Day(7, 4, 2018), true, ""},
      {"and after Pesakh in Israel", C::kPirkeiAvot, Day(7, 4, 2018), false, "Avos 1"},
      {"the Diaspora begins a week later", C::kPirkeiAvot, Day(14, 4, 2018), true, "Avos 1"},
      {"9 Av 5778 on Shabbat", C::kPirkeiAvot, Day(21, 7, 2018), false, ""},
      // 5783: Pesakh on Thursday, so Shavuot II (Diaspora) is a Shabbat.
      {"7 Sivan 5783 in the Diaspora", C::kPirkeiAvot, Day(27, 5, 2023), true, ""},
      {"7 Sivan 5783 in Israel", C::kPirkeiAvot, Day(27, 5, 2023), false, "Avos 1"},
      {"the Diaspora the week after", C::kPirkeiAvot, Day(3, 6, 2023), true, "Avos 1"},
      // 5785: 9 Av on Sunday, so no chapter on the Shabbat before it.
      {"8 Av 5785", C::kPirkeiAvot, Day(2, 8, 2025), true, ""},
      {"Pesakh VII 5785 on Shabbat", C::kPirkeiAvot, Day(19, 4, 2025), false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetLearningText(c.cycle, c.day, RulesOf(c.diaspora)), c.text) << c.label << " (" << testdata::IsoOf(c.day) << ")";
  }
}

// Yom Kippur and the fast of Tisha BeAv hold the page: the day after one
// learns the page after the day before.
TEST(Learning, YerushalmiPausesOnFastDays) {
  for (int year = 5741; year <= 5860; ++year) {
    const AbsoluteDay ninthOfAv = AbsoluteFromHebrew(9, kAv, year);
    const AbsoluteDay fasts[] = {AbsoluteFromHebrew(10, kTishri, year),
                                 WeekdayOf(ninthOfAv) == kShabbat ? ninthOfAv + 1 : ninthOfAv};
    for (AbsoluteDay fast : fasts) {
      EXPECT_EQ(GetLearningPortion(LearningCycle::kYerushalmiYomi, fast, kDiasporaRules).count, 0) << testdata::IsoOf(fast);
      const LearningPortion before = GetLearningPortion(LearningCycle::kYerushalmiYomi, fast - 1, kDiasporaRules);
      const LearningPortion after = GetLearningPortion(LearningCycle::kYerushalmiYomi, fast + 1, kDiasporaRules);
      ASSERT_EQ(before.count, 1);
      ASSERT_EQ(after.count, 1);
      const bool nextPage = after.parts[0].book == before.parts[0].book &&
                            after.parts[0].first.chapter == before.parts[0].first.chapter + 1;
      const bool nextTractate = after.parts[0].first.chapter == 1;
      EXPECT_TRUE(nextPage || nextTractate) << testdata::IsoOf(fast);
    }
    // A Shabbat on 9 Av is learnt; the fast is the next day.
    if (WeekdayOf(ninthOfAv) == kShabbat) {
      EXPECT_EQ(GetLearningPortion(LearningCycle::kYerushalmiYomi, ninthOfAv, kDiasporaRules).count, 1) << year;
    }
  }
}

// Each Shabbat season reads the six chapters four times, ending with 5-6 on
// the last Shabbat before Rosh HaShana, in Israel and the Diaspora.
TEST(Learning, PirkeiAvotSeasonsEndWithChapterSix) {
  for (int year = 5700; year <= 5900; ++year) {
    for (bool diaspora : {true, false}) {
      const AbsoluteDay end = AbsoluteFromHebrew(1, kTishri, year + 1);
      int chapters = 0;
      int lastChapter = 0;
      for (AbsoluteDay d = AbsoluteFromHebrew(15, kNisan, year); d < end; ++d) {
        const LearningPortion p = GetLearningPortion(LearningCycle::kPirkeiAvot, d, RulesOf(diaspora));
        for (int i = 0; i < p.count; ++i) {
          const LearningPart& part = p.parts[static_cast<size_t>(i)];
          EXPECT_EQ(part.first.chapter, chapters % 6 + 1) << year;
          chapters += part.last.chapter - part.first.chapter + 1;
          lastChapter = part.last.chapter;
        }
      }
      EXPECT_EQ(chapters, 24) << year << (diaspora ? " Diaspora" : " Israel");
      EXPECT_EQ(lastChapter, 6) << year;
    }
  }
}

// ---------------------------------------------------------------- names and ids

TEST(Learning, CycleIdsAndTitles) {
  const std::pair<LearningCycle, const char*> ids[] = {
      {LearningCycle::kMishnaYomit, "mishna-yomit"},  {LearningCycle::kNachYomi, "nach-yomi"},
      {LearningCycle::kYerushalmiYomi, "yerushalmi-yomi"}, {LearningCycle::kRambamOneChapter, "rambam-1"},
      {LearningCycle::kRambamThreeChapters, "rambam-3"}, {LearningCycle::kTehillim, "tehillim"},
      {LearningCycle::kPirkeiAvot, "pirkei-avot"},
  };
  for (const auto& [cycle, id] : ids) {
    EXPECT_EQ(LearningCycleId(cycle), id);
    EXPECT_EQ(LearningCycleFromId(id), cycle);
    EXPECT_FALSE(LearningCycleTitle(cycle).empty());
  }
  EXPECT_EQ(LearningCycleFromId("daf-yomi"), std::nullopt);
  EXPECT_EQ(LearningCycleFromId(""), std::nullopt);
  EXPECT_EQ(LearningBookName(LearningCycle::kNachYomi, -1), "");
  EXPECT_EQ(LearningBookName(LearningCycle::kNachYomi, LearningBookCount(LearningCycle::kNachYomi)), "");
  EXPECT_EQ(GetLearningText(LearningCycle::kTehillim, 0, kDiasporaRules), "");
  const AbsoluteDay lastDay = Day(31, 12, kLastYear);
  EXPECT_NE(GetLearningText(LearningCycle::kTehillim, lastDay, kDiasporaRules), "");
  EXPECT_EQ(GetLearningText(LearningCycle::kTehillim, lastDay + 1, kDiasporaRules), "");
  EXPECT_EQ(GetLearningText(LearningCycle::kMishnaYomit, INT64_MAX, kDiasporaRules), "");
}

// Every name is one whole table string, used once per cycle and without a
// comma (which separates the books of a text), and the
// tractates of the Daf Yomi line keep its spelling (but for its "Evurin" and
// "Bava Kana").
TEST(Learning, BookNames) {
  for (LearningCycle cycle : kLearningCycles) {
    std::set<std::string_view> seen;
    for (int b = 0; b < LearningBookCount(cycle); ++b) {
      const std::string_view name = LearningBookName(cycle, b);
      EXPECT_FALSE(name.empty());
      EXPECT_EQ(name.find(','), std::string_view::npos) << name;
      EXPECT_TRUE(seen.insert(name).second) << name << " twice in " << LearningCycleId(cycle);
    }
  }
  std::set<std::string_view> mishna;
  for (int b = 0; b < LearningBookCount(LearningCycle::kMishnaYomit); ++b)
    mishna.insert(LearningBookName(LearningCycle::kMishnaYomit, b));
  for (int index = 0; index < 2711; ++index) {
    std::string daf;
    GetDafYomiInternal(index, &daf);
    if (daf == "Evurin" || daf == "Bava Kana") continue;
    EXPECT_EQ(mishna.count(daf), 1u) << daf;
  }
}

TEST(Learning, TranslatedBookNames) {
  const LearningPortion p = GetLearningPortion(LearningCycle::kMishnaYomit, Day(17, 6, 1947), kDiasporaRules);
  EXPECT_EQ(FormatLearningPortion(p, [](int book) { return "<" + std::to_string(book) + ">"; }), "<0> 9:5, <1> 1:1");
  // The Rambam's four introductions come before its laws.
  EXPECT_FALSE(LearningBookIsRambamLaw(LearningCycle::kRambamOneChapter, 3));
  EXPECT_TRUE(LearningBookIsRambamLaw(LearningCycle::kRambamOneChapter, 4));
  EXPECT_EQ(LearningBookName(LearningCycle::kRambamThreeChapters, 4), "Yesodei HaTorah");
  EXPECT_TRUE(LearningBookIsRambamLaw(LearningCycle::kRambamThreeChapters, LearningBookCount(LearningCycle::kRambamThreeChapters) - 1));
  EXPECT_FALSE(LearningBookIsRambamLaw(LearningCycle::kRambamThreeChapters, LearningBookCount(LearningCycle::kRambamThreeChapters)));
  EXPECT_FALSE(LearningBookIsRambamLaw(LearningCycle::kMishnaYomit, 4));
  EXPECT_EQ(FormatLearningPortion(LearningPortion{}), "");
}

}  // namespace
