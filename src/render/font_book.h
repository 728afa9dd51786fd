// The fonts of one paint: every text role of the month view at any point
// size, made through the Drawing the first time they are asked for and kept
// with their line heights, so fitting a text to its room can try several
// sizes without making a font per try.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "render/drawing.h"
#include "render/font_sizes.h"

class FontBook {
 public:
  // `sizes` are the configured sizes of the roles; `smallest` is the
  // smallest size any text is shrunk to.
  FontBook(Drawing& drawing, const FontSizeSet& sizes, int smallest);

  Drawing& drawing() const { return d_; }
  // The configured size of a role.
  int Size(FontRole role) const { return sizes_.size[role]; }
  int Smallest() const { return smallest_; }

  DrawingFont Font(FontRole role, int size);
  DrawingFont Font(FontRole role) { return Font(role, Size(role)); }
  int Height(FontRole role, int size);
  int Width(FontRole role, int size, std::string_view text);

 private:
  struct Entry {
    DrawingFont font = nullptr;
    int height = -1;
  };
  Entry& Get(FontRole role, int size);

  Drawing& d_;
  FontSizeSet sizes_;
  int smallest_;
  std::map<std::pair<int, int>, Entry> fonts_;
};

// The family and weight every role is drawn with: the captions and the
// weekday names bold, all other texts in the normal weight of the same
// family.
bool FontRoleIsBold(FontRole role);

// A text shown in at most `width` device units: in its font at `size` when
// it fits; otherwise at the largest smaller size, down to `smallest`, at
// which it fits; otherwise at `smallest`, cut at a character boundary and
// ended with `ellipsis`. `cut` tells whether the text had to be cut.
struct FittedText {
  std::string text;
  int size = 0;
  int width = 0;
  bool cut = false;
};
FittedText FitTextToWidth(FontBook& fonts, FontRole role, int size, int smallest, std::string_view text, int width,
                          std::string_view ellipsis);
