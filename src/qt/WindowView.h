#pragma once

#include <QWidget>
#include <vector>

#include "platform/Window.h"
#include "qt/PanelPictureStyle.h"

namespace quendrix::qt {

class FramePacer;

// A window of the program on screen, as a top-level window of fixed size: one widget per
// control, placed at the control's place inside its parent, named after it, in the order of
// its container, which is the tab order. It is painted at most once a frame (FramePacer). It
// shows and hides as the window does, and the close box closes the window. The widget is never
// deleted, because waits further down the stack still use the controls it shows.
class WindowView : public QWidget {
    Q_OBJECT

public:
    WindowView(platform::Window& window, const QFont& gridFont);
    ~WindowView() override;

    // The widget that shows `control`, or nullptr.
    QWidget* widgetFor(const platform::Control& control) const;

signals:
    // The window has closed, whichever side closed it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build(platform::Container& container, QWidget& parent, const QFont& gridFont);
    QWidget* makeWidget(platform::Control& control, QWidget& parent, const QFont& gridFont);
    void connectBuddies();
    void setTabOrder();
    void sync();

    platform::Window& window_;
    FramePacer* pacer_ = nullptr;  // a child of the window
    // The text boxes' style; they give it back before it goes.
    PanelPictureStyle textBoxStyle_;
    // In the inventory's order, which is also the tab order.
    std::vector<std::pair<platform::Control*, QWidget*>> widgets_;
    bool closedShown_ = false;
    platform::Subscription subscription_;
    platform::Subscription raising_;
};

}  // namespace quendrix::qt
