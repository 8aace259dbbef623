#pragma once

// The stepper-motor controllers of the simulated instrument.
//
// Two drives share the line: address 1 is the syringe drive (plunger positions 0..24000),
// address 2 the selector valve (rotor positions 0..48000; the ports sit at the positions
// the operator's settings hold). Both understand the same commands.
//
// A frame is "/" + address + text + CR; the LF after it is ignored. Every text addressed to
// a drive is answered with "/0" + status + data + ETX + CR + LF, where the status byte is
// 0x40, plus 0x20 when the drive is ready (not executing), plus the error code.
//
// Texts:
//   Q...      status query, whatever follows the Q: the status, no data.
//   ? or ?0   report the absolute position (during a move, the position reached so far).
//   ?1 .. ?6  report start speed, top speed, cut-off speed, slope, backlash, run current.
//   &         report the firmware version text.
//             Queries and reports are answered at once, busy or not; a trailing R is allowed.
//   T         terminate: the string being executed stops where the drive stands (no R needed).
//   other     a command string: commands run one after another, each a letter and for most a
//             whole number. Ending in R it is executed at once; otherwise it is checked and
//             stored (replacing any stored string), and a later "R" alone executes it.
//
// Commands (n = operand, max = the drive's last position; defaults in brackets):
//   Z[n]  initialise, homing clockwise to position 0; n 0..2 homing force (full, half,
//         third). Busy 1.4 s on the syringe, 0.9 s on the valve.
//   Y[n]  as Z, homing counter-clockwise. Same times.
//   W[n]  as Z, homing slowly for delicate syringes or seals. Busy 3.2 s / 1.8 s.
//   An    move to position n, 0..max.                   Busy: the travel time (below).
//   Pn    move up by n (pick-up), n 0..max, ending at most at max.       Busy: travel time.
//   Dn    move down by n (dispense), n 0..max, ending at least at 0.     Busy: travel time.
//   vn    start speed, 1..1000 steps/s [300].
//   Vn    top speed, 5..6000 steps/s [1400 syringe, 5000 valve].
//   cn    cut-off speed, 0..2700 steps/s [500].
//   Ln    acceleration slope, 1..20, in units of 2500 steps/s^2 [14].
//   Kn    backlash, 0..63 steps [12].
//   Cn    run current level, 1..25 [18]; affects no timing.
//   Sn    speed code, 0..40: sets the top speed to 6000 steps/s at 0, each code 15 % slower.
//   Mn    wait n ms, 0..30000. Busy n ms.
//   R     at the end of a string: execute.
// Settings commands take effect at once and keep the drive busy for no time. Travel time:
// ramp up from the start speed to the top speed, run, ramp down to the cut-off speed (a
// short move turns where the ramps meet); a move upwards travels twice the backlash further.
//
// Error codes. Every command string (not a query or a good report) replaces the error
// code: with 0 when accepted, with its own code when refused. The code then stays in every
// status until the next command string. A refused string changes nothing else, and is
// checked whole before anything in it runs. The codes, when each is given and what it means
// are listed once, in kControllerErrors (ControllerError.h).
// The reply to a command string shows the drive as the string found it (ready, unless it
// was refused as overflow) with the error code the string left; an overload at the very
// start of the string is already in that reply.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/CommandString.h"
#include "sim/instrument/ControllerReply.h"
#include "sim/instrument/DriveModel.h"
#include "sim/instrument/LifeToken.h"

namespace quendrix::sim {

class StepperController {
public:
    StepperController(Scheduler& scheduler, DriveModel model);
    virtual ~StepperController() = default;
    StepperController(const StepperController&) = delete;
    StepperController& operator=(const StepperController&) = delete;

    // Handles the text of one frame addressed to this drive, arrived now.
    ControllerReply handle(std::string_view text);

    int position() const;
    bool busy() const { return running_; }
    // A move is under way (not a wait or a homing).
    bool moving() const { return travel_.has_value() && travel_->isMove; }
    bool initialised() const { return initialised_; }
    ControllerError error() const { return error_; }
    // The drive is stopped by force where it stands if it is moving: its string is abandoned,
    // the error code becomes overload and it must be initialised again.
    void overloadIfMoving();
    const MotionSettings& motion() const { return motion_; }
    const DriveModel& model() const { return model_; }

protected:
    // Whether a move (A, P, D) starting now would overload the drive.
    virtual bool moveWouldOverload() const { return false; }
    // A move (A, P, D) that changes the position is starting now.
    virtual void moveStarting() {}

private:
    struct Travel {
        int from = 0;
        int to = 0;
        Micros start{0};
        Micros end{0};
        bool isMove = false;
    };
    // What a string would do to the drive, worked out before it runs.
    struct Forecast {
        bool initialised = false;
        int position = 0;
    };

    ControllerReply status(std::string data = {}) const;
    ControllerReply report(std::string_view text);
    ControllerReply terminate();
    ControllerReply command(std::string_view text);
    ControllerError check(const std::vector<CommandStep>& steps) const;
    ControllerError checkStep(const CommandStep& step, Forecast& forecast) const;
    void execute(std::vector<CommandStep> steps);
    void runOn();
    // Carries out one step; returns how long it keeps the drive busy, or nothing when the
    // string has to be abandoned.
    std::optional<Micros> perform(const CommandStep& step);
    Micros startTravel(int to, Micros duration, bool isMove);
    void finishTravel();
    void stop();

    Scheduler& scheduler_;
    DriveModel model_;
    MotionSettings motion_;
    int position_ = 0;
    bool initialised_ = false;
    ControllerError error_ = ControllerError::none;
    std::optional<std::vector<CommandStep>> stored_;
    std::vector<CommandStep> program_;
    std::size_t nextStep_ = 0;
    bool running_ = false;
    std::optional<Travel> travel_;
    // Tells a scheduled continuation whether the string it belongs to is still running.
    std::uint64_t run_ = 0;
    LifeToken life_;
};

}  // namespace quendrix::sim
