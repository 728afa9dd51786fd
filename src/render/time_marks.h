// The marks of the evening times: a cell too narrow for "Candles 4:11PM"
// shows a mark and the time ("✡ 4:11PM"), the same in every language. The
// screen draws a mark from its font (or the font system's fallback, DejaVu
// Sans, which has all three); paper draws it from the dingbats font of the
// PostScript base fonts. The printout's legend and the help window name
// what each mark stands for.
#pragma once

#include <string>
#include <string_view>

enum class TimeMark : int {
  kCandles,  // candle lighting, before sunset or after nightfall
  kEnd,      // havdalah: the end of Shabbat or of a festival
  kFastEnd,  // the end of a fast
};

struct TimeMarkRow {
  TimeMark mark;
  char32_t codePoint;
  std::string_view utf8;
  // The mark's code in the PostScript dingbats font and its advance width
  // there in 1/1000 of the size (from the font's metrics).
  unsigned char dingbat;
  int dingbatAdvance;
  std::string_view meaning;  // what it stands for, a translation key
};

// One row per mark, in the order of TimeMark.
inline constexpr TimeMarkRow kTimeMarks[] = {
    {TimeMark::kCandles, 0x2721, "\xE2\x9C\xA1", 0x41, 692, "Candle lighting"},                         // ✡
    {TimeMark::kEnd, 0x2605, "\xE2\x98\x85", 0x48, 816, "Havdalah, end of Shabbat or festival"},       // ★
    {TimeMark::kFastEnd, 0x2729, "\xE2\x9C\xA9", 0x49, 823, "End of the fast"},                         // ✩
};

const TimeMarkRow& TimeMarkOf(TimeMark mark);
// The index into kTimeMarks of the mark with this code point, or -1.
int TimeMarkIndexOf(char32_t codePoint);

// A time with its mark in front, in the reading direction: "✡ 4:11PM"; in a
// right-to-left language the mark stands to the time's right.
std::string TimeMarked(TimeMark mark, const std::string& time, bool rightToLeft);
