// The checks of the export, print, year-sheet and place dialogs, as rows of
// input -> message (tests/data/forms/*.tsv).
#include <gtest/gtest.h>

#include <sstream>

#include "base/settings.h"
#include "base/translate.h"
#include "compose/ics_export.h"
#include "forms/export_form.h"
#include "forms/place_form.h"
#include "forms/print_form.h"
#include "forms/year_sheet_form.h"
#include "reference_data.h"
#include "storage/user_files.h"
#include "suntimes/zone_names.h"
#include "test_env.h"

namespace {

// The rows of tests/data/forms/NAME; "_" stands for an empty field.
std::vector<std::vector<std::string>> Rows(const std::string& name, size_t columns) {
  auto rows = testenv::CaseRows("forms/" + name);
  for (auto& row : rows) {
    EXPECT_EQ(row.size(), columns) << row[0];
    row.resize(columns);
    for (std::string& cell : row) cell = cell == "_" ? "" : cell;
  }
  EXPECT_GT(rows.size(), 5u) << name;
  return rows;
}

std::string WithHome(std::string text, const std::string& home) {
  for (size_t at; (at = text.find("$HOME")) != std::string::npos;) text.replace(at, 5, home);
  return text;
}

std::vector<std::string> Split(const std::string& s) {
  std::vector<std::string> parts;
  std::istringstream in(s);
  for (std::string p; std::getline(in, p, ',');) parts.push_back(p == "_" ? "" : p);
  return parts;
}

class FormsTest : public ::testing::Test {
 protected:
  FormsTest() {
    settingsReset();
    translate_init("");
    testenv::WriteFile(home_.lumaro("cities"), "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n");
  }
  ~FormsTest() override { translate_done(); }
  testenv::TempHome home_;
};

TEST_F(FormsTest, Export) {
  for (const auto& r : Rows("export_form.tsv", 6)) {
    settingsReset();
    setLearningFlag("daf-yomi", 0);
    if (r[4] == "tehillim") setLearningFlag("tehillim", 1);
    else if (r[4] != "-") setCity(r[4]);
    ExportForm form{r[0], r[1], 0, WithHome(r[3] == "" ? "  " : r[3], home_.path())};
    for (const std::string& id : Split(r[2]))
      for (const IcsKindRow& k : kIcsKindRows) form.kinds |= id == k.option ? k.kind : 0u;
    ExportRequest req;
    std::string got;
    if (ReadExportForm(form, &req, &got))
      got = "OK " + testdata::IsoOf(req.first) + ".." + testdata::IsoOf(req.last) + " " + req.path;
    EXPECT_EQ(got, WithHome(r[5], home_.path())) << r[0] << " " << r[1] << " " << r[2] << " " << r[3];
  }
  for (const auto& r : Rows("export_extension.tsv", 3)) {
    const std::string file = r[0] == "_" ? " " : r[0];
    EXPECT_EQ(ExportFileForFormat(file, r[1] == "csv" ? ExportFormat::kCsv : ExportFormat::kICalendar),
              r[2] == "_" ? " " : r[2]) << r[0] << " " << r[1];
  }
  for (const auto& r : Rows("export_proposal.tsv", 3)) {
    const ExportDates dates = ExportProposedDates(GregorianFromAbsolute(*testdata::IsoDay(r[0])));
    EXPECT_EQ(dates.from + " " + dates.to, r[1] + " " + r[2]) << r[0];
  }
}

TEST_F(FormsTest, Print) {
  for (const auto& r : Rows("print_form.tsv", 7)) {
    PrintForm form;
    form.toPrinter = r[0] != "file";
    form.printerIndex = form.toPrinter ? std::stoi(r[0]) : 0;
    form.printers = {"q"};
    form.file = r[1] == "-" ? "" : r[1];
    form.paper = std::stoi(r[2]);
    form.landscape = r[3] == "L";
    form.blackWhite = r[4] == "BW";
    const std::vector<std::string> margins = Split(r[5]);
    ASSERT_EQ(margins.size(), 4u) << r[5];
    std::copy(margins.begin(), margins.end(), form.margins.begin());
    PrintJob job;
    std::string got;
    if (ReadPrintForm(form, &job, &got)) {
      got = "OK " + (job.printerName.empty() ? "-" : job.printerName) + "|" + (job.filePath.empty() ? "-" : job.filePath);
      for (int v : {job.paperWidth, job.paperHeight, job.orientation, job.color, job.leftMargin, job.topMargin,
                    job.rightMargin, job.bottomMargin})
        got += " " + std::to_string(v);
      EXPECT_EQ(job.toFile, form.toPrinter ? 0 : 1);
    }
    EXPECT_EQ(got, r[6]) << r[0] << " " << r[1] << " " << r[5];
  }
}

TEST_F(FormsTest, YearSheet) {
  for (const auto& r : Rows("year_sheet_form.tsv", 6)) {
    const std::string printer = r[3] == "-" ? "" : r[3], path = r[4] == "-" ? "" : r[4];
    std::string got;
    if (const auto req = ReadYearSheetForm(r[0], r[1] == "1", std::stoi(r[2]), printer, path, &got))
      got = "OK " + std::to_string(req->year) + " " + (req->printer.empty() ? "-" : req->printer) + "|" +
            (req->path.empty() ? "-" : req->path) + " " + (req->pdf ? "1" : "0");
    EXPECT_EQ(got, r[5]) << r[0] << " " << r[1];
  }
  // The message is shown in the interface language.
  ASSERT_TRUE(InstallDefaultUserFiles());
  setLanguage(kLanguageYiddish);
  translate_done();
  translate_init(getLanguagePrefix(kLanguageYiddish));
  std::string got;
  EXPECT_FALSE(ReadYearSheetForm("x", false, 0, "", "a.pdf", &got));
  EXPECT_EQ(got, translate_perform("Year must be a number"));
  EXPECT_NE(got, "Year must be a number");
}

TEST_F(FormsTest, YearText) {
  for (const auto& r : Rows("year_text.tsv", 2)) {
    std::string error;
    const int year = ParseYearText(r[0].c_str(), &error);
    EXPECT_EQ(error.empty() ? std::to_string(year) : error, r[1]) << r[0];
  }
}

TEST_F(FormsTest, Place) {
  const std::vector<std::string> zones = TimeZoneNames();
  ASSERT_TRUE(std::is_sorted(zones.begin(), zones.end()));
  std::vector<CityRec> cities(2);
  cities[0].name = "Pforzheim";
  cities[1].name = "Z\xFCrich";
  for (const auto& r : Rows("place_form.tsv", 8)) {
    PlaceLine place;
    std::string got = ReadPlaceForm({r[1], r[2], r[3], r[4], r[5], r[6]}, zones, cities, r[0], 2024, &place);
    if (got.empty()) got = Utf8FromLatin1(place.line);
    EXPECT_EQ(got, r[7]) << r[1] << " " << r[2] << " " << r[3];
    // A place read back for editing gives the same line.
    PlaceLine again;
    if (!place.line.empty()) ReadPlaceForm(PlaceFormOf(place.city), zones, {}, "", 2024, &again);
    EXPECT_EQ(again.line, place.line);
  }
}

// The standard time of each zone named in the shipped city file is the one
// its GMT field gives (worked out from the same database by another reader
// for 2024; see scripts/make-cities.py).
TEST(ZoneStandardTime, AsTheShippedCityFileGivesIt) {
  int checked = 0;
  for (const std::string& line : testenv::Lines(testenv::ReadFile(LUMARO_SOURCE_DATADIR "/cities"))) {
    const size_t gmt = line.find(", GMT");
    const size_t zoneAt = line.find(", ", gmt + 2);
    if (line[0] == '#' || gmt == std::string::npos || zoneAt == std::string::npos) continue;
    int hours = 0;
    int minutes = 0;
    std::sscanf(line.c_str() + gmt + 5, "%d:%d", &hours, &minutes);
    const std::string zone = line.substr(zoneAt + 2, line.find(',', zoneAt + 2) - zoneAt - 2);
    EXPECT_EQ(ZoneStandardMinutes(zone, 2024), hours * 60 + (hours < 0 ? -minutes : minutes)) << line;
    ++checked;
  }
  EXPECT_GT(checked, 600);
  EXPECT_EQ(ZoneStandardMinutes("Mars/Olympus", 2024), std::nullopt);
}

}  // namespace
