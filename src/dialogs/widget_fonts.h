// Fonts and text direction of GTK widgets: in a language written in Hebrew
// letters (Yiddish, Hebrew) labels get the configured font at fixed sizes
// and run right to left; in English the theme's font and direction stay.
#pragma once

#include <gtk/gtk.h>

#include "dialogs/gtk_util.h"

#include <string_view>

// Widget font sizes used in Yiddish and Hebrew (points).
constexpr int kYiddishStatusbarFontSize = 16;
constexpr int kYiddishMenuFontSize = 16;
constexpr int kYiddishDialogFontSize = 16;
constexpr int kYiddishZmanimDialogFontSize = 12;

// The configured font family, normal style and weight, at `points`.
PangoFontDescriptionPtr getYiddishPangoFont(int points);
// Gives `widget` a fresh style whose font is the configured font at `points`.
void setYiddishFont(GtkWidget* widget, int points);
void setYiddishFontStatusbar(GtkWidget* widget);
void setYiddishFontMenu(GtkWidget* widget);
void setYiddishFontDialog(GtkWidget* widget);
void setYiddishFontDialogZmanim(GtkWidget* widget);
// The same, only when the interface language is written right to left.
void setFontStatusbar(GtkWidget* widget);
void setFontMenu(GtkWidget* widget);
void setFontDialog(GtkWidget* widget);
void setFontDialogZmanim(GtkWidget* widget);
// Right-to-left direction for `widget` when the language runs right to left.
void setProperTextDirectionForWidget(GtkWidget* widget);

// True when the font system has a family of that name (letter case ignored).
bool IsFontFamilyInstalled(std::string_view family);
// At start-up: when the configured screen font is the default and is not
// installed, an installed family that shows Hebrew takes its place (and is
// kept in the settings from then on).
void ChooseScreenFont();
