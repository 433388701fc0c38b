#pragma once
// Starts a start-up list for a whole test program: before its first test, stopped after its last.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/rtl/Units.h"

namespace zel::test {

class TUnitsEnvironment : public ::testing::Environment {
public:
    explicit TUnitsEnvironment(std::function<TUnitRows()> Rows) : rows_(std::move(Rows)) {}
    void SetUp() override { scope_ = std::make_unique<TUnitsScope>(rows_()); }
    void TearDown() override {
        scope_->Stop();
        scope_.reset();
    }

private:
    std::function<TUnitRows()> rows_;
    std::unique_ptr<TUnitsScope> scope_;
};

}  // namespace zel::test
