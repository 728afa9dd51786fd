// A Drawing that records every operation as one line of text, so the
// painters can be tested without a display.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "render/drawing.h"
#include "render/month_painter.h"

namespace testenv {

struct RecordedFont final : DrawingFontData {
  std::string family;
  int size = 0;
  std::string weight;
};

class RecordingDrawing final : public Drawing {
 public:
  explicit RecordingDrawing(int deviceClass = kDeviceScreen, int colorMode = kColorModeColor, int unit = 1)
      : deviceClass_(deviceClass), colorMode_(colorMode), unit_(unit) {}

  // Every text is 6 units wide per byte; every line 10 units + size/2 high.
  DrawingFont use_font(std::string_view family, int size, std::string_view weight, std::string_view) override {
    auto f = std::make_unique<RecordedFont>();
    f->family = family;
    f->size = size;
    f->weight = weight;
    fonts_.push_back(std::move(f));
    return fonts_.back().get();
  }
  int get_text_width(DrawingFont, std::string_view text) override { return 6 * static_cast<int>(text.size()); }
  int get_text_height(DrawingFont font) override { return 10 + Font(font).size / 2; }
  void draw_string_left(DrawingFont f, int x, int y, std::string_view t) override { Text("left", f, x, y, t); }
  void draw_string_right(DrawingFont f, int x, int y, std::string_view t) override { Text("right", f, x, y, t); }
  void draw_string_center(DrawingFont f, int x, int w, int y, std::string_view t) override {
    Record("center", x, w, y, Font(f).size, ColorText() + " |" + std::string(t));
    texts.push_back(std::string(t));
  }
  void draw_line(int x1, int y1, int x2, int y2) override { Record("line", x1, y1, x2, y2, ColorText()); }
  void draw_rectangle(int x, int y, int w, int h) override { Record("rect", x, y, w, h, ColorText()); }
  void fill_rectangle(int x, int y, int w, int h) override { Record("fill", x, y, w, h, ColorText()); }
  void draw_ellipse_text_right(DrawingFont f, int x, int y, std::string_view t) override { Text("ellipse", f, x, y, t); }
  void fill_polygon(const DrawingPoint* p, int n) override {
    std::string points = "polygon";
    for (int i = 0; i < n; ++i) points += " " + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
    ops.push_back(points);
  }
  void get_color(DrawingColor* c) override { *c = color_; }
  void set_color(const DrawingColor& c) override { color_ = c; }
  int get_x_unit(int n) override { return unit_ * n; }
  int get_y_unit(int n) override { return unit_ * n; }
  int get_device_class() override { return deviceClass_; }
  int get_color_mode() override { return colorMode_; }

  std::vector<std::string> ops;    // one line per drawing operation
  std::vector<std::string> texts;  // every drawn text, in order

  // Lines of ops that start with `prefix`.
  std::vector<std::string> OpsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& o : ops)
      if (o.rfind(prefix, 0) == 0) out.push_back(o);
    return out;
  }
  bool DrewText(const std::string& text) const {
    for (const auto& t : texts)
      if (t == text) return true;
    return false;
  }

 private:
  // One line of ops: the parts separated by blanks.
  template <class... Parts>
  void Record(const char* kind, const Parts&... parts) {
    std::ostringstream line;
    line << kind;
    ((line << " " << parts), ...);
    ops.push_back(line.str());
  }
  std::string ColorText() const {
    return std::to_string(color_.red) + "," + std::to_string(color_.green) + "," + std::to_string(color_.blue);
  }
  const RecordedFont& Font(DrawingFont f) const { return *static_cast<const RecordedFont*>(f); }
  void Text(const char* kind, DrawingFont f, int x, int y, std::string_view t) {
    Record(kind, x, y, Font(f).size, ColorText() + " |" + std::string(t));
    texts.push_back(std::string(t));
  }

  int deviceClass_;
  int colorMode_;
  int unit_;
  DrawingColor color_{};
  std::vector<std::unique_ptr<RecordedFont>> fonts_;
};

// The Hebrew day numbers of the month of `selected` as the painter draws
// them, in the order of the days: the texts drawn where the painter
// registers the hint `hebrewHint` (the translated "Jewish day number").
inline std::vector<std::string> PaintedHebrewDayNumbers(const PaintArea& area, const GregorianDate& selected,
                                                        const std::string& hebrewHint) {
  RecordingDrawing d;
  std::vector<std::pair<int, int>> spots;
  PaintHooks hooks;
  hooks.addHint = [&](int x, int y, int, int, std::string_view text) {
    if (text == hebrewHint) spots.emplace_back(x, y);
  };
  PaintItInternal(d, area, selected, CurrentOptions(), true, false, nullptr, nullptr, &hooks);
  std::vector<std::string> numbers;
  for (const auto& [x, y] : spots) {
    const std::string prefix = "left " + std::to_string(x) + " " + std::to_string(y) + " ";
    for (const std::string& op : d.ops)
      if (op.rfind(prefix, 0) == 0) {
        numbers.push_back(op.substr(op.find(" |") + 2));
        break;
      }
  }
  return numbers;
}

}  // namespace testenv

