#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace quendrix::record {

// Writes the files of one record folder, in the order it is handed them. Threaded, it does so
// on a thread of its own that touches nothing else, so that a slow disk never holds up the
// caller: what waits is bounded, and what would go past the bound is dropped, which makes
// the record incomplete. Synchronous, it writes at once (the virtual-time runs, whose tests
// read the files straight after). Nothing here throws: the first thing that could not be
// written is kept as the reason, and the files are written no further, except for the whole
// files replaced at the end.
class RecordWriter {
public:
    enum class Mode { Synchronous, Threaded };
    static constexpr std::size_t kQueueLimit = 8 * 1024 * 1024;
    // How long the thread gathers before it writes, and how much wakes it sooner.
    static constexpr std::chrono::milliseconds kLinger{100};
    static constexpr std::size_t kWakeBytes = 64 * 1024;

    RecordWriter(std::filesystem::path folder, Mode mode, std::size_t queueLimit = kQueueLimit);
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Adds to the end of the file, creating it.
    void append(const std::string& file, std::string bytes);
    // The whole file anew: written beside it, synced and renamed over it, so that a reader
    // finds the old content or the new one. Where the disk has no room for the two, the file
    // is rewritten in place instead.
    void replace(const std::string& file, std::string bytes);
    // Returns once everything handed over has been written out of the process.
    void flush();

    bool failed() const { return failed_.load(std::memory_order_relaxed); }
    // Why the record is incomplete, for a person; empty when nothing failed.
    std::string failure() const;

    const std::filesystem::path& folder() const { return folder_; }

private:
    struct Job {
        std::string file;
        std::string bytes;
        bool replace = false;
    };
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void hand(Job job);
    void perform(const Job& job);
    void appendNow(const Job& job);
    void replaceNow(const Job& job);
    void flushFiles();
    void fail(const std::string& reason);
    void work();

    const std::filesystem::path folder_;
    const Mode mode_;
    const std::size_t queueLimit_;
    std::map<std::string, std::unique_ptr<std::FILE, Closer>> open_;  // the writing side's

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> queue_;
    std::size_t queuedBytes_ = 0;
    bool busy_ = false;
    bool urgent_ = false;
    bool stopping_ = false;
    std::string failure_;
    std::atomic<bool> failed_{false};
    std::thread thread_;
};

}  // namespace quendrix::record
