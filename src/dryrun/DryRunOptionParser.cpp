#include "dryrun/DryRunOptionParser.h"

#include <charconv>

#include "sim/cli/FaultOptions.h"

namespace quendrix::dryrun {
namespace {

using sim::OptionError;

constexpr long long kMaxCount = 1'000'000'000;
// Ten years of virtual time, far beyond any run and far below the clock's range.
constexpr long long kMaxSeconds = 10LL * 366 * 24 * 3600;

long long secondsPer(char unit) {
    switch (unit) {
        case 's':
            return 1;
        case 'm':
            return 60;
        case 'h':
            return 3600;
        case 'd':
            return 24 * 3600;
        default:
            return 0;
    }
}

void takeOption(std::string_view name, sim::OptionArguments& arguments, DryRunOptions& options) {
    if (name == "--log") {
        options.logPath = arguments.value();
    } else if (name == "--transcript") {
        options.transcriptPath = arguments.value();
    } else if (name == "--record") {
        options.recordDir = arguments.value();
    } else if (name == "--max-position") {
        options.maxPosition = std::to_string(arguments.number(0, kMaxCount));
    } else if (name == "--max-wait") {
        options.maxWait = static_cast<double>(arguments.number(0, kMaxCount));
    } else if (name == "--max-rows") {
        options.maxRows = static_cast<int>(arguments.number(1, kMaxCount));
    } else if (name == "--limit") {
        options.limitText = arguments.value();
        const auto limit = parseDuration(options.limitText);
        if (!limit) {
            throw OptionError("--limit takes a duration such as 90s, 10m, 2h or 1d, not \"" +
                              options.limitText + "\"");
        }
        options.limit = *limit;
    } else {
        arguments.noValue();
        if (name == "--json") {
            options.json = true;
        } else if (name == "--check") {
            options.check = true;
        } else if (name == "--step") {
            options.step = true;
        } else if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else {
            throw OptionError("unknown option " + std::string(name));
        }
    }
}

}  // namespace

DryRunOptions parseDryRunOptions(int argc, const char* const* argv) {
    DryRunOptions options;
    int files = 0;
    sim::OptionArguments arguments(argc, argv);
    while (!arguments.done()) {
        const std::string_view name = arguments.option();
        if (!name.starts_with('-')) {
            options.file = name;
            ++files;
        } else if (!sim::parseFaultOption(name, arguments, options.faults)) {
            takeOption(name, arguments, options);
        }
    }
    if (!options.help && !options.version && files != 1) {
        throw OptionError(files == 0 ? "no protocol file given" : "more than one protocol file");
    }
    return options;
}

std::optional<sim::Micros> parseDuration(std::string_view text) {
    long long count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    const std::string_view unit(end, static_cast<std::size_t>(text.data() + text.size() - end));
    if (error != std::errc{} || end == text.data() || unit.size() > 1 || count <= 0) {
        return std::nullopt;
    }
    const long long scale = unit.empty() ? 1 : secondsPer(unit.front());
    if (scale == 0 || count > kMaxSeconds / scale) {
        return std::nullopt;
    }
    return std::chrono::seconds(count * scale);
}

std::string dryRunUsage() {
    return R"(Usage: quendrix-dryrun [OPTION]... FILE
Runs the protocol FILE as "Run" would, in virtual time against the simulated instrument
(syringe drive at address 1, selector valve at address 2), without a window, a display or
a serial port. Prints every row executed (virtual time, row, cells, the command sent and
the reply's status) and a summary: how the run ended, how long it takes, the rows and
commands, the error and retry counters, the test counter and the counts of the Loop rows.
Messages that would wait for the operator are answered with OK at once.

  --log PATH           write the run log to PATH (by default no run log is written)
  --transcript PATH    record every byte on the line: time in ms, direction, hex, char
  --record DIR         write the run's record into the folder DIR, as the program keeps
                       one for every run, with its times in virtual time
  --json               print the summary alone, as JSON
  --check              after the run, list what is wrong with the protocol, row by row:
                       errors, warnings and notes
  --max-wait N         with --check, warn of a Wait above N seconds (default 150)
  --max-position N     "Max Move Position", the bound of the position drawn by Arnd
  --limit DURATION     stop the run after this much virtual time: 90s, 10m, 2h, 1d
                       (default 24h)
  --max-rows N         stop the run after N rows
  --step               run as "Single Step Protocol" does, with its message after every row
)" + sim::faultOptionsUsage() +
           R"(  -h, --help           show this text
      --version        show the version

Exit status: 0 when the run ended at an End row, 1 when it stopped otherwise, 2 when a
limit stopped it, 3 when it ended at an End row but --check found errors, 64 for a wrong
command line, 65 when FILE cannot be read, 73 when the run log or the transcript cannot be
written.
)";
}

}  // namespace quendrix::dryrun
