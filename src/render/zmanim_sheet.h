// The page of the zmanim sheet: its table at the largest type size that
// fits the month on one page with no two columns touching; column titles
// wrap at their spaces onto as many lines as the widest of them needs. In
// Yiddish and Hebrew the columns run from right to left.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "compose/zmanim_sheet.h"
#include "render/drawing.h"

struct ZmanimSheetLayout {
  int size = 0;  // of the table and the heading, in points; the title is larger
  int pages = 1;
  int rowsPerPage = 0;
  int rowHeight = 0;
  // Each column's left edge and width from the area's left edge, as read
  // left to right (mirrored on the page for a right-to-left language).
  std::vector<int> x;
  std::vector<int> width;
  std::vector<std::vector<std::string>> titleLines;  // per column
  int titleLineCount = 1;
  bool labelsCut = false;  // some label had to be shortened to its column
};

ZmanimSheetLayout LayoutZmanimSheet(Drawing& drawing, const PaintArea& area, const ZmanimSheetText& text);

// Paints the sheet; `nextPage` ends a page before the next one begins.
ZmanimSheetLayout PaintZmanimSheet(Drawing& drawing, const PaintArea& area, const ZmanimSheetText& text,
                                   const std::function<void()>& nextPage);

// The sheet as PostScript onto `stream`, in memory as PostScript or PDF, or
// into the file `path`, which is replaced only when the whole printout was
// made. False with the reason in `error`, also when the page needs the
// Hebrew print font and it cannot be read.
bool ZmanimSheetToStream(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                         const ZmanimSheetText& text, const Options& options, std::string* error);
bool ZmanimSheetBytes(const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                      const ZmanimSheetText& text, bool pdf, const Options& options, std::string* bytes,
                      std::string* error);
bool ZmanimSheetToFile(const std::string& path, bool pdf, const PaintArea& area, int paperWidth, int paperHeight,
                       int colorFlag, const ZmanimSheetText& text, const Options& options, std::string* error);
