// Splitting a coordinate into degrees, minutes, seconds and tenths.
#pragma once

#include <cstdint>

namespace zelm {

// Units per degree, minute and second of a coordinate counted in eighths of an arc-second.
inline constexpr std::uint32_t kUnitsPerDegree = 28800;
inline constexpr std::uint32_t kUnitsPerMinute = 480;
inline constexpr std::uint32_t kUnitsPerSecond = 8;

// One coordinate in degrees, minutes, seconds and tenths of a second.
struct AngleDms {
    std::int32_t degrees = 0;  // 0 to 582 for a 24-bit value
    std::int32_t minutes = 0;  // 0 to 59
    std::int32_t seconds = 0;  // 0 to 59
    std::int32_t tenths = 0;   // 0 to 8, truncated from eighths: never 4 or 9

    friend bool operator==(const AngleDms&, const AngleDms&) = default;
};

// Splits a count of eighths of an arc-second; the fraction of a second is truncated, not rounded.
constexpr AngleDms SplitAngle(std::uint32_t v)
{
    const std::uint32_t degrees = v / kUnitsPerDegree;
    const std::uint32_t r = v - degrees * kUnitsPerDegree;
    const std::uint32_t minutes = r / kUnitsPerMinute;
    const std::uint32_t s = r - minutes * kUnitsPerMinute;
    const std::uint32_t seconds = s / kUnitsPerSecond;
    const std::uint32_t eighths = s - seconds * kUnitsPerSecond;
    return {static_cast<std::int32_t>(degrees), static_cast<std::int32_t>(minutes),
            static_cast<std::int32_t>(seconds), static_cast<std::int32_t>(eighths * 5 / 4)};
}

}  // namespace zelm
