#include "qt/WindowView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVariant>
#include <algorithm>

#include "qt/ButtonView.h"
#include "qt/ControlPlacement.h"
#include "qt/FramePacer.h"
#include "qt/FrameView.h"
#include "qt/GridView.h"
#include "qt/LabelView.h"
#include "qt/PictureView.h"
#include "qt/ShapeView.h"
#include "qt/TextBoxView.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

using platform::ControlKind;

WindowView::WindowView(platform::Window& window, const QFont& gridFont)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      window_(window) {
    pacer_ = new FramePacer(*this);  // a child of the window
    setObjectName(toQString(window_.name()));
    // The layout in twips was made for an 11-pixel dialog font; larger captions would clip.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    build(window_, *this, gridFont);
    connectBuddies();
    setTabOrder();
    subscription_ = window_.observe([this] { sync(); });
    raising_ = window_.onBringToFront.subscribe([this] {
        raise();
        activateWindow();
    });
    sync();
}

WindowView::~WindowView() {
    for (const auto& [control, widget] : widgets_) {
        if (widget->style() == &textBoxStyle_) {
            widget->setStyle(nullptr);
        }
    }
}

void WindowView::build(platform::Container& container, QWidget& parent, const QFont& gridFont) {
    for (platform::Control* control : container.children()) {
        QWidget* widget = makeWidget(*control, parent, gridFont);
        widget->setObjectName(toQString(control->name()));
        if (control->index() >= 0) {
            widget->setProperty("index", control->index());
        }
        widgets_.emplace_back(control, widget);
        if (control->kind() == ControlKind::Frame) {
            build(static_cast<platform::Container&>(*control), *widget, gridFont);
        }
    }
}

QWidget* WindowView::makeWidget(platform::Control& control, QWidget& parent,
                                const QFont& gridFont) {
    switch (control.kind()) {
        case ControlKind::TextBox: {
            auto* box = new TextBoxView(static_cast<platform::TextBox&>(control), pacer_, &parent);
            box->setStyle(&textBoxStyle_);
            return box;
        }
        case ControlKind::Label:
            return new LabelView(static_cast<platform::Label&>(control), &parent);
        case ControlKind::Button:
            return new ButtonView(static_cast<platform::Button&>(control), &parent);
        case ControlKind::Frame:
            return new FrameView(static_cast<platform::Frame&>(control), &parent);
        case ControlKind::Shape:
            return new ShapeView(static_cast<platform::Shape&>(control), &parent);
        case ControlKind::PictureBox:
            return new PictureView(static_cast<platform::PictureBox&>(control), &parent);
        case ControlKind::Grid:
            return new GridView(static_cast<platform::Grid&>(control), gridFont, &parent);
        case ControlKind::Window:
            break;
    }
    // A window inside a window: nothing the inventory holds, so an empty placeholder.
    auto* placeholder = new QWidget(&parent);
    ControlPlacement::apply(control, *placeholder);
    return placeholder;
}

QWidget* WindowView::widgetFor(const platform::Control& control) const {
    const auto found =
        std::find_if(widgets_.begin(), widgets_.end(),
                     [&control](const auto& entry) { return entry.first == &control; });
    return found == widgets_.end() ? nullptr : found->second;
}

void WindowView::connectBuddies() {
    for (const auto& [control, widget] : widgets_) {
        if (control->kind() != ControlKind::Label) {
            continue;
        }
        if (const platform::Control* buddy = static_cast<platform::Label*>(control)->buddy()) {
            static_cast<QLabel*>(widget)->setBuddy(widgetFor(*buddy));
        }
    }
}

void WindowView::setTabOrder() {
    QWidget* previous = nullptr;
    for (const auto& [control, widget] : widgets_) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void WindowView::sync() {
    const QString caption = toQString(window_.caption());
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
    setFixedSize(ControlPlacement::pixels(window_.geometry()).size());
    if (window_.shown() && isHidden()) {
        show();
    } else if (!window_.shown() && !isHidden()) {
        hide();
    }
    if (const platform::Control* focused = window_.focusedControl()) {
        QWidget* widget = widgetFor(*focused);
        if (widget != nullptr && !widget->hasFocus()) {
            widget->setFocus();
        }
    }
    if (window_.closed() && !closedShown_) {
        closedShown_ = true;
        emit closed();
    }
    closedShown_ = window_.closed();
}

void WindowView::closeEvent(QCloseEvent* event) {
    // The window's unload runs here (for the main window, the program's shut-down); the close
    // itself is never refused.
    window_.close();
    event->accept();
}

}  // namespace quendrix::qt
