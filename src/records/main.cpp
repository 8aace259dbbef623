#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "record/RecordsFolder.h"
#include "records/RecordsCommand.h"

namespace {

bool hasDisplay() {
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    // Without one Qt would abort; the caller says where the records are instead.
    // NOLINTNEXTLINE(concurrency-mt-unsafe)
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
#endif
}

// The desktop's file manager, reached as Qt reaches it; Qt is started only for this, so
// that list and show work without a display.
bool openInFileManager(int argc, char** argv, const std::filesystem::path& folder) {
    if (!hasDisplay()) {
        return false;
    }
    QGuiApplication application(argc, argv);
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdU16String(folder.u16string())));
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quendrix::records::runRecordsCommand(
        arguments, quendrix::record::recordsFolder(),
        [&](const std::filesystem::path& folder) { return openInFileManager(argc, argv, folder); },
        std::cout, std::cerr);
}
