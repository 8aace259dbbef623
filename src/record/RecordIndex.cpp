#include "record/RecordIndex.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

#include "record/ProcessIdentity.h"

namespace quendrix::record {
namespace {

namespace fs = std::filesystem;
using std::chrono::microseconds;

// A manifest is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxManifestBytes = 4 * 1024 * 1024;
// A line of rows.tsv holds three cells of at most a few hundred characters.
constexpr std::streamoff kTailBytes = 64 * 1024;

template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    if (text.size() < at + count) {
        return std::nullopt;
    }
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
    }
    return parseNumber<int>(text.substr(at, count));
}

std::uintmax_t folderBytes(const fs::path& folder) {
    std::uintmax_t total = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code sizeError;
        if (it->is_regular_file(sizeError)) {
            const auto size = it->file_size(sizeError);
            total += sizeError ? 0 : size;
        }
    }
    return total;
}

Instant folderTime(const fs::path& folder) {
    std::error_code error;
    const auto written = fs::last_write_time(folder, error);
    if (error) {
        return {};
    }
    return std::chrono::time_point_cast<microseconds>(std::chrono::file_clock::to_sys(written));
}

std::optional<nlohmann::json> readManifest(const fs::path& file, std::string& problem) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error) {
        problem = "run.json is missing";
        return std::nullopt;
    }
    if (size > kMaxManifestBytes) {
        problem = "run.json is too large to be a manifest";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) {
        problem = "run.json cannot be read";
        return std::nullopt;
    }
    auto manifest = nlohmann::json::parse(text, nullptr, false);
    if (manifest.is_discarded() || !manifest.is_object()) {
        problem = "run.json is not a JSON object";
        return std::nullopt;
    }
    return manifest;
}

void classify(StoredRecord& record) {
    const auto* complete =
        record.manifest.contains("complete") ? &record.manifest["complete"] : nullptr;
    record.complete = !(complete && complete->is_boolean() && !complete->get<bool>());
    record.incomplete = record.complete ? "" : record.text("incomplete");
    record.lastRow = record.number("lastRow");
    const auto start = parseIsoTime(record.text("start"));
    if (start) {
        record.started = *start;
    }
    if (record.text("outcome") != "running") {
        record.state = RunState::Ended;
        const auto end = parseIsoTime(record.text("end"));
        if (start && end) {
            record.seconds = std::chrono::duration<double>(*end - *start).count();
        }
        return;
    }
    const bool elsewhere = record.text("host") != thisHostName();
    const auto pid = record.number("pid");
    record.state =
        elsewhere || (pid && processLives(*pid)) ? RunState::Running : RunState::Interrupted;
    if (const auto logged = lastLoggedRow(record.folder / "rows.tsv")) {
        record.seconds = logged->seconds;
        if (record.state == RunState::Interrupted) {
            record.lastRow = logged->row;
        }
    }
}

}  // namespace

std::string StoredRecord::text(std::string_view key) const {
    const auto member = manifest.find(key);
    return member != manifest.end() && member->is_string() ? member->get<std::string>() : "";
}

std::optional<long long> StoredRecord::number(std::string_view key) const {
    const auto member = manifest.find(key);
    if (member == manifest.end() || !member->is_number_integer()) {
        return std::nullopt;
    }
    return member->get<long long>();
}

StoredRecord readRunRecord(const fs::path& folder) {
    StoredRecord record;
    record.folder = folder;
    record.started = folderTime(folder);
    record.bytes = folderBytes(folder);
    if (auto manifest = readManifest(folder / "run.json", record.problem)) {
        record.manifest = std::move(*manifest);
        classify(record);
    }
    return record;
}

std::vector<StoredRecord> scanRecords(const fs::path& recordsFolder) {
    std::vector<StoredRecord> records;
    std::error_code error;
    for (fs::directory_iterator it(recordsFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        // A link is not a record: removing what it points to would reach outside the folder.
        if (it->is_directory(typeError) && !it->is_symlink(typeError)) {
            records.push_back(readRunRecord(it->path()));
        }
    }
    std::sort(records.begin(), records.end(), [](const StoredRecord& a, const StoredRecord& b) {
        return std::tie(a.started, a.folder) < std::tie(b.started, b.folder);
    });
    return records;
}

std::optional<Instant> parseIsoTime(std::string_view text) {
    // 2026-12-07T14:03:22[.fraction](Z|+hh:mm|-hh:mm)
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || text[4] != '-' ||
        text[7] != '-' || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') ||
        text[13] != ':' || text[16] != ':' || *hour > 23 || *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(*year),
                                           std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    std::size_t at = 19;
    long long fraction = 0;
    if (at < text.size() && text[at] == '.') {
        long long scale = 100000;
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            fraction += (text[at] - '0') * scale;
            scale /= 10;
        }
    }
    std::chrono::minutes offset{};
    const std::string_view zone = text.substr(std::min(at, text.size()));
    if (zone == "Z" || zone == "z") {
        offset = {};
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':' &&
               digits(zone, 1, 2) && digits(zone, 4, 2)) {
        offset = std::chrono::minutes(*digits(zone, 1, 2) * 60 + *digits(zone, 4, 2));
        offset = zone[0] == '-' ? -offset : offset;
    } else {
        return std::nullopt;
    }
    return Instant(std::chrono::sys_days(date)) + std::chrono::hours(*hour) +
           std::chrono::minutes(*minute) + std::chrono::seconds(*second) + microseconds(fraction) -
           offset;
}

std::optional<LoggedRow> lastLoggedRow(const fs::path& rowsFile) {
    std::ifstream in(rowsFile, std::ios::binary | std::ios::ate);
    if (!in) {
        return std::nullopt;
    }
    const std::streamoff size = in.tellg();
    const std::streamoff from = std::max<std::streamoff>(0, size - kTailBytes);
    in.seekg(from);
    std::string tail(std::istreambuf_iterator<char>(in), {});
    // Only a line with its line end is whole: a crash may cut the last one short.
    const auto lastEnd = tail.rfind('\n');
    if (lastEnd == std::string::npos) {
        return std::nullopt;
    }
    const auto lineStart = lastEnd == 0 ? std::string::npos : tail.rfind('\n', lastEnd - 1);
    if (lineStart == std::string::npos && from > 0) {
        return std::nullopt;
    }
    const std::string_view line = std::string_view(tail).substr(
        lineStart == std::string::npos ? 0 : lineStart + 1,
        lastEnd - (lineStart == std::string::npos ? 0 : lineStart + 1));
    const auto firstTab = line.find('\t');
    const auto secondTab = line.find('\t', firstTab + 1);
    if (firstTab == std::string_view::npos || secondTab == std::string_view::npos) {
        return std::nullopt;
    }
    const auto seconds = parseNumber<double>(line.substr(0, firstTab));
    const auto row = parseNumber<long long>(line.substr(firstTab + 1, secondTab - firstTab - 1));
    if (!seconds || !row) {
        return std::nullopt;  // the header, or a damaged line
    }
    return LoggedRow{*seconds, *row};
}

std::string_view stateName(RunState state) {
    switch (state) {
        case RunState::Running:
            return "running";
        case RunState::Interrupted:
            return "interrupted";
        case RunState::Ended:
            return "ended";
        case RunState::Unreadable:
            return "unreadable";
    }
    return "unreadable";
}

}  // namespace quendrix::record
