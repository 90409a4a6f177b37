// The fixed texts, the code page 932 conversion, and showing untrusted text safely.
#include <gtest/gtest.h>

#include "cp932.h"
#include "listing_texts.h"
#include "printable.h"

namespace zelm {
namespace {

TEST(ListingTexts, DecodeToTheTextsAsWritten)
{
    const struct {
        const char* cp932;
        const char* utf8;
    } cases[] = {
        {texts::kFileNotFound, "ファイルが見つかりません"},
        {texts::kBadHeader, "軌跡データファイルのヘッダが違います"},
        {texts::kHeaderRule, "=====ファイルヘッダ情報================="},
        {texts::kDateFormat, "データ日時  %02x%02x年%02x月%02x日　%02x時%02x分%02x秒"},
        {texts::kNameCountFormat, "データ名称  %-20s\n軌　跡　数  %4d"},
        {texts::kEndRule, "========================================\n"},
        {texts::kIndexFormat, "[%4ld]   "},
        {texts::kLatitudeFormat, "N %3ld,%3ld,%3ld.%1ld"},
        {texts::kLongitudeFormat, "     E %3ld,%3ld,%3ld.%1ld"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
}

TEST(ListingTexts, RulesAreFortyBytesWide)
{
    EXPECT_EQ(std::string_view(texts::kHeaderRule).size(), 40u);
    EXPECT_EQ(std::string_view(texts::kEndRule).size(), 41u);
}

TEST(Cp932ToUtf8, Table)
{
    using namespace std::string_literals;
    const struct {
        const char* label;
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"ASCII passes through", "abc 123 ~", "abc 123 ~"},
        {"0x5C is a backslash", "\x5C", "\\"},
        {"wave dash maps to the fullwidth tilde", "\x81\x60", "\xEF\xBD\x9E"},
        {"NEC circled digit", "\x87\x40", "①"},
        {"IBM extension", "\xFA\x40", "ⅰ"},
        {"half-width katakana", "\xB1\xB2", "ｱｲ"},
        {"double-byte with an ASCII trail byte", "\x83\x5C", "ソ"},
        {"NUL kept", "a\0b"s, "a\0b"s},
        {"invalid single byte", "a\x80z", "a\uFFFDz"},
        {"truncated lead byte at the end", "ab\x82", "ab\uFFFD"},
        {"lead byte before a line feed keeps the line feed", "\x82\nx", "\uFFFD\nx"},
        {"unmapped pair is one replacement", "\x85\x40z", "\uFFFDz"},
        {"conversion goes on after bad bytes", "\xFF\x82\xA0\xFD", "\uFFFDあ\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.label;
}

TEST(Printable, Table)
{
    using namespace std::string_literals;
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"TRAC1.01", "TRAC1.01"},
        {"軌跡", "軌跡"},
        {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
        {"PK\x03\x04", "PK\\x03\\x04"},
        {"\x1B[2J", "\\x1b[2J"},
        {"\x7F", "\\x7f"},
        {"back\\slash", "back\\\\slash"},
        {"\xC2\x85", "\\u0085"},
        {"\xFF\xFE.trc", "\\xff\\xfe.trc"},
        {"\xE3\x81", "\\xe3\\x81"},          // truncated sequence
        {"\xC0\xAF", "\\xc0\\xaf"},          // overlong
        {"\xED\xA0\x80", "\\xed\\xa0\\x80"},  // surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(Printable(c.in), c.out);
}

}  // namespace
}  // namespace zelm
