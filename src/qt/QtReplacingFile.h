#pragma once

#include <QFile>
#include <QSaveFile>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/SaveTarget.h"

namespace quendrix::qt {

// A file's new content through QSaveFile: written to a temporary beside the file, synced,
// and renamed over it at close; the replacement keeps the old file's mode, owner and group.
// Where a replacement cannot keep what the file has, the content is written into the file
// itself (see platform::SaveTarget).
class QtReplacingFile final : public platform::OutputFile {
public:
    explicit QtReplacingFile(const std::string& path);  // throws Failure
    ~QtReplacingFile() override;
    QtReplacingFile(const QtReplacingFile&) = delete;
    QtReplacingFile& operator=(const QtReplacingFile&) = delete;

    void write(std::string_view bytes) override;
    void close() override;

private:
    QFileDevice* device() const;  // the one in use, open or not; none once dropped
    QFileDevice& file() const;    // throws Failure when it is not open
    void finish();
    bool closeInPlace();
    void discard() noexcept;

    platform::SaveTarget target_;
    std::unique_ptr<QSaveFile> replacement_;
    std::unique_ptr<QFile> inPlace_;
    bool committed_ = false;
};

}  // namespace quendrix::qt
