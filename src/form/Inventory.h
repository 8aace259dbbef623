#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "form/EventWait.h"
#include "form/SharedFlags.h"
#include "platform/Button.h"
#include "platform/FileSlot.h"
#include "platform/Frame.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/SerialPort.h"
#include "platform/Shape.h"
#include "platform/TextBox.h"
#include "platform/Timer.h"
#include "platform/Window.h"

namespace quendrix::form {

// The main window's inventory: every control with its name, caption, initial text, place and
// visibility, the timers, the serial-port component, the file slot and the shared flags, with
// the wait that every subsystem pumps through and the diagnostics that keep the reasons of
// skipped failures.
// Many text boxes are storage (counters, the last command, the raw reply) that other parts
// read back. Controls said to lie outside are visible but beyond the window's area: the
// operator never sees them, yet the keyboard focus reaches them.
struct Inventory {
    explicit Inventory(platform::Platform& platform);
    Inventory(const Inventory&) = delete;
    Inventory& operator=(const Inventory&) = delete;

    static constexpr int kClientWidth = 7215;
    static constexpr int kClientHeight = 7935;

    platform::Window MainForm{"MainForm"};
    SharedFlags flags;
    EventWait events;
    platform::Diagnostics& diagnostics;

    // Window-level controls.
    platform::PictureBox Picture1{"Picture1", "logo"};
    platform::Button NewProtocol{"NewProtocol", "&New"};
    platform::Button LoadProtocol{"LoadProtocol", "&Load "};
    platform::Button SaveProtocol{"SaveProtocol", "&Save "};
    std::map<int, platform::Button> RunProtocol;  // indices 0, 2 and 3
    platform::Button EndTheProtocol{"EndTheProtocol", "&End "};
    platform::Button Settings{"Settings", "Settings"};
    platform::Button LoadCartridge{"LoadCartridge", "Load &Cartridge"};
    platform::Button Command1{"Command1", ""};
    platform::Button Command2{"Command2", ""};
    platform::Button Command5{"Command5", "Command5"};
    platform::Grid MSFlexGrid1;
    platform::TextBox GridEditText{"GridEditText"};
    platform::SerialPort MSComm1;
    platform::FileSlot fileSlot;
    platform::TextBox LoopCounter{"LoopCounter", "2500"};
    platform::TextBox Error2{"Error2", "0"};
    platform::TextBox Error3{"Error3", "0"};
    platform::TextBox Error9{"Error9", "0"};
    std::map<int, platform::Label> Label39;  // captions of Error2 and Error3
    platform::Label Label40{"Label40", "Error #9"};
    platform::TextBox intTestCounter{"intTestCounter"};
    platform::Label Label38{"Label38", "Test Counter"};
    platform::TextBox Position{"Position", "Position"};
    platform::TextBox PositionRequestCounter{"PositionRequestCounter", "Text1"};
    platform::TextBox strPresureFeedback{"strPresureFeedback"};
    platform::Label txtVersion{"txtVersion", ""};

    // The "Communications" panel.
    platform::Frame Frame3{"Frame3", "Communications"};
    platform::TextBox strPumpString{"strPumpString", "/1ZR"};
    platform::Button SendToPump{"SendToPump", "Send"};
    platform::Button CommandStatusQuery{"CommandStatusQuery", "Query Status"};
    platform::Label Label2{"Label2", "Raw Data"};
    platform::TextBox Text3{"Text3"};
    platform::Label Label1{"Label1", "Response"};
    platform::TextBox strResponse{"strResponse"};
    platform::Label Label3{"Label3", "Error Code"};
    platform::TextBox chrErrorCode{"chrErrorCode"};
    platform::Shape ShapeUnitStatus{"ShapeUnitStatus"};
    platform::Shape Shape1{"Shape1"};
    platform::TextBox RetryCounter{"RetryCounter", "0"};
    platform::TextBox RetryCounter2{"RetryCounter2", "0"};
    platform::TextBox Speed{"Speed", "Speed"};

    // The hidden mirror of the panel that the status query and the decoder write.
    platform::Frame Frame6{"Frame6", "Communications"};
    platform::TextBox QueryString{"QueryString", "/1ZR"};
    platform::TextBox QueryResponse{"QueryResponse"};
    platform::TextBox QueryErrorCode{"QueryErrorCode"};
    platform::TextBox QueryRawData{"QueryRawData"};
    platform::Button Command4{"Command4", "Send"};
    platform::Button Command3{"Command3", "Query Status"};
    platform::Shape Shape2{"Shape2"};
    platform::Shape Shape3{"Shape3"};
    platform::Label Label4{"Label4", "Response"};
    platform::Label Label5{"Label5", "Raw Data"};
    platform::Label Label6{"Label6", "Error Code"};

    // Further frames, hidden at start.
    platform::Frame WaitFrame{"WaitFrame", "Wait Counter"};
    platform::TextBox txtWaitCount{"txtWaitCount", "60"};
    platform::Frame SonicateFrame{"SonicateFrame", "Sonication "};
    platform::TextBox txtSonicateSetPower{"txtSonicateSetPower", "0"};
    platform::TextBox txtSonicateActualPower{"txtSonicateActualPower", "0"};
    platform::TextBox txtSonicateCount{"txtSonicateCount", "60"};
    platform::Label Label7{"Label7", "Set Power"};
    platform::Label Label8{"Label8", "Actual Power"};
    platform::Label Label9{"Label9", "Watts"};
    platform::Label Label10{"Label10", "%"};
    platform::Frame CommandFrame{"CommandFrame", "Commands"};
    std::map<int, platform::Label> CommandLetters;
    platform::Frame ValvePositionFrame{"ValvePositionFrame", "Valve Positions"};
    std::map<int, platform::Label> ValveLabels;
    platform::Frame Frame1{"Frame1", "Chamber Volumes"};
    std::map<int, platform::TextBox> ChamberVolumes;
    std::map<int, platform::Label> ChamberLabels;
    platform::Frame Frame4{"Frame4", "Cartridge Status"};
    platform::Label CartridgeStatus{"CartridgeStatus", "Unloaded"};
    platform::Frame Frame2{"Frame2", "Comments"};
    platform::TextBox txtComments{"txtComments"};
    platform::Frame Frame5{"Frame5", "Sample Information"};
    platform::TextBox txtSampleID{"txtSampleID"};
    platform::Label Label11{"Label11", "Sample ID"};

    // Timers, all created disarmed.
    platform::Timer tmrResponseTimeout;
    platform::Timer tmrCommunicationTimeout;
    platform::Timer tmrDeviceTimeout;
    platform::Timer Timer1;
    platform::Timer tmrTestingTimer;
    platform::Timer TimerStatusQuery;
    platform::Timer RunTimer;
    platform::Timer tmrWaitTimer;

    // The loop memory of a run: the starting count of each "Loop" row met so far, by grid row
    // index 0 to 2001; 0 means not yet remembered. Every run start clears it.
    std::array<std::int16_t, 2002> LoopStartCount{};

    // Every timer, in the order shut-down disarms them.
    std::vector<platform::Timer*> timers();

private:
    void disarmOnTick();
    void buildWindow();
    void buildCommunications();
    void buildOutside();
    void buildHiddenFrames();
    void buildMirrorFrame();
    void buildSonicateFrame();
    void buildLetterFrames();
    void buildInfoFrames();

    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::form
