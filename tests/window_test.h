// Fixture of the window tests: message boxes answer "ok" and their texts are kept; every
// dialog hook is cleared after each test, so one test's answers never reach the next.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/automation.h"
#include "framework/fw_types.h"

namespace curvelo::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::automation::EnsureApplication();
        fw::automation::SetMessageBoxHook([this](const std::string& text, const std::string&, unsigned) {
            messages.push_back(text);
            return fw::kIdOk;
        });
    }
    void TearDown() override {
        fw::automation::SetMessageBoxHook({});
        fw::automation::SetDialogHook({});
        fw::automation::SetFontDialogHook({});
        fw::automation::SetFileDialogHook({});
    }
    std::vector<std::string> messages;
};

}  // namespace curvelo::testing
