// zelm-list: prints the listing of track files, as the ZELM window shows it.
#include "list_command.h"

int main(int argc, char** argv) { return zelm::cli::RunListCommand(argc, argv); }
