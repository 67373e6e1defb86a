// Every window test runs under one QApplication on the offscreen platform, so no display is
// needed and no window appears.

#include <QApplication>

#include "support/offscreen_environment.h"

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new kv::test::OffscreenEnvironment<QApplication>("qt_tests"));

}  // namespace
