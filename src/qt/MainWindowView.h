#pragma once

#include "form/MainFormControls.h"
#include "qt/WindowView.h"

namespace quendrix::qt {

// The main window on screen. Its closing is the program's end: the program quits on its
// closed() signal.
class MainWindowView final : public WindowView {
    Q_OBJECT

public:
    MainWindowView(form::MainFormControls& controls, const QFont& gridFont)
        : WindowView(controls.MainForm, gridFont) {}
};

}  // namespace quendrix::qt
