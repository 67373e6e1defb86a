// Every paint test runs under one QGuiApplication on the offscreen platform.

#include <QGuiApplication>

#include "support/offscreen_environment.h"

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new kv::test::OffscreenEnvironment<QGuiApplication>("paint_tests"));

}  // namespace
