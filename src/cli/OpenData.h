#pragma once
// Opening the user folder and a data path for a verb, as the program does at
// start-up (folders, first start, settings), without windows.

#include "cli/Cli.h"

namespace orv::cli {

// Prepares the user folder and opens the data path (the current one, or the
// --data-path folder for this run only). Returns 0 or the exit code after the
// error was reported.
int openData(Context& ctx);

}  // namespace orv::cli
