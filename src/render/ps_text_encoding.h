// Hebrew and Yiddish text in PostScript. PostScript fonts show one byte per
// glyph, so printable ASCII, the Hebrew letters, the Yiddish ligatures and
// the pointed letters Yiddish uses are given single byte codes in one
// encoding vector, "UnicodeEncoding". An embedded Type 1 font is re-encoded
// with it, and every text is turned from logical-order UTF-8 into those
// bytes in visual (left-to-right display) order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

struct PSUnicodeEncodingRow {
  uint16_t code;          // byte code in the re-encoded font
  uint16_t unicode;       // the character it shows
  std::string_view name;  // glyph name in the font
};

// Number of rows of the encoding: 95 ASCII, 11 pointed letters, 5 ligatures
// and marks, 27 letters.
constexpr size_t kPSUnicodeEncodingRows = 138;

// The rows in the order the encoding vector lists them.
const PSUnicodeEncodingRow* ps_unicode_encoding_begin();
const PSUnicodeEncodingRow* ps_unicode_encoding_end();

// Converts logical-order UTF-8 into the byte string that shows it in the
// re-encoded font, in visual order. Points are first composed with their
// letters where a pointed letter exists. A character without a byte code
// gives the low 8 bits of its code point. Text that is not valid UTF-8, or
// that does not fit the 254-byte composition buffer, gives "".
std::string ps_unicode_convert(std::string_view source);

// The time marks (render/time_marks.h) stand in the shown bytes as the
// codes from kPsFirstMarkByte on, one per row of kTimeMarks; the printout
// draws them from the dingbats font. ps_unicode_convert gives them too.
inline constexpr unsigned char kPsFirstMarkByte = 1;
// The index into kTimeMarks of a shown byte, or -1 for any other byte.
int ps_mark_of_byte(unsigned char byte);
// Latin text as the bytes shown in a standard-encoded font: the UTF-8 as it
// is, the time marks as their codes.
std::string ps_latin_convert(std::string_view utf8);

// Writes `fontFile` (a Type 1 font in text form, or a binary .pfb that is
// turned into text form) as the document resource `resourceName`. A file
// that cannot be read leaves the resource empty. Returns whether the font
// was written.
bool ps_unicode_embed_font(std::FILE* stream, std::string_view resourceName, const std::string& fontFile);

// The name a font program defines itself under: the word after the first
// "/FontName /". Empty when the file cannot be read or has no such entry.
std::string ps_unicode_get_font_name_from_file(const std::string& fontFile);

// Append PostScript text to `text`: the encoding vector "UnicodeEncoding",
// the "ReEncode" procedure, and the line that defines `newName` as `baseName`
// re-encoded.
void ps_unicode_get_encoding(std::string& text);
void ps_unicode_get_reencode_code(std::string& text);
void ps_unicode_reencode_font(std::string& text, std::string_view baseName, std::string_view newName);

// True when `text` holds a Hebrew letter, point or mark (U+0590..U+05FF)
// or a Hebrew presentation form (U+FB1D..U+FB4F).
bool ps_unicode_has_hebrew(std::string_view text);

// Units of a zero-terminated UCS-4 string before the terminator.
size_t strlenUCS4(const uint32_t* text);

// The print font of Yiddish and Hebrew: the configured "PrintYiddishFontFile" (a
// leading "~" is the home directory), or the Hebrew Type 1 font of the
// culmus fonts when none is configured.
std::string ps_unicode_font_file(const std::string& configured);
inline constexpr const char* kDefaultYiddishPrintFont = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa";
