#pragma once

#include <QLineEdit>
#include <QPointer>

#include "platform/TextBox.h"

namespace quendrix::qt {

class FramePacer;

// A text box. The control holds the text; the operator's typing goes back into it, and
// every key reaches the program's KeyDown and KeyPress handlers before the edit applies.
//
// A reply arrives one character at a time, and laying out each would cost more than the run.
// Once the box has taken a change that is not yet painted, it holds the program's later texts
// until the frame of the window's `pacer` is painted, and lays out only the newest. A box with
// the focus, or one that any event reaches, takes the text at once.
class TextBoxView final : public QLineEdit {
    Q_OBJECT

public:
    TextBoxView(platform::TextBox& box, FramePacer* pacer, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void sync();
    void showText();
    void showHeldText();
    void takeText(const QString& text);
    void takeCaret(int position);
    bool holdForFrame();

    platform::TextBox& box_;
    QPointer<FramePacer> pacer_;  // the window's, which may go before its boxes
    bool held_ = false;
    bool changedSincePaint_ = false;
    bool syncing_ = false;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
