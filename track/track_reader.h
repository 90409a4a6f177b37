// The header and point records of a track file, as the reader hands them out.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "track_file.h"

namespace zelm {

// The eight bytes a track file starts with.
inline constexpr char kTrackSignature[] = "TRAC1.00";

// Offset of the first point record.
inline constexpr std::uint64_t kFirstRecordOffset = 144;

// Size of one point record.
inline constexpr std::uint64_t kRecordSize = 8;

// The header fields of a track file.
struct TrackHeader {
    std::string signature;                 // the signature text as read: 0 to 8 bytes, up to a NUL
    bool signatureMatches = false;         // whether it was exactly kTrackSignature
    std::array<std::uint8_t, 7> dateTime{};  // year high, year low, month, day, hour, minute, second (BCD, unchecked)
    std::uint16_t pointCount = 0;          // how many point records follow the header
    std::string dataName;                  // Shift-JIS bytes: 0 to 20, up to a NUL, a line feed kept
};

// One point record: coordinates in eighths of an arc-second.
struct TrackPoint {
    std::uint32_t longitude = 0;  // east, 24 bits
    std::uint32_t latitude = 0;   // north, 24 bits
};

// Reads the header. On a signature mismatch only `signature` is filled in and nothing more is
// read; on a match the file is left at the first point record.
TrackHeader ReadTrackHeader(TrackFile& file);

// Reads the next point record; missing bytes count as 0xFF.
TrackPoint ReadTrackPoint(TrackFile& file);

}  // namespace zelm
