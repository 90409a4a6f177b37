// Stopping a fuzz run the moment a property fails.
#pragma once

#include <cstdio>

namespace zelm::fuzz {

// Traps, after saying which property failed, unless ok holds; libFuzzer then saves the input.
inline void Require(bool ok, const char* property)
{
    if (!ok) {
        std::fprintf(stderr, "property failed: %s\n", property);
        __builtin_trap();
    }
}

}  // namespace zelm::fuzz
