#pragma once
// Window tests of the editors that keep the messages of the errors handed to the application's handler
// (an error raised inside a key or mouse handler goes there) instead of showing them, and count the beeps.
#include <exception>
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Beep.h"

namespace zel::test {

class EditorErrorsTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        SetBeepSink([this](UINT) { ++beeps; });
        Application->OnException = [this](TObject*, const std::exception& E) {
            errors.push_back(E.what());
            Noted(E);
        };
    }
    void TearDown() override {
        Application->OnException = nullptr;
        SetBeepSink(nullptr);
        EditorWindowTest::TearDown();
    }
    // What a fixture keeps of an error besides its message.
    virtual void Noted(const std::exception& /*E*/) {}

    std::vector<std::string> errors;
    int beeps = 0;
};

}  // namespace zel::test
