#pragma once

#include <stdexcept>
#include <string>

#include "sim/server/ServerOptions.h"

namespace quendrix::sim {

// A command line that cannot be understood; the message names the culprit.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the options that follow argv[0]; throws OptionError on anything it does not know.
// Values may follow as the next argument or after "=" ("--slow 200", "--slow=200").
ServerOptions parseServerOptions(int argc, const char* const* argv);

std::string serverUsage();

}  // namespace quendrix::sim
