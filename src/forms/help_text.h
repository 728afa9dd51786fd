// The text shown by the help window.
#pragma once

#include <string>
#include <string_view>

// `text` translated line by line (a line ends at a line feed, which is
// kept); each line that is not empty and does not end in "." gets one.
// A text with words in it is followed by the lines that name the marks of
// the times in narrow day cells ("✡ Candle lighting.").
std::string DialogsHelpText(std::string_view text);
