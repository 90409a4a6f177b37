#include "reference_listing.h"

#include <cstdio>
#include <cstring>

#include "listing_texts.h"

namespace zelm::bench {
namespace {

// fgetc's end of file reads as 0xFF, as the format defines for missing bytes.
int ReadByte(std::FILE* fp)
{
    const int c = std::fgetc(fp);
    return c == EOF ? 0xFF : c;
}

// Degrees, minutes, seconds and tenths (truncated) of a count of eighths of an arc-second.
struct Dms {
    long degrees, minutes, seconds, tenths;
};

Dms ToDms(long v)
{
    return {v / 28800, v % 28800 / 480, v % 480 / 8, v % 8 * 10 / 8};
}

// Reads three big-endian bytes and skips the unused fourth.
long ReadCoordinate(std::FILE* fp)
{
    const long high = ReadByte(fp);
    const long mid = ReadByte(fp);
    const long low = ReadByte(fp);
    ReadByte(fp);
    return high << 16 | mid << 8 | low;
}

// fgets leaves the buffer undefined when it reads nothing; an empty text is what that means.
void ReadText(char* buffer, int size, std::FILE* fp)
{
    if (std::fgets(buffer, size, fp) == nullptr)
        buffer[0] = '\0';
}

}  // namespace

std::vector<std::string> ReferenceListing(const std::string& path)
{
    std::vector<std::string> entries;
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp == nullptr)
        return entries;

    char signature[9];
    ReadText(signature, sizeof signature, fp);
    if (std::strcmp(signature, "TRAC1.00") != 0) {
        std::fclose(fp);
        return entries;
    }

    unsigned date[7];
    std::fseek(fp, 12, SEEK_SET);
    for (unsigned& byte : date)
        byte = static_cast<unsigned>(ReadByte(fp));
    std::fseek(fp, 34, SEEK_SET);
    const int high = ReadByte(fp);
    const int low = ReadByte(fp);
    const int count = high << 8 | low;
    char name[21];
    std::fseek(fp, 72, SEEK_SET);
    ReadText(name, sizeof name, fp);

    char buffer[256];
    entries.emplace_back(texts::kHeaderRule);
    std::snprintf(buffer, sizeof buffer, texts::kDateFormat, date[0], date[1], date[2], date[3],
                  date[4], date[5], date[6]);
    entries.emplace_back(buffer);
    std::snprintf(buffer, sizeof buffer, texts::kNameCountFormat, name, count);
    entries.emplace_back(buffer);
    entries.emplace_back(texts::kEndRule);

    std::fseek(fp, 144, SEEK_SET);
    for (long n = 1; n <= count; ++n) {
        const long longitude = ReadCoordinate(fp);
        const long latitude = ReadCoordinate(fp);
        const Dms lat = ToDms(latitude);
        const Dms lon = ToDms(longitude);
        char index[32];
        char north[64];
        char east[64];
        std::snprintf(index, sizeof index, texts::kIndexFormat, n);
        std::snprintf(north, sizeof north, texts::kLatitudeFormat, lat.degrees, lat.minutes,
                      lat.seconds, lat.tenths);
        std::snprintf(east, sizeof east, texts::kLongitudeFormat, lon.degrees, lon.minutes,
                      lon.seconds, lon.tenths);
        std::snprintf(buffer, sizeof buffer, "%s%s%s", index, north, east);
        entries.emplace_back(buffer);
    }
    std::fclose(fp);
    return entries;
}

}  // namespace zelm::bench
