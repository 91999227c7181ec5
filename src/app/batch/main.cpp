// optical-constants-batch: one thin-film or bulk analysis replayed from the command
// line through the windows' own logic, without a display.
#include <iostream>
#include <string>
#include <vector>

#include "app/batch/BatchRun.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return optc::RunBatch(args, std::cout, std::cerr);
}
