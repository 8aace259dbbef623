#include "qt/ButtonView.h"

#include "qt/ControlPlacement.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

ButtonView::ButtonView(platform::Button& button, QWidget* parent)
    : QPushButton(parent), button_(button) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { button_.click(); });
    subscription_ = button.observe([this] { sync(); });
    sync();
}

void ButtonView::sync() {
    ControlPlacement::apply(button_, *this);
    const QString caption = toQString(button_.caption());
    if (text() != caption) {
        setText(caption);
    }
}

void ButtonView::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    button_.setFocus();
}

}  // namespace quendrix::qt
