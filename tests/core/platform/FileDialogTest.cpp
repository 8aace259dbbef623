#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>
#include <vector>

#include "platform/DialogCancelled.h"
#include "sim/SimFileDialog.h"

namespace quendrix::sim {
namespace {

using Mode = platform::FileDialog::Mode;

// A cancelled dialog ends the command the way any failed operation does.
static_assert(std::is_base_of_v<platform::Failure, platform::DialogCancelled>);

TEST(FileDialogTest, EachDialogOpensWithTheNameLastChosenAndCancellingKeepsIt) {
    SimFileDialog dialog;
    dialog.answer("a.txt");
    dialog.cancel();
    dialog.cancel();
    dialog.setFlags(platform::FileDialog::kOverwritePrompt);
    dialog.setDialogTitle("Save Protocol");
    dialog.ShowSave();
    dialog.setDialogTitle("Load Protocol");
    dialog.ShowOpen();
    dialog.setCancelError(true);
    EXPECT_THROW(dialog.ShowOpen(), platform::DialogCancelled);
    EXPECT_THROW(dialog.ShowOpen(), std::logic_error);  // nothing scripted

    EXPECT_EQ(dialog.FileName(), "a.txt");
    EXPECT_EQ(dialog.shown(),
              (std::vector<SimFileDialog::Shown>{{Mode::Save, "Save Protocol", 2, false, ""},
                                                 {Mode::Open, "Load Protocol", 2, false, "a.txt"},
                                                 {Mode::Open, "Load Protocol", 2, true, "a.txt"},
                                                 {Mode::Open, "Load Protocol", 2, true, "a.txt"}}));
}

}  // namespace
}  // namespace quendrix::sim
