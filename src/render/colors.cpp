#include "render/colors.h"

#include <array>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/names.h"

namespace {

struct NamedColor {
  std::string_view name;
  DrawingColor color;
};

constexpr std::array<NamedColor, 5> kNamedColors = {{
    {"light-green", {54484, 65535, 54484}},  // #D4FFD4: Rosh Khodesh, Khol HaMoed, Khanukka, ...
    {"light-blue", {56540, 56540, 65535}},   // #DCDCFF: festival days
    {"yellow", {65535, 65535, 65535}},       // Shabbat and Yom Kippur: shows as white
    {"light-red", {65535, 57568, 57568}},    // #FFE0E0: minor fasts
    {"dark-red", {65535, 51400, 51400}},     // #FFC8C8: Tisha BeAv, deeper than the minor fasts but light under text
}};

// The named colour of each tint.
std::string_view ColorNameOf(CellTint tint) {
  switch (tint) {
    case CellTint::kLightGreen: return "light-green";
    case CellTint::kLightBlue: return "light-blue";
    case CellTint::kWhite: return "yellow";
    case CellTint::kLightRed: return "light-red";
    case CellTint::kDarkRed: return "dark-red";
    case CellTint::kNone: break;
  }
  return {};
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

void GetHolidayColor(AbsoluteDay d, CellTint tint, DrawingColor* color) {
  if (IsRoshKhodeshDate(HebrewFromAbsolute(d))) PaintGetColor("light-green", color);
  PaintGetColor(ColorNameOf(tint), color);
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
