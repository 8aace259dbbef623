#pragma once

#include <string>

namespace quendrix::record {

// The host name and process id a record names, so that a reader can tell a running record
// from one whose writer is gone.
std::string thisHost();
long thisProcessId();

}  // namespace quendrix::record
