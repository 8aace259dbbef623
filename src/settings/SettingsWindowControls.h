#pragma once

#include <deque>

#include "platform/Label.h"
#include "platform/TextBox.h"
#include "platform/Window.h"

namespace quendrix::settings {

// The settings window's inventory: one text box per setting and the maximum move position,
// each with its caption beside it. The window shows only the "Comm Port" row, which lies
// over the "Auxilliary With Filter" row; every other field lies below the window's area,
// where the keyboard focus still reaches it. The window's children stand in focus order.
struct SettingsWindowControls {
    SettingsWindowControls();
    SettingsWindowControls(const SettingsWindowControls&) = delete;
    SettingsWindowControls& operator=(const SettingsWindowControls&) = delete;

    static constexpr int kClientWidth = 2820;
    static constexpr int kClientHeight = 435;

    platform::Window frmValvePositions{"frmValvePositions"};

    // Left column.
    platform::TextBox CommPortSetting{"CommPortSetting"};
    platform::TextBox AuxilliaryWithFilter{"AuxilliaryWithFilter"};
    platform::TextBox MaxPosition{"MaxPosition"};
    platform::TextBox HomeBlockWithFilter{"HomeBlockWithFilter"};
    platform::TextBox HomeBlockWithOutFilter{"HomeBlockWithOutFilter"};
    platform::TextBox MasterMixWithFilter{"MasterMixWithFilter"};
    platform::TextBox MasterMixWithOutFilter{"MasterMixWithOutFilter"};
    platform::TextBox SampleWithFilter{"SampleWithFilter"};
    platform::TextBox SampleWithOutFilter{"SampleWithOutFilter"};
    platform::TextBox WashWithFilter{"WashWithFilter"};
    platform::TextBox WashWithOutFilter{"WashWithOutFilter"};
    platform::TextBox WasteWithFilter{"WasteWithFilter"};
    platform::TextBox WasteWithOutFilter{"WasteWithOutFilter"};
    platform::TextBox MaxSteps{"MaxSteps"};
    platform::TextBox MaxVolume{"MaxVolume"};
    platform::TextBox MaxDACValue{"MaxDACValue"};
    platform::TextBox MaxPresureChange{"MaxPresureChange"};

    // Right block: the ranges.
    platform::TextBox MinimumSampleVolume{"MinimumSampleVolume"};
    platform::TextBox MaximumSampleVolume{"MaximumSampleVolume"};
    platform::TextBox MinimumWashVolume{"MinimumWashVolume"};
    platform::TextBox MaximumWashVolume{"MaximumWashVolume"};
    platform::TextBox MinimumAuxiliaryVolume{"MinimumAuxiliaryVolume"};
    platform::TextBox MaximumAuxiliaryVolume{"MaximumAuxiliaryVolume"};
    platform::TextBox MinimumMastermixVolume{"MinimumMastermixVolume"};
    platform::TextBox MaximumMastermixVolume{"MaximumMastermixVolume"};
    platform::TextBox MinimumWasteVolume{"MinimumWasteVolume"};
    platform::TextBox MaximumWasteVolume{"MaximumWasteVolume"};
    platform::TextBox MinimumSyringeVolume{"MinimumSyringeVolume"};
    platform::TextBox MaximumSyringeVolume{"MaximumSyringeVolume"};
    platform::TextBox MinimumAspirateVolume{"MinimumAspirateVolume"};
    platform::TextBox MaximumAspirateVolume{"MaximumAspirateVolume"};
    platform::TextBox MinimumDispenseVolume{"MinimumDispenseVolume"};
    platform::TextBox MaximumDispenseVolume{"MaximumDispenseVolume"};
    platform::TextBox MinimumAspirateFlowRate{"MinimumAspirateFlowRate"};
    platform::TextBox MaximumAspirateFlowRate{"MaximumAspirateFlowRate"};
    platform::TextBox MinimumDispenseFlowRate{"MinimumDispenseFlowRate"};
    platform::TextBox MaximumDispenseFlowRate{"MaximumDispenseFlowRate"};
    platform::TextBox MinimumLoopTimes{"MinimumLoopTimes"};
    platform::TextBox MaximumLoopTimes{"MaximumLoopTimes"};
    platform::TextBox MinimumSonicationAmplitude{"MinimumSonicationAmplitude"};
    platform::TextBox MaximumSonicationAmplitude{"MaximumSonicationAmplitude"};
    platform::TextBox MinimumSonicationTime{"MinimumSonicationTime"};
    platform::TextBox MaximumSonicationTime{"MaximumSonicationTime"};
    platform::TextBox MinimumWaitTime{"MinimumWaitTime"};
    platform::TextBox MaximumWaitTime{"MaximumWaitTime"};
    platform::TextBox ValveOverShoot{"ValveOverShoot"};
    platform::TextBox ValveSpeed{"ValveSpeed"};

    // The captions, in the order they were placed; plain texts without actions.
    std::deque<platform::Label> labels;

    // Every text box, in focus order.
    std::vector<platform::TextBox*> fields() const;

private:
    void buildLeftColumn();
    void buildRightBlock();
    platform::Label& addLabel(const char* caption, int left, int top, int width, int height);
    void addField(platform::TextBox& field, int left, int top);
};

}  // namespace quendrix::settings
