#include "records/RecordsCommand.h"

#include <ostream>
#include <system_error>

#include "record/RecordIndex.h"
#include "records/RecordReport.h"

namespace quendrix::records {
namespace {

constexpr const char* kProgram = "quendrix-records";

struct Options {
    std::vector<std::string> words;
    bool json = false;
    bool help = false;
    bool version = false;
};

struct UsageError {
    std::string message;
};

Options parse(const std::vector<std::string>& arguments) {
    Options options;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            throw UsageError{"unknown option " + argument};
        } else {
            options.words.push_back(argument);
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.words.empty()) {
        options.words.push_back("list");
    }
    const std::string& command = options.words.front();
    const std::size_t wanted = command == "show" ? 2 : 1;
    if (command != "list" && command != "show" && command != "open") {
        throw UsageError{"unknown command \"" + command + "\""};
    }
    if (options.words.size() != wanted) {
        throw UsageError{wanted == 2 ? "show needs one run: a folder name or a path"
                                     : command + " takes no run"};
    }
    return options;
}

// A folder name in the records folder, or else a path to a record folder anywhere.
std::filesystem::path findRun(const std::string& run, const std::filesystem::path& recordsFolder) {
    std::error_code error;
    const std::filesystem::path given(run);
    const bool plainName =
        given.has_filename() && given.filename() == given && run != "." && run != "..";
    if (plainName && !recordsFolder.empty() &&
        std::filesystem::is_directory(recordsFolder / given, error)) {
        return recordsFolder / given;
    }
    if (std::filesystem::is_directory(given, error) &&
        (std::filesystem::exists(given / "run.json", error) ||
         std::filesystem::exists(given / "rows.tsv", error))) {
        return std::filesystem::absolute(given, error);
    }
    return {};
}

int open(const std::filesystem::path& recordsFolder, const FolderOpener& openFolder,
         std::ostream& out, std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(recordsFolder, error);
    if (error) {
        err << kProgram << ": cannot make " << recordsFolder.string() << ": " << error.message()
            << '\n';
        return kFailed;
    }
    if (!openFolder(recordsFolder)) {
        err << kProgram << ": cannot show the folder in a file manager; the records are in "
            << recordsFolder.string() << '\n';
        return kFailed;
    }
    out << recordsFolder.string() << '\n';
    return kFine;
}

}  // namespace

int runRecordsCommand(const std::vector<std::string>& arguments,
                      const std::filesystem::path& recordsFolder, const FolderOpener& openFolder,
                      std::ostream& out, std::ostream& err) {
    Options options;
    try {
        options = parse(arguments);
    } catch (const UsageError& error) {
        err << kProgram << ": " << error.message << "\nTry \"" << kProgram << " --help\".\n";
        return kUsageError;
    }
    if (options.help) {
        out << recordsUsage();
        return kFine;
    }
    if (options.version) {
        out << kProgram << ' ' << QUENDRIX_VERSION_MAJOR << '.' << QUENDRIX_VERSION_MINOR << '.'
            << QUENDRIX_VERSION_PATCH << '\n';
        return kFine;
    }
    const std::string& command = options.words.front();
    if (recordsFolder.empty()) {
        err << kProgram << ": no records folder: neither XDG_DATA_HOME nor HOME is set\n";
        return kFailed;
    }
    if (command == "open") {
        return open(recordsFolder, openFolder, out, err);
    }
    if (command == "list") {
        const auto runs = record::scanRecords(recordsFolder);
        options.json ? printListJson(runs, out) : printList(runs, out);
        return kFine;
    }
    const auto folder = findRun(options.words[1], recordsFolder);
    if (folder.empty()) {
        err << kProgram << ": no such run: " << options.words[1] << " (not in "
            << recordsFolder.string() << ", and not a record folder)\n";
        return kNoSuchRun;
    }
    const auto run = record::readRunRecord(folder);
    options.json ? printDetailsJson(run, out) : printDetails(run, out);
    return kFine;
}

std::string recordsUsage() {
    return R"(Usage: quendrix-records [--json] [list]
  or:  quendrix-records [--json] show RUN
  or:  quendrix-records open
Lists the records that every protocol run leaves, and shows one. The records are kept in
$XDG_DATA_HOME/quendrix/runs (by default ~/.local/share/quendrix/runs; on Windows
%LOCALAPPDATA%\quendrix\runs), one folder per run, named by its local start time.

  list         one line per run, oldest first: start, duration, protocol, rows executed
               and how the run ended; a run whose program is gone before the run ended is
               marked interrupted, with its last logged row, and a record that could not be
               written in full is marked incomplete
  show RUN     the manifest of one run, readably, and the path of its timeline picture;
               RUN is a folder name from the list or the path of a record folder
  open         open the records folder in the file manager, making it if needed
  --json       print list or show as JSON, for scripts
  -h, --help   show this text
      --version
               show the version

Exit status: 0 when all went well, 1 when the records folder cannot be made or shown, 64
for a wrong command line, 66 when RUN is no run.
)";
}

}  // namespace quendrix::records
