// Showing untrusted text safely in a terminal or a label.
#pragma once

#include <string>
#include <string_view>

namespace zelm {

// Returns UTF-8 text with every C0 control and DEL written as \xNN (\n, \t and \r for those three),
// every C1 control as \u00NN, a backslash doubled, and every byte that is not part of valid UTF-8
// written as \xNN.
std::string Printable(std::string_view utf8);

}  // namespace zelm
