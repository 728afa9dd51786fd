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

#include "render/drawing.h"
#include "render/month_painter.h"

namespace testenv {

struct TextBox {
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;
  bool Inside(const PaintArea& a) const {
    return x >= a.x && y >= a.y && x + width <= a.x + a.width && y + height <= a.y + a.height;
  }
  std::string Describe() const {
    return "\"" + text + "\" (" + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" +
           std::to_string(height) + ")";
  }
};

// Texts (not empty) that overlap, and with `area` those outside it.
inline std::vector<std::string> BoxProblems(const std::vector<TextBox>& boxes, const PaintArea* area = nullptr) {
  std::vector<std::string> problems;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const TextBox& a = boxes[i];
    if (a.text.empty()) continue;
    if (area && !a.Inside(*area)) problems.push_back(a.Describe() + " outside the area");
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const TextBox& b = boxes[j];
      if (!b.text.empty() && a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height)
        problems.push_back(a.Describe() + " overlaps " + b.Describe());
    }
  }
  return problems;
}

struct PaintedRegion {
  int day = 0;  // 0: the zmanim panel
  int x = 0, y = 0, width = 0, height = 0;
  size_t firstText = 0, endText = 0;  // the texts drawn for it
};

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
  void draw_string_left(DrawingFont f, int x, int y, std::string_view t) override { Text(f, x, y, t, "left", x, y); }
  void draw_string_right(DrawingFont f, int x, int y, std::string_view t) override {
    Text(f, x - get_text_width(f, t), y, t, "right", x, y);
  }
  void draw_string_center(DrawingFont f, int x, int w, int y, std::string_view t) override {
    Text(f, x + w / 2 - get_text_width(f, t) / 2, y, t, "center", x, w, y);
  }
  void draw_line(int x1, int y1, int x2, int y2) override { Record("line", x1, y1, x2, y2, Color()); }
  void draw_rectangle(int x, int y, int w, int h) override { Record("rect", x, y, w, h, Color()); }
  void fill_rectangle(int x, int y, int w, int h) override { Record("fill", x, y, w, h, Color()); }
  void draw_ellipse_text_right(DrawingFont f, int x, int y, std::string_view t) override {
    Text(f, kNoBox, y, t, "ellipse", x, y);
  }
  // A filled polygon (a month arrow) is also a box "<polygon>" no text may cover.
  void fill_polygon(const DrawingPoint* p, int n) override {
    std::string points = "polygon";
    for (int i = 0; i < n; ++i) points += " " + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
    ops.push_back(points);
    if (n <= 0) return;
    int x0 = p[0].x, x1 = x0, y0 = p[0].y, y1 = y0;
    for (int i = 1; i < n; ++i) {
      x0 = std::min(x0, p[i].x);
      x1 = std::max(x1, p[i].x);
      y0 = std::min(y0, p[i].y);
      y1 = std::max(y1, p[i].y);
    }
    boxes.push_back({x0, y0, x1 - x0, y1 - y0, "<polygon>"});
  }
  void get_color(DrawingColor* c) override { *c = color_; }
  void set_color(const DrawingColor& c) override { color_ = c; }
  int get_x_unit(int n) override { return m_ ? m_->get_x_unit(n) : unit_ * n; }
  int get_y_unit(int n) override { return m_ ? m_->get_y_unit(n) : unit_ * n; }
  int get_device_class() override { return m_ ? m_->get_device_class() : deviceClass_; }
  int get_color_mode() override { return m_ ? m_->get_color_mode() : colorMode_; }
  bool DrewText(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }

  PaintHooks Hooks() {  // notes the regions; the cells, hints and cleared rectangles among the operations
    PaintHooks hooks;
    hooks.boxPainted = [this](int day, int x, int y, int w, int h) {
      regions.push_back({day, x, y, w, h, mark_, boxes.size()});
      mark_ = boxes.size();
      Record("cell", x, y, w, h, day);
    };
    hooks.addHint = [this](int x, int y, int w, int h, std::string_view t) { Record("hint", x, y, w, h, t); };
    hooks.clearRect = [this](int x, int y, int w, int h) { Record("clear", x, y, w, h, ""); };
    return hooks;
  }

  // Two texts that overlap, a cell's (or the panel's) text outside its
  // rectangle, a heading text outside `area`.
  std::vector<std::string> Problems(const PaintArea& area) const {
    std::vector<std::string> problems = BoxProblems(boxes);
    const int gridTop = regions.empty() ? area.y + area.height : regions.front().y;
    for (const PaintedRegion& r : regions)
      for (size_t i = r.firstText; i < r.endText; ++i) {
        const TextBox& b = boxes[i];
        const bool heading = &r == &regions.front() && b.y + b.height <= gridTop;
        const std::string where = heading ? "the area" : r.day ? "day " + std::to_string(r.day) : "the panel";
        if (!b.text.empty() && !b.Inside(heading ? area : PaintArea{r.x, r.y, r.width, r.height}))
          problems.push_back(b.Describe() + " outside " + where);
      }
    return problems;
  }

  std::vector<std::string> ops;    // one line per drawing operation
  std::vector<std::string> texts;  // every drawn text, in order
  std::vector<TextBox> boxes;      // every text's box (not the ellipsis texts)
  std::vector<PaintedRegion> regions;

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
  static constexpr int kNoBox = -(1 << 30);  // an ellipsis text has none
  template <class... Parts>
  void Text(DrawingFont f, int boxX, int y, std::string_view t, const char* kind, const Parts&... parts) {
    Record(kind, parts..., Size(f), Color() + " |" + std::string(t));
    texts.emplace_back(t);
    if (boxX != kNoBox)
      boxes.push_back({boxX, y, t.empty() ? 0 : get_text_width(f, t), get_text_height(f), std::string(t)});
  }

  Drawing* m_ = nullptr;
  int deviceClass_ = kDeviceScreen, colorMode_ = kColorModeColor, unit_ = 1;
  bool proportional_ = false;
  DrawingColor color_{};
  size_t mark_ = 0;
  std::vector<std::unique_ptr<RecordedFont>> fonts_;
};

using TextBoxRecorder = RecordingDrawing;

}  // namespace testenv
