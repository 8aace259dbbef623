#include <iostream>
#include <string>
#include <vector>

#include "dryrun/DryRun.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quendrix::dryrun::runDryRun(arguments, std::cout, std::cerr);
}
