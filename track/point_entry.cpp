#include "point_entry.h"

#include <array>
#include <charconv>
#include <cstring>

namespace zelm {
namespace {

// "  0" to "999": every value a 24-bit coordinate can give, right-aligned in three columns.
constexpr auto kThreeColumns = [] {
    std::array<std::array<char, 3>, 1000> table{};
    for (int v = 0; v < 1000; ++v) {
        table[v][2] = static_cast<char>('0' + v % 10);
        table[v][1] = v >= 10 ? static_cast<char>('0' + v / 10 % 10) : ' ';
        table[v][0] = v >= 100 ? static_cast<char>('0' + v / 100) : ' ';
    }
    return table;
}();

// Any value, right-aligned in at least `width` columns, as %*ld writes it.
char* PutWide(char* out, long v, int width)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    const auto n = static_cast<int>(end - digits);
    for (int i = n; i < width; ++i)
        *out++ = ' ';
    std::memcpy(out, digits, static_cast<std::size_t>(n));
    return out + n;
}

char* Put3(char* out, std::int32_t v)
{
    if (v >= 0 && v < 1000) {
        std::memcpy(out, kThreeColumns[static_cast<std::size_t>(v)].data(), 3);
        return out + 3;
    }
    return PutWide(out, v, 3);
}

char* Put4(char* out, std::uint32_t v)
{
    if (v < 10000) {
        out[0] = v >= 1000 ? static_cast<char>('0' + v / 1000) : ' ';
        std::memcpy(out + 1, kThreeColumns[v % 1000].data(), 3);
        if (v >= 1000) {
            // The table blanks leading zeros of the last three digits; inside a wider number they
            // are zeros.
            for (int i = 1; i < 4 && out[i] == ' '; ++i)
                out[i] = '0';
        }
        return out + 4;
    }
    return PutWide(out, static_cast<long>(v), 4);
}

char* Put(char* out, const char* text, std::size_t n)
{
    std::memcpy(out, text, n);
    return out + n;
}

char* PutAngle(char* out, const AngleDms& a)
{
    out = Put3(out, a.degrees);
    *out++ = ',';
    out = Put3(out, a.minutes);
    *out++ = ',';
    out = Put3(out, a.seconds);
    *out++ = '.';
    if (a.tenths >= 0 && a.tenths <= 9)
        *out++ = static_cast<char>('0' + a.tenths);
    else
        out = PutWide(out, a.tenths, 1);
    return out;
}

}  // namespace

std::size_t FormatPointEntry(char* out, std::uint32_t index, const AngleDms& latitude,
                             const AngleDms& longitude)
{
    char* p = out;
    *p++ = '[';
    p = Put4(p, index);
    p = Put(p, "]   N ", 6);
    p = PutAngle(p, latitude);
    p = Put(p, "     E ", 7);
    p = PutAngle(p, longitude);
    return static_cast<std::size_t>(p - out);
}

}  // namespace zelm
