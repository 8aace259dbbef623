#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>
#include <vector>

#include "platform/DialogCancelled.h"
#include "sim/SimFileDialog.h"

namespace quendrix::sim {
namespace {

using Mode = platform::FileDialog::Mode;
using Shown = SimFileDialog::Shown;

// A cancelled dialog ends the command the way any failed operation does.
static_assert(std::is_base_of_v<platform::Failure, platform::DialogCancelled>);

TEST(FileDialogTest, EachDialogOpensWithTheNameLastChosenInEither) {
    SimFileDialog dialog;
    dialog.answer("a.txt");
    dialog.answer("b.txt");
    dialog.setCancelError(true);
    dialog.setFlags(platform::FileDialog::kOverwritePrompt);
    dialog.setDialogTitle("Save Protocol");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName(), "a.txt");
    dialog.setFlags(0);
    dialog.setDialogTitle("Load Protocol");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), "b.txt");

    EXPECT_EQ(dialog.shown(),
              (std::vector<Shown>{{Mode::Save, "Save Protocol", 2, true, ""},
                                  {Mode::Open, "Load Protocol", 0, true, "a.txt"}}));
}

TEST(FileDialogTest, CancellingKeepsTheNameAndRaisesOnlyWithCancelError) {
    SimFileDialog dialog;
    dialog.setFileName("a.txt");
    dialog.cancel();
    dialog.cancel();
    dialog.ShowOpen();
    dialog.setCancelError(true);
    EXPECT_THROW(dialog.ShowSave(), platform::DialogCancelled);
    EXPECT_EQ(dialog.FileName(), "a.txt");
}

TEST(FileDialogTest, ADialogWithoutAScriptedAnswerFailsTheTest) {
    SimFileDialog dialog;
    dialog.setCancelError(true);
    EXPECT_THROW(dialog.ShowOpen(), std::logic_error);
    EXPECT_EQ(dialog.shown().size(), 1u);
}

}  // namespace
}  // namespace quendrix::sim
