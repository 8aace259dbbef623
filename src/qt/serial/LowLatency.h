#pragma once

#include <QtGlobal>

namespace quendrix::qt {

// Asks the serial driver behind the open file `handle` to pass received characters on at
// once. USB adapters otherwise hold each short reply until their latency timer runs out
// (16 ms by default). Drivers without the setting (a pseudo-terminal, for one) refuse the
// request; that is harmless, so nothing is reported.
void requestLowLatency(qintptr handle);

}  // namespace quendrix::qt
