#pragma once

#include <QLineEdit>

#include "platform/TextBox.h"

namespace quendrix::qt {

// A text box. The control holds the text; the operator's typing goes back into it, and
// every key reaches the program's KeyDown and KeyPress handlers before the edit applies.
class TextBoxView final : public QLineEdit {
    Q_OBJECT

public:
    TextBoxView(platform::TextBox& box, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void sync();
    void showText();
    void takeText(const QString& text);
    void takeCaret(int position);

    platform::TextBox& box_;
    bool syncing_ = false;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
