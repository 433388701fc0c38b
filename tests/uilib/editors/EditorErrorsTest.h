#pragma once
// Window tests of the editors that keep the messages of the errors handed to the application's handler
// (an error raised inside a key or mouse handler goes there) instead of showing them.
#include <exception>
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/Forms.h"

namespace zel::test {

class EditorErrorsTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        Application->OnException = [this](TObject*, const std::exception& E) { errors.push_back(E.what()); };
    }
    void TearDown() override {
        Application->OnException = nullptr;
        EditorWindowTest::TearDown();
    }

    std::vector<std::string> errors;
};

}  // namespace zel::test
