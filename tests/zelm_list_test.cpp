// zelm-list run as a process: output, encodings, diagnostics and exit status.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "cp932.h"
#include "test_files.h"
#include "track_listing.h"

namespace zelm {
namespace {

using test::ReadFile;
using test::TempDir;
using test::TrackBytes;

std::string FromEnv(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

std::string Binary() { return FromEnv("ZELM_BIN_DIR", "build/bin") + "/zelm-list"; }
std::string Sample(const char* name)
{
    return FromEnv("ZELM_SAMPLES_DIR", "samples") + "/" + name;
}

struct RunResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs zelm-list with args; stdout goes to `stdoutPath` when given, else is captured.
RunResult RunList(const std::vector<std::string>& args, const std::string& stdoutPath = "")
{
    TempDir dir;
    const std::string outPath = stdoutPath.empty() ? (dir.Path() / "out").string() : stdoutPath;
    const std::string errPath = (dir.Path() / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string binary = Binary();
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    RunResult run;
    pid_t pid;
    if (posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (stdoutPath.empty())
        run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

TEST(ZelmList, Cp932IsTheListingsOwnBytes)
{
    for (const char* name : {"sendai-walk.trc", "empty.trc", "truncated.trc", "signature-only.trc"}) {
        SCOPED_TRACE(name);
        const RunResult run = RunList({"--encoding=cp932", Sample(name)});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, ListTrackFile(Sample(name)).text);
        EXPECT_EQ(run.err, "");
    }
}

TEST(ZelmList, Utf8IsTheDefault)
{
    const RunResult run = RunList({Sample("sendai-walk.trc")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Cp932ToUtf8(ListTrackFile(Sample("sendai-walk.trc")).text));
    EXPECT_NE(run.out.find("データ名称  仙台駅から定禅寺通り\n軌　跡　数   320\n"), std::string::npos);
    EXPECT_EQ(RunList({"--encoding", "utf-8", Sample("sendai-walk.trc")}).out, run.out);
    // Megabytes of listing, converted and written a piece at a time.
    EXPECT_EQ(RunList({Sample("signature-only.trc")}).out,
              Cp932ToUtf8(ListTrackFile(Sample("signature-only.trc")).text));
}

TEST(ZelmList, ListsEveryFileInOrderAndReportsTheOnesItCannot)
{
    TempDir dir;
    const std::string zip = dir.Write("archive.zip", std::string("PK\x03\x04\x14\0\0\0", 8));
    const std::string missing = (dir.Path() / "missing.trc").string();
    const RunResult run = RunList({Sample("empty.trc"), missing, zip, dir.Path().string(), Sample("truncated.trc")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Cp932ToUtf8(ListTrackFile(Sample("empty.trc")).text +
                                   ListTrackFile(Sample("truncated.trc")).text));
    EXPECT_EQ(run.err, "zelm-list: " + missing + ": ファイルが見つかりません\n"
                       "zelm-list: " + zip + ": 軌跡データファイルのヘッダが違います \"PK\\x03\\x04\\x14\"\n"
                       "zelm-list: " + dir.Path().string() + ": ファイルが見つかりません\n");
}

TEST(ZelmList, PathsThatAreNotFilesFailWithoutHanging)
{
    TempDir dir;
    const std::string fifo = (dir.Path() / "fifo.trc").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string(), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        const RunResult run = RunList({path});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "zelm-list: " + path + ": ファイルが見つかりません\n");
    }
}

TEST(ZelmList, NameThatIsNotUtf8IsListedAndShownEscaped)
{
    TempDir dir;
    const std::string good = dir.Write("\xFF\xFE.trc", TrackBytes().Count(0).Bytes());
    EXPECT_EQ(RunList({"--encoding=cp932", good}).out, ListTrackFile(good).text);
    const std::string bad = dir.Write("\x1B[31m\xFF.trc", "not a track");
    const RunResult run = RunList({bad});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "zelm-list: " + dir.Path().string() +
                           "/\\x1b[31m\\xff.trc: 軌跡データファイルのヘッダが違います \"not a tr\"\n");
}

TEST(ZelmList, CommandLineErrorsAreUsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {}, {"--encoding=latin1", "x.trc"}, {"--encoding"}, {"--frobnicate", "x.trc"}, {"-x"}};
    for (const auto& args : cases) {
        const RunResult run = RunList(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: zelm-list [--encoding=utf-8|cp932] FILE...\n"), std::string::npos) << run.err;
    }
}

TEST(ZelmList, HelpVersionAndDoubleDash)
{
    const RunResult help = RunList({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: zelm-list")) << help.out;
    const RunResult version = RunList({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zelm-list (ZELM) 0.1\n");

    TempDir dir;
    const std::string dashed = dir.Write("--help", TrackBytes().Count(0).Bytes());
    const RunResult run = RunList({"--encoding=cp932", "--", dashed});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, ListTrackFile(dashed).text);
}

TEST(ZelmList, FullDiskIsAFailure)
{
    const RunResult run = RunList({Sample("signature-only.trc")}, "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "zelm-list: write error: No space left on device\n");
}

TEST(ZelmList, ReaderThatGoesAwayEndsItQuietly)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    TempDir dir;
    const std::string errPath = (dir.Path() / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string binary = Binary();
    const std::string sample = Sample("signature-only.trc");
    char* argv[] = {const_cast<char*>(binary.c_str()), const_cast<char*>(sample.c_str()), nullptr};
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    char first[64];
    EXPECT_GT(::read(fds[0], first, sizeof first), 0);
    ::close(fds[0]);  // like head -1: the listing is far larger than a pipe holds
    int wstatus = 0;
    ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
    EXPECT_TRUE((WIFSIGNALED(wstatus) && WTERMSIG(wstatus) == SIGPIPE) ||
                (WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 1));
    EXPECT_EQ(ReadFile(errPath), "");
}

}  // namespace
}  // namespace zelm
