// What to tell the user about a file that could not be listed.
#pragma once

#include <string>

#include "track_listing.h"

namespace zelm {

// UTF-8 text for a listing that failed: the status text, or the mismatch message followed by the
// signature text read, in quotes and with control bytes escaped. Empty for a listing that worked.
std::string FailureText(const TrackListing& listing);

}  // namespace zelm
