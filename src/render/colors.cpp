#include "render/colors.h"

#include <array>

#include "calendar/names.h"

namespace {

struct NamedColor {
  std::string_view name;
  DrawingColor color;
};

constexpr std::array<NamedColor, 5> kNamedColors = {{
    {"light-green", {53248, 65535, 53248}},  // Rosh Khodesh, Khol HaMoed, Khanukka, ...
    {"light-blue", {53248, 53248, 65535}},   // festival days
    {"yellow", {65535, 65535, 65535}},       // Shabbat and Yom Kippur: shows as white
    {"light-red", {65535, 53248, 53248}},    // minor fasts
    {"dark-red", {65535, 20480, 20480}},     // Tisha BeAv
}};

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> parts) {
  for (std::string_view p : parts)
    if (Contains(text, p)) return true;
  return false;
}

}  // namespace

void PaintGetColor(std::string_view name, DrawingColor* color) {
  for (const NamedColor& c : kNamedColors) {
    if (c.name == name) {
      *color = c.color;
      return;
    }
  }
}

void GetShabbatColor(DrawingColor* color) { PaintGetColor("yellow", color); }

void GetHolidayColor(AbsoluteDay d, std::string_view name, DrawingColor* color) {
  if (IsDateRoshHodesh(d)) PaintGetColor("light-green", color);
  if (Contains(name, "Erev")) return;  // eves keep the colour they have
  if (ContainsAny(name, {"Khol HaMoed", "Hoshana Rabba", "Khanukka", "Tu beShvat", "Pesakh Sheni", "Tu BeAv"}) ||
      name == "Purim") {
    PaintGetColor("light-green", color);
    return;
  }
  if (ContainsAny(name, {"Rosh HaShana", "Sukkot", "Shemini Atseret", "Simkhat Tora", "Pesakh", "Shavuot"})) {
    PaintGetColor("light-blue", color);
    return;
  }
  if (Contains(name, "Yom Kippur")) {
    PaintGetColor("yellow", color);
    return;
  }
  if (ContainsAny(name, {"Tsom Gedalya", "Taanit Ester", "Tsom Tammuz"})) {
    PaintGetColor("light-red", color);
    return;
  }
  if (Contains(name, "Tisha BeAv")) PaintGetColor("dark-red", color);
}

int Get3DEffectSize(Drawing& drawing) {
  return drawing.get_device_class() == kDevicePrinter ? 0 : drawing.get_x_unit(2);
}

void Draw3DEffect(Drawing& drawing, int x, int y, int w, int h, bool pressed) {
  const DrawingColor saved = drawing.GetColor();
  if (drawing.get_device_class() == kDevicePrinter) {
    drawing.set_color(kBlack);
    drawing.draw_rectangle(x, y, w, h);
    drawing.set_color(saved);
    return;
  }
  const int size = Get3DEffectSize(drawing);
  for (int i = 0; i < size; ++i) {
    if (!pressed) {
      // Raised: dark top and left edges.
      drawing.set_color(kFrameDark);
      drawing.draw_line(x, y + i, x + w - i, y + i);
      drawing.draw_line(x + i, y, x + i, y + h - i);
    }
    drawing.set_color(pressed ? kFrameDark : kFrameLight);
    drawing.draw_line(x + w - i, y + i, x + w - i, y + h);
    drawing.draw_line(x + i, y + h - i, x + w, y + h - i);
  }
  drawing.set_color(saved);
}
