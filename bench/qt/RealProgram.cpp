#include "RealProgram.h"

#include <QDir>
#include <QWindow>

#include "editor/ProtocolFiles.h"
#include "sim/virtualtime/SimFileDialog.h"
#include "sim/virtualtime/SimMessageBox.h"
#include "support/PumpUntil.h"

namespace quendrix::qt::bench {

RealProgram::RealProgram(const QStringList& options)
    : previousFolder_(QDir::currentPath()), device_(simulator_.start(options)) {
    configHome_.mapPort(1, device_);
    QDir::setCurrent(workFolder_.path());
    form_ = std::make_unique<app::MainForm>(platform_);
}

RealProgram::~RealProgram() {
    view_.reset();
    form_.reset();
    QDir::setCurrent(previousFolder_);
}

bool RealProgram::show() {
    view_ = std::make_unique<WindowView>(form_->controls().MainForm, platform_.gridFont());
    form_->controls().MainForm.show();
    return testsupport::pumpUntil(
        [this] { return view_->windowHandle() != nullptr && view_->windowHandle()->isExposed(); });
}

// A file dialog of the desktop would wait for a person; the Load itself is the program's.
bool RealProgram::load(const std::string& path) {
    sim::SimFileDialog dialog;
    sim::SimMessageBox messages;
    editor::ProtocolFiles files(form_->controls(), dialog, messages);
    dialog.answer(path);
    files.LoadProtocol_Click();
    return messages.shown().empty();
}

}  // namespace quendrix::qt::bench
