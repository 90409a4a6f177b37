#include "test_files.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <stdexcept>

namespace zelm::test {

TrackBytes::TrackBytes() : bytes_(144, '\0') { Signature("TRAC1.00"); }

TrackBytes& TrackBytes::Raw(std::size_t offset, std::string_view bytes)
{
    if (bytes_.size() < offset + bytes.size())
        bytes_.resize(offset + bytes.size(), '\0');
    bytes_.replace(offset, bytes.size(), bytes);
    return *this;
}

TrackBytes& TrackBytes::Signature(std::string_view sig) { return Raw(0, sig); }

TrackBytes& TrackBytes::DateTime(std::array<std::uint8_t, 7> bcd)
{
    return Raw(12, std::string(bcd.begin(), bcd.end()));
}

TrackBytes& TrackBytes::Count(std::uint16_t count)
{
    const char bytes[] = {static_cast<char>(count >> 8), static_cast<char>(count & 0xFF)};
    return Raw(34, std::string_view(bytes, 2));
}

TrackBytes& TrackBytes::Name(std::string_view cp932)
{
    Raw(72, std::string(20, '\0'));
    return Raw(72, cp932.substr(0, 20));
}

TrackBytes& TrackBytes::Point(std::uint32_t latitude, std::uint32_t longitude)
{
    const auto be24 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 8 & 0xFF),
                           static_cast<char>(v & 0xFF)};
    };
    bytes_ += be24(longitude) + '\0' + be24(latitude) + '\0';
    return *this;
}

TrackBytes& TrackBytes::Truncate(std::size_t size)
{
    bytes_.resize(size);
    return *this;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zelm-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, std::string_view bytes) const
{
    const std::string path = (path_ / name).string();
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string Utf8ToCp932(std::string_view utf8)
{
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no CP932 converter");
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        throw std::runtime_error("text not representable in CP932");
    out.resize(out.size() - outLeft);
    return out;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace zelm::test
