#include "track_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zelm {
namespace {

// Large enough that the biggest file a header can claim (about 512 KiB) takes a handful of reads.
constexpr std::size_t kBufferSize = 64 * 1024;

// Until a header has been read, only the header itself may be read.
constexpr std::uint64_t kHeaderSize = 144;

}  // namespace

TrackFile::TrackFile(int fd)
    : fd_(fd), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)), limit_(kHeaderSize)
{
}

TrackFile::TrackFile(TrackFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      buffer_(std::move(other.buffer_)),
      start_(other.start_),
      pos_(std::exchange(other.pos_, 0)),
      len_(std::exchange(other.len_, 0)),
      limit_(other.limit_),
      end_(other.end_)
{
}

TrackFile& TrackFile::operator=(TrackFile&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        buffer_ = std::move(other.buffer_);
        start_ = other.start_;
        pos_ = std::exchange(other.pos_, 0);
        len_ = std::exchange(other.len_, 0);
        limit_ = other.limit_;
        end_ = other.end_;
    }
    return *this;
}

TrackFile::~TrackFile() { Close(); }

void TrackFile::Close() noexcept
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    start_ += pos_;
    pos_ = len_ = 0;
}

void TrackFile::SeekTo(std::uint64_t offset)
{
    if (offset >= start_ && offset <= start_ + len_) {
        pos_ = static_cast<std::size_t>(offset - start_);
    } else {
        start_ = offset;
        pos_ = len_ = 0;
    }
}

void TrackFile::Skip(std::uint64_t n) { SeekTo(Offset() + n); }

void TrackFile::LimitTo(std::uint64_t end) { limit_ = end; }

// Refills the buffer from the current offset. Returns false at the end of the file, at the limit
// or on a read error: all three read as the end of the file.
bool TrackFile::Fill()
{
    start_ = Offset();
    pos_ = len_ = 0;
    if (fd_ < 0 || start_ >= limit_ || start_ >= end_)
        return false;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, limit_ - start_));
    ssize_t got;
    do {
        got = ::pread(fd_, buffer_.get(), want, static_cast<off_t>(start_));
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        // Remembered, so that reading on past the end costs no further system calls.
        end_ = start_;
        return false;
    }
    len_ = static_cast<std::size_t>(got);
    return true;
}

std::uint8_t TrackFile::ReadByteSlow()
{
    std::uint8_t byte;
    ReadSlow(&byte, 1);
    return byte;
}

void TrackFile::ReadSlow(std::uint8_t* dst, std::size_t n)
{
    while (n > 0) {
        if (pos_ == len_ && !Fill()) {
            std::memset(dst, kEndByte, n);
            start_ += n;
            return;
        }
        const std::size_t take = std::min(n, len_ - pos_);
        std::memcpy(dst, buffer_.get() + pos_, take);
        pos_ += take;
        dst += take;
        n -= take;
    }
}

std::size_t TrackFile::ReadLine(char* dst, std::size_t k)
{
    std::size_t copied = 0;
    while (copied < k) {
        if (pos_ == len_ && !Fill())
            break;
        const auto c = static_cast<char>(buffer_[pos_++]);
        dst[copied++] = c;
        if (c == '\n')
            break;
    }
    return copied;
}

std::optional<TrackFile> OpenTrackFile(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    // Checking before opening spares devices the side effects an open can have; checking again
    // on the open descriptor closes the race with a file swapped in between.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    // O_NONBLOCK keeps a FIFO with no writer from hanging the open should one be swapped in.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return std::nullopt;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return TrackFile(fd);
}

void CloseTrackFile(TrackFile& file) noexcept { file.Close(); }

}  // namespace zelm
