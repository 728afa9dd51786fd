#include "render/ps_text_encoding.h"

#include <fribidi.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "base/file_util.h"
#include "base/hebrew_points.h"
#include "base/iconv_handle.h"
#include "base/translate.h"
#include "base/utf8.h"
#include "render/time_marks.h"

namespace {

// ------------------------------------------------------------------ tables

// Standard glyph names of printable ASCII, codes 32..126 in order.
constexpr std::array<std::string_view, 95> kAsciiGlyphNames = {
    "space", "exclam", "quotedbl", "numbersign", "dollar", "percent", "ampersand",   // 32..38
    "quotesingle", "parenleft", "parenright", "asterisk", "plus", "comma",          // 39..44
    "hyphen", "period", "slash",                                                    // 45..47
    "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine",  // 48..57
    "colon", "semicolon", "less", "equal", "greater", "question", "at",             // 58..64
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",                 // 65..77
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",                 // 78..90
    "bracketleft", "backslash", "bracketright", "asciicircum", "underscore",        // 91..95
    "grave",                                                                        // 96
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",                 // 97..109
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",                 // 110..122
    "braceleft", "bar", "braceright", "asciitilde",                                 // 123..126
};

// Glyph names of the pointed letters that printing composes letters and
// points into (base/hebrew_points.h), in the order of that table; they get
// the byte codes from 190 on.
struct PointedGlyph {
  char16_t unicode;
  std::string_view name;
};
constexpr std::array<PointedGlyph, kHebrewPointCompositions.size()> kPointedGlyphs = {{
    {0xFB2E, "uniFB2E"},    // alef with patah
    {0xFB2F, "uniFB2F"},    // alef with qamats
    {0xFB4C, "uniFB4C"},    // bet with rafe
    {0xFB35, "afii57723"},  // vav with dagesh
    {0xFB1D, "uniFB1D"},    // yod with hiriq
    {0xFB3B, "uniFB3B"},    // kaf with dagesh
    {0xFB44, "uniFB44"},    // pe with dagesh
    {0xFB4E, "uniFB4E"},    // pe with rafe
    {0xFB2B, "afii57695"},  // shin with sin dot
    {0xFB4A, "uniFB4A"},    // tav with dagesh
    {0xFB1F, "afii57705"},  // double yod with patah
}};

constexpr bool GlyphsFollowCompositions() {
  for (size_t i = 0; i < kPointedGlyphs.size(); ++i)
    if (kPointedGlyphs[i].unicode != kHebrewPointCompositions[i].composed) return false;
  return true;
}
static_assert(GlyphsFollowCompositions(), "every composed letter needs its glyph, in the table's order");

constexpr uint16_t kFirstPointedCode = 190;

// The other Hebrew rows, in encoding order: the Yiddish ligatures with
// geresh and gershayim, and the letters alef .. tav.
constexpr std::array<PSUnicodeEncodingRow, 32> kHebrewRows = {{
    {210, 0x05F0, "afii57716"},  // double vav
    {211, 0x05F1, "afii57717"},  // vav yod
    {212, 0x05F2, "afii57718"},  // double yod
    {213, 0x05F3, "uni05F3"},    // geresh
    {214, 0x05F4, "uni05F4"},    // gershayim
    {224, 0x05D0, "afii57664"},  // alef
    {225, 0x05D1, "afii57665"},  // bet
    {226, 0x05D2, "afii57666"},  // gimel
    {227, 0x05D3, "afii57667"},  // dalet
    {228, 0x05D4, "afii57668"},  // he
    {229, 0x05D5, "afii57669"},  // vav
    {230, 0x05D6, "afii57670"},  // zayin
    {231, 0x05D7, "afii57671"},  // het
    {232, 0x05D8, "afii57672"},  // tet
    {233, 0x05D9, "afii57673"},  // yod
    {234, 0x05DA, "afii57674"},  // final kaf
    {235, 0x05DB, "afii57675"},  // kaf
    {236, 0x05DC, "afii57676"},  // lamed
    {237, 0x05DD, "afii57677"},  // final mem
    {238, 0x05DE, "afii57678"},  // mem
    {239, 0x05DF, "afii57679"},  // final nun
    {240, 0x05E0, "afii57680"},  // nun
    {241, 0x05E1, "afii57681"},  // samekh
    {242, 0x05E2, "afii57682"},  // ayin
    {243, 0x05E3, "afii57683"},  // final pe
    {244, 0x05E4, "afii57684"},  // pe
    {245, 0x05E5, "afii57685"},  // final tsadi
    {246, 0x05E6, "afii57686"},  // tsadi
    {247, 0x05E7, "afii57687"},  // qof
    {248, 0x05E8, "afii57688"},  // resh
    {249, 0x05E9, "afii57689"},  // shin
    {250, 0x05EA, "afii57690"},  // tav
}};

constexpr std::array<PSUnicodeEncodingRow, kPSUnicodeEncodingRows> MakeEncoding() {
  std::array<PSUnicodeEncodingRow, kPSUnicodeEncodingRows> rows{};
  size_t n = 0;
  for (size_t i = 0; i < kAsciiGlyphNames.size(); ++i, ++n) {
    const auto code = static_cast<uint16_t>(32 + i);
    rows[n] = {code, code, kAsciiGlyphNames[i]};
  }
  for (size_t i = 0; i < kHebrewPointCompositions.size(); ++i, ++n) {
    rows[n] = {static_cast<uint16_t>(kFirstPointedCode + i), static_cast<uint16_t>(kPointedGlyphs[i].unicode),
               kPointedGlyphs[i].name};
  }
  for (const PSUnicodeEncodingRow& row : kHebrewRows) rows[n++] = row;
  return rows;
}

constexpr std::array<PSUnicodeEncodingRow, kPSUnicodeEncodingRows> kPSUnicodeEncoding = MakeEncoding();
static_assert(kAsciiGlyphNames.size() + kHebrewPointCompositions.size() + kHebrewRows.size() == kPSUnicodeEncodingRows);
// The pointed letters' codes end before the ligatures begin.
static_assert(kFirstPointedCode + kHebrewPointCompositions.size() <= kHebrewRows[0].code);

// The procedure that copies a font dictionary with a new encoding and name.
constexpr std::string_view kReEncodeProcedure =
    "/ReEncodeDict 5 dict def\n"
    "/ReEncode\n"
    "{ ReEncodeDict begin\n"
    "    /NewEncoding exch def\n"
    "    /NewFontname exch def\n"
    "    /BaseFontname exch def\n"
    "    /BaseFontDict\n"
    "    BaseFontname findfont def\n"
    "    /NewFont BaseFontDict\n"
    "    maxlength dict def\n"
    "\n"
    "    BaseFontDict\n"
    "    { exch dup dup /FID ne\n"
    "      exch /Encoding ne and\n"
    "      { exch NewFont\n"
    "      3 1 roll put\n"
    "      }\n"
    "      { pop pop\n"
    "      } ifelse\n"
    "    } forall\n"
    "\n"
    "    NewFont /FontName\n"
    "    NewFontname put\n"
    "    NewFont /Encoding\n"
    "    NewEncoding put\n"
    "\n"
    "    NewFontname NewFont\n"
    "    definefont pop\n"
    "  end\n"
    "} def\n";

// ------------------------------------------------------------------ helpers

// The composition step writes at most this many bytes.
constexpr size_t kComposedMax = 254;
// At most this many code points are converted (a 2048-byte buffer).
constexpr size_t kUcs4Max = 2048 / 4 - 1;

// UTF-8 -> code points through iconv's UCS-4LE; false when iconv fails.
bool ToUcs4(std::string_view utf8, std::vector<uint32_t>& out) {
  out.clear();
  std::string bytes;
  if (!IconvHandle("UCS-4LE", "UTF-8").Convert(utf8, kUcs4Max * 4, bytes)) return false;
  const size_t units = bytes.size() / 4;
  out.resize(units);
  for (size_t i = 0; i < units; ++i) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + 4 * i);
    out[i] = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
             static_cast<uint32_t>(b[3]) << 24;
  }
  return true;
}

unsigned char ByteFor(uint32_t codePoint) {
  const int mark = TimeMarkIndexOf(codePoint);
  if (mark >= 0) return static_cast<unsigned char>(kPsFirstMarkByte + mark);
  for (const PSUnicodeEncodingRow& row : kPSUnicodeEncoding)
    if (row.unicode == codePoint) return static_cast<unsigned char>(row.code);
  return static_cast<unsigned char>(codePoint & 0xFF);
}

// A binary font file (.pfb: segments of 0x80, type, 32-bit little-endian
// length) in the text form PostScript reads: text segments as they are,
// binary segments as hexadecimal lines. False when the segments are broken.
bool PfbToPfa(const std::string& pfb, std::string& pfa) {
  pfa.clear();
  size_t i = 0;
  static constexpr char kHex[] = "0123456789abcdef";
  while (i + 2 <= pfb.size()) {
    if (static_cast<unsigned char>(pfb[i]) != 0x80) return false;
    const int type = static_cast<unsigned char>(pfb[i + 1]);
    if (type == 3) return true;
    if (i + 6 > pfb.size()) return false;
    size_t length = 0;
    for (int k = 3; k >= 0; --k) length = length << 8 | static_cast<unsigned char>(pfb[i + 2 + static_cast<size_t>(k)]);
    i += 6;
    if (length > pfb.size() - i) return false;
    if (type == 1) {
      pfa.append(pfb, i, length);
      if (!pfa.empty() && pfa.back() != '\n' && pfa.back() != '\r') pfa += '\n';
    } else if (type == 2) {
      for (size_t k = 0; k < length; ++k) {
        const auto c = static_cast<unsigned char>(pfb[i + k]);
        pfa += kHex[c >> 4];
        pfa += kHex[c & 15];
        if (k % 32 == 31 || k + 1 == length) pfa += '\n';
      }
    } else {
      return false;
    }
    i += length;
  }
  return i == pfb.size();
}

bool IsPfb(const std::string& content) {
  return content.size() >= 2 && static_cast<unsigned char>(content[0]) == 0x80 && content[1] == 1;
}

}  // namespace

const PSUnicodeEncodingRow* ps_unicode_encoding_begin() { return kPSUnicodeEncoding.data(); }
const PSUnicodeEncodingRow* ps_unicode_encoding_end() { return kPSUnicodeEncoding.data() + kPSUnicodeEncoding.size(); }

int ps_mark_of_byte(unsigned char byte) {
  const int index = byte - kPsFirstMarkByte;
  return index >= 0 && index < static_cast<int>(std::size(kTimeMarks)) ? index : -1;
}

std::string ps_latin_convert(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const size_t length = std::max<size_t>(1, Utf8SequenceLength(utf8, i));
    const std::string_view sequence = utf8.substr(i, length);
    int mark = -1;
    for (const TimeMarkRow& row : kTimeMarks)
      if (row.utf8 == sequence) mark = static_cast<int>(row.mark);
    if (mark >= 0) {
      bytes += static_cast<char>(kPsFirstMarkByte + mark);
    } else {
      bytes += sequence;
    }
    i += length;
  }
  return bytes;
}

bool ps_unicode_has_hebrew(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      ++i;
      continue;
    }
    uint32_t code = 0;
    if (length == 2) {
      code = (static_cast<unsigned char>(text[i]) & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
    } else if (length == 3) {
      code = (static_cast<unsigned char>(text[i]) & 0x0Fu) << 12 |
             (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 | (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
    }
    if ((code >= 0x0590 && code <= 0x05FF) || (code >= 0xFB1D && code <= 0xFB4F)) return true;
    i += length;
  }
  return false;
}

size_t strlenUCS4(const uint32_t* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

std::string ps_unicode_convert(std::string_view source) {
  // Letters with points become pointed letters where the font has them.
  const std::string composed = translate_internal_composite("", kComposedMax + 1, source);
  std::vector<uint32_t> logical;
  if (composed.empty() || !ToUcs4(composed, logical)) return std::string();
  logical.push_back(0);
  const size_t count = strlenUCS4(logical.data());

  // Visual order; the paragraph direction comes from the text itself.
  std::vector<FriBidiChar> visual(count + 1, 0);
  FriBidiParType base = FRIBIDI_TYPE_ON;
  if (fribidi_log2vis(logical.data(), static_cast<FriBidiStrIndex>(count), &base, visual.data(), nullptr, nullptr,
                      nullptr) == 0) {
    visual.assign(logical.begin(), logical.end());
  }

  std::string bytes;
  bytes.reserve(count);
  for (size_t i = 0; i < count; ++i) bytes += static_cast<char>(ByteFor(visual[i]));
  return bytes;
}

bool ps_unicode_embed_font(std::FILE* stream, std::string_view resourceName, const std::string& fontFile) {
  std::string content;
  bool ok = !fontFile.empty() && ReadWholeFile(fontFile, content) && !content.empty();
  if (ok && IsPfb(content)) {
    std::string text;
    ok = PfbToPfa(content, text);
    content = ok ? std::move(text) : std::string();
  }
  if (!ok) content.clear();
  std::fprintf(stream, "%%%%BeginResource: font %.*s\n", static_cast<int>(resourceName.size()), resourceName.data());
  std::fwrite(content.data(), 1, content.size(), stream);
  // The end comment must begin a line of its own; font files need not end
  // with a line feed.
  if (!content.empty() && content.back() != '\n' && content.back() != '\r') std::fputc('\n', stream);
  std::fputs("%%EndResource\n", stream);
  return ok;
}

std::string ps_unicode_get_font_name_from_file(const std::string& fontFile) {
  std::string content;
  if (fontFile.empty() || !ReadWholeFile(fontFile, content)) return std::string();
  size_t i = content.find("/FontName");
  if (i == std::string::npos) return std::string();
  i += 9;
  while (i < content.size() && (content[i] == ' ' || content[i] == '\t')) ++i;
  if (i >= content.size() || content[i] != '/') return std::string();
  ++i;
  // A name ends at white space and at the characters that end a PostScript name.
  static constexpr std::string_view kEnd = " \t\r\n\f()<>[]{}/%";
  const size_t end = content.find_first_of(kEnd, i);
  return content.substr(i, (end == std::string::npos ? content.size() : end) - i);
}

void ps_unicode_get_encoding(std::string& text) {
  text += "/UnicodeEncoding 256 array def\n";
  text += "0 1 255 { UnicodeEncoding exch /.notdef put } for\n";
  text += "UnicodeEncoding\n";
  for (const PSUnicodeEncodingRow& row : kPSUnicodeEncoding) {
    text += "dup ";
    text += std::to_string(row.code);
    text += " /";
    text += row.name;
    text += " put\n";
  }
  text += "pop\n";
}

void ps_unicode_get_reencode_code(std::string& text) { text += kReEncodeProcedure; }

void ps_unicode_reencode_font(std::string& text, std::string_view baseName, std::string_view newName) {
  text += "/";
  text += baseName;
  text += " /";
  text += newName;
  text += " UnicodeEncoding ReEncode\n";
}

std::string ps_unicode_font_file(const std::string& configured) {
  return configured.empty() ? std::string(kDefaultYiddishPrintFont) : ExpandHome(configured);
}
