#include "sim/virtualtime/ScriptedRandom.h"

namespace quendrix::sim {

float ScriptedRandom::Rnd() {
    if (queued_.empty()) {
        return seeded_.Rnd();
    }
    const float r = queued_.front();
    queued_.pop_front();
    return r;
}

}  // namespace quendrix::sim
