// Building track files for tests, and a scratch folder to put them in.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelm::test {

// Bytes of a track file, built field by field at the offsets of the format.
class TrackBytes {
public:
    // A 144-byte header with the signature, zero elsewhere, and no records.
    TrackBytes();

    TrackBytes& Signature(std::string_view sig);  // bytes 0 to 7
    TrackBytes& DateTime(std::array<std::uint8_t, 7> bcd);  // bytes 12 to 18
    TrackBytes& Count(std::uint16_t count);  // bytes 34 and 35
    TrackBytes& Name(std::string_view cp932);  // from byte 72, at most 20 bytes
    TrackBytes& Point(std::uint32_t latitude, std::uint32_t longitude);  // appends a record
    TrackBytes& Raw(std::size_t offset, std::string_view bytes);  // overwrites, growing if needed
    TrackBytes& Truncate(std::size_t size);  // cuts the file short

    // The file's bytes.
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes bytes to a file of that name in the folder and returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const;

    // The folder's path.
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Converts UTF-8 text to code page 932, so expectations can be written as readable text.
std::string Utf8ToCp932(std::string_view utf8);

// Reads a whole file.
std::string ReadFile(const std::string& path);

}  // namespace zelm::test
