// A plain stdio lister kept as the yardstick the optimised listing is measured against.
#pragma once

#include <string>
#include <vector>

namespace zelm::bench {

// Lists the track file at path the straightforward way: fgetc for every byte, fgets for the
// signature and name, fseek between fields and one snprintf per entry. Returns the same entries
// as ListTrackFile (Shift-JIS bytes, no line feeds added), or nothing when the file cannot be
// opened or is not a track file; a listed file always has at least four entries.
std::vector<std::string> ReferenceListing(const std::string& path);

}  // namespace zelm::bench
