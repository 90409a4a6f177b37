#include "listing_view_text.h"

#include <string>
#include <string_view>

#include "cp932.h"

QString ListingViewText(const zelm::TrackListing& listing)
{
    std::string_view text = listing.text;
    // The view ends each entry with a line break of its own: drop the last line feed.
    if (text.ends_with('\n'))
        text.remove_suffix(1);
    std::string utf8;
    zelm::AppendCp932AsUtf8(utf8, text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
