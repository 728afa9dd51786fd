// The drawing interface the month painter draws through, so the same painter
// serves the screen and PostScript. Coordinates are device units in a
// top-down frame: x to the right, y downwards, and the (x, y) of a text is
// the top of its line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// A colour with components 0..65535.
struct DrawingColor {
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
};
inline bool operator==(const DrawingColor& a, const DrawingColor& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(const DrawingColor& a, const DrawingColor& b) { return !(a == b); }

struct DrawingPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A font handle; each backend derives its own font record from this base.
// A handle is valid until its Drawing is destroyed.
struct DrawingFontData {
  virtual ~DrawingFontData() = default;
};
using DrawingFont = const DrawingFontData*;

// Device classes and colour modes.
constexpr int kDeviceScreen = 1;
constexpr int kDevicePrinter = 2;
constexpr int kColorModeColor = 1;
constexpr int kColorModeBlackWhite = 2;

class Drawing {
 public:
  virtual ~Drawing() = default;
  // Family "helvetica" or "courier"; weight "bold" or anything else for
  // normal; slant is always "r"; size in points.
  virtual DrawingFont use_font(std::string_view family, int size, std::string_view weight,
                               std::string_view slant) = 0;
  virtual int get_text_width(DrawingFont font, std::string_view text) = 0;
  // Height of one line of the font.
  virtual int get_text_height(DrawingFont font) = 0;
  virtual void draw_string_left(DrawingFont font, int x, int y, std::string_view text) = 0;
  // The text ends at x.
  virtual void draw_string_right(DrawingFont font, int x, int y, std::string_view text) = 0;
  // The text is centred in the span x .. x + width (integer halves).
  virtual void draw_string_center(DrawingFont font, int x, int width, int y, std::string_view text) = 0;
  virtual void draw_line(int x1, int y1, int x2, int y2) = 0;
  virtual void draw_rectangle(int x, int y, int width, int height) = 0;
  virtual void fill_rectangle(int x, int y, int width, int height) = 0;
  // An ellipse (or circle) around a text that ends at x.
  virtual void draw_ellipse_text_right(DrawingFont font, int x, int y, std::string_view text) = 0;
  virtual void fill_polygon(const DrawingPoint* points, int count) = 0;
  virtual void get_color(DrawingColor* color) = 0;
  virtual void set_color(const DrawingColor& color) = 0;
  // Device units for n horizontal / vertical base units (one screen pixel each).
  virtual int get_x_unit(int n) = 0;
  virtual int get_y_unit(int n) = 0;
  virtual int get_device_class() = 0;
  virtual int get_color_mode() = 0;

  DrawingColor GetColor() {
    DrawingColor c;
    get_color(&c);
    return c;
  }
};

using DrawingPtr = std::unique_ptr<Drawing>;

// The rectangle the painter fills.
struct PaintArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};
