#include "sim/cli/ServerOptionParser.h"

#include <string_view>

#include "sim/cli/FaultOptions.h"

namespace quendrix::sim {

ServerOptions parseServerOptions(int argc, const char* const* argv) {
    ServerOptions options;
    OptionArguments arguments(argc, argv);
    while (!arguments.done()) {
        const std::string_view name = arguments.option();
        if (parseFaultOption(name, arguments, options.faults)) {
            continue;
        }
        if (name == "--transcript") {
            options.transcriptPath = arguments.value();
        } else if (name == "--link") {
            options.linkPath = arguments.value();
        } else if (name == "--help" || name == "-h") {
            arguments.noValue();
            options.help = true;
        } else if (name == "--version") {
            arguments.noValue();
            options.version = true;
        } else {
            throw OptionError("unknown option " + std::string(name));
        }
    }
    return options;
}

std::string serverUsage() {
    return R"(Usage: quendrix-sim [OPTION]...
Simulates the instrument (syringe drive at address 1, selector valve at address 2) on a
pseudo-terminal at 9600 baud, 8N1. The first line printed is the terminal's device path.
After a hang-up (--hang-up-after) it exits.

  --link PATH          also make PATH a symlink to the terminal (an old symlink is replaced)
  --transcript FILE    record every byte in both directions: time in ms, direction, hex, char
)" + faultOptionsUsage() +
           R"(  -h, --help           show this text
      --version        show the version
)";
}

}  // namespace quendrix::sim
