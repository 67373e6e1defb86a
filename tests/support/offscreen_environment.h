#pragma once
// Runs every test of an executable under one offscreen Qt application.

#include <gtest/gtest.h>

#include <memory>

#include "offscreen_app.h"

namespace kv::test {

template <class App>
class OffscreenEnvironment : public ::testing::Environment {
  public:
    explicit OffscreenEnvironment(const char* name) : name_(name) {}
    void SetUp() override { app_ = MakeOffscreenApp<App>(name_); }
    void TearDown() override { app_.reset(); }

  private:
    const char* name_;
    std::unique_ptr<App> app_;
};

}  // namespace kv::test
