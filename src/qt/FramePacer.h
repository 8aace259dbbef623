#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

class QWidget;

namespace quendrix::qt {

// Paints a window at most once a frame. A reply arrives one character at a time, each a
// change of some box; painting and sending the window to the display for every one of them
// would cost far more than the run itself. What changes within a frame is painted together
// at its end; the first change after a quiet frame is painted at once.
//
// What the program changes is painted at most 20 times a second, as an instrument's display
// is; for a second after the operator types, clicks or scrolls in the window, the frame is
// the screen's, so that the window answers the hand as fast as the screen can show it.
class FramePacer final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kProgramFrame{50};
    static constexpr std::chrono::milliseconds kInputLinger{1000};

    // Paces `window`, a top-level widget, which owns the pacer.
    explicit FramePacer(QWidget& window);

    // The frame for what the program changes.
    std::chrono::milliseconds frame() const { return frame_; }
    // A held paint then waits for the new frame's end, counted from the last paint.
    void setFrame(std::chrono::milliseconds frame);
    // The screen's frame, for a while after the operator's own input.
    std::chrono::milliseconds inputFrame() const { return inputFrame_; }
    // Whether a change now would wait for the frame's end: a paint came less than a frame ago.
    bool withinFrame() const;

signals:
    // The window is about to be painted: what was held for the frame's end goes in now.
    void aboutToPaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::chrono::milliseconds currentFrame() const;
    bool isInputToTheWindow(QObject* watched, const QEvent& event) const;
    void armForFrameEnd();
    void paintHeld();

    QWidget& window_;
    std::chrono::milliseconds inputFrame_;
    std::chrono::milliseconds frame_;
    QElapsedTimer sinceLastPaint_;
    QElapsedTimer sinceInput_;
    QTimer frameEnd_;
};

}  // namespace quendrix::qt
