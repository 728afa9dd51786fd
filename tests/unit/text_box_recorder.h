// A Drawing that records the box of every text the painter draws, measured
// with the fonts of a real backend (Pango on the screen, the print fonts'
// metrics on paper), and the rectangles of the cells and the zmanim panel
// the painter reports; then finds texts that overlap or leave their cell.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

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

class TextBoxRecorder final : public Drawing {
 public:
  // Fonts and measures come from `metrics`, which draws nothing.
  explicit TextBoxRecorder(Drawing& metrics) : m_(metrics) {}

  DrawingFont use_font(std::string_view family, int size, std::string_view weight, std::string_view slant) override {
    return m_.use_font(family, size, weight, slant);
  }
  int get_text_width(DrawingFont f, std::string_view t) override { return m_.get_text_width(f, t); }
  int get_text_height(DrawingFont f) override { return m_.get_text_height(f); }
  void draw_string_left(DrawingFont f, int x, int y, std::string_view t) override { Box(f, x, y, t); }
  void draw_string_right(DrawingFont f, int x, int y, std::string_view t) override {
    Box(f, x - get_text_width(f, t), y, t);
  }
  void draw_string_center(DrawingFont f, int x, int w, int y, std::string_view t) override {
    Box(f, x + w / 2 - get_text_width(f, t) / 2, y, t);
  }
  void draw_line(int, int, int, int) override {}
  void draw_rectangle(int, int, int, int) override {}
  void fill_rectangle(int, int, int, int) override {}
  void draw_ellipse_text_right(DrawingFont, int, int, std::string_view) override {}
  // A filled polygon (the month arrows) counts as a box named "<polygon>",
  // so that no text may cover it.
  void fill_polygon(const DrawingPoint* points, int count) override {
    if (count <= 0) return;
    int x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (int i = 1; i < count; ++i) {
      x0 = std::min(x0, points[i].x), x1 = std::max(x1, points[i].x);
      y0 = std::min(y0, points[i].y), y1 = std::max(y1, points[i].y);
    }
    boxes.push_back({x0, y0, x1 - x0, y1 - y0, "<polygon>"});
  }
  void get_color(DrawingColor* c) override { *c = color_; }
  void set_color(const DrawingColor& c) override { color_ = c; }
  int get_x_unit(int n) override { return m_.get_x_unit(n); }
  int get_y_unit(int n) override { return m_.get_y_unit(n); }
  int get_device_class() override { return m_.get_device_class(); }
  int get_color_mode() override { return m_.get_color_mode(); }

  // Hooks that note the regions (and, on the screen, the hints).
  PaintHooks Hooks() {
    PaintHooks hooks;
    hooks.boxPainted = [this](int day, int x, int y, int w, int h) {
      regions.push_back({day, x, y, w, h, mark_, boxes.size()});
      mark_ = boxes.size();
    };
    hooks.addHint = [this](int x, int y, int w, int h, std::string_view text) {
      hints.push_back({x, y, w, h, std::string(text)});
    };
    return hooks;
  }

  std::vector<TextBox> boxes;
  std::vector<PaintedRegion> regions;
  std::vector<TextBox> hints;

  // The texts drawn in the cell of `day`.
  std::vector<std::string> TextsOfDay(int day) const {
    std::vector<std::string> texts;
    for (const PaintedRegion& r : regions)
      if (r.day == day)
        for (size_t i = r.firstText; i < r.endText; ++i)
          if (boxes[i].y >= r.y) texts.push_back(boxes[i].text);
    return texts;
  }

  // What is wrong with the painted texts: two that overlap, a cell's (or
  // the panel's) text outside its rectangle, a heading text outside `area`.
  std::vector<std::string> Problems(const PaintArea& area) const {
    std::vector<std::string> problems;
    auto inside = [](const TextBox& b, int x, int y, int w, int h) {
      return b.x >= x && b.y >= y && b.x + b.width <= x + w && b.y + b.height <= y + h;
    };
    const int gridTop = regions.empty() ? area.y + area.height : regions.front().y;
    for (const PaintedRegion& r : regions) {
      for (size_t i = r.firstText; i < r.endText; ++i) {
        const TextBox& b = boxes[i];
        if (b.text.empty()) continue;
        const bool heading = &r == &regions.front() && b.y + b.height <= gridTop;
        if (heading ? !inside(b, area.x, area.y, area.width, area.height) : !inside(b, r.x, r.y, r.width, r.height))
          problems.push_back("\"" + b.text + "\" " + Describe(b) + " outside " +
                             (heading ? std::string("the area") : r.day ? "day " + std::to_string(r.day) : "the panel"));
      }
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        const TextBox& a = boxes[i];
        const TextBox& b = boxes[j];
        if (a.text.empty() || b.text.empty()) continue;
        const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                           b.y + b.height <= a.y;
        if (!apart) problems.push_back("\"" + a.text + "\" " + Describe(a) + " overlaps \"" + b.text + "\" " + Describe(b));
      }
    }
    return problems;
  }

 private:
  static std::string Describe(const TextBox& b) {
    return "(" + std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.width) + "x" +
           std::to_string(b.height) + ")";
  }
  void Box(DrawingFont f, int x, int y, std::string_view t) {
    boxes.push_back({x, y, t.empty() ? 0 : get_text_width(f, t), get_text_height(f), std::string(t)});
  }

  Drawing& m_;
  DrawingColor color_{};
  size_t mark_ = 0;
};

}  // namespace testenv
