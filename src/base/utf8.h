// Scanning UTF-8 text: the length of a sequence, validation, and cutting a
// text to a byte limit without splitting a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True for a continuation byte (10xxxxxx).
constexpr bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length a sequence starting with byte `c` claims: 1 for ASCII and for a
// byte that starts no sequence, 2..4 for a lead byte. It does not look at the
// bytes after it.
constexpr size_t Utf8LeadLength(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF7) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

// Length of the well-formed UTF-8 sequence at text[i] (i < text.size()), or
// 0 when the bytes there are not one: overlong forms, surrogates, values past
// U+10FFFF and cut sequences are not.
size_t Utf8SequenceLength(std::string_view text, size_t i);
// Appends the character at byte i of `text` to `out` as an export file
// takes it: a control character (not the tab) as a space, a byte that
// starts no character as U+FFFD. Returns the number of bytes it took.
size_t AppendCleanCharacter(std::string& out, std::string_view text, size_t i);

// True when `text` is well-formed UTF-8 throughout.
bool IsValidUtf8(std::string_view text);

// The longest prefix length up to `maxBytes` that does not end inside a
// character (it steps back over continuation bytes; may be 0).
size_t Utf8CutLength(std::string_view text, size_t maxBytes);

// `text` cut to at most `maxBytes` without splitting a UTF-8 sequence.
std::string CutUtf8(std::string_view text, size_t maxBytes);
