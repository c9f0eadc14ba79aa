#pragma once
// FakeUi for GoogleTest tests: an unexpected question, file choice or screen
// fails the running test. Include from tests only.
#include <gtest/gtest.h>

#include "core/fake_ui.h"

namespace core {

class TestUi : public FakeUi {
public:
    TestUi() {
        setFailureHook([](const std::string& what) { ADD_FAILURE() << "FakeUi: " << what; });
    }
};

} // namespace core
