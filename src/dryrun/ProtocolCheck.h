#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dryrun/FindingList.h"
#include "platform/Grid.h"
#include "runner/RunReport.h"

namespace quendrix::dryrun {

// The protocol as loaded, before a run rewrites its Loop counts: rows 1 to 2000, each its
// Address, Command and Loops cells.
using ProtocolRows = std::vector<std::array<std::string, 3>>;

ProtocolRows protocolRows(const platform::Grid& grid);

// What can be told from the cells alone, for every filled row: column 1 texts the run cannot
// read (but not at `stopRow`, where the run met one: that is an error of the run), a "W"
// that is not one, Loop counts that never run out, long Waits, jumps to nowhere, Pauses and
// relative moves.
void checkRows(const ProtocolRows& rows, double maxWaitSeconds, int stopRow, FindingList& findings);

// How the run ended, when not at an End row. `limit` is empty unless a limit stopped it
// ("the time limit of 24h").
void checkEnding(const runner::RunReport& report, const std::string& limit,
                 const ProtocolRows& rows, FindingList& findings);

// What is wrong with a column 1 that is no keyword and no address, and what was probably
// meant: "\"end\" is not a keyword; did you mean \"End\"?"
std::string columnOneProblem(std::string_view text);

}  // namespace quendrix::dryrun
