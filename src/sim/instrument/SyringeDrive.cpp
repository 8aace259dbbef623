#include "sim/instrument/SyringeDrive.h"

#include <utility>

namespace quendrix::sim {

namespace {

DriveModel syringeModel() {
    DriveModel model;
    model.maxPosition = SyringeDrive::maxPosition;
    model.firmware = "QXS 2.41";
    model.homingTime = Micros{1'400'000};
    model.slowHomingTime = Micros{3'200'000};
    return model;
}

}  // namespace

SyringeDrive::SyringeDrive(Scheduler& scheduler, std::function<bool()> valveTurning)
    : StepperController(scheduler, syringeModel()), valveTurning_(std::move(valveTurning)) {}

}  // namespace quendrix::sim
