#include "base/hebrew_points.h"

#include <vector>

#include "base/iconv_handle.h"

namespace {

// Characters are composed as UCS-2 units; the converters are opened once.
struct Converters {
  IconvHandle toUcs2{"UCS-2LE", "UTF-8"};
  IconvHandle fromUcs2{"UTF-8", "UCS-2LE"};
};

const Converters& TheConverters() {
  static const Converters converters;
  return converters;
}

// Room for the UCS-2 form of the source: 1023 characters.
constexpr size_t kUcs2Max = 2046;

}  // namespace

HebrewPointsResult ComposeHebrewPoints(std::string_view utf8, size_t maxBytes, std::string& out) {
  out.clear();
  const Converters& c = TheConverters();
  std::string ucs2;
  if (!c.toUcs2.Convert(utf8, kUcs2Max, ucs2)) return HebrewPointsResult::kSourceInvalid;
  std::vector<char16_t> chars(ucs2.size() / 2);
  for (size_t i = 0; i < chars.size(); ++i)
    chars[i] = static_cast<char16_t>(static_cast<unsigned char>(ucs2[2 * i]) |
                                     (static_cast<unsigned char>(ucs2[2 * i + 1]) << 8));
  std::string composed;
  composed.reserve(ucs2.size());
  for (size_t i = 0; i < chars.size();) {
    char16_t ch = chars[i];
    size_t step = 1;
    if (i + 1 < chars.size()) {
      if (const char16_t pointed = ComposedHebrewLetter(ch, chars[i + 1]); pointed != 0) {
        ch = pointed;
        step = 2;
      }
    }
    composed.push_back(static_cast<char>(ch & 0xFF));
    composed.push_back(static_cast<char>(ch >> 8));
    i += step;
  }
  if (!c.fromUcs2.Convert(composed, maxBytes, out)) {
    out.clear();
    return HebrewPointsResult::kResultTooLong;
  }
  return HebrewPointsResult::kOk;
}
