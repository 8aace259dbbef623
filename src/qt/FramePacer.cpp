#include "qt/FramePacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quendrix::qt {
namespace {

constexpr double kDefaultRefreshRate = 60;

std::chrono::milliseconds frameOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    const double rate = screen != nullptr && screen->refreshRate() >= 1 ? screen->refreshRate()
                                                                        : kDefaultRefreshRate;
    return std::chrono::milliseconds(std::lround(1000 / rate));
}

}  // namespace

FramePacer::FramePacer(QWidget& window)
    : QObject(&window), window_(window), frame_(frameOf(window)) {
    frameEnd_.setSingleShot(true);
    connect(&frameEnd_, &QTimer::timeout, this, &FramePacer::paintHeld);
    window.installEventFilter(this);
}

void FramePacer::setFrame(std::chrono::milliseconds frame) {
    frame_ = frame;
    if (frameEnd_.isActive()) {
        armForFrameEnd();
    }
}

bool FramePacer::withinFrame() const {
    return sinceLastPaint_.isValid() &&
           std::chrono::milliseconds(sinceLastPaint_.elapsed()) < frame_;
}

// Qt asks the window for one paint of everything changed since the last, and asks again only
// after that paint: a held request keeps the later changes waiting with it.
bool FramePacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != QEvent::UpdateRequest) {
        return false;
    }
    if (withinFrame()) {
        if (!frameEnd_.isActive()) {
            armForFrameEnd();
        }
        return true;
    }
    frameEnd_.stop();
    sinceLastPaint_.start();
    // What widgets change now joins the paint that Qt is about to make.
    emit aboutToPaint();
    return false;
}

void FramePacer::armForFrameEnd() {
    const auto elapsed = std::chrono::milliseconds(sinceLastPaint_.elapsed());
    frameEnd_.start(std::max(frame_ - elapsed, std::chrono::milliseconds(0)));
}

// A timer may fire a little early; the frame has ended all the same.
void FramePacer::paintHeld() {
    sinceLastPaint_.invalidate();
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window_, &request);
}

}  // namespace quendrix::qt
