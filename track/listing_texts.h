// The program's fixed texts and listing formats, as Shift-JIS (code page 932) bytes.
//
// Kept as escaped bytes so that the source encoding cannot change them; a test decodes each one
// and compares it with the text as written.
#pragma once

namespace zelm::texts {

// "ファイルが見つかりません": the file cannot be opened.
inline constexpr char kFileNotFound[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

// "軌跡データファイルのヘッダが違います": the file is not a track file.
inline constexpr char kBadHeader[] =
    "\x8b\x4f\x90\xd5\x83\x66\x81\x5b\x83\x5e\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x83\x77\x83\x62"
    "\x83\x5f\x82\xaa\x88\xe1\x82\xa2\x82\xdc\x82\xb7";

// "=====ファイルヘッダ情報=================": the first header entry, 40 bytes.
inline constexpr char kHeaderRule[] =
    "=====\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x77\x83\x62\x83\x5f\x8f\xee\x95\xf1"
    "=================";

// "データ日時  %02x%02x年%02x月%02x日　%02x時%02x分%02x秒": the date entry.
inline constexpr char kDateFormat[] =
    "\x83\x66\x81\x5b\x83\x5e\x93\xfa\x8e\x9e  %02x%02x\x94\x4e%02x\x8c\x8e%02x\x93\xfa\x81\x40"
    "%02x\x8e\x9e%02x\x95\xaa%02x\x95\x62";

// "データ名称  %-20s\n軌　跡　数  %4d": the data name and point count entry.
inline constexpr char kNameCountFormat[] =
    "\x83\x66\x81\x5b\x83\x5e\x96\xbc\x8f\xcc  %-20s\n\x8b\x4f\x81\x40\x90\xd5\x81\x40\x90\x94  %4d";

// "========================================\n": the last header entry, 40 bytes and a line feed.
inline constexpr char kEndRule[] = "========================================\n";

// "[%4ld]   ": the point number part of a point entry.
inline constexpr char kIndexFormat[] = "[%4ld]   ";

// "N %3ld,%3ld,%3ld.%1ld": the latitude part of a point entry.
inline constexpr char kLatitudeFormat[] = "N %3ld,%3ld,%3ld.%1ld";

// "     E %3ld,%3ld,%3ld.%1ld": the longitude part of a point entry.
inline constexpr char kLongitudeFormat[] = "     E %3ld,%3ld,%3ld.%1ld";

}  // namespace zelm::texts
