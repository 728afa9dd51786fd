// The text shown by the help window.
#pragma once

#include <string>
#include <string_view>

// `text` translated line by line (a line ends at a line feed, which is
// kept); each line that is not empty and does not end in "." gets one.
std::string DialogsHelpText(std::string_view text);
