// The layout of a day cell, measured with the recording Drawing's metrics
// (6 units a byte, lines 10 + size / 2 high): sizes shrink before lines go,
// lines go least important first, anniversaries never without a "+N more",
// and no text overlaps another or leaves the cell, whatever its size.
#include "render/cell_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "recording_drawing.h"
#include "render/colors.h"

namespace {

using testenv::RecordingDrawing;
using K = CellLineKind;

FontSizeSet EnglishScreenSizes() {
  FontSizeSet s;
  FontSize_GetDefault(&s, false, false);
  return s;
}

constexpr int kSmallest = 7;

CellLine Line(K kind, FontRole role, std::string text, std::string hint = {}) {
  return {kind, role, kBlue, std::move(text), std::move(hint)};
}

// A Shabbat that has everything: the lines in the order a cell shows them.
CellContent FullDay(int anniversaries) {
  CellContent c;
  c.gregorianNumber = "14";
  c.hebrewNumber = "27";
  c.lines = {Line(K::kHoliday, kFontImportant1, "Pesakh VIII"),
             Line(K::kTime, kFontShabbatTime, "08:52PM", "Havdalah"),
             Line(K::kYizkor, kFontImportant2, "Yizkor"),
             Line(K::kSection, kFontImportant2, "Shemini"),
             Line(K::kRoshKhodesh, kFontImportant2, "Rosh Khodesh"),
             Line(K::kOmer, kFontOmer, "7 L'Omer")};
  for (int i = 0; i < anniversaries; ++i)
    c.lines.push_back(Line(K::kAnniversary, kFontAnniversaries, "Birthday: N" + std::to_string(i)));
  c.lines.push_back(Line(K::kDafYomi, kFontDafYomi, "Menachos 88", "Daf Yomi"));
  return c;
}

CellLayoutOptions Options() {
  CellLayoutOptions o;
  o.inset = 3;
  o.numberGap = 4;
  o.ellipsis = "~";
  return o;
}

struct Laid {
  CellLayout layout;
  std::vector<std::string> texts;
};

Laid Lay(const CellContent& content, int width, int height, CellLayoutOptions options = Options()) {
  RecordingDrawing d;
  FontBook fonts(d, EnglishScreenSizes(), kSmallest);
  Laid out{LayoutCell(fonts, {100, 200, width, height}, content, options), {}};
  for (const PlacedText& t : out.layout.texts) out.texts.push_back(t.text);
  return out;
}

bool Has(const Laid& l, const std::string& text) {
  return std::find(l.texts.begin(), l.texts.end(), text) != l.texts.end();
}

// Overlaps and texts outside the cell (100, 200, width, height).
std::vector<std::string> Problems(const CellLayout& layout, int width, int height) {
  std::vector<std::string> problems;
  const auto& t = layout.texts;
  for (size_t i = 0; i < t.size(); ++i) {
    const CellBox& a = t[i].box;
    if (a.x < 100 || a.y < 200 || a.x + a.width > 100 + width || a.y + a.height > 200 + height)
      problems.push_back("\"" + t[i].text + "\" leaves the cell");
    for (size_t j = i + 1; j < t.size(); ++j) {
      const CellBox& b = t[j].box;
      if (a.width == 0 || b.width == 0) continue;
      if (a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height)
        problems.push_back("\"" + t[i].text + "\" overlaps \"" + t[j].text + "\"");
    }
  }
  return problems;
}

TEST(CellLayout, ARoomyCellShowsEverythingAtTheConfiguredSizes) {
  const Laid l = Lay(FullDay(1), 200, 300);
  EXPECT_EQ(l.layout.scale, 100);
  EXPECT_EQ(l.layout.droppedLines, 0);
  EXPECT_EQ(l.texts, (std::vector<std::string>{"14", "27", "08:52PM", "Pesakh VIII", "Yizkor", "Shemini",
                                               "Rosh Khodesh", "7 L'Omer", "Birthday: N0", "Menachos 88"}));
  // The time between the day numbers, on their row; the Daf Yomi on the lower edge.
  const auto& t = l.layout.texts;
  EXPECT_EQ(t[2].box.y, t[0].box.y);
  EXPECT_EQ(t.back().box.y + t.back().box.height, 200 + 300 - 3);
  // Lines follow each other down from under the numbers.
  for (size_t i = 4; i + 1 < t.size(); ++i) EXPECT_EQ(t[i].box.y, t[i - 1].box.y + t[i - 1].box.height) << t[i].text;
  EXPECT_EQ(t[3].box.y, t[0].box.y + t[0].box.height);
}

TEST(CellLayout, SizesShrinkBeforeLinesGo) {
  // Under the numbers and the time (18 high) the seven lines need 4 * 17 +
  // 3 * 16 = 116 at full size; the cell holds 124. At 80% the sizes 13, 11
  // and 10 take 16 + 4 * 15 + 3 * 15 = 121.
  const Laid l = Lay(FullDay(1), 200, 130);
  EXPECT_EQ(l.layout.scale, 80);
  EXPECT_EQ(l.layout.droppedLines, 0);
  EXPECT_EQ(l.texts.size(), 10u);
}

// Which kinds of line a layout kept (not counting the "+N more" line), and
// whether the time stands between the day numbers, where it takes no room.
std::vector<K> KeptKinds(const CellContent& content, const CellLayout& layout, bool* timeInNumberRow) {
  std::vector<K> kept;
  *timeInNumberRow = false;
  for (const PlacedText& t : layout.texts) {
    if (t.isMoreLine) continue;
    for (const CellLine& line : content.lines) {
      if (line.text != t.text) continue;
      kept.push_back(line.kind);
      if (line.kind == K::kTime && t.box.y == layout.texts.front().box.y) *timeInNumberRow = true;
    }
  }
  return kept;
}

// The order in which lines are kept: holiday, time, section, Rosh Khodesh,
// Yizkor, anniversaries, Omer, Daf Yomi. Over every cell height, a line is
// only there when every more important one is (the "+N more" line of the
// anniversaries that went stays longer, and in a cell too small even for
// it the day number's hint names them).
TEST(CellLayout, LinesGoLeastImportantFirst) {
  const K importance[] = {K::kHoliday, K::kTime, K::kSection, K::kRoshKhodesh, K::kYizkor, K::kAnniversary,
                          K::kOmer, K::kDafYomi};
  const CellContent content = FullDay(1);
  int dropsSeen = 0;
  for (int height = 20; height <= 140; ++height) {
    const Laid l = Lay(content, 200, height);
    bool timeInNumberRow = false;
    const std::vector<K> kept = KeptKinds(content, l.layout, &timeInNumberRow);
    bool missing = false;
    for (K kind : importance) {
      const bool there = std::find(kept.begin(), kept.end(), kind) != kept.end();
      if (kind == K::kTime && timeInNumberRow) continue;
      EXPECT_FALSE(there && missing) << "height " << height << ": kind " << static_cast<int>(kind)
                                     << " kept after a more important one went";
      missing = missing || !there;
    }
    const bool more = std::any_of(l.layout.texts.begin(), l.layout.texts.end(),
                                  [](const PlacedText& t) { return t.isMoreLine; });
    if (l.layout.hiddenAnniversaries > 0 && !more) {
      ASSERT_FALSE(l.layout.texts.empty());
      EXPECT_EQ(l.layout.texts.front().hint, "Birthday: N0") << "height " << height;
    }
    dropsSeen = std::max(dropsSeen, l.layout.droppedLines);
    EXPECT_TRUE(Problems(l.layout, 200, height).empty()) << "height " << height;
  }
  EXPECT_GE(dropsSeen, 6);
}

// Six anniversaries: those shown and the "+N more" line always count six,
// and its hint names all six, one a line.
TEST(CellLayout, AnniversariesNeverGoSilently) {
  const CellContent content = FullDay(6);
  bool sawMore = false, sawAll = false;
  for (int height = 60; height <= 260; height += 3) {
    const Laid l = Lay(content, 200, height);
    int shown = 0;
    const PlacedText* more = nullptr;
    for (const PlacedText& t : l.layout.texts) {
      if (t.text.rfind("Birthday: ", 0) == 0) ++shown;
      if (t.isMoreLine) more = &t;
    }
    if (shown == 6) {
      sawAll = true;
      EXPECT_EQ(more, nullptr) << height;
      continue;
    }
    ASSERT_NE(more, nullptr) << "height " << height << ": " << shown << " of six and no \"+N more\"";
    sawMore = true;
    EXPECT_EQ(more->text, "+" + std::to_string(6 - shown) + " more") << height;
    EXPECT_EQ(more->hint, "Birthday: N0\nBirthday: N1\nBirthday: N2\nBirthday: N3\nBirthday: N4\nBirthday: N5");
    EXPECT_EQ(l.layout.hiddenAnniversaries, 6 - shown);
  }
  EXPECT_TRUE(sawMore && sawAll);
}

TEST(CellLayout, ALongLineShrinksOrIsCutWithItsWholeTextInTheHint) {
  CellContent c;
  c.gregorianNumber = "1";
  c.hebrewNumber = "2";
  // 19 bytes: 114 units at any size; 26 bytes: 156.
  c.lines = {Line(K::kSection, kFontImportant2, "Aharemoth, Kedoshim"),
             Line(K::kHoliday, kFontImportant1, "Shemini Atseret/Simkhat T")};
  const Laid wide = Lay(c, 200, 200);
  EXPECT_TRUE(Has(wide, "Aharemoth, Kedoshim"));
  // 100 wide: the recording metrics do not shrink with the size, so the
  // lines are cut to 94 units (15 bytes with the ellipsis) at the smallest size.
  const Laid narrow = Lay(c, 100, 200);
  ASSERT_EQ(narrow.texts.size(), 4u);
  EXPECT_EQ(narrow.texts[2], "Aharemoth, Ked~");
  EXPECT_EQ(narrow.texts[3], "Shemini Atsere~");
  EXPECT_EQ(narrow.layout.texts[2].box.width, 90);
  // 66 wide (60 inside): the blank and the comma before a cut go with it.
  EXPECT_EQ(Lay(c, 66, 200).texts[2], "Aharemoth~");
  EXPECT_EQ(narrow.layout.texts[2].hint, "Aharemoth, Kedoshim");
  for (const PlacedText& t : narrow.layout.texts) EXPECT_LE(t.box.width, 94) << t.text;
}

TEST(CellLayout, ATimeWithoutRoomBetweenTheNumbersGoesBelowThem) {
  CellContent c;
  c.gregorianNumber = "30";
  c.hebrewNumber = "29";
  c.lines = {Line(K::kHoliday, kFontImportant1, "Purim"), Line(K::kTime, kFontShabbatTime, "07:47PM")};
  // 60 wide: 54 inside, the numbers take 12 each and the gaps 8: no room for 42.
  const Laid l = Lay(c, 60, 200);
  ASSERT_EQ(l.texts, (std::vector<std::string>{"30", "29", "Purim", "07:47PM"}));
  EXPECT_GT(l.layout.texts[3].box.y, l.layout.texts[2].box.y);
  const Laid roomy = Lay(c, 120, 200);
  EXPECT_EQ(roomy.layout.texts[2].text, "07:47PM");
  EXPECT_EQ(roomy.layout.texts[2].box.y, roomy.layout.texts[0].box.y);
}

// Metrics whose widths grow with the size, as real fonts' do: a byte is
// size / 2 units wide, a line 10 + size / 2 high.
class ProportionalMetrics final : public Drawing {
 public:
  DrawingFont use_font(std::string_view family, int size, std::string_view weight, std::string_view) override {
    auto f = std::make_unique<testenv::RecordedFont>();
    f->family = family;
    f->size = size;
    f->weight = weight;
    fonts_.push_back(std::move(f));
    return fonts_.back().get();
  }
  int get_text_width(DrawingFont f, std::string_view t) override {
    return static_cast<int>(t.size()) * Size(f) / 2;
  }
  int get_text_height(DrawingFont f) override { return 10 + Size(f) / 2; }
  void draw_string_left(DrawingFont, int, int, std::string_view) override {}
  void draw_string_right(DrawingFont, int, int, std::string_view) override {}
  void draw_string_center(DrawingFont, int, int, int, std::string_view) override {}
  void draw_line(int, int, int, int) override {}
  void draw_rectangle(int, int, int, int) override {}
  void fill_rectangle(int, int, int, int) override {}
  void draw_ellipse_text_right(DrawingFont, int, int, std::string_view) override {}
  void fill_polygon(const DrawingPoint*, int) override {}
  void get_color(DrawingColor* c) override { *c = kBlue; }
  void set_color(const DrawingColor&) override {}
  int get_x_unit(int n) override { return n; }
  int get_y_unit(int n) override { return n; }
  int get_device_class() override { return kDeviceScreen; }
  int get_color_mode() override { return kColorModeColor; }

 private:
  static int Size(DrawingFont f) { return static_cast<const testenv::RecordedFont*>(f)->size; }
  std::vector<std::unique_ptr<testenv::RecordedFont>> fonts_;
};

// A time that would fit between the day numbers only in a smaller size
// takes a line of its own at its size: it is never the smallest text of the
// cell. The Shabbat time is 14: "07:47PM" 49 units wide, 21 at size 7.
TEST(CellLayout, ATimeBetweenTheNumbersKeepsItsSize) {
  CellContent c;
  c.gregorianNumber = "3";
  c.hebrewNumber = "16";
  c.lines = {Line(K::kHoliday, kFontImportant1, "Pesakh II"), Line(K::kTime, kFontShabbatTime, "07:47PM"),
             Line(K::kOmer, kFontOmer, "1 L'Omer")};
  ProportionalMetrics metrics;
  FontBook fonts(metrics, EnglishScreenSizes(), kSmallest);
  // 90 wide: 84 inside, less the numbers (8 and 16 at size 16) and the gaps
  // leaves 2 * min(45 - 3 - 8 - 4, 87 - 16 - 4 - 45) = 44 for the time.
  const CellLayout narrow = LayoutCell(fonts, {0, 0, 90, 300}, c, Options());
  ASSERT_EQ(narrow.texts.size(), 5u);
  EXPECT_EQ(narrow.texts[3].text, "07:47PM");
  EXPECT_GT(narrow.texts[3].box.y, narrow.texts[2].box.y) << "below the holiday";
  EXPECT_EQ(narrow.texts[3].box.width, 49) << "at its size";
  // 100 wide: 54 between the numbers, room enough.
  const CellLayout wide = LayoutCell(fonts, {0, 0, 100, 300}, c, Options());
  ASSERT_EQ(wide.texts.size(), 5u);
  EXPECT_EQ(wide.texts[2].text, "07:47PM");
  EXPECT_EQ(wide.texts[2].box.y, wide.texts[0].box.y);
  EXPECT_EQ(wide.texts[2].box.width, 49);
}

// A property over cell sizes from tiny to large: nothing overlaps, nothing
// leaves the cell.
TEST(CellLayout, NothingOverlapsOrLeavesTheCellAtAnySize) {
  for (int anniversaries : {0, 2, 6}) {
    const CellContent content = FullDay(anniversaries);
    for (int width = 30; width <= 260; width += 23) {
      for (int height = 24; height <= 300; height += 17) {
        const Laid l = Lay(content, width, height);
        const std::vector<std::string> problems = Problems(l.layout, width, height);
        EXPECT_TRUE(problems.empty()) << width << "x" << height << ": " << problems.front();
      }
    }
  }
}

TEST(CellLayout, TheMonthScaleCountsAnniversariesAsOneLine) {
  RecordingDrawing d;
  FontBook fonts(d, EnglishScreenSizes(), kSmallest);
  const CellBox box{0, 0, 200, 130};
  const int one = LargestFittingScale(fonts, box, FullDay(1), Options());
  EXPECT_EQ(LargestFittingScale(fonts, box, FullDay(6), Options()), one);
  EXPECT_EQ(one, 80);
  EXPECT_EQ(LargestFittingScale(fonts, {0, 0, 200, 400}, FullDay(6), Options()), 100);
  EXPECT_EQ(LargestFittingScale(fonts, {0, 0, 200, 30}, FullDay(0), Options()), 60);
}

TEST(FitTextToWidth, CutsWholeCharactersAndKeepsPointsWithTheirLetters) {
  RecordingDrawing d;
  FontBook fonts(d, EnglishScreenSizes(), kSmallest);
  // "ש" + shin dot + "ב" + "ת": the dot (2 bytes) never stands without its letter.
  const std::string shabbat = "\xD7\xA9\xD7\x81\xD7\x91\xD7\xAA";
  const FittedText fit = FitTextToWidth(fonts, kFontOmer, 12, 7, shabbat, 6 * 6, "~");
  EXPECT_TRUE(fit.cut);
  EXPECT_EQ(fit.text, "\xD7\xA9\xD7\x81~");
  const FittedText nothing = FitTextToWidth(fonts, kFontOmer, 12, 7, shabbat, 3, "~");
  EXPECT_EQ(nothing.text, "");
  const FittedText fits = FitTextToWidth(fonts, kFontOmer, 12, 7, "abc", 18, "~");
  EXPECT_FALSE(fits.cut);
  EXPECT_EQ(fits.size, 12);
}

}  // namespace
