// reference-list: the reference lister as a whole process, for timing zelm-list against.
//
// Same command line as zelm-list ([--encoding=utf-8|cp932] FILE...), written the plain way:
// fputs per entry, and for UTF-8 one iconv call per entry through a descriptor opened once.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <string>
#include <vector>

#include "reference_listing.h"

namespace {

// Writes one entry in UTF-8; a byte iconv cannot convert becomes U+FFFD.
void PutUtf8(iconv_t cd, const std::string& entry)
{
    char converted[4096];
    char* in = const_cast<char*>(entry.c_str());  // iconv takes char** for its input
    std::size_t inLeft = entry.size();
    while (inLeft > 0) {
        char* out = converted;
        std::size_t outLeft = sizeof converted - 1;
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        *out = '\0';
        std::fputs(converted, stdout);
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        std::fputs("\xEF\xBF\xBD", stdout);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    bool utf8 = true;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--encoding=utf-8") == 0) {
            utf8 = true;
        } else if (std::strcmp(argv[i], "--encoding=cp932") == 0) {
            utf8 = false;
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "usage: reference-list [--encoding=utf-8|cp932] FILE...\n");
            return 2;
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: reference-list [--encoding=utf-8|cp932] FILE...\n");
        return 2;
    }

    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (utf8 && cd == reinterpret_cast<iconv_t>(-1)) {
        std::perror("reference-list: iconv_open");
        return 1;
    }
    int status = 0;
    for (const std::string& file : files) {
        const std::vector<std::string> entries = zelm::bench::ReferenceListing(file);
        if (entries.empty()) {
            std::fprintf(stderr, "reference-list: %s: cannot be listed\n", file.c_str());
            status = 1;
            continue;
        }
        for (const std::string& entry : entries) {
            if (utf8)
                PutUtf8(cd, entry);
            else
                std::fputs(entry.c_str(), stdout);
            std::fputs("\n", stdout);
        }
    }
    if (cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(cd);
    if (std::fflush(stdout) != 0)
        status = 1;
    return status;
}
