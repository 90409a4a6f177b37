#include "track_reader.h"

#include <cstring>
#include <string_view>

namespace zelm {
namespace {

constexpr std::size_t kSignatureSize = sizeof kTrackSignature - 1;
constexpr std::size_t kDataNameSize = 20;

// Text read into a fixed field ends at its first NUL.
std::string TextUpToNul(const char* bytes, std::size_t n)
{
    const void* nul = std::memchr(bytes, '\0', n);
    return {bytes, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : n};
}

std::uint32_t Be24(const std::uint8_t* b)
{
    return std::uint32_t{b[0]} << 16 | std::uint32_t{b[1]} << 8 | b[2];
}

}  // namespace

TrackHeader ReadTrackHeader(TrackFile& file)
{
    TrackHeader header;
    char signature[kSignatureSize];
    header.signature = TextUpToNul(signature, file.ReadLine(signature, kSignatureSize));
    header.signatureMatches = header.signature == std::string_view(kTrackSignature);
    if (!header.signatureMatches)
        return header;

    file.Skip(4);  // offset 12
    for (auto& byte : header.dateTime)
        byte = file.ReadByte();
    file.Skip(15);  // offset 34
    const std::uint8_t high = file.ReadByte();
    const std::uint8_t low = file.ReadByte();
    header.pointCount = static_cast<std::uint16_t>(high << 8 | low);
    file.Skip(36);  // offset 72

    // A file that ends before the name reads nothing here, and the name is then empty.
    char name[kDataNameSize];
    header.dataName = TextUpToNul(name, file.ReadLine(name, kDataNameSize));

    // Absolute, so that a name cut short by a line feed does not shift the records.
    file.SeekTo(kFirstRecordOffset);
    file.LimitTo(kFirstRecordOffset + kRecordSize * header.pointCount);
    return header;
}

TrackPoint ReadTrackPoint(TrackFile& file)
{
    std::uint8_t record[kRecordSize];
    file.Read(record, sizeof record);
    return {Be24(record), Be24(record + 4)};
}

}  // namespace zelm
