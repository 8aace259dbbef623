#include "dryrun/DryRun.h"

#include <fstream>
#include <optional>

#include "dryrun/DryRunOptionParser.h"
#include "dryrun/DryRunSession.h"
#include "editor/ProtocolFiles.h"
#include "platform/Failure.h"
#include "platform/FileSlot.h"
#include "platform/PathText.h"
#include "platform/StdFileSystem.h"
#include "sim/virtualtime/StalledWait.h"

namespace quendrix::dryrun {
namespace {

constexpr const char* kProgram = "quendrix-dryrun";

// Read once before the program does, so that a file that cannot be read is told apart from
// a protocol that stops.
std::optional<std::string> unreadable(const std::string& path) {
    try {
        platform::StdFileSystem().readAll(path, platform::FileSlot::kMaxInputBytes);
        return std::nullopt;
    } catch (const platform::Failure& failure) {
        return failure.what();
    }
}

bool writable(const std::string& path, std::ostream& err) {
    if (path.empty() || std::ofstream(platform::toPath(path), std::ios::binary | std::ios::app)) {
        return true;
    }
    err << kProgram << ": cannot write " << path << '\n';
    return false;
}

}  // namespace

int dryRun(const DryRunOptions& options, std::ostream& out, std::ostream& err) {
    if (const auto reason = unreadable(options.file)) {
        err << kProgram << ": " << *reason << '\n';
        return kUnreadableFile;
    }
    if (!writable(options.logPath, err) || !writable(options.transcriptPath, err)) {
        return kCannotWrite;
    }
    std::ofstream transcript;
    if (!options.transcriptPath.empty()) {
        transcript.open(platform::toPath(options.transcriptPath),
                        std::ios::binary | std::ios::trunc);
    }
    DryRunSession session(options, out, transcript.is_open() ? &transcript : nullptr);
    if (!session.load()) {
        err << kProgram << ": " << options.file << ": " << editor::ProtocolFiles::kReadError
            << '\n';
        return kUnreadableFile;
    }
    session.run();
    // A record that could not be written whole changes nothing in the run's outcome.
    for (const std::string& problem : session.recordProblems()) {
        err << kProgram << ": " << problem << '\n';
    }
    const RunSummary summary = session.summary();
    if (options.json) {
        summary.printJson(out);
    } else {
        summary.printText(out);
    }
    return summary.exitStatus();
}

int runDryRun(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<const char*> argv{kProgram};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    DryRunOptions options;
    try {
        options = parseDryRunOptions(static_cast<int>(argv.size()), argv.data());
    } catch (const sim::OptionError& error) {
        err << kProgram << ": " << error.what() << "\nTry \"" << kProgram << " --help\".\n";
        return kUsageError;
    }
    if (options.help) {
        out << dryRunUsage();
        return kEndedAtEndRow;
    }
    if (options.version) {
        out << kProgram << ' ' << QUENDRIX_VERSION_MAJOR << '.' << QUENDRIX_VERSION_MINOR << '.'
            << QUENDRIX_VERSION_PATCH << '\n';
        return kEndedAtEndRow;
    }
    // A wait that could never end is a fault of the program, not of the protocol.
    try {
        return dryRun(options, out, err);
    } catch (const sim::StalledWait& stalled) {
        err << kProgram << ": the run could not go on: " << stalled.what() << '\n';
        return kInternalError;
    }
}

}  // namespace quendrix::dryrun
