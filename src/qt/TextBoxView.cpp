#include "qt/TextBoxView.h"

#include <QEvent>
#include <string>

#include "qt/ControlPlacement.h"
#include "qt/FramePacer.h"
#include "qt/KeyCodes.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

TextBoxView::TextBoxView(platform::TextBox& box, FramePacer* pacer, QWidget* parent)
    : QLineEdit(parent), box_(box), pacer_(pacer) {
    if (box.pointSize() > 0) {
        QFont big = font();
        big.setPointSize(box.pointSize());
        big.setBold(box.bold());
        setFont(big);
    }
    connect(this, &QLineEdit::textChanged, this, &TextBoxView::takeText);
    connect(this, &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { takeCaret(position); });
    if (pacer_ != nullptr) {
        connect(pacer_, &FramePacer::aboutToPaint, this, &TextBoxView::showHeldText);
    }
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
    if (!hasFocus() && (!ControlPlacement::seen(box_) || holdForFrame())) {
        return;
    }
    showText();
    changedSincePaint_ = true;
}

// The first new text after the box was painted goes in at once; the later ones within the
// window's frame wait for its paint. A caret that moves over the shown text moves at once.
bool TextBoxView::holdForFrame() {
    if (held_) {
        return true;
    }
    if (!changedSincePaint_ || pacer_ == nullptr || !pacer_->withinFrame() ||
        text() == toQString(box_.text())) {
        return false;
    }
    held_ = true;
    update();
    return true;
}

void TextBoxView::showHeldText() {
    if (held_) {
        showText();
    }
}

void TextBoxView::showText() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    held_ = false;
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

// Whatever reaches the box, a paint, a key, a click or a drop, finds the program's text in it,
// so that an edit never starts from a held one.
bool TextBoxView::event(QEvent* event) {
    showHeldText();
    if (event->type() == QEvent::Paint) {
        changedSincePaint_ = false;
    }
    return QLineEdit::event(event);
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
