#include "form/Inventory.h"

#include <array>
#include <string>

namespace quendrix::form {
namespace {

using platform::Control;

constexpr int kBoxHeight = 285;
constexpr int kIndicator = 135;
// Where the controls that the operator never sees begin: right of the window's area.
constexpr int kOutsideLeft = Inventory::kClientWidth + 240;

void place(platform::Container& parent, Control& control, int left, int top, int width,
           int height) {
    control.move(left, top, width, height);
    parent.add(control);
}

void placeHidden(platform::Container& parent, Control& control, int left, int top, int width,
                 int height) {
    place(parent, control, left, top, width, height);
    control.setVisible(false);
}

void caption(platform::Label& label, Control& buddy) {
    label.setBuddy(buddy);
}

// The "Communications" panel and its hidden mirror share one layout.
struct CommunicationsLayout {
    Control& command;
    Control& send;
    Control& query;
    Control& unitLamp;
    Control& flashLamp;
    platform::Label& errorLabel;
    Control& errorBox;
    platform::Label& rawLabel;
    Control& rawBox;
    platform::Label& responseLabel;
    Control& responseBox;
};

void layOut(platform::Frame& frame, const CommunicationsLayout& panel) {
    place(frame, panel.command, 120, 240, 1560, kBoxHeight);
    place(frame, panel.send, 1770, 225, 900, 315);
    place(frame, panel.query, 2760, 225, 1200, 315);
    place(frame, panel.unitLamp, 4080, 315, kIndicator, kIndicator);
    place(frame, panel.flashLamp, 4320, 315, kIndicator, kIndicator);
    place(frame, panel.errorLabel, 4590, 270, 900, 240);
    place(frame, panel.errorBox, 5520, 240, 480, kBoxHeight);
    place(frame, panel.rawLabel, 120, 645, 840, 240);
    place(frame, panel.rawBox, 960, 615, 2520, kBoxHeight);
    place(frame, panel.responseLabel, 3600, 645, 840, 240);
    place(frame, panel.responseBox, 4440, 615, 2310, kBoxHeight);
    caption(panel.responseLabel, panel.responseBox);
    caption(panel.rawLabel, panel.rawBox);
    caption(panel.errorLabel, panel.errorBox);
}

}  // namespace

Inventory::Inventory(platform::Platform& platform)
    : events(platform.eventPump(), MainForm),
      diagnostics(platform.diagnostics()),
      MSFlexGrid1("MSFlexGrid1", platform.gridMetrics()),
      MSComm1(platform.serialLine()),
      fileSlot(platform.fileSystem()),
      tmrResponseTimeout("tmrResponseTimeout", platform.timerScheduler(), 500),
      tmrCommunicationTimeout("tmrCommunicationTimeout", platform.timerScheduler(), 30000),
      tmrDeviceTimeout("tmrDeviceTimeout", platform.timerScheduler(), 60000),
      Timer1("Timer1", platform.timerScheduler(), 250),
      tmrTestingTimer("tmrTestingTimer", platform.timerScheduler(), 100),
      TimerStatusQuery("TimerStatusQuery", platform.timerScheduler(), 50),
      RunTimer("RunTimer", platform.timerScheduler(), 1000),
      tmrWaitTimer("tmrWaitTimer", platform.timerScheduler(), 0) {
    MainForm.setCaption("Tarvo Engineering");
    MainForm.move(0, 0, kClientWidth, kClientHeight);
    buildWindow();
    buildCommunications();
    buildOutside();
    buildHiddenFrames();
    disarmOnTick();
}

// Every timer but the status-query timer is a one-shot whose tick disarms it. These handlers
// subscribe first, so they run before any a subsystem adds.
void Inventory::disarmOnTick() {
    for (platform::Timer* timer : timers()) {
        if (timer != &TimerStatusQuery) {
            handlers_.push_back(timer->onTick.subscribe([timer] { timer->setEnabled(false); }));
        }
    }
}

std::vector<platform::Timer*> Inventory::timers() {
    return {&TimerStatusQuery, &tmrCommunicationTimeout, &tmrTestingTimer,   &Timer1, &RunTimer,
            &tmrWaitTimer,     &tmrDeviceTimeout,        &tmrResponseTimeout};
}

void Inventory::buildWindow() {
    place(MainForm, Picture1, 0, 0, kClientWidth, 870);
    constexpr int kTop = 960;
    constexpr int kHeight = 375;
    constexpr int kWidth = 1065;
    constexpr int kStep = 1161;
    place(MainForm, NewProtocol, 195, kTop, kWidth, kHeight);
    place(MainForm, LoadProtocol, 195 + kStep, kTop, kWidth, kHeight);
    place(MainForm, SaveProtocol, 195 + 2 * kStep, kTop, kWidth, kHeight);
    RunProtocol.try_emplace(0, "RunProtocol", "&Run ", 0);
    RunProtocol.try_emplace(2, "RunProtocol", "&Single Step &Protocol", 2);
    RunProtocol.try_emplace(3, "RunProtocol", "T&est Single Step", 3);
    place(MainForm, RunProtocol.at(0), 195 + 3 * kStep, kTop, kWidth, kHeight);
    placeHidden(MainForm, RunProtocol.at(2), 195 + 3 * kStep, kTop, kWidth, kHeight);
    placeHidden(MainForm, RunProtocol.at(3), 195 + 3 * kStep, kTop, kWidth, kHeight);
    place(MainForm, EndTheProtocol, 195 + 4 * kStep, kTop, kWidth, kHeight);
    place(MainForm, Settings, 195 + 5 * kStep, kTop, kWidth, kHeight);
    placeHidden(MainForm, LoadCartridge, 195 + 5 * kStep, kTop, kWidth, kHeight);
    // The grid's height is set when the grid is set up.
    place(MainForm, MSFlexGrid1, 195, 1410, 6870, 5370);
    MSFlexGrid1.setFixedRows(1);
    MSFlexGrid1.setFixedCols(1);
    MSFlexGrid1.toolTipText = "Click in the command column to begin entering a protocol";
    placeHidden(MainForm, GridEditText, 0, 0, 1000, kBoxHeight);
}

void Inventory::buildCommunications() {
    place(MainForm, Frame3, 195, 6885, 6870, 1005);
    layOut(Frame3, {strPumpString, SendToPump, CommandStatusQuery, ShapeUnitStatus, Shape1, Label3,
                    chrErrorCode, Label2, Text3, Label1, strResponse});
    placeHidden(Frame3, RetryCounter, 6120, 240, 300, kBoxHeight);
    placeHidden(Frame3, RetryCounter2, 6450, 240, 300, kBoxHeight);
    placeHidden(Frame3, Speed, 6120, 240, 600, kBoxHeight);
}

void Inventory::buildOutside() {
    int top = 120;
    auto next = [&top] { return (top += 360) - 360; };
    place(MainForm, Command1, kOutsideLeft, next(), 135, 195);
    place(MainForm, Command2, kOutsideLeft, next(), 135, 195);
    place(MainForm, Command5, kOutsideLeft, next(), 1095, 375);
    place(MainForm, LoopCounter, kOutsideLeft, next(), 1095, kBoxHeight);
    Label39.try_emplace(0, "Label39", "Error #2", 0);
    Label39.try_emplace(1, "Label39", "Error #3", 1);
    const int labelLeft = kOutsideLeft + 1200;
    int row = next();
    place(MainForm, Label39.at(0), labelLeft, row, 900, 240);
    place(MainForm, Error2, kOutsideLeft, row, 1095, kBoxHeight);
    row = next();
    place(MainForm, Label39.at(1), labelLeft, row, 900, 240);
    place(MainForm, Error3, kOutsideLeft, row, 1095, kBoxHeight);
    row = next();
    place(MainForm, Label40, labelLeft, row, 900, 240);
    place(MainForm, Error9, kOutsideLeft, row, 1095, kBoxHeight);
    row = next();
    place(MainForm, Label38, labelLeft, row, 1200, 240);
    place(MainForm, intTestCounter, kOutsideLeft, row, 1095, kBoxHeight);
    place(MainForm, PositionRequestCounter, kOutsideLeft, next(), 1095, kBoxHeight);
    place(MainForm, txtVersion, kOutsideLeft, next(), 2400, 240);
    placeHidden(MainForm, Position, kOutsideLeft, next(), 1095, kBoxHeight);
    placeHidden(MainForm, strPresureFeedback, kOutsideLeft, next(), 1095, kBoxHeight);
    caption(Label39.at(0), Error2);
    caption(Label39.at(1), Error3);
    caption(Label40, Error9);
    caption(Label38, intTestCounter);
}

void Inventory::buildHiddenFrames() {
    buildMirrorFrame();
    buildSonicateFrame();
    buildLetterFrames();
    buildInfoFrames();
}

void Inventory::buildMirrorFrame() {
    placeHidden(MainForm, Frame6, 195, 6885, 6870, 1005);
    layOut(Frame6, {QueryString, Command4, Command3, Shape2, Shape3, Label6, QueryErrorCode, Label5,
                    QueryRawData, Label4, QueryResponse});
}

void Inventory::buildSonicateFrame() {
    placeHidden(MainForm, WaitFrame, 2400, 3000, 2400, 1200);
    place(WaitFrame, txtWaitCount, 240, 300, 1920, 720);
    txtWaitCount.setFont(24, true);

    placeHidden(MainForm, SonicateFrame, 2400, 3000, 3000, 1500);
    place(SonicateFrame, Label7, 120, 300, 1200, 240);
    place(SonicateFrame, txtSonicateSetPower, 1400, 270, 735, kBoxHeight);
    place(SonicateFrame, Label10, 2200, 300, 300, 240);
    place(SonicateFrame, Label8, 120, 700, 1200, 240);
    place(SonicateFrame, txtSonicateActualPower, 1400, 670, 735, kBoxHeight);
    place(SonicateFrame, Label9, 2200, 700, 700, 240);
    place(SonicateFrame, txtSonicateCount, 1400, 1070, 735, kBoxHeight);
    caption(Label7, txtSonicateSetPower);
    caption(Label8, txtSonicateActualPower);
}

void Inventory::buildLetterFrames() {
    static constexpr std::array<const char*, 13> kLetters = {
        "Z", "Y", "w", "v", "W", "V", "&M", "&A", "&B", "&c", "&d", "&K", "&L"};
    placeHidden(MainForm, CommandFrame, 195, 1410, 6870, 600);
    for (int i = 0; i < static_cast<int>(kLetters.size()); ++i) {
        auto& letter = CommandLetters.try_emplace(i, "CommandLetter", kLetters[i], i).first->second;
        place(CommandFrame, letter, 120 + i * 500, 240, 400, 240);
    }
    static constexpr std::array<const char*, 6> kValves = {"&Auxilliary", "&Master", "&Home",
                                                           "&Sample",     "&Wash",   "Was&Te"};
    placeHidden(MainForm, ValvePositionFrame, 195, 2100, 6870, 600);
    for (int i = 0; i < static_cast<int>(kValves.size()); ++i) {
        auto& valve = ValveLabels.try_emplace(i, "ValveLabel", kValves[i], i).first->second;
        place(ValvePositionFrame, valve, 120 + i * 1100, 240, 1000, 240);
    }
}

void Inventory::buildInfoFrames() {
    static constexpr std::array<std::pair<const char*, const char*>, 6> kChambers = {{
        {"txtWasteChamber", "Waste Chamber Volume"},
        {"txtMasterChamber", "Mastermix / Output Chamber Volume"},
        {"txtAuxChamber", "Auxiliary Chamber Volume"},
        {"txtWashChamber", "Wash Chamber Volume"},
        {"txtSampleChamber", "Sample Chamber Volume"},
        {"strSyringeVolume", "Syringe Volume"},
    }};
    placeHidden(MainForm, Frame1, 195, 1410, 6000, 2400);
    for (int i = 0; i < static_cast<int>(kChambers.size()); ++i) {
        auto& box = ChamberVolumes.try_emplace(i, kChambers[i].first, "0").first->second;
        auto& label =
            ChamberLabels.try_emplace(i, "ChamberLabel", kChambers[i].second, i).first->second;
        place(Frame1, label, 120, 300 + i * 360, 3000, 240);
        place(Frame1, box, 3240, 270 + i * 360, 735, kBoxHeight);
        caption(label, box);
    }
    placeHidden(MainForm, Frame4, 195, 4000, 3000, 700);
    place(Frame4, CartridgeStatus, 120, 300, 2760, 300);
    CartridgeStatus.setFont(12, true);
    placeHidden(MainForm, Frame2, 3300, 4000, 3000, 700);
    place(Frame2, txtComments, 120, 300, 2760, kBoxHeight);
    placeHidden(MainForm, Frame5, 195, 4800, 3000, 700);
    place(Frame5, Label11, 120, 300, 900, 240);
    place(Frame5, txtSampleID, 1100, 270, 1800, kBoxHeight);
    caption(Label11, txtSampleID);
}

}  // namespace quendrix::form
