#include "render/drawing_gdk.h"

#include <memory>
#include <string>
#include <vector>


namespace {

struct GdkFontData final : DrawingFontData {
  PangoFontDescription* desc = nullptr;
  ~GdkFontData() override {
    if (desc) pango_font_description_free(desc);
  }
};

struct LayoutUnref {
  void operator()(PangoLayout* l) const {
    if (l) g_object_unref(l);
  }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutUnref>;

class GdkDrawing final : public Drawing {
 public:
  GdkDrawing(GtkWidget* widget, GdkDrawable* drawable, GdkGC* gc, GdkColormap* colormap, std::string fontName)
      : widget_(widget), drawable_(drawable), gc_(gc), colormap_(colormap), fontName_(std::move(fontName)) {}

  DrawingFont use_font(std::string_view family, int size, std::string_view weight, std::string_view) override {
    auto font = std::make_unique<GdkFontData>();
    font->desc = pango_font_description_new();
    // The configured screen font stands in for both families the painter asks for.
    if (family == "helvetica" || family == "courier")
      pango_font_description_set_family(font->desc, fontName_.c_str());
    pango_font_description_set_style(font->desc, PANGO_STYLE_NORMAL);
    pango_font_description_set_variant(font->desc, PANGO_VARIANT_NORMAL);
    pango_font_description_set_weight(font->desc, weight == "bold" ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_stretch(font->desc, PANGO_STRETCH_NORMAL);
    pango_font_description_set_size(font->desc, size * PANGO_SCALE);
    fonts_.push_back(std::move(font));
    return fonts_.back().get();
  }

  int get_text_width(DrawingFont font, std::string_view text) override {
    int w = 0, h = 0;
    pango_layout_get_pixel_size(Layout(font, text).get(), &w, &h);
    return w;
  }

  int get_text_height(DrawingFont font) override {
    int w = 0, h = 0;
    pango_layout_get_pixel_size(Layout(font, "X").get(), &w, &h);
    return h;
  }

  void draw_string_left(DrawingFont font, int x, int y, std::string_view text) override {
    gdk_draw_layout(drawable_, gc_, x, y, Layout(font, text).get());
  }

  void draw_string_right(DrawingFont font, int x, int y, std::string_view text) override {
    LayoutPtr layout = Layout(font, text);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout.get(), &w, &h);
    gdk_draw_layout(drawable_, gc_, x - w, y, layout.get());
  }

  void draw_string_center(DrawingFont font, int x, int width, int y, std::string_view text) override {
    LayoutPtr layout = Layout(font, text);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout.get(), &w, &h);
    gdk_draw_layout(drawable_, gc_, x + width / 2 - w / 2, y, layout.get());
  }

  void draw_line(int x1, int y1, int x2, int y2) override { gdk_draw_line(drawable_, gc_, x1, y1, x2, y2); }

  void draw_rectangle(int x, int y, int width, int height) override {
    gdk_draw_rectangle(drawable_, gc_, FALSE, x, y, width, height);
  }

  void fill_rectangle(int x, int y, int width, int height) override {
    gdk_draw_rectangle(drawable_, gc_, TRUE, x, y, width, height);
  }

  void draw_ellipse_text_right(DrawingFont font, int x, int y, std::string_view text) override {
    const int w = get_text_width(font, text);
    const int h = get_text_height(font);
    gdk_draw_arc(drawable_, gc_, FALSE, x - w - get_x_unit(2), y + get_y_unit(2), w + get_x_unit(2), h, 0, 360 * 64);
  }

  void fill_polygon(const DrawingPoint* points, int count) override {
    if (count <= 0) return;
    std::vector<GdkPoint> gdkPoints(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) gdkPoints[static_cast<size_t>(i)] = {points[i].x, points[i].y};
    gdk_draw_polygon(drawable_, gc_, TRUE, gdkPoints.data(), count);
  }

  void get_color(DrawingColor* color) override {
    GdkGCValues values;
    gdk_gc_get_values(gc_, &values);
    GdkColor c = values.foreground;
    gdk_colormap_query_color(colormap_, c.pixel, &c);
    *color = {c.red, c.green, c.blue};
  }

  void set_color(const DrawingColor& color) override {
    GdkColor c{};
    c.red = static_cast<guint16>(color.red);
    c.green = static_cast<guint16>(color.green);
    c.blue = static_cast<guint16>(color.blue);
    gdk_colormap_alloc_color(colormap_, &c, FALSE, TRUE);
    gdk_gc_set_foreground(gc_, &c);
  }

  int get_x_unit(int n) override { return n; }
  int get_y_unit(int n) override { return n; }
  int get_device_class() override { return kDeviceScreen; }
  int get_color_mode() override { return kColorModeColor; }

 private:
  LayoutPtr Layout(DrawingFont font, std::string_view text) {
    LayoutPtr layout(gtk_widget_create_pango_layout(widget_, nullptr));
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    if (font) pango_layout_set_font_description(layout.get(), static_cast<const GdkFontData*>(font)->desc);
    return layout;
  }

  GtkWidget* widget_;
  GdkDrawable* drawable_;
  GdkGC* gc_;
  GdkColormap* colormap_;
  std::string fontName_;  // the family of every text
  std::vector<std::unique_ptr<GdkFontData>> fonts_;
};

}  // namespace

DrawingPtr drawing_gdk_new(GtkWidget* widget, GdkDrawable* drawable, GdkGC* gc, GdkColormap* colormap,
                           const std::string& fontName) {
  return std::make_unique<GdkDrawing>(widget, drawable, gc, colormap, fontName);
}
