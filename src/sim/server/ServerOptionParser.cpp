#include "sim/server/ServerOptionParser.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace quendrix::sim {

namespace {

class Arguments {
public:
    Arguments(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}

    bool done() const { return next_ >= argc_; }

    // The next option's name; a value written as "--name=value" is kept for value().
    std::string_view option() {
        std::string_view argument = argv_[next_++];
        inlineValue_.reset();
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            inlineValue_ = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        name_ = argument;
        return argument;
    }

    std::string_view value() {
        if (inlineValue_) {
            return *std::exchange(inlineValue_, std::nullopt);
        }
        if (done()) {
            throw OptionError(std::string(name_) + " needs a value");
        }
        return argv_[next_++];
    }

    long long number(long long low, long long high) {
        const std::string_view text = value();
        long long result = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
        if (error != std::errc{} || end != text.data() + text.size() || result < low ||
            result > high) {
            throw OptionError(std::string(name_) + " takes a whole number from " +
                              std::to_string(low) + " to " + std::to_string(high) + ", not \"" +
                              std::string(text) + "\"");
        }
        return result;
    }

    void noValue() const {
        if (inlineValue_) {
            throw OptionError(std::string(name_) + " takes no value");
        }
    }

private:
    int argc_;
    const char* const* argv_;
    int next_ = 1;
    std::string_view name_;
    std::optional<std::string_view> inlineValue_;
};

constexpr long long maxCount = 1'000'000'000;

}  // namespace

ServerOptions parseServerOptions(int argc, const char* const* argv) {
    ServerOptions options;
    FaultSwitches& faults = options.faults;
    Arguments arguments(argc, argv);
    while (!arguments.done()) {
        const std::string_view name = arguments.option();
        if (name == "--drop-every") {
            faults.dropEvery = static_cast<int>(arguments.number(1, maxCount));
        } else if (name == "--error-code") {
            faults.fixedErrorCode = static_cast<int>(arguments.number(0, 15));
        } else if (name == "--slow") {
            faults.slowReply = Micros{arguments.number(0, 3'600'000) * 1000};
        } else if (name == "--hang-up-after") {
            faults.hangUpAfter = static_cast<int>(arguments.number(1, maxCount));
        } else if (name == "--seed") {
            faults.noiseSeed = static_cast<std::uint32_t>(
                arguments.number(0, std::numeric_limits<std::uint32_t>::max()));
        } else if (name == "--transcript") {
            options.transcriptPath = arguments.value();
        } else if (name == "--link") {
            options.linkPath = arguments.value();
        } else {
            arguments.noValue();
            if (name == "--silent") {
                faults.silent = true;
            } else if (name == "--garbage") {
                faults.garbage = true;
            } else if (name == "--babble") {
                faults.babble = true;
            } else if (name == "--stuck-busy") {
                faults.stuckBusy = true;
            } else if (name == "--help" || name == "-h") {
                options.help = true;
            } else {
                throw OptionError("unknown option " + std::string(name));
            }
        }
    }
    return options;
}

std::string serverUsage() {
    return R"(Usage: quendrix-sim [OPTION]...
Simulates the instrument (syringe drive at address 1, selector valve at address 2) on a
pseudo-terminal at 9600 baud, 8N1. The first line printed is the terminal's device path.

  --link PATH          also make PATH a symlink to the terminal (an old symlink is replaced)
  --transcript FILE    record every byte in both directions: time in ms, direction, hex, char
  --silent             never reply
  --drop-every K       lose every K-th reply
  --garbage            surround replies with noise bytes
  --babble             after the first command, fill the line with characters, never a CR
  --seed N             seed of the noise of --garbage and --babble (default 1)
  --stuck-busy         never report ready
  --error-code N       report error code N (0 to 15) in every reply
  --slow MS            delay every reply by MS milliseconds more
  --hang-up-after N    go away when the N-th command arrives (as if unplugged), then exit
  -h, --help           show this text
)";
}

}  // namespace quendrix::sim
