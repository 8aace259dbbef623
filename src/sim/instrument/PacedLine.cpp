#include "sim/instrument/PacedLine.h"

#include <utility>

namespace quendrix::sim {

PacedLine::PacedLine(Scheduler& scheduler, std::function<void(char)> deliver)
    : scheduler_(scheduler), deliver_(std::move(deliver)) {}

void PacedLine::send(std::string_view bytes) {
    for (char byte : bytes) {
        const Micros now = scheduler_.now();
        if (trainLength_ == 0 || now > lastArrival_) {
            trainStart_ = now;
            trainLength_ = 0;
        }
        ++trainLength_;
        lastArrival_ = trainStart_ + charactersTime(trainLength_);
        scheduler_.at(lastArrival_, life_.guard([this, byte] { deliver_(byte); }));
    }
}

}  // namespace quendrix::sim
