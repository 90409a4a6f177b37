#include "failure_text.h"

#include "cp932.h"
#include "printable.h"

namespace zelm {

std::string FailureText(const TrackListing& listing)
{
    switch (listing.outcome) {
    case LoadOutcome::Listed:
        return {};
    case LoadOutcome::OpenFailed:
        return Cp932ToUtf8(listing.message);
    case LoadOutcome::BadSignature:
        // The signature comes from an arbitrary file: it may hold escape sequences or line feeds.
        return Cp932ToUtf8(listing.message) + " \"" + Printable(Cp932ToUtf8(listing.signature)) + "\"";
    }
    return {};
}

}  // namespace zelm
