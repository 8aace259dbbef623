#include <iostream>
#include <string>
#include <vector>

#include "dryrun/DryRun.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/PathText.h"

// Windows hands a program's arguments over in UTF-16; the narrow argv would hold them in the
// ANSI code page, which loses every file name outside it. The core takes UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(quendrix::platform::toText(argv[i]));
    }
    // What is printed is UTF-8 too, file names included.
    ::SetConsoleOutputCP(CP_UTF8);
    return quendrix::dryrun::runDryRun(arguments, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quendrix::dryrun::runDryRun(arguments, std::cout, std::cerr);
}
#endif
