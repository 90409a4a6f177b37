// The reader's byte rules: signature, header fields, data name, records and the end of the file.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "test_files.h"
#include "track_file.h"
#include "track_reader.h"

namespace zelm {
namespace {

using test::TempDir;
using test::TrackBytes;

TrackHeader HeaderOf(const TempDir& dir, const std::string& bytes)
{
    auto file = OpenTrackFile(dir.Write("t.trc", bytes));
    EXPECT_TRUE(file.has_value());
    return file ? ReadTrackHeader(*file) : TrackHeader{};
}

struct SignatureCase {
    const char* label;
    std::string bytes;
    std::string signature;  // the text the reader reports
    bool matches;
};

TEST(TrackReader, SignatureComparesTheFirstEightBytesAsALine)
{
    using namespace std::string_literals;
    const SignatureCase cases[] = {
        {"exact", "TRAC1.00"s + std::string(136, '\0'), "TRAC1.00", true},
        {"line feed right after", "TRAC1.00\nrest", "TRAC1.00", true},
        {"lower case", "trac1.00" + std::string(136, '\0'), "trac1.00", false},
        {"other version", "TRAC1.01" + std::string(136, '\0'), "TRAC1.01", false},
        {"line feed inside", "TRAC\n1.00", "TRAC\n", false},
        {"NUL inside", "TRA\0C1.00"s, "TRA", false},
        {"shorter file", "TRAC1.", "TRAC1.", false},
        {"empty file", "", "", false},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const TrackHeader h = HeaderOf(dir, c.bytes);
        EXPECT_EQ(h.signature, c.signature);
        EXPECT_EQ(h.signatureMatches, c.matches);
    }
}

TEST(TrackReader, MismatchReadsNothingFurther)
{
    TempDir dir;
    const TrackHeader h = HeaderOf(dir, TrackBytes().Signature("TRAC1.01").Count(7).Name("x").Bytes());
    EXPECT_FALSE(h.signatureMatches);
    EXPECT_EQ(h.pointCount, 0);
    EXPECT_EQ(h.dataName, "");
}

TEST(TrackReader, ReadsHeaderFieldsAtTheirOffsets)
{
    TempDir dir;
    const TrackHeader h = HeaderOf(
        dir, TrackBytes().DateTime({0x19, 0x98, 0x02, 0x13, 0x01, 0x15, 0xAB}).Count(0x1234).Name("abc").Bytes());
    EXPECT_TRUE(h.signatureMatches);
    EXPECT_EQ(h.dateTime, (std::array<std::uint8_t, 7>{0x19, 0x98, 0x02, 0x13, 0x01, 0x15, 0xAB}));
    EXPECT_EQ(h.pointCount, 0x1234);
    EXPECT_EQ(h.dataName, "abc");
}

TEST(TrackReader, DataNameIsALineReadOfTwentyBytes)
{
    const struct {
        const char* label;
        std::string file;
        std::string name;
    } cases[] = {
        {"twenty bytes, no end", TrackBytes().Name("ABCDEFGHIJKLMNOPQRST").Raw(92, "UVW").Bytes(),
         "ABCDEFGHIJKLMNOPQRST"},
        {"line feed at the fourth byte", TrackBytes().Name("abc\ndef").Bytes(), "abc\n"},
        {"padded with NUL", TrackBytes().Name("abc").Bytes(), "abc"},
        {"file ends inside the name", TrackBytes().Name("abcdefgh").Truncate(80).Bytes(), "abcdefgh"},
        // Nothing can be read there: the name is empty rather than left-over bytes.
        {"file ends at the name", TrackBytes().Count(0x00AB).Truncate(72).Bytes(), ""},
        {"file ends before the count", TrackBytes().Truncate(20).Bytes(), ""},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(HeaderOf(dir, c.file).dataName, c.name);
    }
}

TEST(TrackReader, SignatureAloneReadsEveryMissingByteAs0xFF)
{
    TempDir dir;
    auto file = OpenTrackFile(dir.Write("t.trc", "TRAC1.00"));
    ASSERT_TRUE(file);
    const TrackHeader h = ReadTrackHeader(*file);
    EXPECT_TRUE(h.signatureMatches);
    EXPECT_EQ(h.dateTime, (std::array<std::uint8_t, 7>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(h.pointCount, 65535);
    EXPECT_EQ(h.dataName, "");
    for (int i = 0; i < h.pointCount; ++i) {
        const TrackPoint p = ReadTrackPoint(*file);
        ASSERT_EQ(p.longitude, 0xFFFFFFu) << i;
        ASSERT_EQ(p.latitude, 0xFFFFFFu) << i;
    }
}

TEST(TrackReader, RecordsStartAt144WhateverTheNameLength)
{
    TempDir dir;
    auto file = OpenTrackFile(
        dir.Write("t.trc", TrackBytes().Count(2).Name("ab\n").Point(0x0FAF14, 0x3D6AD0).Point(1, 2).Bytes()));
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadTrackHeader(*file).dataName, "ab\n");
    const TrackPoint first = ReadTrackPoint(*file);
    EXPECT_EQ(first.latitude, 0x0FAF14u);
    EXPECT_EQ(first.longitude, 0x3D6AD0u);
    const TrackPoint second = ReadTrackPoint(*file);
    EXPECT_EQ(second.latitude, 1u);
    EXPECT_EQ(second.longitude, 2u);
}

TEST(TrackReader, RecordCutShortReadsItsMissingBytesAs0xFF)
{
    TempDir dir;
    // Longitude 0x123456 is whole, the latitude has one byte of three.
    const std::string bytes = TrackBytes().Count(2).Point(0xAB0000, 0x123456).Truncate(144 + 5).Bytes();
    auto file = OpenTrackFile(dir.Write("t.trc", bytes));
    ASSERT_TRUE(file);
    ReadTrackHeader(*file);
    const TrackPoint p = ReadTrackPoint(*file);
    EXPECT_EQ(p.longitude, 0x123456u);
    EXPECT_EQ(p.latitude, 0xABFFFFu);
    const TrackPoint missing = ReadTrackPoint(*file);
    EXPECT_EQ(missing.longitude, 0xFFFFFFu);
    EXPECT_EQ(missing.latitude, 0xFFFFFFu);
}

TEST(TrackReader, NeverReadsPastTheClaimedRecords)
{
    TempDir dir;
    auto file = OpenTrackFile(dir.Write("t.trc", TrackBytes().Count(1).Point(5, 6).Point(7, 8).Bytes()));
    ASSERT_TRUE(file);
    ASSERT_EQ(ReadTrackHeader(*file).pointCount, 1);
    EXPECT_EQ(ReadTrackPoint(*file).latitude, 5u);
    // The second record is in the file but beyond what the header claims.
    EXPECT_EQ(ReadTrackPoint(*file).latitude, 0xFFFFFFu);
}

TEST(TrackReader, CloseEndsReading)
{
    TempDir dir;
    auto file = OpenTrackFile(dir.Write("t.trc", TrackBytes().Count(1).Point(5, 6).Bytes()));
    ASSERT_TRUE(file);
    ReadTrackHeader(*file);
    CloseTrackFile(*file);
    EXPECT_FALSE(file->IsOpen());
    EXPECT_EQ(ReadTrackPoint(*file).latitude, 0xFFFFFFu);
}

TEST(TrackReader, OpenFailsForAnythingButAReadableRegularFile)
{
    TempDir dir;
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const std::string socketPath = (dir.Path() / "sock").string();
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    socketPath.copy(addr.sun_path, sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

    const std::string unreadable = dir.Write("locked.trc", "TRAC1.00");
    ::chmod(unreadable.c_str(), 0);
    const bool root = ::geteuid() == 0;  // root reads a file whatever its mode

    const struct {
        const char* label;
        std::string path;
    } cases[] = {
        {"missing", (dir.Path() / "missing.trc").string()},
        {"empty path", ""},
        {"directory", dir.Path().string()},
        {"FIFO with no writer", fifo},  // must return at once, not wait for a writer
        {"socket", socketPath},
        {"device", "/dev/null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(OpenTrackFile(c.path).has_value());
    }
    if (!root) {
        EXPECT_FALSE(OpenTrackFile(unreadable).has_value());
    }
    ::close(sock);
}

}  // namespace
}  // namespace zelm
