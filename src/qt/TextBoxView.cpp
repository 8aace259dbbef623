#include "qt/TextBoxView.h"

#include <string>

#include "qt/ControlPlacement.h"
#include "qt/KeyCodes.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

TextBoxView::TextBoxView(platform::TextBox& box, QWidget* parent) : QLineEdit(parent), box_(box) {
    if (box.pointSize() > 0) {
        QFont big = font();
        big.setPointSize(box.pointSize());
        big.setBold(box.bold());
        setFont(big);
    }
    connect(this, &QLineEdit::textChanged, this, &TextBoxView::takeText);
    connect(this, &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { takeCaret(position); });
    subscription_ = box.observe([this] { sync(); });
    sync();
}

void TextBoxView::sync() {
    if (syncing_) {
        return;
    }
    ControlPlacement::apply(box_, *this);
    // A box beyond the window, such as the counter that a reply wait lowers on every pass, takes
    // its text when it takes the focus; laying the text out at every change would be for nothing.
    if (ControlPlacement::seen(box_) || hasFocus()) {
        showText();
    }
}

void TextBoxView::showText() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    const QString text = toQString(box_.text());
    if (this->text() != text) {
        setText(text);
    }
    if (cursorPosition() != box_.selStart()) {
        setCursorPosition(box_.selStart());
    }
    syncing_ = false;
}

void TextBoxView::takeText(const QString& text) {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    box_.setText(toStdString(text));
    box_.setSelStart(cursorPosition());
    syncing_ = false;
}

void TextBoxView::takeCaret(int position) {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    box_.setSelStart(position);
    syncing_ = false;
}

void TextBoxView::keyPressEvent(QKeyEvent* event) {
    if (const int code = KeyCodes::virtualKeyCode(event->key()); code != 0) {
        box_.keyDown(code, KeyCodes::shiftState(event->modifiers()));
    }
    const std::optional<int> typed = KeyCodes::keyAscii(*event);
    if (!typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int key = box_.keyPress(*typed);
    if (key == 0) {
        event->accept();  // the handler swallowed the key
        return;
    }
    if (key == *typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(),
                       toQString(std::string(1, static_cast<char>(key & 0xFF))));
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void TextBoxView::focusInEvent(QFocusEvent* event) {
    showText();
    QLineEdit::focusInEvent(event);
    box_.setFocus();
}

}  // namespace quendrix::qt
