// Writing to a file descriptor with every error seen.
#pragma once

#include <string_view>

namespace zelm::cli {

// Writes whole buffers to a descriptor, retrying short writes and interrupted calls. After the
// first failure it writes nothing more and remembers the error.
class FdWriter {
public:
    // Writes to fd, which stays owned by the caller.
    explicit FdWriter(int fd) : fd_(fd) {}

    // Writes all of bytes; returns false if this or an earlier write failed.
    bool Write(std::string_view bytes);

    // The errno of the first failure, or 0.
    int Error() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

}  // namespace zelm::cli
