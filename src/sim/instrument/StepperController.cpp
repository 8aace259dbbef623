#include "sim/instrument/StepperController.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quendrix::sim {

namespace {

struct Range {
    int low;
    int high;
};

// Ranges of the commands that only change a setting or wait.
std::optional<Range> settingRange(char letter) {
    switch (letter) {
        case 'v':
            return Range{1, 1000};
        case 'V':
            return Range{5, 6000};
        case 'c':
            return Range{0, 2700};
        case 'L':
            return Range{1, 20};
        case 'K':
            return Range{0, 63};
        case 'C':
            return Range{1, 25};
        case 'S':
            return Range{0, 40};
        case 'M':
            return Range{0, 30000};
        default:
            return std::nullopt;
    }
}

bool isHoming(char letter) {
    return letter == 'Z' || letter == 'Y' || letter == 'W';
}
bool isMove(char letter) {
    return letter == 'A' || letter == 'P' || letter == 'D';
}

int targetOf(const CommandStep& step, int from) {
    switch (step.letter) {
        case 'P':
            return from + *step.operand;
        case 'D':
            return from - *step.operand;
        default:
            return *step.operand;
    }
}

}  // namespace

StepperController::StepperController(Scheduler& scheduler, DriveModel model)
    : scheduler_(scheduler), model_(std::move(model)), motion_(model_.defaults) {}

ControllerReply StepperController::handle(std::string_view text) {
    if (text.empty() || text.front() == 'Q') {
        return status();
    }
    if (text.front() == '?' || text.front() == '&') {
        return report(text);
    }
    if (text == "T" || text == "TR") {
        return terminate();
    }
    return command(text);
}

int StepperController::position() const {
    if (!travel_) {
        return position_;
    }
    const auto span = static_cast<double>((travel_->end - travel_->start).count());
    const auto done = static_cast<double>((scheduler_.now() - travel_->start).count());
    const double fraction = std::clamp(done / span, 0.0, 1.0);
    return travel_->from + static_cast<int>(std::lround((travel_->to - travel_->from) * fraction));
}

ControllerReply StepperController::status(std::string data) const {
    return ControllerReply{!running_, error_, std::move(data)};
}

ControllerReply StepperController::report(std::string_view text) {
    if (text.size() > 1 && text.back() == 'R') {
        text.remove_suffix(1);
    }
    if (text == "&") {
        return status(model_.firmware);
    }
    if (text == "?" || text == "?0") {
        return status(std::to_string(position()));
    }
    if (text.size() == 2 && text[0] == '?') {
        const int values[] = {motion_.startSpeed, motion_.topSpeed, motion_.cutoffSpeed,
                              motion_.slope,      motion_.backlash, motion_.runCurrent};
        const int which = text[1] - '1';
        if (which >= 0 && which < static_cast<int>(std::size(values))) {
            return status(std::to_string(values[which]));
        }
    }
    error_ = ControllerError::unknownCommand;
    return status();
}

ControllerReply StepperController::terminate() {
    const bool wasIdle = !running_;
    if (travel_) {
        position_ = position();
        travel_.reset();
    }
    stop();
    error_ = ControllerError::none;
    return ControllerReply{wasIdle, error_, {}};
}

ControllerReply StepperController::command(std::string_view text) {
    if (running_) {
        error_ = ControllerError::commandOverflow;
        return status();
    }
    CommandString parsed = CommandString::parse(text);
    if (parsed.error != ControllerError::none) {
        error_ = parsed.error;
        return status();
    }
    std::vector<CommandStep> steps = std::move(parsed.steps);
    if (steps.empty() && parsed.execute && stored_) {
        steps = std::move(*stored_);
        stored_.reset();
    }
    error_ = check(steps);
    if (error_ != ControllerError::none) {
        return status();
    }
    if (parsed.execute) {
        stored_.reset();
        execute(std::move(steps));
    } else {
        stored_ = std::move(steps);
    }
    // The reply leaves before the drive starts moving, so it still shows it ready.
    return ControllerReply{true, error_, {}};
}

ControllerError StepperController::check(const std::vector<CommandStep>& steps) const {
    Forecast forecast{initialised_, position_};
    for (const CommandStep& step : steps) {
        if (ControllerError error = checkStep(step, forecast); error != ControllerError::none) {
            return error;
        }
    }
    return ControllerError::none;
}

ControllerError StepperController::checkStep(const CommandStep& step, Forecast& forecast) const {
    const auto inRange = [&step](int low, int high) {
        return step.operand && *step.operand >= low && *step.operand <= high;
    };
    if (isHoming(step.letter)) {
        if (step.operand && !inRange(0, 2)) {
            return ControllerError::invalidOperand;
        }
        forecast = Forecast{true, 0};
        return ControllerError::none;
    }
    if (isMove(step.letter)) {
        if (!inRange(0, model_.maxPosition)) {
            return ControllerError::invalidOperand;
        }
        if (!forecast.initialised) {
            return ControllerError::notInitialised;
        }
        const int target = targetOf(step, forecast.position);
        if (target < 0 || target > model_.maxPosition) {
            return ControllerError::invalidOperand;
        }
        forecast.position = target;
        return ControllerError::none;
    }
    if (const auto range = settingRange(step.letter)) {
        return inRange(range->low, range->high) ? ControllerError::none
                                                : ControllerError::invalidOperand;
    }
    return ControllerError::unknownCommand;
}

void StepperController::execute(std::vector<CommandStep> steps) {
    program_ = std::move(steps);
    nextStep_ = 0;
    running_ = true;
    ++run_;
    runOn();
}

void StepperController::runOn() {
    while (nextStep_ < program_.size()) {
        const std::optional<Micros> busyFor = perform(program_[nextStep_++]);
        if (!busyFor) {
            break;
        }
        if (busyFor->count() > 0) {
            scheduler_.at(scheduler_.now() + *busyFor, life_.guard([this, run = run_] {
                if (run == run_) {
                    finishTravel();
                    runOn();
                }
            }));
            return;
        }
    }
    stop();
}

std::optional<Micros> StepperController::perform(const CommandStep& step) {
    const int value = step.operand.value_or(0);
    switch (step.letter) {
        case 'Z':
        case 'Y':
            return startTravel(0, model_.homingTime, false);
        case 'W':
            return startTravel(0, model_.slowHomingTime, false);
        case 'A':
        case 'P':
        case 'D': {
            if (moveWouldOverload()) {
                error_ = ControllerError::overload;
                initialised_ = false;
                return std::nullopt;
            }
            const int target = targetOf(step, position_);
            if (target != position_) {
                moveStarting();
            }
            return startTravel(target, motion_.travelTime(position_, target), true);
        }
        case 'v':
            motion_.startSpeed = value;
            break;
        case 'V':
            motion_.topSpeed = value;
            break;
        case 'c':
            motion_.cutoffSpeed = value;
            break;
        case 'L':
            motion_.slope = value;
            break;
        case 'K':
            motion_.backlash = value;
            break;
        case 'C':
            motion_.runCurrent = value;
            break;
        case 'S':
            motion_.topSpeed = MotionSettings::topSpeedForCode(value);
            break;
        case 'M':
            return Micros{value * 1000LL};
        default:
            break;
    }
    return Micros{0};
}

Micros StepperController::startTravel(int to, Micros duration, bool isMove) {
    if (!isMove) {
        initialised_ = false;
    }
    if (duration.count() == 0) {
        position_ = to;
        return duration;
    }
    const Micros now = scheduler_.now();
    travel_ = Travel{position_, to, now, now + duration, isMove};
    return duration;
}

void StepperController::finishTravel() {
    if (!travel_) {
        return;
    }
    position_ = travel_->to;
    if (!travel_->isMove) {
        initialised_ = true;
    }
    travel_.reset();
}

void StepperController::overloadIfMoving() {
    if (!moving()) {
        return;
    }
    position_ = position();
    travel_.reset();
    stop();
    error_ = ControllerError::overload;
    initialised_ = false;
}

void StepperController::stop() {
    running_ = false;
    program_.clear();
    nextStep_ = 0;
    ++run_;
}

}  // namespace quendrix::sim
