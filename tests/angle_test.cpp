// Splitting coordinates, and the point entry written without printf.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "angle.h"
#include "listing_texts.h"
#include "point_entry.h"

namespace zelm {
namespace {

TEST(SplitAngle, Table)
{
    const struct {
        std::uint32_t v;
        AngleDms expected;
    } cases[] = {
        {0, {0, 0, 0, 0}},
        {0xFFFFFF, {582, 32, 31, 8}},
        {0x0FAF14, {35, 41, 22, 5}},   // 35°41'22" and 4 eighths
        {0x3D6AD0, {139, 45, 30, 0}},
        {28800 - 1, {0, 59, 59, 8}},
        {28800, {1, 0, 0, 0}},
        {480, {0, 1, 0, 0}},
        {8, {0, 0, 1, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitAngle(c.v), c.expected) << c.v;
}

TEST(SplitAngle, TenthsAreTruncatedEighths)
{
    const std::int32_t tenths[8] = {0, 1, 2, 3, 5, 6, 7, 8};
    for (std::uint32_t e = 0; e < 8; ++e)
        EXPECT_EQ(SplitAngle(28800 * 3 + 480 * 7 + 8 * 11 + e).tenths, tenths[e]) << "eighths " << e;
}

// What printf makes of the three formats the entry is defined by.
std::string PrintfEntry(std::uint32_t index, const AngleDms& lat, const AngleDms& lon)
{
    char buffer[256];
    int n = std::snprintf(buffer, sizeof buffer, texts::kIndexFormat, long{index});
    n += std::snprintf(buffer + n, sizeof buffer - n, texts::kLatitudeFormat, long{lat.degrees},
                       long{lat.minutes}, long{lat.seconds}, long{lat.tenths});
    n += std::snprintf(buffer + n, sizeof buffer - n, texts::kLongitudeFormat, long{lon.degrees},
                       long{lon.minutes}, long{lon.seconds}, long{lon.tenths});
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string FastEntry(std::uint32_t index, const AngleDms& lat, const AngleDms& lon)
{
    char buffer[kMaxPointEntrySize];
    return std::string(buffer, FormatPointEntry(buffer, index, lat, lon));
}

TEST(FormatPointEntry, MatchesPrintfForEveryIndexWidth)
{
    const AngleDms lat = SplitAngle(0x0FAF14);
    const AngleDms lon = SplitAngle(0x3D6AD0);
    for (std::uint32_t index : {0u, 1u, 9u, 10u, 99u, 100u, 999u, 1000u, 1005u, 1050u, 9999u, 10000u,
                                10001u, 65535u, 4294967295u})
        EXPECT_EQ(FastEntry(index, lat, lon), PrintfEntry(index, lat, lon)) << index;
}

TEST(FormatPointEntry, MatchesPrintfAcrossCoordinates)
{
    // Every 61st 24-bit value walks every degree and, by the step's remainders, every minute,
    // second and eighth.
    for (std::uint32_t v = 0; v <= 0xFFFFFF; v += 61) {
        const AngleDms a = SplitAngle(v);
        const AngleDms b = SplitAngle(0xFFFFFF - v);
        ASSERT_EQ(FastEntry(v % 70000, a, b), PrintfEntry(v % 70000, a, b)) << v;
    }
}

TEST(FormatPointEntry, MatchesPrintfOutsideTheRangeOfACoordinate)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const AngleDms odd[] = {{-1, -59, -100, -3}, {1000, 12345, kMax, 10}, {kMin, kMin, kMin, kMin}};
    for (const AngleDms& a : odd)
        EXPECT_EQ(FastEntry(7, a, a), PrintfEntry(7, a, a));
}

}  // namespace
}  // namespace zelm
