// The text of one point entry.
#pragma once

#include <cstddef>
#include <cstdint>

#include "angle.h"

namespace zelm {

// Room enough for a point entry with any index and any angle values.
inline constexpr std::size_t kMaxPointEntrySize = 128;

// Writes "[%4ld]   N %3ld,%3ld,%3ld.%1ld     E %3ld,%3ld,%3ld.%1ld" for the point to out, which
// holds at least kMaxPointEntrySize bytes; returns the length. No terminating NUL is written.
//
// A hand-written equivalent of those formats: the listing of a large file is mostly this entry,
// and going through printf for it costs several times the rest of the work.
std::size_t FormatPointEntry(char* out, std::uint32_t index, const AngleDms& latitude,
                             const AngleDms& longitude);

}  // namespace zelm
