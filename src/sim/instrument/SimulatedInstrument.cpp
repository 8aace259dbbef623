#include "sim/instrument/SimulatedInstrument.h"

#include <stdexcept>
#include <utility>

#include "sim/instrument/PacedLine.h"

namespace quendrix::sim {

namespace {

constexpr char hostAddress = '0';
constexpr char endOfText = '\x03';
constexpr std::uint8_t statusBase = 0x40;
constexpr std::uint8_t readyBit = 0x20;

}  // namespace

SimulatedInstrument::SimulatedInstrument(Scheduler& scheduler, FaultSwitches faults,
                                         std::function<void(std::string_view)> transmit)
    : scheduler_(scheduler),
      faults_(faults),
      transmit_(std::move(transmit)),
      valve_(scheduler, [this] { syringe_.overloadIfMoving(); }),
      syringe_(scheduler, [this] { return valve_.moving(); }),
      noise_(faults.noiseSeed) {}

void SimulatedInstrument::receive(char byte) {
    if (hungUp_) {
        return;
    }
    if (const auto frame = frames_.push(byte)) {
        onFrame(*frame);
    }
}

StepperController& SimulatedInstrument::controller(int address) {
    return const_cast<StepperController&>(std::as_const(*this).controller(address));
}

const StepperController& SimulatedInstrument::controller(int address) const {
    switch (address) {
        case 1:
            return syringe_;
        case 2:
            return valve_;
        default:
            throw std::out_of_range("no controller at address " + std::to_string(address));
    }
}

std::string SimulatedInstrument::frameReply(std::uint8_t status, std::string_view data) {
    std::string reply{'/', hostAddress, static_cast<char>(status)};
    reply += data;
    reply += endOfText;
    reply += "\r\n";
    return reply;
}

void SimulatedInstrument::onFrame(const std::string& frame) {
    ++commandsSeen_;
    lastCommand_ = frame;
    if (onCommand) {
        onCommand(frame);
    }
    if (faults_.hangUpAfter > 0 && commandsSeen_ == static_cast<std::size_t>(faults_.hangUpAfter)) {
        hangUp();
        return;
    }
    StepperController* target = frame.empty() ? nullptr : find(frame.front());
    if (target == nullptr) {
        return;
    }
    if (faults_.babble && !babbling_) {
        startBabbling();
    }
    answer(target->handle(std::string_view(frame).substr(1)));
}

StepperController* SimulatedInstrument::find(char address) {
    switch (address) {
        case '1':
            return &syringe_;
        case '2':
            return &valve_;
        default:
            return nullptr;
    }
}

void SimulatedInstrument::answer(const ControllerReply& reply) {
    if (faults_.silent || faults_.babble) {
        return;
    }
    ++repliesDue_;
    if (faults_.dropEvery > 0 && repliesDue_ % static_cast<std::size_t>(faults_.dropEvery) == 0) {
        return;
    }
    std::string bytes = frameReply(statusByte(reply), reply.data);
    if (faults_.strayCr) {
        bytes.insert(0, 1, '\r');
    }
    if (faults_.garbage) {
        bytes = withNoise(std::move(bytes));
    }
    const Micros when = scheduler_.now() + processingTime + faults_.slowReply;
    scheduler_.at(when, life_.guard([this, bytes = std::move(bytes)] {
        if (!hungUp_) {
            transmit_(bytes);
        }
    }));
}

std::uint8_t SimulatedInstrument::statusByte(const ControllerReply& reply) const {
    const int error = faults_.fixedErrorCode.value_or(static_cast<int>(reply.error)) & 0x0F;
    const bool ready = reply.ready && !faults_.stuckBusy;
    return static_cast<std::uint8_t>(statusBase | (ready ? readyBit : 0) | error);
}

std::string SimulatedInstrument::withNoise(std::string reply) {
    std::string bytes;
    for (int n = 1 + noise_.below(3); n > 0; --n) {
        bytes += noise_.strayByte();
    }
    bytes += reply;
    for (int n = 1 + noise_.below(3); n > 0; --n) {
        bytes += noise_.strayByte();
    }
    return bytes;
}

void SimulatedInstrument::startBabbling() {
    babbling_ = true;
    babbleStart_ = scheduler_.now() + processingTime;
    babbled_ = 0;
    scheduler_.at(babbleStart_, life_.guard([this] { babble(); }));
}

// One character per character time, handed over just as the one before has gone out, so
// the line never rests.
void SimulatedInstrument::babble() {
    if (hungUp_) {
        return;
    }
    transmit_(std::string(1, noise_.printable()));
    ++babbled_;
    scheduler_.at(babbleStart_ + PacedLine::charactersTime(babbled_),
                  life_.guard([this] { babble(); }));
}

void SimulatedInstrument::hangUp() {
    hungUp_ = true;
    if (onHangUp) {
        onHangUp();
    }
}

}  // namespace quendrix::sim
