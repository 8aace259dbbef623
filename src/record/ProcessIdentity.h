#pragma once

#include <string>

namespace quendrix::record {

// Who writes a record, as its manifest names it: the host and the process. A reader on the
// same host tells a running record from an interrupted one by whether that process lives.
std::string thisHostName();
long long thisProcessId();

// Whether a process with this id exists on this host. A process that exists but belongs to
// another user counts as living.
bool processLives(long long pid);

}  // namespace quendrix::record
