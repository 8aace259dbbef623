#include "qt/QtPlatform.h"

#ifdef QUENDRIX_HAVE_QTSERIAL
#include "qt/serial/QtSerialLine.h"
#else
#include "qt/NullSerialLine.h"
#endif

namespace quendrix::qt {
namespace {

std::unique_ptr<platform::SerialLine> makeSerialLine() {
#ifdef QUENDRIX_HAVE_QTSERIAL
    return std::make_unique<QtSerialLine>();
#else
    return std::make_unique<NullSerialLine>();
#endif
}

}  // namespace

QtPlatform::QtPlatform() : serialLine_(makeSerialLine()) {}

QtPlatform::~QtPlatform() = default;

platform::Version QtPlatform::version() const {
    return {QUENDRIX_VERSION_MAJOR, QUENDRIX_VERSION_MINOR, QUENDRIX_VERSION_PATCH};
}

}  // namespace quendrix::qt
