#pragma once

#include <iosfwd>
#include <vector>

#include "record/RecordIndex.h"

namespace quendrix::records {

// One line per run, in columns: start, duration, protocol, rows, how it ended.
void printList(const std::vector<record::StoredRecord>& runs, std::ostream& out);
void printListJson(const std::vector<record::StoredRecord>& runs, std::ostream& out);

// One run's manifest as a person reads it, and where its timeline picture is.
void printDetails(const record::StoredRecord& run, std::ostream& out);
void printDetailsJson(const record::StoredRecord& run, std::ostream& out);

}  // namespace quendrix::records
