#include "render/drawing_ps.h"

#include <charconv>
#include <memory>
#include <vector>

#include "base/diagnostics.h"
#include "render/ps_font_metrics.h"
#include "render/ps_text_encoding.h"
#include "compose/options.h"
#include "base/utf8.h"
#include "render/time_marks.h"

namespace {

enum PsFamily : int { kHelvetica = 1, kCourier = 2 };

// This backend's font record.
struct DrawingPsFont final : DrawingFontData {
  int family = kHelvetica;
  int size = 1;  // points, as written to the output
  int bold = 0;
};

// Screen sizes are larger than paper needs: paper text is 6 points smaller.
constexpr int kPaperSizeReduction = kDrawingPsSizeReduction;
// Texts longer than this are cut (at a character boundary).
constexpr size_t kMaxTextBytes = 2047;
// One base unit (a screen pixel) is 4 points.
constexpr int kPointsPerUnit = 4;
constexpr int kNoColor = -1;
// Every glyph of Courier is 0.6 of the size wide.
constexpr size_t kCourierAdvance = 600;

// A colour component 0..65535 as 0.000 .. 1.000, always with a decimal point.
std::string ColorComponent(int32_t value) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value / 65535.0, std::chars_format::fixed, 3);
  return std::string(buf, r.ptr);
}

class PsDrawing final : public Drawing {
 public:
  PsDrawing(std::FILE* stream, int width, int height, int colorFlag, const Options& options)
      : stream_(stream), width_(width), height_(height), colorFlag_(colorFlag), rtl_(options.text.rightToLeft()),
        fontFile_(rtl_ || options.text.hebrewNumerals ? ps_unicode_font_file(options.look.printFontFile) : std::string()),
        hebrewFont_(rtl_ || options.text.hebrewNumerals) {
    WriteHeader();
  }
  ~PsDrawing() override { WriteLine("showpage"); }

  // showpage sets the colour back to black; the font is chosen again too.
  void NextPage() {
    WriteLine("showpage");
    current_ = {kNoColor, kNoColor, kNoColor};
    currentFont_ = nullptr;
  }

  DrawingFont use_font(std::string_view family, int size, std::string_view weight, std::string_view) override {
    auto font = std::make_unique<DrawingPsFont>();
    font->family = family == "courier" ? kCourier : kHelvetica;
    // A size of 0 or less cannot be shown (PostScript fails on a zero scale).
    font->size = size - kPaperSizeReduction < 1 ? 1 : size - kPaperSizeReduction;
    font->bold = weight == "bold" ? 1 : 0;
    fonts_.push_back(std::move(font));
    return fonts_.back().get();
  }

  // The width the printer will give the text, from the metrics of the fonts
  // it shows the text in.
  int get_text_width(DrawingFont font, std::string_view text) override {
    const DrawingPsFont& f = Font(font);
    const bool hebrew = InHebrewFont(text);
    long long thousandths = 0;
    for (const Run& run : Runs(Shown(text, hebrew))) {
      if (run.mark >= 0) {
        thousandths += kTimeMarks[run.mark].dingbatAdvance;
      } else if (hebrew) {
        thousandths += Advance(PsHebrewMetrics(fontFile_), run.bytes);
      } else if (f.family == kCourier) {
        thousandths += static_cast<long long>(run.bytes.size() * kCourierAdvance);
      } else {
        thousandths += Advance(PsLatinMetrics(f.bold != 0), run.bytes);
      }
    }
    return static_cast<int>((thousandths * f.size + 999) / 1000);
  }

  int get_text_height(DrawingFont font) override { return Font(font).size + 3; }

  void draw_string_left(DrawingFont font, int x, int y, std::string_view text) override {
    const bool hebrew = InHebrewFont(text);
    const std::string shown = Shown(text, hebrew);
    if (HasMark(shown)) return ShowRuns(font, hebrew, x, TextY(font, y), shown);
    SelectFont(font, hebrew);
    WriteLine(Num(x) + " " + Num(TextY(font, y)) + " moveto (" + drawing_ps_escape(shown) + ") show");
  }

  void draw_string_right(DrawingFont font, int x, int y, std::string_view text) override {
    const bool hebrew = InHebrewFont(text);
    const std::string shown = Shown(text, hebrew);
    if (HasMark(shown)) return ShowRuns(font, hebrew, x - get_text_width(font, text), TextY(font, y), shown);
    SelectFont(font, hebrew);
    const std::string s = drawing_ps_escape(shown);
    WriteLine(Num(x) + " (" + s + ") stringwidth pop sub " + Num(TextY(font, y)) + " moveto (" + s + ") show");
  }

  void draw_string_center(DrawingFont font, int x, int width, int y, std::string_view text) override {
    const bool hebrew = InHebrewFont(text);
    const std::string shown = Shown(text, hebrew);
    if (HasMark(shown))
      return ShowRuns(font, hebrew, x + width / 2 - get_text_width(font, text) / 2, TextY(font, y), shown);
    SelectFont(font, hebrew);
    const std::string s = drawing_ps_escape(shown);
    WriteLine(Num(x) + " " + Num(width / 2) + " (" + s + ") stringwidth pop 2 div sub add " + Num(TextY(font, y)) +
              " moveto (" + s + ") show");
  }

  void draw_line(int x1, int y1, int x2, int y2) override {
    WriteLine("newpath " + Num(x1) + " " + Num(TransformY(y1)) + " moveto " + Num(x2) + " " + Num(TransformY(y2)) +
              " lineto stroke");
  }

  void draw_rectangle(int x, int y, int width, int height) override { Rect(x, y, width, height, "rectstroke"); }
  void fill_rectangle(int x, int y, int width, int height) override { Rect(x, y, width, height, "rectfill"); }

  // A circle round a text that ends at x; the text itself is not drawn.
  void draw_ellipse_text_right(DrawingFont font, int x, int y, std::string_view text) override {
    SelectFont(font, InHebrewFont(text));
    const int s = Font(font).size;
    const std::string t = drawing_ps_escape(text);
    WriteLine("newpath");
    WriteLine("  " + Num(x) + " (" + t + ") stringwidth pop 2 div sub");
    WriteLine("  " + Num(s / 2 + TextY(font, y)) + " 1 sub");
    WriteLine("  (" + t + ") stringwidth pop 2 div 3 add");
    WriteLine("  dup " + Num(s / 2) + " 1 add lt { pop " + Num(s / 2) + " 1 add } if");
    WriteLine("  0 360 arc stroke");
  }

  // The month arrows are screen-only; paper never needs polygons.
  void fill_polygon(const DrawingPoint*, int) override { WarnOnce(warnedPolygon_, "drawing_ps_fill_polygon"); }

  void get_color(DrawingColor* color) override { *color = current_; }

  void set_color(const DrawingColor& requested) override {
    DrawingColor c = requested;
    // Black and white: white stays white, every other colour prints black.
    if (!colorFlag_ && !(c.red == 65535 && c.green == 65535 && c.blue == 65535)) c = {0, 0, 0};
    if (c == current_) return;
    current_ = c;
    WriteLine(ColorComponent(c.red) + " " + ColorComponent(c.green) + " " + ColorComponent(c.blue) + " setrgbcolor");
  }

  int get_x_unit(int n) override { return kPointsPerUnit * n; }
  int get_y_unit(int n) override { return get_x_unit(n); }
  int get_device_class() override { return kDevicePrinter; }
  int get_color_mode() override { return colorFlag_ ? kColorModeColor : kColorModeBlackWhite; }

 private:
  static const DrawingPsFont& Font(DrawingFont font) {
    static const DrawingPsFont kFallback;
    return font ? *static_cast<const DrawingPsFont*>(font) : kFallback;
  }

  static std::string Num(int v) { return std::to_string(v); }

  void WriteLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fputc('\n', stream_);
  }

  void WarnOnce(bool& warned, const char* operation) {
    if (warned) return;
    warned = true;
    DiagWarning("*** WARNING ***: " + std::string(operation) + ": Not implemented\n");
  }

  int TransformY(int y) const { return height_ - y; }
  // The baseline of a text whose line top is at painter y.
  int TextY(DrawingFont font, int y) const { return TransformY(y) - Font(font).size; }

  void Rect(int x, int y, int width, int height, const char* op) {
    WriteLine(Num(x) + " " + Num(TransformY(y) - height) + " " + Num(width) + " " + Num(height) + " " + op);
  }

  std::string PostScriptFontName(const DrawingPsFont& font, bool hebrew) const {
    if (hebrew) return "RTLFontB";
    if (font.family == kCourier) return font.bold ? "Courier-Bold" : "Courier";
    return font.bold ? "Helvetica-Bold" : "Helvetica";
  }

  // Selects the font a text is shown in (the Hebrew font or the record's
  // own) unless it is the one selected last.
  void SelectFont(DrawingFont font, bool hebrew) {
    if (font == currentFont_ && hebrew == currentHebrew_) return;
    currentFont_ = font;
    currentHebrew_ = hebrew;
    const DrawingPsFont& f = Font(font);
    WriteLine("/" + PostScriptFontName(f, hebrew) + " " + Num(f.size) + " selectfont");
  }

  // A stretch of shown bytes: one time mark, or bytes of the text's own font.
  struct Run {
    int mark = -1;  // index into kTimeMarks, or -1
    std::string bytes;
  };
  static std::vector<Run> Runs(const std::string& shown) {
    std::vector<Run> runs;
    for (const char c : shown) {
      const int mark = ps_mark_of_byte(static_cast<unsigned char>(c));
      if (mark >= 0 || runs.empty() || runs.back().mark >= 0) runs.push_back({mark, {}});
      runs.back().bytes += c;
    }
    return runs;
  }
  static bool HasMark(const std::string& shown) {
    for (const char c : shown)
      if (ps_mark_of_byte(static_cast<unsigned char>(c)) >= 0) return true;
    return false;
  }
  static long long Advance(const PsFontMetrics& metrics, const std::string& bytes) {
    long long sum = 0;
    for (const char c : bytes) sum += metrics.advance[static_cast<unsigned char>(c)];
    return sum;
  }

  // Shows a text with time marks run by run from (x, baseline): the marks
  // from the dingbats font at the text's size, the rest in the text's font.
  void ShowRuns(DrawingFont font, bool hebrew, int x, int baseline, const std::string& shown) {
    WriteLine(Num(x) + " " + Num(baseline) + " moveto");
    for (const Run& run : Runs(shown)) {
      if (run.mark >= 0) {
        WriteLine("/ZapfDingbats " + Num(Font(font).size) + " selectfont (" +
                  drawing_ps_escape(std::string(1, static_cast<char>(kTimeMarks[run.mark].dingbat))) + ") show");
        currentFont_ = nullptr;
      } else {
        SelectFont(font, hebrew);
        WriteLine("(" + drawing_ps_escape(run.bytes) + ") show");
      }
    }
  }

  // Whether `text` is shown in the Hebrew font: every text of a Yiddish or
  // Hebrew page; on an English page the texts in Hebrew letters (the Hebrew
  // dates in Hebrew numerals), when the page has the font.
  bool InHebrewFont(std::string_view text) const { return rtl_ || (hebrewFont_ && ps_unicode_has_hebrew(text)); }

  // The bytes a text is shown as: Hebrew letters through the re-encoded font
  // in visual order, Latin text as it is; the time marks as their codes.
  std::string Shown(std::string_view text, bool hebrew) const {
    return hebrew ? ps_unicode_convert(text) : ps_latin_convert(CutUtf8(text, kMaxTextBytes));
  }

  void WriteHeader() {
    WriteLine("%!PS-Adobe-3.0");
    WriteLine("%%BoundingBox: 0 0 " + Num(width_) + " " + Num(height_));
    WriteLine("%%EndComments");
    WriteLine("3 dict dup /PageSize [" + Num(width_) + " " + Num(height_) +
              "] put dup /ImagingBBox null put dup /Orientation " + Num(height_ <= width_ ? 1 : 0) +
              " put setpagedevice");
    WriteLine("/DeviceRGB setcolorspace");
    if (!hebrewFont_) return;
    // The Hebrew-letter print font, and "RTLFontB": that font with the Hebrew encoding.
    ps_unicode_embed_font(stream_, "RTLFontA", fontFile_);
    const std::string baseName = ps_unicode_get_font_name_from_file(fontFile_);
    std::string block = "\n";
    ps_unicode_get_encoding(block);
    block += "\n";
    ps_unicode_get_reencode_code(block);
    block += "\n";
    ps_unicode_reencode_font(block, baseName, "RTLFontB");
    block += "\n";
    std::fwrite(block.data(), 1, block.size(), stream_);
  }

  std::FILE* stream_;
  int width_;
  int height_;
  int colorFlag_;
  bool rtl_;
  std::string fontFile_;  // the embedded Hebrew print font, when the page has one
  bool hebrewFont_;       // the page embeds the Hebrew print font
  DrawingColor current_{kNoColor, kNoColor, kNoColor};
  DrawingFont currentFont_ = nullptr;
  bool currentHebrew_ = false;
  std::vector<std::unique_ptr<DrawingPsFont>> fonts_;
  bool warnedPolygon_ = false;
};

}  // namespace

std::string drawing_ps_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 32 || c == 127) {
      const char octal[] = {'\\', static_cast<char>('0' + (c >> 6)), static_cast<char>('0' + ((c >> 3) & 7)),
                            static_cast<char>('0' + (c & 7))};
      out.append(octal, 4);
    } else {
      out += ch;
    }
  }
  return out;
}

void drawing_ps_next_page(Drawing& drawing) {
  if (auto* ps = dynamic_cast<PsDrawing*>(&drawing)) ps->NextPage();
}

DrawingPtr drawing_ps_new(std::FILE* stream, int pageWidth, int pageHeight, int colorFlag, const Options& options) {
  return std::make_unique<PsDrawing>(stream, pageWidth, pageHeight, colorFlag, options);
}
