// Widths of printed text. PostScript measures a text only when it shows it,
// so the layout of a printout reads the widths the printer will use from the
// font files themselves (FreeType reads Type 1 fonts): for Latin text the
// fonts Ghostscript shows for Helvetica and Helvetica-Bold, NimbusSans-Regular
// and NimbusSans-Bold of the URW base 35 fonts (Debian package
// fonts-urw-base35), and for Hebrew and Yiddish text the print font the
// printout embeds.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

// Advance widths of the 256 byte codes of a font, in 1/1000 of its size.
struct PsFontMetrics {
  std::array<int, 256> advance{};
  bool fromFile = false;  // false: the file could not be read, the widths are estimates
};

// Where the Latin metrics are read from.
inline constexpr const char* kPsLatinFontFile = "/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1";
inline constexpr const char* kPsLatinBoldFontFile = "/usr/share/fonts/type1/urw-base35/NimbusSans-Bold.t1";

// Reads the widths of the font file `path` for the byte codes whose glyph
// names `nameOf` gives ("" for a code without a glyph). Codes without a
// glyph, and every code when the file cannot be read, get an estimate (the
// width of a digit, a little over half the size).
PsFontMetrics PsFontMetricsFromFile(const std::string& path, const std::function<std::string_view(int code)>& nameOf);

// The metrics of the Latin print fonts (Helvetica's standard encoding), read
// once.
const PsFontMetrics& PsLatinMetrics(bool bold);
// The metrics of a Hebrew print font re-encoded for the printout's Hebrew
// text, read once per file.
const PsFontMetrics& PsHebrewMetrics(const std::string& fontFile);

// The width in points of the bytes `shown` in a font of `size` points,
// rounded up.
int PsTextWidth(const PsFontMetrics& metrics, int size, std::string_view shown);
