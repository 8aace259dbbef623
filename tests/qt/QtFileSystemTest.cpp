#include <gtest/gtest.h>

#include "qt/QtFileSystem.h"
#include "support/SavePromises.h"

namespace quendrix::testsupport {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, SavePromises, qt::QtFileSystem);

}  // namespace quendrix::testsupport
