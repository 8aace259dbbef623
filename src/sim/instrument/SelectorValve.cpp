#include "sim/instrument/SelectorValve.h"

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

SelectorValve::SelectorValve(Scheduler& scheduler) : StepperController(scheduler, valveModel()) {}

}  // namespace quendrix::sim
