#include "fd_writer.h"

#include <cerrno>
#include <unistd.h>

namespace zelm::cli {

bool FdWriter::Write(std::string_view bytes)
{
    while (error_ == 0 && !bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno != EINTR)
                error_ = errno;
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return error_ == 0;
}

}  // namespace zelm::cli
