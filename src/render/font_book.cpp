#include "render/font_book.h"

#include <algorithm>
#include <vector>

#include "base/utf8.h"

namespace {

// Combining marks (Hebrew points and accents, Latin accents) belong to the
// letter before them: a text is never cut between the two.
bool IsCombiningMark(char32_t c) { return (c >= 0x0591 && c <= 0x05C7) || (c >= 0x0300 && c <= 0x036F); }

char32_t DecodeAt(std::string_view text, size_t i, size_t length) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
  switch (length) {
    case 2: return (char32_t{b(0)} & 0x1F) << 6 | (b(1) & 0x3F);
    case 3: return (char32_t{b(0)} & 0x0F) << 12 | (char32_t{b(1)} & 0x3F) << 6 | (b(2) & 0x3F);
    case 4:
      return (char32_t{b(0)} & 0x07) << 18 | (char32_t{b(1)} & 0x3F) << 12 | (char32_t{b(2)} & 0x3F) << 6 |
             (b(3) & 0x3F);
    default: return b(0);
  }
}

// The byte offsets at which `text` may be cut, ascending, after 0 and
// before text.size() (both excluded).
std::vector<size_t> CutPoints(std::string_view text) {
  std::vector<size_t> points;
  size_t i = 0;
  while (i < text.size()) {
    size_t length = Utf8SequenceLength(text, i);
    if (length == 0) length = 1;  // a stray byte counts as a character of its own
    if (i > 0 && !IsCombiningMark(DecodeAt(text, i, length))) points.push_back(i);
    i += length;
  }
  return points;
}

// A prefix without the blanks and separators it may end in, which would
// stand alone before the ellipsis.
std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == ',' || text.back() == '/')) text.remove_suffix(1);
  return text;
}

}  // namespace

FontBook::FontBook(Drawing& drawing, const FontSizeSet& sizes, int smallest)
    : d_(drawing), sizes_(sizes), smallest_(smallest) {}

bool FontRoleIsBold(FontRole role) {
  return role == kFontCaption1 || role == kFontCaption2 || role == kFontWeekdays;
}

FontBook::Entry& FontBook::Get(FontRole role, int size) {
  Entry& e = fonts_[{role, size}];
  if (!e.font) e.font = d_.use_font("helvetica", size, FontRoleIsBold(role) ? "bold" : "medium", "r");
  return e;
}

DrawingFont FontBook::Font(FontRole role, int size) { return Get(role, size).font; }

int FontBook::Height(FontRole role, int size) {
  Entry& e = Get(role, size);
  if (e.height < 0) e.height = d_.get_text_height(e.font);
  return e.height;
}

int FontBook::Width(FontRole role, int size, std::string_view text) {
  return text.empty() ? 0 : d_.get_text_width(Get(role, size).font, text);
}

FittedText FitTextToWidth(FontBook& fonts, FontRole role, int size, int smallest, std::string_view text, int width,
                          std::string_view ellipsis) {
  FittedText fit{std::string(text), size, fonts.Width(role, size, text), false};
  if (fit.width <= width) return fit;
  smallest = std::min(smallest, size);
  // The largest smaller size at which it fits (widths grow with the size;
  // a device may map sizes to its own, so search rather than scale).
  int low = smallest, high = size - 1, fitting = 0, fittingWidth = 0;
  while (low <= high) {
    const int mid = (low + high + 1) / 2;
    const int w = fonts.Width(role, mid, text);
    if (w <= width) {
      fitting = mid;
      fittingWidth = w;
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  if (fitting > 0) return {std::string(text), fitting, fittingWidth, false};
  // Still too wide at the smallest size: the longest prefix that fits with
  // the ellipsis (binary search over the character boundaries).
  fit.size = smallest;
  fit.cut = true;
  const std::vector<size_t> points = CutPoints(text);
  size_t lo = 0, hi = points.size();  // candidates points[0 .. hi-1]; lo of them known to fit
  std::string best;
  int bestWidth = 0;
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;  // try the first `mid` candidates' last one
    const std::string candidate = std::string(TrimEnd(text.substr(0, points[mid - 1]))) + std::string(ellipsis);
    const int w = fonts.Width(role, smallest, candidate);
    if (w <= width) {
      lo = mid;
      best = candidate;
      bestWidth = w;
    } else {
      hi = mid - 1;
    }
  }
  if (lo == 0) {
    // Not even the first letter fits with the ellipsis: the ellipsis alone, if it fits.
    const int w = fonts.Width(role, smallest, ellipsis);
    best = w <= width ? std::string(ellipsis) : std::string();
    bestWidth = w <= width ? w : 0;
  }
  fit.text = std::move(best);
  fit.width = bestWidth;
  return fit;
}
