// Fuzzes the listing of a track file: whatever the bytes, the listing must be exactly what the
// format's rules derive from them, and reading must leave no descriptor open.
#include <bitset>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

#include "cp932.h"
#include "listing_texts.h"
#include "printable.h"
#include "require.h"
#include "track_listing.h"
#include "utf8_checks.h"

using zelm::fuzz::Require;

namespace {

// The input as the format reads it, derived here without the reader's code.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The byte at offset; 0xFF at or past the end.
    unsigned At(std::size_t offset) const { return offset < size_ ? data_[offset] : 0xFFu; }

    // Up to k bytes from offset, stopping after a line feed or at the end, then cut at a NUL.
    std::string Line(std::size_t offset, std::size_t k) const
    {
        std::string line;
        for (std::size_t i = offset; i < size_ && line.size() < k; ++i) {
            line += static_cast<char>(data_[i]);
            if (data_[i] == '\n')
                break;
        }
        return line.substr(0, line.find('\0'));
    }

    // Three big-endian bytes from offset.
    long Be24(std::size_t offset) const
    {
        return static_cast<long>(At(offset) << 16 | At(offset + 1) << 8 | At(offset + 2));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// "N ddd,mm,ss.t     E ddd,mm,ss.t" for a latitude and longitude in eighths of an arc-second.
std::string Coordinates(long latitude, long longitude)
{
    char north[64];
    char east[64];
    std::snprintf(north, sizeof north, zelm::texts::kLatitudeFormat, latitude / 28800,
                  latitude % 28800 / 480, latitude % 480 / 8, latitude % 8 * 10 / 8);
    std::snprintf(east, sizeof east, zelm::texts::kLongitudeFormat, longitude / 28800,
                  longitude % 28800 / 480, longitude % 480 / 8, longitude % 8 * 10 / 8);
    return std::string(north) + east;
}

// Writes "[%4ld]   " for point n to out without printf, right-aligned in at least four columns;
// returns its length.
std::size_t IndexPart(char* out, unsigned n)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    const std::size_t pad = length < 4 ? 4 - length : 0;
    out[0] = '[';
    std::memset(out + 1, ' ', pad);
    std::memcpy(out + 1 + pad, digits, length);
    std::memcpy(out + 1 + pad + length, "]   ", 4);
    return 1 + pad + length + 4;
}

// Every point entry is its number and the coordinates of its record, in 44 or 45 bytes.
void CheckPoints(const Input& input, const zelm::TrackListing& listing, unsigned count)
{
    // Most records of a large listing lie past the end and all read alike: format each distinct
    // record once.
    long lastLatitude = -1;
    long lastLongitude = -1;
    std::string coordinates;
    for (unsigned n = 1; n <= count; ++n) {
        const std::string_view entry = listing.Entry(3 + n);
        Require(entry.size() == (n < 10000 ? 44u : 45u), "a point entry is 44 or 45 bytes");
        const std::size_t offset = 144 + 8 * std::size_t{n - 1};
        const long longitude = input.Be24(offset);
        const long latitude = input.Be24(offset + 4);
        if (latitude != lastLatitude || longitude != lastLongitude) {
            coordinates = Coordinates(latitude, longitude);
            lastLatitude = latitude;
            lastLongitude = longitude;
        }
        char index[32];
        const std::size_t length = IndexPart(index, n);
        Require(entry.substr(0, length) == std::string_view(index, length),
                "a point entry starts with its number");
        Require(entry.substr(length) == coordinates,
                "a point entry holds the coordinates of its record");
    }
}

// A file with the signature lists its header and every point its count claims.
void CheckListed(const Input& input, const zelm::TrackListing& listing)
{
    Require(listing.outcome == zelm::LoadOutcome::Listed, "a file with the signature is listed");
    const unsigned count = input.At(34) << 8 | input.At(35);
    Require(listing.EntryCount() == 4 + count, "a listing has four header entries and one per point");

    // Entry() relies on every end being followed by the line feed the next entry starts after.
    std::size_t begin = 0;
    for (const std::uint32_t end : listing.entryEnds) {
        Require(end >= begin && end < listing.text.size() && listing.text[end] == '\n',
                "each entry is followed by a line feed");
        begin = end + std::size_t{1};
    }
    Require(begin == listing.text.size(), "the text ends with the last entry's line feed");

    Require(listing.Entry(0) == zelm::texts::kHeaderRule, "entry 1 is the header rule");
    char expected[256];
    std::snprintf(expected, sizeof expected, zelm::texts::kDateFormat, input.At(12), input.At(13),
                  input.At(14), input.At(15), input.At(16), input.At(17), input.At(18));
    Require(listing.Entry(1) == expected, "entry 2 holds the date bytes");
    std::snprintf(expected, sizeof expected, zelm::texts::kNameCountFormat,
                  input.Line(72, 20).c_str(), static_cast<int>(count));
    Require(listing.Entry(2) == expected, "entry 3 holds the data name and point count");
    Require(listing.Entry(3) == zelm::texts::kEndRule, "entry 4 is the closing rule");
    CheckPoints(input, listing, count);

    // Only the header can hold anything but ASCII: the point entries were compared byte for byte.
    const std::string_view header = std::string_view(listing.text).substr(0, listing.entryEnds[3] + 1);
    const std::string utf8 = zelm::Cp932ToUtf8(header);
    Require(zelm::fuzz::IsValidUtf8(utf8), "the header converts to valid UTF-8");
    Require(zelm::fuzz::LowBytes(utf8) == zelm::fuzz::LowBytes(header),
            "the conversion keeps every line feed, digit and space");
}

// A file without the signature lists nothing and says what it found instead, safe to show.
void CheckRejected(const zelm::TrackListing& listing, const std::string& signature)
{
    Require(listing.outcome == zelm::LoadOutcome::BadSignature,
            "a file without the signature is rejected");
    Require(listing.message == zelm::texts::kBadHeader, "a rejection says the header is wrong");
    Require(listing.signature == signature, "a rejection carries the signature as read");
    Require(listing.EntryCount() == 0 && listing.text.empty(), "a rejected file lists nothing");

    const std::string shown = zelm::Printable(zelm::Cp932ToUtf8(listing.signature));
    Require(zelm::fuzz::IsValidUtf8(shown), "the shown signature is valid UTF-8");
    Require(!zelm::fuzz::HasControl(shown), "the shown signature holds no control character");
}

// Which of the first descriptor numbers are open. A descriptor opened and left open by a call
// takes the lowest free number, so it shows up here unless hundreds are already open.
std::bitset<256> OpenDescriptors()
{
    std::bitset<256> open;
    for (std::size_t fd = 0; fd < open.size(); ++fd)
        open[fd] = ::fcntl(static_cast<int>(fd), F_GETFD) != -1;
    return open;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A memfd is a regular file, which the reader insists on, and costs no disk.
    const int fd = ::memfd_create("track", MFD_CLOEXEC);
    Require(fd >= 0, "memfd_create works");
    bool written = true;
    for (std::size_t done = 0; done < size && written;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        written = n > 0;
        done += written ? static_cast<std::size_t>(n) : 0;
    }
    Require(written, "the input can be written to the memfd");

    const std::bitset<256> openBefore = OpenDescriptors();
    const zelm::TrackListing listing = zelm::ListTrackFile("/proc/self/fd/" + std::to_string(fd));
    const bool leaked = OpenDescriptors() != openBefore;
    ::close(fd);
    Require(!leaked, "listing a file leaves no descriptor open");

    const Input input(data, size);
    const std::string signature = input.Line(0, 8);
    if (signature == "TRAC1.00")
        CheckListed(input, listing);
    else
        CheckRejected(listing, signature);
    return 0;
}
