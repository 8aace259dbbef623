#pragma once

#include <QWidget>
#include <vector>

#include "form/MainFormControls.h"

namespace quendrix::qt {

// The main window on screen: one widget per control of the inventory, placed at the
// control's place inside its parent, named after it, in its tab order. The widget is hidden
// when the window closes and never deleted, because waits further down the stack still use
// the controls it shows.
class MainWindowView final : public QWidget {
    Q_OBJECT

public:
    MainWindowView(form::MainFormControls& controls, const QFont& gridFont);

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
    // In the inventory's order, which is also the tab order.
    std::vector<std::pair<platform::Control*, QWidget*>> widgets_;
    bool closedShown_ = false;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
