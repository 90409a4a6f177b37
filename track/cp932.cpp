#include "cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <optional>

namespace zelm {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Where the run of ASCII bytes that starts at i ends: eight bytes at a time while it can.
std::size_t AsciiRunEnd(std::string_view s, std::size_t i)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (i + 8 <= s.size()) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, sizeof word);
        if (word & kHighBits)
            break;
        i += 8;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// One iconv conversion descriptor, opened for the lifetime of a call.
class Converter {
public:
    Converter() : cd_(iconv_open("UTF-8", "CP932")) {}
    ~Converter()
    {
        if (Usable())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts a run of non-ASCII text; bytes it cannot convert become U+FFFD.
    void Append(std::string& out, std::string_view run)
    {
        if (!Usable()) {
            for (std::size_t i = 0; i < run.size(); ++i)
                out.append(kReplacement);
            return;
        }
        char* in = const_cast<char*>(run.data());  // iconv's signature is not const-correct
        std::size_t inLeft = run.size();
        while (inLeft > 0) {
            // A double-byte character never takes more than 3 UTF-8 bytes, a single byte fewer.
            const std::size_t at = out.size();
            out.resize(at + inLeft * 3);
            char* dst = out.data() + at;
            std::size_t outLeft = inLeft * 3;
            const std::size_t rc = iconv(cd_, &in, &inLeft, &dst, &outLeft);
            out.resize(static_cast<std::size_t>(dst - out.data()));
            if (rc != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one byte, or a lead byte with its trail when the pair
            // itself is unmapped, so that a valid ASCII trail is not swallowed later.
            out.append(kReplacement);
            const auto c = static_cast<unsigned char>(*in);
            std::size_t skip = 1;
            if (IsLeadByte(c) && inLeft >= 2) {
                const auto t = static_cast<unsigned char>(in[1]);
                if (t >= 0x40 && t <= 0xFC && t != 0x7F)
                    skip = 2;
            }
            in += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t cd_;
};

}  // namespace

void AppendCp932AsUtf8(std::string& out, std::string_view cp932)
{
    out.reserve(out.size() + cp932.size());
    std::optional<Converter> converter;  // opened on the first non-ASCII byte
    std::size_t i = 0;
    const std::size_t n = cp932.size();
    while (i < n) {
        // ASCII is the same in both encodings: copy it straight.
        const std::size_t j = AsciiRunEnd(cp932, i);
        out.append(cp932.substr(i, j - i));
        if (j == n)
            break;
        // A run of non-ASCII characters; a trail byte may be ASCII, so a lead byte takes two.
        std::size_t k = j;
        while (k < n && static_cast<unsigned char>(cp932[k]) >= 0x80)
            k += IsLeadByte(static_cast<unsigned char>(cp932[k])) ? 2 : 1;
        k = std::min(k, n);
        if (!converter)
            converter.emplace();
        converter->Append(out, cp932.substr(j, k - j));
        i = k;
    }
}

std::string Cp932ToUtf8(std::string_view cp932)
{
    std::string out;
    AppendCp932AsUtf8(out, cp932);
    return out;
}

}  // namespace zelm
