#include "app/CommandLine.h"

#include <string_view>

namespace quendrix::app {

std::optional<int> answerCommandLine(int argc, const char* const* argv,
                                     const platform::Version& version, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            out << programUsage();
            return 0;
        }
        if (argument == "--version") {
            out << platform::versionLine("quendrix", version) << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

std::string programUsage() {
    return R"(Usage: quendrix [OPTION]...
Opens the control program of a laboratory fluid-handling instrument: a syringe drive and
a selector valve, each on a stepper-motor controller, sharing one serial line at 9600 baud,
8N1. Protocols are written in its grid, saved, loaded and run against the controllers, and
commands are sent by hand from its "Communications" panel.

The serial port is chosen by number ("Comm Port" in the settings window). Port n is the
device named by key COMn in section Ports of the settings file, and /dev/ttyS(n-1) when it
names none; COMn=sim runs the simulated instrument inside the program. The settings file is
~/.config/quendrix/quendrix.ini, or quendrix/quendrix.ini under $XDG_CONFIG_HOME when that
is set. A protocol run writes its run log, TESTFILE.txt, in the current folder, emptying it
first.

The program needs a display: DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM naming a Qt
platform plugin. Qt's own options, such as -platform NAME and -style NAME, are accepted.

      --control        accept remote control on a local socket,
                       $XDG_RUNTIME_DIR/quendrix/control, that only this user may reach
                       (also Enabled=1 in section Control of the settings file); see
                       quendrix-ctl
  -h, --help           show this text
      --version        show the version

Exit status: 0 when the main window was closed, 1 when no display was found.
)";
}

}  // namespace quendrix::app
