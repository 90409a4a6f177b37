// A listing as the text view holds it.
#pragma once

#include <QString>

#include "track_listing.h"

// The entries of a listing as one text, one entry after another on lines of their own, decoded
// from code page 932 with the same converter zelm-list uses.
QString ListingViewText(const zelm::TrackListing& listing);
