// Whole listings, byte for byte, for small hand-built files.
#include <gtest/gtest.h>

#include <vector>

#include "test_files.h"
#include "track_listing.h"

namespace zelm {
namespace {

using test::TempDir;
using test::TrackBytes;
using test::Utf8ToCp932;

// The listing's text for entries written as readable UTF-8.
std::string Expected(const std::vector<std::string>& entries)
{
    std::string text;
    for (const auto& e : entries)
        text += Utf8ToCp932(e) + "\n";
    return text;
}

const std::string kRule1 = "=====ファイルヘッダ情報=================";
const std::string kRule2 = "========================================\n";

struct GoldenCase {
    const char* label;
    std::string file;
    std::vector<std::string> entries;
};

TEST(TrackListing, GoldenListings)
{
    const std::array<std::uint8_t, 7> date1998 = {0x19, 0x98, 0x02, 0x13, 0x01, 0x15, 0x58};
    const GoldenCase cases[] = {
        {"two points, the worked example first",
         TrackBytes().DateTime(date1998).Count(2).Name("Tokyo").Point(0x0FAF14, 0x3D6AD0).Point(0, 0).Bytes(),
         {kRule1, "データ日時  1998年02月13日　01時15分58秒",
          "データ名称  Tokyo               \n軌　跡　数     2", kRule2,
          "[   1]   N  35, 41, 22.5     E 139, 45, 30.0",
          "[   2]   N   0,  0,  0.0     E   0,  0,  0.0"}},
        {"count 0 ignores the records that follow",
         TrackBytes().DateTime(date1998).Count(0).Name("x").Point(1, 1).Bytes(),
         {kRule1, "データ日時  1998年02月13日　01時15分58秒",
          "データ名称  x                   \n軌　跡　数     0", kRule2}},
        {"more records than claimed",
         TrackBytes().DateTime(date1998).Count(1).Point(8, 16).Point(99, 99).Bytes(),
         {kRule1, "データ日時  1998年02月13日　01時15分58秒",
          "データ名称                      \n軌　跡　数     1", kRule2,
          "[   1]   N   0,  0,  1.0     E   0,  0,  2.0"}},
        {"name padded after its line feed, bytes not valid BCD",
         TrackBytes().DateTime({0xAB, 0xCD, 0xEF, 0x00, 0x99, 0x5A, 0xA5}).Count(0).Name("abc\n").Bytes(),
         {kRule1, "データ日時  abcd年ef月00日　99時5a分a5秒",
          "データ名称  abc\n                \n軌　跡　数     0", kRule2}},
        {"double-byte name counts two columns a character",
         TrackBytes().DateTime(date1998).Count(0).Name(Utf8ToCp932("仙台")).Bytes(),
         {kRule1, "データ日時  1998年02月13日　01時15分58秒",
          "データ名称  仙台                \n軌　跡　数     0", kRule2}},
        {"twenty-byte name fills its field",
         TrackBytes().DateTime(date1998).Count(0).Name(Utf8ToCp932("仙台駅から定禅寺通り")).Bytes(),
         {kRule1, "データ日時  1998年02月13日　01時15分58秒",
          "データ名称  仙台駅から定禅寺通り\n軌　跡　数     0", kRule2}},
        {"tenths are truncated eighths",
         TrackBytes().DateTime(date1998).Count(3).Point(3, 4).Point(7, 0xFFFFFF).Point(28800 * 500 + 480 * 59 + 8 * 59 + 6, 1).Bytes(),
         {kRule1, "データ日時  1998年02月13日　01時15分58秒",
          "データ名称                      \n軌　跡　数     3", kRule2,
          "[   1]   N   0,  0,  0.3     E   0,  0,  0.5",
          "[   2]   N   0,  0,  0.8     E 582, 32, 31.8",
          "[   3]   N 500, 59, 59.7     E   0,  0,  0.1"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const TrackListing listing = ListTrackFile(dir.Write("t.trc", c.file));
        ASSERT_EQ(listing.outcome, LoadOutcome::Listed);
        EXPECT_EQ(listing.text, Expected(c.entries));
        ASSERT_EQ(listing.EntryCount(), c.entries.size());
        for (std::size_t i = 0; i < c.entries.size(); ++i)
            EXPECT_EQ(listing.Entry(i), Utf8ToCp932(c.entries[i])) << "entry " << i;
    }
}

TEST(TrackListing, SignatureAloneListsSixtyFiveThousandFiveHundredThirtyFivePoints)
{
    TempDir dir;
    const TrackListing listing = ListTrackFile(dir.Write("max.trc", "TRAC1.00"));
    ASSERT_EQ(listing.outcome, LoadOutcome::Listed);
    ASSERT_EQ(listing.EntryCount(), 4u + 65535u);
    EXPECT_EQ(listing.Entry(1), Utf8ToCp932("データ日時  ffff年ff月ff日　ff時ff分ff秒"));
    EXPECT_EQ(listing.Entry(2), Utf8ToCp932("データ名称                      \n軌　跡　数  65535"));
    const std::string tail = "   N 582, 32, 31.8     E 582, 32, 31.8";
    EXPECT_EQ(listing.Entry(4), "[   1]" + tail);
    EXPECT_EQ(listing.Entry(4 + 9998), "[9999]" + tail);
    EXPECT_EQ(listing.Entry(4 + 9999), "[10000]" + tail);  // the brackets widen by one column
    EXPECT_EQ(listing.Entry(4 + 65534), "[65535]" + tail);
    // 40 + 40 + 50 + 41 bytes of header, 44 bytes for points 1 to 9999, 45 bytes after; each with a line feed.
    EXPECT_EQ(listing.text.size(), 41u + 41 + 51 + 42 + 9999u * 45 + (65535u - 9999) * 46);
}

TEST(TrackListing, WrongSignatureCarriesTheMessageAndTheTextRead)
{
    TempDir dir;
    const TrackListing listing = ListTrackFile(dir.Write("zip.trc", std::string("PK\x03\x04\x14\0\0\0", 8)));
    EXPECT_EQ(listing.outcome, LoadOutcome::BadSignature);
    EXPECT_EQ(listing.message, Utf8ToCp932("軌跡データファイルのヘッダが違います"));
    EXPECT_EQ(listing.signature, "PK\x03\x04\x14");
    EXPECT_EQ(listing.EntryCount(), 0u);
    EXPECT_TRUE(listing.text.empty());
}

TEST(TrackListing, UnopenableFileCarriesTheStatusText)
{
    TempDir dir;
    for (const std::string& path : {(dir.Path() / "none.trc").string(), dir.Path().string(), std::string()}) {
        SCOPED_TRACE(path);
        const TrackListing listing = ListTrackFile(path);
        EXPECT_EQ(listing.outcome, LoadOutcome::OpenFailed);
        EXPECT_EQ(listing.message, Utf8ToCp932("ファイルが見つかりません"));
        EXPECT_EQ(listing.EntryCount(), 0u);
    }
}

}  // namespace
}  // namespace zelm
