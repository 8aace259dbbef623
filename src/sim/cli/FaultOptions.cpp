#include "sim/cli/FaultOptions.h"

#include <cstdint>
#include <limits>

namespace quendrix::sim {
namespace {

constexpr long long kMaxCount = 1'000'000'000;

bool parseSwitch(std::string_view name, FaultSwitches& faults) {
    bool FaultSwitches::*flag = nullptr;
    if (name == "--silent") {
        flag = &FaultSwitches::silent;
    } else if (name == "--garbage") {
        flag = &FaultSwitches::garbage;
    } else if (name == "--babble") {
        flag = &FaultSwitches::babble;
    } else if (name == "--stray-cr") {
        flag = &FaultSwitches::strayCr;
    } else if (name == "--stuck-busy") {
        flag = &FaultSwitches::stuckBusy;
    } else {
        return false;
    }
    faults.*flag = true;
    return true;
}

}  // namespace

bool parseFaultOption(std::string_view name, OptionArguments& arguments, FaultSwitches& faults) {
    if (name == "--drop-every") {
        faults.dropEvery = static_cast<int>(arguments.number(1, kMaxCount));
    } else if (name == "--error-code") {
        faults.fixedErrorCode = static_cast<int>(arguments.number(0, 15));
    } else if (name == "--slow") {
        faults.slowReply = Micros{arguments.number(0, 3'600'000) * 1000};
    } else if (name == "--hang-up-after") {
        faults.hangUpAfter = static_cast<int>(arguments.number(1, kMaxCount));
    } else if (name == "--seed") {
        faults.noiseSeed = static_cast<std::uint32_t>(
            arguments.number(0, std::numeric_limits<std::uint32_t>::max()));
    } else if (parseSwitch(name, faults)) {
        arguments.noValue();
    } else {
        return false;
    }
    return true;
}

std::string faultOptionsUsage() {
    return R"(  --silent             never reply
  --drop-every K       lose every K-th reply
  --garbage            surround replies with noise bytes
  --babble             after the first command, fill the line with characters, never a CR
  --stray-cr           send a lone CR just before every reply (after the noise)
  --seed N             seed of the noise of --garbage and --babble (default 1)
  --stuck-busy         never report ready
  --error-code N       report error code N (0 to 15) in every reply
  --slow MS            delay every reply by MS milliseconds more
  --hang-up-after N    go away when the N-th command arrives, as if unplugged
)";
}

}  // namespace quendrix::sim
