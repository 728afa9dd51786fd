#include "dialogs/widget_fonts.h"

#include <pango/pangocairo.h>

#include "render/screen_font.h"
#include "base/settings.h"

PangoFontDescriptionPtr getYiddishPangoFont(int points) {
  PangoFontDescriptionPtr desc(pango_font_description_new());
  pango_font_description_set_family(desc.get(), getFontName().c_str());
  pango_font_description_set_style(desc.get(), PANGO_STYLE_NORMAL);
  pango_font_description_set_variant(desc.get(), PANGO_VARIANT_NORMAL);
  pango_font_description_set_weight(desc.get(), PANGO_WEIGHT_NORMAL);
  pango_font_description_set_stretch(desc.get(), PANGO_STRETCH_NORMAL);
  pango_font_description_set_size(desc.get(), points * PANGO_SCALE);
  return desc;
}

void setYiddishFont(GtkWidget* widget, int points) {
  GtkStyle* style = gtk_style_new();
  PangoFontDescriptionPtr desc = getYiddishPangoFont(points);
  pango_font_description_free(style->font_desc);
  style->font_desc = desc.release();
  gtk_widget_set_style(widget, style);
  g_object_unref(style);
}

void setYiddishFontStatusbar(GtkWidget* widget) { setYiddishFont(widget, kYiddishStatusbarFontSize); }
void setYiddishFontMenu(GtkWidget* widget) { setYiddishFont(widget, kYiddishMenuFontSize); }
void setYiddishFontDialog(GtkWidget* widget) { setYiddishFont(widget, kYiddishDialogFontSize); }
void setYiddishFontDialogZmanim(GtkWidget* widget) { setYiddishFont(widget, kYiddishZmanimDialogFontSize); }

void setFontStatusbar(GtkWidget* widget) {
  if (isLanguageRightToLeft()) setYiddishFontStatusbar(widget);
}
void setFontMenu(GtkWidget* widget) {
  if (isLanguageRightToLeft()) setYiddishFontMenu(widget);
}
void setFontDialog(GtkWidget* widget) {
  if (isLanguageRightToLeft()) setYiddishFontDialog(widget);
}
void setFontDialogZmanim(GtkWidget* widget) {
  if (isLanguageRightToLeft()) setYiddishFontDialogZmanim(widget);
}

void setProperTextDirectionForWidget(GtkWidget* widget) {
  if (isLanguageRightToLeft()) gtk_widget_set_direction(widget, GTK_TEXT_DIR_RTL);
}

bool IsFontFamilyInstalled(std::string_view family) {
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(pango_cairo_font_map_get_default(), &families, &count);
  const std::string wanted(family);
  bool found = false;
  for (int i = 0; i < count && !found; ++i)
    found = g_ascii_strcasecmp(pango_font_family_get_name(families[i]), wanted.c_str()) == 0;
  g_free(families);
  return found;
}

void ChooseScreenFont() { setFontName(PickScreenFont(getFontName(), IsFontFamilyInstalled)); }
