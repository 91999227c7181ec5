// optical-constants-batch: one thin-film or bulk analysis replayed from the command
// line through the windows' own logic, without a display.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/batch/BatchRun.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The progress of many spectra is for a person watching a terminal, not for a log.
    return optc::RunBatch(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
