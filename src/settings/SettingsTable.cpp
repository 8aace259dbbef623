#include "settings/SettingsTable.h"

#include <array>
#include <stdexcept>
#include <string_view>

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

constexpr bool sameText(const char* a, const char* b) {
    return std::string_view(a) == std::string_view(b);
}

// Evaluated while compiling: a key missing from the table, or one in another section, stops
// the build instead of being dereferenced.
constexpr const StoredSetting& volumeNamed(const char* key) {
    for (const StoredSetting& setting : kSettings) {
        if (sameText(setting.key, key)) {
            if (!sameText(setting.section, kVolumes)) {
                throw std::logic_error("a saved volume lies in another section");
            }
            return setting;
        }
    }
    throw std::logic_error("a saved volume is not in the table");
}

constexpr std::array<SettingSave, kSettings.size()> makeSaveOrder() {
    std::array<SettingSave, kSettings.size()> saves{};
    std::size_t next = 0;
    for (const StoredSetting& setting : kSettings) {
        if (sameText(setting.section, kValvePositions)) {
            saves.at(next++) = {kValvePositions, &setting};
        }
    }
    for (const char* key : kVolumesSaved) {
        saves.at(next++) = {kVolumes, &volumeNamed(key)};
    }
    for (const StoredSetting& setting : kSettings) {
        if (sameText(setting.section, kFlowRates)) {
            saves.at(next++) = {sameText(setting.key, "MaxDACValue") ? "FLowRates" : kFlowRates,
                                &setting};
        }
    }
    return saves;
}

constexpr auto kSaveOrder = makeSaveOrder();

// Every key of the table is written, and written once.
constexpr bool savesEachKeyOnce() {
    for (const StoredSetting& setting : kSettings) {
        std::size_t saves = 0;
        for (const SettingSave& save : kSaveOrder) {
            saves += save.setting == &setting ? 1 : 0;
        }
        if (saves != 1) {
            return false;
        }
    }
    return true;
}
static_assert(savesEachKeyOnce());

}  // namespace

std::span<const StoredSetting> readOrder() {
    return kSettings;
}

std::span<const SettingSave> saveOrder() {
    return kSaveOrder;
}

}  // namespace quendrix::settings
