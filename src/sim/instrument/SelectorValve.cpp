#include "sim/instrument/SelectorValve.h"

#include <utility>

namespace quendrix::sim {

namespace {

DriveModel valveModel() {
    DriveModel model;
    model.maxPosition = SelectorValve::maxPosition;
    model.firmware = "QXV 1.18";
    model.homingTime = Micros{900'000};
    model.slowHomingTime = Micros{1'800'000};
    model.defaults.topSpeed = 5000;
    return model;
}

}  // namespace

SelectorValve::SelectorValve(Scheduler& scheduler, std::function<void()> turning)
    : StepperController(scheduler, valveModel()), turning_(std::move(turning)) {}

}  // namespace quendrix::sim
