#pragma once

#include <string>

#include "sim/cli/OptionArguments.h"
#include "sim/cli/ServerOptions.h"

namespace quendrix::sim {

// Reads the options that follow argv[0]; throws OptionError on anything it does not know.
// Values may follow as the next argument or after "=" ("--slow 200", "--slow=200").
ServerOptions parseServerOptions(int argc, const char* const* argv);

std::string serverUsage();

}  // namespace quendrix::sim
