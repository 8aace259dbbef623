#include "settings/SettingsTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace quendrix::settings {
namespace {

using C = SettingsWindowControls;

constexpr const char* kValvePositions = "ValvePositions";
constexpr const char* kVolumes = "Volumes";
constexpr const char* kFlowRates = "FlowRates";

constexpr std::array<StoredSetting, 47> kSettings = {{
    {kValvePositions, "ValveSpeed", 2000, &C::ValveSpeed},
    {kValvePositions, "ValveOverShoot", 1000, &C::ValveOverShoot},
    {kValvePositions, "AuxilliaryWithFilter", 44571, &C::AuxilliaryWithFilter},
    {kValvePositions, "AuxilliaryWithOutFilter", 20571, nullptr},
    {kValvePositions, "HomeBlockWithFilter", 0, &C::HomeBlockWithFilter},
    {kValvePositions, "HomeBlockWithOutFilter", 0, &C::HomeBlockWithOutFilter},
    {kValvePositions, "MasterMixWithFilter", 10286, &C::MasterMixWithFilter},
    {kValvePositions, "MasterMixWithOutFilter", 34286, &C::MasterMixWithOutFilter},
    {kValvePositions, "SampleWithFilter", 30857, &C::SampleWithFilter},
    {kValvePositions, "SampleWithOutFilter", 6857, &C::SampleWithOutFilter},
    {kValvePositions, "WashWithFilter", 37714, &C::WashWithFilter},
    {kValvePositions, "WashWithOutFilter", 13714, &C::WashWithOutFilter},
    {kValvePositions, "WasteWithFilter", 17143, &C::WasteWithFilter},
    {kValvePositions, "WasteWithOutFilter", 41143, &C::WasteWithOutFilter},
    {kValvePositions, "MaximumSteps", 24000, &C::MaxSteps},
    {kValvePositions, "MaximumVolume", 1050, &C::MaxVolume},
    {kValvePositions, "MaxPresureChange", 100, &C::MaxPresureChange},
    {kValvePositions, "CommPortSetting", 1, &C::CommPortSetting},
    {kVolumes, "MaximumAuxiliaryVolume", 1200, &C::MaximumAuxiliaryVolume},
    {kVolumes, "MinimumAuxiliaryVolume", 120, &C::MinimumAuxiliaryVolume},
    {kVolumes, "MaximumWashVolume", 7500, &C::MaximumWashVolume},
    {kVolumes, "MinimumWashVolume", 750, &C::MinimumWashVolume},
    {kVolumes, "MaximumSampleVolume", 6000, &C::MaximumSampleVolume},
    {kVolumes, "MinimumSampleVolume", 600, &C::MinimumSampleVolume},
    {kVolumes, "MaximumMastermixVolume", 250, &C::MaximumMastermixVolume},
    {kVolumes, "MinimumMastermixVolume", 25, &C::MinimumMastermixVolume},
    {kVolumes, "MaximumWasteVolume", 11000, &C::MaximumWasteVolume},
    {kVolumes, "MinimumWasteVolume", 1100, &C::MinimumWasteVolume},
    {kVolumes, "MaximumSyringeVolume", 11000, &C::MaximumSyringeVolume},
    {kVolumes, "MinimumSyringeVolume", 1100, &C::MinimumSyringeVolume},
    {kVolumes, "MinimumAspirateVolume", 10, &C::MinimumAspirateVolume},
    {kVolumes, "MaximumAspirateVolume", 600, &C::MaximumAspirateVolume},
    {kVolumes, "MinimumDispenseVolume", 10, &C::MinimumDispenseVolume},
    {kVolumes, "MaximumDispenseVolume", 600, &C::MaximumDispenseVolume},
    {kFlowRates, "MinimumAspirateFlowRate", 10, &C::MinimumAspirateFlowRate},
    {kFlowRates, "MaximumAspirateFlowRate", 150, &C::MaximumAspirateFlowRate},
    {kFlowRates, "MinimumDispenseFlowRate", 10, &C::MinimumDispenseFlowRate},
    {kFlowRates, "MaximumDispenseFlowRate", 150, &C::MaximumDispenseFlowRate},
    {kFlowRates, "MinimumLoopTimes", 1, &C::MinimumLoopTimes},
    {kFlowRates, "MaximumLoopTimes", 50, &C::MaximumLoopTimes},
    {kFlowRates, "MinimumSonicationAmplitude", 10, &C::MinimumSonicationAmplitude},
    {kFlowRates, "MaximumSonicationAmplitude", 150, &C::MaximumSonicationAmplitude},
    {kFlowRates, "MinimumSonicationTime", 1, &C::MinimumSonicationTime},
    {kFlowRates, "MaximumSonicationTime", 150, &C::MaximumSonicationTime},
    {kFlowRates, "MinimumWaitTime", 1, &C::MinimumWaitTime},
    {kFlowRates, "MaximumWaitTime", 150, &C::MaximumWaitTime},
    {kFlowRates, "MaxDACValue", 5851, &C::MaxDACValue},
}};

constexpr std::array<const char*, 16> kVolumesSaved = {
    "MaximumSyringeVolume",   "MinimumSyringeVolume",  "MaximumAuxiliaryVolume",
    "MinimumAuxiliaryVolume", "MaximumSampleVolume",   "MinimumSampleVolume",
    "MaximumWashVolume",      "MinimumWashVolume",     "MaximumMastermixVolume",
    "MinimumMastermixVolume", "MaximumWasteVolume",    "MinimumWasteVolume",
    "MinimumAspirateVolume",  "MaximumAspirateVolume", "MinimumDispenseVolume",
    "MaximumDispenseVolume"};

bool named(const StoredSetting& setting, const char* key) {
    return std::strcmp(setting.key, key) == 0;
}

std::vector<SettingSave> makeSaveOrder() {
    std::vector<SettingSave> saves;
    for (const StoredSetting& setting : kSettings) {
        if (setting.section == kValvePositions) {
            saves.push_back({kValvePositions, &setting});
        }
    }
    for (const char* key : kVolumesSaved) {
        const auto found = std::ranges::find_if(
            kSettings, [key](const StoredSetting& setting) { return named(setting, key); });
        saves.push_back({kVolumes, &*found});
    }
    for (const StoredSetting& setting : kSettings) {
        if (setting.section == kFlowRates) {
            saves.push_back({named(setting, "MaxDACValue") ? "FLowRates" : kFlowRates, &setting});
        }
    }
    return saves;
}

}  // namespace

std::span<const StoredSetting> readOrder() {
    return kSettings;
}

std::span<const SettingSave> saveOrder() {
    static const std::vector<SettingSave> saves = makeSaveOrder();
    return saves;
}

}  // namespace quendrix::settings
