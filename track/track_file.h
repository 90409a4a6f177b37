// An open track file and the byte-level reads the format is defined by.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace zelm {

// A track file opened for raw byte reading; closes itself when it goes out of scope.
//
// Reads are buffered and never go past the limit set by LimitTo(), so a huge file costs no more
// than its header claims. A read at or past the end of the data yields 0xFF for every missing byte.
class TrackFile {
public:
    // The value every byte read yields at or past the end of the file.
    static constexpr std::uint8_t kEndByte = 0xFF;

    TrackFile(TrackFile&& other) noexcept;
    TrackFile& operator=(TrackFile&& other) noexcept;
    TrackFile(const TrackFile&) = delete;
    TrackFile& operator=(const TrackFile&) = delete;
    ~TrackFile();

    // Returns the next byte and advances by one; kEndByte at or past the end.
    std::uint8_t ReadByte()
    {
        if (pos_ < len_)
            return buffer_[pos_++];
        return ReadByteSlow();
    }

    // Reads n bytes into dst, kEndByte standing in for each missing one.
    void Read(std::uint8_t* dst, std::size_t n)
    {
        if (len_ - pos_ >= n) {
            std::memcpy(dst, buffer_.get() + pos_, n);
            pos_ += n;
            return;
        }
        ReadSlow(dst, n);
    }

    // Copies bytes until k are copied or a line feed (kept) is copied, stopping early at the end
    // of the file; returns how many were copied.
    std::size_t ReadLine(char* dst, std::size_t k);

    // Moves the read position n bytes forward.
    void Skip(std::uint64_t n);

    // Moves the read position to an absolute offset.
    void SeekTo(std::uint64_t offset);

    // Never reads at or past this offset; bytes there read as if the file ended.
    void LimitTo(std::uint64_t end);

    // Closes the file; later reads behave as at the end of the file.
    void Close() noexcept;

    // Whether the file is still open.
    bool IsOpen() const { return fd_ >= 0; }

private:
    friend std::optional<TrackFile> OpenTrackFile(const std::string& path);
    explicit TrackFile(int fd);

    std::uint8_t ReadByteSlow();
    void ReadSlow(std::uint8_t* dst, std::size_t n);
    std::uint64_t Offset() const { return start_ + pos_; }
    bool Fill();

    int fd_ = -1;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::uint64_t start_ = 0;  // file offset of buffer_[0]
    std::size_t pos_ = 0;      // read position inside the buffer
    std::size_t len_ = 0;      // valid bytes in the buffer
    std::uint64_t limit_ = 0;  // nothing at or past this offset is read
    std::uint64_t end_ = UINT64_MAX;  // where a read found the end of the file, once one has
};

// Opens a regular file for reading. Fails, without blocking, for a missing or unreadable file, a
// directory, a FIFO, a socket, a device and an empty path.
std::optional<TrackFile> OpenTrackFile(const std::string& path);

// Closes a file opened by OpenTrackFile.
void CloseTrackFile(TrackFile& file) noexcept;

}  // namespace zelm
