// A Drawing for testing the painters without a display: it writes every
// operation as one line of text and keeps the box of every text, measured
// by its own metrics or by those of a real backend, to find texts that
// overlap or leave their cell.
#pragma once

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "render/drawing.h"
#include "render/month_painter.h"

namespace testenv {

struct TextBox {
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;
};

struct PaintedRegion {
  int day = 0;  // 0: the zmanim panel
  int x = 0, y = 0, width = 0, height = 0;
  size_t firstText = 0, endText = 0;  // the texts drawn for it
};

inline std::string Describe(const TextBox& b) {
  return "\"" + b.text + "\" (" + std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.width) + "x" +
         std::to_string(b.height) + ")";
}

// Texts (not empty) that overlap, and with `area` those outside it.
inline std::vector<std::string> BoxProblems(const std::vector<TextBox>& boxes, const PaintArea* area = nullptr) {
  std::vector<std::string> problems;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const TextBox& a = boxes[i];
    if (a.text.empty()) continue;
    if (area && (a.x < area->x || a.y < area->y || a.x + a.width > area->x + area->width || a.y + a.height > area->y + area->height))
      problems.push_back(Describe(a) + " outside the area");
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const TextBox& b = boxes[j];
      if (!b.text.empty() && a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height)
        problems.push_back(Describe(a) + " overlaps " + Describe(b));
    }
  }
  return problems;
}

struct RecordedFont final : DrawingFontData {
  int size = 0;
};

class RecordingDrawing final : public Drawing {
 public:
  explicit RecordingDrawing(int deviceClass = kDeviceScreen, int colorMode = kColorModeColor, int unit = 1,
                            bool proportional = false)
      : deviceClass_(deviceClass), colorMode_(colorMode), unit_(unit), proportional_(proportional) {}
  // Fonts and measures from `metrics`, which draws nothing.
  explicit RecordingDrawing(Drawing& metrics) : m_(&metrics) {}

  // Its own metrics: a text is 6 units wide a byte (size/2 when
  // proportional); a line 10 + size/2 high.
  DrawingFont use_font(std::string_view family, int size, std::string_view weight, std::string_view slant) override {
    if (m_) return m_->use_font(family, size, weight, slant);
    fonts_.push_back(std::make_unique<RecordedFont>());
    fonts_.back()->size = size;
    return fonts_.back().get();
  }
  int get_text_width(DrawingFont f, std::string_view t) override {
    const int n = static_cast<int>(t.size());
    return m_ ? m_->get_text_width(f, t) : proportional_ ? Size(f) * n / 2 : 6 * n;
  }
  int get_text_height(DrawingFont f) override { return m_ ? m_->get_text_height(f) : 10 + Size(f) / 2; }
  void draw_string_left(DrawingFont f, int x, int y, std::string_view t) override { Text("left", f, x, y, t, x); }
  void draw_string_right(DrawingFont f, int x, int y, std::string_view t) override {
    Text("right", f, x, y, t, x - get_text_width(f, t));
  }
  void draw_string_center(DrawingFont f, int x, int w, int y, std::string_view t) override {
    Record("center", x, w, y, Size(f), Color() + " |" + std::string(t));
    texts.emplace_back(t);
    Box(f, x + w / 2 - get_text_width(f, t) / 2, y, t);
  }
  void draw_line(int x1, int y1, int x2, int y2) override { Record("line", x1, y1, x2, y2, Color()); }
  void draw_rectangle(int x, int y, int w, int h) override { Record("rect", x, y, w, h, Color()); }
  void fill_rectangle(int x, int y, int w, int h) override { Record("fill", x, y, w, h, Color()); }
  void draw_ellipse_text_right(DrawingFont f, int x, int y, std::string_view t) override { Text("ellipse", f, x, y, t, -1); }
  // A filled polygon (a month arrow) is also a box "<polygon>" no text may cover.
  void fill_polygon(const DrawingPoint* p, int n) override {
    std::string points = "polygon";
    for (int i = 0; i < n; ++i) points += " " + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
    ops.push_back(points);
    if (n <= 0) return;
    int x0 = p[0].x, x1 = x0, y0 = p[0].y, y1 = y0;
    for (int i = 1; i < n; ++i)
      x0 = std::min(x0, p[i].x), x1 = std::max(x1, p[i].x), y0 = std::min(y0, p[i].y), y1 = std::max(y1, p[i].y);
    boxes.push_back({x0, y0, x1 - x0, y1 - y0, "<polygon>"});
  }
  void get_color(DrawingColor* c) override { *c = color_; }
  void set_color(const DrawingColor& c) override { color_ = c; }
  int get_x_unit(int n) override { return m_ ? m_->get_x_unit(n) : unit_ * n; }
  int get_y_unit(int n) override { return m_ ? m_->get_y_unit(n) : unit_ * n; }
  int get_device_class() override { return m_ ? m_->get_device_class() : deviceClass_; }
  int get_color_mode() override { return m_ ? m_->get_color_mode() : colorMode_; }
  bool DrewText(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }

  PaintHooks Hooks() {  // note the regions and the hints
    PaintHooks hooks;
    hooks.boxPainted = [this](int day, int x, int y, int w, int h) {
      regions.push_back({day, x, y, w, h, mark_, boxes.size()});
      mark_ = boxes.size();
    };
    hooks.addHint = [this](int x, int y, int w, int h, std::string_view t) { hints.push_back({x, y, w, h, std::string(t)}); };
    return hooks;
  }

  std::vector<std::string> TextsOfDay(int day) const {
    std::vector<std::string> out;
    for (const PaintedRegion& r : regions)
      for (size_t i = r.firstText; r.day == day && i < r.endText; ++i)
        if (boxes[i].y >= r.y) out.push_back(boxes[i].text);
    return out;
  }

  // Two texts that overlap, a cell's (or the panel's) text outside its
  // rectangle, a heading text outside `area`.
  std::vector<std::string> Problems(const PaintArea& area) const {
    std::vector<std::string> problems = BoxProblems(boxes);
    auto inside = [](const TextBox& b, int x, int y, int w, int h) {
      return b.x >= x && b.y >= y && b.x + b.width <= x + w && b.y + b.height <= y + h;
    };
    const int gridTop = regions.empty() ? area.y + area.height : regions.front().y;
    for (const PaintedRegion& r : regions)
      for (size_t i = r.firstText; i < r.endText; ++i) {
        const TextBox& b = boxes[i];
        const bool heading = &r == &regions.front() && b.y + b.height <= gridTop;
        if (!b.text.empty() && !(heading ? inside(b, area.x, area.y, area.width, area.height) : inside(b, r.x, r.y, r.width, r.height)))
          problems.push_back(Describe(b) + " outside " + (heading ? "the area" : r.day ? "day " + std::to_string(r.day) : "the panel"));
      }
    return problems;
  }

  std::vector<std::string> ops;    // one line per drawing operation
  std::vector<std::string> texts;  // every drawn text, in order
  std::vector<TextBox> boxes;      // every text's box (not the ellipsis texts)
  std::vector<PaintedRegion> regions;
  std::vector<TextBox> hints;

 private:
  template <class... Parts>
  void Record(const char* kind, const Parts&... parts) {
    std::ostringstream line;
    line << kind;
    ((line << " " << parts), ...);
    ops.push_back(line.str());
  }
  std::string Color() const {
    return std::to_string(color_.red) + "," + std::to_string(color_.green) + "," + std::to_string(color_.blue);
  }
  int Size(DrawingFont f) const { return m_ ? 0 : static_cast<const RecordedFont*>(f)->size; }
  void Text(const char* kind, DrawingFont f, int x, int y, std::string_view t, int boxX) {
    Record(kind, x, y, Size(f), Color() + " |" + std::string(t));
    texts.emplace_back(t);
    if (std::string_view(kind) != "ellipse") Box(f, boxX, y, t);
  }
  void Box(DrawingFont f, int x, int y, std::string_view t) {
    boxes.push_back({x, y, t.empty() ? 0 : get_text_width(f, t), get_text_height(f), std::string(t)});
  }

  Drawing* m_ = nullptr;
  int deviceClass_ = kDeviceScreen, colorMode_ = kColorModeColor, unit_ = 1;
  bool proportional_ = false;
  DrawingColor color_{};
  size_t mark_ = 0;
  std::vector<std::unique_ptr<RecordedFont>> fonts_;
};

using TextBoxRecorder = RecordingDrawing;

// The Hebrew day numbers of the month of `selected` in the order of the
// days: the texts drawn where the painter puts the hint `hebrewHint`.
inline std::vector<std::string> PaintedHebrewDayNumbers(const PaintArea& area, const GregorianDate& selected,
                                                        const std::string& hebrewHint) {
  RecordingDrawing d;
  std::vector<std::string> spots, numbers;
  PaintHooks hooks;
  hooks.addHint = [&](int x, int y, int, int, std::string_view text) {
    if (text == hebrewHint) spots.push_back("left " + std::to_string(x) + " " + std::to_string(y) + " ");
  };
  PaintItInternal(d, area, selected, CurrentOptions(), true, false, nullptr, nullptr, &hooks);
  for (const std::string& prefix : spots) {
    auto op = std::find_if(d.ops.begin(), d.ops.end(), [&](const std::string& o) { return o.rfind(prefix, 0) == 0; });
    if (op != d.ops.end()) numbers.push_back(op->substr(op->find(" |") + 2));
  }
  return numbers;
}

}  // namespace testenv
