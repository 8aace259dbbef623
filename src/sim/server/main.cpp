#include <exception>
#include <iostream>

#include "platform/Version.h"
#include "sim/cli/ServerOptionParser.h"
#include "sim/server/SignalPipe.h"
#include "sim/server/SimServer.h"

int main(int argc, char** argv) {
    using namespace quendrix::sim;
    try {
        const ServerOptions options = parseServerOptions(argc, argv);
        if (options.help) {
            std::cout << serverUsage();
            return 0;
        }
        if (options.version) {
            std::cout << quendrix::platform::versionLine("quendrix-sim",
                                                         quendrix::platform::buildVersion())
                      << '\n';
            return 0;
        }
        SignalPipe signals;
        SimServer server(options);
        std::cout << server.devicePath() << std::endl;
        return server.run(signals.fd());
    } catch (const OptionError& error) {
        std::cerr << "quendrix-sim: " << error.what() << "\n\n" << serverUsage();
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "quendrix-sim: " << error.what() << '\n';
        return 1;
    }
}
