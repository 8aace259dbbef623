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
class FramePacer final : public QObject {
    Q_OBJECT

public:
    // Paces `window`, a top-level widget, which owns the pacer.
    explicit FramePacer(QWidget& window);

    std::chrono::milliseconds frame() const { return frame_; }
    // Whether a change now would wait for the frame's end: a paint came less than a frame ago.
    bool withinFrame() const;
    // A held paint then waits for the new frame's end, counted from the last paint.
    void setFrame(std::chrono::milliseconds frame);

signals:
    // The window is about to be painted: what was held for the frame's end goes in now.
    void aboutToPaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void armForFrameEnd();
    void paintHeld();

    QWidget& window_;
    std::chrono::milliseconds frame_;
    QElapsedTimer sinceLastPaint_;
    QTimer frameEnd_;
};

}  // namespace quendrix::qt
