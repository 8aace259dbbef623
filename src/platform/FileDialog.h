#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quendrix::platform {

// The main window's file dialog, shared by Load and Save. FileName keeps the name last
// chosen, so each dialog opens with it. No filter, folder or default extension is set: the
// name is used exactly as chosen.
class FileDialog {
public:
    enum class Mode { Open, Save };
    // A Flags value: the save dialog asks before overwriting an existing file.
    static constexpr int kOverwritePrompt = 2;

    virtual ~FileDialog() = default;

    bool CancelError() const { return cancelError_; }
    void setCancelError(bool raise) { cancelError_ = raise; }

    int Flags() const { return flags_; }
    void setFlags(int flags) { flags_ = flags; }

    const std::string& DialogTitle() const { return title_; }
    void setDialogTitle(std::string_view title) { title_ = title; }

    const std::string& FileName() const { return fileName_; }
    void setFileName(std::string_view name) { fileName_ = name; }

    // Modal. The name chosen becomes FileName. When the user cancels, FileName stays and,
    // with CancelError set, DialogCancelled is thrown.
    void ShowOpen() { show(Mode::Open); }
    void ShowSave() { show(Mode::Save); }

    // The next dialog takes this name as the user's choice, without being shown: a remote
    // client's path stands in for the operator's answer.
    void answerNextWith(std::string fileName) { preset_ = std::move(fileName); }
    void forgetPresetAnswer() { preset_.reset(); }

protected:
    // Shows the dialog, starting from FileName(); nothing when the user cancelled.
    virtual std::optional<std::string> choose(Mode mode) = 0;

private:
    void show(Mode mode);

    bool cancelError_ = false;
    int flags_ = 0;
    std::string title_;
    std::string fileName_;
    std::optional<std::string> preset_;
};

}  // namespace quendrix::platform
