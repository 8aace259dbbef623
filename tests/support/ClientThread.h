#pragma once

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "support/PumpUntil.h"

namespace quendrix::testsupport {

// Runs `client` in a thread of its own, as a client in a process of its own would, while this
// thread handles the program's events; returns when the client is done.
inline void serveClient(const std::function<void()>& client,
                        std::chrono::milliseconds timeout = std::chrono::minutes(10)) {
    std::atomic<bool> done = false;
    std::thread worker([&] {
        client();
        done = true;
        // Wakes this thread's wait.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    pumpUntil([&] { return done.load(); }, timeout);
    worker.join();
}

}  // namespace quendrix::testsupport
