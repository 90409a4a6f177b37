#include "track_listing.h"

#include <algorithm>
#include <cstdio>

#include "angle.h"
#include "listing_texts.h"
#include "point_entry.h"
#include "track_file.h"
#include "track_reader.h"

namespace zelm {
namespace {

// Collects entries into one buffer, each followed by a line feed.
class EntryWriter {
public:
    EntryWriter(TrackListing& listing, std::size_t points) : listing_(listing)
    {
        // 256 bytes cover the header entries; a point entry is at most 45 bytes and its line feed.
        listing_.text.reserve(256 + points * 46);
        listing_.entryEnds.reserve(4 + points);
    }

    void Add(std::string_view entry)
    {
        listing_.text.append(entry);
        End();
    }

    // Size of the buffer an entry is formatted into: room for any header or point entry.
    static constexpr std::size_t kRoom = kMaxPointEntrySize;

    // Adds the entry fill(out) writes into a kRoom-byte buffer; fill returns its length.
    template <typename Fill>
    void AddFormatted(Fill fill)
    {
        char entry[kRoom];
        Add(std::string_view(entry, fill(entry)));
    }

private:
    void End()
    {
        listing_.entryEnds.push_back(static_cast<std::uint32_t>(listing_.text.size()));
        listing_.text.push_back('\n');
    }

    TrackListing& listing_;
};

template <typename... Args>
std::size_t FormatInto(char* out, std::size_t room, const char* format, Args... args)
{
    const int n = std::snprintf(out, room, format, args...);
    return n < 0 ? 0 : std::min(static_cast<std::size_t>(n), room - 1);
}

void AddHeaderEntries(EntryWriter& out, const TrackHeader& header)
{
    out.Add(texts::kHeaderRule);
    const auto& d = header.dateTime;
    out.AddFormatted([&](char* p) {
        return FormatInto(p, EntryWriter::kRoom, texts::kDateFormat, d[0], d[1], d[2], d[3], d[4], d[5], d[6]);
    });
    // The name is at most 20 bytes, so the whole entry (at most 50 bytes) fits.
    out.AddFormatted([&](char* p) {
        return FormatInto(p, EntryWriter::kRoom, texts::kNameCountFormat, header.dataName.c_str(),
                          int{header.pointCount});
    });
    out.Add(texts::kEndRule);
}

}  // namespace

TrackListing ListTrackFile(const std::string& path)
{
    TrackListing listing;
    auto file = OpenTrackFile(path);
    if (!file) {
        listing.outcome = LoadOutcome::OpenFailed;
        listing.message = texts::kFileNotFound;
        return listing;
    }

    const TrackHeader header = ReadTrackHeader(*file);
    if (!header.signatureMatches) {
        CloseTrackFile(*file);
        listing.outcome = LoadOutcome::BadSignature;
        listing.message = texts::kBadHeader;
        listing.signature = header.signature;
        return listing;
    }

    listing.outcome = LoadOutcome::Listed;
    EntryWriter out(listing, header.pointCount);
    AddHeaderEntries(out, header);
    for (std::uint32_t n = 1; n <= header.pointCount; ++n) {
        const TrackPoint point = ReadTrackPoint(*file);
        out.AddFormatted([&](char* p) {
            return FormatPointEntry(p, n, SplitAngle(point.latitude), SplitAngle(point.longitude));
        });
    }
    CloseTrackFile(*file);
    return listing;
}

}  // namespace zelm
