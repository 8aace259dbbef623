#include "settings/SettingsWindowControls.h"

#include <string>

namespace quendrix::settings {
namespace {

using Field = platform::TextBox SettingsWindowControls::*;

constexpr int kFieldWidth = 735;
constexpr int kFieldHeight = 285;
constexpr int kHeadingHeight = 240;

// Left column: captions at 120, fields at 2040.
constexpr int kLeftCaption = 120;
constexpr int kLeftField = 2040;
// Right block: captions at 3000, the Minimum column at 4560, the Maximum column at 5400.
constexpr int kRightCaption = 3000;
constexpr int kMinimumColumn = 4560;
constexpr int kMaximumColumn = 5400;
// A caption ends a little before its field.
constexpr int kLeftCaptionWidth = kLeftField - kLeftCaption - 105;
constexpr int kRightCaptionWidth = kMinimumColumn - kRightCaption - 105;

struct LeftRow {
    int top;
    const char* caption;
    Field field;
};

// In focus order. "Comm Port" comes last, so that it lies over the "Auxilliary With Filter"
// row, where the window opens with the focus.
constexpr LeftRow kLeftColumn[] = {
    {120, "Auxilliary With Filter", &SettingsWindowControls::AuxilliaryWithFilter},
    {480, "Max Move Position", &SettingsWindowControls::MaxPosition},
    {840, "Home Block With Filter", &SettingsWindowControls::HomeBlockWithFilter},
    {1200, "Home Block Without Filter", &SettingsWindowControls::HomeBlockWithOutFilter},
    {1560, "Master Mix With Filter", &SettingsWindowControls::MasterMixWithFilter},
    {1920, "Master Mix Without Filter", &SettingsWindowControls::MasterMixWithOutFilter},
    {2280, "Sample With Filter", &SettingsWindowControls::SampleWithFilter},
    {2640, "Sample Without Filter", &SettingsWindowControls::SampleWithOutFilter},
    {3000, "Wash With Filter", &SettingsWindowControls::WashWithFilter},
    {3360, "Wash Without Filter", &SettingsWindowControls::WashWithOutFilter},
    {3720, "Waste With Filter", &SettingsWindowControls::WasteWithFilter},
    {4080, "Waste Without Filter", &SettingsWindowControls::WasteWithOutFilter},
    {4560, "Micro Steps per stroke", &SettingsWindowControls::MaxSteps},
    {4920, "Micro Liters per stroke", &SettingsWindowControls::MaxVolume},
    {5400, "Max DAC Value", &SettingsWindowControls::MaxDACValue},
    {5880, "Max Pressure", &SettingsWindowControls::MaxPresureChange},
    {120, "Comm Port", &SettingsWindowControls::CommPortSetting},
};

struct RightRow {
    int top;
    const char* caption;
    Field minimum;
    Field maximum;  // none for the two valve rows
};

constexpr RightRow kRightBlock[] = {
    {360, "Sample Volume", &SettingsWindowControls::MinimumSampleVolume,
     &SettingsWindowControls::MaximumSampleVolume},
    {720, "Wash Volume", &SettingsWindowControls::MinimumWashVolume,
     &SettingsWindowControls::MaximumWashVolume},
    {1080, "Auxiliary Volume", &SettingsWindowControls::MinimumAuxiliaryVolume,
     &SettingsWindowControls::MaximumAuxiliaryVolume},
    {1440, "Mastermix Volume", &SettingsWindowControls::MinimumMastermixVolume,
     &SettingsWindowControls::MaximumMastermixVolume},
    {1800, "Waste Volume", &SettingsWindowControls::MinimumWasteVolume,
     &SettingsWindowControls::MaximumWasteVolume},
    {2160, "Syringe Volume", &SettingsWindowControls::MinimumSyringeVolume,
     &SettingsWindowControls::MaximumSyringeVolume},
    {2880, "Aspirate Volume", &SettingsWindowControls::MinimumAspirateVolume,
     &SettingsWindowControls::MaximumAspirateVolume},
    {3240, "Dispense Volume", &SettingsWindowControls::MinimumDispenseVolume,
     &SettingsWindowControls::MaximumDispenseVolume},
    {3600, "Aspirate flow rate", &SettingsWindowControls::MinimumAspirateFlowRate,
     &SettingsWindowControls::MaximumAspirateFlowRate},
    {3960, "Dispense flow rate", &SettingsWindowControls::MinimumDispenseFlowRate,
     &SettingsWindowControls::MaximumDispenseFlowRate},
    {4320, "Loop Times", &SettingsWindowControls::MinimumLoopTimes,
     &SettingsWindowControls::MaximumLoopTimes},
    {4680, "Sonication Amplitude", &SettingsWindowControls::MinimumSonicationAmplitude,
     &SettingsWindowControls::MaximumSonicationAmplitude},
    {5040, "Sonication  Time", &SettingsWindowControls::MinimumSonicationTime,
     &SettingsWindowControls::MaximumSonicationTime},
    {5400, "Wait Time", &SettingsWindowControls::MinimumWaitTime,
     &SettingsWindowControls::MaximumWaitTime},
    {5880, "Valve Overshoot", &SettingsWindowControls::ValveOverShoot, nullptr},
    {6240, "Valve Speed", &SettingsWindowControls::ValveSpeed, nullptr},
};

// The column headings stand above the first and the second group of ranges.
constexpr int kHeadingTops[] = {120, 2640};

}  // namespace

SettingsWindowControls::SettingsWindowControls() {
    frmValvePositions.setCaption("Application settings");
    frmValvePositions.move(0, 0, kClientWidth, kClientHeight);
    buildLeftColumn();
    buildRightBlock();
}

// Each caption goes in just before its field: captions take no focus, and a caption placed
// later lies over the ones before it, as the field does.
void SettingsWindowControls::buildLeftColumn() {
    for (const LeftRow& row : kLeftColumn) {
        platform::TextBox& field = this->*row.field;
        addLabel(row.caption, kLeftCaption, row.top, kLeftCaptionWidth, kFieldHeight)
            .setBuddy(field);
        addField(field, kLeftField, row.top);
    }
}

void SettingsWindowControls::buildRightBlock() {
    for (const int top : kHeadingTops) {
        addLabel("Minimum", kMinimumColumn, top, kFieldWidth, kHeadingHeight);
        addLabel("Maximum", kMaximumColumn, top, kFieldWidth, kHeadingHeight);
    }
    for (const RightRow& row : kRightBlock) {
        platform::TextBox& minimum = this->*row.minimum;
        addLabel(row.caption, kRightCaption, row.top, kRightCaptionWidth, kFieldHeight)
            .setBuddy(minimum);
        addField(minimum, kMinimumColumn, row.top);
        if (row.maximum != nullptr) {
            addField(this->*row.maximum, kMaximumColumn, row.top);
        }
    }
}

platform::Label& SettingsWindowControls::addLabel(const char* caption, int left, int top, int width,
                                                  int height) {
    const int number = static_cast<int>(labels.size()) + 1;
    platform::Label& label = labels.emplace_back("Label" + std::to_string(number), caption);
    label.move(left, top, width, height);
    label.setOpaque(true);  // "Comm Port" hides the caption beneath it
    frmValvePositions.add(label);
    return label;
}

void SettingsWindowControls::addField(platform::TextBox& field, int left, int top) {
    field.move(left, top, kFieldWidth, kFieldHeight);
    frmValvePositions.add(field);
}

std::vector<platform::TextBox*> SettingsWindowControls::fields() const {
    std::vector<platform::TextBox*> boxes;
    for (platform::Control* control : frmValvePositions.children()) {
        if (control->kind() == platform::ControlKind::TextBox) {
            boxes.push_back(static_cast<platform::TextBox*>(control));
        }
    }
    return boxes;
}

}  // namespace quendrix::settings
