// Properties of UTF-8 text the fuzz targets check, written apart from the code under test.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelm::fuzz {

// Whether s is well-formed UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
// Follows the table of well-formed byte sequences rather than decoding code points.
inline bool IsValidUtf8(std::string_view s)
{
    const auto in = [](unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len;
        unsigned lo = 0x80;  // allowed range of the second byte
        unsigned hi = 0xBF;
        if (c < 0x80) {
            len = 1;
        } else if (in(c, 0xC2, 0xDF)) {
            len = 2;
        } else if (in(c, 0xE0, 0xEF)) {
            len = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (in(c, 0xF0, 0xF4)) {
            len = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (s.size() - i < len)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if (k == 1 ? !in(b, lo, hi) : !in(b, 0x80, 0xBF))
                return false;
        }
        i += len;
    }
    return true;
}

// Whether UTF-8 text s holds a C0 control, DEL or a C1 control (U+0080 to U+009F).
inline bool HasControl(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == 0x7F)
            return true;
        if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) < 0xA0)
            return true;
    }
    return false;
}

// The bytes below 0x40 of s, in order. In code page 932 they are never part of a double-byte
// character, and in UTF-8 never part of a multi-byte one, so a conversion must keep them as they are.
inline std::string LowBytes(std::string_view s)
{
    std::string low;
    for (const char c : s) {
        if (static_cast<unsigned char>(c) < 0x40)
            low += c;
    }
    return low;
}

}  // namespace zelm::fuzz
