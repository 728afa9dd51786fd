#include "render/cell_layout.h"

#include <algorithm>

#include "base/text_format.h"

namespace {

constexpr int kScaleStep = 5;  // percent

const CellLineKindRow& RowOf(CellLineKind kind) { return kCellLineKinds[static_cast<int>(kind)]; }

// A line of the content as it takes part in the fitting (the "+N more"
// line is the fitter's own).
struct Candidate {
  int line = 0;  // index into content.lines
  int rank = 0;
  bool kept = true;
};

class CellFitter {
 public:
  CellFitter(FontBook& fonts, const CellBox& cell, const CellContent& content, const CellLayoutOptions& options)
      : fonts_(fonts), cell_(cell), content_(content), options_(options) {
    left_ = cell.x + options.inset;
    right_ = cell.x + cell.width - options.inset;
    top_ = cell.y + options.inset;
    bottom_ = cell.y + cell.height - options.inset;
    for (size_t i = 0; i < content.lines.size(); ++i) {
      const CellLine& line = content.lines[i];
      if (line.kind == CellLineKind::kAnniversary) ++anniversaries_;
      if (line.kind == CellLineKind::kTime && timeLine_ < 0) timeLine_ = static_cast<int>(i);
      candidates_.push_back({static_cast<int>(i), RowOf(line.kind).dropRank, true});
    }
  }

  // The largest scale at which everything fits, or 0.
  int FittingScale() {
    for (int scale = options_.largestScale; scale >= options_.smallestScale; scale -= kScaleStep) {
      if (Fits(scale)) return scale;
    }
    return 0;
  }

  // Lowers each monthSize kind's entry of `sizes` (0: none yet) to the size
  // at which this cell's lines of the kind fit its width.
  void LowerKindSizes(std::array<int, static_cast<size_t>(CellLineKind::kCount)>& sizes) {
    for (const CellLine& line : content_.lines) {
      if (!RowOf(line.kind).monthSize) continue;
      const int size = Scaled(line.role, options_.largestScale);
      const FittedText fit = FitTextToWidth(fonts_, line.role, size, fonts_.Smallest(), Shown(line, size, Width()),
                                            Width(), options_.ellipsis);
      int& kindSize = sizes[static_cast<size_t>(line.kind)];
      kindSize = kindSize == 0 ? fit.size : std::min(kindSize, fit.size);
    }
  }

  CellLayout Run() {
    // Everything at the largest scale at which it fits.
    for (int scale = options_.largestScale; scale >= options_.smallestScale; scale -= kScaleStep) {
      if (Fits(scale)) return Place(scale);
    }
    // At the smallest scale: give lines up, least important first.
    const int scale = options_.smallestScale;
    while (!Fits(scale) && DropOne(scale)) {
    }
    return Place(scale);
  }

 private:
  int Scaled(FontRole role, int scale) const {
    const int configured = fonts_.Size(role);
    const int smallest = std::min(configured, fonts_.Smallest());
    return std::max(smallest, (configured * scale + 50) / 100);
  }
  int LineHeight(FontRole role, int scale) { return fonts_.Height(role, Scaled(role, scale)); }
  // The size of a line at a scale, no larger than its kind's size.
  int LineSize(const CellLine& line, int scale) const {
    const int size = Scaled(line.role, scale);
    const int kindSize = options_.kindSize[static_cast<size_t>(line.kind)];
    return kindSize > 0 ? std::min(size, kindSize) : size;
  }
  int Width() const { return right_ - left_; }

  int HiddenAnniversaries() const {
    int shown = 0;
    for (const Candidate& c : candidates_)
      if (c.kept && c.line >= 0 && content_.lines[static_cast<size_t>(c.line)].kind == CellLineKind::kAnniversary)
        ++shown;
    return anniversaries_ - shown;
  }
  // The lines given up, of every kind.
  int Dropped() const {
    return static_cast<int>(
        std::count_if(candidates_.begin(), candidates_.end(), [](const Candidate& c) { return !c.kept; }));
  }
  bool MoreLineShown() const { return Dropped() > 0 && moreKept_; }

  // The widths of the two day numbers at a scale.
  int NumberWidth(const std::string& text, int scale) {
    return std::min(fonts_.Width(kFontDayNumbers, Scaled(kFontDayNumbers, scale), text), Width() / 2);
  }
  int GregorianScale(int scale) const { return scale * content_.gregorianPercent / 100; }

  // Room for a text centred in the cell between the two day numbers.
  int NumberRowRoom(int scale) {
    const int centre = cell_.x + cell_.width / 2;
    const int leftEnd = left_ + NumberWidth(content_.gregorianNumber, GregorianScale(scale)) + options_.numberGap;
    const int rightStart = right_ - NumberWidth(content_.hebrewNumber, scale) - options_.numberGap;
    return std::max(0, 2 * std::min(centre - leftEnd, rightStart - centre));
  }

  // Whether the first time line stands between the day numbers at a scale:
  // only at its own size, in the form it takes on a line of its own. A time squeezed smaller there would be the
  // smallest text of the cell; on a line of its own it keeps its size.
  bool TimeInNumberRow(int scale) {
    if (timeLine_ < 0 || !candidates_[static_cast<size_t>(timeLine_)].kept) return false;
    const CellLine& line = content_.lines[static_cast<size_t>(timeLine_)];
    const int size = LineSize(line, scale);
    return fonts_.Width(line.role, size, Shown(line, size, Width())) <= NumberRowRoom(scale);
  }

  int NumberRowHeight(int scale, bool timeThere) {
    int h = LineHeight(kFontDayNumbers, scale);
    if (timeThere) h = std::max(h, LineHeight(content_.lines[static_cast<size_t>(timeLine_)].role, scale));
    return h;
  }

  bool Fits(int scale) {
    const bool timeThere = TimeInNumberRow(scale);
    int height = NumberRowHeight(scale, timeThere);
    for (const Candidate& c : candidates_) {
      if (!c.kept || (timeThere && c.line == timeLine_)) continue;
      height += LineHeight(content_.lines[static_cast<size_t>(c.line)].role, scale);
    }
    if (MoreLineShown()) height += LineHeight(MoreLineRole(), scale);
    return height <= bottom_ - top_;
  }

  FontRole MoreLineRole() const {
    for (const CellLine& line : content_.lines)
      if (line.kind == CellLineKind::kAnniversary) return line.role;
    return kFontAnniversaries;
  }
  // The "+N more" line's colour: the first line given up's.
  DrawingColor MoreLineColor() const {
    for (const Candidate& c : candidates_)
      if (!c.kept) return content_.lines[static_cast<size_t>(c.line)].color;
    return {};
  }

  // Whether giving a line up gains height: not so for a time between the
  // day numbers that is no higher than they are.
  bool CostsHeight(const Candidate& c, int scale) {
    if (c.line != timeLine_ || !TimeInNumberRow(scale)) return true;
    return LineHeight(content_.lines[static_cast<size_t>(c.line)].role, scale) > LineHeight(kFontDayNumbers, scale);
  }

  // Gives up the kept line of the highest rank (the later one of equal
  // ranks) among those that gain height, else of all; the first line given
  // up turns the "+N more" line on. False when nothing is left to give up.
  bool DropOne(int scale) {
    Candidate* worst = nullptr;
    for (Candidate& c : candidates_)
      if (c.kept && CostsHeight(c, scale) && (!worst || c.rank >= worst->rank)) worst = &c;
    if (!worst && !MoreLineShown()) {
      for (Candidate& c : candidates_)
        if (c.kept && (!worst || c.rank >= worst->rank)) worst = &c;
    }
    const bool moreCounts = MoreLineShown();
    if (moreCounts && (!worst || kMoreLineDropRank > worst->rank)) {
      moreKept_ = false;
      return true;
    }
    if (!worst) return false;
    worst->kept = false;
    return true;
  }

  // The line's longer text where it fits `width` whole at `size`, else its
  // marked text where that fits, else its text.
  const std::string& Shown(const CellLine& line, int size, int width) {
    for (const std::string* form : {&line.longer, &line.marked})
      if (!form->empty() && fonts_.Width(line.role, size, *form) <= width) return *form;
    return line.text;
  }

  PlacedText PlaceLine(FontRole role, const DrawingColor& color, const std::string& text, const std::string& hint,
                       int size, int y) {
    const FittedText fit = FitTextToWidth(fonts_, role, size, fonts_.Smallest(), text, Width(), options_.ellipsis);
    PlacedText p;
    p.font = fonts_.Font(role, fit.size);
    p.color = color;
    p.box = {cell_.x + cell_.width / 2 - fit.width / 2, y, fit.width, fonts_.Height(role, fit.size)};
    p.box.x = std::max(p.box.x, left_);
    p.text = fit.text;
    p.hint = hint;
    // A cut line tells its whole text in its hint.
    if (fit.cut) p.hint = hint.empty() ? text : hint + ": " + text;
    return p;
  }

  // The lines given up, one a line, each with its hint as its name
  // ("Daf Yomi: Menachos 88").
  std::string DroppedLines() const {
    std::string all;
    for (const Candidate& c : candidates_) {
      if (c.kept) continue;
      const CellLine& line = content_.lines[static_cast<size_t>(c.line)];
      if (!all.empty()) all += '\n';
      all += line.hint.empty() ? line.text : line.hint + ": " + line.text;
    }
    return all;
  }

  void PlaceNumbers(int scale, CellLayout& out) {
    const int size = Scaled(kFontDayNumbers, scale);
    const int half = Width() / 2 - options_.numberGap / 2;
    const FittedText greg = FitTextToWidth(fonts_, kFontDayNumbers, Scaled(kFontDayNumbers, GregorianScale(scale)),
                                           fonts_.Smallest(), content_.gregorianNumber, half, "");
    const FittedText heb =
        FitTextToWidth(fonts_, kFontDayNumbers, size, fonts_.Smallest(), content_.hebrewNumber, half, "");
    PlacedText g;
    g.font = fonts_.Font(kFontDayNumbers, greg.size);
    g.color = content_.gregorianColor;
    g.box = {left_, top_, greg.width, fonts_.Height(kFontDayNumbers, greg.size)};
    g.text = greg.text;
    g.hint = content_.gregorianHint;
    PlacedText h;
    h.font = fonts_.Font(kFontDayNumbers, heb.size);
    h.color = content_.hebrewColor;
    h.box = {right_ - heb.width, top_, heb.width, fonts_.Height(kFontDayNumbers, heb.size)};
    h.text = heb.text;
    h.hint = content_.hebrewHint;
    if (!g.text.empty()) out.texts.push_back(g);
    if (!h.text.empty()) out.texts.push_back(h);
  }

  CellLayout Place(int scale) {
    CellLayout out;
    out.scale = scale;
    out.hiddenAnniversaries = HiddenAnniversaries();
    out.droppedLines = Dropped();

    PlaceNumbers(scale, out);
    // A cell too small even for the "+N more" line names the lines given up
    // in the hint of its day number.
    if (out.droppedLines > 0 && !MoreLineShown() && !out.texts.empty()) {
      std::string& hint = out.texts.front().hint;
      hint += (hint.empty() ? "" : "\n") + DroppedLines();
    }
    const bool timeThere = TimeInNumberRow(scale);
    if (timeThere) {
      const CellLine& line = content_.lines[static_cast<size_t>(timeLine_)];
      const int size = LineSize(line, scale);
      const std::string& text = Shown(line, size, Width());
      const int width = fonts_.Width(line.role, size, text);
      PlacedText p;
      p.font = fonts_.Font(line.role, size);
      p.color = line.color;
      p.box = {cell_.x + cell_.width / 2 - width / 2, top_, width, fonts_.Height(line.role, size)};
      p.text = text;
      p.hint = line.hint;
      out.texts.push_back(p);
    }

    // The lines below the day numbers, top down.
    int y = top_ + NumberRowHeight(scale, timeThere);
    std::vector<const CellLine*> bottom;
    for (const Candidate& c : candidates_) {
      const CellLine& line = content_.lines[static_cast<size_t>(c.line)];
      if (!c.kept || (timeThere && c.line == timeLine_)) continue;
      if (RowOf(line.kind).place == CellPlace::kBottom) {
        bottom.push_back(&line);
      } else {
        const int size = LineSize(line, scale);
        out.texts.push_back(PlaceLine(line.role, line.color, Shown(line, size, Width()), line.hint, size, y));
        y += out.texts.back().box.height;
      }
    }
    // The bottom lines end on the lower edge, and the cell with the "+N
    // more" line.
    int bottomHeight = 0;
    std::vector<PlacedText> placed;
    for (const CellLine* line : bottom) {
      placed.push_back(PlaceLine(line->role, line->color, line->text, line->hint, LineSize(*line, scale), 0));
      bottomHeight += placed.back().box.height;
    }
    if (MoreLineShown()) {
      const FontRole role = MoreLineRole();
      placed.push_back(PlaceLine(role, MoreLineColor(), FormatInt(options_.moreFormat, out.droppedLines), "",
                                 Scaled(role, scale), 0));
      placed.back().hint = DroppedLines();
      placed.back().isMoreLine = true;
      bottomHeight += placed.back().box.height;
    }
    int by = bottom_ - bottomHeight;
    for (PlacedText& p : placed) {
      p.box.y = by;
      by += p.box.height;
      out.texts.push_back(std::move(p));
    }
    return out;
  }

  FontBook& fonts_;
  CellBox cell_;
  const CellContent& content_;
  const CellLayoutOptions& options_;
  int left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
  int anniversaries_ = 0;
  int timeLine_ = -1;
  bool moreKept_ = true;
  std::vector<Candidate> candidates_;
};

}  // namespace

CellLayout LayoutCell(FontBook& fonts, const CellBox& cell, const CellContent& content,
                      const CellLayoutOptions& options) {
  return CellFitter(fonts, cell, content, options).Run();
}

int LargestFittingScale(FontBook& fonts, const CellBox& cell, const CellContent& content,
                        const CellLayoutOptions& options) {
  CellContent one = content;
  bool seen = false;
  one.lines.erase(std::remove_if(one.lines.begin(), one.lines.end(),
                                 [&](const CellLine& line) {
                                   if (line.kind != CellLineKind::kAnniversary) return false;
                                   const bool drop = seen;
                                   seen = true;
                                   return drop;
                                 }),
                  one.lines.end());
  const int scale = CellFitter(fonts, cell, one, options).FittingScale();
  return scale > 0 ? scale : options.smallestScale;
}

void SizeTimeLines(FontBook& fonts, const CellBox& cell, const std::vector<CellContent>& contents,
                   CellLayoutOptions& options) {
  options.kindSize = {};
  std::array<int, static_cast<size_t>(CellLineKind::kCount)> sizes{};
  for (const CellContent& content : contents) CellFitter(fonts, cell, content, options).LowerKindSizes(sizes);
  options.kindSize = sizes;
}
