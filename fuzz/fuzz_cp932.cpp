// Fuzzes the Shift-JIS conversion and the escaping of text for display with arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cp932.h"
#include "printable.h"
#include "require.h"
#include "utf8_checks.h"

using zelm::fuzz::Require;

namespace {

bool IsAscii(std::string_view s)
{
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Printable must make any bytes safe to show, and leave text that is already safe alone.
void CheckPrintable(std::string_view text)
{
    const std::string shown = zelm::Printable(text);
    Require(zelm::fuzz::IsValidUtf8(shown), "Printable writes valid UTF-8");
    Require(!zelm::fuzz::HasControl(shown), "Printable writes no control character");
    if (zelm::fuzz::IsValidUtf8(text) && !zelm::fuzz::HasControl(text) &&
        text.find('\\') == std::string_view::npos)
        Require(shown == text, "Printable keeps safe text as it is");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = zelm::Cp932ToUtf8(input);
    Require(zelm::fuzz::IsValidUtf8(utf8), "Cp932ToUtf8 writes valid UTF-8");
    Require(zelm::fuzz::LowBytes(utf8) == zelm::fuzz::LowBytes(input),
            "Cp932ToUtf8 keeps the bytes below 0x40 in order");
    if (IsAscii(input))
        Require(utf8 == input, "Cp932ToUtf8 keeps ASCII as it is");

    std::string appended = "prefix";
    zelm::AppendCp932AsUtf8(appended, input);
    Require(appended == "prefix" + utf8, "AppendCp932AsUtf8 appends what Cp932ToUtf8 returns");

    CheckPrintable(utf8);
    CheckPrintable(input);
    return 0;
}
