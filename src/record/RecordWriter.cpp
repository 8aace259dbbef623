#include "record/RecordWriter.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/Failure.h"
#include "platform/StdReplacingFile.h"

namespace quendrix::record {

RecordWriter::RecordWriter(std::filesystem::path folder, Mode mode, std::size_t queueLimit)
    : folder_(std::move(folder)), mode_(mode), queueLimit_(queueLimit) {
    if (mode_ == Mode::Threaded) {
        thread_ = std::thread([this] { work(); });
    }
}

RecordWriter::~RecordWriter() {
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
}

void RecordWriter::append(const std::string& file, std::string bytes) {
    if (!failed()) {
        hand({file, std::move(bytes), false});
    }
}

void RecordWriter::replace(const std::string& file, std::string bytes) {
    hand({file, std::move(bytes), true});
}

void RecordWriter::hand(Job job) {
    if (mode_ == Mode::Synchronous) {
        perform(job);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        // A whole file replaced at the end is worth more than the room it takes.
        if (!job.replace && queuedBytes_ + job.bytes.size() > queueLimit_) {
            if (failure_.empty()) {
                failure_ = "the disk did not keep up with the run; the record stops here";
                failed_ = true;
            }
            return;
        }
        queuedBytes_ += job.bytes.size();
        urgent_ = urgent_ || job.replace || queuedBytes_ >= kWakeBytes;
        // The transcript comes a byte at a time: joined, it costs one write, not one each.
        if (!job.replace && !queue_.empty() && !queue_.back().replace &&
            queue_.back().file == job.file) {
            queue_.back().bytes += job.bytes;
        } else {
            queue_.push_back(std::move(job));
        }
        if (!urgent_) {
            return;
        }
    }
    wake_.notify_one();
}

void RecordWriter::flush() {
    if (mode_ == Mode::Synchronous) {
        flushFiles();
        return;
    }
    std::unique_lock lock(mutex_);
    urgent_ = true;
    wake_.notify_one();
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

std::string RecordWriter::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

void RecordWriter::perform(const Job& job) {
    if (job.replace) {
        replaceNow(job);
    } else if (!failed()) {
        appendNow(job);
    }
}

void RecordWriter::appendNow(const Job& job) {
    auto& file = open_[job.file];
    if (file == nullptr) {
        file.reset(std::fopen((folder_ / job.file).string().c_str(), "ab"));
        if (file == nullptr) {
            fail("cannot create " + job.file + ": " + std::strerror(errno));
            return;
        }
    }
    if (std::fwrite(job.bytes.data(), 1, job.bytes.size(), file.get()) != job.bytes.size()) {
        fail("cannot write " + job.file + ": " + std::strerror(errno));
    }
}

void RecordWriter::replaceNow(const Job& job) {
    const std::filesystem::path path = folder_ / job.file;
    open_.erase(job.file);
    std::string reason;
    try {
        platform::StdReplacingFile file(path.string());
        file.write(job.bytes);
        file.close();
        return;
    } catch (const platform::Failure& failure) {
        reason = failure.what();
    }
    // Emptied first, the old content gives back the room the new one needs.
    const std::unique_ptr<std::FILE, Closer> file(std::fopen(path.string().c_str(), "wb"));
    if (file == nullptr ||
        std::fwrite(job.bytes.data(), 1, job.bytes.size(), file.get()) != job.bytes.size() ||
        std::fflush(file.get()) != 0) {
        fail(reason);
    }
}

void RecordWriter::flushFiles() {
    for (auto& [name, file] : open_) {
        if (file != nullptr && std::fflush(file.get()) != 0) {
            fail("cannot write " + name + ": " + std::strerror(errno));
        }
    }
}

void RecordWriter::fail(const std::string& reason) {
    const std::lock_guard lock(mutex_);
    if (failure_.empty()) {
        failure_ = reason;
        failed_ = true;
    }
}

// The writer gathers what comes for a moment and writes it as one batch, flushed before it
// waits again, so that a crash leaves the files at most that moment short; a whole file to
// replace, a flush, or much to write wakes it at once.
void RecordWriter::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait_for(lock, kLinger, [this] { return stopping_ || urgent_; });
        urgent_ = false;
        if (queue_.empty()) {
            idle_.notify_all();
            if (stopping_) {
                break;
            }
            continue;
        }
        std::deque<Job> batch;
        batch.swap(queue_);
        queuedBytes_ = 0;
        busy_ = true;
        lock.unlock();
        for (const Job& job : batch) {
            perform(job);
        }
        flushFiles();
        lock.lock();
        busy_ = false;
        if (queue_.empty()) {
            idle_.notify_all();
        }
    }
    lock.unlock();
    flushFiles();
}

}  // namespace quendrix::record
