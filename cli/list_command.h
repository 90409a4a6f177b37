// The zelm-list command: track file listings on standard output.
#pragma once

namespace zelm::cli {

// Exit status: every file was listed.
inline constexpr int kExitListed = 0;
// Exit status: some file could not be listed, or the output could not be written.
inline constexpr int kExitFailed = 1;
// Exit status: the command line was wrong.
inline constexpr int kExitUsage = 2;

// Runs zelm-list with its command line, writing to descriptors 1 and 2; returns the exit status.
int RunListCommand(int argc, char** argv);

}  // namespace zelm::cli
