// RAII for the GLib/Pango objects Lumaro's GTK code holds a reference to.
// Widgets belong to their containers and are not wrapped.
#pragma once

#include <gtk/gtk.h>

#include <memory>

struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;

struct GObjectUnref {
  void operator()(void* p) const {
    if (p) g_object_unref(p);
  }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct PangoFontDescriptionDeleter {
  void operator()(PangoFontDescription* p) const {
    if (p) pango_font_description_free(p);
  }
};
using PangoFontDescriptionPtr = std::unique_ptr<PangoFontDescription, PangoFontDescriptionDeleter>;

