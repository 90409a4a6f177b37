#include "printable.h"

namespace zelm {
namespace {

void AppendHex(std::string& out, unsigned v, const char* prefix = "\\x")
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += prefix;
    out += kDigits[v >> 4 & 0xF];
    out += kDigits[v & 0xF];
}

// Length of the valid UTF-8 sequence starting at s[i], or 0 when there is none.
std::size_t Utf8Length(std::string_view s, std::size_t i)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t len;
    unsigned min;
    unsigned cp;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2, min = 0x80, cp = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3, min = 0x800, cp = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4, min = 0x10000, cp = c & 0x07u;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b(i + k) & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

}  // namespace

std::string Printable(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = Utf8Length(utf8, i);
        if (len == 0) {
            AppendHex(out, c);
            ++i;
        } else if (len == 1) {
            switch (c) {
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default:
                if (c < 0x20 || c == 0x7F)
                    AppendHex(out, c);
                else
                    out += static_cast<char>(c);
            }
            ++i;
        } else if (len == 2 && c == 0xC2 && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            // C1 controls, U+0080 to U+009F: shown by their code point, unlike a stray byte.
            AppendHex(out, static_cast<unsigned char>(utf8[i + 1]), "\\u00");
            i += 2;
        } else {
            out.append(utf8.substr(i, len));
            i += len;
        }
    }
    return out;
}

}  // namespace zelm
