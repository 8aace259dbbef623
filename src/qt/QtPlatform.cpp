#include "qt/QtPlatform.h"

#include "qt/DesktopSerialLine.h"

namespace quendrix::qt {

QtPlatform::QtPlatform() : serialLine_(std::make_unique<DesktopSerialLine>()) {}

QtPlatform::~QtPlatform() = default;

platform::Version QtPlatform::version() const {
    return platform::buildVersion();
}

}  // namespace quendrix::qt
