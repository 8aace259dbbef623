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

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}

}  // namespace

FramePacer::FramePacer(QWidget& window)
    : QObject(&window),
      window_(window),
      inputFrame_(frameOf(window)),
      frame_(std::max(kProgramFrame, inputFrame_)) {
    frameEnd_.setSingleShot(true);
    connect(&frameEnd_, &QTimer::timeout, this, &FramePacer::paintHeld);
    // The application's filter sees the window's paint requests, and also the operator's input,
    // which goes to the widgets inside the window.
    QCoreApplication::instance()->installEventFilter(this);
}

void FramePacer::setFrame(std::chrono::milliseconds frame) {
    frame_ = frame;
    if (frameEnd_.isActive()) {
        armForFrameEnd();
    }
}

std::chrono::milliseconds FramePacer::currentFrame() const {
    const bool handRecent =
        sinceInput_.isValid() && std::chrono::milliseconds(sinceInput_.elapsed()) < kInputLinger;
    return handRecent ? std::min(frame_, inputFrame_) : frame_;
}

bool FramePacer::withinFrame() const {
    return sinceLastPaint_.isValid() &&
           std::chrono::milliseconds(sinceLastPaint_.elapsed()) < currentFrame();
}

bool FramePacer::isInputToTheWindow(QObject* watched, const QEvent& event) const {
    if (!isInput(event.type()) || !watched->isWidgetType()) {
        return false;
    }
    return static_cast<QWidget*>(watched)->window() == &window_;
}

// Qt asks the window for one paint of everything changed since the last, and asks again only
// after that paint: a held request keeps the later changes waiting with it.
bool FramePacer::eventFilter(QObject* watched, QEvent* event) {
    if (isInputToTheWindow(watched, *event)) {
        sinceInput_.start();
        if (frameEnd_.isActive()) {
            armForFrameEnd();  // a paint held for the program's frame comes sooner
        }
        return false;
    }
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
    frameEnd_.start(std::max(currentFrame() - elapsed, std::chrono::milliseconds(0)));
}

// A timer may fire a little early; the frame has ended all the same.
void FramePacer::paintHeld() {
    sinceLastPaint_.invalidate();
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window_, &request);
}

}  // namespace quendrix::qt
