#include "list_command.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cp932.h"
#include "failure_text.h"
#include "fd_writer.h"
#include "printable.h"
#include "track_listing.h"

namespace zelm::cli {
namespace {

constexpr std::string_view kUsage = "usage: zelm-list [--encoding=utf-8|cp932] FILE...\n";

constexpr std::string_view kHelp =
    "List ZELM track files (.trc): a header block, then one line per point in degrees,\n"
    "minutes, seconds and tenths, exactly as the ZELM window shows them.\n"
    "\n"
    "  --encoding=utf-8   write the listing in UTF-8 (the default)\n"
    "  --encoding=cp932   write the listing's own Shift-JIS (code page 932) bytes\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Exit status: 0 if every FILE was listed, 1 if any could not be, 2 for a usage error.\n";

constexpr std::string_view kVersion = "zelm-list (ZELM) 0.1\n";

enum class Encoding { Utf8, Cp932 };

struct Options {
    Encoding encoding = Encoding::Utf8;
    std::vector<std::string> files;
    bool help = false;
    bool version = false;
    std::string error;  // set when the command line is wrong
};

bool ParseEncoding(std::string_view name, Options& options)
{
    if (name == "utf-8" || name == "utf8" || name == "UTF-8") {
        options.encoding = Encoding::Utf8;
    } else if (name == "cp932" || name == "CP932" || name == "shift-jis" || name == "sjis") {
        options.encoding = Encoding::Cp932;
    } else {
        options.error = "unknown encoding '" + Printable(name) + "'";
        return false;
    }
    return true;
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (onlyFiles || arg.size() < 2 || arg[0] != '-') {
            options.files.emplace_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg.starts_with("--encoding=")) {
            if (!ParseEncoding(arg.substr(11), options))
                return options;
        } else if (arg == "--encoding") {
            if (i + 1 == argc) {
                options.error = "option '--encoding' needs a value";
                return options;
            }
            if (!ParseEncoding(argv[++i], options))
                return options;
        } else {
            options.error = "unknown option '" + Printable(arg) + "'";
            return options;
        }
    }
    if (options.files.empty() && !options.help && !options.version)
        options.error = "no FILE given";
    return options;
}

// Converts and writes a listing a piece at a time, so that a large one is never held twice.
// Pieces end after a line feed, which is never part of a double-byte character.
bool WriteListing(FdWriter& out, std::string_view text, Encoding encoding, std::string& buffer)
{
    if (encoding == Encoding::Cp932)
        return out.Write(text);
    constexpr std::size_t kPiece = 64 * 1024;
    while (!text.empty()) {
        std::size_t end = text.size();
        if (end > kPiece) {
            const std::size_t lf = text.rfind('\n', kPiece - 1);
            end = lf == std::string_view::npos ? kPiece : lf + 1;
        }
        buffer.clear();
        AppendCp932AsUtf8(buffer, text.substr(0, end));
        if (!out.Write(buffer))
            return false;
        text.remove_prefix(end);
    }
    return true;
}

}  // namespace

int RunListCommand(int argc, char** argv)
{
    FdWriter out(1);
    FdWriter err(2);
    const Options options = ParseOptions(argc, argv);
    if (!options.error.empty()) {
        err.Write("zelm-list: " + options.error + "\n");
        err.Write(kUsage);
        return kExitUsage;
    }
    if (options.help) {
        return out.Write(kUsage) && out.Write(kHelp) ? kExitListed : kExitFailed;
    }
    if (options.version) {
        return out.Write(kVersion) ? kExitListed : kExitFailed;
    }

    int status = kExitListed;
    std::string utf8;
    for (const std::string& file : options.files) {
        const TrackListing listing = ListTrackFile(file);
        if (listing.outcome != LoadOutcome::Listed) {
            err.Write("zelm-list: " + Printable(file) + ": " + FailureText(listing) + "\n");
            status = kExitFailed;
            continue;
        }
        if (!WriteListing(out, listing.text, options.encoding, utf8)) {
            // A reader that went away (zelm-list ... | head) is no failure worth a message.
            if (out.Error() != EPIPE)
                err.Write(std::string("zelm-list: write error: ") + std::strerror(out.Error()) + "\n");
            return kExitFailed;
        }
    }
    return status;
}

}  // namespace zelm::cli
