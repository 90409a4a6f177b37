// Turning a track file into the text the viewer shows for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {

// How listing a file ended.
enum class LoadOutcome {
    Listed,        // the file was read; the entries hold its listing
    OpenFailed,    // the file could not be opened; `message` holds the status text
    BadSignature,  // not a track file; `message` and `signature` tell why
};

// The result of listing one file. All texts are Shift-JIS (code page 932) bytes.
struct TrackListing {
    LoadOutcome outcome = LoadOutcome::OpenFailed;  // which of the fields below are filled in
    std::string message;    // OpenFailed: the status text; BadSignature: the mismatch message
    std::string signature;  // BadSignature: the signature text read from the file
    std::string text;       // Listed: every entry, each followed by one line feed
    std::vector<std::uint32_t> entryEnds;  // Listed: where each entry ends in `text`, before its line feed

    // Number of entries.
    std::size_t EntryCount() const { return entryEnds.size(); }

    // Entry i, without the line feed that follows it in `text`.
    std::string_view Entry(std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : entryEnds[i - 1] + 1;
        return std::string_view(text).substr(begin, entryEnds[i] - begin);
    }
};

// Lists the track file at path: four header entries, then one entry per point.
TrackListing ListTrackFile(const std::string& path);

}  // namespace zelm
