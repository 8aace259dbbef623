#include "qt/QtReplacingFile.h"

#include "platform/Failure.h"
#include "platform/PathText.h"

namespace quendrix::qt {
namespace {

// QSaveFile names its temporary after the file, with "." and six letters more.
constexpr std::size_t kTemporaryExtraBytes = 7;

}  // namespace

QtReplacingFile::QtReplacingFile(const std::string& path) : target_(path, kTemporaryExtraBytes) {
    const QString name = QString::fromStdString(platform::toText(target_.file()));
    if (target_.inPlace()) {
        inPlace_ = std::make_unique<QFile>(name);
    } else {
        replacement_ = std::make_unique<QSaveFile>(name);
        // Only for a folder that refuses the temporary after all; SaveTarget foresees the
        // usual cases.
        replacement_->setDirectWriteFallback(true);
    }
    if (!device()->open(QIODevice::WriteOnly)) {
        const std::string why = device()->errorString().toStdString();
        discard();
        throw platform::Failure("cannot write " + platform::toText(target_.file()) + ": " + why);
    }
    if (replacement_ != nullptr) {
        try {
            target_.keepMetadata(replacement_->handle());
        } catch (const platform::Failure&) {
            discard();
            throw;
        }
    }
}

QtReplacingFile::~QtReplacingFile() {
    if (!committed_) {
        discard();
    }
}

QFileDevice* QtReplacingFile::device() const {
    if (replacement_ != nullptr) {
        return replacement_.get();
    }
    return inPlace_.get();
}

QFileDevice& QtReplacingFile::file() const {
    QFileDevice* const file = device();
    if (file == nullptr || !file->isOpen()) {
        throw platform::Failure("the file is closed already");
    }
    return *file;
}

void QtReplacingFile::write(std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (file().write(bytes.data(), size) != size) {
        throw platform::Failure("cannot write " + platform::toText(target_.file()) + ": " +
                                file().errorString().toStdString());
    }
}

void QtReplacingFile::close() {
    file();
    try {
        finish();
    } catch (const platform::Failure&) {
        discard();
        throw;
    }
    committed_ = true;
}

// QSaveFile syncs before its rename but goes on when the sync fails: the sync is ours.
void QtReplacingFile::finish() {
    if (!file().flush()) {
        throw platform::Failure("cannot write " + platform::toText(target_.file()) + ": " +
                                file().errorString().toStdString());
    }
    platform::SaveTarget::sync(file().handle());
    if (replacement_ != nullptr ? !replacement_->commit() : !closeInPlace()) {
        throw platform::Failure("cannot replace " + platform::toText(target_.file()) + ": " +
                                device()->errorString().toStdString());
    }
    if (!target_.inPlace() || !target_.existed()) {
        target_.syncFolder();
    }
}

bool QtReplacingFile::closeInPlace() {
    inPlace_->close();
    return inPlace_->error() == QFileDevice::NoError;
}

// An uncommitted QSaveFile drops its temporary; written in place, what is written stays,
// and a file made here is taken away again.
void QtReplacingFile::discard() noexcept {
    if (replacement_ != nullptr) {
        replacement_->cancelWriting();
        replacement_.reset();
    }
    if (inPlace_ != nullptr) {
        inPlace_->close();
        if (!target_.existed() && !committed_) {
            inPlace_->remove();
        }
        inPlace_.reset();
    }
}

}  // namespace quendrix::qt
