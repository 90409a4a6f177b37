// Converting Shift-JIS (code page 932) text to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zelm {

// Converts code page 932 bytes (Microsoft's mapping: 0x5C is a backslash, NEC and IBM
// extensions included) to UTF-8. An invalid or truncated sequence becomes U+FFFD and the
// conversion goes on; it never fails.
std::string Cp932ToUtf8(std::string_view cp932);

// Appends the conversion of cp932 to out.
void AppendCp932AsUtf8(std::string& out, std::string_view cp932);

}  // namespace zelm
