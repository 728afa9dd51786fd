#include "base/utf8.h"

size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return 0;  // a continuation byte, C0/C1 (always overlong) or F5..FF
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (!IsUtf8Continuation(text[i + k])) return 0;
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

size_t Utf8CutLength(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  size_t n = maxBytes;
  while (n > 0 && IsUtf8Continuation(text[n])) --n;
  return n;
}

std::string CutUtf8(std::string_view text, size_t maxBytes) {
  return std::string(text.substr(0, Utf8CutLength(text, maxBytes)));
}

size_t AppendCleanCharacter(std::string& out, std::string_view text, size_t i) {
  const char c = text[i];
  const auto u = static_cast<unsigned char>(c);
  if ((u < 0x20 && c != '\t') || u == 0x7F) {
    out += ' ';
    return 1;
  }
  const size_t length = Utf8SequenceLength(text, i);
  if (length == 0) {
    out += "\xEF\xBF\xBD";  // U+FFFD
    return 1;
  }
  out.append(text, i, length);
  return length;
}
