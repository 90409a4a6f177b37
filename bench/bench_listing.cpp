// Times the listing against the plain stdio reference, in process and as whole processes, and
// prints how many times faster the real code is.
//
// Inputs are the largest listing a header can ask for: a file of nothing but the signature
// claims 65535 points, all read as 0xFF bytes. Figures are wall-clock time, since a child
// process's work never shows in the parent's CPU time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "reference_listing.h"
#include "track_listing.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "bench-listing: %s\n", why.c_str());
    std::abort();
}

// A temporary directory with the largest file a header can describe; removed on destruction.
class MaxFileFixture {
public:
    MaxFileFixture()
    {
        std::string dir = (fs::temp_directory_path() / "zelm-bench-XXXXXX").string();
        if (::mkdtemp(dir.data()) == nullptr)
            Fail("cannot create a temporary directory");
        dir_ = dir;
        path_ = (dir_ / "signature-only.trc").string();
        std::ofstream(path_, std::ios::binary) << "TRAC1.00";
        if (fs::file_size(path_) != 8)
            Fail("cannot write " + path_);
    }
    ~MaxFileFixture()
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    MaxFileFixture(const MaxFileFixture&) = delete;
    MaxFileFixture& operator=(const MaxFileFixture&) = delete;

    const std::string& Path() const { return path_; }
    fs::path Dir() const { return dir_; }

private:
    fs::path dir_;
    std::string path_;
};

// Runs argv with standard output sent to stdoutPath and waits for it; aborts unless it exits 0.
void RunProcess(const std::vector<std::string>& argv, const std::string& stdoutPath)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        Fail("cannot start " + argv[0]);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(argv[0] + " did not exit with status 0");
}

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The reference is only a yardstick if it lists the same thing.
void CheckSameEntries(const std::string& path)
{
    const zelm::TrackListing listing = zelm::ListTrackFile(path);
    const std::vector<std::string> reference = zelm::bench::ReferenceListing(path);
    if (listing.outcome != zelm::LoadOutcome::Listed || listing.EntryCount() != 4 + 65535)
        Fail("ListTrackFile did not list the 65535 points of " + path);
    if (reference.size() != listing.EntryCount())
        Fail("the reference lister gives a different number of entries");
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (listing.Entry(i) != reference[i])
            Fail("entry " + std::to_string(i) + " differs from the reference: \"" +
                 std::string(listing.Entry(i)) + "\" vs \"" + reference[i] + "\"");
    }
}

// Both commands must write the same bytes, or timing them against each other means nothing.
void CheckSameOutput(const fs::path& bin, const MaxFileFixture& fixture, const std::string& encoding)
{
    const fs::path ours = fixture.Dir() / "zelm-list.out";
    const fs::path theirs = fixture.Dir() / "reference-list.out";
    RunProcess({(bin / "zelm-list").string(), "--encoding=" + encoding, fixture.Path()}, ours);
    RunProcess({(bin / "reference-list").string(), "--encoding=" + encoding, fixture.Path()}, theirs);
    const std::string a = ReadWhole(ours);
    if (a.size() < 65535 * 45 || a != ReadWhole(theirs))
        Fail("zelm-list and reference-list write different " + encoding + " output");
}

// Wall-clock seconds per iteration of every benchmark run, for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            Total& total = totals_[run.run_name.function_name];
            total.seconds += run.real_accumulated_time;
            total.iterations += run.iterations;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints how many times faster `fast` ran than `slow`, against the goal.
    void PrintRatio(const char* label, const std::string& fast, const std::string& slow,
                    double goal) const
    {
        const auto f = totals_.find(fast);
        const auto s = totals_.find(slow);
        if (f == totals_.end() || s == totals_.end()) {
            std::printf("%s: not measured\n", label);
            return;
        }
        const double fastTime = f->second.seconds / static_cast<double>(f->second.iterations);
        const double slowTime = s->second.seconds / static_cast<double>(s->second.iterations);
        const double ratio = slowTime / fastTime;
        std::printf("%s: %.1f× faster than the reference (%.3f ms vs %.3f ms; goal ≥%.0f×: %s)\n",
                    label, ratio, fastTime * 1e3, slowTime * 1e3, goal,
                    ratio >= goal ? "met" : "MISSED");
    }

private:
    struct Total {
        double seconds = 0;
        benchmark::IterationCount iterations = 0;
    };
    std::map<std::string, Total> totals_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    const MaxFileFixture fixture;
    const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
    CheckSameEntries(fixture.Path());
    for (const char* encoding : {"utf-8", "cp932"})
        CheckSameOutput(bin, fixture, encoding);
    const std::string& path = fixture.Path();

    benchmark::RegisterBenchmark("ListTrackFile", [&](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(zelm::ListTrackFile(path));
    })->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ReferenceListing", [&](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(zelm::bench::ReferenceListing(path));
    })->UseRealTime()->Unit(benchmark::kMillisecond);

    for (const std::string encoding : {"utf-8", "cp932"}) {
        for (const std::string command : {"zelm-list", "reference-list"}) {
            const std::vector<std::string> args = {(bin / command).string(), "--encoding=" + encoding,
                                                   path};
            benchmark::RegisterBenchmark((command + "-process/" + encoding).c_str(),
                                         [args](benchmark::State& state) {
                                             for (auto _ : state)
                                                 RunProcess(args, "/dev/null");
                                         })
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    reporter.PrintRatio("ListTrackFile", "ListTrackFile", "ReferenceListing", 10);
    reporter.PrintRatio("zelm-list process (utf-8)", "zelm-list-process/utf-8",
                        "reference-list-process/utf-8", 5);
    reporter.PrintRatio("zelm-list process (cp932)", "zelm-list-process/cp932",
                        "reference-list-process/cp932", 5);
    return 0;
}
